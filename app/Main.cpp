// TFormularioPrincipal: the program's main window and its application-wide key hook.
#include "Main.h"

#include "FullReport.h"
#include "Indicators.h"
#include "KaNumEdit.h"
#include "QuickReport.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ui_Main.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>

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

TFormularioPrincipal::TFormularioPrincipal(QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::TFormularioPrincipal),
      m_prompter([this](const QString& title, const QString& prompt, const QString& proposed) {
          return TTextPrompt::Ask(title, prompt, proposed, this);
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

    connect(m_ui->BtnSalir, &QPushButton::clicked, this, &TFormularioPrincipal::BtnSalirClick);
    connect(m_ui->mnSalir, &QAction::triggered, this, &TFormularioPrincipal::BtnSalirClick);
    connect(m_ui->BtnCalcular, &QPushButton::clicked, this,
            &TFormularioPrincipal::BtnCalcularClick);
    connect(m_ui->BtnPrestamo, &QPushButton::clicked, this,
            &TFormularioPrincipal::BtnPrestamoClick);
    connect(m_ui->TbDatosE, &QAction::triggered, this, &TFormularioPrincipal::TbDatosEClick);
    connect(m_ui->tbPorcientoE, &QAction::triggered, this,
            &TFormularioPrincipal::tbPorcientoEClick);
    connect(m_ui->TbInforme, &QAction::triggered, this, &TFormularioPrincipal::TbInformeClick);
    connect(m_ui->BtnInforme, &QPushButton::clicked, this, &TFormularioPrincipal::BtnInformeClick);

    FormCreate();
    m_form2 = new TForm2(this);
    m_calculadora = new TCalculadora(this);
}

TFormularioPrincipal::~TFormularioPrincipal()
{
    delete m_ui;
}

void TFormularioPrincipal::setupToolBar()
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

void TFormularioPrincipal::FormCreate()
{
    qApp->installEventFilter(this);
    m_ui->Paginas->setCurrentIndex(0);
    m_entity = TEntityData{};
    UpdateLimitCaption();
}

void TFormularioPrincipal::UpdateLimitCaption()
{
    m_ui->GroupBox11->setTitle(LimitCaption(m_entity.MaxDebtPercentText));
}

void TFormularioPrincipal::EnsureEntityData()
{
    ::EnsureEntityData(m_entity, m_prompter);
}

void TFormularioPrincipal::TbDatosEClick()
{
    EditEntityData(m_entity, m_prompter);
}

void TFormularioPrincipal::tbPorcientoEClick()
{
    AskMaxDebtPercent(m_entity, m_prompter, std::nullopt);
    UpdateLimitCaption();
}

void TFormularioPrincipal::calculadatos()
{
    if (m_entity.MaxDebtPercent == 0)
        AskMaxDebtPercent(m_entity, m_prompter, QStringLiteral("110"));
    UpdateLimitCaption();
    const Ui::TFormularioPrincipal& u = *m_ui;
    const QString comparison = CalculateIndicators(
        {u.ICAP1,  u.ICAP2,       u.ICAP3,      u.ICAP4,     u.ICAP5,   u.ITOTAL,   u.GCAP1,
         u.GCAP2,  u.GCAP4,       u.GTOTAL,     u.CVPEX,     u.CVOTEX,  u.APVTOTAL, u.APPTOTAL,
         u.CTPN,   u.CVTOTAL,     u.CFANTERIOR, u.CFEUR1,    u.CFNUEVO, u.CFEUR2,   u.CFTOTAL,
         u.CFEUR3, u.AHORROBRUTO, u.AHORRONETO, u.ITOTAL110, u.CVTOTAL2},
        m_entity.MaxDebtPercent);
    if (!comparison.isEmpty())
        m_ui->Mayormenor->setText(comparison);
}

void TFormularioPrincipal::BtnPrestamoClick()
{
    m_calculadora->exec();
    if (m_calculadora->Accepted()) {
        m_ui->APPTOTAL->setValue(m_calculadora->cuotanual()->Value());
        m_ui->CTPN->setValue(m_calculadora->Capital()->Value());
    }
}

TReportFigures TFormularioPrincipal::ReportFigures() const
{
    const Ui::TFormularioPrincipal& u = *m_ui;
    const auto shown = [](const TKaNumEdit* field) {
        return TShownAmount{field->text(), field->Value()};
    };
    const TCalculadora& loan = *m_calculadora;
    return {m_entity.EntityName,  m_entity.EntityProvince, m_entity.MaxDebtPercentText,
            loan.Accepted(),      loan.Capital()->text(),  loan.Interes()->text(),
            loan.anios()->text(), loan.cuotames()->text(), loan.cuotanual()->text(),
            u.ITOTAL->text(),     u.GTOTAL->text(),        u.APVTOTAL->text(),
            shown(u.APPTOTAL),    u.CVTOTAL->text(),       u.CFANTERIOR->text(),
            u.CFEUR1->text(),     u.CFNUEVO->text(),       u.CFEUR2->text(),
            u.CFTOTAL->text(),    u.CFEUR3->text(),        shown(u.AHORROBRUTO),
            shown(u.AHORRONETO),  shown(u.ITOTAL110),      shown(u.CVTOTAL2),
            u.Mayormenor->text()};
}

void TFormularioPrincipal::TbInformeClick()
{
    EnsureEntityData();
    calculadatos();
    const QStringList lines = QuickReportLines(ReportFigures());
    m_form2->ClearLines();
    m_form2->AppendLines(lines);
    m_form2->exec();
}

void TFormularioPrincipal::BtnInformeClick()
{
    EnsureEntityData();
    calculadatos();
    const QString folder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() + u'/' : m_programFolder;
    RunFullReport(
        folder + QStringLiteral("PlantillaInformeP.rtf"),
        folder + QStringLiteral("Informerelleno.rtf"),
        [this](const std::string& tag, std::string& value) {
            return GetCustomTagValueForInvoice(tag, value);
        },
        m_documentOpener);
}

bool TFormularioPrincipal::GetCustomTagValueForInvoice(const std::string& Tag,
                                                       std::string& Value) const
{
    return InvoiceTagValue(ReportFigures(), Tag, Value);
}

void TFormularioPrincipal::BtnCalcularClick()
{
    calculadatos();
}

void TFormularioPrincipal::BtnSalirClick()
{
    close();
}

bool TFormularioPrincipal::eventFilter(QObject* watched, QEvent* event)
{
    // A key event reaches the focused widget first and may then travel to its parents;
    // the hook acts once, on the first delivery.
    if (event->type() == QEvent::KeyPress) {
        const QWidget* focus = QApplication::focusWidget();
        if (watched == focus || (!focus && watched == QApplication::activeWindow()))
            return AppMessage(watched, static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFormularioPrincipal::AppMessage(QObject* receiver, QKeyEvent* key)
{
    auto* target = static_cast<QWidget*>(receiver);
    if (key->text() == u"." && qobject_cast<TKaNumEdit*>(target)) {
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

void TFormularioPrincipal::turnPage(int step)
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
