// MainWindow: the program's main window and its application-wide key rules.
#include "MainWindow.h"

#include "AmountEdit.h"
#include "Command.h"
#include "FullReport.h"
#include "Indicators.h"
#include "LoanCalculatorDialog.h"
#include "QuickReport.h"
#include "ResultsWindow.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>

namespace app {

using amount::AmountEdit;

namespace {

constexpr QSize ClientSize{362, 491};
constexpr QSize ToolButtonSize{118, 21};
constexpr int ToolBarHeight = 29;
constexpr int ToolBarIndent = 5;
constexpr int StatusBarHeight = 19;

bool isPageControl(const QWidget* w)
{
    return qobject_cast<const QTabWidget*>(w) ||
           (qobject_cast<const QTabBar*>(w) && qobject_cast<const QTabWidget*>(w->parentWidget()));
}

void focusFirstControlOf(QWidget* page)
{
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
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
    setFixedSize(ClientSize.width(),
                 ClientSize.height() + m_ui->MenuPrincipal->sizeHint().height());
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());

    const auto runs = [this](auto method) { return command::guarded(this, method); };
    connect(m_ui->BtnSalir, &QPushButton::clicked, this, runs(&MainWindow::quit));
    connect(m_ui->mnSalir, &QAction::triggered, this, runs(&MainWindow::quit));
    connect(m_ui->BtnCalcular, &QPushButton::clicked, this, runs(&MainWindow::calculate));
    connect(m_ui->BtnPrestamo, &QPushButton::clicked, this, runs(&MainWindow::openLoanCalculator));
    connect(m_ui->TbDatosE, &QAction::triggered, this, runs(&MainWindow::editEntityData));
    connect(m_ui->tbPorcientoE, &QAction::triggered, this, runs(&MainWindow::askDebtLimit));
    connect(m_ui->TbInforme, &QAction::triggered, this, runs(&MainWindow::showQuickReport));
    connect(m_ui->BtnInforme, &QPushButton::clicked, this, runs(&MainWindow::produceFullReport));

    startFresh();
    m_resultsWindow = new reports::ResultsWindow(this);
    m_loanCalculator = new calculator::LoanCalculatorDialog(this);
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

void MainWindow::startFresh()
{
    qApp->installEventFilter(this);
    m_ui->Paginas->setCurrentIndex(0);
    m_entity = EntityData{};
    updateLimitCaption();
}

void MainWindow::updateLimitCaption()
{
    m_ui->GroupBox11->setTitle(limitCaption(m_entity.maxDebtPercentText));
}

void MainWindow::ensureEntityData()
{
    app::ensureEntityData(m_entity, m_prompter);
}

void MainWindow::editEntityData()
{
    app::editEntityData(m_entity, m_prompter);
}

void MainWindow::askDebtLimit()
{
    askMaxDebtPercent(m_entity, m_prompter, std::nullopt);
    updateLimitCaption();
}

void MainWindow::recalculate()
{
    if (m_entity.maxDebtPercent == 0)
        askMaxDebtPercent(m_entity, m_prompter, QStringLiteral("110"));
    updateLimitCaption();
    const Ui::MainWindow& u = *m_ui;
    const QString comparison = calculateIndicators(
        {u.ICAP1,  u.ICAP2,       u.ICAP3,      u.ICAP4,     u.ICAP5,   u.ITOTAL,   u.GCAP1,
         u.GCAP2,  u.GCAP4,       u.GTOTAL,     u.CVPEX,     u.CVOTEX,  u.APVTOTAL, u.APPTOTAL,
         u.CTPN,   u.CVTOTAL,     u.CFANTERIOR, u.CFEUR1,    u.CFNUEVO, u.CFEUR2,   u.CFTOTAL,
         u.CFEUR3, u.AHORROBRUTO, u.AHORRONETO, u.ITOTAL110, u.CVTOTAL2},
        m_entity.maxDebtPercent);
    if (!comparison.isEmpty())
        m_ui->Mayormenor->setText(comparison);
}

void MainWindow::openLoanCalculator()
{
    m_loanCalculator->exec();
    if (m_loanCalculator->wasAccepted()) {
        m_ui->APPTOTAL->setValue(m_loanCalculator->yearlyPaymentField()->value());
        m_ui->CTPN->setValue(m_loanCalculator->capitalField()->value());
    }
}

reports::ReportFigures MainWindow::reportFigures() const
{
    const Ui::MainWindow& u = *m_ui;
    const auto shown = [](const AmountEdit* field) {
        return reports::ShownAmount{field->text(), field->value()};
    };
    const calculator::LoanCalculatorDialog& loan = *m_loanCalculator;
    return {m_entity.name,
            m_entity.province,
            m_entity.maxDebtPercentText,
            loan.wasAccepted(),
            loan.capitalField()->text(),
            loan.rateField()->text(),
            loan.yearsField()->text(),
            loan.monthlyPaymentField()->text(),
            loan.yearlyPaymentField()->text(),
            u.ITOTAL->text(),
            u.GTOTAL->text(),
            u.APVTOTAL->text(),
            shown(u.APPTOTAL),
            u.CVTOTAL->text(),
            u.CFANTERIOR->text(),
            u.CFEUR1->text(),
            u.CFNUEVO->text(),
            u.CFEUR2->text(),
            u.CFTOTAL->text(),
            u.CFEUR3->text(),
            shown(u.AHORROBRUTO),
            shown(u.AHORRONETO),
            shown(u.ITOTAL110),
            shown(u.CVTOTAL2),
            u.Mayormenor->text()};
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
    const QString folder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() + u'/' : m_programFolder;
    reports::runFullReport(
        folder + QStringLiteral("PlantillaInformeP.rtf"),
        folder + QStringLiteral("Informerelleno.rtf"),
        [this](const std::string& tag) { return reportTagValue(tag); }, m_documentOpener);
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A key event reaches the focused widget first and may then travel to its parents;
    // the hook acts once, on the first delivery.
    if (event->type() == QEvent::KeyPress) {
        const QWidget* focus = QApplication::focusWidget();
        if (watched == focus || (!focus && watched == QApplication::activeWindow())) {
            bool handled = false;
            command::run([&] { handled = applyKeyRules(watched, static_cast<QKeyEvent*>(event)); });
            return handled;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::applyKeyRules(QObject* receiver, const QKeyEvent* key)
{
    auto* target = static_cast<QWidget*>(receiver);
    if (key->text() == u"." && qobject_cast<AmountEdit*>(target)) {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), QStringLiteral(","),
                        key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(target, &comma);
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        if (qobject_cast<QLineEdit*>(target) || isPageControl(target)) {
            const bool back = key->modifiers() & Qt::ShiftModifier;
            QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, key->modifiers());
            QCoreApplication::sendEvent(target, &tab);
            return true;
        }
        if (key->key() != Qt::Key_Down) {
            if (auto* button = qobject_cast<QPushButton*>(target)) {
                button->click();
                return true;
            }
        }
        break;
    case Qt::Key_PageDown:
        turnPage(+1);
        break;
    case Qt::Key_PageUp:
        turnPage(-1);
        break;
    default:
        break;
    }
    return false;
}

void MainWindow::turnPage(int step)
{
    QTabWidget* pages = m_ui->Paginas;
    const int index = pages->currentIndex() + step;
    if (index < 0 || index >= pages->count())
        return;
    const QWidget* focused = focusWidget();
    const bool focusWasOnPage = focused && pages->currentWidget()->isAncestorOf(focused);
    pages->setCurrentIndex(index);
    if (focusWasOnPage)
        focusFirstControlOf(pages->currentWidget());
}

} // namespace app
