// The bounds of what a case may hold, and the check of a whole case before it is shown.
#include "Checks.h"

#include "LoanMath.h"
#include "LoanRegister.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace borrowing {

namespace {

using Reason = Refusal::Reason;
using Record = Refusal::Record;

// What is wrong with a number field of a record, the `index`th of its list (from 1) if any.
template <typename Part>
std::optional<Refusal> fieldProblem(const Field<Part>& field, const Part& part, Record record,
                                    int index = 0)
{
    if (const auto reason = valueProblem(field, part.*field.amount)) {
        return Refusal{.reason = *reason,
                       .record = record,
                       .key = field.key,
                       .bounds = field.bounds,
                       .index = index};
    }
    return std::nullopt;
}

// The first number field of a record out of its bounds.
template <typename Part, std::size_t N>
std::optional<Refusal> recordProblem(const std::array<Field<Part>, N>& fields, const Part& part,
                                     Record record)
{
    for (const Field<Part>& field : fields) {
        if (!field.isNumber())
            continue;
        if (auto refusal = fieldProblem(field, part, record))
            return refusal;
    }
    return std::nullopt;
}

} // namespace

bool fitsAField(Amount value)
{
    return std::fabs(value) <= LargestAmount;
}

std::optional<Refusal::Reason> valueProblem(FieldKind kind, const Bounds& bounds, Amount value)
{
    if (kind == FieldKind::Amount) {
        if (!fitsAField(value))
            return Reason::TooManyDigits;
        return value < bounds.lowest ? std::optional(Reason::Negative) : std::nullopt;
    }
    // A term counts in whole months.
    if (kind == FieldKind::Years && termMonths(value) == 0)
        value = 0;
    const bool tooLow =
        bounds.lowestIncluded ? !(value >= bounds.lowest) : !(value > bounds.lowest);
    return tooLow || !(value <= bounds.highest) ? std::optional(Reason::OutOfRange) : std::nullopt;
}

std::optional<Refusal::Reason> mortgageProblem(const Loan& loan)
{
    if (!(loan.mortgaged >= 0))
        return Reason::MortgageNegative;
    if (loan.mortgaged > 0 && loan.kind == LoanKind::ShortTerm)
        return Reason::MortgageOnShortTerm;
    if (loan.mortgaged > loan.capital)
        return Reason::MortgageAboveCapital;
    return std::nullopt;
}

QString comparableName(const QString& name)
{
    QString letters;
    for (const QChar c : name.trimmed().normalized(QString::NormalizationForm_KD)) {
        if (c.category() != QChar::Mark_NonSpacing)
            letters += c;
    }
    return letters.toCaseFolded();
}

std::optional<Refusal> entitiesProblem(const std::vector<DependentEntity>& entities)
{
    QSet<QString> names;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const DependentEntity& e = entities[i];
        const QString name = comparableName(e.name);
        Refusal refusal{.reason = Reason::Unnamed,
                        .record = Record::Entity,
                        .index = static_cast<int>(i) + 1,
                        .name = e.name};
        if (name.isEmpty())
            return refusal;
        if (names.contains(name)) {
            refusal.reason = Reason::RepeatedName;
            return refusal;
        }
        names.insert(name);
        // Each figure as an amount, whether or not the entity's kind counts it; below its
        // lowest bound only where it counts.
        for (const EntityField& field : EntityFields) {
            if (!field.isNumber())
                continue;
            const auto reason = valueProblem(field, e.*field.amount);
            if (reason && (*reason == Reason::TooManyDigits || field.appliesTo(e))) {
                refusal.reason = *reason;
                refusal.key = field.key;
                return refusal;
            }
        }
        refusal.key = fieldOf(EntityFields, &DependentEntity::transfers).key;
        if (e.transfers > e.revenue) {
            refusal.reason = Reason::TransfersAboveRevenue;
            return refusal;
        }
    }
    return std::nullopt;
}

std::optional<Refusal> planProblem(const RecoveryPlan& plan)
{
    if (auto refusal = recordProblem(PlanFields, plan, Record::Plan))
        return refusal;
    if (plan.years != std::floor(plan.years)) {
        const Field<RecoveryPlan>& years = fieldOf(PlanFields, &RecoveryPlan::years);
        return Refusal{.reason = Reason::NotWhole,
                       .record = Record::Plan,
                       .key = years.key,
                       .bounds = years.bounds};
    }
    for (std::size_t i = 0; i < plan.measures.size(); ++i) {
        for (const Field<PlanMeasures>& field : MeasureFields) {
            if (auto refusal = fieldProblem(field, plan.measures[i], Record::Measures,
                                            static_cast<int>(i) + 1))
                return refusal;
        }
    }
    if (static_cast<Amount>(plan.measures.size()) > plan.years) {
        return Refusal{.reason = Reason::MeasuresPastPlan,
                       .record = Record::Plan,
                       .key = keys::Measures,
                       .count = static_cast<int>(plan.measures.size()),
                       .expected = static_cast<int>(plan.years)};
    }
    return std::nullopt;
}

std::optional<Refusal> registerTotalsProblem(const RegisterTotals& own, const Figures& figures)
{
    const Figures filled = shownFigures(withRegisterTotals(figures, own));
    for (const FigureField& field : FigureFields) {
        if (!fitsAField(filled.*field.amount)) {
            return Refusal{
                .reason = Reason::TooManyDigits, .record = Record::RegisterTotal, .key = field.key};
        }
    }
    return std::nullopt;
}

std::optional<Refusal> caseProblem(const Case& c)
{
    if (auto refusal = recordProblem(FigureFields, c.figures, Record::Figures))
        return refusal;
    if (auto refusal = recordProblem(PlannedLoanFields, c.plannedLoan, Record::PlannedLoan))
        return refusal;
    if (auto refusal = recordProblem(EvolutionFields, c.evolution, Record::Evolution))
        return refusal;
    for (std::size_t i = 0; i < c.loans.size(); ++i) {
        // The figures every loan has come first; its share and mortgage after the entities.
        for (const auto figure : {&Loan::capital, &Loan::rate, &Loan::years}) {
            const int index = static_cast<int>(i) + 1;
            if (auto refusal =
                    fieldProblem(fieldOf(LoanFields, figure), c.loans[i], Record::Loan, index))
                return refusal;
        }
    }
    if (auto refusal = recordProblem(DossierFields, c.dossier, Record::Dossier))
        return refusal;
    if (auto refusal = recordProblem(StabilityFields, c.stability, Record::Dossier))
        return refusal;
    if (auto refusal = planProblem(c.plan))
        return refusal;
    if (auto refusal = entitiesProblem(c.entities))
        return refusal;
    for (std::size_t i = 0; i < c.loans.size(); ++i) {
        const Loan& loan = c.loans[i];
        const int index = static_cast<int>(i) + 1;
        const bool known =
            loan.holder.isEmpty() ||
            std::any_of(c.entities.begin(), c.entities.end(),
                        [&](const DependentEntity& e) { return e.name == loan.holder; });
        if (!known) {
            return Refusal{.reason = Reason::UnknownHolder,
                           .record = Record::Loan,
                           .key = fieldOf(LoanFields, &Loan::holder).key,
                           .index = index,
                           .text = loan.holder};
        }
        // A share is checked whatever the kind, as files keep it.
        if (auto refusal = fieldProblem(fieldOf(LoanFields, &Loan::guaranteedShare), loan,
                                        Record::Loan, index))
            return refusal;
        if (const auto reason = mortgageProblem(loan)) {
            return Refusal{.reason = *reason,
                           .record = Record::Loan,
                           .key = fieldOf(LoanFields, &Loan::mortgaged).key,
                           .index = index};
        }
    }
    return registerTotalsProblem(registerTotals(loansOf(c.loans, {})), c.figures);
}

void checkCase(const Case& c)
{
    if (auto refusal = caseProblem(c))
        throw Refused(std::move(*refusal));
}

} // namespace borrowing
