// Filled reports written again as PDF by LibreOffice, when it is installed, in the background.
#pragma once

#include "FileStamp.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <optional>

class QProcess;

namespace app {

enum class PdfResult : std::uint8_t
{
    // A new regular file has the PDF's name.
    Written,
    // Neither "soffice" nor "libreoffice" is on the PATH.
    NoOffice,
    // LibreOffice ended with an error, or could not be started.
    Failed,
    // LibreOffice ended without an error but wrote no PDF, as it does when it cannot.
    NotWritten,
    // LibreOffice ran past the time limit and was ended.
    TimedOut,
    // A folder has the PDF's name; nothing was converted.
    PdfIsFolder,
    // The earlier PDF could not be removed; nothing was converted.
    EarlierPdfKept
};

// How a conversion ended.
struct PdfEnding
{
    PdfResult result = PdfResult::Written;
    // Why the earlier PDF could not be removed: the system's error number.
    int error = 0;

    friend bool operator==(const PdfEnding&, const PdfEnding&) = default;
};

// Converts RTF documents into PDFs of the same name beside them, with LibreOffice in headless
// mode under a profile of this converter's own (so that neither a LibreOffice the user has open
// nor another copy of the program gets in the way). Conversions run one after another while
// the windows stay usable; each ends with finished(), and one stopped ends with nothing.
class PdfConverter final : public QObject
{
    Q_OBJECT

public:
    // How long one conversion may run before it is ended (the status bar's text names it).
    static constexpr std::chrono::minutes TimeLimit{10};

    explicit PdfConverter(QObject* parent = nullptr);
    // Stops the running conversion and removes the profile.
    ~PdfConverter() override;

    // Removes the PDF of `rtfPath` at once, so that none older than the document stays beside
    // it, and queues the document; when the PDF cannot be removed, or without LibreOffice,
    // says so at once.
    void convert(const QString& rtfPath);
    // Forgets `rtfPath`, queued or running, and the half-written PDF of a running one: the
    // document is about to be written again.
    void stop(const QString& rtfPath);
    bool isBusy() const;
    // The program to convert with, instead of the one found on the PATH at each conversion;
    // an empty one is no LibreOffice.
    void setOffice(const QString& program) { m_office = program; }
    // Another limit than TimeLimit, for the conversions started from now on.
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    // The PDF written for `rtfPath`.
    static QString pdfPath(const QString& rtfPath);

signals:
    // The conversion whose PDF is `pdfPath` began.
    void started(const QString& pdfPath);
    void finished(const app::PdfEnding& ending, const QString& pdfPath);

private:
    QString office() const;
    void startNext();
    void end(int exitCode);
    void timeOut();
    void kill();

    std::optional<QString> m_office;
    std::chrono::milliseconds m_timeLimit = TimeLimit;
    QStringList m_queue;
    QProcess* m_process = nullptr;
    QString m_running;
    // The running conversion's PDF as it was found at its start: nothing, normally.
    std::optional<userfile::FileStamp> m_before;
    QTimer m_deadline;
    std::optional<QTemporaryDir> m_profile;
};

// What the status bar says of a conversion ("PDF no generado: LibreOffice no está
// instalado.").
QString pdfResultText(const PdfEnding& ending, const QString& pdfName);

} // namespace app
