// A filled report written again as PDF by LibreOffice, when it is installed.
#include "PdfConversion.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace app {

PdfResult convertToPdf(const QString& rtfPath)
{
    QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        return PdfResult::NoOffice;
    const QFileInfo rtf(rtfPath);
    const QString pdf = rtf.dir().filePath(rtf.completeBaseName() + QStringLiteral(".pdf"));
    QFile::remove(pdf);
    const QString profile = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
                                .filePath(QStringLiteral("libreoffice"));
    QProcess process;
    process.start(
        office,
        {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
         QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
         QStringLiteral("--outdir"), rtf.absolutePath(), rtf.absoluteFilePath()});
    // A first start sets its profile up, which takes a while.
    constexpr int Patience = 180'000;
    if (!process.waitForFinished(Patience)) {
        process.kill();
        process.waitForFinished();
        return PdfResult::Failed;
    }
    return process.exitCode() == 0 && QFileInfo::exists(pdf) ? PdfResult::Written
                                                             : PdfResult::Failed;
}

QString pdfResultText(PdfResult result, const QString& pdfName)
{
    switch (result) {
    case PdfResult::Written:
        break;
    case PdfResult::NoOffice:
        return QStringLiteral("PDF no generado: LibreOffice no está instalado.");
    case PdfResult::Failed:
        return QStringLiteral("PDF no generado: LibreOffice no pudo convertir el informe.");
    }
    return QStringLiteral("PDF escrito: %1").arg(pdfName);
}

} // namespace app
