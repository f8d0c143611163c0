// EntitiesDialog: "Entidades dependientes", the entities of the group and what they give.
#pragma once

#include "Case.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <vector>

namespace Ui {
class EntitiesDialog;
}

namespace editors {

class EntitiesModel;

class EntitiesDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit EntitiesDialog(QWidget* parent = nullptr);
    ~EntitiesDialog() override;

    // The dependent entities and the register's loans as they were last accepted; renaming or
    // removing an entity renames or removes the loans it holds.
    const std::vector<borrowing::DependentEntity>& entities() const { return m_entities; }
    const std::vector<borrowing::Loan>& loans() const { return m_loans; }
    void setCase(std::vector<borrowing::DependentEntity> entities,
                 std::vector<borrowing::Loan> loans);

    // The list being edited and the loans as it leaves them, for the group's table.
    const std::vector<borrowing::DependentEntity>& editedEntities() const;
    const std::vector<borrowing::Loan>& editedLoans() const;

    // Shows the group's table (reports::groupRows, the consolidated row last) and its warnings.
    void showGroup(const QList<QStringList>& rows, const QStringList& warnings);

    // Replaces the question before an entity is removed with the loans it holds, so that a test
    // can answer it; true removes both.
    void setRemovalQuestion(std::function<bool(const QString& question)> ask)
    {
        m_askRemoval = std::move(ask);
    }

    // The commands of the dialog's buttons.
    void addEntity();
    void removeSelectedEntities();
    void acceptEntities();

signals:
    // The list being edited, or the loans with it, changed.
    void edited();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Ui::EntitiesDialog* m_ui;
    EntitiesModel* m_editing;
    std::vector<borrowing::DependentEntity> m_entities;
    std::vector<borrowing::Loan> m_loans;
    std::function<bool(const QString&)> m_askRemoval;
};

} // namespace editors
