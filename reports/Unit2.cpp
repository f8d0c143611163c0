// TForm2: the results window that shows the quick report.
#include "Unit2.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Resultados"));
    setFixedSize(688, 448);
}
