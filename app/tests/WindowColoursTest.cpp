// The main window's colours measured on its widgets: typed and worked-out figures, group
// headings and command captions read at 4.5:1 or more in a light and a dark palette, whether
// the palette was there when the window opened or came while it was open.
#include "AmountEdit.h"
#include "Application.h"
#include "MainWindow.h"
#include "PaletteTesting.h"

#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace app;
using amount::AmountEdit;

class WindowColoursTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;

    // What a widget's own text is painted on: the nearest filled background, the tab widget's
    // pane, or the window's.
    static QColor backgroundOf(const QWidget* widget, const QColor& pane)
    {
        for (; !widget->autoFillBackground() && !widget->isWindow();
             widget = widget->parentWidget()) {
            if (qobject_cast<const QTabWidget*>(widget))
                return pane;
        }
        return widget->palette().color(widget->backgroundRole());
    }
    // The pane as the window draws it, read below the first page's groups, where it is bare.
    static QColor paneOf(MainWindow& window)
    {
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("Paginas"));
        tabs->setCurrentIndex(0);
        const QWidget* page = tabs->currentWidget();
        const QPoint bare = page->mapTo(&window, QPoint(page->width() / 2, page->height() - 8));
        return window.grab().toImage().pixelColor(bare);
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void cleanup() { QApplication::setPalette(testsupport::paletteOf(false)); }

    void everyTextReadsOnWhatItStandsOn_data()
    {
        QTest::addColumn<bool>("darkAtStart");
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false << false;
        QTest::newRow("dark") << true << true;
        QTest::newRow("light, then dark while open") << false << true;
        QTest::newRow("dark, then light while open") << true << false;
    }
    void everyTextReadsOnWhatItStandsOn()
    {
        QFETCH(bool, darkAtStart);
        QFETCH(bool, dark);
        QApplication::setPalette(testsupport::paletteOf(darkAtStart));
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QColor windowColour = testsupport::paletteOf(dark).color(QPalette::Window);
        QApplication::setPalette(testsupport::paletteOf(dark));
        QTRY_COMPARE(window.palette().color(QPalette::Window), windowColour);

        const QColor pane = paneOf(window);
        QStringList faults;
        const auto measure = [&](const QObject* widget, const char* what, const QColor& text,
                                 const QColor& background) {
            const double ratio = testsupport::contrast(text, background);
            if (ratio < 4.5) {
                faults << QStringLiteral("%1 %2: %3 on %4, %5:1")
                              .arg(widget->objectName(), QLatin1String(what), text.name(),
                                   background.name())
                              .arg(ratio, 0, 'f', 2);
            }
        };
        for (const AmountEdit* field : window.findChildren<AmountEdit*>()) {
            const QPalette& p = field->palette();
            if (field->isEnabled())
                measure(field, "typed", p.color(QPalette::Text), p.color(QPalette::Base));
            else
                measure(field, "worked out", p.color(QPalette::Disabled, QPalette::Text),
                        p.color(QPalette::Disabled, QPalette::Base));
        }
        for (const QGroupBox* group : window.findChildren<QGroupBox*>())
            measure(group, "title", group->palette().color(QPalette::WindowText),
                    backgroundOf(group, pane));
        // The face as drawn, at its top and bottom where a gradient ends, beside the caption.
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isEnabled())
                continue;
            const QImage face = button->grab().toImage();
            for (const int y : {4, face.height() - 5})
                measure(button, "caption", button->palette().color(QPalette::ButtonText),
                        face.pixelColor(4, y));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    WindowColoursTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowColoursTest.moc"
