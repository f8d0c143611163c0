// AmountEdit: the edit box that holds an amount as its formatted text.
#include "AmountEdit.h"

#include "Beep.h"
#include "Command.h"
#include "LocaleSeparators.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QPalette>

namespace amount {

namespace {

// The width of a new field, before a form sets its geometry.
constexpr int DefaultWidth = 100;

// Posted to a field when the locale changed, so that the text is converted once every
// field has read the new separators.
QEvent::Type separatorsChangedEvent()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

// The focus going to another window or a menu, and coming back from it, neither leaves nor
// enters the field.
bool isPassingFocus(const QFocusEvent* e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

bool isTypedText(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7f;
    });
}

} // namespace

AmountEdit::AmountEdit(QWidget* parent) : QLineEdit(parent)
{
    resize(DefaultWidth, height());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lastSeparators = amount::currentSeparators();
    showFormatted(0);
    applyBackground();
    // Text reaches the field only through its own rules.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

Amount AmountEdit::value() const
{
    return amount::parseValue(cleanText(text()), amount::currentSeparators().decimal);
}

void AmountEdit::setValue(Amount x)
{
    showFormatted(x);
}

void AmountEdit::showFormatted(Amount x)
{
    const QString shown = formatted(x);
    // The text is now written with the current separators, whatever it held before.
    m_lastSeparators = amount::currentSeparators();
    if (shown != text())
        setText(shown);
}

void AmountEdit::setDecimals(int decimals)
{
    if (decimals == m_decimals)
        return;
    decimals = std::clamp(decimals, MinDecimals, MaxDecimals);
    // Room for a digit and the separator.
    if (m_maxLength > 0 && decimals > m_maxLength - 2)
        decimals = m_maxLength - 2;
    m_decimals = decimals;
    showFormatted(value());
}

void AmountEdit::setNumberFormat(NumberFormat format)
{
    m_numberFormat = format;
    showFormatted(value());
}

void AmountEdit::setMinValue(Amount x)
{
    if (x != m_minValue && x <= m_maxValue)
        m_minValue = x;
}

void AmountEdit::setMaxValue(Amount x)
{
    if (x != m_maxValue && x >= m_minValue)
        m_maxValue = x;
}

bool AmountEdit::isOutOfRange(Amount x) const
{
    const bool hasRange = m_minValue != 0 || m_maxValue != 0;
    return hasRange && (x < m_minValue || x > m_maxValue);
}

QColor AmountEdit::color() const
{
    return m_enabledColor.isValid() ? m_enabledColor : inheritedPalette().color(QPalette::Base);
}

QColor AmountEdit::disabledColor() const
{
    return m_disabledColor.isValid() ? m_disabledColor : inheritedPalette().color(QPalette::Button);
}

QColor AmountEdit::disabledTextColor() const
{
    return m_disabledTextColor.isValid()
               ? m_disabledTextColor
               : inheritedPalette().color(QPalette::Disabled, QPalette::Text);
}

void AmountEdit::setColor(const QColor& color)
{
    if (color == m_enabledColor)
        return;
    m_enabledColor = color;
    if (isEnabled())
        applyBackground();
    if (parentWidget() && parentBackground() != color)
        m_parentColor = false;
}

void AmountEdit::setDisabledColor(const QColor& color)
{
    m_disabledColor = color;
    if (!isEnabled())
        applyBackground();
}

void AmountEdit::setDisabledTextColor(const QColor& color)
{
    m_disabledTextColor = color;
    applyBackground();
}

void AmountEdit::setParentColor(bool parentColor)
{
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    if (parentColor && parentWidget())
        m_enabledColor = parentBackground();
    applyBackground();
}

QString AmountEdit::formatted(Amount x) const
{
    return amount::formatValue(x, m_decimals, m_numberFormat, amount::currentSeparators());
}

QString AmountEdit::cleanText(const QString& s) const
{
    return amount::cleanText(s, m_lastSeparators, amount::currentSeparators());
}

void AmountEdit::handleInvalidEntry()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&AmountEdit::invalidEntry))) {
        emit invalidEntry();
        return;
    }
    const Amount x = value();
    if (x < m_minValue)
        setValue(m_minValue);
    else if (x > m_maxValue)
        setValue(m_maxValue);
    amount::beep();
    if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus)
        setFocus();
}

bool AmountEdit::event(QEvent* e)
{
    if (e->type() == separatorsChangedEvent()) {
        setText(amount::convertSeparators(text(), m_lastSeparators, amount::currentSeparators()));
        return true;
    }
    return QLineEdit::event(e);
}

void AmountEdit::changeEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::LocaleChange:
        // Read the new separators now; convert the text once the change has gone round.
        amount::reloadSeparators();
        QCoreApplication::postEvent(this, new QEvent(separatorsChangedEvent()));
        break;
    case QEvent::EnabledChange:
        applyBackground();
        break;
    case QEvent::PaletteChange:
        if (!m_applyingBackground) {
            if (m_parentColor && parentWidget())
                m_enabledColor = parentBackground();
            applyBackground();
        }
        break;
    default:
        break;
    }
    QLineEdit::changeEvent(e);
}

void AmountEdit::applyBackground()
{
    const QColor shown = isEnabled() ? color() : disabledColor();
    const QColor disabledText = disabledTextColor();
    QPalette p = palette();
    if (p.color(QPalette::Active, QPalette::Base) == shown &&
        p.color(QPalette::Disabled, QPalette::Base) == shown &&
        p.color(QPalette::Disabled, QPalette::Text) == disabledText)
        return;
    p.setColor(QPalette::Base, shown);
    p.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    m_applyingBackground = true;
    setPalette(p);
    m_applyingBackground = false;
}

QColor AmountEdit::parentBackground() const
{
    const QWidget* parent = parentWidget();
    return parent->palette().color(parent->backgroundRole());
}

QPalette AmountEdit::inheritedPalette() const
{
    return parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
}

EditSettings AmountEdit::editSettings() const
{
    const bool belowZero = (m_minValue == 0 && m_maxValue == 0) || m_minValue < 0;
    return {m_decimals, m_numberFormat, amount::currentSeparators(), m_maxLength, belowZero};
}

EditState AmountEdit::editState() const
{
    EditState state{text(), cursorPosition(), cursorPosition(), 0};
    if (hasSelectedText()) {
        state.selectionStart = static_cast<int>(selectionStart());
        state.selectionLength = static_cast<int>(selectedText().size());
        state.caret = state.selectionStart;
    }
    return state;
}

void AmountEdit::applyState(const EditState& state)
{
    if (state.text != text())
        setText(state.text);
    if (state.hasSelection())
        setSelection(state.selectionStart, state.selectionLength);
    else
        setCursorPosition(state.caret);
}

void AmountEdit::syncSeparators()
{
    if (m_lastSeparators == amount::currentSeparators())
        return;
    EditState state = editState();
    state.text =
        amount::convertSeparators(state.text, m_lastSeparators, amount::currentSeparators());
    applyState(state);
}

void AmountEdit::typeText(const QString& typed)
{
    syncSeparators();
    EditState state = editState();
    for (const QChar c : typed) {
        if (amount::typeChar(state, c, editSettings()))
            amount::beep();
    }
    applyState(state);
}

void AmountEdit::copyToClipboard()
{
    syncSeparators();
    QGuiApplication::clipboard()->setText(amount::copyText(editState(), editSettings()));
}

void AmountEdit::cutToClipboard()
{
    if (isReadOnly())
        return;
    copyToClipboard();
    EditState state = editState();
    amount::deleteSelection(state, editSettings());
    applyState(state);
}

void AmountEdit::pasteFromClipboard()
{
    if (isReadOnly())
        return;
    syncSeparators();
    EditState state = editState();
    const int refused = amount::paste(state, QGuiApplication::clipboard()->text(), editSettings());
    applyState(state);
    for (int i = 0; i < refused; ++i)
        amount::beep();
}

void AmountEdit::clearSelection()
{
    if (isReadOnly())
        return;
    if (isSignalConnected(QMetaMethod::fromSignal(&AmountEdit::clearRequested))) {
        emit clearRequested();
        return;
    }
    syncSeparators();
    EditState state = editState();
    amount::deleteSelection(state, editSettings());
    applyState(state);
}

void AmountEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // Returning keeps the caret and selection where they were.
    if (m_entered && isPassingFocus(e))
        return;
    m_entered = true;
    m_mouseEntry =
        e->reason() == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
    if (m_autoSelect)
        selectAll();
}

void AmountEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    const bool left = e->button() == Qt::LeftButton || (e->buttons() & Qt::LeftButton);
    if (left && m_mouseEntry) {
        m_mouseEntry = false;
        if (m_autoSelect)
            selectAll();
    }
}

void AmountEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button would paste the selection past the editing rules.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void AmountEdit::focusOutEvent(QFocusEvent* e)
{
    if (!isPassingFocus(e)) {
        m_entered = false; // before leaving, which may give the focus back
        command::run([this] { leave(); });
    }
    QLineEdit::focusOutEvent(e);
}

void AmountEdit::leave()
{
    showFormatted(value());
    if (passesRangeTest())
        emit fieldLeft();
}

bool AmountEdit::passesRangeTest()
{
    if (!isOutOfRange(value()))
        return true;
    handleInvalidEntry();
    return false;
}

void AmountEdit::keyPressEvent(QKeyEvent* e)
{
    m_mouseEntry = false;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
        // Handled here, once, and never by the line edit itself.
        e->accept();
        if (isReadOnly())
            return;
        syncSeparators();
        EditState state = editState();
        if (state.hasSelection())
            amount::deleteSelection(state, editSettings());
        else
            amount::deleteChar(
                state, e->key() == Qt::Key_Backspace ? DeleteKey::Backspace : DeleteKey::Delete,
                editSettings());
        applyState(state);
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        copyToClipboard();
    } else if (e->matches(QKeySequence::Cut)) {
        cutToClipboard();
    } else if (e->matches(QKeySequence::Paste)) {
        pasteFromClipboard();
    } else if (isNavigationKey(e->key()) || e->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(e);
        return;
    } else if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        // Other editing shortcuts of the line edit (undo, delete to the end…) would bypass
        // the rules; they do nothing here.
    } else if (isTypedText(e->text())) {
        if (!isReadOnly())
            typeText(e->text());
    } else {
        QLineEdit::keyPressEvent(e); // Enter, Escape, Tab… keep their usual meaning
        return;
    }
    e->accept();
}

void AmountEdit::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    command::run([&] { regroupAfterKey(e); });
}

void AmountEdit::regroupAfterKey(const QKeyEvent* e)
{
    if (e->isAutoRepeat() || m_numberFormat != NumberFormat::Thousands || hasSelectedText())
        return;
    syncSeparators();
    EditState state = editState();
    const bool enterOrSpace =
        e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    amount::regroup(state, enterOrSpace, editSettings());
    applyState(state);
}

void AmountEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("EditMenu"));
    const bool selected = hasSelectedText();
    const bool editable = !isReadOnly();
    menu.addAction(QStringLiteral("Cor&tar"), this,
                   command::guarded(this, &AmountEdit::cutToClipboard))
        ->setEnabled(selected && editable);
    menu.addAction(QStringLiteral("&Copiar"), this,
                   command::guarded(this, &AmountEdit::copyToClipboard))
        ->setEnabled(selected);
    menu.addAction(QStringLiteral("&Pegar"), this,
                   command::guarded(this, &AmountEdit::pasteFromClipboard))
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(QStringLiteral("&Eliminar"), this,
                   command::guarded(this, &AmountEdit::clearSelection))
        ->setEnabled(selected && editable);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Seleccionar &todo"), this, &QLineEdit::selectAll)
        ->setEnabled(!text().isEmpty());
    menu.exec(e->globalPos());
}

} // namespace amount
