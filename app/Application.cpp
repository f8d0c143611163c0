// TApplication: the application object and its default handling of failed commands.
#include "Application.h"

#include <QFileInfo>
#include <QFont>
#include <QMessageBox>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), m_title(TitleFor(QCoreApplication::applicationFilePath()))
{
    // The nearest equivalents of the windows' font families on this platform.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e);
        return false;
    }
}

QString TApplication::TitleFor(const QString& programFilePath)
{
    const QString name = QFileInfo(programFilePath).fileName();
    const QString stem = name.left(name.indexOf(u'.'));
    return stem.left(1) + stem.mid(1).toLower();
}

QString TApplication::ShownMessage(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void TApplication::ShowException(const std::exception& e)
{
    const QString message = ShownMessage(QString::fromUtf8(e.what()));
    if (m_presenter) {
        m_presenter(m_title, message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, m_title, message, QMessageBox::Ok, activeWindow());
    box.exec();
}
