// The debt year by year in its dialog: the table and the sentence, the growth typed in the
// window's dialog, the register's absence explained, and the table exported as a spreadsheet
// reads it.
#include "EvolutionDialog.h"

#include "AmountEdit.h"
#include "Application.h"
#include "CaseModel.h"
#include "MainWindow.h"
#include "TestSeparators.h"

#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace app;
using namespace Qt::StringLiterals;

class EvolutionDialogTest : public QObject
{
    Q_OBJECT

private:
    static borrowing::ProjectionFigures figures()
    {
        return {.loans = {{u"A"_s, 12000, 0, 4}, {u"B"_s, 100000, 5, 3}},
                .plannedLoan = {u""_s, 250000, 3.5L, 20},
                .constantDebt = 20000,
                .revenue = 500000,
                .debt = 382000};
    }

    static QStringList cells(const QTableWidget* table, int row)
    {
        QStringList texts;
        for (int column = 0; column < table->columnCount(); ++column)
            texts << table->item(row, column)->text();
        return texts;
    }

private slots:
    void init() { testsupport::useSeparators(testsupport::Spanish); }
    void cleanup() { testsupport::restoreSeparators(); }

    void theTableShowsTheProjection()
    {
        EvolutionDialog dialog;
        QCOMPARE(dialog.windowTitle(), u"Evolución de la deuda"_s);
        dialog.showProjection(borrowing::projectDebt(figures()));
        auto* table = dialog.findChild<QTableWidget*>(u"TablaEvolucion"_s);
        QCOMPARE(table->rowCount(), 10);
        QCOMPARE(table->horizontalHeaderItem(3)->text(), u"Capital vivo a 31/12"_s);
        QCOMPARE(cells(table, 0),
                 (QStringList{u"1"_s, u"38.965,08"_s, u"17.398,80"_s, u"338.526,46"_s,
                              u"500.000,00"_s, u"67,71"_s, u"11,27"_s}));
        QCOMPARE(dialog.findChild<QLabel*>(u"FraseEvolucion"_s)->text(),
                 u"El endeudamiento baja del 75 % en el año 1."_s);
        QVERIFY(dialog.findChild<QLabel*>(u"SinRegistro"_s)->text().isEmpty());
    }

    // The same figures typed into the window: the growth typed in the open dialog projects them
    // again and is part of the case.
    void theWindowsEvolutionFollowsTheGrowthTyped()
    {
        MainWindow window;
        window.setPrompter(
            [](const QString&, const QString&, const QString& proposed) { return proposed; });
        CaseModel& model = *window.caseModel();
        const borrowing::ProjectionFigures f = figures();
        model.setFigure(&borrowing::Figures::revenueI, f.revenue);
        model.setFigure(&borrowing::Figures::treasuryOperations, f.constantDebt);
        model.setFigure(&borrowing::Figures::plannedCapital, f.plannedLoan.capital);
        model.setLoans(f.loans);
        model.setPlannedLoanFigure(&borrowing::PlannedLoan::capital, f.plannedLoan.capital);
        model.setPlannedLoanFigure(&borrowing::PlannedLoan::rate, f.plannedLoan.rate);
        model.setPlannedLoanFigure(&borrowing::PlannedLoan::years, f.plannedLoan.years);
        auto* dialog = window.findChild<EvolutionDialog*>();
        auto* table = dialog->findChild<QTableWidget*>(u"TablaEvolucion"_s);
        QStringList first;
        QStringList last;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(dialog->isVisible());
            first = cells(table, 0);
            dialog->findChild<amount::AmountEdit*>(u"crecimiento"_s)->setText(u"3"_s);
            // The table follows once the typing pauses.
            QTRY_COMPARE(cells(table, 9)[4], u"671.958,19"_s);
            last = cells(table, 9);
            dialog->accept();
        });
        window.showEvolution();
        QCOMPARE(first[3], u"338.526,46"_s);
        QCOMPARE(last[4], u"671.958,19"_s);
        QCOMPARE(model.current().evolution.growth, 3);
        QVERIFY(window.caseDocument()->isModified());
    }

    void withoutARegisterOnlyThePlannedLoanIsProjected()
    {
        EvolutionDialog dialog;
        borrowing::ProjectionFigures f = figures();
        f.loans.clear();
        dialog.showProjection(borrowing::projectDebt(f));
        QCOMPARE(dialog.findChild<QLabel*>(u"SinRegistro"_s)->text(),
                 u"Registre los préstamos vigentes para proyectar su evolución."_s);
        QCOMPARE(dialog.findChild<QTableWidget*>(u"TablaEvolucion"_s)->item(0, 1)->text(),
                 u"0,00"_s);
    }

    void theExportIsASpreadsheetInSpanish()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"evolucion.csv"_s);
        EvolutionDialog dialog;
        dialog.showProjection(borrowing::projectDebt(figures()));
        dialog.setCsvChooser([&] { return path; });
        dialog.exportCsv();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 12); // a heading, ten years and the last line's end
        QCOMPARE(lines[0], "\xEF\xBB\xBF" + u"Año;Anualidad préstamos vigentes;Anualidad nueva "
                                            u"operación;Capital vivo a 31/12;Ingresos "
                                            u"corrientes;Endeudamiento (%);Carga financiera "
                                            u"(%)\r"_s.toUtf8());
        QCOMPARE(lines[1], QByteArray("1;38965,08;17398,80;338526,46;500000,00;67,71;11,27\r"));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    EvolutionDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EvolutionDialogTest.moc"
