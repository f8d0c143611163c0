// Commands that report their own failures: the wrapper every command runs through, and the
// error box it shows.
#include "Command.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <utility>

namespace command {

namespace {

ErrorPresenter& presenter()
{
    static ErrorPresenter p;
    return p;
}

// The template engine's messages break lines with "\r".
QString messageText(const char* what)
{
    return QString::fromUtf8(what).replace(u'\r', u'\n');
}

void show(const QString& text)
{
    const QString title = boxTitle();
    const QString message = shownMessage(text);
    if (presenter()) {
        presenter()(title, message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // a message quoting "<b>" shows it as written
    box.exec();
}

} // namespace

bool run(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        showError(e);
    } catch (...) {
        showUnexpectedError();
    }
    return false;
}

void showError(const std::exception& error)
{
    show(messageText(error.what()));
}

void showUnexpectedError()
{
    show(QStringLiteral("Error inesperado: la orden no pudo completarse"));
}

QString boxTitle()
{
    return titleFor(QCoreApplication::applicationFilePath());
}

QString titleFor(const QString& programFilePath)
{
    const QString name = QFileInfo(programFilePath).fileName();
    const QString stem = name.left(name.indexOf(u'.'));
    return stem.left(1) + stem.mid(1).toLower();
}

QString shownMessage(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

ErrorPresenter setErrorPresenter(ErrorPresenter newPresenter)
{
    return std::exchange(presenter(), std::move(newPresenter));
}

} // namespace command
