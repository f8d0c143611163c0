// LoansTable: the register's table, edited cell by cell with the amount fields' own rules;
// Tab and Enter go through the editable cells, row by row, and leave after the last one.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace calculator {

class LoansModel;

// Edits the bank as text, the kind in a list of the kinds and the figures in amount fields.
class LoansDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

class LoansTable final : public QTableView
{
    Q_OBJECT

public:
    explicit LoansTable(QWidget* parent = nullptr);

    // Makes the cell current and opens it for typing.
    void startEditing(const QModelIndex& index);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // The next (or previous) editable cell in reading order; invalid past the last (first).
    QModelIndex editableCellAfter(const QModelIndex& from, int step) const;
};

} // namespace calculator
