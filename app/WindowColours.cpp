// WindowColours: the main window's colours, chosen for its palette and chosen again whenever
// the palette changes.
#include "WindowColours.h"

#include "AmountEdit.h"
#include "Colours.h"
#include "FormFields.h"
#include "ui_MainWindow.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <optional>

namespace app {

using amount::AmountEdit;
using colours::Fill;
using colours::Tone;

namespace {

// Texts keep the palette's greyed shade while disabled.
void setEnabledColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour)
{
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
}

// What the style paints behind a widget's text when it draws `element` for it: the middle and
// the top and bottom of the face, where a gradient ends. Not always the palette's colour: a
// tab widget's pane and a button's face may be lighter.
template <typename Option>
QList<QColor> paintedShades(const QWidget& widget, QStyle::PrimitiveElement element,
                            const QPalette& palette)
{
    constexpr int Size = 32;
    constexpr int Inset = 3;
    Option option;
    option.initFrom(&widget);
    option.palette = palette;
    option.rect = QRect(0, 0, Size, Size);
    QImage swatch(Size, Size, QImage::Format_RGB32);
    swatch.fill(palette.color(QPalette::Window));
    QPainter painter(&swatch);
    widget.style()->drawPrimitive(element, &option, &painter, &widget);
    painter.end();
    return {swatch.pixelColor(Size / 2, Inset), swatch.pixelColor(Size / 2, Size / 2),
            swatch.pixelColor(Size / 2, Size - 1 - Inset)};
}

} // namespace

WindowColours::WindowColours(QWidget* window, Ui::MainWindow& ui)
    : QObject(window), m_window(window), m_ui(ui)
{
    window->installEventFilter(this);
    apply();
}

void WindowColours::showOutcome(borrowing::Outcome outcome)
{
    m_outcome = outcome;
    apply();
}

bool WindowColours::eventFilter(QObject* watched, QEvent* event)
{
    // The window hears of a new palette before the widgets in it take theirs on, so every
    // colour is chosen from the window's own.
    if (watched == m_window && event->type() == QEvent::PaletteChange)
        apply();
    return QObject::eventFilter(watched, event);
}

void WindowColours::apply()
{
    const QPalette& palette = m_window->palette();
    const QColor window = palette.color(QPalette::Window);
    const QList<QColor> pane = paintedShades<QStyleOptionTabWidgetFrame>(
        *m_ui.Paginas, QStyle::PE_FrameTabWidget, palette);
    const QColor base = palette.color(QPalette::Base);
    const QColor button = palette.color(QPalette::Button);
    const QList<QColor> buttonFace = paintedShades<QStyleOptionButton>(
        *m_ui.BtnCalcular, QStyle::PE_PanelButtonCommand, palette);
    const QColor panel = colours::fillColour(Fill::Panel, palette);
    Ui::MainWindow& u = m_ui;

    // Qt passes no palette on into a widget styled by a sheet, and the tab bar's sheet makes
    // the tab widget one: its pages would keep the palette they opened with.
    QPalette pages = palette;
    pages.setResolveMask(~QPalette::ResolveMask(0));
    u.Paginas->setPalette(pages);

    // Each heading in the colour of what it heads, and the figures typed under it too; the
    // groups that stand out on a cream panel, the others on the pages' pane.
    const std::pair<QGroupBox*, std::optional<Tone>> headings[] = {
        {u.GbDrn, Tone::Revenue},         {u.BGOrn, Tone::Expenditure},
        {u.GBDeuda1, Tone::Debt},         {u.GBDeudaEx, Tone::Debt},
        {u.GroupBox5, Tone::Revenue},     {u.GroupBox9, Tone::Revenue},
        {u.GroupBox6, std::nullopt},      {u.GroupBox7, Tone::Expenditure},
        {u.GroupBox8, Tone::Expenditure}, {u.GroupBox10, Tone::Savings},
        {u.GroupBox4, Tone::Savings},     {u.GroupBox11, Tone::Revenue},
        {u.GbRegimen, Tone::Revenue},     {u.GbLiquidacionCapital, Tone::Revenue},
        {u.GbEstabilidad, Tone::Savings}};
    for (const auto& [group, tone] : headings) {
        QPalette own;
        const bool onPanel = group->autoFillBackground();
        if (onPanel)
            own.setColor(QPalette::Window, panel);
        if (tone) {
            // The title and labels on the group's background, the typed figures on the base.
            const QList<QColor> backgrounds = (onPanel ? QList{panel} : pane) + QList{base};
            const QColor text = colours::textColourOn(*tone, palette, backgrounds);
            setEnabledColour(own, QPalette::WindowText, text);
            setEnabledColour(own, QPalette::Text, text);
        }
        group->setPalette(own);
    }
    // Remarks on their panels, and the commands' captions on their buttons.
    struct Caption
    {
        QWidget* widget;
        Tone tone;
        QPalette::ColorRole role;
        QList<QColor> backgrounds;
    };
    const Caption captions[] = {{u.Label22, Tone::Expenditure, QPalette::WindowText, {panel}},
                                {u.Mayormenor, Tone::Emphasis, QPalette::WindowText, {panel}},
                                {u.AvisoAnualidad, Tone::Caution, QPalette::WindowText, pane},
                                {u.BtnCalcular, Tone::Positive, QPalette::ButtonText, buttonFace},
                                {u.BtnInforme, Tone::Positive, QPalette::ButtonText, buttonFace},
                                {u.BtnSalir, Tone::Emphasis, QPalette::ButtonText, buttonFace}};
    for (const Caption& c : captions) {
        QPalette own;
        setEnabledColour(own, c.role, colours::textColourOn(c.tone, palette, c.backgrounds));
        c.widget->setPalette(own);
    }

    // The figures the program works out stand on the plain disabled face, or on a fill that
    // says what they are; their text is readable on either.
    for (AmountEdit* field : editors::amountFieldsOf(u.centralwidget))
        field->setDisabledTextColor(colours::textColourOn(Tone::Computed, palette, {button}));
    const std::pair<AmountEdit*, Fill> results[] = {{u.CFANTERIOR, Fill::Result},
                                                    {u.CFNUEVO, Fill::Result},
                                                    {u.CFTOTAL, Fill::Result},
                                                    {u.AHORROBRUTO, Fill::Savings},
                                                    {u.AHORRONETO, Fill::Savings}};
    for (const auto& [field, fill] : results) {
        const QColor shown = colours::fillColour(fill, palette);
        field->setDisabledColor(shown);
        field->setDisabledTextColor(colours::textColourOn(Tone::Computed, palette, {shown}));
    }
    for (AmountEdit* total :
         {u.ITOTAL, u.GTOTAL, u.CFEUR1, u.CFEUR2, u.CFEUR3, u.ITOTAL110, u.CVTOTAL2})
        total->setColor(colours::fillColour(Fill::ReadOnly, palette));

    // Compact tabs, so that the four captions fit the window's width; their captions are red.
    constexpr qreal UnselectedShade = 0.045;
    u.Paginas->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { color: %1; padding: 3px 6px; border: 1px solid %2;"
                       " border-bottom: none; border-top-left-radius: 2px;"
                       " border-top-right-radius: 2px; background: %3; margin-top: 2px; }"
                       "QTabBar::tab:selected { background: palette(window); margin-top: 0px; }")
            .arg(
                colours::textColour(Tone::Negative, palette).name(),
                colours::outlineColour(palette).name(),
                colours::mix(window, palette.color(QPalette::WindowText), UnselectedShade).name()));

    // Why there is no capacity, in the verdict's red; the verdict in the colour of its outcome,
    // on its box's base.
    QPalette reason;
    const QColor red = colours::textColourOn(Tone::Negative, palette, {panel, base});
    reason.setColor(QPalette::WindowText, red);
    reason.setColor(QPalette::Text, red);
    for (QLabel* label : {u.MotivoCapLibre, u.MotivoCapMax})
        label->setPalette(reason);
    const Tone verdictTone = m_outcome == borrowing::Outcome::NoAuthorisation ? Tone::Positive
                             : m_outcome == borrowing::Outcome::Authorisation ? Tone::Caution
                                                                              : Tone::Negative;
    QPalette verdict;
    verdict.setColor(QPalette::Text, colours::textColourOn(verdictTone, palette, {base}));
    u.REGIMENVIGENTE->setPalette(verdict);
}

} // namespace app
