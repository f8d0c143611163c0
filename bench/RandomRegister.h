// A register of loans in force of a large city's size, the same at every run.
#pragma once

#include "Case.h"

#include <random>
#include <vector>

namespace benchdata {

// `count` loans of 1.000 to 5.000.000 euros at 0 % to 8 %, with a month to 30 years left.
inline std::vector<borrowing::Loan> randomRegister(int count = 10'000)
{
    using amount::Amount;
    std::mt19937_64 random(27);
    std::uniform_int_distribution<int> capital(1000, 5'000'000);
    std::uniform_int_distribution<int> hundredths(0, 800);
    std::uniform_int_distribution<int> months(1, 30 * 12);
    std::vector<borrowing::Loan> loans;
    for (int i = 0; i < count; ++i) {
        loans.push_back({QStringLiteral("Entidad %1").arg(i), static_cast<Amount>(capital(random)),
                         static_cast<Amount>(hundredths(random)) / 100,
                         static_cast<Amount>(months(random)) / 12});
    }
    return loans;
}

} // namespace benchdata
