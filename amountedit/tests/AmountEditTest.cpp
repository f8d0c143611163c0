// AmountEdit's value model, property rules, range handling and locale following.
#include "AmountEdit.h"

#include "Beep.h"
#include "LocaleSeparators.h"
#include "PaletteTesting.h"
#include "TestSeparators.h"

#include <QSignalSpy>
#include <QTest>

using namespace amount;
using namespace Qt::StringLiterals;
using amount::Separators;

class AmountEditTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_beeps = 0;
        amount::setBeepHandler([this] { ++m_beeps; });
    }
    void cleanup()
    {
        testsupport::restoreSeparators();
        amount::setBeepHandler({});
    }

    void newControlHasTheCreationDefaults()
    {
        AmountEdit edit;
        QCOMPARE(edit.text(), u"0"_s);
        QCOMPARE(edit.width(), 100);
        QCOMPARE(edit.decimals(), -1);
        QCOMPARE(edit.numberFormat(), NumberFormat::Standard);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void amountFieldShowsTwoGroupedDecimals()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(NumberFormat::Thousands);
        QCOMPARE(edit.text(), u"0,00"_s);
        edit.setValue(1234567.891L);
        QCOMPARE(edit.text(), u"1.234.567,89"_s);
    }

    void valueReadsBackAsDisplayed()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setValue(1.005L);
        QCOMPARE(edit.text(), u"1,01"_s);
        QVERIFY(edit.value() == 1.01L);
    }

    void assigningTheDisplayedValueChangesNothing()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setValue(12.5L);
        QSignalSpy changes(&edit, &QLineEdit::textChanged);
        edit.setValue(12.5L);
        edit.setValue(12.501L);
        QCOMPARE(changes.count(), 0);
        edit.setValue(13.0L);
        QCOMPARE(changes.count(), 1);
    }

    void decimalsAreClampedAndReformatTheText_data()
    {
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("above 14") << 0 << 20 << 14 << u"3,14159265358979"_s;
        QTest::newRow("below -1") << 0 << -5 << -1 << u"3,14159265358979"_s;
        QTest::newRow("limited by MaxLength") << 5 << 4 << 3 << u"3,142"_s;
        QTest::newRow("within MaxLength") << 5 << 2 << 2 << u"3,14"_s;
    }
    void decimalsAreClampedAndReformatTheText()
    {
        QFETCH(int, maxLength);
        QFETCH(int, requested);
        QFETCH(int, stored);
        QFETCH(QString, text);
        AmountEdit edit;
        if (maxLength > 0)
            edit.setMaxLength(maxLength);
        edit.setValue(3.14159265358979323846L); // MaxLength limits typing, not assignment
        edit.setDecimals(requested);
        QCOMPARE(edit.decimals(), stored);
        QCOMPARE(edit.text(), text);
    }

    void numberFormatReformatsTheText()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setValue(12345678.9L);
        edit.setNumberFormat(NumberFormat::Engineering);
        QCOMPARE(edit.text(), u"12,35E6"_s);
        edit.setNumberFormat(NumberFormat::Thousands); // re-displays the value as shown
        QCOMPARE(edit.text(), u"12.350.000,00"_s);
    }

    void rangeBoundsAcceptOnlyConsistentAssignments()
    {
        AmountEdit edit;
        edit.setMinValue(10);
        QVERIFY(edit.minValue() == 0);
        edit.setMaxValue(100);
        edit.setMinValue(10);
        QVERIFY(edit.minValue() == 10 && edit.maxValue() == 100);

        AmountEdit loaded; // a form stores MaxValue before MinValue
        loaded.setMaxValue(-10);
        loaded.setMinValue(-100);
        QVERIFY(loaded.minValue() == -100 && loaded.maxValue() == 0);
    }

    void noRangeWhenBothBoundsAreZero()
    {
        AmountEdit edit;
        for (const Amount x : {-1e300L, -1.0L, 0.0L, 1.0L, 1e300L})
            QVERIFY(!edit.isOutOfRange(x));
        edit.setMaxValue(100);
        edit.setMinValue(10);
        QVERIFY(edit.isOutOfRange(9.99L));
        QVERIFY(!edit.isOutOfRange(10));
        QVERIFY(!edit.isOutOfRange(100));
        QVERIFY(edit.isOutOfRange(100.01L));
    }

    void invalidEntryIsClampedWithABeep_data()
    {
        QTest::addColumn<double>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above") << 150.0 << u"100,00"_s;
        QTest::newRow("below") << 5.0 << u"10,00"_s;
    }
    void invalidEntryIsClampedWithABeep()
    {
        QFETCH(double, typed);
        QFETCH(QString, shown);
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setMaxValue(100);
        edit.setMinValue(10);
        edit.setValue(typed);
        edit.handleInvalidEntry();
        QCOMPARE(edit.text(), shown);
        QCOMPARE(m_beeps, 1);
    }

    void connectedInvalidEntryReplacesClamping()
    {
        AmountEdit edit;
        edit.setMaxValue(100);
        edit.setValue(150);
        QSignalSpy invalidEntries(&edit, &AmountEdit::invalidEntry);
        edit.handleInvalidEntry();
        QCOMPARE(invalidEntries.count(), 1);
        QCOMPARE(edit.text(), u"150"_s);
        QCOMPARE(m_beeps, 0);
    }

    void emptyTextOrBareSignReadsZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("minus") << u"-"_s;
    }
    void emptyTextOrBareSignReadsZero()
    {
        QFETCH(QString, text);
        AmountEdit edit;
        edit.setText(text);
        QVERIFY(edit.value() == 0);
    }

    void unparseableTextRaisesTheConversionError_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("exponent only") << u"E5"_s << u"'E5' is not a valid floating point value"_s;
        QTest::newRow("inner sign") << u"1-2"_s << u"'1-2' is not a valid floating point value"_s;
        QTest::newRow("grouped") << u"1.2x"_s << u"'12x' is not a valid floating point value"_s;
    }
    void unparseableTextRaisesTheConversionError()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        AmountEdit edit;
        edit.setText(text);
        try {
            (void)edit.value();
            QFAIL("no conversion error");
        } catch (const amount::ConversionError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
        QCOMPARE(edit.text(), text);
    }

    void localeChangeConvertsTheTextWhenTheQueuedMessageArrives()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(NumberFormat::Thousands);
        edit.setValue(1234.56L);
        QCOMPARE(edit.text(), u"1.234,56"_s);
        QVERIFY(edit.value() == 1234.56L);

        testsupport::useSeparators(testsupport::English);
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(&edit, &change);
        QCOMPARE(edit.text(), u"1.234,56"_s); // converted only when the message arrives
        QCoreApplication::sendPostedEvents(&edit);
        QCOMPARE(edit.text(), u"1,234.56"_s);
        QVERIFY(edit.value() == 1234.56L);
    }

    void valueReadBeforeTheMessageLeavesTheConversionToIt()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(NumberFormat::Thousands);
        edit.setValue(1234.56L);
        testsupport::useSeparators(testsupport::English);
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(&edit, &change);
        QVERIFY(edit.value() == 1234.56L);
        QCOMPARE(edit.text(), u"1.234,56"_s);
        QCoreApplication::sendPostedEvents(&edit);
        QCOMPARE(edit.text(), u"1,234.56"_s);
        QVERIFY(edit.value() == 1234.56L);
    }

    void assignedValueIsWrittenForTheCurrentLocale()
    {
        AmountEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(NumberFormat::Thousands);
        edit.setValue(1234.56L);
        testsupport::useSeparators(testsupport::English);
        edit.setValue(9876.5L);
        QCOMPARE(edit.text(), u"9,876.50"_s);
        QVERIFY(edit.value() == 9876.5L);
        QCoreApplication::sendPostedEvents(&edit);
        QCOMPARE(edit.text(), u"9,876.50"_s);
    }

    void backgroundFollowsEnabledState()
    {
        AmountEdit edit;
        edit.setDisabledColor(Qt::yellow);
        edit.setColor(Qt::cyan);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::cyan));
        edit.setEnabled(false);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::yellow));
        edit.setColor(Qt::white);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::yellow));
        edit.setEnabled(true);
        QCOMPARE(edit.palette().color(QPalette::Base), QColor(Qt::white));
    }

    // The colours not set follow the palette when it turns dark; the ones set stay.
    void backgroundAndDisabledTextFollowThePaletteUntilSet_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("setBackground");
        QTest::addColumn<QColor>("setDisabledText");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("disabledText");
        const QColor none;
        QTest::newRow("enabled: the palette's base")
            << true << none << none << QColor(0x2a, 0x2a, 0x2a) << QColor(0x7f, 0x7f, 0x7f);
        QTest::newRow("disabled: the palette's button")
            << false << none << none << QColor(0x35, 0x35, 0x35) << QColor(0x7f, 0x7f, 0x7f);
        QTest::newRow("enabled, colour set")
            << true << QColor(Qt::cyan) << none << QColor(Qt::cyan) << QColor(0x7f, 0x7f, 0x7f);
        QTest::newRow("disabled, colours set")
            << false << QColor(Qt::yellow) << QColor(0x40, 0x40, 0x40) << QColor(Qt::yellow)
            << QColor(0x40, 0x40, 0x40);
    }
    void backgroundAndDisabledTextFollowThePaletteUntilSet()
    {
        QFETCH(bool, enabled);
        QFETCH(QColor, setBackground);
        QFETCH(QColor, setDisabledText);
        QFETCH(QColor, background);
        QFETCH(QColor, disabledText);
        QWidget parent;
        parent.setPalette(testsupport::paletteOf(false));
        auto* edit = new AmountEdit(&parent);
        edit->setEnabled(enabled);
        if (setBackground.isValid())
            enabled ? edit->setColor(setBackground) : edit->setDisabledColor(setBackground);
        if (setDisabledText.isValid())
            edit->setDisabledTextColor(setDisabledText);

        parent.setPalette(testsupport::paletteOf(true));
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        QCOMPARE(edit->palette().color(group, QPalette::Base), background);
        QCOMPARE(edit->palette().color(QPalette::Disabled, QPalette::Text), disabledText);
    }

    void parentColorTakesAndFollowsTheParentsBackground()
    {
        QWidget parent;
        QPalette p = parent.palette();
        p.setColor(parent.backgroundRole(), Qt::green);
        parent.setPalette(p);
        auto* edit = new AmountEdit(&parent);
        edit->setParentColor(true);
        QCOMPARE(edit->color(), QColor(Qt::green));

        p.setColor(parent.backgroundRole(), Qt::magenta);
        parent.setPalette(p);
        QCOMPARE(edit->color(), QColor(Qt::magenta));
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::magenta));

        edit->setColor(Qt::white);
        QVERIFY(!edit->parentColor());
    }

    void alignmentKeepsTheSelection()
    {
        AmountEdit edit;
        edit.setText(u"12345"_s);
        edit.setSelection(1, 2);
        edit.setAlignment(Qt::AlignHCenter);
        QCOMPARE(edit.selectionStart(), 1);
        QCOMPARE(edit.selectedText(), u"23"_s);
    }

    void propertiesAreReachableByName()
    {
        AmountEdit edit;
        QVERIFY(edit.setProperty("numberFormat", QVariant::fromValue(NumberFormat::Thousands)));
        QVERIFY(edit.setProperty("decimals", 2));
        QVERIFY(edit.setProperty("value", 1234.5));
        QCOMPARE(edit.text(), u"1.234,50"_s);
        QCOMPARE(edit.property("value").toDouble(), 1234.5);
        QVERIFY(edit.setProperty("maxValue", 100.0));
        QCOMPARE(edit.maxValue(), 100.0L);
    }

private:
    int m_beeps = 0;
};

QTEST_MAIN(AmountEditTest)
#include "AmountEditTest.moc"
