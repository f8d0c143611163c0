// Application: the application object, with the fonts of the windows and a last-resort
// report of failures that escaped their command.
#pragma once

#include <QApplication>

namespace app {

class Application final : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // Every command catches its own failures; one that still gets here is a bug. It is
    // logged and shown, and the program goes on.
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
