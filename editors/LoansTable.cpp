// LoansTable: the register's table, edited cell by cell with the amount fields' own rules;
// Tab and Enter go through the editable cells, row by row, and leave after the last one.
#include "LoansTable.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LoansModel.h"
#include "Wording.h"

#include <QComboBox>

namespace editors {

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
        return CellDelegate::createEditor(parent, option, index);
    if (index.column() == LoansModel::Kind) {
        // The kinds in their order, so that an item's index is its kind.
        auto* kinds = new QComboBox(parent);
        for (int kind = 0; kind < borrowing::LoanKindCount; ++kind)
            kinds->addItem(reports::loanKindText(static_cast<borrowing::LoanKind>(kind)));
        return kinds;
    }
    if (index.column() == LoansModel::Holder) {
        auto* holders = new QComboBox(parent);
        holders->addItems(loansModel(index)->holderChoices());
        return holders;
    }
    return createAmountEditor(parent, LoansModel::decimalsOf(index.column()));
}

void LoansDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const LoansModel* loans = loansModel(index);
    auto* choices = qobject_cast<QComboBox*>(editor);
    if (auto* edit = qobject_cast<amount::AmountEdit*>(editor))
        showFigure(edit, loans->figure(index));
    else if (choices && index.column() == LoansModel::Holder)
        choices->setCurrentIndex(loans->holderChoice(index.row()));
    else if (choices)
        choices->setCurrentIndex(static_cast<int>(loans->kind(index.row())));
    else
        CellDelegate::setEditorData(editor, index);
}

void LoansDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const
{
    auto* loans = qobject_cast<LoansModel*>(model);
    auto* choices = qobject_cast<QComboBox*>(editor);
    if (auto* edit = qobject_cast<amount::AmountEdit*>(editor)) {
        // A text that is not a number keeps the figure the cell had, with the conversion error.
        if (typedInto(edit))
            command::run([&] { loans->setFigure(index, edit->value()); });
    } else if (choices && index.column() == LoansModel::Holder) {
        loans->setHolderChoice(index.row(), choices->currentIndex());
    } else if (choices) {
        command::run([&] {
            loans->setKind(index.row(), static_cast<borrowing::LoanKind>(choices->currentIndex()));
        });
    } else {
        CellDelegate::setModelData(editor, model, index);
    }
}

LoansTable::LoansTable(QWidget* parent) : CellTable(parent)
{
    setItemDelegate(new LoansDelegate(this));
}

} // namespace editors
