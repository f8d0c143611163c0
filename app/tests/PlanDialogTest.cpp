// The recovery plan's dialog in the window: the table worked out as the measures are typed, the
// rows of measures the plan's years leave, the growth the evolution shares, "Cancelar" leaving
// the case as it was, a refusal keeping the dialog open, and a plan not needed said first.
#include "PlanDialog.h"

#include "AmountEdit.h"
#include "CaseModel.h"
#include "Command.h"
#include "EvolutionDialog.h"
#include "MainWindow.h"
#include "SampleCases.h"
#include "TestSeparators.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace app;
using namespace Qt::StringLiterals;

class PlanDialogTest : public QObject
{
    Q_OBJECT

private:
    // Loans in force paying 34.000 in year 1, 22.000 in year 2 and 10.000 in year 3.
    static borrowing::Case deficit() { return borrowing::shownCase(samples::recoveryCase()); }

    static QStringList row(const QTableWidget* table, int row)
    {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column)
            texts << table->item(row, column)->text();
        return texts;
    }

    static amount::AmountEdit* field(QWidget* dialog, const QString& name)
    {
        return dialog->findChild<amount::AmountEdit*>(name);
    }

    // Opens the plan in a window holding the case, runs `edit` in the open dialog and returns
    // once the dialog is closed.
    static void editPlan(MainWindow& window, const std::function<void(editors::PlanDialog*)>& edit)
    {
        auto* dialog = window.findChild<editors::PlanDialog*>();
        QTimer::singleShot(0, dialog, [dialog, edit] {
            QTRY_VERIFY(dialog->isVisible());
            edit(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        window.findChild<QAction*>(u"mnPlan"_s)->trigger();
    }

private slots:
    void init() { testsupport::useSeparators(testsupport::Spanish); }
    void cleanup() { testsupport::restoreSeparators(); }

    void theTableFollowsTheMeasuresTyped()
    {
        MainWindow window;
        CaseModel& model = *window.caseModel();
        model.reset(deficit());
        QStringList before;
        QString sentences;
        bool thirdYearHidden = false;
        editPlan(window, [&](editors::PlanDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), u"Plan de saneamiento"_s);
            auto* table = dialog->findChild<QTableWidget*>(u"TablaPlan"_s);
            before = row(table, 2);
            const std::pair<const char16_t*, const char16_t*> typed[] = {
                {u"ingresos_1", u"10000"}, {u"gastos_1", u"5000"},   {u"ingresos_2", u"10000"},
                {u"gastos_2", u"5000"},    {u"ingresos_3", u"6000"}, {u"gastos_3", u"4000"}};
            for (const auto& [name, text] : typed)
                field(dialog, QString::fromUtf16(name))->setText(QString::fromUtf16(text));
            QTRY_COMPARE(row(table, 2)[5], u"0,00"_s);
            QCOMPARE(row(table, 0),
                     (QStringList{u"1"_s, u"1.010.000,00"_s, u"995.000,00"_s, u"15.000,00"_s,
                                  u"34.000,00"_s, u"-19.000,00"_s, u"-69.000,00"_s}));
            sentences = dialog->findChild<QLabel*>(u"LabelPlan"_s)->text();
            field(dialog, u"anios"_s)->setText(u"2"_s);
            thirdYearHidden = field(dialog, u"ingresos_3"_s)->isHidden();
            QTRY_COMPARE(table->rowCount(), 2);
            field(dialog, u"anios"_s)->setText(u"3"_s);
            dialog->findChild<QPushButton*>(u"BtnAceptar"_s)->click();
        });
        QCOMPARE(before, (QStringList{u"3"_s, u"1.000.000,00"_s, u"1.000.000,00"_s, u"0,00"_s,
                                      u"10.000,00"_s, u"-10.000,00"_s, u"-10.000,00"_s}));
        QCOMPARE(sentences, u"El plan ajusta a cero el ahorro neto en el año 3 (art. 53.1 TRLHL).\n"
                            u"Con la nueva operación, el ahorro neto del año 3 es de 0,00 €."_s);
        QVERIFY(thirdYearHidden);
        const borrowing::RecoveryPlan accepted{
            .years = 3, .measures = {{10000, 5000}, {10000, 5000}, {6000, 4000}}};
        QCOMPARE(model.current().plan, accepted);
        QVERIFY(window.caseDocument()->isModified());
    }

    // The revenue's growth is the evolution's: accepted in the plan, the evolution shows it;
    // "Cancelar" keeps neither.
    void theGrowthIsTheEvolutionsAndCancelChangesNothing()
    {
        MainWindow window;
        CaseModel& model = *window.caseModel();
        model.reset(deficit());
        editPlan(window, [](editors::PlanDialog* dialog) {
            field(dialog, u"crecimiento"_s)->setText(u"1,5"_s);
            field(dialog, u"crecimiento_gastos"_s)->setText(u"-2"_s);
            dialog->reject();
        });
        QCOMPARE(model.current(), deficit());
        QVERIFY(!window.caseDocument()->isModified());

        editPlan(window, [](editors::PlanDialog* dialog) {
            field(dialog, u"crecimiento"_s)->setText(u"1,5"_s);
            dialog->findChild<QPushButton*>(u"BtnAceptar"_s)->click();
        });
        QCOMPARE(model.current().evolution.growth, 1.5L);
        auto* evolution = window.findChild<EvolutionDialog*>();
        QCOMPARE(field(evolution, u"crecimiento"_s)->value(), 1.5L);
    }

    // A plan not needed is said first and still worked out; years left empty are refused and the
    // dialog stays open with what was typed.
    void aPlanNotNeededAndARefusal()
    {
        MainWindow window;
        CaseModel& model = *window.caseModel();
        borrowing::Case c = deficit();
        c.figures.expenditureI = 900000;
        model.reset(c);
        QStringList errors;
        command::setErrorPresenter([&](const QString&, const QString& m) { errors << m; });
        QString text;
        bool stayedOpen = false;
        editPlan(window, [&](editors::PlanDialog* dialog) {
            text = dialog->findChild<QLabel*>(u"LabelPlan"_s)->text();
            field(dialog, u"anios"_s)->clear();
            dialog->findChild<QPushButton*>(u"BtnAceptar"_s)->click();
            stayedOpen = dialog->isVisible();
        });
        command::setErrorPresenter({});
        QVERIFY(text.startsWith(
            u"El ahorro neto no es negativo: no precisa plan de saneamiento.\nEl plan ajusta a "
            u"cero el ahorro neto en el año 1 (art. 53.1 TRLHL)."_s));
        QVERIFY(stayedOpen);
        QCOMPARE(errors, QStringList{u"\"Años del plan\": debe estar entre 1 y 3."_s});
        QCOMPARE(model.current().plan, borrowing::RecoveryPlan{});
    }
};

QTEST_MAIN(PlanDialogTest)
#include "PlanDialogTest.moc"
