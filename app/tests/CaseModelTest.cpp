// The case model and its binding to the windows' fields: every key has its field, edits flow
// both ways as the fields show them, and only real changes count as the user's; its long work
// keeps the windows going.
#include "CaseModel.h"

#include "AmountEdit.h"
#include "Application.h"
#include "BusyWork.h"
#include "CaseBinding.h"
#include "TestSeparators.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

using namespace app;
using amount::AmountEdit;

using namespace Qt::StringLiterals;

namespace {

// Forms with a field for every key but `missing`.
struct Forms
{
    QWidget main, calculator, evolution;

    explicit Forms(const QString& missing = {})
    {
        main.setObjectName(u"FormularioPrincipal"_s);
        const auto add = [&](QWidget& form, const char* name) {
            if (missing != QLatin1String(name))
                (new AmountEdit(&form))->setObjectName(QLatin1String(name));
        };
        for (const borrowing::FigureField& f : borrowing::FigureFields)
            add(main, f.key);
        for (const borrowing::IndicatorField& f : borrowing::IndicatorFields)
            add(main, f.key);
        for (const borrowing::PlannedLoanField& f : borrowing::PlannedLoanFields) {
            if (f.isNumber())
                add(calculator, f.key);
        }
        add(evolution, "crecimiento");
        (new QComboBox(&main))->setObjectName(u"reglagasto"_s);
        for (AmountEdit* field : main.findChildren<AmountEdit*>()) {
            field->setDecimals(2);
            field->setNumberFormat(amount::NumberFormat::Thousands);
        }
    }
    AmountEdit* field(const QWidget& form, const char* name) const
    {
        return form.findChild<AmountEdit*>(QLatin1String(name));
    }
};

} // namespace

class CaseModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { testsupport::useSeparators(testsupport::Spanish); }
    void cleanup() { testsupport::restoreSeparators(); }

    void aKeyWithoutItsFieldIsNamed_data()
    {
        QTest::addColumn<QString>("key");
        for (const char* key : {"ICAP3", "AJNODISP", "CVCOMPUT", "tipomaximo", "crecimiento"})
            QTest::newRow(key) << QString::fromLatin1(key);
    }
    void aKeyWithoutItsFieldIsNamed()
    {
        QFETCH(QString, key);
        Forms forms(key);
        CaseModel model;
        try {
            CaseBinding binding(model, &forms.main, &forms.calculator, &forms.evolution);
            QFAIL("bound without a field");
        } catch (const std::logic_error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).endsWith(u"the key "_s + key), e.what());
        }
    }

    // Long work lets the events run, shows a busy cursor and puts the cursor back; its result
    // and its failure come back as from a call.
    void longWorkShowsABusyCursorAndKeepsTheEventsGoing()
    {
        std::atomic<bool> busySeen = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            if (cursor && cursor->shape() == Qt::BusyCursor)
                busySeen = true;
        });
        probe.start(10);
        const int answer = whileBusy([&] {
            for (int i = 0; i < 2000 && !busySeen; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return 42;
        });
        QCOMPARE(answer, 42);
        QVERIFY(busySeen);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 whileBusy([]() -> int { throw std::runtime_error("no"); }));
    }

    // Requests as quick as typing give one preview, of the last case, once they pause; the
    // model's own assessment is none of them.
    void aPreviewWaitsForAPauseAndIsTheLatestRequests()
    {
        CaseModel model;
        QList<amount::Amount> previewed;
        connect(&model, &CaseModel::previewed, this,
                [&](const borrowing::Assessment& a) { previewed << a.indicators.totalRevenue; });
        QSignalSpy assessed(&model, &CaseModel::assessed);
        for (int typed = 1; typed <= 5; ++typed) {
            borrowing::Case c;
            c.figures.revenueI = typed * 1000;
            model.requestPreview(c);
            QTest::qWait(CaseModel::PreviewPause.count() / 4);
        }
        QCOMPARE(previewed.size(), 0);
        QTRY_COMPARE(previewed.size(), 1);
        QCOMPARE(previewed.front(), 5000);
        QTest::qWait(2 * CaseModel::PreviewPause.count());
        QCOMPARE(previewed.size(), 1);
        QCOMPARE(assessed.count(), 0);
        QVERIFY(!model.assessment());

        // Two pauses, two previews; one asked again while the first is worked out is given
        // after it.
        borrowing::Case c;
        model.requestPreview(c);
        QTRY_COMPARE(previewed.size(), 2);
        c.figures.revenueI = 7000;
        model.requestPreview(c);
        QTRY_COMPARE(previewed.size(), 3);
        QCOMPARE(previewed.last(), 7000);
    }

    // The expenditure rule's list and the case follow each other; a figure of the settlement
    // typed takes the place of a capacity an older case gave as one figure.
    void stabilityFollowsTheForm()
    {
        Forms forms;
        CaseModel model;
        CaseBinding binding(model, &forms.main, &forms.calculator, &forms.evolution);
        auto* rule = forms.main.findChild<QComboBox*>(u"reglagasto"_s);
        QCOMPARE(rule->count(), 3);
        QCOMPARE(rule->currentText(), u"Sin datos"_s);
        QSignalSpy edited(&model, &CaseModel::edited);
        rule->setCurrentIndex(2);
        QCOMPARE(model.current().stability.rule, borrowing::SpendingRule::Broken);
        QCOMPARE(edited.count(), 1);

        borrowing::Case c;
        c.stability = {borrowing::SpendingRule::Met, -1500};
        model.reset(c);
        QCOMPARE(rule->currentText(), u"Cumple"_s);
        QCOMPARE(edited.count(), 1);
        forms.field(forms.main, "AJSEC")->setText(u"0"_s);
        QCOMPARE(model.current().stability.givenCapacity, -1500);
        forms.field(forms.main, "AJSEC")->setText(u"-2,5"_s);
        QCOMPARE(model.current().stability.givenCapacity, 0);
    }

    void fieldsAndModelFollowEachOther()
    {
        Forms forms;
        CaseModel model;
        CaseBinding binding(model, &forms.main, &forms.calculator, &forms.evolution);
        QSignalSpy edited(&model, &CaseModel::edited);

        // Typed: the case holds the figure as its field shows it, an edit of the user's.
        forms.field(forms.main, "ICAP2")->setText(u"1.234,567"_s);
        QCOMPARE(model.current().figures.revenueII, 1234.57L);
        forms.field(forms.calculator, "anios")->setDecimals(0);
        forms.field(forms.calculator, "anios")->setText(u"20"_s);
        QCOMPARE(model.current().plannedLoan.years, 20);
        forms.field(forms.evolution, "crecimiento")->setText(u"-1,5"_s);
        QCOMPARE(model.current().evolution.growth, -1.5L);
        QCOMPARE(edited.count(), 3);
        // A text that is no number yet leaves the case as it was; the same value is no edit.
        forms.field(forms.main, "ICAP2")->setText(u"abc"_s);
        forms.field(forms.main, "ICAP3")->setText(u"0"_s);
        QCOMPARE(model.current().figures.revenueII, 1234.57L);
        QCOMPARE(edited.count(), 3);
        QVERIFY_THROWS_EXCEPTION(amount::ConversionError, binding.checkFields());

        // Given: a case and its register show in the fields, the register's totals in the
        // existing debt's, and are not the user's edits.
        borrowing::Case c;
        c.figures.revenueI = 2.005L;
        c.figures.existingCapital = 1;
        c.loans = {{u"Caja"_s, 12000, 0, 4}};
        model.reset(c);
        QCOMPARE(forms.field(forms.main, "ICAP1")->text(), u"2,01"_s);
        QCOMPARE(forms.field(forms.main, "ICAP2")->text(), u"0,00"_s);
        QCOMPARE(forms.field(forms.main, "CVPEX")->text(), u"12.000,00"_s);
        QCOMPARE(forms.field(forms.main, "APVTOTAL")->text(), u"3.000,00"_s);
        QCOMPARE(model.current().figures.revenueI, 2.01L);
        QCOMPARE(edited.count(), 3);
        binding.checkFields();

        // Assessed: the results show; a new case clears them.
        model.setEntity({.name = {}, .province = {}, .maxDebtPercentText = u"110"_s});
        model.assess();
        QCOMPARE(forms.field(forms.main, "ITOTAL")->text(), u"2,01"_s);
        QCOMPARE(forms.field(forms.main, "CVTOTAL2")->text(), u"12.000,00"_s);
        model.reset({});
        QCOMPARE(forms.field(forms.main, "ITOTAL")->text(), u"0,00"_s);
        QVERIFY(!model.assessment());
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    CaseModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CaseModelTest.moc"
