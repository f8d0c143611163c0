// TFormularioPrincipal: the program's main window.
#include "Main.h"

TFormularioPrincipal::TFormularioPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormularioPrincipal"));
    setWindowTitle(QStringLiteral("Cálculos para Endeudamiento Municipal."));
    setFixedSize(370, 545);
}
