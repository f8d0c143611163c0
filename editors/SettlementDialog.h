// SettlementDialog: "Importar liquidación", the entity whose settlement is imported, found as
// its name is typed, and the chapters it fills.
#pragma once

#include "Inventory.h"
#include "SettlementCsv.h"

#include <QDialog>

#include <optional>
#include <vector>

class QSortFilterProxyModel;
class QStandardItemModel;

namespace Ui {
class SettlementDialog;
}

namespace editors {

class SettlementDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit SettlementDialog(QWidget* parent = nullptr);
    ~SettlementDialog() override;

    // The table to import from, which must outlive the dialog's showing, and the inventory that
    // names its entities. A table that names none shows its chapters alone.
    void setTable(const imports::SettlementTable& table,
                  const std::vector<imports::InventoryEntity>& inventory);

    // The entity chosen, as the inventory names it; none when the table names none.
    const std::optional<imports::InventoryEntity>& chosenEntity() const { return m_chosen; }
    // Its settlement; none while no entity is chosen or its settlement is refused.
    const std::optional<imports::Settlement>& settlement() const { return m_settlement; }

private:
    // Lists the entities whose name or code holds the text typed, the first one chosen.
    void search(const QString& text);
    // Shows the chapters of the entity chosen, or why they cannot be imported.
    void showChosen();
    void showSettlement();

    Ui::SettlementDialog* m_ui;
    QStandardItemModel* m_entities;
    QSortFilterProxyModel* m_found;
    const imports::SettlementTable* m_table = nullptr;
    std::vector<imports::InventoryEntity> m_listed;
    std::optional<imports::InventoryEntity> m_chosen;
    std::optional<imports::Settlement> m_settlement;
};

} // namespace editors
