// TForm2: the results window that shows, prints and copies the quick report.
#pragma once

#include <QDialog>

namespace Ui {
class TForm2;
}

class TForm2 final : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The text box's line list.
    void ClearLines();
    void AppendLines(const QStringList& lines);
    QStringList Lines() const;
    // The lines as the box shows them, long lines broken where it wraps them.
    QStringList DisplayedLines() const;

    void Button2Click();
    void Button3Click();

    // Prints into this PDF file instead of the default printer, so that a test can look.
    void setPrintOutputFile(const QString& pdfPath) { m_printOutputFile = pdfPath; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MemoKeyDown(int key) const;

    Ui::TForm2* m_ui;
    QString m_printOutputFile;
};
