// What the reports show: the entity data, and the fields' texts and values as displayed.
#pragma once

#include "Amount.h"

#include <QString>

// A field as it stands: the text it displays and the value that text holds.
struct TShownAmount
{
    QString text;
    Amount value = 0;
};

struct TReportFigures
{
    QString EntityName;
    QString EntityProvince;
    QString MaxDebtPercentText;

    // The loan calculator: its last showing ended with "Aceptar", and its fields' texts.
    bool LoanAccepted = false;
    QString Capital;
    QString Interes;
    QString anios;
    QString cuotames;
    QString cuotanual;

    // The main window's fields and comparison label.
    QString ITOTAL;
    QString GTOTAL;
    QString APVTOTAL;
    TShownAmount APPTOTAL;
    QString CVTOTAL;
    QString CFANTERIOR;
    QString CFEUR1;
    QString CFNUEVO;
    QString CFEUR2;
    QString CFTOTAL;
    QString CFEUR3;
    TShownAmount AHORROBRUTO;
    TShownAmount AHORRONETO;
    TShownAmount ITOTAL110;
    TShownAmount CVTOTAL2;
    QString Mayormenor;
};
