// ResultsWindow: the results window that shows, prints and copies the quick report.
#pragma once

#include <QDialog>

namespace Ui {
class ResultsWindow;
}

namespace app {

class ResultsWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit ResultsWindow(QWidget* parent = nullptr);
    ~ResultsWindow() override;

    // The text box's line list.
    void clearLines();
    void appendLines(const QStringList& lines);
    QStringList lines() const;
    // The lines as the box shows them, long lines broken where it wraps them.
    QStringList displayedLines() const;

    void printResults();
    void copyResults();

    // Prints into this PDF file instead of the default printer, so that a test can look.
    void setPrintOutputFile(const QString& pdfPath) { m_printOutputFile = pdfPath; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isKeyDiscarded(int key) const;

    Ui::ResultsWindow* m_ui;
    QString m_printOutputFile;
};

} // namespace app
