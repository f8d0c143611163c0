// Program entry: the application object and the main window.
#include "Main.h"

#include "Application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TFormularioPrincipal formularioPrincipal;
    formularioPrincipal.show();
    return TApplication::exec();
}
