// The register dialog: typing loans of each kind by keyboard, choosing their holders, removing,
// importing, accepting and cancelling.
#include "LoansDialog.h"

#include "AmountEdit.h"
#include "Command.h"
#include "LoansModel.h"
#include "TestSeparators.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace editors;
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
    // The texts of the row's columns in sight.
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 0; column < LoansModel::ColumnCount; ++column) {
            if (!table()->isColumnHidden(column))
                texts << cell(row, column);
        }
        return texts;
    }
    QLabel* kindTotals() const { return m_dialog->findChild<QLabel*>(u"TotalesPorTipo"_s); }
    // Types into the cells from the current one on, one Tab after each (a kind by its first
    // letters, which pick it from the list).
    void typeCells(const QStringList& texts)
    {
        for (const QString& text : texts) {
            QWidget* editor = QApplication::focusWidget();
            QVERIFY(editor);
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Tab);
        }
    }
    // Types an own loan into the row just added, passing over its kind and mortgage.
    void typeLoan(const QString& bank, const QString& capital, const QString& rate,
                  const QString& years)
    {
        typeCells({bank, capital, rate, years, QString(), QString()});
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
        QCOMPARE(cell(2, LoansModel::Bank), u"Suma del registro"_s);
        QCOMPARE(cell(2, LoansModel::Capital), u"112.000,00"_s);
        QCOMPARE(cell(2, LoansModel::Annuity), u"15.727,92"_s);

        // Tab from the last cell of a row goes on to the next row's first cell.
        table()->setFocus();
        table()->setCurrentIndex(table()->model()->index(0, LoansModel::Mortgage));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(table()->currentIndex(), table()->model()->index(1, LoansModel::Bank));

        button(u"BtnAceptar"_s)->click();
        QCOMPARE(m_dialog->loans().size(), 2u);
        QCOMPARE(borrowing::registerTotals(m_dialog->loans()).annuity, 15727.92L);
    }

    void eachKindIsTypedWithTheListOfKinds_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("totals");
        // After the kind only the cells a loan of that kind can have take the typing.
        QTest::newRow("own") << QStringList{u"A"_s, u"12000"_s, u"0"_s, u"4"_s, u"P"_s, u"4000"_s}
                             << QStringList{u"A"_s,        u"12.000,00"_s, u"0,00"_s,
                                            u"4"_s,        u"Propio"_s,    QString(),
                                            u"4.000,00"_s, u"2.000,00"_s}
                             << u"Propios: capital 12.000,00, anualidad 2.000,00."_s;
        QTest::newRow("guaranteed")
            << QStringList{u"B"_s, u"24000"_s, u"0"_s, u"4"_s, u"Avalado"_s, u"50"_s, u"4000"_s}
            << QStringList{u"B"_s,       u"24.000,00"_s, u"0,00"_s,     u"4"_s,
                           u"Avalado"_s, u"50,00"_s,     u"4.000,00"_s, u"2.500,00"_s}
            << u"Avalados: riesgo 12.000,00, anualidad 2.500,00."_s;
        QTest::newRow("short term")
            << QStringList{u"C"_s, u"5000"_s, u"1"_s, u"1"_s, u"Corto"_s}
            << QStringList{u"C"_s,           u"5.000,00"_s, u"1,00"_s, u"1"_s,
                           u"Corto plazo"_s, QString(),     QString(), u"0,00"_s}
            << u"Corto plazo: capital 5.000,00."_s;
    }
    void eachKindIsTypedWithTheListOfKinds()
    {
        QFETCH(const QStringList, typed);
        QFETCH(const QStringList, shown);
        QFETCH(const QString, totals);
        // Without dependent entities the holder's column is hidden and takes no typing.
        const int kindCell = LoansModel::Kind - 1;
        button(u"BtnAnadir"_s)->click();
        typeCells(typed.first(kindCell));
        QVERIFY(qobject_cast<QComboBox*>(QApplication::focusWidget()));
        // Enter leaves the list as Tab does.
        QTest::keyClicks(QApplication::focusWidget(), typed.at(kindCell));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        typeCells(typed.mid(kindCell + 1));
        QCOMPARE(QApplication::focusWidget(), button(u"BtnAnadir"_s));
        QCOMPARE(rowTexts(0), shown);
        QCOMPARE(kindTotals()->text(), totals);
    }

    void theHolderIsChosenFromTheGroup_data()
    {
        QTest::addColumn<QString>("entityName");
        QTest::addColumn<QStringList>("dependents");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("holder");
        const QStringList group{u"Aguas"_s, u"Deportes"_s};
        // The entity's own loans show its name, or "Entidad local" while it has none.
        QTest::newRow("a dependent entity's")
            << u"Villaverde"_s << group << u"D"_s
            << QStringList{u"Villaverde"_s, u"Deportes"_s, u"Villaverde"_s} << u"Deportes"_s;
        QTest::newRow("back to the entity's own")
            << QString() << group << u"E"_s << QStringList(3, u"Entidad local"_s) << QString();
        QTest::newRow("no dependent entities")
            << u"Villaverde"_s << QStringList() << QString() << QStringList() << u"Aguas"_s;
    }
    void theHolderIsChosenFromTheGroup()
    {
        QFETCH(const QString, entityName);
        QFETCH(const QStringList, dependents);
        QFETCH(const QString, typed);
        QFETCH(const QStringList, shown);
        QFETCH(const QString, holder);
        m_dialog->setHolders(entityName, dependents);
        borrowing::Loan own{u"A"_s, 1000, 1, 1};
        borrowing::Loan aguas = own;
        aguas.holder = u"Aguas"_s;
        m_dialog->setLoans({own, aguas, own});
        QCOMPARE(table()->isColumnHidden(LoansModel::Holder), dependents.isEmpty());
        // Tab from the bank goes to the holder only while there are holders to choose from.
        table()->setFocus();
        table()->setCurrentIndex(table()->model()->index(1, LoansModel::Bank));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (dependents.isEmpty()) {
            QCOMPARE(table()->currentIndex().column(), int(LoansModel::Capital));
        } else {
            QVERIFY(qobject_cast<QComboBox*>(QApplication::focusWidget()));
            QCOMPARE(qobject_cast<QComboBox*>(QApplication::focusWidget())->currentText(),
                     u"Aguas"_s);
            typeCells({typed});
            QCOMPARE((QStringList{cell(0, LoansModel::Holder), cell(1, LoansModel::Holder),
                                  cell(2, LoansModel::Holder)}),
                     shown);
        }
        button(u"BtnAceptar"_s)->click();
        QCOMPARE(m_dialog->loans().at(1).holder, holder);
    }

    void theLineUnderTheTableTotalsEachKind()
    {
        using borrowing::LoanKind;
        QCOMPARE(kindTotals()->text(), QString());
        m_dialog->setLoans({{u"A"_s, 12000, 0, 4},
                            {u"B"_s, 24000, 0, 4, LoanKind::Guaranteed, 50, 4000},
                            {u"C"_s, 5000, 1, 1, LoanKind::ShortTerm}});
        QCOMPARE(kindTotals()->text(),
                 u"Propios: capital 12.000,00, anualidad 3.000,00. Avalados: riesgo 12.000,00, "
                 u"anualidad 2.500,00. Corto plazo: capital 5.000,00."_s);
        table()->selectRow(0);
        button(u"BtnQuitar"_s)->click();
        QCOMPARE(kindTotals()->text(), u"Avalados: riesgo 12.000,00, anualidad 2.500,00. Corto "
                                       u"plazo: capital 5.000,00."_s);

        // A dependent entity's loans count apart: not in the entity's own figures.
        m_dialog->setHolders(u"Villa"_s, {u"Aguas"_s, u"Parques"_s});
        m_dialog->setLoans({{u"A"_s, 12000, 0, 4},
                            {u"D"_s, 40000, 0, 4, LoanKind::Guaranteed, 50, 0, u"Aguas"_s},
                            {u"E"_s, 8000, 0, 2, LoanKind::Own, 100, 0, u"Aguas"_s}});
        m_dialog->hide();
        m_dialog->show();
        QCOMPARE(kindTotals()->text(), u"Propios: capital 12.000,00, anualidad 3.000,00. Aguas: "
                                       u"deuda 28.000,00, anualidad 9.000,00."_s);
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

    void wrongSharesAndMortgagesAreRefusedWhereTheyEnter_data()
    {
        using borrowing::LoanKind;
        QTest::addColumn<borrowing::Loan>("loan");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString share =
            u"Préstamo 1, \"Aval (%)\": debe ser mayor que 0 y no mayor que 100."_s;
        const QString aboveCapital = u"Préstamo 1, \"Garantía hipotecaria\": la garantía "
                                     u"hipotecaria no puede pasar del capital pendiente."_s;
        const QString shortTerm = u"Préstamo 1, \"Garantía hipotecaria\": una operación a corto "
                                  u"plazo no lleva garantía hipotecaria."_s;
        const borrowing::Loan guaranteed{u"A"_s, 1000, 1, 1, LoanKind::Guaranteed};
        const borrowing::Loan mortgaged{u"A"_s, 1000, 1, 1, LoanKind::Own, 100, 500};
        QTest::newRow("no share") << guaranteed << int(LoansModel::Share) << u"0"_s << share;
        QTest::newRow("share above 100")
            << guaranteed << int(LoansModel::Share) << u"100,01"_s << share;
        QTest::newRow("mortgage above the capital")
            << guaranteed << int(LoansModel::Mortgage) << u"1000,01"_s << aboveCapital;
        QTest::newRow("capital below the mortgage")
            << mortgaged << int(LoansModel::Capital) << u"499,99"_s << aboveCapital;
        QTest::newRow("short term with a mortgage")
            << mortgaged << int(LoansModel::Kind) << u"Corto"_s << shortTerm;
        // "Aceptar" checks every loan again, as one may come in from elsewhere.
        QTest::newRow("accepting")
            << borrowing::Loan{u"A"_s, 1000, 1, 1, LoanKind::ShortTerm, 100, 1} << -1 << QString()
            << shortTerm;
    }
    void wrongSharesAndMortgagesAreRefusedWhereTheyEnter()
    {
        QFETCH(const borrowing::Loan, loan);
        QFETCH(const int, column);
        QFETCH(const QString, typed);
        QFETCH(const QString, message);
        QStringList errors;
        const auto previous = command::setErrorPresenter(
            [&](const QString&, const QString& error) { errors << error; });
        m_dialog->setLoans({loan});
        const QStringList before = rowTexts(0);
        if (column >= 0) {
            table()->setFocus();
            table()->setCurrentIndex(table()->model()->index(0, column));
            typeCells({typed});
        } else {
            button(u"BtnAceptar"_s)->click();
            QVERIFY(m_dialog->isVisible());
        }
        command::setErrorPresenter(previous);
        QCOMPARE(errors, QStringList{message});
        QCOMPARE(rowTexts(0), before);
    }
};

QTEST_MAIN(LoansDialogTest)
#include "LoansDialogTest.moc"
