// EvolutionDialog: "Evolución de la deuda", the debt and its ratio year by year, as a table, a
// chart and a spreadsheet file.
#pragma once

#include "Projection.h"

#include <QDialog>

#include <functional>

namespace Ui {
class EvolutionDialog;
}

namespace app {

class EvolutionDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit EvolutionDialog(QWidget* parent = nullptr);
    ~EvolutionDialog() override;

    // Shows the debt year by year, as the case's assessment projects it at the growth in the
    // dialog's field (crecimiento, which the case model is bound to).
    void showProjection(const borrowing::Projection& projection);
    const borrowing::Projection& projection() const { return m_projection; }

    // Replaces the file question of "Exportar CSV…", so that a test can answer it; an empty
    // path means the user cancelled.
    void setCsvChooser(std::function<QString()> chooser) { m_chooseCsv = std::move(chooser); }
    void exportCsv();

private:
    Ui::EvolutionDialog* m_ui;
    borrowing::Projection m_projection;
    std::function<QString()> m_chooseCsv;
};

} // namespace app
