// Typing, deleting, clicking, the clipboard and leaving on a real AmountEdit.
#include "AmountEdit.h"
#include "Beep.h"
#include "LocaleSeparators.h"
#include "TestSeparators.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace amount;
using namespace Qt::StringLiterals;

class AmountEditTypingTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_window;
    AmountEdit* m_field = nullptr;
    QLineEdit* m_next = nullptr;
    int m_beeps = 0;

    void focusField()
    {
        m_next->setFocus();
        QTest::keyClick(m_next, Qt::Key_Backtab, Qt::ShiftModifier);
        QTRY_COMPARE(QApplication::focusWidget(), m_field);
    }
    void setCaret(int position) { m_field->setCursorPosition(position); }
    // Opens the field's context menu as a right-click does; `use` acts on the open menu and
    // must close it.
    void withContextMenu(const std::function<void(QMenu*)>& use)
    {
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                qFatal("no context menu");
            use(menu);
        });
        const QPoint inside(5, m_field->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, inside, m_field->mapToGlobal(inside));
        QCoreApplication::sendEvent(m_field, &event);
    }
    QString withCaret() const { return m_field->text().insert(m_field->cursorPosition(), u'|'); }

private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_beeps = 0;
        amount::setBeepHandler([this] { ++m_beeps; });
        m_window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_window.get());
        m_field = new AmountEdit(m_window.get());
        m_field->setDecimals(2);
        m_field->setNumberFormat(NumberFormat::Thousands);
        m_next = new QLineEdit(m_window.get());
        layout->addWidget(m_field);
        layout->addWidget(m_next);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        testsupport::restoreSeparators();
        amount::setBeepHandler({});
    }

    void tabbingInSelectsAllAndDigitsFillTheField()
    {
        focusField();
        QCOMPARE(m_field->selectedText(), u"0,00"_s);
        QTest::keyClicks(m_field, u"1234"_s);
        QCOMPARE(withCaret(), u"1.234|,00"_s);
        QTest::keyClicks(m_field, u",56"_s);
        QCOMPARE(withCaret(), u"1.234,56|"_s);
        QCOMPARE(m_beeps, 0);
        QTest::keyClick(m_field, Qt::Key_7);
        QCOMPARE(m_field->text(), u"1.234,56"_s);
        QCOMPARE(m_beeps, 1);
    }

    void onlyEnteringTheFieldSelectsIt_data()
    {
        QTest::addColumn<int>("leaving");
        QTest::addColumn<int>("arriving");
        QTest::addColumn<QString>("typed9");
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << int(Qt::TabFocusReason) << u"9,00"_s;
        QTest::newRow("Shift+Tab")
            << int(Qt::BacktabFocusReason) << int(Qt::BacktabFocusReason) << u"9,00"_s;
        QTest::newRow("click") << int(Qt::MouseFocusReason) << int(Qt::MouseFocusReason)
                               << u"9,00"_s;
        QTest::newRow("accelerator")
            << int(Qt::ShortcutFocusReason) << int(Qt::ShortcutFocusReason) << u"9,00"_s;
        QTest::newRow("window back") << int(Qt::ActiveWindowFocusReason)
                                     << int(Qt::ActiveWindowFocusReason) << u"12.934,00"_s;
        QTest::newRow("menu closed")
            << int(Qt::PopupFocusReason) << int(Qt::PopupFocusReason) << u"12.934,00"_s;
        QTest::newRow("window back after leaving")
            << int(Qt::TabFocusReason) << int(Qt::ActiveWindowFocusReason) << u"9,00"_s;
    }
    void onlyEnteringTheFieldSelectsIt()
    {
        QFETCH(int, leaving);
        QFETCH(int, arriving);
        QFETCH(QString, typed9);
        m_field->setValue(1234);
        focusField();
        setCaret(3);
        QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(leaving));
        QCoreApplication::sendEvent(m_field, &out);
        QFocusEvent in(QEvent::FocusIn, Qt::FocusReason(arriving));
        QCoreApplication::sendEvent(m_field, &in);
        QTest::keyClick(m_field, Qt::Key_9);
        QCOMPARE(m_field->text(), typed9);
    }

    void minusTogglesTheSign()
    {
        m_field->setValue(1234.56L);
        focusField();
        setCaret(3);
        QTest::keyClick(m_field, Qt::Key_Minus);
        QCOMPARE(withCaret(), u"-1.2|34,56"_s);
        QTest::keyClick(m_field, Qt::Key_Minus);
        QCOMPARE(withCaret(), u"1.2|34,56"_s);
    }

    void backspaceAndDeleteAreHandledOnceWithoutBeeping_data()
    {
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backspace at end") << 8 << int(Qt::Key_Backspace) << u"1.234,5|0"_s;
        QTest::newRow("backspace after comma") << 6 << int(Qt::Key_Backspace) << u"123|,56"_s;
        QTest::newRow("delete before comma") << 5 << int(Qt::Key_Delete) << u"1.234,|60"_s;
    }
    void backspaceAndDeleteAreHandledOnceWithoutBeeping()
    {
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(QString, expected);
        m_field->setValue(1234.56L);
        focusField();
        setCaret(caret);
        QTest::keyClick(m_field, Qt::Key(key));
        QCOMPARE(withCaret(), expected);
        QCOMPARE(m_beeps, 0);
    }

    void clickSelectsAllThenPlacesTheCaret()
    {
        m_field->setValue(1234.56L);
        m_next->setFocus();
        const QPoint inside(m_field->width() - 10, m_field->height() / 2);
        QTest::mouseClick(m_field, Qt::LeftButton, {}, inside);
        QCOMPARE(QApplication::focusWidget(), m_field);
        QCOMPARE(m_field->selectedText(), u"1.234,56"_s);
        QTest::mouseClick(m_field, Qt::LeftButton, {}, inside);
        QVERIFY(!m_field->hasSelectedText());
    }

    void copyCleansAndPasteFiltersEachCharacter()
    {
        m_field->setValue(1234.56L);
        focusField();
        QTest::keyClick(m_field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"1234,56"_s);

        m_field->setValue(0);
        m_field->selectAll();
        QGuiApplication::clipboard()->setText(u"1.234,56"_s);
        m_field->pasteFromClipboard(); // as from the context menu: no key is released
        QCOMPARE(m_field->text(), u"1234,56"_s);
        QCOMPARE(m_beeps, 1);
        QTest::keyClick(m_field, Qt::Key_Tab);
        QCOMPARE(m_field->text(), u"1.234,56"_s);

        m_field->selectAll();
        QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier); // regroups as V is released
        QCOMPARE(m_field->text(), u"1.234,56"_s);
        QCOMPARE(m_beeps, 2);
    }

    void cutCopiesThenDeletesTheSelection()
    {
        m_field->setValue(1234.56L);
        focusField();
        m_field->setSelection(2, 2);
        m_field->cutToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"23"_s);
        QCOMPARE(m_field->text(), u"1.4,56"_s);
    }

    void contextMenuActsOnTheSelection_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("copy") << 2 << 2 << u"&Copiar"_s << u"1.234,56"_s << u"23"_s;
        QTest::newRow("cut") << 2 << 2 << u"Cor&tar"_s << u"1.4,56"_s << u"23"_s;
        QTest::newRow("delete") << 2 << 2 << u"&Eliminar"_s << u"1.4,56"_s << u"9"_s;
        QTest::newRow("paste at the caret") << 3 << 0 << u"&Pegar"_s << u"1.2934,56"_s << u"9"_s;
    }
    void contextMenuActsOnTheSelection()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, choice);
        QFETCH(QString, text);
        QFETCH(QString, clipboard);
        m_field->setValue(1234.56L);
        focusField();
        m_field->setSelection(start, length);
        QGuiApplication::clipboard()->setText(u"9"_s);
        withContextMenu([&](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                if (action->text() == choice)
                    menu->setActiveAction(action);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QCOMPARE(m_field->text(), text);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void readOnlyFieldOnlyCopies()
    {
        m_field->setValue(1234.56L);
        m_field->setReadOnly(true);
        focusField();
        m_field->setSelection(2, 2);
        QGuiApplication::clipboard()->setText(u"9"_s);
        QStringList enabled;
        withContextMenu([&](QMenu* menu) {
            for (const QAction* action : menu->actions()) {
                if (action->isEnabled() && !action->isSeparator())
                    enabled << action->text();
            }
            QTest::keyClick(menu, Qt::Key_Escape);
        });
        QCOMPARE(enabled, (QStringList{u"&Copiar"_s, u"Seleccionar &todo"_s}));
        QTest::keyClick(m_field, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_field->text(), u"1.234,56"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"9"_s);
    }

    void clearEmitsClearRequestedWhenConnected()
    {
        m_field->setValue(1234.56L);
        m_field->selectAll();
        int requests = 0;
        const auto connection =
            connect(m_field, &AmountEdit::clearRequested, this, [&] { ++requests; });
        m_field->clearSelection();
        QCOMPARE(requests, 1);
        QCOMPARE(m_field->text(), u"1.234,56"_s);
        disconnect(connection);
        m_field->clearSelection();
        QCOMPARE(m_field->text(), u"0,00"_s);
    }

    void leavingReformatsTheText()
    {
        m_field->setDecimals(-1);
        m_field->setNumberFormat(NumberFormat::Standard);
        focusField();
        QTest::keyClicks(m_field, u"5,"_s);
        QCOMPARE(m_field->text(), u"5,"_s);
        QSignalSpy exits(m_field, &AmountEdit::fieldLeft);
        QTest::keyClick(m_field, Qt::Key_Tab);
        QCOMPARE(m_field->text(), u"5"_s);
        QCOMPARE(exits.count(), 1);
    }

    void leavingOutOfRangeClampsBeepsAndKeepsTheFocus()
    {
        focusField();
        m_field->setMaxValue(100);
        m_field->setValue(150);
        QSignalSpy exits(m_field, &AmountEdit::fieldLeft);
        QTest::keyClick(m_field, Qt::Key_Tab);
        QCOMPARE(m_field->text(), u"100,00"_s);
        QCOMPARE(m_beeps, 1);
        QTRY_COMPARE(QApplication::focusWidget(), m_field);
        QCOMPARE(exits.count(), 0);
    }

    void leavingOutOfRangeWithAHandlerMovesOn()
    {
        focusField();
        m_field->setMaxValue(100);
        m_field->setValue(150);
        int handled = 0;
        connect(m_field, &AmountEdit::invalidEntry, this, [&] { ++handled; });
        QSignalSpy exits(m_field, &AmountEdit::fieldLeft);
        QTest::keyClick(m_field, Qt::Key_Tab);
        QCOMPARE(handled, 1);
        QCOMPARE(m_field->text(), u"150,00"_s);
        QCOMPARE(QApplication::focusWidget(), m_next);
        QCOMPARE(m_beeps, 0);
        QCOMPARE(exits.count(), 0);
    }

    void readOnlyFieldIgnoresTypingAndDeleting()
    {
        m_field->setValue(1234.56L);
        m_field->setReadOnly(true);
        focusField();
        setCaret(8);
        QTest::keyClicks(m_field, u"9-E"_s);
        QTest::keyClick(m_field, Qt::Key_Backspace);
        setCaret(0);
        QTest::keyClick(m_field, Qt::Key_Delete);
        QCOMPARE(m_field->text(), u"1.234,56"_s);
        QCOMPARE(m_beeps, 0);
    }

    void lineEditShortcutsCannotBypassTheRules()
    {
        m_field->setValue(1234.56L);
        focusField();
        setCaret(2);
        QTest::keyClick(m_field, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(m_field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_field->text(), u"1.234,56"_s);
    }

    void separatorsChangedWithoutTheMessageAreConvertedBeforeTyping()
    {
        m_field->setValue(1234.56L);
        focusField();
        testsupport::useSeparators(testsupport::English);
        setCaret(8);
        QTest::keyClick(m_field, Qt::Key_Backspace);
        QCOMPARE(m_field->text(), u"1,234.50"_s);
    }
};

QTEST_MAIN(AmountEditTypingTest)
#include "AmountEditTypingTest.moc"
