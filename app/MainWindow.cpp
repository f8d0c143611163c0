// MainWindow: the program's main window, which shows the case model, and its commands.
#include "MainWindow.h"

#include "AmountEdit.h"
#include "CaseBinding.h"
#include "CaseModel.h"
#include "Checks.h"
#include "Command.h"
#include "DebtGauge.h"
#include "EntitiesDialog.h"
#include "EvolutionDialog.h"
#include "KeyRules.h"
#include "LoanCalculatorDialog.h"
#include "LoansDialog.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "PlanCommand.h"
#include "ReportCommands.h"
#include "SettlementImport.h"
#include "WindowColours.h"
#include "WindowPlacement.h"
#include "Wording.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace app {

using amount::AmountEdit;

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::MainWindow), m_model(new CaseModel(this)),
      m_prompter([this](const QString& title, const QString& prompt, const QString& proposed) {
          return TextPrompt::ask(title, prompt, proposed, this);
      })
{
    m_ui->setupUi(this);
    layOutForm(*m_ui);
    m_ui->LabelCita->setText(reports::ruleExplanation());
    m_colours = new WindowColours(this, *m_ui);

    const auto runs = [this](auto method) { return command::guarded(this, method); };
    connect(m_ui->BtnSalir, &QPushButton::clicked, this, runs(&MainWindow::quit));
    connect(m_ui->mnSalir, &QAction::triggered, this, runs(&MainWindow::quit));
    connect(m_ui->BtnCalcular, &QPushButton::clicked, this, runs(&MainWindow::calculate));
    connect(m_ui->BtnPrestamo, &QPushButton::clicked, this, runs(&MainWindow::openLoanCalculator));
    connect(m_ui->BtnPrestamos, &QPushButton::clicked, this, runs(&MainWindow::openLoansRegister));
    connect(m_ui->TbDatosE, &QAction::triggered, this, runs(&MainWindow::editEntityData));
    connect(m_ui->tbPorcientoE, &QAction::triggered, this, runs(&MainWindow::askDebtLimit));
    connect(m_ui->BtnUsarCapital, &QPushButton::clicked, this,
            runs(&MainWindow::borrowFreeCapacity));
    connect(m_ui->BtnEvolucion, &QPushButton::clicked, this, runs(&MainWindow::showEvolution));
    connect(m_ui->mnEvolucion, &QAction::triggered, this, runs(&MainWindow::showEvolution));
    connect(m_ui->BtnEntidades, &QPushButton::clicked, this, runs(&MainWindow::openEntities));
    connect(m_ui->mnEntidades, &QAction::triggered, this, runs(&MainWindow::openEntities));

    startFresh();
    m_reports = new ReportCommands(*m_model, this, [this] {
        ensureEntityData();
        recalculate();
    });
    const auto reports = [this](auto method) { return command::guarded(m_reports, method); };
    connect(m_ui->TbInforme, &QAction::triggered, this, reports(&ReportCommands::showQuickReport));
    connect(m_ui->BtnInforme, &QPushButton::clicked, this,
            reports(&ReportCommands::produceFullReport));
    connect(m_ui->mnIntervencion, &QAction::triggered, this,
            reports(&ReportCommands::produceInterventionReport));
    m_loanCalculator = new calculator::LoanCalculatorDialog(this);
    m_loansDialog = new editors::LoansDialog(this);
    m_entitiesDialog = new editors::EntitiesDialog(this);
    m_evolutionDialog = new EvolutionDialog(this);
    connect(m_entitiesDialog, &editors::EntitiesDialog::edited, this, &MainWindow::showEditedGroup);
    auto* plan = new PlanCommand(*m_model, this, [this] { recalculate(); });
    connect(m_ui->BtnPlan, &QPushButton::clicked, this,
            command::guarded(plan, &PlanCommand::openPlan));
    connect(m_ui->mnPlan, &QAction::triggered, this,
            command::guarded(plan, &PlanCommand::openPlan));
    m_binding = new CaseBinding(*m_model, m_ui->centralwidget, m_loanCalculator, m_evolutionDialog);

    m_document = new CaseDocument(*m_model, this);
    const auto runsCase = [this](auto method) { return command::guarded(m_document, method); };
    connect(m_ui->mnNuevo, &QAction::triggered, this, runsCase(&CaseDocument::newCase));
    connect(m_ui->mnAbrir, &QAction::triggered, this, runsCase(qOverload<>(&CaseDocument::open)));
    connect(m_ui->mnGuardar, &QAction::triggered, this, runsCase(&CaseDocument::save));
    connect(m_ui->mnGuardarComo, &QAction::triggered, this, runsCase(&CaseDocument::saveAs));
    m_settlementImport = new SettlementImport(*m_model, this);
    connect(m_ui->mnImportarLiquidacion, &QAction::triggered, this,
            command::guarded(m_settlementImport, &SettlementImport::importSettlement));
    connect(m_document, &CaseDocument::changed, this, &MainWindow::showCaseState);
    connect(m_model, &CaseModel::edited, m_document, &CaseDocument::markModified);
    connect(m_model, &CaseModel::changed, this, &MainWindow::showRegisterState);
    connect(m_model, &CaseModel::wasReset, this, &MainWindow::showNewCase);
    connect(m_model, &CaseModel::assessed, this, &MainWindow::showAssessment);
    // The evolution follows the growth as it is typed, once the typing pauses.
    connect(m_model, &CaseModel::edited, this, [this] {
        if (m_evolutionDialog->isVisible())
            m_model->requestPreview(m_model->current());
    });
    connect(m_model, &CaseModel::previewed, this, &MainWindow::showPreview);
    showCaseState();
    // Once the pages are filled in, so that what they ask for is measured as they show.
    scrollPages(m_ui->Paginas);
    placeWindow(*this);
}

MainWindow::~MainWindow()
{
    delete m_ui;
}

void MainWindow::startFresh()
{
    qApp->installEventFilter(new KeyRules(m_ui->Paginas, m_ui->ICAP1, this));
    m_ui->Paginas->setCurrentIndex(0);
    updateLimitCaption();
    showAnnuityMismatch(std::nullopt);
}

void MainWindow::showCaseState()
{
    const QString path = m_document->path();
    setWindowFilePath(path);
    if (path.isEmpty()) {
        // The bare caption has no place for the unsaved-changes mark.
        setWindowModified(false);
        setWindowTitle(reports::windowCaption());
    } else {
        setWindowTitle(reports::caseWindowTitle(QFileInfo(path).fileName()));
        setWindowModified(m_document->isModified());
    }

    QMenu* recent = m_ui->mnAbrirReciente;
    recent->clear();
    const QStringList paths = m_document->recentCases();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* action =
            recent->addAction(reports::recentCaseEntry(i + 1, QFileInfo(path).fileName()), this,
                              [this, path] { command::run([&] { m_document->open(path); }); });
        action->setToolTip(path);
    }
    recent->setEnabled(!paths.isEmpty());
}

EntityData MainWindow::entityData() const
{
    return m_model->entity();
}

void MainWindow::showNewCase()
{
    m_ui->Paginas->setCurrentIndex(0);
    updateLimitCaption();
    m_ui->Mayormenor->clear();
    showVerdict(std::nullopt);
    showCapacities(std::nullopt);
    showAnnuityMismatch(std::nullopt);
    showStability(std::nullopt);
    const borrowing::Case& c = m_model->current();
    m_loansDialog->setLoans(c.loans);
    showHolders();
    m_loanCalculator->restore(c.plannedLoan);
    if (entityData().maxDebtPercent != 0)
        recalculate();
}

void MainWindow::updateLimitCaption()
{
    m_ui->GroupBox11->setTitle(reports::limitCaption(entityData().maxDebtPercentText));
}

void MainWindow::changeEntity(const std::function<void(EntityData&)>& change)
{
    EntityData entity = entityData();
    change(entity);
    m_model->setEntity(entity);
    updateLimitCaption();
}

void MainWindow::ensureEntityData()
{
    changeEntity([this](EntityData& e) { app::ensureEntityData(e, m_prompter); });
}

void MainWindow::editEntityData()
{
    changeEntity([this](EntityData& e) { app::editEntityData(e, m_prompter); });
}

void MainWindow::askDebtLimit()
{
    changeEntity([this](EntityData& e) { askMaxDebtPercent(e, m_prompter, std::nullopt); });
}

void MainWindow::recalculate()
{
    if (entityData().maxDebtPercent == 0) {
        changeEntity(
            [this](EntityData& e) { askMaxDebtPercent(e, m_prompter, QStringLiteral("110")); });
    }
    m_binding->checkFields();
    m_model->assess();
}

void MainWindow::showAssessment()
{
    const borrowing::Assessment& a = *m_model->assessment();
    if (a.indicators.comparison != borrowing::Comparison::None)
        m_ui->Mayormenor->setText(reports::comparisonText(a.indicators.comparison));
    showVerdict(a.verdict);
    showCapacities(a.capacities);
    showAnnuityMismatch(a.annuityMismatch);
    showStability(a.stability);
    if (m_evolutionDialog->isVisible())
        m_evolutionDialog->showProjection(a.projection);
}

void MainWindow::showStability(const std::optional<borrowing::StabilityStatement>& stability)
{
    const QStringList lines =
        stability ? reports::stabilityLines(*stability, false, amount::currentSeparators())
                  : QStringList();
    m_ui->AvisosEstabilidad->setText(lines.join(u'\n'));
    m_ui->AvisosEstabilidad->setVisible(!lines.isEmpty());
}

void MainWindow::showAnnuityMismatch(const std::optional<borrowing::AnnuityMismatch>& mismatch)
{
    m_ui->AvisoAnualidad->setText(
        mismatch ? reports::annuityMismatchText(*mismatch, amount::currentSeparators())
                 : QString());
    m_ui->AvisoAnualidad->setVisible(mismatch.has_value());
}

void MainWindow::showCapacities(const std::optional<borrowing::Capacities>& capacities)
{
    const std::pair<AmountEdit*, QLabel*> shownAt[] = {{m_ui->CAPLIBRE, m_ui->MotivoCapLibre},
                                                       {m_ui->CAPMAX, m_ui->MotivoCapMax}};
    for (std::size_t i = 0; i < std::size(shownAt); ++i) {
        const auto& [field, reason] = shownAt[i];
        const borrowing::Capacity capacity =
            capacities ? (i == 0 ? capacities->free : capacities->withAuthorisation)
                       : borrowing::Capacity{.amount = 0};
        if (capacity.amount)
            field->setValue(*capacity.amount);
        else
            field->setText(QStringLiteral("—"));
        // Without a term one line says what is missing for both.
        const bool repeated = i > 0 && capacities && !capacity.amount;
        reason->setText(repeated ? QString() : reports::shortfallText(capacity));
        reason->setVisible(!reason->text().isEmpty());
    }
    m_ui->BtnUsarCapital->setEnabled(capacities && capacities->free.amount.value_or(0) > 0);
}

void MainWindow::showEvolution()
{
    recalculate();
    m_evolutionDialog->showProjection(m_model->assessment()->projection);
    m_evolutionDialog->exec();
}

void MainWindow::borrowFreeCapacity()
{
    const std::optional<borrowing::Assessment>& a = m_model->assessment();
    if (!a || !a->capacities.free.amount)
        return;
    // The calculator takes what a field takes.
    m_model->setPlannedLoanFigure(
        &borrowing::PlannedLoan::capital,
        std::min(*a->capacities.free.amount, std::floor(borrowing::LargestAmount)));
    openLoanCalculator();
}

void MainWindow::showVerdict(const std::optional<borrowing::Verdict>& verdict)
{
    const QString ratio =
        verdict ? reports::percentText(verdict->ratio, amount::currentSeparators()) : QString();
    const QString result = verdict ? reports::verdictText(*verdict) : QString();
    m_ui->RATIOENDEUDAMIENTO->setText(ratio);
    m_ui->REGIMENVIGENTE->setPlainText(result);
    m_ui->IndicadorEndeudamiento->setReading(verdict ? verdict->ratio : std::nullopt, ratio,
                                             verdict && verdict->negativeNetSavings, result);
    if (verdict)
        m_colours->showOutcome(verdict->outcome);
}

void MainWindow::openLoansRegister()
{
    showHolders();
    if (m_loansDialog->exec() != QDialog::Accepted)
        return;
    // A register accepted as it was is no change to the case.
    m_model->setLoans(m_loansDialog->loans());
}

void MainWindow::showHolders()
{
    QStringList names;
    for (const borrowing::DependentEntity& e : m_model->current().entities)
        names << e.name;
    m_loansDialog->setHolders(m_model->current().entityName, names);
}

void MainWindow::openEntities()
{
    const borrowing::Case& c = m_model->current();
    m_entitiesDialog->setCase(c.entities, c.loans);
    if (m_entitiesDialog->exec() != QDialog::Accepted)
        return;
    m_model->setGroup(m_entitiesDialog->entities(), m_entitiesDialog->loans());
    m_loansDialog->setLoans(m_model->current().loans);
}

void MainWindow::showEditedGroup()
{
    // The group's table of the case as it would be with the list being edited.
    borrowing::Case edited = m_model->current();
    edited.entities = m_entitiesDialog->editedEntities();
    edited.loans = m_entitiesDialog->editedLoans();
    if (!borrowing::entitiesProblem(edited.entities))
        m_model->requestPreview(std::move(edited));
}

void MainWindow::showPreview(const borrowing::Assessment& a)
{
    if (m_entitiesDialog->isVisible()) {
        const QString& entity = a.shown.entityName;
        m_entitiesDialog->showGroup(
            reports::groupRows(a.group, entity, a.indicators, amount::currentSeparators()),
            reports::groupWarnings(a.group, entity));
    }
    if (m_evolutionDialog->isVisible())
        m_evolutionDialog->showProjection(a.projection);
}

void MainWindow::showRegisterState()
{
    const QString group = reports::groupCaption(m_model->current().entities.size());
    m_ui->LabelGrupo->setText(group);
    m_ui->LabelGrupo->setVisible(!group.isEmpty());
    // The stability page's figures are the entity's own.
    m_ui->LabelCifrasEntidad->setText(group.isEmpty() ? QString() : reports::ownFiguresText());
    m_ui->LabelCifrasEntidad->setVisible(!group.isEmpty());
    // A figure the register fills is shown, not typed.
    for (const borrowing::FigureField& figure : borrowing::FigureFields) {
        const bool fromRegister = borrowing::registerFills(figure.amount, m_model->current().loans);
        AmountEdit* field = m_binding->fieldOf(figure.amount);
        field->setEnabled(!fromRegister);
        field->setToolTip(fromRegister ? reports::fromRegisterTip() : QString());
    }
}

void MainWindow::openLoanCalculator()
{
    const bool acceptedBefore = m_model->current().plannedLoan.accepted;
    m_loanCalculator->exec();
    const bool accepted = m_loanCalculator->wasAccepted();
    m_model->setLoanAccepted(accepted);
    if (accepted) {
        // The annuity the calculator shows and the user accepted.
        m_model->setFigure(&borrowing::Figures::plannedAnnuity,
                           m_loanCalculator->quote().yearlyPayment);
        m_model->setFigure(&borrowing::Figures::plannedCapital,
                           m_model->current().plannedLoan.capital);
    }
    if (accepted || acceptedBefore)
        m_document->markModified();
}

void MainWindow::calculate()
{
    recalculate();
}

void MainWindow::quit()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_document->maybeSave()) {
        event->ignore();
        return;
    }
    rememberPlace(*this);
    event->accept();
}

} // namespace app
