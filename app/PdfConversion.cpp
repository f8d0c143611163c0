// Filled reports written again as PDF by LibreOffice, when it is installed, in the background.
#include "PdfConversion.h"

#include "Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <csignal>

#include <unistd.h>

namespace app {

PdfConverter::PdfConverter(QObject* parent) : QObject(parent) {}

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
    if (office().isEmpty()) {
        emit finished(PdfResult::NoOffice, pdfPath(rtfPath));
        return;
    }
    stop(rtfPath);
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
    QFile::remove(pdf);
    const QString profile = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                                .filePath(QStringLiteral("libreoffice"));
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
    m_process->start(
        office(),
        {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
         QStringLiteral("--outdir"), rtf.absolutePath(), rtf.absoluteFilePath()});
    emit started(pdf);
}

void PdfConverter::end(int exitCode)
{
    const QString pdf = pdfPath(m_running);
    m_process->deleteLater();
    m_process = nullptr;
    m_running.clear();
    emit finished(exitCode == 0 && QFileInfo::exists(pdf) ? PdfResult::Written : PdfResult::Failed,
                  pdf);
    startNext();
}

void PdfConverter::kill()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (const qint64 group = m_process->processId(); group > 0)
        ::kill(static_cast<pid_t>(-group), SIGKILL);
    m_process->waitForFinished();
    delete m_process;
    m_process = nullptr;
    QFile::remove(pdfPath(m_running));
    m_running.clear();
}

QString pdfResultText(PdfResult result, const QString& pdfName)
{
    switch (result) {
    case PdfResult::Written:
        break;
    case PdfResult::NoOffice:
        return reports::pdfWithoutOfficeText();
    case PdfResult::Failed:
        return reports::pdfFailedText();
    }
    return reports::pdfWrittenText(pdfName);
}

} // namespace app
