// How the main window is laid out and where it opens: what its form file cannot say of its
// controls' sizes, pages that scroll when the window is smaller than they ask for, and its size
// and place, remembered between runs.
#include "WindowPlacement.h"

#include "AmountEdit.h"
#include "FormFields.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace app {

using amount::AmountEdit;

namespace {

constexpr QSize ToolButtonSize{118, 21};
constexpr int ToolBarHeight = 29;
constexpr int ToolBarIndent = 5;
constexpr int StatusBarHeight = 19;

// Room for a window manager's title bar and borders, which are not known before the window is
// shown: a little more than most take.
constexpr QMargins FrameAllowance{4, 40, 4, 4};
// However small the window, a page shows this many lines, more than its tallest control takes.
constexpr int SmallestPageLines = 8;

// Where the window's place and size are remembered.
const QString GeometryKey = QStringLiteral("ventana/geometria");
const QString MaximizedKey = QStringLiteral("ventana/maximizada");

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

// The width of a field that shows `text`, in the field's font and frame.
int fieldWidthFor(const AmountEdit* field, const QString& text)
{
    const QFontMetrics metrics(field->font());
    // A line edit asks for 17 "x" and its frame.
    const int frame = field->sizeHint().width() - 17 * metrics.horizontalAdvance(u'x');
    return metrics.horizontalAdvance(text) + frame;
}

void layOutToolBar(Ui::MainWindow& ui)
{
    ui.Barrasuperior->setFixedHeight(ToolBarHeight);
    // Three 118-pixel buttons after an indent of 5 pixels fill the window's width.
    ui.Barrasuperior->setStyleSheet(
        QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"));
    auto* indent = new QWidget(ui.Barrasuperior);
    indent->setFixedWidth(ToolBarIndent);
    ui.Barrasuperior->insertWidget(ui.Barrasuperior->actions().value(0), indent);
    for (QAction* action : {ui.TbDatosE, ui.tbPorcientoE, ui.TbInforme}) {
        QWidget* button = ui.Barrasuperior->widgetForAction(action);
        button->setObjectName(action->objectName());
        button->setFixedSize(ToolButtonSize);
        // The button's own text keeps the "&" mnemonic that the action's icon text drops.
        if (auto* toolButton = qobject_cast<QToolButton*>(button))
            toolButton->setText(action->text());
    }
}

void sizeAmountFields(Ui::MainWindow& ui)
{
    // Percentages are short; every field has room for the largest amount it may show, and
    // no more, so that wide windows do not stretch them.
    const QList<AmountEdit*> percentages{ui.CFANTERIOR, ui.CFNUEVO, ui.CFTOTAL};
    for (AmountEdit* field : editors::amountFieldsOf(ui.centralwidget)) {
        const bool percentage = percentages.contains(field);
        field->setMinimumWidth(fieldWidthFor(field, percentage ? QStringLiteral("100,00")
                                                               : QStringLiteral("999.999.999,99")));
        field->setMaximumWidth(fieldWidthFor(field, QStringLiteral("-9.999.999.999.999,99")));
    }
}

void sizeSmallControls(Ui::MainWindow& ui)
{
    // The calculator's button is a square as high as the field beside it.
    const int side = ui.APPTOTAL->sizeHint().height();
    ui.BtnPrestamo->setFixedSize(side, side);
    // The revenue and expenditure groups line their fields up one under the other.
    QGridLayout* revenue = ui.GbDrnLayout;
    QGridLayout* expenditure = ui.BGOrnLayout;
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
    const QFontMetrics metrics(ui.REGIMENVIGENTE->font());
    ui.REGIMENVIGENTE->setMaximumHeight(4 * metrics.lineSpacing() +
                                        2 * ui.REGIMENVIGENTE->frameWidth());
}

} // namespace

void layOutForm(Ui::MainWindow& ui)
{
    layOutToolBar(ui);
    ui.BarraInferior->setFixedHeight(StatusBarHeight);
    sizeAmountFields(ui);
    sizeSmallControls(ui);
}

void scrollPages(QTabWidget* pages)
{
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

void placeWindow(QMainWindow& window)
{
    // At first what the layouts ask for, every tab in sight, centred on the screen; on a
    // smaller screen what it leaves room for, frame included, the pages scrolling.
    QSize size = window.sizeHint();
    const QSize smallest = window.minimumSizeHint();
    const QScreen* s = window.screen();
    if (s)
        size = size.boundedTo(s->availableGeometry().marginsRemoved(FrameAllowance).size());
    window.resize(size.expandedTo(smallest));
    if (s) {
        // The position is the frame's; its title bar, then its bottom, stay on the screen.
        const QRect available = s->availableGeometry();
        QRect frame(available.center() - window.rect().center(),
                    window.size().grownBy(FrameAllowance));
        frame.moveBottom(std::min(frame.bottom(), available.bottom()));
        frame.moveTop(std::max(frame.top(), available.top()));
        frame.moveRight(std::min(frame.right(), available.right()));
        frame.moveLeft(std::max(frame.left(), available.left()));
        window.move(frame.topLeft());
    }
    // Then where the user left it, while that still fits a screen.
    const QSettings settings;
    const QRect remembered = settings.value(GeometryKey).toRect();
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool fits = remembered.isValid() && remembered.width() >= smallest.width() &&
                      remembered.height() >= smallest.height() &&
                      std::any_of(screens.cbegin(), screens.cend(), [&](const QScreen* s) {
                          return s->availableGeometry().contains(remembered);
                      });
    if (fits) {
        window.setGeometry(remembered);
        if (settings.value(MaximizedKey).toBool())
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
    }
}

void rememberPlace(const QMainWindow& window)
{
    QSettings settings;
    settings.setValue(GeometryKey, window.normalGeometry());
    settings.setValue(MaximizedKey, window.isMaximized());
}

} // namespace app
