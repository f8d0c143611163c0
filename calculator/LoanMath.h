// The level monthly payment of a loan and its monthly amortisation schedule.
#pragma once

#include "Amount.h"

#include <stdexcept>
#include <vector>

namespace calculator {

using amount::Amount;

inline constexpr int MonthsPerYear = 12;

// A floating-point failure of the payment formula: 0 / 0 or a division by zero.
class MathError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The monthly payment of `capital` at the yearly percentage `rate` over `months`, rounded to
// cents (ties to even); 0 when the capital is not above 0. Throws MathError for a zero rate
// ("Invalid floating point operation") or a zero term ("Floating point division by zero").
Amount monthlyPayment(Amount capital, Amount rate, Amount months);

struct ScheduleRow
{
    int month;
    Amount amortisation;
    Amount interest;
    Amount pending;
};

// The month-by-month schedule: each month's interest rounded to cents, the payment cut to
// what is left in the last month; pending and amortisation unrounded.
std::vector<ScheduleRow> amortisationSchedule(Amount capital, Amount rate, Amount payment,
                                              int months);

} // namespace calculator
