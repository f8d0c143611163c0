// MainWindow: the program's main window, which shows the case model, and its commands.
#pragma once

#include "Assessment.h"
#include "CaseDocument.h"
#include "EntityData.h"
#include "FullReport.h"
#include "TextPrompt.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QCloseEvent;
class QProgressBar;

namespace calculator {
class DossierDialog;
class EntitiesDialog;
class LoanCalculatorDialog;
class LoansDialog;
} // namespace calculator
namespace reports {
class ResultsWindow;
}
namespace Ui {
class MainWindow;
}

namespace app {

class CaseBinding;
class CaseModel;
class EvolutionDialog;
class PdfConverter;

class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // Creates the window, then the results window and the loan calculator, in that order.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    reports::ResultsWindow* resultsWindow() const { return m_resultsWindow; }
    calculator::LoanCalculatorDialog* loanCalculator() const { return m_loanCalculator; }
    calculator::LoansDialog* loansRegister() const { return m_loansDialog; }
    EntityData entityData() const;
    CaseModel* caseModel() const { return m_model; }
    CaseDocument* caseDocument() const { return m_document; }

    // Replaces the text prompt, so that a test can answer the questions.
    void setPrompter(Prompter prompter) { m_prompter = std::move(prompter); }
    // Replaces the desktop's open action on the full report's output.
    void setDocumentOpener(std::function<void(const QString&)> opener)
    {
        m_documentOpener = std::move(opener);
    }
    // What writes the filled reports again as PDF.
    PdfConverter* pdfConverter() const { return m_pdfConverter; }
    // Replaces the program's folder, where the full report's template and output lie.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

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
    void showQuickReport();
    void produceFullReport();
    // Opens the loan calculator with the capacity without authorisation as its capital.
    void borrowFreeCapacity();
    // Recalculates and shows the debt year by year.
    void showEvolution();
    // The dependent entities of the group, with the group's table as they are edited.
    void openEntities();
    // Asks what the Intervención's report states beyond the figures, then fills its template,
    // opens it and writes it again as PDF.
    void produceInterventionReport();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

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
    // How much can be borrowed without authorisation and with it; nothing shows none.
    void showCapacities(const std::optional<borrowing::Capacities>& capacities);
    // Fills a report's template with the assessed case and its pictures, opens it, and writes
    // it again as PDF.
    void fillReport(const reports::FullReportFiles& files);
    // The status bar says what the PDF conversions do, with a moving bar while one runs.
    void showPdfProgress();
    // The register's dialog offers the entity and its dependent entities as holders.
    void showHolders();
    void showEditedGroup();
    // The colours that say what a text means, for the palette in use.
    void applyColours();
    // The entity data and the limit as the prompts leave them.
    void changeEntity(const std::function<void(EntityData&)>& change);
    void startFresh();
    void setupToolBar();
    // Each page scrolls when the window is smaller than its layout asks for; the tabs and the
    // buttons under them stay in sight.
    void scrollPages();
    // Amount fields wide enough for what they show, and no wider.
    void sizeAmountFields();
    void sizeSmallControls();
    // The default size and place, within the screen, or those the window was last closed with.
    void placeWindow();
    void rememberPlace() const;

    Ui::MainWindow* m_ui;
    CaseModel* m_model;
    Prompter m_prompter;
    std::function<void(const QString&)> m_documentOpener;
    PdfConverter* m_pdfConverter;
    QProgressBar* m_pdfProgress = nullptr;
    QString m_programFolder;
    CaseDocument* m_document = nullptr;
    reports::ResultsWindow* m_resultsWindow = nullptr;
    calculator::LoanCalculatorDialog* m_loanCalculator = nullptr;
    calculator::LoansDialog* m_loansDialog = nullptr;
    calculator::EntitiesDialog* m_entitiesDialog = nullptr;
    calculator::DossierDialog* m_dossierDialog = nullptr;
    EvolutionDialog* m_evolutionDialog = nullptr;
    CaseBinding* m_binding = nullptr;
    // What the verdict shown last said; its text is coloured to match.
    borrowing::Outcome m_verdictOutcome = borrowing::Outcome::NoAuthorisation;
};

} // namespace app
