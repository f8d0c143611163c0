// The loan calculator dialog: payments, the amortisation table, failures, acceptance and its
// layout.
#include "LoanCalculatorDialog.h"

#include "AmountEdit.h"
#include "Beep.h"
#include "LayoutTesting.h"
#include "LocaleSeparators.h"
#include "ScheduleModel.h"
#include "TestSeparators.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace calculator;
using amount::Amount;

using namespace Qt::StringLiterals;

class LoanCalculatorDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LoanCalculatorDialog> m_dialog;

    void compute(Amount capital, Amount rate, Amount years)
    {
        m_dialog->capitalField()->setValue(capital);
        m_dialog->rateField()->setValue(rate);
        m_dialog->yearsField()->setValue(years);
        m_dialog->calculate();
    }
    QStringList row(int r) const
    {
        QStringList texts;
        for (int c = 0; c < 4; ++c)
            texts << m_dialog->scheduleModel()->cell(c, r);
        return texts;
    }
    QString failure(Amount capital, Amount rate, Amount years)
    {
        try {
            compute(capital, rate, years);
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_dialog = std::make_unique<LoanCalculatorDialog>();
    }
    void cleanup()
    {
        m_dialog.reset();
        testsupport::restoreSeparators();
    }

    void startsWithAnEmptyTwoRowGrid()
    {
        QCOMPARE(m_dialog->windowTitle(), u"Calculadora de Préstamos"_s);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 2);
        QCOMPARE(m_dialog->scheduleModel()->fixedRows(), 1);
        QCOMPARE(row(0), QStringList(4, QString()));
        QCOMPARE(row(1), QStringList(4, QString()));
        QCOMPARE(m_dialog->table()->columnWidth(3), 76);
        QCOMPARE(m_dialog->yearsField()->decimals(), 0);
        QVERIFY(!m_dialog->monthlyPaymentField()->isEnabled());
        QCOMPARE(m_dialog->findChild<QPushButton*>(u"Button1"_s)->text(), u"C A L C U L A R"_s);
    }

    void tenYearLoan()
    {
        compute(100000, 5, 10);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), u"1.060,66"_s);
        QCOMPARE(m_dialog->yearlyPaymentField()->text(), u"12.727,92"_s);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 121);
        QCOMPARE(row(0), (QStringList{u"Mes"_s, u"Amortiz."_s, u"Interés"_s, u"Pendiente"_s}));
        QCOMPARE(row(1), (QStringList{u"1"_s, u"643,99"_s, u"416,67"_s, u"99356,01"_s}));
        QCOMPARE(row(120), (QStringList{u"120"_s, u"1055,53"_s, u"4,4"_s, u"0"_s}));
        QCOMPARE(m_dialog->table()->columnWidth(3), 76);
    }

    void averageLifeAndPrudenceFollowTheLoan_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<QString>("line");
        QTest::newRow("no maximum given") << 0.0 << QString();
        QTest::newRow("within the maximum")
            << 3.0 << u"Cumple el principio de prudencia financiera"_s;
        QTest::newRow("above it") << 2.99
                                  << u"No cumple el principio de prudencia financiera: el tipo "
                                     u"supera el máximo"_s;
    }
    void averageLifeAndPrudenceFollowTheLoan()
    {
        QFETCH(double, maximum);
        QFETCH(QString, line);
        compute(100000, 3, 20);
        QCOMPARE(m_dialog->findChild<amount::AmountEdit*>(u"vidamedia"_s)->text(), u"11,03"_s);
        m_dialog->findChild<amount::AmountEdit*>(u"tipomaximo"_s)->setValue(maximum);
        QCOMPARE(m_dialog->prudenceLine(), line);
        QCOMPARE(m_dialog->plannedLoan().maximumRate, amount::shownValue(maximum, 2));
    }

    void oneYearLoanShowsNoTrailingZeros()
    {
        compute(12000, 6, 1);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), u"1.032,80"_s);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 13);
        QCOMPARE(row(1), (QStringList{u"1"_s, u"972,8"_s, u"60"_s, u"11027,2"_s}));
    }

    // Every cell is a number of cents, and a payment that would only pay the interest pays a
    // cent more, so that the loan is amortised.
    void schedulesAreWorkedInCents_data()
    {
        QTest::addColumn<double>("capital");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("years");
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("lastPending");
        QTest::addColumn<QString>("averageLife");
        QTest::newRow("the interest alone, a cent more")
            << 1000000.0 << 20.0 << 100.0 << u"16.666,68"_s << u"0"_s << u"65,93"_s;
        QTest::newRow("interest-free, rounded down")
            << 1000.0 << 0.0 << 1.0 << u"83,33"_s << u"0,04"_s << u"0,54"_s;
        QTest::newRow("rounded down, ties to even")
            << 100000.0 << 5.0 << 30.0 << u"536,82"_s << u"1,14"_s << u"18,65"_s;
        QTest::newRow("a century at 10 %")
            << 100000.0 << 10.0 << 100.0 << u"833,37"_s << u"7026,28"_s << u"83,68"_s;
    }
    void schedulesAreWorkedInCents()
    {
        QFETCH(double, capital);
        QFETCH(double, rate);
        QFETCH(double, years);
        QFETCH(QString, payment);
        QFETCH(QString, lastPending);
        QFETCH(QString, averageLife);
        compute(capital, rate, years);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), payment);
        const int months = static_cast<int>(years * 12);
        QCOMPARE(row(months)[3], lastPending);
        QCOMPARE(m_dialog->findChild<amount::AmountEdit*>(u"vidamedia"_s)->text(), averageLife);
        for (int r = 1; r <= months; ++r) {
            for (const QString& cell : row(r).mid(1)) {
                const qsizetype comma = cell.indexOf(u',');
                QVERIFY2(comma < 0 || cell.size() - comma - 1 <= 2, qPrintable(cell));
            }
        }
    }

    void shorterCalculationRemovesSurplusRows()
    {
        compute(100000, 5, 10);
        compute(12000, 6, 1);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 13);
        QCOMPARE(m_dialog->table()->model()->rowCount(), 12); // the heading is not a table row
    }

    void formulaFailuresLeaveEverythingAsItWas_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("years");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero term") << 5.0 << 0.0 << u"Floating point division by zero"_s;
        QTest::newRow("zero term, no interest")
            << 0.0 << 0.0 << u"Floating point division by zero"_s;
    }
    void formulaFailuresLeaveEverythingAsItWas()
    {
        QFETCH(double, rate);
        QFETCH(double, years);
        QFETCH(QString, message);
        compute(12000, 6, 1);
        QCOMPARE(failure(100000, rate, years), message);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), u"1.032,80"_s);
        QCOMPARE(m_dialog->yearlyPaymentField()->text(), u"12.393,60"_s);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 13);
        QCOMPARE(row(1)[1], u"972,8"_s);
    }

    void interestFreeLoanRepaysTheCapitalEvenly()
    {
        compute(12000, 0, 1);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), u"1.000,00"_s);
        QCOMPARE(m_dialog->yearlyPaymentField()->text(), u"12.000,00"_s);
        QCOMPARE(row(1), (QStringList{u"1"_s, u"1000"_s, u"0"_s, u"11000"_s}));
        QCOMPARE(row(12)[3], u"0"_s);
    }

    void noTermAndNoCapitalCutTheGrid()
    {
        compute(12000, 6, 1);
        QCOMPARE(failure(0, 5, 0), u"Fixed row count must be less than row count"_s);
        QCOMPARE(m_dialog->monthlyPaymentField()->text(), u"0,00"_s);
        QCOMPARE(m_dialog->yearlyPaymentField()->text(), u"0,00"_s);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 1);
        QCOMPARE(m_dialog->scheduleModel()->fixedRows(), 0);
        QCOMPARE(row(0)[0], u"Mes"_s); // the old heading is now an ordinary row
        QVERIFY(m_dialog->table()->horizontalHeader()->isHidden());
        QCOMPARE(m_dialog->table()->model()->index(0, 0).data().toString(), u"Mes"_s);
        compute(12000, 6, 1);
        QCOMPARE(m_dialog->scheduleModel()->fixedRows(), 1);
        QVERIFY(!m_dialog->table()->horizontalHeader()->isHidden());
        QCOMPARE(row(1)[0], u"1"_s);
    }

    void longTermIsCappedAtAHundredYears()
    {
        int beeps = 0;
        amount::setBeepHandler([&] { ++beeps; });
        compute(100000, 5, 1);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        m_dialog->yearsField()->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(m_dialog->yearsField(), u"100000"_s);
        QTest::mouseClick(m_dialog->findChild<QPushButton*>(u"Button1"_s), Qt::LeftButton);
        amount::setBeepHandler({});
        QCOMPARE(m_dialog->yearsField()->text(), u"100"_s);
        QCOMPARE(beeps, 1);
        QCOMPARE(m_dialog->scheduleModel()->rows(), 1201);
    }

    void everyControlShowsWholeAndTheTableTakesTheSpace_data() { testsupport::addWindowSizes(); }
    void everyControlShowsWholeAndTheTableTakesTheSpace()
    {
        compute(100000, 5, 10);
        // The longest prudence line.
        m_dialog->findChild<amount::AmountEdit*>(u"tipomaximo"_s)->setValue(2);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
        QCOMPARE(testsupport::faultsAtWindowSize(m_dialog.get(), m_dialog->table()), QStringList());
        QVERIFY(m_dialog->table()->viewport()->width() >= 4 * 76);
    }

    // The yearly payment becomes the new loan's annuity: one its field cannot hold is refused.
    void aPaymentPastTheFieldsDigitsIsNotAccepted()
    {
        compute(9999999999999.99L, 100, 1);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QVERIFY_THROWS_EXCEPTION(borrowing::InvalidInput, m_dialog->acceptLoan());
        QVERIFY(!m_dialog->wasAccepted());
        QVERIFY(m_dialog->isVisible());
        compute(9999999999999.99L, 1, 100);
        m_dialog->acceptLoan();
        QVERIFY(m_dialog->wasAccepted());
    }

    void acceptedOnlyAfterAceptar()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QVERIFY(!m_dialog->wasAccepted());
        m_dialog->acceptLoan();
        QVERIFY(m_dialog->wasAccepted());
        QVERIFY(!m_dialog->isVisible());
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QVERIFY(!m_dialog->wasAccepted());
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(!m_dialog->wasAccepted());
    }
};

QTEST_MAIN(LoanCalculatorDialogTest)
#include "LoanCalculatorDialogTest.moc"
