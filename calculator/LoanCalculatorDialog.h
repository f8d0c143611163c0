// LoanCalculatorDialog: the loan calculator, with its payments and amortisation table.
#pragma once

#include "Case.h"
#include "Colours.h"
#include "LoanMath.h"

#include <QDialog>

class QTableView;

namespace amount {
class AmountEdit;
}

namespace Ui {
class LoanCalculatorDialog;
}

namespace calculator {

class ScheduleModel;

class LoanCalculatorDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit LoanCalculatorDialog(QWidget* parent = nullptr);
    ~LoanCalculatorDialog() override;

    // True only when the last showing was closed with "Aceptar".
    bool wasAccepted() const { return m_accepted; }

    // The inputs (capital, yearly interest rate, years) and the payments they give.
    amount::AmountEdit* capitalField() const;
    amount::AmountEdit* rateField() const;
    amount::AmountEdit* yearsField() const;
    amount::AmountEdit* monthlyPaymentField() const;
    amount::AmountEdit* yearlyPaymentField() const;
    QTableView* table() const;
    ScheduleModel* scheduleModel() const { return m_schedule; }

    // Works out the payments and fills the amortisation table; throws MathError when the
    // formula fails.
    void calculate();
    // Closes the dialog accepted; throws InvalidInput when the yearly payment is larger than
    // the new loan's annuity may be.
    void acceptLoan();

    // The inputs as the fields hold them, and whether the last showing ended with "Aceptar".
    borrowing::PlannedLoan plannedLoan() const;
    // The payments as last worked out: monthly and yearly.
    amount::Amount monthlyPayment() const;
    amount::Amount yearlyPayment() const;
    // The average life of the loan as last worked out, in years, and the prudence line shown.
    amount::Amount averageLife() const;
    QString prudenceLine() const;
    // What the dialog last worked out and shows; empty before it has.
    const borrowing::LoanQuote& quote() const { return m_quote; }

    // Shows these inputs with the payments and table they give, as a case was left. Inputs
    // that give no payment (all zero, or a failing formula) leave the results empty.
    void restore(const borrowing::PlannedLoan& loan);

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void clearResults();
    void showPrudence();
    // The colours of the fields that show results, and of the prudence line, for the
    // palette in use.
    void applyColours();
    void showHeading();

    Ui::LoanCalculatorDialog* m_ui;
    ScheduleModel* m_schedule;
    bool m_accepted = false;
    borrowing::LoanQuote m_quote;
    colours::Tone m_prudenceTone = colours::Tone::Positive;
};

} // namespace calculator
