// TKaNumEdit: the edit box that holds an amount as its formatted text.
#include "KaNumEdit.h"

#include "Beep.h"
#include "LocaleSeparators.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>

using numedit::CurrentSeparators;

namespace {

const QColor DisabledTextColor(109, 109, 109);

} // namespace

TKaNumEdit::TKaNumEdit(QWidget* parent) : QLineEdit(parent)
{
    resize(100, height());
    QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lastSeparators = CurrentSeparators();
    showFormatted(0);
    m_enabledColor = palette().color(QPalette::Active, QPalette::Base);
    m_disabledColor = palette().color(QPalette::Active, QPalette::Button);
    applyBackground();
    // Text reaches the control only through its own rules.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

Amount TKaNumEdit::Value() const
{
    return numedit::ParseValue(CleanText(text()), CurrentSeparators().decimal);
}

void TKaNumEdit::setValue(Amount x)
{
    showFormatted(x);
}

void TKaNumEdit::showFormatted(Amount x)
{
    const QString formatted = FormatValue(x);
    // The text is now written with the current separators, whatever it held before.
    m_lastSeparators = CurrentSeparators();
    if (formatted != text())
        setText(formatted);
}

void TKaNumEdit::setDecimals(int decimals)
{
    if (decimals == m_decimals)
        return;
    decimals = std::clamp(decimals, numedit::MinDecimals, numedit::MaxDecimals);
    if (m_maxLength > 0 && decimals > m_maxLength - 2)
        decimals = m_maxLength - 2;
    m_decimals = decimals;
    showFormatted(Value());
}

void TKaNumEdit::setNumberFormat(TNumberFormat format)
{
    m_numberFormat = format;
    showFormatted(Value());
}

void TKaNumEdit::setMinValue(Amount x)
{
    if (x != m_minValue && x <= m_maxValue)
        m_minValue = x;
}

void TKaNumEdit::setMaxValue(Amount x)
{
    if (x != m_maxValue && x >= m_minValue)
        m_maxValue = x;
}

bool TKaNumEdit::IsOutOfRange(Amount x) const
{
    const bool hasRange = m_minValue != 0 || m_maxValue != 0;
    return hasRange && (x < m_minValue || x > m_maxValue);
}

void TKaNumEdit::setAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    switch (alignment) {
    case TAlignment::taLeftJustify:
        QLineEdit::setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case TAlignment::taRightJustify:
        QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case TAlignment::taCenter:
        QLineEdit::setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        break;
    }
}

void TKaNumEdit::setColor(const QColor& color)
{
    if (color == m_enabledColor)
        return;
    m_enabledColor = color;
    if (isEnabled())
        applyBackground();
    if (parentWidget() && parentBackground() != color)
        m_parentColor = false;
}

void TKaNumEdit::setDisabledColor(const QColor& color)
{
    m_disabledColor = color;
    if (!isEnabled())
        applyBackground();
}

void TKaNumEdit::setParentColor(bool parentColor)
{
    if (parentColor == m_parentColor)
        return;
    m_parentColor = parentColor;
    if (parentColor && parentWidget())
        m_enabledColor = parentBackground();
    applyBackground();
}

QString TKaNumEdit::FormatValue(Amount x) const
{
    return numedit::FormatValue(x, m_decimals, m_numberFormat, CurrentSeparators());
}

QString TKaNumEdit::CleanText(const QString& s) const
{
    return numedit::CleanText(s, m_lastSeparators, CurrentSeparators());
}

QString TKaNumEdit::ConvertSeparators(const QString& s)
{
    return numedit::ConvertSeparators(s, m_lastSeparators, CurrentSeparators());
}

void TKaNumEdit::HandleInvalidEntry()
{
    if (m_onInvalidEntry) {
        m_onInvalidEntry(this);
        return;
    }
    const Amount value = Value();
    if (value < m_minValue)
        setValue(m_minValue);
    else if (value > m_maxValue)
        setValue(m_maxValue);
    numedit::Beep();
    if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus)
        setFocus();
}

bool TKaNumEdit::event(QEvent* e)
{
    if (e->type() == SettingsChangedMessage) {
        setText(ConvertSeparators(text()));
        return true;
    }
    return QLineEdit::event(e);
}

void TKaNumEdit::changeEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::LocaleChange:
        // Read the new separators now; convert the text once the change has gone round.
        numedit::ReloadSeparators();
        QCoreApplication::postEvent(this, new QEvent(SettingsChangedMessage));
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

void TKaNumEdit::applyBackground()
{
    const QColor shown = isEnabled() ? m_enabledColor : m_disabledColor;
    QPalette p = palette();
    if (p.color(QPalette::Active, QPalette::Base) == shown &&
        p.color(QPalette::Disabled, QPalette::Base) == shown)
        return;
    p.setColor(QPalette::Base, shown);
    // Results are disabled fields: their grey text must stay readable on a coloured background.
    p.setColor(QPalette::Disabled, QPalette::Text, DisabledTextColor);
    m_applyingBackground = true;
    setPalette(p);
    m_applyingBackground = false;
}

QColor TKaNumEdit::parentBackground() const
{
    const QWidget* parent = parentWidget();
    return parent->palette().color(parent->backgroundRole());
}

numedit::EditSettings TKaNumEdit::editSettings() const
{
    return {m_decimals, m_numberFormat, CurrentSeparators(), m_maxLength};
}

numedit::EditState TKaNumEdit::editState() const
{
    numedit::EditState state{text(), cursorPosition(), cursorPosition(), 0};
    if (hasSelectedText()) {
        state.selectionStart = static_cast<int>(selectionStart());
        state.selectionLength = static_cast<int>(selectedText().size());
        state.caret = state.selectionStart;
    }
    return state;
}

void TKaNumEdit::applyState(const numedit::EditState& state)
{
    if (state.text != text())
        setText(state.text);
    if (state.hasSelection())
        setSelection(state.selectionStart, state.selectionLength);
    else
        setCursorPosition(state.caret);
}

void TKaNumEdit::syncSeparators()
{
    if (m_lastSeparators == CurrentSeparators())
        return;
    numedit::EditState state = editState();
    state.text = ConvertSeparators(state.text);
    applyState(state);
}

void TKaNumEdit::typeText(const QString& typed)
{
    syncSeparators();
    numedit::EditState state = editState();
    for (const QChar c : typed) {
        if (numedit::TypeChar(state, c, editSettings()))
            numedit::Beep();
    }
    applyState(state);
}

void TKaNumEdit::ClipboardCopy()
{
    syncSeparators();
    QGuiApplication::clipboard()->setText(numedit::CopyText(editState(), editSettings()));
}

void TKaNumEdit::ClipboardCut()
{
    ClipboardCopy();
    numedit::EditState state = editState();
    numedit::DeleteSelection(state, editSettings());
    applyState(state);
}

void TKaNumEdit::ClipboardPaste()
{
    syncSeparators();
    numedit::EditState state = editState();
    const int refused = numedit::Paste(state, QGuiApplication::clipboard()->text(), editSettings());
    applyState(state);
    for (int i = 0; i < refused; ++i)
        numedit::Beep();
}

void TKaNumEdit::ClipboardClear()
{
    if (m_onClear) {
        m_onClear(this);
        return;
    }
    syncSeparators();
    numedit::EditState state = editState();
    numedit::DeleteSelection(state, editSettings());
    applyState(state);
}

void TKaNumEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    m_mouseEntry =
        e->reason() == Qt::MouseFocusReason && (QGuiApplication::mouseButtons() & Qt::LeftButton);
    if (m_autoSelect)
        selectAll();
}

void TKaNumEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    const bool left = e->button() == Qt::LeftButton || (e->buttons() & Qt::LeftButton);
    if (left && m_mouseEntry) {
        m_mouseEntry = false;
        if (m_autoSelect)
            selectAll();
    }
}

void TKaNumEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button would paste the selection past the editing rules.
    if (e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TKaNumEdit::focusOutEvent(QFocusEvent* e)
{
    // Another window or a menu taking the focus is not leaving the control.
    const bool leaving =
        e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
    bool passed = true;
    if (leaving) {
        showFormatted(Value());
        passed = passesRangeTest();
    }
    QLineEdit::focusOutEvent(e);
    if (leaving && passed)
        emit Exit();
}

bool TKaNumEdit::passesRangeTest()
{
    if (m_minValue == 0 && m_maxValue == 0)
        return true;
    const Amount value = Value();
    if (value >= m_minValue && value <= m_maxValue)
        return true;
    HandleInvalidEntry();
    return false;
}

namespace {

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

bool isTypedText(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() != 0x7f;
    });
}

} // namespace

void TKaNumEdit::keyPressEvent(QKeyEvent* e)
{
    m_mouseEntry = false;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
        // Handled here, once, and never by the line edit itself.
        e->accept();
        if (isReadOnly())
            return;
        syncSeparators();
        numedit::EditState state = editState();
        if (state.hasSelection())
            numedit::DeleteSelection(state, editSettings());
        else
            numedit::DeleteChar(state,
                                e->key() == Qt::Key_Backspace ? numedit::DeleteKey::Backspace
                                                              : numedit::DeleteKey::Delete,
                                editSettings());
        applyState(state);
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        ClipboardCopy();
    } else if (e->matches(QKeySequence::Cut)) {
        ClipboardCut();
    } else if (e->matches(QKeySequence::Paste)) {
        ClipboardPaste();
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

void TKaNumEdit::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    if (e->isAutoRepeat() || m_numberFormat != TNumberFormat::Thousands || hasSelectedText())
        return;
    syncSeparators();
    numedit::EditState state = editState();
    const bool enterOrSpace =
        e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space;
    numedit::Regroup(state, enterOrSpace, editSettings());
    applyState(state);
}

void TKaNumEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("EditMenu"));
    const bool selected = hasSelectedText();
    menu.addAction(QStringLiteral("Cor&tar"), this, &TKaNumEdit::ClipboardCut)
        ->setEnabled(selected);
    menu.addAction(QStringLiteral("&Copiar"), this, &TKaNumEdit::ClipboardCopy)
        ->setEnabled(selected);
    menu.addAction(QStringLiteral("&Pegar"), this, &TKaNumEdit::ClipboardPaste)
        ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(QStringLiteral("&Eliminar"), this, &TKaNumEdit::ClipboardClear)
        ->setEnabled(selected);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Seleccionar &todo"), this, &QLineEdit::selectAll)
        ->setEnabled(!text().isEmpty());
    menu.exec(e->globalPos());
}
