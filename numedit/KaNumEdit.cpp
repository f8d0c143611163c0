// TKaNumEdit: the edit box that holds an amount as its formatted text.
#include "KaNumEdit.h"

#include "Beep.h"
#include "LocaleSeparators.h"

#include <QCoreApplication>
#include <QPalette>


using numedit::CurrentSeparators;

TKaNumEdit::TKaNumEdit(QWidget* parent) : QLineEdit(parent)
{
    resize(100, height());
    QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lastSeparators = CurrentSeparators();
    showFormatted(0);
    m_enabledColor = palette().color(QPalette::Active, QPalette::Base);
    m_disabledColor = palette().color(QPalette::Active, QPalette::Button);
    applyBackground();
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
    m_applyingBackground = true;
    setPalette(p);
    m_applyingBackground = false;
}

QColor TKaNumEdit::parentBackground() const
{
    const QWidget* parent = parentWidget();
    return parent->palette().color(parent->backgroundRole());
}
