// ReportCommands: the window's reports of the case model's assessment: the quick report in the
// results window, and the full and the Intervención's reports filled, opened and written again
// as PDF in the background, with the status bar following the conversions.
#pragma once

#include "FullReport.h"

#include <QObject>
#include <QString>

#include <functional>

class QMainWindow;
class QProgressBar;

namespace editors {
class DossierDialog;
}

namespace app {

class CaseModel;
class PdfConverter;
class ResultsWindow;

class ReportCommands final : public QObject
{
    Q_OBJECT

public:
    // Makes the results window and the dossier's dialog, children of `window`, whose status bar
    // shows the PDF conversions. `prepare` gets the case ready for a report: it has the entity
    // data and a debt limit (asking for them) and is assessed.
    ReportCommands(CaseModel& model, QMainWindow* window, std::function<void()> prepare);

    ResultsWindow* resultsWindow() const { return m_resultsWindow; }
    // What writes the filled reports again as PDF.
    PdfConverter* pdfConverter() const { return m_pdfConverter; }
    // Replaces the desktop's open action on a filled report.
    void setDocumentOpener(std::function<void(const QString&)> opener)
    {
        m_documentOpener = std::move(opener);
    }
    // Replaces the program's folder, where the reports' templates and outputs lie.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    // The commands.
    void showQuickReport();
    void produceFullReport();
    // Asks what the Intervención's report states beyond the figures, then fills its template,
    // opens it and writes it again as PDF.
    void produceInterventionReport();

private:
    // Fills a report's template with the assessed case and its pictures, opens it, and writes
    // it again as PDF.
    void fillReport(const reports::FullReportFiles& files);
    void followPdfConversions(QMainWindow* window);
    QString programFolder() const;

    CaseModel& m_model;
    std::function<void()> m_prepare;
    std::function<void(const QString&)> m_documentOpener;
    QString m_programFolder;
    ResultsWindow* m_resultsWindow;
    editors::DossierDialog* m_dossierDialog;
    PdfConverter* m_pdfConverter;
    QProgressBar* m_pdfProgress = nullptr;
};

} // namespace app
