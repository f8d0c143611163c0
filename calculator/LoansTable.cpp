// LoansTable: the register's table, edited cell by cell with the amount fields' own rules;
// Tab and Enter go through the editable cells, row by row, and leave after the last one.
#include "LoansTable.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LoansModel.h"
#include "Wording.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>

namespace calculator {

namespace {

const LoansModel* loansModel(const QModelIndex& index)
{
    return qobject_cast<const LoansModel*>(index.model());
}

} // namespace

QWidget* LoansDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    if (index.column() == LoansModel::Bank)
        return QStyledItemDelegate::createEditor(parent, option, index);
    if (index.column() == LoansModel::Kind) {
        // The kinds in their order, so that an item's index is its kind.
        auto* kinds = new QComboBox(parent);
        for (int kind = 0; kind < borrowing::LoanKindCount; ++kind)
            kinds->addItem(reports::loanKindText(static_cast<borrowing::LoanKind>(kind)));
        return kinds;
    }
    auto* edit = new amount::AmountEdit(parent);
    edit->setDecimals(LoansModel::decimalsOf(index.column()));
    edit->setNumberFormat(amount::NumberFormat::Thousands);
    return edit;
}

void LoansDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<amount::AmountEdit*>(editor))
        edit->setValue(loansModel(index)->figure(index));
    else if (auto* kinds = qobject_cast<QComboBox*>(editor))
        kinds->setCurrentIndex(static_cast<int>(loansModel(index)->kind(index.row())));
    else
        QStyledItemDelegate::setEditorData(editor, index);
}

void LoansDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const
{
    auto* loans = qobject_cast<LoansModel*>(model);
    if (auto* edit = qobject_cast<amount::AmountEdit*>(editor)) {
        // A text that is not a number keeps the figure the cell had, with the conversion error.
        command::run([&] { loans->setFigure(index, edit->value()); });
    } else if (auto* kinds = qobject_cast<QComboBox*>(editor)) {
        command::run([&] {
            loans->setKind(index.row(), static_cast<borrowing::LoanKind>(kinds->currentIndex()));
        });
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

bool LoansDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Enter leaves the list of kinds for the next cell, as the key rules make it leave a field.
    auto* kinds = qobject_cast<QComboBox*>(object);
    if (kinds && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit commitData(kinds);
            emit closeEditor(kinds, key->modifiers() & Qt::ShiftModifier ? EditPreviousItem
                                                                         : EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

LoansTable::LoansTable(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new LoansDelegate(this));
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // As high as the amount fields that edit the cells.
    constexpr int RowHeight = 23;
    verticalHeader()->setDefaultSectionSize(RowHeight);
}

void LoansTable::startEditing(const QModelIndex& index)
{
    setFocus(Qt::OtherFocusReason);
    // A new current cell opens for typing by itself.
    if (currentIndex() == index)
        edit(index);
    else
        setCurrentIndex(index);
}

QModelIndex LoansTable::editableCellAfter(const QModelIndex& from, int step) const
{
    if (!model() || !from.isValid())
        return {};
    const int columns = model()->columnCount();
    for (int cell = from.row() * columns + from.column() + step;
         cell >= 0 && cell < model()->rowCount() * columns; cell += step) {
        const QModelIndex candidate = model()->index(cell / columns, cell % columns);
        if (candidate.flags() & Qt::ItemIsEditable)
            return candidate;
    }
    return {};
}

QModelIndex LoansTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveNext || action == MovePrevious)
        return editableCellAfter(currentIndex(), action == MoveNext ? 1 : -1);
    return QTableView::moveCursor(action, modifiers);
}

void LoansTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
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

} // namespace calculator
