// EntitiesTable: the dependent entities' table, edited cell by cell as the register's is.
#pragma once

#include "CellTable.h"

namespace editors {

// Edits the name as text, the kind in a list of the kinds and the figures in amount fields.
class EntitiesDelegate final : public CellDelegate
{
    Q_OBJECT

public:
    using CellDelegate::CellDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

class EntitiesTable final : public CellTable
{
    Q_OBJECT

public:
    explicit EntitiesTable(QWidget* parent = nullptr);
};

} // namespace editors
