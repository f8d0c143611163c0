// Report figures of two whole runs, as the main window would hand them to the reports.
#pragma once

#include "ReportFigures.h"

namespace samples {

using namespace Qt::StringLiterals;

// An accepted 10-year loan, positive savings, the limit above the outstanding capital.
inline reports::ReportFigures surplusRun()
{
    reports::ReportFigures f;
    f.entityName = u"Villa"_s;
    f.entityProvince = u"Soria"_s;
    f.maxDebtPercentText = u"110"_s;
    f.loanAccepted = true;
    f.loanCapital = u"100.000,00"_s;
    f.loanRate = u"5,00"_s;
    f.loanYears = u"10"_s;
    f.monthlyPayment = u"1.060,66"_s;
    f.yearlyPayment = u"12.727,92"_s;
    f.totalRevenue = u"1.000.000,00"_s;
    f.totalExpenditure = u"800.000,00"_s;
    f.existingAnnuity = u"50.000,00"_s;
    f.plannedAnnuity = {u"12.727,92"_s, 12727.92L};
    f.loansCapital = u"400.000,00"_s;
    f.existingBurden = u"5,00"_s;
    f.existingBurdenPerUnit = u"300,51"_s;
    f.plannedBurden = u"1,27"_s;
    f.plannedBurdenPerUnit = u"76,33"_s;
    f.totalBurden = u"6,27"_s;
    f.totalBurdenPerUnit = u"376,83"_s;
    f.grossSavings = {u"200.000,00"_s, 200000};
    f.netSavings = {u"137.272,08"_s, 137272.08L};
    f.debtLimit = {u"1.100.000,00"_s, 1100000};
    f.totalCapital = {u"450.000,00"_s, 450000};
    f.comparison = u"Mayor Que"_s;
    f.earmarkedRevenue = u"0,00"_s;
    f.surplusFinancedExpenditure = u"0,00"_s;
    f.guarantees = u"0,00"_s;
    f.undrawnBalances = u"0,00"_s;
    f.computableRevenue = u"1.000.000,00"_s;
    f.computableNetSavings = u"137.272,08"_s;
    f.computableDebt = u"450.000,00"_s;
    f.ratioText = u"45,00 %"_s;
    f.verdictText = u"No precisa autorización"_s;
    f.freeCapacity = u"300.000,00"_s;
    f.maximumCapacity = u"650.000,00"_s;
    return f;
}

// A 20-year loan not accepted, negative savings, the outstanding capital above the limit.
inline reports::ReportFigures deficitRun()
{
    reports::ReportFigures f = surplusRun();
    f.entityName = u"Villanueva del Campo"_s;
    f.entityProvince = u"Zamora"_s;
    f.loanAccepted = false;
    f.loanYears = u"20"_s;
    f.monthlyPayment = u"659,96"_s;
    f.yearlyPayment = u"7.919,52"_s;
    f.totalExpenditure = u"1.100.000,00"_s;
    f.plannedAnnuity = {u"7.919,52"_s, 7919.52L};
    f.loansCapital = u"1.200.000,00"_s;
    f.plannedBurden = u"0,79"_s;
    f.plannedBurdenPerUnit = u"47,48"_s;
    f.totalBurden = u"5,79"_s;
    f.totalBurdenPerUnit = u"347,99"_s;
    f.grossSavings = {u"-100.000,00"_s, -100000};
    f.netSavings = {u"-157.919,52"_s, -157919.52L};
    f.totalCapital = {u"1.250.000,00"_s, 1250000};
    f.comparison = u"Menor Que"_s;
    f.earmarkedRevenue = u"20.000,00"_s;
    f.surplusFinancedExpenditure = u"5.000,00"_s;
    f.guarantees = u"30.000,00"_s;
    f.undrawnBalances = u"10.000,00"_s;
    f.computableRevenue = u"980.000,00"_s;
    f.computableNetSavings = u"-172.919,52"_s;
    f.computableDebt = u"1.290.000,00"_s;
    f.ratioText = u"131,63 %"_s;
    f.verdictText =
        u"No puede concertarse: ahorro neto negativo y endeudamiento superior al 110 %"_s;
    f.freeCapacity = u"0,00"_s;
    f.maximumCapacity = u"0,00"_s;
    return f;
}

} // namespace samples
