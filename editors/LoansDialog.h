// LoansDialog: "Préstamos vigentes", the register of the loans in force.
#pragma once

#include "LoanRegister.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

namespace Ui {
class LoansDialog;
}

namespace editors {

class LoansModel;

class LoansDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit LoansDialog(QWidget* parent = nullptr);
    ~LoansDialog() override;

    // The register as it was last accepted.
    const std::vector<borrowing::Loan>& loans() const { return m_loans; }
    void setLoans(std::vector<borrowing::Loan> loans);
    // The entity and its dependent entities, whose loans the register may hold; the column of
    // holders shows only while there are dependent entities.
    void setHolders(const QString& entityName, const QStringList& dependentNames);

    // Replaces the file question of "Importar CSV…", so that a test can answer it; an empty
    // path means the user cancelled.
    void setCsvChooser(std::function<QString()> chooser) { m_chooseCsv = std::move(chooser); }

    // How long an import runs before it shows its progress.
    static constexpr int ProgressDelayMs = 500;

    // The commands of the dialog's buttons.
    void addLoan();
    void removeSelectedLoans();
    void importCsv();
    void acceptLoans();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showKindTotals();

    Ui::LoansDialog* m_ui;
    LoansModel* m_editing;
    std::vector<borrowing::Loan> m_loans;
    std::function<QString()> m_chooseCsv;
};

} // namespace editors
