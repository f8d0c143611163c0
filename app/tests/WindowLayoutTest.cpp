// The main window's layout: every tab in sight, a window that resizes and fits a small screen,
// pages that read at their preferred size and scroll below it, its place remembered, and Qt's
// own buttons in Spanish.
#include "AmountEdit.h"
#include "Application.h"
#include "LayoutTesting.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace app;

using namespace Qt::StringLiterals;

class WindowLayoutTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;

    static std::unique_ptr<MainWindow> shownWindow()
    {
        auto window = std::make_unique<MainWindow>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("the window was not shown");
        return window;
    }
    static QTabWidget* pages(const MainWindow& window)
    {
        return window.findChild<QTabWidget*>(u"Paginas"_s);
    }
    static QScrollArea* scrolling(const MainWindow& window, int page)
    {
        return qobject_cast<QScrollArea*>(pages(window)->widget(page));
    }
    // Whether `area` of `widget` shows whole: nothing in the window hides it, and it lies on the
    // screen's available area.
    static bool inSight(const QWidget* widget, const QRect& area)
    {
        const QRect onScreen(widget->mapToGlobal(area.topLeft()), area.size());
        return widget->isVisible() && (QRegion(area) - widget->visibleRegion()).isEmpty() &&
               widget->screen()->availableGeometry().contains(onScreen);
    }
    // Whether the scroll area shows the whole of `control`.
    static bool shows(const QScrollArea* area, const QWidget* control)
    {
        return area->viewport()->rect().contains(
            QRect(control->mapTo(area->viewport(), QPoint()), control->size()));
    }
    // What must stay in sight at any size: every tab and the buttons under the pages.
    static QStringList outOfSight(const MainWindow& window)
    {
        QStringList hidden;
        const QTabBar* bar = pages(window)->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            if (!inSight(bar, bar->tabRect(i)))
                hidden << bar->tabText(i);
        }
        for (const char* name : {"BtnCalcular", "BtnInforme", "BtnSalir"}) {
            const auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
            if (!inSight(button, button->rect()))
                hidden << button->objectName();
        }
        return hidden;
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void init() { QSettings().clear(); }

    void everyTabShowsWholeAtTheDefaultSize()
    {
        const auto window = shownWindow();
        const QTabBar* bar = pages(*window)->tabBar();
        QCOMPARE(bar->count(), 6);
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
            QVERIFY2(bar->tabRect(i).width() >=
                         bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(bar->tabText(i)));
        }
        QVERIFY(window->size().width() >= window->minimumSizeHint().width());
    }

    void everyPageReadsAtItsPreferredSizeAndScrollsBelowIt_data()
    {
        QTest::addColumn<bool>("smallest");
        QTest::newRow("preferred") << false;
        QTest::newRow("smallest") << true;
    }
    void everyPageReadsAtItsPreferredSizeAndScrollsBelowIt()
    {
        QFETCH(bool, smallest);
        const auto window = shownWindow();
        const QSize size = smallest ? window->minimumSizeHint() : window->sizeHint();
        window->resize(size);
        QTRY_COMPARE(window->size(), size);
        QCOMPARE(outOfSight(*window), QStringList());

        QTabWidget* tabs = pages(*window);
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QScrollArea* area = scrolling(*window, page);
            QVERIFY(area);
            QTest::qWait(0);
            QCOMPARE(testsupport::layoutFaults(area->widget()), QStringList());
            QCOMPARE(area->verticalScrollBar()->isVisible(), smallest);
            // Scrolled to, each control shows whole.
            for (QWidget* control : area->widget()->findChildren<QWidget*>()) {
                if (!control->isVisible() || control->layout() ||
                    !control->parentWidget()->layout())
                    continue;
                const QRect shown(control->mapTo(area->widget(), QPoint()), control->size());
                area->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + 1,
                                    shown.height() / 2 + 1);
                QVERIFY2(shows(area, control), qPrintable(control->objectName()));
            }
        }
    }

    void theFocusedFieldScrollsIntoView()
    {
        const auto window = shownWindow();
        window->resize(window->minimumSizeHint());
        QTRY_COMPARE(window->size(), window->minimumSizeHint());
        window->findChild<QWidget*>(u"ICAP1"_s)->setFocus(Qt::OtherFocusReason);
        QTabWidget* tabs = pages(*window);
        for (int page = 0; page < tabs->count(); ++page) {
            QScrollArea* area = scrolling(*window, page);
            QVERIFY(area);
            // A page turned to shows its first field, wherever it was left scrolled.
            if (page > 0) {
                area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
                QCOMPARE(tabs->currentIndex(), page);
            }
            // Tab walks its fields, Shift+Tab comes back to the last.
            bool walked = false;
            while (area->widget()->isAncestorOf(QApplication::focusWidget())) {
                QWidget* focused = QApplication::focusWidget();
                QVERIFY2(shows(area, focused), qPrintable(focused->objectName()));
                QTest::keyClick(focused, Qt::Key_Tab);
                walked = true;
            }
            if (walked)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        }
    }

    // Run under a screen of 800 × 600 as well.
    void theWindowFitsTheScreen()
    {
        const auto window = shownWindow();
        const QRect frame = window->frameGeometry();
        QCOMPARE(frame.intersected(window->screen()->availableGeometry()), frame);
        QCOMPARE(outOfSight(*window), QStringList());
    }

    void theWindowOpensWhereItWasLeftWhenThatFitsAScreen_data()
    {
        QTest::addColumn<bool>("onScreen");
        QTest::newRow("on the screen") << true;
        QTest::newRow("off every screen") << false;
    }
    void theWindowOpensWhereItWasLeftWhenThatFitsAScreen()
    {
        QFETCH(bool, onScreen);
        QRect left;
        {
            const auto window = shownWindow();
            const QRect screen = window->screen()->availableGeometry();
            left = QRect(screen.topLeft() + QPoint(10, 20), window->size() + QSize(40, 30));
            if (!onScreen)
                left.moveLeft(screen.right() + 100);
            window->setGeometry(left);
            QTRY_COMPARE(window->geometry(), left);
            window->close();
        }
        const auto window = shownWindow();
        QCOMPARE(window->geometry() == left, onScreen);
    }

    void standardButtonsSpeakSpanish()
    {
        QMessageBox box(QMessageBox::Question, u"t"_s, u"m"_s,
                        QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
        const std::pair<QMessageBox::StandardButton, QString> buttons[] = {
            {QMessageBox::Ok, u"Aceptar"_s},
            {QMessageBox::Cancel, u"Cancelar"_s},
            {QMessageBox::Yes, u"Sí"_s},
            {QMessageBox::No, u"No"_s}};
        for (const auto& [button, text] : buttons)
            QCOMPARE(box.button(button)->text().remove(u'&'), text);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    WindowLayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowLayoutTest.moc"
