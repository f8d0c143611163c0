// TKaNumEdit: the edit box that holds an amount as its formatted text.
#pragma once

#include "Amount.h"
#include "EditModel.h"
#include "NumberFormat.h"

#include <QColor>
#include <QEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstdint>
#include <functional>

enum class TAlignment : std::int8_t
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

class TKaNumEdit : public QLineEdit
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TKaNumEdit* sender)>;

    // Posted to the control itself when the locale changed, so that the separators are
    // read again before its text is converted.
    static constexpr QEvent::Type SettingsChangedMessage = static_cast<QEvent::Type>(0x493);

    explicit TKaNumEdit(QWidget* parent = nullptr);

    // Parses the text; throws numedit::EConvertError when it is not a number.
    Amount Value() const;
    void setValue(Amount x);

    int Decimals() const { return m_decimals; }
    void setDecimals(int decimals);
    TNumberFormat NumberFormat() const { return m_numberFormat; }
    void setNumberFormat(TNumberFormat format);
    Amount MinValue() const { return m_minValue; }
    void setMinValue(Amount x);
    Amount MaxValue() const { return m_maxValue; }
    void setMaxValue(Amount x);
    // True when a range is set and x lies outside it.
    bool IsOutOfRange(Amount x) const;

    // The longest text typing may produce, 0 for no limit. Unlike QLineEdit's own limit it
    // never cuts a text that is assigned, so it hides that one.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength) { m_maxLength = std::max(maxLength, 0); }

    TAlignment Alignment() const { return m_alignment; }
    using QLineEdit::setAlignment;
    void setAlignment(TAlignment alignment);

    QColor Color() const { return m_enabledColor; }
    void setColor(const QColor& color);
    QColor DisabledColor() const { return m_disabledColor; }
    void setDisabledColor(const QColor& color);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);

    QString Version() const { return QStringLiteral("8.50.00.00"); }
    void setVersion(const QString&) {}

    const TNotifyEvent& OnInvalidEntry() const { return m_onInvalidEntry; }
    void setOnInvalidEntry(TNotifyEvent handler) { m_onInvalidEntry = std::move(handler); }
    const TNotifyEvent& OnClear() const { return m_onClear; }
    void setOnClear(TNotifyEvent handler) { m_onClear = std::move(handler); }

    // Select the whole text when the focus arrives.
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }

    // The platform's clipboard requests, through the control's editing rules.
    void ClipboardCopy();
    void ClipboardCut();
    void ClipboardPaste();
    void ClipboardClear();

    QString FormatValue(Amount x) const;
    QString CleanText(const QString& s) const;
    QString ConvertSeparators(const QString& s);
    void HandleInvalidEntry();

signals:
    // The focus left the control and its value passed the range test.
    void Exit();

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    numedit::EditSettings editSettings() const;
    numedit::EditState editState() const;
    void applyState(const numedit::EditState& state);
    void syncSeparators();
    void typeText(const QString& text);
    bool passesRangeTest();
    void showFormatted(Amount x);
    void applyBackground();
    QColor parentBackground() const;

    TAlignment m_alignment = TAlignment::taRightJustify;
    int m_decimals = -1;
    bool m_parentColor = false;
    TNotifyEvent m_onInvalidEntry;
    Amount m_maxValue = 0;
    Amount m_minValue = 0;
    TNumberFormat m_numberFormat = TNumberFormat::Standard;
    QColor m_disabledColor;
    QColor m_enabledColor;
    // The separators the text was last written with; parsing converts from them.
    mutable numedit::Separators m_lastSeparators;
    TNotifyEvent m_onClear;
    int m_maxLength = 0;
    bool m_autoSelect = true;
    // The focus arrived with a press of the left mouse button.
    bool m_mouseEntry = false;
    bool m_applyingBackground = false;
};
