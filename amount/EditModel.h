// The keystroke rules of an amount field, over a plain editing state.
#pragma once

#include "NumberFormat.h"

#include <QString>

namespace amount {

// The text of a field with its caret and selection. With a selection, the caret position the
// rules speak of is the selection's start.
struct EditState
{
    QString text;
    int caret = 0;
    int selectionStart = 0;
    int selectionLength = 0;

    int position() const { return selectionLength > 0 ? selectionStart : caret; }
    bool hasSelection() const { return selectionLength > 0; }
    friend bool operator==(const EditState&, const EditState&) = default;
};

struct EditSettings
{
    int decimals = -1;
    NumberFormat format = NumberFormat::Standard;
    Separators separators;
    int maxLength = 0; // longest text typing may produce; 0 for no limit
    // False for a field whose values cannot be below 0: its minus sign is refused.
    bool negativeAllowed = true;
};

enum class DeleteKey
{
    Backspace,
    Delete
};

// Filters one typed character; true when it was refused and the field should beep.
bool typeChar(EditState& state, QChar c, const EditSettings& settings);

// Deletes one character for Backspace or Delete, keeping the shape of the number. Nothing
// may be selected.
void deleteChar(EditState& state, DeleteKey key, const EditSettings& settings);

// Deletes the selected digits, keeping separators and decimal places.
void deleteSelection(EditState& state, const EditSettings& settings);

// Regroups the thousands of the text after a key was released. `enterOrSpace` forces the
// reformatting. Throws ConversionError when the text is not a number.
void regroup(EditState& state, bool enterOrSpace, const EditSettings& settings);

// Deletes the selection, then filters each character of `text`; returns the number of
// characters refused.
int paste(EditState& state, const QString& text, const EditSettings& settings);

// The selected text in the form the clipboard receives ("0" when nothing is selected).
QString copyText(const EditState& state, const EditSettings& settings);

} // namespace amount
