// ReportCommands: the window's reports of the case model's assessment: the quick report in the
// results window, and the full and the Intervención's reports filled, opened and written again
// as PDF in the background, with the status bar following the conversions.
#include "ReportCommands.h"

#include "BusyWork.h"
#include "CaseModel.h"
#include "DossierDialog.h"
#include "LocaleSeparators.h"
#include "Messages.h"
#include "PdfConversion.h"
#include "QuickReport.h"
#include "ReportPictures.h"
#include "ResultsWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMainWindow>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace app {

namespace {

constexpr int PdfProgressWidth = 100;

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

ReportCommands::ReportCommands(CaseModel& model, QMainWindow* window, std::function<void()> prepare)
    : QObject(window), m_model(model), m_prepare(std::move(prepare)),
      m_documentOpener(
          [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }),
      m_resultsWindow(new ResultsWindow(window)),
      m_dossierDialog(new editors::DossierDialog(window)), m_pdfConverter(new PdfConverter(this))
{
    followPdfConversions(window);
}

QString ReportCommands::programFolder() const
{
    return m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
}

void ReportCommands::showQuickReport()
{
    m_prepare();
    const reports::ReportValues values(*m_model.assessment(), amount::currentSeparators());
    m_resultsWindow->clearLines();
    m_resultsWindow->appendLines(reports::quickReportLines(values));
    m_resultsWindow->exec();
}

void ReportCommands::produceFullReport()
{
    m_prepare();
    fillReport(reports::fullReportFiles(programFolder(), documentsFolder()));
}

void ReportCommands::produceInterventionReport()
{
    m_dossierDialog->setDossier(m_model.current().dossier);
    if (m_dossierDialog->exec() != QDialog::Accepted)
        return;
    m_model.setDossier(m_dossierDialog->dossier());
    m_prepare();
    fillReport(reports::interventionReportFiles(programFolder(), documentsFolder()));
}

void ReportCommands::fillReport(const reports::FullReportFiles& files)
{
    // A copy: the window may assess the case again while the report is written beside it.
    const borrowing::Assessment assessment = *m_model.assessment();
    const reports::ReportValues values(assessment, amount::currentSeparators());
    const reports::ReportPictures pictures = charts::reportPictures(assessment);
    // LibreOffice must not be reading the report while it is written again.
    m_pdfConverter->stop(files.outputPath);
    whileBusy(
        [&] { reports::fillFullReport(files.templatePath, files.outputPath, values, pictures); });
    // The same report as PDF, beside it; the earlier PDF goes at once.
    m_pdfConverter->convert(files.outputPath);
    m_documentOpener(files.outputPath);
}

void ReportCommands::followPdfConversions(QMainWindow* window)
{
    QStatusBar* status = window->statusBar();
    m_pdfProgress = new QProgressBar(window);
    m_pdfProgress->setRange(0, 0);
    m_pdfProgress->setMaximumWidth(PdfProgressWidth);
    m_pdfProgress->hide();
    status->addPermanentWidget(m_pdfProgress);
    connect(m_pdfConverter, &PdfConverter::started, this, [this, status](const QString& pdf) {
        status->showMessage(reports::pdfStartedText(QFileInfo(pdf).fileName()));
        m_pdfProgress->show();
    });
    connect(m_pdfConverter, &PdfConverter::finished, this,
            [this, status](const PdfEnding& ending, const QString& pdf) {
                status->showMessage(pdfResultText(ending, QFileInfo(pdf).fileName()));
                m_pdfProgress->setVisible(m_pdfConverter->isBusy());
            });
}

} // namespace app
