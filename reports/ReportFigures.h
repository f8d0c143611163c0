// What the reports show: the entity data, and the fields' texts and values as displayed.
#pragma once

#include "Amount.h"

#include <QString>
#include <QStringList>

namespace reports {

using amount::Amount;

// The register of existing loans as its dialog shows it: each loan's bank, capital, rate,
// years and annuity, and the totals' capital and annuity.
struct LoanTable
{
    QList<QStringList> loans;
    QStringList totals;
};

// A field as it stands: the text it displays and the value that text holds.
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

    // The loan calculator: its last showing ended with "Aceptar", and its fields' texts.
    bool loanAccepted = false;
    QString Capital;
    QString Interes;
    QString anios;
    QString cuotames;
    QString cuotanual;

    // The main window's fields and comparison label.
    QString ITOTAL;
    QString GTOTAL;
    QString APVTOTAL;
    ShownAmount APPTOTAL;
    QString CVTOTAL;
    QString CFANTERIOR;
    QString CFEUR1;
    QString CFNUEVO;
    QString CFEUR2;
    QString CFTOTAL;
    QString CFEUR3;
    ShownAmount AHORROBRUTO;
    ShownAmount AHORRONETO;
    ShownAmount ITOTAL110;
    ShownAmount CVTOTAL2;
    QString Mayormenor;

    // The verdict under the rules in force, as the window shows it.
    QString ratioText;
    QString regimeText;

    LoanTable existingLoans;
};

} // namespace reports
