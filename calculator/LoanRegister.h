// The register of existing loans: each loan's theoretical annuity and the register's totals.
#pragma once

#include "Amount.h"

#include <QString>

#include <vector>

namespace calculator {

using amount::Amount;

// A loan in force, as the register lists it: outstanding capital, yearly rate in percent and
// remaining years, each as its field shows it.
struct ExistingLoan
{
    QString bank;
    Amount capital = 0;
    Amount rate = 0;
    Amount years = 0;

    friend bool operator==(const ExistingLoan&, const ExistingLoan&) = default;
};

// A year of a level-payment loan over the remaining term: 12 monthly payments, in cents rounded
// halves away from zero. Without interest it is capital / years; no years or no capital give 0.
Amount theoreticalAnnuity(const ExistingLoan& loan);

struct RegisterTotals
{
    Amount capital = 0;
    Amount annuity = 0;
};

// The sums of the figures as shown: each annuity rounded to cents before it is added.
RegisterTotals registerTotals(const std::vector<ExistingLoan>& loans);

} // namespace calculator
