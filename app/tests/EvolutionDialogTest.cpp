// The debt year by year in its dialog: the table and the sentence follow the growth typed, the
// register's absence is explained, and the table exports as a spreadsheet reads it.
#include "EvolutionDialog.h"

#include "AmountEdit.h"
#include "Application.h"
#include "TestSeparators.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

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

private slots:
    void init() { testsupport::useSeparators(testsupport::Spanish); }
    void cleanup() { testsupport::restoreSeparators(); }

    void theTableFollowsTheGrowthTyped()
    {
        EvolutionDialog dialog;
        QCOMPARE(dialog.windowTitle(), u"Evolución de la deuda"_s);
        dialog.showProjection(figures());
        auto* table = dialog.findChild<QTableWidget*>(u"TablaEvolucion"_s);
        QCOMPARE(table->rowCount(), 10);
        QCOMPARE(table->horizontalHeaderItem(3)->text(), u"Capital vivo a 31/12"_s);
        const auto cells = [&](int row) {
            QStringList texts;
            for (int column = 0; column < table->columnCount(); ++column)
                texts << table->item(row, column)->text();
            return texts;
        };
        QCOMPARE(cells(0), (QStringList{u"1"_s, u"38.965,08"_s, u"17.398,80"_s, u"338.526,46"_s,
                                        u"500.000,00"_s, u"67,71"_s, u"11,27"_s}));
        QCOMPARE(dialog.findChild<QLabel*>(u"FraseEvolucion"_s)->text(),
                 u"El endeudamiento baja del 75 % en el año 1."_s);
        QVERIFY(dialog.findChild<QLabel*>(u"SinRegistro"_s)->text().isEmpty());

        QSignalSpy changed(&dialog, &EvolutionDialog::growthChanged);
        auto* growth = dialog.findChild<amount::AmountEdit*>(u"CRECIMIENTO"_s);
        growth->setText(u"3"_s);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(cells(9)[4], u"671.958,19"_s);
        dialog.setGrowth(0);
        QCOMPARE(changed.count(), 1); // set by the program, not typed
    }

    void withoutARegisterOnlyThePlannedLoanIsProjected()
    {
        EvolutionDialog dialog;
        borrowing::ProjectionFigures f = figures();
        f.loans.clear();
        dialog.showProjection(f);
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
        dialog.showProjection(figures());
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
