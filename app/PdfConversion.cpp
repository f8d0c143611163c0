// Filled reports written again as PDF by LibreOffice, when it is installed, in the background.
#include "PdfConversion.h"

#include "Messages.h"
#include "UserFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <csignal>

#include <unistd.h>

namespace app {

PdfConverter::PdfConverter(QObject* parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &PdfConverter::timeOut);
}

PdfConverter::~PdfConverter()
{
    kill();
}

QString PdfConverter::pdfPath(const QString& rtfPath)
{
    const QFileInfo rtf(rtfPath);
    return rtf.dir().filePath(rtf.completeBaseName() + QStringLiteral(".pdf"));
}

QString PdfConverter::office() const
{
    if (m_office)
        return *m_office;
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    return office.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("libreoffice"))
                            : office;
}

bool PdfConverter::isBusy() const
{
    return m_process != nullptr;
}

void PdfConverter::convert(const QString& rtfPath)
{
    stop(rtfPath);
    const QString pdf = pdfPath(rtfPath);
    // Now, not when the conversion starts: one ahead in the queue may take minutes.
    if (::unlink(QFile::encodeName(pdf).constData()) != 0 && errno != ENOENT) {
        const int error = errno;
        emit finished(error == EISDIR ? PdfEnding{PdfResult::PdfIsFolder}
                                      : PdfEnding{PdfResult::EarlierPdfKept, error},
                      pdf);
        return;
    }
    if (office().isEmpty()) {
        emit finished({PdfResult::NoOffice}, pdf);
        return;
    }
    // Made for the first conversion; without a profile of this converter's own, LibreOffice
    // would take the user's.
    if (!m_profile)
        m_profile.emplace();
    if (!m_profile->isValid()) {
        m_profile.reset();
        emit finished({PdfResult::Failed}, pdf);
        return;
    }
    m_queue.append(rtfPath);
    startNext();
}

void PdfConverter::stop(const QString& rtfPath)
{
    m_queue.removeAll(rtfPath);
    if (m_process && m_running == rtfPath) {
        kill();
        startNext();
    }
}

void PdfConverter::startNext()
{
    if (m_process || m_queue.isEmpty())
        return;
    m_running = m_queue.takeFirst();
    const QFileInfo rtf(m_running);
    const QString pdf = pdfPath(m_running);
    m_before = userfile::fileStamp(pdf);
    m_process = new QProcess(this);
    // LibreOffice starts a process of its own: in a group of their own, both can be ended.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                end(status == QProcess::NormalExit ? exitCode : -1);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(-1);
    });
    m_process->start(office(), {QStringLiteral("-env:UserInstallation=") +
                                    QUrl::fromLocalFile(m_profile->path()).toString(),
                                QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                QStringLiteral("pdf"), QStringLiteral("--outdir"),
                                rtf.absolutePath(), rtf.absoluteFilePath()});
    m_deadline.start(m_timeLimit);
    emit started(pdf);
}

void PdfConverter::end(int exitCode)
{
    m_deadline.stop();
    const QString pdf = pdfPath(m_running);
    m_process->deleteLater();
    m_process = nullptr;
    m_running.clear();
    // LibreOffice ends without an error when it cannot write the PDF. The file is compared
    // with the one found at the start rather than its time with the clock's, which on a
    // network folder is another machine's.
    PdfResult result = PdfResult::Failed;
    if (exitCode == 0) {
        const bool written = QFileInfo(pdf).isFile() && userfile::fileStamp(pdf) != m_before;
        result = written ? PdfResult::Written : PdfResult::NotWritten;
    }
    emit finished({result}, pdf);
    startNext();
}

void PdfConverter::timeOut()
{
    const QString pdf = pdfPath(m_running);
    kill();
    emit finished({PdfResult::TimedOut}, pdf);
    startNext();
}

void PdfConverter::kill()
{
    if (!m_process)
        return;
    m_deadline.stop();
    m_process->disconnect(this);
    if (const qint64 group = m_process->processId(); group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
    m_process->waitForFinished();
    delete m_process;
    m_process = nullptr;
    QFile::remove(pdfPath(m_running));
    m_running.clear();
}

QString pdfResultText(const PdfEnding& ending, const QString& pdfName)
{
    switch (ending.result) {
    case PdfResult::Written:
        break;
    case PdfResult::NoOffice:
        return reports::pdfWithoutOfficeText();
    case PdfResult::Failed:
        return reports::pdfFailedText();
    case PdfResult::NotWritten:
        return reports::pdfNotWrittenText();
    case PdfResult::TimedOut:
        return reports::pdfTimedOutText();
    case PdfResult::PdfIsFolder:
        return reports::pdfIsFolderText(pdfName);
    case PdfResult::EarlierPdfKept:
        return reports::earlierPdfKeptText(userfile::systemReason(ending.error));
    }
    return reports::pdfWrittenText(pdfName);
}

} // namespace app
