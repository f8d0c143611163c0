// What the reports show: the entity data and every figure as the windows display it, built
// from the case's figures, indicators and verdict.
#pragma once

#include "Capacity.h"
#include "Case.h"
#include "Indicators.h"
#include "NumberFormat.h"
#include "Projection.h"
#include "Verdict.h"

#include <QString>
#include <QStringList>

namespace reports {

using amount::Amount;

// The register of existing loans as its dialog shows it: each loan's lender, capital, rate,
// years and annuity, and the totals' capital and annuity.
struct LoanTable
{
    QList<QStringList> loans;
    QStringList totals;
};

// A figure as it stands: the text it displays and the value that text holds.
struct ShownAmount
{
    QString text;
    Amount value = 0;
};

struct ReportFigures
{
    QString entityName;
    QString entityProvince;
    QString maxDebtPercentText;

    // The loan calculator: its last showing ended with "Aceptar", and its figures.
    bool loanAccepted = false;
    QString loanCapital;
    QString loanRate;
    QString loanYears;
    QString monthlyPayment;
    QString yearlyPayment;
    // The loan's average life in years, and the prudence line (empty without a maximum).
    QString averageLife;
    QString prudence;

    QString totalRevenue;
    QString totalExpenditure;
    QString existingAnnuity;
    ShownAmount plannedAnnuity;
    QString loansCapital;
    QString existingBurden;
    QString existingBurdenPerUnit;
    QString plannedBurden;
    QString plannedBurdenPerUnit;
    QString totalBurden;
    QString totalBurdenPerUnit;
    ShownAmount grossSavings;
    ShownAmount netSavings;
    ShownAmount debtLimit;
    ShownAmount totalCapital;
    QString comparison;

    // The verdict under the rules in force: the adjustments, the figures it works from, the
    // ratio and the outcome, and how much can be borrowed ("—" without a term).
    QString earmarkedRevenue;
    QString surplusFinancedExpenditure;
    QString guarantees;
    QString undrawnBalances;
    QString computableRevenue;
    QString computableNetSavings;
    QString computableDebt;
    QString ratioText;
    QString verdictText;
    QString freeCapacity;
    QString maximumCapacity;
    // Whether the debt falls back under 75 % in the years projected.
    QString evolutionSentence;

    LoanTable existingLoans;
};

// What a report is made of: the entity data, the loan calculator's inputs and last payments,
// the figures and what they give.
struct ReportSubject
{
    QString entityName;
    QString entityProvince;
    QString maxDebtPercentText;
    borrowing::PlannedLoan plannedLoan;
    Amount monthlyPayment = 0;
    Amount yearlyPayment = 0;
    Amount averageLife = 0;
    QString prudence;
    borrowing::Figures figures;
    borrowing::Indicators indicators;
    borrowing::Verdict verdict;
    // Without authorisation and with it.
    borrowing::Capacity freeCapacity;
    borrowing::Capacity maximumCapacity;
    borrowing::Projection projection;
    LoanTable existingLoans;
};

// The figures as their fields show them with these separators.
ReportFigures reportFigures(const ReportSubject& subject, amount::Separators separators);

} // namespace reports
