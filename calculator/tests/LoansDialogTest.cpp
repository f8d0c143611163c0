// The register dialog: typing loans by keyboard, removing, importing, accepting and cancelling.
#include "LoansDialog.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LoansModel.h"
#include "TestSeparators.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace calculator;
using namespace Qt::StringLiterals;

class LoansDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LoansDialog> m_dialog;

    QTableView* table() const { return m_dialog->findChild<QTableView*>(u"TablaPrestamos"_s); }
    QPushButton* button(const QString& name) const
    {
        return m_dialog->findChild<QPushButton*>(name);
    }
    QString cell(int row, int column) const
    {
        return table()->model()->index(row, column).data().toString();
    }
    // Types a loan into the row just added, one Tab after each cell.
    void typeLoan(const QString& bank, const QString& capital, const QString& rate,
                  const QString& years)
    {
        for (const QString& text : {bank, capital, rate, years}) {
            QWidget* editor = QApplication::focusWidget();
            QVERIFY(editor);
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Tab);
        }
    }

private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_dialog = std::make_unique<LoansDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    void cleanup()
    {
        m_dialog.reset();
        testsupport::restoreSeparators();
    }

    void loansAreTypedByKeyboardAndAddUp()
    {
        QCOMPARE(m_dialog->windowTitle(), u"Préstamos vigentes"_s);
        button(u"BtnAnadir"_s)->click();
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        typeLoan(u"Banco A"_s, u"100000"_s, u"5"_s, u"10"_s);
        // Past the last cell of the last row the focus leaves the table for the buttons.
        QCOMPARE(QApplication::focusWidget(), button(u"BtnAnadir"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        typeLoan(u"Caja B"_s, u"12000"_s, u"0"_s, u"4"_s);
        QCOMPARE(cell(0, LoansModel::Capital), u"100.000,00"_s);
        QCOMPARE(cell(0, LoansModel::Annuity), u"12.727,92"_s);
        QCOMPARE(cell(1, LoansModel::Annuity), u"3.000,00"_s);
        QCOMPARE(cell(2, LoansModel::Bank), u"Total"_s);
        QCOMPARE(cell(2, LoansModel::Capital), u"112.000,00"_s);
        QCOMPARE(cell(2, LoansModel::Annuity), u"15.727,92"_s);

        // Tab from the last cell of a row goes on to the next row's first cell.
        table()->setFocus();
        table()->setCurrentIndex(table()->model()->index(0, LoansModel::Years));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(table()->currentIndex(), table()->model()->index(1, LoansModel::Bank));

        button(u"BtnAceptar"_s)->click();
        QCOMPARE(m_dialog->loans().size(), 2u);
        QCOMPARE(borrowing::registerTotals(m_dialog->loans()).annuity, 15727.92L);
    }

    void cancellingUndoesEverythingSinceOpening()
    {
        m_dialog->setLoans({{u"A"_s, 1000, 1, 1}, {u"B"_s, 2000, 2, 2}});
        m_dialog->hide();
        m_dialog->show();
        table()->selectRow(0);
        button(u"BtnQuitar"_s)->click();
        QCOMPARE(cell(0, LoansModel::Bank), u"B"_s);
        button(u"BtnCancelar"_s)->click();
        QCOMPARE(m_dialog->loans().size(), 2u);
        m_dialog->show();
        QCOMPARE(cell(0, LoansModel::Bank), u"A"_s);
        table()->selectRow(0);
        button(u"BtnQuitar"_s)->click();
        button(u"BtnAceptar"_s)->click();
        QCOMPARE(m_dialog->loans(), (std::vector<borrowing::Loan>{{u"B"_s, 2000, 2, 2}}));
    }

    void importAppendsTheFilesLoans()
    {
        QTemporaryDir folder;
        const QString csv = folder.filePath(u"prestamos.csv"_s);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("entidad;capital;interes;anios\nCaja;1.234,56;0;2\n");
        file.close();
        m_dialog->setLoans({{u"A"_s, 1000, 1, 1}});
        m_dialog->hide();
        m_dialog->show();
        m_dialog->setCsvChooser([&] { return csv; });
        button(u"BtnImportar"_s)->click();
        QCOMPARE(cell(1, LoansModel::Bank), u"Caja"_s);
        QCOMPARE(cell(1, LoansModel::Annuity), u"617,28"_s);
        m_dialog->setCsvChooser([] { return QString(); });
        button(u"BtnImportar"_s)->click();
        QCOMPARE(table()->model()->rowCount(), 3);
    }

    void impossibleLoansAreRefusedWhereTheyEnter()
    {
        QStringList errors;
        const auto previous = command::setErrorPresenter(
            [&](const QString&, const QString& message) { errors << message; });
        QTemporaryDir folder;
        const QString csv = folder.filePath(u"prestamos.csv"_s);
        m_dialog->setCsvChooser([&] { return csv; });
        const auto import = [&](const QByteArray& bytes, qint64 size) {
            QFile file(csv);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                    file.resize(std::max<qint64>(size, bytes.size())));
            file.close();
            button(u"BtnImportar"_s)->click();
        };

        button(u"BtnAnadir"_s)->click();
        typeLoan(u"A"_s, u"1000"_s, u"5"_s, u"1000000"_s);
        import("entidad;capital;interes;anios\nB;1000;250;10\n", 0);
        import("entidad;capital;interes;anios\n", (qint64{200} << 20) + 1);
        // The totals stand in the existing debt's fields, which hold 13 integer digits.
        import("entidad;capital;interes;anios\nC;9.999.999.999.999,99;0;10\n", 0);
        button(u"BtnAnadir"_s)->click();
        typeLoan(u"D"_s, u"9999999999999,99"_s, u"0"_s, u"10"_s);
        button(u"BtnAceptar"_s)->click();
        QCOMPARE(
            errors,
            (QStringList{
                u"Préstamo 1, \"Años pendientes\": debe ser mayor que 0 y no mayor que 100."_s,
                u"No se puede importar \"prestamos.csv\": Línea 2: en la columna interes, 250 "
                u"debe estar entre 0 y 100."_s,
                u"No se puede importar \"prestamos.csv\": el archivo es demasiado grande (201 "
                u"MB)."_s,
                u"No se puede importar \"prestamos.csv\": El total del registro pasaría de 13 "
                u"cifras enteras."_s,
                u"El total del registro pasaría de 13 cifras enteras."_s,
                // The row kept its empty term, and the register cannot be accepted so.
                u"Préstamo 1, \"Años pendientes\": debe ser mayor que 0 y no mayor que 100."_s}));
        QCOMPARE(cell(0, LoansModel::Years), u"0"_s);
        QCOMPARE(cell(1, LoansModel::Capital), u"0,00"_s);
        QCOMPARE(table()->model()->rowCount(), 3);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_dialog->loans().empty());
        command::setErrorPresenter(previous);
    }
};

QTEST_MAIN(LoansDialogTest)
#include "LoansDialogTest.moc"
