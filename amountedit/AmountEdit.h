// AmountEdit: the edit box that holds an amount as its formatted text.
#pragma once

#include "Amount.h"
#include "EditModel.h"
#include "NumberFormat.h"

#include <QColor>
#include <QLineEdit>

#include <algorithm>

namespace amount {

class AmountEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(double value READ designerValue WRITE setDesignerValue)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(amount::NumberFormat numberFormat READ numberFormat WRITE setNumberFormat)
    Q_PROPERTY(double minValue READ designerMinValue WRITE setDesignerMinValue)
    Q_PROPERTY(double maxValue READ designerMaxValue WRITE setDesignerMaxValue)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(QColor disabledColor READ disabledColor WRITE setDisabledColor)
    Q_PROPERTY(QColor disabledTextColor READ disabledTextColor WRITE setDisabledTextColor)
    Q_PROPERTY(bool parentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool autoSelect READ autoSelect WRITE setAutoSelect)

public:
    explicit AmountEdit(QWidget* parent = nullptr);

    // Parses the text; throws ConversionError when it is not a number.
    Amount value() const;
    void setValue(Amount x);

    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);
    NumberFormat numberFormat() const { return m_numberFormat; }
    void setNumberFormat(NumberFormat format);
    // No range while both bounds are 0.
    Amount minValue() const { return m_minValue; }
    void setMinValue(Amount x);
    Amount maxValue() const { return m_maxValue; }
    void setMaxValue(Amount x);
    // True when a range is set and x lies outside it.
    bool isOutOfRange(Amount x) const;

    // The longest text typing may produce, 0 for no limit. Unlike QLineEdit's own limit it
    // never cuts a text that is assigned, so it hides that one.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int maxLength) { m_maxLength = std::max(maxLength, 0); }

    // The background while enabled and while disabled. Until they are set they are the
    // palette's Base and Button, and follow the palette as it changes.
    QColor color() const;
    void setColor(const QColor& color);
    QColor disabledColor() const;
    void setDisabledColor(const QColor& color);
    // The text's colour while disabled; the palette's until it is set.
    QColor disabledTextColor() const;
    void setDisabledTextColor(const QColor& color);
    // The enabled background follows the parent's background.
    bool parentColor() const { return m_parentColor; }
    void setParentColor(bool parentColor);

    // Select the whole text when the focus enters the field (not when it comes back from
    // another window or a menu).
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }

    // The clipboard commands, through the field's editing rules. Only copying works in a
    // read-only field.
    void copyToClipboard();
    void cutToClipboard();
    void pasteFromClipboard();
    // Deletes the selection, or emits clearRequested() instead when that is connected.
    void clearSelection();

    // Clamps the value into the range with a beep and takes the focus back, or emits
    // invalidEntry() instead when that is connected.
    void handleInvalidEntry();

signals:
    // The value failed the range test on leaving the field; replaces the clamping.
    void invalidEntry();
    // The clipboard's clear command; replaces deleting the selection.
    void clearRequested();
    // The focus left the field and its value passed the range test.
    void fieldLeft();

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
    // Designer edits amounts as doubles.
    double designerValue() const { return static_cast<double>(value()); }
    void setDesignerValue(double x) { setValue(x); }
    double designerMinValue() const { return static_cast<double>(m_minValue); }
    void setDesignerMinValue(double x) { setMinValue(x); }
    double designerMaxValue() const { return static_cast<double>(m_maxValue); }
    void setDesignerMaxValue(double x) { setMaxValue(x); }

    QString formatted(Amount x) const;
    QString cleanText(const QString& s) const;
    EditSettings editSettings() const;
    EditState editState() const;
    void applyState(const EditState& state);
    void syncSeparators();
    void typeText(const QString& text);
    bool passesRangeTest();
    void showFormatted(Amount x);
    void applyBackground();
    QColor parentBackground() const;
    // The palette the field would have without colours of its own.
    QPalette inheritedPalette() const;
    void regroupAfterKey(const QKeyEvent* e);
    void leave();

    int m_decimals = -1;
    NumberFormat m_numberFormat = NumberFormat::Standard;
    Amount m_minValue = 0;
    Amount m_maxValue = 0;
    int m_maxLength = 0;
    // Invalid while not set.
    QColor m_enabledColor;
    QColor m_disabledColor;
    QColor m_disabledTextColor;
    bool m_parentColor = false;
    bool m_autoSelect = true;
    // The separators the text was last written with; parsing converts from them.
    Separators m_lastSeparators;
    // The focus arrived with a press of the left mouse button.
    bool m_mouseEntry = false;
    // The focus entered the field and has not left it since, though it may be in another
    // window or a menu for now.
    bool m_entered = false;
    bool m_applyingBackground = false;
};

} // namespace amount
