// The level monthly payment of a loan, its monthly amortisation schedule, and what the loan
// calculator works out from its inputs.
#include "LoanMath.h"

#include "Case.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace borrowing {

namespace {

constexpr Amount Cent = 0.01L;
constexpr Amount CentsPerEuro = 100;

// Nearest integer, ties to even (the default rounding mode).
Amount roundHalfEven(Amount x)
{
    return std::rint(x);
}

// An amount in whole cents.
Amount inCents(Amount euros)
{
    return std::round(euros * CentsPerEuro);
}

// A month's interest on what is pending, both in cents: the yearly percentage of it over
// twelve months, rounded to a cent (ties to even).
Amount monthsInterest(Amount rate, Amount pendingCents)
{
    return roundHalfEven(rate * pendingCents / (100 * MonthsPerYear));
}

} // namespace

int termMonths(Amount years)
{
    constexpr Amount Longest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::round(years * MonthsPerYear), -Longest, Longest));
}

PaymentFormula::PaymentFormula(Amount rate, int months) : m_rate(rate), m_months(months)
{
    if (rate != 0) {
        // The yearly percentage as a monthly fraction.
        m_monthly = rate / (100 * MonthsPerYear);
        m_growth = std::pow(1 + m_monthly, static_cast<Amount>(months));
    }
}

Amount PaymentFormula::payment(Amount capital) const
{
    if (!(capital > 0))
        return 0;
    if (m_months == 0)
        throw MathError("Floating point division by zero");
    if (!hasInterest())
        return capital / m_months;
    return paymentInCents(capital) * Cent;
}

Amount PaymentFormula::paymentInCents(Amount capital) const
{
    const Amount denominator = m_growth - 1;
    if (m_months == 0 || denominator == 0)
        throw MathError("Floating point division by zero");
    const Amount payment =
        roundHalfEven(capital * m_monthly * m_growth / denominator * CentsPerEuro);
    // A payment that does not pay more than the first month's interest would never amortise
    // anything: it pays a cent more, and the last payment is cut to what is left.
    return std::max(payment, monthsInterest(m_rate, inCents(capital)) + 1);
}

Amount PaymentFormula::perEuro() const
{
    return hasInterest() ? m_monthly * m_growth / (m_growth - 1) : Amount{1} / m_months;
}

Amount monthlyPayment(Amount capital, Amount rate, int months)
{
    return PaymentFormula(rate, months).payment(capital);
}

std::vector<ScheduleRow> amortisationSchedule(Amount capital, Amount rate, Amount payment,
                                              int months)
{
    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(months, 0)));
    // Worked in whole cents, so that every figure is a number of cents.
    Amount pending = inCents(capital);
    Amount paid = inCents(payment);
    for (int month = 1; month <= months; ++month) {
        const Amount interest = monthsInterest(rate, pending);
        paid = std::min(paid, pending + interest);
        pending = pending + interest - paid;
        rows.push_back({month, (paid - interest) / CentsPerEuro, interest / CentsPerEuro,
                        pending / CentsPerEuro});
    }
    return rows;
}

Amount averageLife(const std::vector<ScheduleRow>& schedule, Amount capital)
{
    if (!(capital > 0))
        return 0;
    Amount weighted = 0;
    for (const ScheduleRow& row : schedule)
        weighted += static_cast<Amount>(row.month) / MonthsPerYear * row.amortisation;
    return weighted / capital;
}

std::optional<bool> meetsPrudence(Amount rate, Amount maximumRate)
{
    if (!(maximumRate > 0))
        return std::nullopt;
    return rate <= maximumRate;
}

LoanQuote quoteLoan(Amount capital, Amount rate, Amount years)
{
    LoanQuote quote;
    quote.months = termMonths(years);
    quote.monthlyPayment =
        amount::shownValue(monthlyPayment(capital, rate, quote.months), AmountDecimals);
    quote.yearlyPayment = amount::shownValue(quote.monthlyPayment * MonthsPerYear, AmountDecimals);
    quote.schedule = amortisationSchedule(capital, rate, quote.monthlyPayment, quote.months);
    quote.averageLife = amount::shownValue(averageLife(quote.schedule, capital), AmountDecimals);
    return quote;
}

} // namespace borrowing
