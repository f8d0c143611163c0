// MainWindow: the program's main window, which shows the case model, and its commands.
#pragma once

#include "Assessment.h"
#include "CaseDocument.h"
#include "EntityData.h"
#include "TextPrompt.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QCloseEvent;

namespace calculator {
class LoanCalculatorDialog;
}
namespace editors {
class EntitiesDialog;
class LoansDialog;
} // namespace editors
namespace Ui {
class MainWindow;
}

namespace app {

class CaseBinding;
class CaseModel;
class EvolutionDialog;
class ReportCommands;
class SettlementImport;
class WindowColours;

class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // Creates the window, then the results window and the loan calculator, in that order.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    calculator::LoanCalculatorDialog* loanCalculator() const { return m_loanCalculator; }
    editors::LoansDialog* loansRegister() const { return m_loansDialog; }
    EntityData entityData() const;
    CaseModel* caseModel() const { return m_model; }
    CaseDocument* caseDocument() const { return m_document; }

    // Replaces the text prompt, so that a test can answer the questions.
    void setPrompter(Prompter prompter) { m_prompter = std::move(prompter); }
    // The quick, full and Intervención's reports, and their PDFs.
    ReportCommands* reports() const { return m_reports; }
    // "Importar liquidación…".
    SettlementImport* settlementImport() const { return m_settlementImport; }

    void ensureEntityData();
    void updateLimitCaption();
    // Assesses the case and shows what follows from it, asking for the debt limit first when
    // none is set.
    void recalculate();

    // The window's commands.
    void quit();
    void calculate();
    void editEntityData();
    void askDebtLimit();
    void openLoanCalculator();
    void openLoansRegister();
    // Opens the loan calculator with the capacity without authorisation as its capital.
    void borrowFreeCapacity();
    // Recalculates and shows the debt year by year.
    void showEvolution();
    // The dependent entities of the group, with the group's table as they are edited.
    void openEntities();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Another case is held: everything it does not say is cleared, and it is assessed when it
    // has a debt limit.
    void showNewCase();
    // While the register holds loans, their totals stand in the existing debt's fields.
    void showRegisterState();
    void showAssessment();
    void showCaseState();
    // Shows the verdict under the rules in force; nothing shows no verdict.
    void showVerdict(const std::optional<borrowing::Verdict>& verdict);
    // What budget stability asks of the entity; nothing says nothing.
    void showStability(const std::optional<borrowing::StabilityStatement>& stability);
    // Whether the planned loan's typed annuity is its terms'; nothing says nothing.
    void showAnnuityMismatch(const std::optional<borrowing::AnnuityMismatch>& mismatch);
    // How much can be borrowed without authorisation and with it; nothing shows none.
    void showCapacities(const std::optional<borrowing::Capacities>& capacities);
    // The register's dialog offers the entity and its dependent entities as holders.
    void showHolders();
    void showEditedGroup();
    // The entities' or the evolution's dialog shows the case as previewed.
    void showPreview(const borrowing::Assessment& assessment);
    // The entity data and the limit as the prompts leave them.
    void changeEntity(const std::function<void(EntityData&)>& change);
    void startFresh();

    Ui::MainWindow* m_ui;
    CaseModel* m_model;
    Prompter m_prompter;
    CaseDocument* m_document = nullptr;
    ReportCommands* m_reports = nullptr;
    SettlementImport* m_settlementImport = nullptr;
    calculator::LoanCalculatorDialog* m_loanCalculator = nullptr;
    editors::LoansDialog* m_loansDialog = nullptr;
    editors::EntitiesDialog* m_entitiesDialog = nullptr;
    EvolutionDialog* m_evolutionDialog = nullptr;
    CaseBinding* m_binding = nullptr;
    WindowColours* m_colours = nullptr;
};

} // namespace app
