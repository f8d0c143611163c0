// Program entry: the application object and the main window.
#include "Application.h"
#include "MainWindow.h"

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    app::MainWindow mainWindow;
    mainWindow.show();
    return app::Application::exec();
}
