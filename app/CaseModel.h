// CaseModel: the open case and its latest assessment, which the windows show and the reports
// read.
#pragma once

#include "Assessment.h"
#include "EntityData.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <vector>

namespace app {

class CaseModel final : public QObject
{
    Q_OBJECT

public:
    explicit CaseModel(QObject* parent = nullptr);
    // Waits for a preview still being worked out.
    ~CaseModel() override;

    // The case as the window holds it: each figure as its field shows it.
    const borrowing::Case& current() const { return m_case; }
    // Holds another case, opened or new, with no assessment yet.
    void reset(const borrowing::Case& c);

    // The user's edits. Each emits changed() and edited() when it changes the case.
    void setFigure(amount::Amount borrowing::Figures::*figure, amount::Amount value);
    void setPlannedLoanFigure(amount::Amount borrowing::PlannedLoan::*figure, amount::Amount value);
    void setLoanAccepted(bool accepted);
    void setRevenueGrowth(amount::Amount percent);
    // While the register holds loans, their totals stand in the existing debt's figures.
    void setLoans(std::vector<borrowing::Loan> loans);
    // The dependent entities with the register, whose loans follow them when they are renamed
    // or removed.
    void setGroup(std::vector<borrowing::DependentEntity> entities,
                  std::vector<borrowing::Loan> loans);
    void setDossier(const borrowing::Dossier& dossier);
    void setSpendingRule(borrowing::SpendingRule rule);
    // The recovery plan with the revenue's growth, which the evolution shares.
    void setPlan(const borrowing::RecoveryPlan& plan, amount::Amount revenueGrowth);
    // A settlement imported: the figures, and the entity's name and province, as one edit.
    void setSettlement(const borrowing::Figures& figures, const QString& entityName,
                       const QString& province);
    // The entity's name and province and the debt limit, as the prompts keep them.
    EntityData entity() const;
    void setEntity(const EntityData& entity);

    // The latest assessment; nothing since the case was opened or made new, until assess().
    const std::optional<borrowing::Assessment>& assessment() const { return m_assessment; }
    // Works out everything from the case as it is now. The burdens the last assessment showed
    // stand where there is no revenue to work them out from.
    void assess();
    // What another case would give (the one held, changed by an editor still open), worked out
    // beside the window once the requests pause: previewed() gives it. A request replaces the
    // ones before it; the model's own assessment stays as it is.
    void requestPreview(borrowing::Case c);
    // How long requests must pause before the preview is worked out.
    static constexpr std::chrono::milliseconds PreviewPause{200};

signals:
    // The case changed, by an edit or as a whole.
    void changed();
    // The user changed the case: it has unsaved changes.
    void edited();
    // Another case is held.
    void wasReset();
    // A new assessment is ready.
    void assessed();
    // The preview last requested is ready.
    void previewed(const borrowing::Assessment& assessment);

private:
    // Applies a change to the case, which answers whether it changed anything, and tells who
    // listens.
    void update(const std::function<bool(borrowing::Case&)>& change);
    // The indicators shown last, whose burdens stand where there is no revenue.
    borrowing::Indicators previousIndicators() const;

    void startPreview();

    borrowing::Case m_case;
    std::optional<borrowing::Assessment> m_assessment;
    // The case of the latest preview requested, waiting for a pause; the preview being worked
    // out, and how many were requested, so that only the latest one is given.
    QTimer* m_previewPause;
    borrowing::Case m_previewCase;
    std::future<void> m_previewing;
    std::uint64_t m_previewsRequested = 0;
};

} // namespace app
