// The results window: a text box the keyboard cannot change, copying, printing and its layout.
#include "ResultsWindow.h"

#include "LayoutTesting.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace app;

namespace {

int pdfPageCount(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(pdf.readAll());
    return static_cast<int>(content.count(QRegularExpression(u"/Type\\s*/Page\\b"_s)));
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << u"Línea %1"_s.arg(i);
    return lines;
}

} // namespace

class ResultsWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ResultsWindow> m_window;
    QPlainTextEdit* memo() const { return m_window->findChild<QPlainTextEdit*>(u"Memo"_s); }

private slots:
    void init()
    {
        m_window = std::make_unique<ResultsWindow>();
        m_window->appendLines({u"Primera línea"_s, u" "_s, u"Tercera "_s});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        memo()->setFocus();
        QTRY_VERIFY(memo()->hasFocus());
    }
    void cleanup() { m_window.reset(); }

    void hasTheLayoutOfTheResultsWindow()
    {
        QCOMPARE(m_window->windowTitle(), u"Resultados"_s);
        QCOMPARE(memo()->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(memo()->width(), m_window->width());
        QCOMPARE(memo()->font().pointSize(), 12);
        QVERIFY(memo()->font().fixedPitch() || QFontInfo(memo()->font()).fixedPitch());
    }

    void everyControlShowsWholeAndTheBoxTakesTheSpace_data() { testsupport::addWindowSizes(); }
    void everyControlShowsWholeAndTheBoxTakesTheSpace()
    {
        QCOMPARE(testsupport::faultsAtWindowSize(m_window.get(), memo()), QStringList());
    }

    void keysChangeNothingButUpAndDownMoveTheCaret()
    {
        const QString before = memo()->toPlainText();
        memo()->moveCursor(QTextCursor::Start);
        for (const auto key : {Qt::Key_A, Qt::Key_5, Qt::Key_Delete, Qt::Key_Backspace,
                               Qt::Key_Return, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End,
                               Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
            QTest::keyClick(memo(), key);
        QTest::keyClick(memo(), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(memo(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo()->toPlainText(), before);
        QCOMPARE(memo()->textCursor().position(), 0);

        QTest::keyClick(memo(), Qt::Key_Down);
        QCOMPARE(memo()->textCursor().blockNumber(), 1);
        QTest::keyClick(memo(), Qt::Key_Down);
        QTest::keyClick(memo(), Qt::Key_Up);
        QCOMPARE(memo()->textCursor().blockNumber(), 1);
    }

    void keyboardCopyDoesNothing()
    {
        QGuiApplication::clipboard()->setText(u"antes"_s);
        memo()->selectAll();
        QTest::keyClick(memo(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"antes"_s);
    }

    void copiarCopiesEveryLineAsAppendedAndSelectsAll()
    {
        m_window->appendLines({u"x"_s.repeated(200)}); // wraps on screen, not when copied
        QTextCursor cursor = memo()->textCursor();
        cursor.setPosition(3);
        cursor.setPosition(6, QTextCursor::KeepAnchor);
        memo()->setTextCursor(cursor);
        m_window->copyResults();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 u"Primera línea\n \nTercera \n"_s + u"x"_s.repeated(200) + u"\n"_s);
        QCOMPARE(memo()->textCursor().selectedText().size(), memo()->toPlainText().size());
    }

    void displayedLinesAreBrokenWhereTheBoxWraps()
    {
        m_window->clearLines();
        m_window->appendLines({u"palabra "_s.repeated(40)});
        QVERIFY(m_window->displayedLines().size() > 1);
        QCOMPARE(m_window->displayedLines().join(QString()), u"palabra "_s.repeated(40));
    }

    void clearedBoxHoldsOnlyTheNewLines()
    {
        m_window->clearLines();
        m_window->appendLines({u"nueva"_s});
        QCOMPARE(m_window->lines(), QStringList{u"nueva"_s});
    }

    void printsShortTextsOnOnePageAndLongOnesOnMore()
    {
        QTemporaryDir folder;
        const QString shortPdf = folder.filePath(u"corto.pdf"_s);
        m_window->setPrintOutputFile(shortPdf);
        m_window->printResults();
        QCOMPARE(pdfPageCount(shortPdf), 1);

        // 12-point lines at 1/6 inch: an A4 or Letter page holds between 55 and 70 of them.
        m_window->clearLines();
        m_window->appendLines(numberedLines(150));
        const QString longPdf = folder.filePath(u"largo.pdf"_s);
        m_window->setPrintOutputFile(longPdf);
        m_window->printResults();
        QCOMPARE(pdfPageCount(longPdf), 3);
    }

    void linesWiderThanThePageGoOnBelow()
    {
        // A box wider than the page shows in 40 lines what a page holds in 80 or more.
        m_window->resize(1800, m_window->height());
        QTRY_COMPARE(m_window->width(), 1800);
        m_window->clearLines();
        m_window->appendLines(QStringList(40, u"palabra "_s.repeated(20)));
        QCOMPARE(m_window->displayedLines().size(), 40);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"ancho.pdf"_s);
        m_window->setPrintOutputFile(pdf);
        m_window->printResults();
        QVERIFY(pdfPageCount(pdf) > 1);
    }

    void aFullLastPageIsNotFollowedByABlankOne()
    {
        QTemporaryDir folder;
        const QString probe = folder.filePath(u"probe.pdf"_s);
        m_window->clearLines();
        int lines = 40;
        for (; lines < 200; ++lines) { // find how many lines fill exactly one page
            m_window->clearLines();
            m_window->appendLines(numberedLines(lines + 1));
            m_window->setPrintOutputFile(probe);
            m_window->printResults();
            if (pdfPageCount(probe) == 2)
                break;
        }
        m_window->clearLines();
        m_window->appendLines(numberedLines(lines));
        m_window->printResults();
        QCOMPARE(pdfPageCount(probe), 1);
    }

    void withoutAPrinterPrintingFailsWithAMessage()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        try {
            m_window->printResults();
            QFAIL("printed without a printer");
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromUtf8(e.what()), u"No hay ninguna impresora predeterminada."_s);
        }
        QCOMPARE(m_window->lines().size(), 3);
        QVERIFY(m_window->isVisible());
    }
};

QTEST_MAIN(ResultsWindowTest)
#include "ResultsWindowTest.moc"
