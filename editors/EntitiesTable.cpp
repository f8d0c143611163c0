// EntitiesTable: the dependent entities' table, edited cell by cell as the register's is.
#include "EntitiesTable.h"

#include "AmountEdit.h"
#include "Command.h"
#include "EntitiesModel.h"
#include "Wording.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace editors {

namespace {

// The kinds in their order, so that an item's index is its kind.
constexpr borrowing::EntityKind Kinds[] = {borrowing::EntityKind::Administrative,
                                           borrowing::EntityKind::Market};

} // namespace

QWidget* EntitiesDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    if (index.column() == EntitiesModel::Name)
        return CellDelegate::createEditor(parent, option, index);
    if (index.column() == EntitiesModel::Kind) {
        auto* kinds = new QComboBox(parent);
        for (const borrowing::EntityKind kind : Kinds)
            kinds->addItem(reports::entityKindText(kind));
        return kinds;
    }
    return createAmountEditor(parent, borrowing::AmountDecimals);
}

void EntitiesDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const auto* entities = qobject_cast<const EntitiesModel*>(index.model());
    if (auto* edit = qobject_cast<amount::AmountEdit*>(editor))
        showFigure(edit, entities->figure(index));
    else if (auto* kinds = qobject_cast<QComboBox*>(editor))
        kinds->setCurrentIndex(static_cast<int>(entities->kind(index.row())));
    else
        CellDelegate::setEditorData(editor, index);
}

void EntitiesDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    auto* entities = qobject_cast<EntitiesModel*>(model);
    // What no entity can have keeps what the cell had, with the reason in the error box.
    command::run([&] {
        if (auto* edit = qobject_cast<amount::AmountEdit*>(editor)) {
            if (typedInto(edit))
                entities->setFigure(index, edit->value());
        } else if (auto* kinds = qobject_cast<QComboBox*>(editor))
            entities->setKind(index.row(), Kinds[std::max(kinds->currentIndex(), 0)]);
        else if (auto* name = qobject_cast<QLineEdit*>(editor))
            entities->setName(index.row(), name->text());
    });
}

EntitiesTable::EntitiesTable(QWidget* parent) : CellTable(parent)
{
    setItemDelegate(new EntitiesDelegate(this));
}

} // namespace editors
