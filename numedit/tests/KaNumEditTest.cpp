// TKaNumEdit's value model, property rules, range handling and locale following.
#include "KaNumEdit.h"

#include "Beep.h"
#include "LocaleSeparators.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using numedit::Separators;

namespace {
const Separators Spanish{u',', u'.'};
const Separators English{u'.', u','};
} // namespace

class KaNumEditTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        numedit::SetSeparatorSource([] { return Spanish; });
        m_beeps = 0;
        numedit::SetBeepHandler([this] { ++m_beeps; });
    }
    void cleanup()
    {
        numedit::SetSeparatorSource({});
        numedit::SetBeepHandler({});
    }

    void newControlHasTheCreationDefaults()
    {
        TKaNumEdit edit;
        QCOMPARE(edit.text(), u"0"_s);
        QCOMPARE(edit.width(), 100);
        QCOMPARE(edit.Decimals(), -1);
        QCOMPARE(edit.NumberFormat(), TNumberFormat::Standard);
        QCOMPARE(edit.Alignment(), TAlignment::taRightJustify);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(edit.Version(), u"8.50.00.00"_s);
        QVERIFY(!edit.OnInvalidEntry());
        QVERIFY(!edit.OnClear());
    }

    void amountFieldShowsTwoGroupedDecimals()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(TNumberFormat::Thousands);
        QCOMPARE(edit.text(), u"0,00"_s);
        edit.setValue(1234567.891L);
        QCOMPARE(edit.text(), u"1.234.567,89"_s);
    }

    void valueReadsBackAsDisplayed()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setValue(1.005L);
        QCOMPARE(edit.text(), u"1,01"_s);
        QVERIFY(edit.Value() == 1.01L);
    }

    void assigningTheDisplayedValueChangesNothing()
    {
        TKaNumEdit edit;
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
        TKaNumEdit edit;
        if (maxLength > 0)
            edit.setMaxLength(maxLength);
        edit.setValue(3.14159265358979323846L); // MaxLength limits typing, not assignment
        edit.setDecimals(requested);
        QCOMPARE(edit.Decimals(), stored);
        QCOMPARE(edit.text(), text);
    }

    void numberFormatReformatsTheText()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setValue(12345678.9L);
        edit.setNumberFormat(TNumberFormat::Engineering);
        QCOMPARE(edit.text(), u"12,35E6"_s);
        edit.setNumberFormat(TNumberFormat::Thousands); // re-displays the value as shown
        QCOMPARE(edit.text(), u"12.350.000,00"_s);
    }

    void rangeBoundsAcceptOnlyConsistentAssignments()
    {
        TKaNumEdit edit;
        edit.setMinValue(10);
        QVERIFY(edit.MinValue() == 0);
        edit.setMaxValue(100);
        edit.setMinValue(10);
        QVERIFY(edit.MinValue() == 10 && edit.MaxValue() == 100);

        TKaNumEdit loaded; // a form stores MaxValue before MinValue
        loaded.setMaxValue(-10);
        loaded.setMinValue(-100);
        QVERIFY(loaded.MinValue() == -100 && loaded.MaxValue() == 0);
    }

    void noRangeWhenBothBoundsAreZero()
    {
        TKaNumEdit edit;
        for (const Amount x : {-1e300L, -1.0L, 0.0L, 1.0L, 1e300L})
            QVERIFY(!edit.IsOutOfRange(x));
        edit.setMaxValue(100);
        edit.setMinValue(10);
        QVERIFY(edit.IsOutOfRange(9.99L));
        QVERIFY(!edit.IsOutOfRange(10));
        QVERIFY(!edit.IsOutOfRange(100));
        QVERIFY(edit.IsOutOfRange(100.01L));
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
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setMaxValue(100);
        edit.setMinValue(10);
        edit.setValue(typed);
        edit.HandleInvalidEntry();
        QCOMPARE(edit.text(), shown);
        QCOMPARE(m_beeps, 1);
    }

    void assignedInvalidEntryHandlerReplacesClamping()
    {
        TKaNumEdit edit;
        edit.setMaxValue(100);
        edit.setValue(150);
        TKaNumEdit* sender = nullptr;
        edit.setOnInvalidEntry([&](TKaNumEdit* s) { sender = s; });
        edit.HandleInvalidEntry();
        QCOMPARE(sender, &edit);
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
        TKaNumEdit edit;
        edit.setText(text);
        QVERIFY(edit.Value() == 0);
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
        TKaNumEdit edit;
        edit.setText(text);
        try {
            (void)edit.Value();
            QFAIL("no conversion error");
        } catch (const numedit::EConvertError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
        QCOMPARE(edit.text(), text);
    }

    void localeChangeConvertsTheTextWhenTheQueuedMessageArrives()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(TNumberFormat::Thousands);
        edit.setValue(1234.56L);
        QCOMPARE(edit.text(), u"1.234,56"_s);
        QVERIFY(edit.Value() == 1234.56L);

        numedit::SetSeparatorSource([] { return English; });
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(&edit, &change);
        QCOMPARE(edit.text(), u"1.234,56"_s); // converted only when the message arrives
        QCoreApplication::sendPostedEvents(&edit);
        QCOMPARE(edit.text(), u"1,234.56"_s);
        QVERIFY(edit.Value() == 1234.56L);
    }

    void valueFollowsAChangedLocaleBeforeTheMessage()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(TNumberFormat::Thousands);
        edit.setValue(1234.56L);
        numedit::SetSeparatorSource([] { return English; });
        QVERIFY(edit.Value() == 1234.56L);
        QCOMPARE(edit.text(), u"1.234,56"_s);
    }

    void assignedValueIsWrittenForTheCurrentLocale()
    {
        TKaNumEdit edit;
        edit.setDecimals(2);
        edit.setNumberFormat(TNumberFormat::Thousands);
        edit.setValue(1234.56L);
        numedit::SetSeparatorSource([] { return English; });
        edit.setValue(9876.5L);
        QCOMPARE(edit.text(), u"9,876.50"_s);
        QVERIFY(edit.Value() == 9876.5L);
        QCoreApplication::sendPostedEvents(&edit);
        QCOMPARE(edit.text(), u"9,876.50"_s);
    }

    void backgroundFollowsEnabledState()
    {
        TKaNumEdit edit;
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

    void parentColorTakesAndFollowsTheParentsBackground()
    {
        QWidget parent;
        QPalette p = parent.palette();
        p.setColor(parent.backgroundRole(), Qt::green);
        parent.setPalette(p);
        auto* edit = new TKaNumEdit(&parent);
        edit->setParentColor(true);
        QCOMPARE(edit->Color(), QColor(Qt::green));

        p.setColor(parent.backgroundRole(), Qt::magenta);
        parent.setPalette(p);
        QCOMPARE(edit->Color(), QColor(Qt::magenta));
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::magenta));

        edit->setColor(Qt::white);
        QVERIFY(!edit->ParentColor());
    }

    void versionIgnoresAssignments()
    {
        TKaNumEdit edit;
        edit.setVersion(u"1.0"_s);
        QCOMPARE(edit.Version(), u"8.50.00.00"_s);
    }

    void alignmentMapsToTheTextAlignment()
    {
        TKaNumEdit edit;
        edit.setText(u"12345"_s);
        edit.setSelection(1, 2);
        edit.setAlignment(TAlignment::taCenter);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(edit.selectionStart(), 1);
        QCOMPARE(edit.selectedText(), u"23"_s);
        edit.setAlignment(TAlignment::taLeftJustify);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

private:
    int m_beeps = 0;
};

QTEST_MAIN(KaNumEditTest)
#include "KaNumEditTest.moc"
