// The level monthly payment of a loan and its monthly amortisation schedule.
#include "LoanMath.h"

#include <cmath>

namespace calculator {

namespace {

constexpr Amount Cent = 0.01L;
constexpr Amount CentsPerEuro = 100;

// Nearest integer, ties to even (the default rounding mode).
Amount roundHalfEven(Amount x)
{
    return std::nearbyint(x);
}

} // namespace

Amount monthlyPayment(Amount capital, Amount rate, Amount months)
{
    if (!(capital > 0))
        return 0;
    // The yearly percentage as a monthly fraction.
    const Amount r = rate / (100 * MonthsPerYear);
    const Amount p = std::pow(1 + r, months);
    const Amount numerator = capital * r * p;
    const Amount denominator = p - 1;
    if (denominator == 0) {
        throw MathError(numerator == 0 ? "Invalid floating point operation"
                                       : "Floating point division by zero");
    }
    return roundHalfEven(numerator / denominator * CentsPerEuro) * Cent;
}

std::vector<ScheduleRow> amortisationSchedule(Amount capital, Amount rate, Amount payment,
                                              int months)
{
    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max(months, 0)));
    Amount pending = capital;
    for (int month = 1; month <= months; ++month) {
        // rate × pending / 12 is the month's interest in cents.
        const Amount interest = roundHalfEven(rate * pending / MonthsPerYear) * Cent;
        if (payment > pending + interest)
            payment = pending + interest;
        const Amount amortisation = payment - interest;
        pending = pending + interest - payment;
        rows.push_back({month, amortisation, interest, pending});
    }
    return rows;
}

} // namespace calculator
