// MainWindow: the program's main window and its application-wide key rules.
#include "MainWindow.h"

#include "AmountEdit.h"
#include "Capacity.h"
#include "Checks.h"
#include "Command.h"
#include "DebtGauge.h"
#include "EvolutionDialog.h"
#include "FullReport.h"
#include "Indicators.h"
#include "IntegerText.h"
#include "KeyRules.h"
#include "LoanCalculatorDialog.h"
#include "LoanRegister.h"
#include "LoansDialog.h"
#include "LocaleSeparators.h"
#include "ProjectionTable.h"
#include "QuickReport.h"
#include "ResultsWindow.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <map>

namespace app {

using amount::AmountEdit;

namespace {

constexpr QSize ToolButtonSize{118, 21};
constexpr int ToolBarHeight = 29;
constexpr int ToolBarIndent = 5;
constexpr int StatusBarHeight = 19;

const QString Caption = QStringLiteral("Cálculos para Endeudamiento Municipal.");
// Where the window's place and size are remembered.
const QString GeometryKey = QStringLiteral("ventana/geometria");
const QString MaximizedKey = QStringLiteral("ventana/maximizada");

// The width of a field that shows `text`, in the field's font and frame.
int fieldWidthFor(const AmountEdit* field, const QString& text)
{
    const QFontMetrics metrics(field->font());
    // A line edit asks for 17 "x" and its frame.
    const int frame = field->sizeHint().width() - 17 * metrics.horizontalAdvance(u'x');
    return metrics.horizontalAdvance(text) + frame;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::MainWindow),
      m_prompter([this](const QString& title, const QString& prompt, const QString& proposed) {
          return TextPrompt::ask(title, prompt, proposed, this);
      }),
      m_documentOpener(
          [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
{
    m_ui->setupUi(this);
    setupToolBar();
    m_ui->BarraInferior->setFixedHeight(StatusBarHeight);
    // Compact tabs, so that the four captions fit the window's width.
    m_ui->Paginas->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { color: red; padding: 3px 6px; border: 1px solid #9a9a9a;"
                       " border-bottom: none; border-top-left-radius: 2px;"
                       " border-top-right-radius: 2px; background: #e4e4e4; margin-top: 2px; }"
                       "QTabBar::tab:selected { background: palette(window); margin-top: 0px; }"));
    sizeAmountFields();
    sizeSmallControls();
    m_ui->LabelCita->setText(borrowing::ruleExplanation());
    // Why there is no capacity, in the verdict's red.
    for (QLabel* reason : {m_ui->MotivoCapLibre, m_ui->MotivoCapMax}) {
        QPalette palette = reason->palette();
        palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
        reason->setPalette(palette);
    }

    const auto runs = [this](auto method) { return command::guarded(this, method); };
    connect(m_ui->BtnSalir, &QPushButton::clicked, this, runs(&MainWindow::quit));
    connect(m_ui->mnSalir, &QAction::triggered, this, runs(&MainWindow::quit));
    connect(m_ui->BtnCalcular, &QPushButton::clicked, this, runs(&MainWindow::calculate));
    connect(m_ui->BtnPrestamo, &QPushButton::clicked, this, runs(&MainWindow::openLoanCalculator));
    connect(m_ui->BtnPrestamos, &QPushButton::clicked, this, runs(&MainWindow::openLoansRegister));
    connect(m_ui->TbDatosE, &QAction::triggered, this, runs(&MainWindow::editEntityData));
    connect(m_ui->tbPorcientoE, &QAction::triggered, this, runs(&MainWindow::askDebtLimit));
    connect(m_ui->TbInforme, &QAction::triggered, this, runs(&MainWindow::showQuickReport));
    connect(m_ui->BtnInforme, &QPushButton::clicked, this, runs(&MainWindow::produceFullReport));
    connect(m_ui->BtnUsarCapital, &QPushButton::clicked, this,
            runs(&MainWindow::borrowFreeCapacity));
    connect(m_ui->BtnEvolucion, &QPushButton::clicked, this, runs(&MainWindow::showEvolution));
    connect(m_ui->mnEvolucion, &QAction::triggered, this, runs(&MainWindow::showEvolution));

    startFresh();
    m_resultsWindow = new reports::ResultsWindow(this);
    m_loanCalculator = new calculator::LoanCalculatorDialog(this);
    m_loansDialog = new calculator::LoansDialog(this);
    m_evolutionDialog = new EvolutionDialog(this);

    m_document = new CaseDocument(*this, this);
    const auto runsCase = [this](auto method) { return command::guarded(m_document, method); };
    connect(m_ui->mnNuevo, &QAction::triggered, this, runsCase(&CaseDocument::newCase));
    connect(m_ui->mnAbrir, &QAction::triggered, this, runsCase(qOverload<>(&CaseDocument::open)));
    connect(m_ui->mnGuardar, &QAction::triggered, this, runsCase(&CaseDocument::save));
    connect(m_ui->mnGuardarComo, &QAction::triggered, this, runsCase(&CaseDocument::saveAs));
    connect(m_document, &CaseDocument::changed, this, &MainWindow::showCaseState);
    // Typing keeps every figure within what a case may hold.
    for (const borrowing::FigureField& field : borrowing::FigureFields) {
        amountField(field.name)->setMinValue(-borrowing::LargestAmount);
        amountField(field.name)->setMaxValue(borrowing::LargestAmount);
    }
    watchForChanges();
    connect(m_evolutionDialog, &EvolutionDialog::growthChanged, m_document,
            &CaseDocument::markModified);
    showCaseState();
    placeWindow();
}

MainWindow::~MainWindow()
{
    delete m_ui;
}

void MainWindow::setupToolBar()
{
    m_ui->Barrasuperior->setFixedHeight(ToolBarHeight);
    // Three 118-pixel buttons after an indent of 5 pixels fill the window's width.
    m_ui->Barrasuperior->setStyleSheet(
        QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"));
    auto* indent = new QWidget(m_ui->Barrasuperior);
    indent->setFixedWidth(ToolBarIndent);
    m_ui->Barrasuperior->insertWidget(m_ui->Barrasuperior->actions().value(0), indent);
    for (QAction* action : {m_ui->TbDatosE, m_ui->tbPorcientoE, m_ui->TbInforme}) {
        QWidget* button = m_ui->Barrasuperior->widgetForAction(action);
        button->setObjectName(action->objectName());
        button->setFixedSize(ToolButtonSize);
        // The button's own text keeps the "&" mnemonic that the action's icon text drops.
        if (auto* toolButton = qobject_cast<QToolButton*>(button))
            toolButton->setText(action->text());
    }
}

void MainWindow::sizeAmountFields()
{
    // Percentages are short; every field has room for the largest amount it may show, and
    // no more, so that wide windows do not stretch them.
    const QStringList percentages{QStringLiteral("CFANTERIOR"), QStringLiteral("CFNUEVO"),
                                  QStringLiteral("CFTOTAL")};
    for (AmountEdit* field : m_ui->centralwidget->findChildren<AmountEdit*>()) {
        const bool percentage = percentages.contains(field->objectName());
        field->setMinimumWidth(fieldWidthFor(field, percentage ? QStringLiteral("100,00")
                                                               : QStringLiteral("999.999.999,99")));
        field->setMaximumWidth(fieldWidthFor(field, QStringLiteral("-9.999.999.999.999,99")));
    }
}

void MainWindow::sizeSmallControls()
{
    // The calculator's button is a square as high as the field beside it.
    const int side = m_ui->APPTOTAL->sizeHint().height();
    m_ui->BtnPrestamo->setFixedSize(side, side);
    // The revenue and expenditure groups line their fields up one under the other.
    QGridLayout* revenue = m_ui->GbDrnLayout;
    QGridLayout* expenditure = m_ui->BGOrnLayout;
    int labels = 0;
    for (QGridLayout* grid : {revenue, expenditure}) {
        for (int row = 1; row < grid->rowCount(); ++row) {
            if (QLayoutItem* item = grid->itemAtPosition(row, 0))
                labels = std::max(labels, item->sizeHint().width());
        }
    }
    revenue->setColumnMinimumWidth(0, labels);
    expenditure->setColumnMinimumWidth(0, labels);
    // The verdict takes a few lines at most.
    const QFontMetrics metrics(m_ui->REGIMENVIGENTE->font());
    m_ui->REGIMENVIGENTE->setMaximumHeight(4 * metrics.lineSpacing() +
                                           2 * m_ui->REGIMENVIGENTE->frameWidth());
}

void MainWindow::placeWindow()
{
    // At first what the layouts ask for, every tab in sight, centred on the screen.
    resize(sizeHint().expandedTo(minimumSizeHint()));
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    // Then where the user left it, while that still fits a screen.
    const QSettings settings;
    const QRect remembered = settings.value(GeometryKey).toRect();
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool fits = remembered.isValid() && remembered.width() >= minimumSizeHint().width() &&
                      remembered.height() >= minimumSizeHint().height() &&
                      std::any_of(screens.cbegin(), screens.cend(), [&](const QScreen* s) {
                          return s->availableGeometry().contains(remembered);
                      });
    if (fits) {
        setGeometry(remembered);
        if (settings.value(MaximizedKey).toBool())
            setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::rememberPlace() const
{
    QSettings settings;
    settings.setValue(GeometryKey, normalGeometry());
    settings.setValue(MaximizedKey, isMaximized());
}

void MainWindow::startFresh()
{
    qApp->installEventFilter(new KeyRules(m_ui->Paginas, m_ui->ICAP1, this));
    m_ui->Paginas->setCurrentIndex(0);
    m_entity = EntityData{};
    updateLimitCaption();
}

void MainWindow::watchForChanges()
{
    QList<AmountEdit*> inputs{m_loanCalculator->capitalField(), m_loanCalculator->rateField(),
                              m_loanCalculator->yearsField()};
    for (const borrowing::FigureField& field : borrowing::FigureFields)
        inputs << amountField(field.name);
    for (AmountEdit* input : inputs)
        connect(input, &QLineEdit::textChanged, m_document, &CaseDocument::markModified);
}

void MainWindow::noteEntityChange(const EntityData& before)
{
    if (!(m_entity == before))
        m_document->markModified();
}

void MainWindow::showCaseState()
{
    const QString path = m_document->path();
    setWindowFilePath(path);
    if (path.isEmpty()) {
        // The bare caption has no place for the unsaved-changes mark.
        setWindowModified(false);
        setWindowTitle(Caption);
    } else {
        setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] — ") + Caption);
        setWindowModified(m_document->isModified());
    }

    QMenu* recent = m_ui->mnAbrirReciente;
    recent->clear();
    const QStringList paths = m_document->recentCases();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* action = recent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this,
            [this, path] { command::run([&] { m_document->open(path); }); });
        action->setToolTip(path);
    }
    recent->setEnabled(!paths.isEmpty());
}

AmountEdit* MainWindow::amountField(const char* name) const
{
    return m_ui->centralwidget->findChild<AmountEdit*>(QLatin1String(name));
}

borrowing::Figures MainWindow::figures() const
{
    borrowing::Figures figures;
    for (const borrowing::FigureField& field : borrowing::FigureFields)
        figures.*field.member = amountField(field.name)->value();
    return figures;
}

borrowing::Case MainWindow::currentCase() const
{
    // The untouched "0" of a fresh start is no limit, not one the user typed.
    const bool limitTyped = m_entity.maxDebtPercent != 0 || m_entity.maxDebtPercentText != u"0";
    return {.entityName = m_entity.name,
            .entityProvince = m_entity.province,
            .limitText = limitTyped ? m_entity.maxDebtPercentText : QString(),
            .figures = figures(),
            .plannedLoan = m_loanCalculator->plannedLoan(),
            .loans = m_loansDialog->loans(),
            .revenueGrowth = m_evolutionDialog->growth()};
}

void MainWindow::showCase(const borrowing::Case& c)
{
    m_ui->Paginas->setCurrentIndex(0);
    m_entity = EntityData{};
    m_entity.name = c.entityName;
    m_entity.province = c.entityProvince;
    if (!c.limitText.isEmpty()) {
        m_entity.maxDebtPercentText = c.limitText;
        m_entity.maxDebtPercent = amount::parseInteger(c.limitText).value_or(0);
    }
    updateLimitCaption();
    for (AmountEdit* field : m_ui->centralwidget->findChildren<AmountEdit*>())
        field->setValue(0);
    m_indicators = {};
    for (const borrowing::FigureField& field : borrowing::FigureFields)
        amountField(field.name)->setValue(c.figures.*field.member);
    m_loansDialog->setLoans(c.loans);
    showRegisterTotals();
    m_ui->Mayormenor->clear();
    showVerdict(std::nullopt);
    showCapacities(std::nullopt);
    m_loanCalculator->restore(c.plannedLoan);
    m_evolutionDialog->setGrowth(c.revenueGrowth);
    if (m_entity.maxDebtPercent != 0)
        recalculate();
}

void MainWindow::updateLimitCaption()
{
    m_ui->GroupBox11->setTitle(limitCaption(m_entity.maxDebtPercentText));
}

void MainWindow::ensureEntityData()
{
    const EntityData before = m_entity;
    app::ensureEntityData(m_entity, m_prompter);
    noteEntityChange(before);
}

void MainWindow::editEntityData()
{
    const EntityData before = m_entity;
    app::editEntityData(m_entity, m_prompter);
    noteEntityChange(before);
}

void MainWindow::askDebtLimit()
{
    const EntityData before = m_entity;
    askMaxDebtPercent(m_entity, m_prompter, std::nullopt);
    updateLimitCaption();
    noteEntityChange(before);
}

void MainWindow::recalculate()
{
    if (m_entity.maxDebtPercent == 0) {
        const EntityData before = m_entity;
        askMaxDebtPercent(m_entity, m_prompter, QStringLiteral("110"));
        noteEntityChange(before);
    }
    updateLimitCaption();
    const borrowing::Figures shown = figures();
    m_indicators = borrowing::computeIndicators(shown, m_entity.maxDebtPercent, m_indicators);
    for (const borrowing::IndicatorField& field : borrowing::IndicatorFields)
        amountField(field.name)->setValue(m_indicators.*field.member);
    if (m_indicators.comparison != borrowing::Comparison::None)
        m_ui->Mayormenor->setText(borrowing::comparisonText(m_indicators.comparison));
    const borrowing::Indicators& r = m_indicators;
    showVerdict(borrowing::currentVerdict(r.computableRevenue, r.computableDebt,
                                          r.computableNetSavings, amount::currentSeparators()));
    const borrowing::CapacityFigures capacity =
        borrowing::capacityFigures(shown, r, m_loanCalculator->plannedLoan());
    showCapacities(borrowing::borrowingCapacities(capacity));
}

void MainWindow::showCapacities(const std::optional<borrowing::Capacities>& capacities)
{
    m_capacities = capacities;
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
        reason->setText(repeated ? QString() : borrowing::shortfallText(capacity));
        reason->setVisible(!reason->text().isEmpty());
    }
    m_ui->BtnUsarCapital->setEnabled(capacities && capacities->free.amount.value_or(0) > 0);
}

borrowing::ProjectionFigures MainWindow::projectionFigures() const
{
    return borrowing::projectionFigures(figures(), m_indicators, m_loansDialog->loans(),
                                        m_loanCalculator->plannedLoan(),
                                        m_evolutionDialog->growth());
}

void MainWindow::showEvolution()
{
    recalculate();
    m_evolutionDialog->showProjection(projectionFigures());
    m_evolutionDialog->exec();
}

void MainWindow::borrowFreeCapacity()
{
    if (!m_capacities || !m_capacities->free.amount)
        return;
    // The calculator takes what a field takes.
    m_loanCalculator->capitalField()->setValue(
        std::min(*m_capacities->free.amount, std::floor(borrowing::LargestAmount)));
    openLoanCalculator();
}

void MainWindow::showVerdict(const std::optional<borrowing::Verdict>& verdict)
{
    m_verdict = verdict;
    m_ui->RATIOENDEUDAMIENTO->setText(verdict ? verdict->ratioText : QString());
    m_ui->REGIMENVIGENTE->setPlainText(verdict ? verdict->resultText : QString());
    m_ui->IndicadorEndeudamiento->setReading(
        verdict ? verdict->ratio : std::nullopt, verdict ? verdict->ratioText : QString(),
        verdict && verdict->negativeNetSavings, verdict ? verdict->resultText : QString());
    if (!verdict)
        return;
    // The colour repeats what the text says.
    static const std::map<borrowing::Outcome, QColor> colours{
        {borrowing::Outcome::NoAuthorisation, QColor(0, 128, 0)},
        {borrowing::Outcome::Authorisation, QColor(204, 102, 0)},
        {borrowing::Outcome::Forbidden, QColor(192, 0, 0)}};
    QPalette palette = m_ui->REGIMENVIGENTE->palette();
    palette.setColor(QPalette::Text, colours.at(verdict->outcome));
    m_ui->REGIMENVIGENTE->setPalette(palette);
}

void MainWindow::openLoansRegister()
{
    if (m_loansDialog->exec() != QDialog::Accepted)
        return;
    showRegisterTotals();
    m_document->markModified();
}

void MainWindow::showRegisterTotals()
{
    const bool fromRegister = !m_loansDialog->loans().empty();
    if (fromRegister) {
        const borrowing::RegisterTotals totals = m_loansDialog->totals();
        m_ui->APVTOTAL->setValue(totals.annuity);
        m_ui->CVPEX->setValue(totals.capital);
    }
    const QString tip = fromRegister
                            ? QStringLiteral("Calculado desde el registro de préstamos vigentes")
                            : QString();
    for (AmountEdit* field : {m_ui->APVTOTAL, m_ui->CVPEX}) {
        field->setEnabled(!fromRegister);
        field->setToolTip(tip);
    }
}

void MainWindow::openLoanCalculator()
{
    const bool acceptedBefore = m_loanCalculator->wasAccepted();
    m_loanCalculator->exec();
    if (m_loanCalculator->wasAccepted()) {
        m_ui->APPTOTAL->setValue(m_loanCalculator->yearlyPayment());
        m_ui->CTPN->setValue(m_loanCalculator->plannedLoan().capital);
    }
    if (m_loanCalculator->wasAccepted() || acceptedBefore)
        m_document->markModified();
}

reports::ReportFigures MainWindow::reportFigures() const
{
    return reports::reportFigures(
        {.entityName = m_entity.name,
         .entityProvince = m_entity.province,
         .maxDebtPercentText = m_entity.maxDebtPercentText,
         .plannedLoan = m_loanCalculator->plannedLoan(),
         .monthlyPayment = m_loanCalculator->monthlyPayment(),
         .yearlyPayment = m_loanCalculator->yearlyPayment(),
         .averageLife = m_loanCalculator->averageLife(),
         .prudence = m_loanCalculator->prudenceLine(),
         .figures = figures(),
         .indicators = m_indicators,
         .verdict = m_verdict.value_or(borrowing::Verdict{}),
         .freeCapacity = m_capacities ? m_capacities->free : borrowing::Capacity{},
         .maximumCapacity = m_capacities ? m_capacities->withAuthorisation : borrowing::Capacity{},
         .projection = borrowing::projectDebt(projectionFigures()),
         .existingLoans = {m_loansDialog->shownLoans(), m_loansDialog->shownTotals()}},
        amount::currentSeparators());
}

void MainWindow::showQuickReport()
{
    ensureEntityData();
    recalculate();
    const QStringList lines = reports::quickReportLines(reportFigures());
    m_resultsWindow->clearLines();
    m_resultsWindow->appendLines(lines);
    m_resultsWindow->exec();
}

void MainWindow::produceFullReport()
{
    ensureEntityData();
    recalculate();
    const reports::FullReportFiles files = reports::fullReportFiles(
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder,
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    reports::runFullReport(
        files.templatePath, files.outputPath,
        [this](const std::string& tag) { return reportTagValue(tag); },
        {.existingLoans = {m_loansDialog->shownLoans(), m_loansDialog->shownTotals()},
         .evolution = reports::projectionRows(borrowing::projectDebt(projectionFigures()),
                                              amount::currentSeparators())},
        m_documentOpener);
}

std::optional<std::string> MainWindow::reportTagValue(const std::string& tag) const
{
    return reports::reportTagValue(reportFigures(), tag);
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
    rememberPlace();
    event->accept();
}

} // namespace app
