// ResultsWindow: the results window that shows, prints and copies the quick report.
#include "ResultsWindow.h"

#include "Command.h"
#include "Messages.h"
#include "ui_ResultsWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>
#include <stdexcept>

namespace app {

namespace {

// `text` broken into lines no wider than `width`, as `font` sets it on `device`.
QStringList brokenToWidth(const QString& text, const QFont& font, QPaintDevice* device, qreal width)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

ResultsWindow::ResultsWindow(QWidget* parent) : QDialog(parent), m_ui(new Ui::ResultsWindow)
{
    m_ui->setupUi(this);
    m_ui->Memo->installEventFilter(this);
    connect(m_ui->Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->Button2, &QPushButton::clicked, this,
            command::guarded(this, &ResultsWindow::printResults));
    connect(m_ui->Button3, &QPushButton::clicked, this,
            command::guarded(this, &ResultsWindow::copyResults));
}

ResultsWindow::~ResultsWindow()
{
    delete m_ui;
}

void ResultsWindow::clearLines()
{
    m_ui->Memo->clear();
}

void ResultsWindow::appendLines(const QStringList& lines)
{
    for (const QString& line : lines)
        m_ui->Memo->appendPlainText(line);
    m_ui->Memo->moveCursor(QTextCursor::Start);
}

QStringList ResultsWindow::lines() const
{
    if (m_ui->Memo->document()->isEmpty())
        return {};
    return m_ui->Memo->toPlainText().split(u'\n');
}

QStringList ResultsWindow::displayedLines() const
{
    QStringList lines;
    const QTextDocument* document = m_ui->Memo->document();
    if (document->isEmpty())
        return lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // Lays the block out at the box's width if it has not been yet.
        document->documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        if (!layout || layout->lineCount() == 0) {
            lines << block.text();
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

void ResultsWindow::printResults()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!m_printOutputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_printOutputFile);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        throw std::runtime_error(reports::noDefaultPrinterText().toStdString());
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(reports::printingNotStartedText().toStdString());
    const QFont font = m_ui->Memo->font();
    painter.setFont(font);
    // The font's character height in printer pixels (72 points an inch), with no extra leading.
    constexpr double PointsPerInch = 72.0;
    const int lineHeight =
        static_cast<int>(std::lround(font.pointSizeF() * printer.resolution() / PointsPerInch));
    const int ascent = painter.fontMetrics().ascent();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    int y = 0;
    bool pageFull = false;
    for (const QString& shown : displayedLines()) {
        // A box wider than the page shows lines that the page does not hold whole.
        for (const QString& line : brokenToWidth(shown, font, &printer, page.width())) {
            // The next page is started only when a line is left for it: no blank last page.
            if (pageFull) {
                printer.newPage();
                y = 0;
            }
            painter.drawText(0, y + ascent, line);
            y += lineHeight;
            pageFull = y >= page.height();
        }
    }
    painter.end();
}

void ResultsWindow::copyResults()
{
    m_ui->Memo->selectAll();
    QString text;
    for (const QString& line : lines())
        text += line + u'\n';
    QGuiApplication::clipboard()->setText(text);
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->Memo && event->type() == QEvent::KeyPress)
        return isKeyDiscarded(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

// True when the key is discarded before the text box sees it.
bool ResultsWindow::isKeyDiscarded(int key) const
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false; // caret moves, focus moves, the window closes
    default:
        return true;
    }
}

} // namespace app
