// LoansTable: the register's table, edited cell by cell with the amount fields' own rules;
// Tab and Enter go through the editable cells, row by row, and leave after the last one.
#pragma once

#include "CellTable.h"

namespace editors {

// Edits the bank as text, the holder and the kind in lists of them and the figures in amount
// fields.
class LoansDelegate final : public CellDelegate
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

class LoansTable final : public CellTable
{
    Q_OBJECT

public:
    explicit LoansTable(QWidget* parent = nullptr);
};

} // namespace editors
