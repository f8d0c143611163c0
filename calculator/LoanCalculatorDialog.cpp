// LoanCalculatorDialog: the loan calculator, with its payments and amortisation table.
#include "LoanCalculatorDialog.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LoanMath.h"
#include "LocaleSeparators.h"
#include "TextGrid.h"
#include "ui_LoanCalculatorDialog.h"

#include <QHeaderView>

#include <cmath>

namespace calculator {

using amount::AmountEdit;

namespace {

constexpr int GridColumnWidth = 76;
constexpr int GridRowHeight = 21;

} // namespace

LoanCalculatorDialog::LoanCalculatorDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::LoanCalculatorDialog)
{
    m_ui->setupUi(this);
    setFixedSize(size());
    TextGrid* grid = m_ui->Tabla;
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, GridColumnWidth);
    grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    grid->horizontalHeader()->setFixedHeight(GridRowHeight);

    connect(m_ui->Button1, &QPushButton::clicked, this,
            command::guarded(this, &LoanCalculatorDialog::calculate));
    connect(m_ui->BtnAceptar, &QPushButton::clicked, this,
            command::guarded(this, &LoanCalculatorDialog::acceptLoan));
    connect(m_ui->BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

LoanCalculatorDialog::~LoanCalculatorDialog()
{
    delete m_ui;
}

AmountEdit* LoanCalculatorDialog::capitalField() const
{
    return m_ui->Capital;
}

AmountEdit* LoanCalculatorDialog::rateField() const
{
    return m_ui->Interes;
}

AmountEdit* LoanCalculatorDialog::yearsField() const
{
    return m_ui->anios;
}

AmountEdit* LoanCalculatorDialog::monthlyPaymentField() const
{
    return m_ui->cuotames;
}

AmountEdit* LoanCalculatorDialog::yearlyPaymentField() const
{
    return m_ui->cuotanual;
}

TextGrid* LoanCalculatorDialog::table() const
{
    return m_ui->Tabla;
}

bool LoanCalculatorDialog::event(QEvent* e)
{
    // Every showing starts unaccepted.
    if (e->type() == QEvent::WindowActivate)
        m_accepted = false;
    return QDialog::event(e);
}

void LoanCalculatorDialog::acceptLoan()
{
    m_accepted = true;
    accept();
}

void LoanCalculatorDialog::restore(amount::Amount capital, amount::Amount rate,
                                   amount::Amount years, bool accepted)
{
    m_ui->Capital->setValue(capital);
    m_ui->Interes->setValue(rate);
    m_ui->anios->setValue(years);
    m_accepted = accepted;
    if (capital == 0 && rate == 0 && years == 0) {
        clearResults();
        return;
    }
    try {
        calculate();
    } catch (const std::exception&) {
        // The same inputs fail again, with their message, when the user calculates.
        clearResults();
    }
}

void LoanCalculatorDialog::clearResults()
{
    m_ui->cuotames->setValue(0);
    m_ui->cuotanual->setValue(0);
    m_ui->Tabla->clearRows();
}

void LoanCalculatorDialog::calculate()
{
    const Ui::LoanCalculatorDialog& u = *m_ui;
    u.cuotames->setValue(
        monthlyPayment(u.Capital->value(), u.Interes->value(), u.anios->value() * MonthsPerYear));
    u.cuotanual->setValue(u.cuotames->value() * MonthsPerYear);
    const auto months = static_cast<int>(std::trunc(u.anios->value())) * MonthsPerYear;

    TextGrid* grid = u.Tabla;
    grid->setRows(months + 1);
    grid->setFixedRows(1);
    const QStringList heading{QStringLiteral("Mes"), QStringLiteral("Amortiz."),
                              QStringLiteral("Interés"), QStringLiteral("Pendiente")};
    for (int column = 0; column < heading.size(); ++column)
        grid->setCell(column, 0, heading[column]);

    const QChar decimal = amount::currentSeparators().decimal;
    for (const ScheduleRow& row : amortisationSchedule(u.Capital->value(), u.Interes->value(),
                                                       u.cuotames->value(), months)) {
        grid->setCell(0, row.month, QString::number(row.month));
        grid->setCell(1, row.month, amount::formatGeneral(row.amortisation, decimal));
        grid->setCell(2, row.month, amount::formatGeneral(row.interest, decimal));
        grid->setCell(3, row.month, amount::formatGeneral(row.pending, decimal));
    }
}

} // namespace calculator
