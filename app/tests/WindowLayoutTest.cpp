// The main window's layout: every tab in sight, a window that resizes, pages that still read
// at the smallest size, its place remembered, and Qt's own buttons in Spanish.
#include "AmountEdit.h"
#include "Application.h"
#include "MainWindow.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
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
        QCOMPARE(bar->count(), 5);
        for (int i = 0; i < bar->count(); ++i) {
            QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
            QVERIFY2(bar->tabRect(i).width() >=
                         bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(bar->tabText(i)));
        }
        QVERIFY(window->size().width() >= window->minimumSizeHint().width());
    }

    void theWindowResizesAndEveryPageReadsAtItsSmallest()
    {
        const auto window = shownWindow();
        const QSize larger = window->size() + QSize(200, 150);
        window->resize(larger);
        QTRY_COMPARE(window->size(), larger);
        window->resize(window->minimumSizeHint());
        QTRY_COMPARE(window->size(), window->minimumSizeHint());

        QTabWidget* tabs = pages(*window);
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            QWidget* current = tabs->currentWidget();
            QTest::qWait(0);
            // Each group's controls lie inside it, apart from one another, and show their text.
            QList<QWidget*> containers{current};
            for (QGroupBox* group : current->findChildren<QGroupBox*>())
                containers << group;
            for (QWidget* container : containers) {
                QList<QWidget*> controls;
                for (QObject* child : container->children()) {
                    auto* w = qobject_cast<QWidget*>(child);
                    if (w && w->isVisible() && !w->isWindow())
                        controls << w;
                }
                for (int a = 0; a < controls.size(); ++a) {
                    const QString name = controls[a]->objectName();
                    QVERIFY2(container->rect().contains(controls[a]->geometry()), qPrintable(name));
                    for (int b = a + 1; b < controls.size(); ++b) {
                        QVERIFY2(!controls[a]->geometry().intersects(controls[b]->geometry()),
                                 qPrintable(name + u" / "_s + controls[b]->objectName()));
                    }
                    if (const auto* label = qobject_cast<const QLabel*>(controls[a]);
                        label && !label->wordWrap())
                        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name));
                }
            }
        }
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
