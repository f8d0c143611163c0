// The level monthly payment of a loan, its monthly amortisation schedule, and what the loan
// calculator works out from its inputs.
#pragma once

#include "Amount.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace borrowing {

using amount::Amount;

inline constexpr int MonthsPerYear = 12;

// A floating-point failure of the payment formula: a division by zero.
class MathError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The months of a term in years, a fractional term rounded to whole months.
int termMonths(Amount years);

// The level monthly payment at one yearly rate and number of months, worked out once for
// any capital.
class PaymentFormula
{
public:
    PaymentFormula(Amount rate, int months);

    bool hasInterest() const { return m_rate != 0; }
    // The monthly payment of `capital`, rounded to cents (ties to even), and at least a cent
    // more than the first month's interest; without interest capital / months, unrounded. 0
    // when the capital is not above 0. Throws MathError "Floating point division by zero" for
    // no months.
    Amount payment(Amount capital) const;
    // With interest, the payment of a positive capital in whole cents: an integer.
    Amount paymentInCents(Amount capital) const;
    // What one euro lent pays a month, before any rounding.
    Amount perEuro() const;

private:
    Amount m_rate;
    int m_months;
    // The monthly rate as a fraction, and (1 + r) to the months.
    Amount m_monthly = 0;
    Amount m_growth = 1;
};

// PaymentFormula(rate, months).payment(capital).
Amount monthlyPayment(Amount capital, Amount rate, int months);

struct ScheduleRow
{
    int month;
    Amount amortisation;
    Amount interest;
    Amount pending;

    friend bool operator==(const ScheduleRow&, const ScheduleRow&) = default;
};

// The month-by-month schedule in whole cents: each month's interest rounded to a cent (ties to
// even), the payment, in cents, cut to what is left in the last month.
std::vector<ScheduleRow> amortisationSchedule(Amount capital, Amount rate, Amount payment,
                                              int months);

// The average life of a loan in years: Σ (month / 12 × that month's amortisation) / capital
// over its schedule; 0 without capital.
Amount averageLife(const std::vector<ScheduleRow>& schedule, Amount capital);

// Whether a rate keeps within the maximum the prudence rule allows for the loan's average life;
// nothing when no maximum is given (0 or less).
std::optional<bool> meetsPrudence(Amount rate, Amount maximumRate);

// What the loan calculator shows for its inputs: the payments as their fields show them, the
// yearly one twelve of the monthly one as shown, the schedule at the payment as shown, and the
// loan's average life.
struct LoanQuote
{
    int months = 0;
    Amount monthlyPayment = 0;
    Amount yearlyPayment = 0;
    std::vector<ScheduleRow> schedule;
    Amount averageLife = 0;

    friend bool operator==(const LoanQuote&, const LoanQuote&) = default;
};

// The quote for a capital, a yearly rate in percent and a term in years (all as their fields
// hold them); one term in whole months serves the payment and the schedule. Throws MathError
// as monthlyPayment does.
LoanQuote quoteLoan(Amount capital, Amount rate, Amount years);

} // namespace borrowing
