// CellTable: a table edited cell by cell, whose Tab and Enter go through the editable cells row
// by row and leave after the last one; and CellDelegate, the editing its delegates share.
#pragma once

#include "Amount.h"

#include <QStyledItemDelegate>
#include <QTableView>

namespace amount {
class AmountEdit;
}

namespace editors {

// Enter leaves a list of choices for the next cell, as it leaves any other editor.
class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    // An amount field grouped in thousands, as the cells show their figures.
    static amount::AmountEdit* createAmountEditor(QWidget* parent, int decimals);
    // Shows the cell's figure in its field, which remembers the text it showed.
    static void showFigure(amount::AmountEdit* edit, amount::Amount figure);
    // Whether the user typed into the field: a cell left as it was shown keeps its exact figure,
    // which the field may show rounded.
    static bool typedInto(const amount::AmountEdit* edit);
    bool eventFilter(QObject* object, QEvent* event) override;
};

class CellTable : public QTableView
{
    Q_OBJECT

public:
    explicit CellTable(QWidget* parent = nullptr);

    // Makes the cell current and opens it for typing.
    void startEditing(const QModelIndex& index);
    // The rows selected, or else the current cell's, from the top down.
    QList<int> chosenRows() const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The next (or previous) editable cell in reading order; invalid past the last (first).
    QModelIndex editableCellAfter(const QModelIndex& from, int step) const;
};

} // namespace editors
