// The bounds of what a case may hold, and the check of a whole case before it is shown.
#include "Checks.h"

#include "Assessment.h"
#include "LoanMath.h"
#include "LoanRegister.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace borrowing {

namespace {

QString between(Amount value, int lowest, Amount highest, bool lowestIncluded)
{
    const bool tooLow = lowestIncluded ? !(value >= lowest) : !(value > lowest);
    if (!tooLow && value <= highest)
        return {};
    return lowestIncluded ? QStringLiteral("debe estar entre %1 y %2")
                                .arg(lowest)
                                .arg(static_cast<int>(highest))
                          : QStringLiteral("debe ser mayor que %1 y no mayor que %2")
                                .arg(lowest)
                                .arg(static_cast<int>(highest));
}

[[noreturn]] void refuse(const QString& figure, const QString& problem)
{
    throw InvalidInput(QStringLiteral("el importe de %1 %2.").arg(figure, problem).toStdString());
}

void checkAmount(const QString& figure, Amount value)
{
    if (const QString problem = amountProblem(value); !problem.isEmpty())
        refuse(figure, problem);
}

} // namespace

QString amountProblem(Amount value)
{
    return std::fabs(value) <= LargestAmount ? QString()
                                             : QStringLiteral("pasa de 13 cifras enteras");
}

Amount lowestFigure(Amount Figures::*figure)
{
    const bool adjustment = figure == &Figures::earmarkedRevenue ||
                            figure == &Figures::surplusFinancedExpenditure ||
                            figure == &Figures::guarantees || figure == &Figures::undrawnBalances;
    return adjustment ? 0 : -LargestAmount;
}

QString registerTotalsProblem(const std::vector<Loan>& loans)
{
    const Figures filled = withRegisterTotals({}, loans);
    for (const FigureField& field : FigureFields) {
        if (!amountProblem(filled.*field.member).isEmpty())
            return QStringLiteral("El total del registro pasaría de 13 cifras enteras.");
    }
    return {};
}

QString loanFigureProblem(LoanFigure figure, Amount value)
{
    switch (figure) {
    case LoanFigure::Capital:
        if (!(value >= 0))
            return QStringLiteral("no puede ser negativo");
        return amountProblem(value);
    case LoanFigure::Rate:
        return between(value, 0, LargestRate, true);
    case LoanFigure::Years:
        // The term counts in whole months: one that rounds to none is no term either.
        return between(termMonths(value) > 0 ? value : 0, 0, LargestYears, false);
    case LoanFigure::GuaranteedShare:
        return between(value, 0, Percent, false);
    }
    return {};
}

QString loanMortgageProblem(const Loan& loan)
{
    if (!(loan.mortgaged >= 0))
        return QStringLiteral("la garantía hipotecaria no puede ser negativa");
    if (loan.mortgaged > 0 && loan.kind == LoanKind::ShortTerm)
        return QStringLiteral("una operación a corto plazo no lleva garantía hipotecaria");
    if (loan.mortgaged > loan.capital)
        return QStringLiteral("la garantía hipotecaria no puede pasar del capital pendiente");
    return {};
}

QString entitiesProblem(const std::vector<DependentEntity>& entities)
{
    QStringList names;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const DependentEntity& e = entities[i];
        const QString name = e.name.trimmed();
        if (name.isEmpty())
            return QStringLiteral("la entidad dependiente %1 no tiene nombre").arg(i + 1);
        const QString entity = QStringLiteral("la entidad dependiente \"%1\"").arg(e.name);
        if (names.contains(name))
            return entity + QStringLiteral(" está repetida");
        names << name;
        const std::pair<Amount, const char*> figures[] = {
            {e.revenue, "los ingresos corrientes"},
            {e.expenditure, "los gastos corrientes"},
            {e.result, "el resultado"},
            {e.transfers, "las transferencias internas"}};
        for (const auto& [value, what] : figures) {
            if (const QString problem = amountProblem(value); !problem.isEmpty())
                return entity + QStringLiteral(": ") + QString::fromUtf8(what) + u' ' + problem;
        }
        if (!(e.transfers >= 0))
            return entity + QStringLiteral(": las transferencias internas no pueden ser negativas");
        if (e.transfers > e.revenue)
            return entity + QStringLiteral(": las transferencias internas pasan de sus ingresos");
    }
    return {};
}

std::optional<LoanKind> loanKindNamed(const QString& text)
{
    const QString name = text.trimmed().toLower();
    if (name == u"propio")
        return LoanKind::Own;
    if (name == u"avalado" || name == u"avalado a terceros")
        return LoanKind::Guaranteed;
    if (name == u"corto" || name == u"corto plazo")
        return LoanKind::ShortTerm;
    return std::nullopt;
}

QString plannedLoanFigureProblem(LoanFigure figure, Amount value)
{
    switch (figure) {
    case LoanFigure::Capital:
        return amountProblem(value);
    case LoanFigure::Rate:
        return between(value, 0, LargestRate, true);
    case LoanFigure::Years:
        return between(value, 0, LargestYears, true);
    case LoanFigure::GuaranteedShare:
        break;
    }
    return {};
}

void checkCase(const Case& c)
{
    for (const FigureField& field : FigureFields) {
        const Amount value = c.figures.*field.member;
        checkAmount(QLatin1String(field.name), value);
        if (value < lowestFigure(field.member))
            refuse(QLatin1String(field.name), QStringLiteral("no puede ser negativo"));
    }

    const LoanFigure loanFigures[] = {LoanFigure::Capital, LoanFigure::Rate, LoanFigure::Years};
    const auto valueOf = [](const auto& loan, LoanFigure figure) {
        return figure == LoanFigure::Capital ? loan.capital
               : figure == LoanFigure::Rate  ? loan.rate
                                             : loan.years;
    };
    // The names the case file gives the figures.
    const auto keyOf = [](LoanFigure figure, bool planned) {
        switch (figure) {
        case LoanFigure::Capital:
            return planned ? QStringLiteral("Capital") : QStringLiteral("capital");
        case LoanFigure::Rate:
            return planned ? QStringLiteral("Interes") : QStringLiteral("interes");
        case LoanFigure::Years:
        case LoanFigure::GuaranteedShare:
            break;
        }
        return QStringLiteral("anios");
    };
    for (const LoanFigure figure : loanFigures) {
        const QString problem = plannedLoanFigureProblem(figure, valueOf(c.plannedLoan, figure));
        if (!problem.isEmpty())
            refuse(keyOf(figure, true) + QStringLiteral(" de la calculadora"), problem);
    }
    const QString maximumRate = between(c.plannedLoan.maximumRate, 0, LargestRate, true);
    if (!maximumRate.isEmpty())
        refuse(QStringLiteral("tipomaximo de la calculadora"), maximumRate);
    const QString growth = between(c.revenueGrowth, -100, LargestGrowth, true);
    if (!growth.isEmpty())
        refuse(QStringLiteral("crecimiento de la evolución"), growth);
    for (std::size_t i = 0; i < c.loans.size(); ++i) {
        for (const LoanFigure figure : loanFigures) {
            const QString problem = loanFigureProblem(figure, valueOf(c.loans[i], figure));
            if (!problem.isEmpty()) {
                refuse(QStringLiteral("%1 del préstamo vigente %2")
                           .arg(keyOf(figure, false))
                           .arg(i + 1),
                       problem);
            }
        }
    }
    const Dossier& d = c.dossier;
    struct DossierFigure
    {
        Amount value;
        const char* key;
        bool mayBeNegative;
    };
    for (const DossierFigure& f : {DossierFigure{d.ordinaryResources, "recursos", false},
                                   DossierFigure{d.arrangedThisYear, "concertadas", false},
                                   DossierFigure{d.stability, "estabilidad", true},
                                   DossierFigure{d.paymentPeriod, "pmp", false}}) {
        const QString figure = QLatin1String(f.key) + QStringLiteral(" del expediente");
        checkAmount(figure, f.value);
        if (f.value < 0 && !f.mayBeNegative)
            refuse(figure, QStringLiteral("no puede ser negativo"));
    }
    if (const QString problem = entitiesProblem(c.entities); !problem.isEmpty())
        throw InvalidInput((problem + u'.').toStdString());
    // How each loan counts, and whose it is: its guaranteed share, its mortgage-secured part,
    // and the entity or one of its dependent entities.
    for (std::size_t i = 0; i < c.loans.size(); ++i) {
        const Loan& loan = c.loans[i];
        const bool known =
            loan.holder.isEmpty() ||
            std::any_of(c.entities.begin(), c.entities.end(),
                        [&](const DependentEntity& e) { return e.name == loan.holder; });
        if (!known) {
            throw InvalidInput(QStringLiteral("Préstamo %1: su titular \"%2\" no es una entidad "
                                              "dependiente del caso.")
                                   .arg(i + 1)
                                   .arg(loan.holder)
                                   .toStdString());
        }
        QString problem = loanFigureProblem(LoanFigure::GuaranteedShare, loan.guaranteedShare);
        if (!problem.isEmpty())
            problem = QStringLiteral("el aval (%) ") + problem;
        else
            problem = loanMortgageProblem(loan);
        if (!problem.isEmpty())
            throw InvalidInput(
                QStringLiteral("Préstamo %1: %2.").arg(i + 1).arg(problem).toStdString());
    }
    // The register's totals stand in the existing debt's figures, and must fit their fields.
    const Assessment a = assess(c);
    for (const FigureField& field : FigureFields) {
        const QString problem = amountProblem(a.figures().*field.member);
        if (!problem.isEmpty()) {
            refuse(QStringLiteral("%1 (total del registro de préstamos vigentes)")
                       .arg(QLatin1String(field.name)),
                   problem);
        }
    }
}

} // namespace borrowing
