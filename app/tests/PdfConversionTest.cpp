// A filled Intervención report written again as PDF by LibreOffice: the PDF says who approves
// the operation and concludes.
#include "PdfConversion.h"

#include "FullReport.h"
#include "SampleCases.h"
#include "SamplePictures.h"
#include "TestSeparators.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class PdfConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void theReportIsWrittenAgainAsPdf()
    {
        if (QStandardPaths::findExecutable(u"soffice"_s).isEmpty())
            QSKIP("LibreOffice is not installed");
        QTemporaryDir folder;
        borrowing::Case c = samples::deficitCase();
        c.dossier.ordinaryResources = 999999.99L;
        const borrowing::Assessment assessment = samples::assessed(c);
        const QString rtf = folder.filePath(u"InformeIntervencion.rtf"_s);
        reports::fillFullReport(
            QCoreApplication::applicationDirPath() + u"/PlantillaInformeIntervencion.rtf"_s, rtf,
            reports::ReportValues(assessment, testsupport::Spanish), samples::pictures());
        app::PdfConverter converter;
        QSignalSpy finished(&converter, &app::PdfConverter::finished);
        converter.convert(rtf);
        // A first start sets LibreOffice's profile up, which takes a while.
        QVERIFY(finished.wait(180000));
        QCOMPARE(finished.front().front().value<app::PdfEnding>().result, app::PdfResult::Written);
        QProcess text;
        text.start(u"pdftotext"_s, {folder.filePath(u"InformeIntervencion.pdf"_s), u"-"_s});
        QVERIFY(text.waitForFinished(60000));
        const QString pdf = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(
            pdf.contains(u"Órgano competente: Pleno, por mayoría absoluta (art. 47.2.l LBRL)"_s),
            qPrintable(pdf.left(400)));
        QVERIFY(pdf.contains(u"Conclusión: informe desfavorable."_s));
    }
};

QTEST_GUILESS_MAIN(PdfConversionTest)
#include "PdfConversionTest.moc"
