// Application: the application object, with the fonts of the windows and a last-resort
// report of failures that escaped their command.
#include "Application.h"

#include "Command.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // Where the recent cases are remembered.
    setOrganizationName(QStringLiteral("Endeudamiento"));
    // The installed desktop entry and icon, which the desktop shows for the windows.
    const QString id = QStringLiteral("org.endeudamiento.Endeudamiento");
    setDesktopFileName(id);
    setWindowIcon(QIcon::fromTheme(
        id, QIcon(applicationDirPath() +
                  QStringLiteral("/../share/icons/hicolor/256x256/apps/%1.png").arg(id))));
    // The windows name fonts of another desktop; these are their nearest metric equivalents.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    // Qt's own texts (standard buttons, file dialogs) in Spanish, like the program's.
    if (QLocale().language() == QLocale::Spanish) {
        auto* translator = new QTranslator(this);
        if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            installTranslator(translator);
    }
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Endeudamiento: a failure escaped its command: %s\n", e.what());
        command::showError(e);
    } catch (...) {
        std::fprintf(stderr, "Endeudamiento: a failure escaped its command\n");
        command::showUnexpectedError();
    }
    return false;
}

} // namespace app
