// TCalculadora: the loan calculator dialog.
#include "Unit3.h"

TCalculadora::TCalculadora(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Calculadora"));
    setWindowTitle(QStringLiteral("Calculadora de Préstamos"));
    setFixedSize(328, 452);
}
