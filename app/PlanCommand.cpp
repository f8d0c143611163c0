// PlanCommand: "Plan de saneamiento…", the recovery plan's dialog over the case: opened on the
// case as last calculated, its table worked out beside the window as the plan is typed, and the
// plan accepted as one edit.
#include "PlanCommand.h"

#include "CaseModel.h"
#include "Checks.h"
#include "PlanDialog.h"

namespace app {

PlanCommand::PlanCommand(CaseModel& model, QWidget* window, std::function<void()> recalculate)
    : QObject(window), m_model(model), m_dialog(new editors::PlanDialog(window)),
      m_recalculate(std::move(recalculate))
{
    connect(m_dialog, &editors::PlanDialog::changed, this, &PlanCommand::previewEditedPlan);
    connect(&m_model, &CaseModel::previewed, this, [this](const borrowing::Assessment& a) {
        if (m_dialog->isVisible())
            m_dialog->showOutcome(a.plan);
    });
}

void PlanCommand::openPlan()
{
    m_recalculate();
    const borrowing::Case& c = m_model.current();
    m_dialog->setPlan(c.plan, c.evolution.growth);
    m_dialog->showOutcome(m_model.assessment()->plan);
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const editors::PlanDialog::Edited edited = *m_dialog->edited();
    m_model.setPlan(edited.plan, edited.revenueGrowth);
}

void PlanCommand::previewEditedPlan()
{
    const std::optional<editors::PlanDialog::Edited> edited = m_dialog->edited();
    if (!edited || borrowing::planProblem(edited->plan))
        return;
    borrowing::Case c = m_model.current();
    c.plan = edited->plan;
    c.evolution.growth = edited->revenueGrowth;
    m_model.requestPreview(std::move(c));
}

} // namespace app
