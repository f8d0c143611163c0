// Program entry: the application object and the main window, with a case file named on the
// command line opened in it.
#include "Application.h"
#include "Command.h"
#include "MainWindow.h"

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    app::MainWindow mainWindow;
    mainWindow.show();
    const QStringList arguments = app::Application::arguments();
    if (arguments.size() > 1)
        command::run([&] { mainWindow.caseDocument()->open(arguments.at(1)); });
    return app::Application::exec();
}
