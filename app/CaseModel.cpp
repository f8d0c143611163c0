// CaseModel: the open case and its latest assessment, which the windows show and the reports
// read.
#include "CaseModel.h"

#include "BusyWork.h"
#include "CaseFields.h"
#include "IntegerText.h"
#include "NumberFormat.h"

#include <algorithm>
#include <utility>

namespace app {

using amount::Amount;

namespace {

// Puts a figure, as its field shows it, in the case; false when it was so already. A capacity
// an older case gave stands until the figures it is worked out from are given.
bool putFigure(borrowing::Case& c, Amount borrowing::Figures::*figure, Amount shown)
{
    if (std::exchange(c.figures.*figure, shown) == shown)
        return false;
    if (shown != 0 && borrowing::isStabilityFigure(figure))
        c.stability.givenCapacity = 0;
    return true;
}

} // namespace

CaseModel::CaseModel(QObject* parent) : QObject(parent), m_previewPause(new QTimer(this))
{
    m_previewPause->setSingleShot(true);
    m_previewPause->setInterval(PreviewPause);
    connect(m_previewPause, &QTimer::timeout, this, &CaseModel::startPreview);
}

CaseModel::~CaseModel()
{
    if (m_previewing.valid())
        m_previewing.wait();
}

void CaseModel::reset(const borrowing::Case& c)
{
    m_case = borrowing::shownCase(c);
    m_assessment.reset();
    emit wasReset();
    emit changed();
}

void CaseModel::update(const std::function<bool(borrowing::Case&)>& change)
{
    if (!change(m_case))
        return;
    emit changed();
    emit edited();
}

void CaseModel::setFigure(Amount borrowing::Figures::*figure, Amount value)
{
    // The register's totals stand in these while it holds loans.
    const bool fromRegister = borrowing::registerFills(figure, m_case.loans);
    const Amount shown = amount::shownValue(value, borrowing::AmountDecimals);
    update([&](borrowing::Case& c) { return !fromRegister && putFigure(c, figure, shown); });
}

void CaseModel::setSpendingRule(borrowing::SpendingRule rule)
{
    update([&](borrowing::Case& c) { return std::exchange(c.stability.rule, rule) != rule; });
}

void CaseModel::setPlan(const borrowing::RecoveryPlan& plan, Amount revenueGrowth)
{
    const borrowing::RecoveryPlan shown = borrowing::shownPlan(plan);
    const Amount growth = amount::shownValue(revenueGrowth, borrowing::AmountDecimals);
    update([&](borrowing::Case& c) {
        const bool changed = c.plan != shown || c.evolution.growth != growth;
        c.plan = shown;
        c.evolution.growth = growth;
        return changed;
    });
}

void CaseModel::setSettlement(const borrowing::Figures& figures, const QString& entityName,
                              const QString& province)
{
    const borrowing::Figures shown = borrowing::shownFigures(figures);
    update([&](borrowing::Case& c) {
        bool changed = std::exchange(c.entityName, entityName) != entityName;
        changed |= std::exchange(c.entityProvince, province) != province;
        for (const borrowing::FigureField& field : borrowing::FigureFields)
            changed |= putFigure(c, field.amount, shown.*field.amount);
        return changed;
    });
}

void CaseModel::setPlannedLoanFigure(Amount borrowing::PlannedLoan::*figure, Amount value)
{
    const Amount shown = amount::shownValue(
        value, borrowing::fieldOf(borrowing::PlannedLoanFields, figure).decimals);
    update(
        [&](borrowing::Case& c) { return std::exchange(c.plannedLoan.*figure, shown) != shown; });
}

void CaseModel::setLoanAccepted(bool accepted)
{
    update([&](borrowing::Case& c) {
        return std::exchange(c.plannedLoan.accepted, accepted) != accepted;
    });
}

void CaseModel::setRevenueGrowth(Amount percent)
{
    const Amount shown = amount::shownValue(percent, borrowing::AmountDecimals);
    update([&](borrowing::Case& c) { return std::exchange(c.evolution.growth, shown) != shown; });
}

void CaseModel::setLoans(std::vector<borrowing::Loan> loans)
{
    update([&](borrowing::Case& c) {
        if (loans == c.loans)
            return false;
        c.loans = std::move(loans);
        c.figures = borrowing::shownFigures(borrowing::withRegisterTotals(c.figures, c.loans));
        return true;
    });
}

void CaseModel::setGroup(std::vector<borrowing::DependentEntity> entities,
                         std::vector<borrowing::Loan> loans)
{
    update([&](borrowing::Case& c) {
        if (entities == c.entities && loans == c.loans)
            return false;
        c.entities = std::move(entities);
        c.loans = std::move(loans);
        c.figures = borrowing::shownFigures(borrowing::withRegisterTotals(c.figures, c.loans));
        return true;
    });
}

void CaseModel::setDossier(const borrowing::Dossier& dossier)
{
    const borrowing::Dossier shown = borrowing::shownDossier(dossier);
    update([&](borrowing::Case& c) { return std::exchange(c.dossier, shown) != shown; });
}

EntityData CaseModel::entity() const
{
    EntityData entity{.name = m_case.entityName, .province = m_case.entityProvince};
    if (!m_case.limitText.isEmpty()) {
        entity.maxDebtPercentText = m_case.limitText;
        entity.maxDebtPercent = amount::parseInteger(m_case.limitText).value_or(0);
    }
    return entity;
}

void CaseModel::setEntity(const EntityData& entity)
{
    // The untouched "0" of a fresh start is no limit, as shownCase() holds it.
    const QString limit = entity.maxDebtPercentText == u"0" ? QString() : entity.maxDebtPercentText;
    update([&](borrowing::Case& c) {
        const bool same = c.entityName == entity.name && c.entityProvince == entity.province &&
                          c.limitText == limit;
        c.entityName = entity.name;
        c.entityProvince = entity.province;
        c.limitText = limit;
        return !same;
    });
}

void CaseModel::assess()
{
    // A register of a large city's size takes a moment. The work takes copies: the window may
    // change the case while it runs.
    m_assessment = whileBusy(
        [c = m_case, previous = previousIndicators()] { return borrowing::assess(c, previous); });
    emit assessed();
}

void CaseModel::requestPreview(borrowing::Case c)
{
    m_previewCase = std::move(c);
    ++m_previewsRequested;
    m_previewPause->start();
}

void CaseModel::startPreview()
{
    // One at a time: a preview still running is waited for, and given only if still the latest.
    if (m_previewing.valid())
        m_previewing.wait();
    const std::uint64_t request = m_previewsRequested;
    m_previewing = std::async(std::launch::async, [this, request, c = m_previewCase,
                                                   previous = previousIndicators()] {
        auto assessment = std::make_shared<borrowing::Assessment>(borrowing::assess(c, previous));
        QMetaObject::invokeMethod(
            this,
            [this, request, assessment] {
                if (request == m_previewsRequested)
                    emit previewed(*assessment);
            },
            Qt::QueuedConnection);
    });
}

borrowing::Indicators CaseModel::previousIndicators() const
{
    return m_assessment ? m_assessment->indicators : borrowing::Indicators{};
}

} // namespace app
