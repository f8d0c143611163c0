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

    // How much current revenue grows a year, in percent, as its field holds it.
    amount::Amount growth() const;
    void setGrowth(amount::Amount percent);

    // Projects these figures, at the growth the dialog holds, and shows the result.
    void showProjection(const borrowing::ProjectionFigures& figures);
    const borrowing::Projection& projection() const { return m_projection; }

    // Replaces the file question of "Exportar CSV…", so that a test can answer it; an empty
    // path means the user cancelled.
    void setCsvChooser(std::function<QString()> chooser) { m_chooseCsv = std::move(chooser); }
    void exportCsv();

signals:
    // The user changed the growth.
    void growthChanged();

private:
    void growthTyped();
    void refresh();

    Ui::EvolutionDialog* m_ui;
    borrowing::ProjectionFigures m_figures;
    borrowing::Projection m_projection;
    std::function<QString()> m_chooseCsv;
};

} // namespace app
