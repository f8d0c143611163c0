// MainWindow: the program's main window, which shows the case model, and its commands.
#include "MainWindow.h"

#include "AmountEdit.h"
#include "BusyWork.h"
#include "CaseBinding.h"
#include "CaseModel.h"
#include "Checks.h"
#include "Colours.h"
#include "Command.h"
#include "DebtGauge.h"
#include "DossierDialog.h"
#include "EntitiesDialog.h"
#include "EvolutionDialog.h"
#include "FullReport.h"
#include "KeyRules.h"
#include "LoanCalculatorDialog.h"
#include "LoansDialog.h"
#include "LocaleSeparators.h"
#include "PdfConversion.h"
#include "QuickReport.h"
#include "ReportPictures.h"
#include "ResultsWindow.h"
#include "Wording.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace app {

using amount::AmountEdit;

namespace {

constexpr QSize ToolButtonSize{118, 21};
constexpr int ToolBarHeight = 29;
constexpr int ToolBarIndent = 5;
constexpr int StatusBarHeight = 19;
constexpr int PdfProgressWidth = 100;

// Room for a window manager's title bar and borders, which are not known before the window is
// shown: a little more than most take.
constexpr QMargins FrameAllowance{4, 40, 4, 4};
// However small the window, a page shows this many lines, more than its tallest control takes.
constexpr int SmallestPageLines = 8;

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

// A page of the tab widget that scrolls when the window is smaller than the page's layout asks
// for, and shows the page as it was otherwise.
class ScrollingPage final : public QScrollArea
{
public:
    ScrollingPage(QWidget* page, QWidget* parent) : QScrollArea(parent)
    {
        setObjectName(page->objectName() + QStringLiteral("Scroll"));
        setFrameShape(QFrame::NoFrame);
        // The fields' tab order passes the page by.
        setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(true);
        // Only the height scrolls: a form read sideways loses its labels.
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidget(page);
        // The tab's pane shows through, as it did behind the page alone.
        page->setAutoFillBackground(false);
        viewport()->setAutoFillBackground(false);
        // Whatever takes the focus, by keys or by a page turned, comes into view: with what
        // lies around it where there is room, and whole in any case.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (!now || !widget()->isAncestorOf(now))
                return;
            ensureWidgetVisible(now);
            const QRect field(now->mapTo(widget(), QPoint()), now->size());
            ensureVisible(field.center().x(), field.center().y(), field.width() / 2 + 1,
                          field.height() / 2 + 1);
        });
    }

    // The page's whole size, where a plain scroll area asks for less.
    QSize sizeHint() const override { return widget()->sizeHint(); }
    QSize minimumSizeHint() const override
    {
        return {widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width(),
                SmallestPageLines * fontMetrics().lineSpacing()};
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::MainWindow), m_model(new CaseModel(this)),
      m_prompter([this](const QString& title, const QString& prompt, const QString& proposed) {
          return TextPrompt::ask(title, prompt, proposed, this);
      }),
      m_documentOpener(
          [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }),
      m_pdfConverter(new PdfConverter(this))
{
    m_ui->setupUi(this);
    setupToolBar();
    m_ui->BarraInferior->setFixedHeight(StatusBarHeight);
    sizeAmountFields();
    sizeSmallControls();
    m_ui->LabelCita->setText(reports::ruleExplanation());
    applyColours();
    showPdfProgress();

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
    connect(m_ui->BtnEntidades, &QPushButton::clicked, this, runs(&MainWindow::openEntities));
    connect(m_ui->mnEntidades, &QAction::triggered, this, runs(&MainWindow::openEntities));
    connect(m_ui->mnIntervencion, &QAction::triggered, this,
            runs(&MainWindow::produceInterventionReport));

    startFresh();
    m_resultsWindow = new reports::ResultsWindow(this);
    m_loanCalculator = new calculator::LoanCalculatorDialog(this);
    m_loansDialog = new calculator::LoansDialog(this);
    m_entitiesDialog = new calculator::EntitiesDialog(this);
    m_dossierDialog = new calculator::DossierDialog(this);
    m_evolutionDialog = new EvolutionDialog(this);
    connect(m_entitiesDialog, &calculator::EntitiesDialog::edited, this,
            &MainWindow::showEditedGroup);
    m_binding = new CaseBinding(*m_model, m_ui->centralwidget, m_loanCalculator, m_evolutionDialog);
    connect(m_loanCalculator, &calculator::LoanCalculatorDialog::quoted, m_model,
            [this] { m_model->setQuote(m_loanCalculator->quote()); });

    m_document = new CaseDocument(*m_model, this);
    const auto runsCase = [this](auto method) { return command::guarded(m_document, method); };
    connect(m_ui->mnNuevo, &QAction::triggered, this, runsCase(&CaseDocument::newCase));
    connect(m_ui->mnAbrir, &QAction::triggered, this, runsCase(qOverload<>(&CaseDocument::open)));
    connect(m_ui->mnGuardar, &QAction::triggered, this, runsCase(&CaseDocument::save));
    connect(m_ui->mnGuardarComo, &QAction::triggered, this, runsCase(&CaseDocument::saveAs));
    connect(m_document, &CaseDocument::changed, this, &MainWindow::showCaseState);
    connect(m_model, &CaseModel::edited, m_document, &CaseDocument::markModified);
    connect(m_model, &CaseModel::changed, this, &MainWindow::showRegisterState);
    connect(m_model, &CaseModel::wasReset, this, &MainWindow::showNewCase);
    connect(m_model, &CaseModel::assessed, this, &MainWindow::showAssessment);
    // The evolution follows the growth as it is typed.
    connect(m_model, &CaseModel::edited, this, [this] {
        if (m_evolutionDialog->isVisible())
            command::run([this] { m_model->assess(); });
    });
    showCaseState();
    // Once the pages are filled in, so that what they ask for is measured as they show.
    scrollPages();
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

void MainWindow::scrollPages()
{
    QTabWidget* pages = m_ui->Paginas;
    const int current = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        const QString title = pages->tabText(i);
        pages->removeTab(i);
        // Inside the window throughout, so that the page keeps its place in the tab order.
        pages->insertTab(i, new ScrollingPage(page, pages), title);
    }
    pages->setCurrentIndex(current);
}

void MainWindow::sizeAmountFields()
{
    // Percentages are short; every field has room for the largest amount it may show, and
    // no more, so that wide windows do not stretch them.
    const QList<AmountEdit*> percentages{m_ui->CFANTERIOR, m_ui->CFNUEVO, m_ui->CFTOTAL};
    for (AmountEdit* field : m_ui->centralwidget->findChildren<AmountEdit*>()) {
        const bool percentage = percentages.contains(field);
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
    // At first what the layouts ask for, every tab in sight, centred on the screen; on a
    // smaller screen what it leaves room for, frame included, the pages scrolling.
    QSize size = sizeHint();
    const QScreen* s = screen();
    if (s)
        size = size.boundedTo(s->availableGeometry().marginsRemoved(FrameAllowance).size());
    resize(size.expandedTo(minimumSizeHint()));
    if (s) {
        // The position is the frame's; its title bar, then its bottom, stay on the screen.
        const QRect available = s->availableGeometry();
        QRect frame(available.center() - rect().center(), this->size().grownBy(FrameAllowance));
        frame.moveBottom(std::min(frame.bottom(), available.bottom()));
        frame.moveTop(std::max(frame.top(), available.top()));
        frame.moveRight(std::min(frame.right(), available.right()));
        frame.moveLeft(std::max(frame.left(), available.left()));
        move(frame.topLeft());
    }
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
    updateLimitCaption();
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
    const borrowing::Case& c = m_model->current();
    m_loansDialog->setLoans(c.loans);
    showHolders();
    m_loanCalculator->restore(c.plannedLoan);
    if (entityData().maxDebtPercent != 0)
        recalculate();
}

void MainWindow::updateLimitCaption()
{
    m_ui->GroupBox11->setTitle(limitCaption(entityData().maxDebtPercentText));
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
    if (m_evolutionDialog->isVisible())
        m_evolutionDialog->showProjection(a.projection);
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
        m_verdictOutcome = verdict->outcome;
    applyColours();
}

void MainWindow::applyColours()
{
    // Compact tabs, so that the four captions fit the window's width; their captions are red.
    QTabBar* tabs = m_ui->Paginas->tabBar();
    const QPalette& palette = tabs->palette();
    constexpr qreal UnselectedShade = 0.045;
    tabs->setStyleSheet(
        QStringLiteral("QTabBar::tab { color: %1; padding: 3px 6px; border: 1px solid #9a9a9a;"
                       " border-bottom: none; border-top-left-radius: 2px;"
                       " border-top-right-radius: 2px; background: %2; margin-top: 2px; }"
                       "QTabBar::tab:selected { background: palette(window); margin-top: 0px; }")
            .arg(colours::textColour(colours::Tone::Negative, palette).name(),
                 colours::mix(palette.color(QPalette::Window), palette.color(QPalette::WindowText),
                              UnselectedShade)
                     .name()));
    // Why there is no capacity, in the verdict's red; the verdict in the colour of its outcome.
    for (QLabel* reason : {m_ui->MotivoCapLibre, m_ui->MotivoCapMax})
        reason->setPalette(colours::withTextTone(reason->palette(), colours::Tone::Negative));
    const colours::Tone tone =
        m_verdictOutcome == borrowing::Outcome::NoAuthorisation ? colours::Tone::Positive
        : m_verdictOutcome == borrowing::Outcome::Authorisation ? colours::Tone::Caution
                                                                : colours::Tone::Negative;
    // The verdict stands on its box's base, which may be dark inside a light group.
    QPalette verdict = m_ui->REGIMENVIGENTE->palette();
    QPalette onBase = verdict;
    onBase.setColor(QPalette::Window, verdict.color(QPalette::Base));
    verdict.setColor(QPalette::Text, colours::textColour(tone, onBase));
    m_ui->REGIMENVIGENTE->setPalette(verdict);
}

void MainWindow::changeEvent(QEvent* event)
{
    // The semantic colours are chosen for the palette's backgrounds.
    if (event->type() == QEvent::PaletteChange)
        applyColours();
    QMainWindow::changeEvent(event);
}

void MainWindow::openLoansRegister()
{
    showHolders();
    if (m_loansDialog->exec() != QDialog::Accepted)
        return;
    m_model->setLoans(m_loansDialog->loans());
    m_document->markModified();
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
    if (!borrowing::entitiesProblem(edited.entities).isEmpty())
        return;
    const borrowing::Assessment a = borrowing::assess(edited);
    m_entitiesDialog->showGroup(
        reports::groupRows(a.group, edited.entityName, a.indicators, amount::currentSeparators()),
        reports::groupWarnings(a.group, edited.entityName));
}

void MainWindow::produceInterventionReport()
{
    m_dossierDialog->setDossier(m_model->current().dossier);
    if (m_dossierDialog->exec() != QDialog::Accepted)
        return;
    m_model->setDossier(m_dossierDialog->dossier());
    ensureEntityData();
    recalculate();
    fillReport(reports::interventionReportFiles(
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder,
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
}

void MainWindow::showRegisterState()
{
    const QString group = reports::groupCaption(m_model->current().entities.size());
    m_ui->LabelGrupo->setText(group);
    m_ui->LabelGrupo->setVisible(!group.isEmpty());
    const std::pair<AmountEdit*, amount::Amount borrowing::Figures::*> filled[] = {
        {m_ui->CVPEX, &borrowing::Figures::existingCapital},
        {m_ui->APVTOTAL, &borrowing::Figures::existingAnnuity},
        {m_ui->CVOTEX, &borrowing::Figures::treasuryOperations},
        {m_ui->AJAVALES, &borrowing::Figures::guarantees}};
    for (const auto& [field, figure] : filled) {
        const bool fromRegister = borrowing::registerFills(figure, m_model->current().loans);
        field->setEnabled(!fromRegister);
        field->setToolTip(fromRegister
                              ? QStringLiteral("Calculado desde el registro de préstamos vigentes")
                              : QString());
    }
}

void MainWindow::openLoanCalculator()
{
    const bool acceptedBefore = m_model->current().plannedLoan.accepted;
    m_loanCalculator->exec();
    const bool accepted = m_loanCalculator->wasAccepted();
    m_model->setLoanAccepted(accepted);
    if (accepted) {
        m_model->setFigure(&borrowing::Figures::plannedAnnuity, m_model->quote().yearlyPayment);
        m_model->setFigure(&borrowing::Figures::plannedCapital,
                           m_model->current().plannedLoan.capital);
    }
    if (accepted || acceptedBefore)
        m_document->markModified();
}

void MainWindow::showQuickReport()
{
    ensureEntityData();
    recalculate();
    const reports::ReportValues values(*m_model->assessment(), amount::currentSeparators());
    m_resultsWindow->clearLines();
    m_resultsWindow->appendLines(reports::quickReportLines(values));
    m_resultsWindow->exec();
}

void MainWindow::produceFullReport()
{
    ensureEntityData();
    recalculate();
    const reports::FullReportFiles files = reports::fullReportFiles(
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder,
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    fillReport(files);
}

void MainWindow::fillReport(const reports::FullReportFiles& files)
{
    const borrowing::Assessment& assessment = *m_model->assessment();
    const reports::ReportValues values(assessment, amount::currentSeparators());
    const reports::ReportPictures pictures = reportPictures(assessment);
    // LibreOffice must not be reading the report while it is written again.
    m_pdfConverter->stop(files.outputPath);
    whileBusy(
        [&] { reports::fillFullReport(files.templatePath, files.outputPath, values, pictures); });
    m_documentOpener(files.outputPath);
    // The same report as PDF, beside it.
    m_pdfConverter->convert(files.outputPath);
}

void MainWindow::showPdfProgress()
{
    m_pdfProgress = new QProgressBar(this);
    m_pdfProgress->setRange(0, 0);
    m_pdfProgress->setMaximumWidth(PdfProgressWidth);
    m_pdfProgress->hide();
    statusBar()->addPermanentWidget(m_pdfProgress);
    connect(m_pdfConverter, &PdfConverter::started, this, [this](const QString& pdf) {
        statusBar()->showMessage(pdfStartedText(QFileInfo(pdf).fileName()));
        m_pdfProgress->show();
    });
    connect(m_pdfConverter, &PdfConverter::finished, this,
            [this](PdfResult result, const QString& pdf) {
                statusBar()->showMessage(pdfResultText(result, QFileInfo(pdf).fileName()));
                m_pdfProgress->setVisible(m_pdfConverter->isBusy());
            });
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
