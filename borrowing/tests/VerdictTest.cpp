// The verdict under the rules in force: each outcome, the exact thresholds, no revenue.
#include "Verdict.h"

#include "QStringPrinter.h"
#include "TestSeparators.h"
#include "Wording.h"

#include <gtest/gtest.h>

using namespace borrowing;
using namespace Qt::StringLiterals;

namespace {

const QString None = u"No precisa autorización"_s;
const QString Over75 = u"Precisa autorización: endeudamiento superior al 75 %"_s;
const QString Savings = u"No puede concertarse: ahorro neto negativo"_s;
const QString Over110 = u"No puede concertarse: endeudamiento superior al 110 %"_s;
const QString Both =
    u"No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %"_s;

struct VerdictCase
{
    const char* name;
    Amount revenue;
    Amount debt;
    Amount netSavings;
    Outcome outcome;
    QString result;
    QString ratio;
};

void PrintTo(const VerdictCase& c, std::ostream* os)
{
    *os << c.name;
}

class VerdictTest : public testing::TestWithParam<VerdictCase>
{
};

TEST_P(VerdictTest, outcomeResultAndRatio)
{
    const VerdictCase& c = GetParam();
    const Verdict v = currentVerdict(c.revenue, c.debt, c.netSavings);
    EXPECT_EQ(v.outcome, c.outcome);
    EXPECT_EQ(reports::verdictText(v), c.result);
    EXPECT_EQ(reports::percentText(v.ratio, testsupport::Spanish), c.ratio);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VerdictTest,
    testing::Values(
        VerdictCase{"low debt", 3000000, 2052600, 1, Outcome::NoAuthorisation, None, u"68,42 %"_s},
        VerdictCase{"exactly 75", 3000000, 2250000, 0, Outcome::NoAuthorisation, None,
                    u"75,00 %"_s},
        VerdictCase{"a cent above 75", 3000000, 2250000.01L, 0, Outcome::Authorisation, Over75,
                    u"75,00 %"_s},
        VerdictCase{"exactly 110", 3000000, 3300000, 5, Outcome::Authorisation, Over75,
                    u"110,00 %"_s},
        VerdictCase{"a cent above 110", 3000000, 3300000.01L, 5, Outcome::Forbidden, Over110,
                    u"110,00 %"_s},
        VerdictCase{"negative savings, low debt", 3000000, 1000000, -0.01L, Outcome::Forbidden,
                    Savings, u"33,33 %"_s},
        VerdictCase{"negative savings, exactly 110", 3000000, 3300000, -1, Outcome::Forbidden,
                    Savings, u"110,00 %"_s},
        VerdictCase{"negative savings, a cent above 110", 3000000, 3300000.01L, -1,
                    Outcome::Forbidden, Both, u"110,00 %"_s},
        VerdictCase{"zero savings are not negative", 1000, 0, -0.0L, Outcome::NoAuthorisation, None,
                    u"0,00 %"_s},
        VerdictCase{"zero savings above 75", 1000, 800, 0, Outcome::Authorisation, Over75,
                    u"80,00 %"_s},
        VerdictCase{"no revenue, some debt", 0, 0.01L, 1, Outcome::Forbidden, Over110, u"—"_s},
        VerdictCase{"no revenue, no debt", 0, 0, 1, Outcome::NoAuthorisation, None, u"—"_s},
        VerdictCase{"negative revenue, negative debt", -5, -10, -1, Outcome::Forbidden, Savings,
                    u"—"_s},
        VerdictCase{"grouped ratio", 1000, 12345, 1, Outcome::Forbidden, Over110, u"1.234,50 %"_s}),
    [](const testing::TestParamInfo<VerdictCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
