// MainWindow: the program's main window and its application-wide key rules.
#pragma once

#include "Capacity.h"
#include "CaseDocument.h"
#include "EntityData.h"
#include "Indicators.h"
#include "Projection.h"
#include "ReportFigures.h"
#include "TextPrompt.h"
#include "Verdict.h"

#include <QMainWindow>

#include <functional>
#include <optional>
#include <string>

class QCloseEvent;

namespace amount {
class AmountEdit;
}
namespace calculator {
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

class EvolutionDialog;

class MainWindow final : public QMainWindow, private CaseView
{
    Q_OBJECT

public:
    // Creates the window, then the results window and the loan calculator, in that order.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    reports::ResultsWindow* resultsWindow() const { return m_resultsWindow; }
    calculator::LoanCalculatorDialog* loanCalculator() const { return m_loanCalculator; }
    calculator::LoansDialog* loansRegister() const { return m_loansDialog; }
    const EntityData& entityData() const { return m_entity; }
    CaseDocument* caseDocument() const { return m_document; }

    // Replaces the text prompt, so that a test can answer the questions.
    void setPrompter(Prompter prompter) { m_prompter = std::move(prompter); }
    // Replaces the desktop's open action on the full report's output.
    void setDocumentOpener(std::function<void(const QString&)> opener)
    {
        m_documentOpener = std::move(opener);
    }
    // Replaces the program's folder, where the full report's template and output lie.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    void ensureEntityData();
    void updateLimitCaption();
    // Computes every total and indicator, asking for the debt limit first when none is set.
    void recalculate();
    // The entity data and the fields as they are displayed now, for the reports.
    reports::ReportFigures reportFigures() const;
    // The full report's value of one of its tags, in UTF-8.
    std::optional<std::string> reportTagValue(const std::string& tag) const;

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    borrowing::Case currentCase() const override;
    void showCase(const borrowing::Case& c) override;
    amount::AmountEdit* amountField(const char* name) const;
    // The figures as their fields hold them.
    borrowing::Figures figures() const;
    void showCaseState();
    // While the register holds loans, their totals stand in the existing debt's fields.
    void showRegisterTotals();
    // Shows the verdict under the rules in force; nothing shows no verdict.
    void showVerdict(const std::optional<borrowing::Verdict>& verdict);
    // How much can be borrowed without authorisation and with it; nothing shows none.
    void showCapacities(const std::optional<borrowing::Capacities>& capacities);
    // What the projection year by year starts from.
    borrowing::ProjectionFigures projectionFigures() const;
    void watchForChanges();
    // Marks the case modified when the entity data or the limit differ from `before`.
    void noteEntityChange(const EntityData& before);
    void startFresh();
    void setupToolBar();
    // Amount fields wide enough for what they show, and no wider.
    void sizeAmountFields();
    void sizeSmallControls();
    // The default size and place, or those the window was last closed with.
    void placeWindow();
    void rememberPlace() const;

    Ui::MainWindow* m_ui;
    EntityData m_entity;
    Prompter m_prompter;
    std::function<void(const QString&)> m_documentOpener;
    QString m_programFolder;
    CaseDocument* m_document = nullptr;
    reports::ResultsWindow* m_resultsWindow = nullptr;
    calculator::LoanCalculatorDialog* m_loanCalculator = nullptr;
    calculator::LoansDialog* m_loansDialog = nullptr;
    // What the last calculation showed; burdens it could not work out keep these.
    borrowing::Indicators m_indicators;
    std::optional<borrowing::Verdict> m_verdict;
    std::optional<borrowing::Capacities> m_capacities;
    EvolutionDialog* m_evolutionDialog = nullptr;
};

} // namespace app
