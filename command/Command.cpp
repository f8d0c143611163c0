// Commands that report their own failures: the wrapper every command runs through, and the
// error box it shows.
#include "Command.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringDecoder>

#include <utility>

namespace command {

namespace {

ErrorPresenter& presenter()
{
    static ErrorPresenter p;
    return p;
}

// Our own messages are UTF-8. The template engine's messages quote template text in code page
// 1252, which is not valid UTF-8 once it holds a letter beyond ASCII, and break lines with "\r".
QString messageText(const char* what)
{
    const QByteArrayView bytes(what);
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder codePage1252("windows-1252");
        // Without ICU Qt lacks the code page; Latin-1 differs from it only in 0x80..0x9F.
        text = codePage1252.isValid() ? QString(codePage1252(bytes)) : QString::fromLatin1(bytes);
    }
    return text.replace(u'\r', u'\n');
}

} // namespace

bool run(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        showError(e);
        return false;
    }
}

void showError(const std::exception& error)
{
    const QString title = boxTitle();
    const QString message = shownMessage(messageText(error.what()));
    if (presenter()) {
        presenter()(title, message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, title, message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // a message quoting "<b>" shows it as written
    box.exec();
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
