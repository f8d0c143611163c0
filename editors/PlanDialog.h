// PlanDialog: "Plan de saneamiento", the financial recovery plan: its years, how revenue and
// spending grow, each year's measures, and the plan's table as they leave it.
#pragma once

#include "Case.h"
#include "RecoveryPlan.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>

namespace Ui {
class PlanDialog;
}

namespace amount {
class AmountEdit;
}

namespace editors {

template <typename Part> class RecordForm;

class PlanDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit PlanDialog(QWidget* parent = nullptr);
    ~PlanDialog() override;

    // The plan and the revenue's growth (the evolution's) the fields start from.
    void setPlan(const borrowing::RecoveryPlan& plan, amount::Amount revenueGrowth);

    // What the fields hold: the plan with a year of measures for each of its years, and the
    // revenue's growth; nothing while a field holds no number.
    struct Edited
    {
        borrowing::RecoveryPlan plan;
        amount::Amount revenueGrowth = 0;
    };
    std::optional<Edited> edited() const;

    // Shows the plan's table and what it says, worked out from what the fields held.
    void showOutcome(const borrowing::PlanOutcome& outcome);

    // "Aceptar": closes the dialog accepted once its figures are numbers within their bounds.
    void acceptPlan();

signals:
    // A field changed: the plan's table waits for its outcome.
    void changed();

private:
    // What the fields hold; throws amount::ConversionError for a field that holds no number.
    Edited read() const;
    // The rows of measures past the plan's years are hidden.
    void showYears();

    Ui::PlanDialog* m_ui;
    std::unique_ptr<RecordForm<borrowing::RecoveryPlan>> m_form;
    // Each year's measures: revenue, then spending.
    std::array<std::array<amount::AmountEdit*, 2>, borrowing::LongestPlan> m_measures{};
};

} // namespace editors
