// CellTable: a table edited cell by cell, whose Tab and Enter go through the editable cells row
// by row and leave after the last one; and CellDelegate, the editing its delegates share.
#include "CellTable.h"

#include "AmountEdit.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace editors {

amount::AmountEdit* CellDelegate::createAmountEditor(QWidget* parent, int decimals)
{
    auto* edit = new amount::AmountEdit(parent);
    edit->setDecimals(decimals);
    edit->setNumberFormat(amount::NumberFormat::Thousands);
    return edit;
}

namespace {

// Where a cell's field keeps the text it was shown with.
constexpr const char* ShownText = "shownText";

} // namespace

void CellDelegate::showFigure(amount::AmountEdit* edit, amount::Amount figure)
{
    edit->setValue(figure);
    edit->setProperty(ShownText, edit->text());
}

bool CellDelegate::typedInto(const amount::AmountEdit* edit)
{
    return edit->text() != edit->property(ShownText).toString();
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Enter leaves a list of choices for the next cell, as the key rules make it leave a field.
    auto* choices = qobject_cast<QComboBox*>(object);
    if (choices && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit commitData(choices);
            emit closeEditor(choices, key->modifiers() & Qt::ShiftModifier ? EditPreviousItem
                                                                           : EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

CellTable::CellTable(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // As high as the amount fields that edit the cells.
    constexpr int RowHeight = 23;
    verticalHeader()->setDefaultSectionSize(RowHeight);
}

void CellTable::startEditing(const QModelIndex& index)
{
    setFocus(Qt::OtherFocusReason);
    // A new current cell opens for typing by itself.
    if (currentIndex() == index)
        edit(index);
    else
        setCurrentIndex(index);
}

QList<int> CellTable::chosenRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows << index.row();
    if (rows.isEmpty() && currentIndex().isValid())
        rows << currentIndex().row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QModelIndex CellTable::editableCellAfter(const QModelIndex& from, int step) const
{
    if (!model() || !from.isValid())
        return {};
    const int columns = model()->columnCount();
    for (int cell = from.row() * columns + from.column() + step;
         cell >= 0 && cell < model()->rowCount() * columns; cell += step) {
        const QModelIndex candidate = model()->index(cell / columns, cell % columns);
        if ((candidate.flags() & Qt::ItemIsEditable) && !isColumnHidden(candidate.column()))
            return candidate;
    }
    return {};
}

QModelIndex CellTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveNext || action == MovePrevious)
        return editableCellAfter(currentIndex(), action == MoveNext ? 1 : -1);
    return QTableView::moveCursor(action, modifiers);
}

void CellTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const bool onward = hint == QAbstractItemDelegate::EditNextItem;
    const bool back = hint == QAbstractItemDelegate::EditPreviousItem;
    if ((onward || back) && !editableCellAfter(currentIndex(), onward ? 1 : -1).isValid()) {
        // Past the last editable cell Tab leaves the table, as from any other field.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (onward)
            focusNextChild();
        else
            focusPreviousChild();
        return;
    }
    QTableView::closeEditor(editor, hint);
}

} // namespace editors
