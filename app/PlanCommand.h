// PlanCommand: "Plan de saneamiento…", the recovery plan's dialog over the case: opened on the
// case as last calculated, its table worked out beside the window as the plan is typed, and the
// plan accepted as one edit.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace editors {
class PlanDialog;
}

namespace app {

class CaseModel;

class PlanCommand final : public QObject
{
    Q_OBJECT

public:
    // The dialog is shown over `window`; `recalculate` brings the case's assessment up to date
    // before it opens.
    PlanCommand(CaseModel& model, QWidget* window, std::function<void()> recalculate);

    // The command.
    void openPlan();

private:
    // The plan's table of the case as it would be with the plan being edited.
    void previewEditedPlan();

    CaseModel& m_model;
    editors::PlanDialog* m_dialog;
    std::function<void()> m_recalculate;
};

} // namespace app
