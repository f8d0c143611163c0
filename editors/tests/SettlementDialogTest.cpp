// The settlement's import dialog: finding the entity as its name is typed, the chapters it
// would fill, what cannot be imported, and a table that names no entity.
#include "SettlementDialog.h"

#include "SampleSettlement.h"
#include "TestSeparators.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace editors;
using namespace testsupport;
using namespace Qt::StringLiterals;

class SettlementDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SettlementDialog> m_dialog;
    std::unique_ptr<imports::SettlementTable> m_table;

    template <typename T> T* child(const QString& name) const
    {
        T* found = m_dialog->findChild<T*>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
    QTableView* entities() const { return child<QTableView>(u"TablaEntidades"_s); }
    QPushButton* acceptButton() const { return child<QPushButton>(u"BtnAceptar"_s); }
    QLabel* refusal() const { return child<QLabel>(u"MotivoNoSeImporta"_s); }

    void show(const QByteArray& economic, const QByteArray& inventory = MdbInventoryTable)
    {
        m_table = std::make_unique<imports::SettlementTable>(economic);
        m_dialog->setTable(*m_table, imports::readInventory(inventory));
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    // Types into "Buscar" key by key; a letter no key gives is inserted as an input method does.
    void search(const QString& text) const
    {
        auto* field = child<QLineEdit>(u"Buscar"_s);
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(field, static_cast<char>(c.unicode()));
            else
                field->insert(c);
        }
    }
    // The texts of a column of the entities listed.
    QStringList listed(int column) const
    {
        QStringList texts;
        const QAbstractItemModel* model = entities()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }
    // The chapters shown: rights and obligations of chapters I to IX, then the collections.
    QStringList chapters() const
    {
        QStringList texts;
        const auto* table = child<QTableWidget>(u"TablaCapitulos"_s);
        for (int column = 0; column < 2; ++column) {
            for (int row = 0; row < table->rowCount(); ++row)
                texts << table->item(row, column)->text();
        }
        return texts << child<QLineEdit>(u"RecaudacionImportada"_s)->text();
    }

private slots:
    void init()
    {
        useSeparators(Spanish);
        m_dialog = std::make_unique<SettlementDialog>();
    }
    void cleanup()
    {
        m_dialog.reset();
        m_table.reset();
        restoreSeparators();
    }

    void searchIgnoresCaseAndAccentsAndChoosesTheFirstMatch_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("chosen");
        // Ólvega is in the inventory but has no rows; both entities are sorted by name.
        QTest::newRow("nothing typed")
            << QString() << QStringList{u"Ágreda"_s, u"Almazán"_s} << u"100"_s;
        QTest::newRow("capitals, no accent")
            << u"ALMAZAN"_s << QStringList{u"Almazán"_s} << u"200"_s;
        QTest::newRow("accented, spaces before")
            << u"  ágr"_s << QStringList{u"Ágreda"_s} << u"100"_s;
        QTest::newRow("inside the name") << u"zá"_s << QStringList{u"Almazán"_s} << u"200"_s;
        QTest::newRow("by the code") << u"42-009"_s << QStringList{u"Ágreda"_s} << u"100"_s;
        QTest::newRow("no entity") << u"Ólvega"_s << QStringList{} << QString();
    }
    void searchIgnoresCaseAndAccentsAndChoosesTheFirstMatch()
    {
        QFETCH(const QString, typed);
        QFETCH(const QStringList, names);
        QFETCH(const QString, chosen);
        show(mdbEconomicTable());
        QCOMPARE(m_dialog->windowTitle(), u"Importar liquidación"_s);
        search(typed);
        QCOMPARE(listed(0), names);
        QCOMPARE(m_dialog->chosenEntity().value_or(imports::InventoryEntity{}).id, chosen);
        const QModelIndex current = entities()->currentIndex();
        QCOMPARE(current.isValid(), !chosen.isEmpty());
        QVERIFY(!current.isValid() || entities()->selectionModel()->isRowSelected(current.row()));
        QCOMPARE(acceptButton()->isEnabled(), !chosen.isEmpty());
        QCOMPARE(m_dialog->settlement().has_value(), !chosen.isEmpty());
    }

    void showsTheChaptersOfTheEntityChosen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Ágreda, every level")
            << u"agreda"_s
            << QStringList{u"1.000,00"_s, u"250,50"_s, u"333,33"_s,   u"5.000,00"_s,  u"12,34"_s,
                           u"700,00"_s,   u"800,80"_s, u"0,00"_s,     u"90.000,00"_s, u"1.200,00"_s,
                           u"300,30"_s,   u"45,67"_s,  u"880,00"_s,   u"55,00"_s,     u"6.000,00"_s,
                           u"77,00"_s,    u"0,00"_s,   u"1.500,00"_s, u"1.365,75"_s};
        // 1234.5 + 10 of chapter 1's articles; collections 1000 + 5.
        QTest::newRow("Almazán, articles below the chapter")
            << u"almazan"_s
            << QStringList{u"1.244,50"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s,    u"0,00"_s,
                           u"0,00"_s,     u"0,00"_s, u"0,00"_s, u"0,00"_s,    u"300,00"_s,
                           u"0,00"_s,     u"0,00"_s, u"0,00"_s, u"0,00"_s,    u"0,00"_s,
                           u"0,00"_s,     u"0,00"_s, u"0,00"_s, u"1.005,00"_s};
    }
    void showsTheChaptersOfTheEntityChosen()
    {
        QFETCH(const QString, typed);
        QFETCH(const QStringList, shown);
        show(mdbEconomicTable());
        search(typed);
        QCOMPARE(chapters(), shown);
        // Chapters V of expenditure, VIII and IX are shown, greyed out, and not imported.
        const auto* table = child<QTableWidget>(u"TablaCapitulos"_s);
        for (int row = 0; row < 9; ++row) {
            QCOMPARE(table->item(row, 0)->flags().testFlag(Qt::ItemIsEnabled), row < 7);
            QCOMPARE(table->item(row, 1)->flags().testFlag(Qt::ItemIsEnabled), row < 7 && row != 4);
        }
        QVERIFY(refusal()->isHidden());
    }

    void anEntityWhoseRowsAreRefusedCannotBeAccepted()
    {
        QByteArray economic = mdbEconomicTable();
        economic.replace("\"12\",10,", "\"12\",diez,");
        show(economic);
        search(u"alm"_s);
        QCOMPARE(refusal()->text(),
                 u"Línea 4: \"diez\" no es un número válido en la columna importer."_s);
        QVERIFY(refusal()->isVisible());
        QVERIFY(!acceptButton()->isEnabled());
        QVERIFY(!m_dialog->settlement());
        QCOMPARE(chapters(), QStringList(19, QString()));
        // Another entity of the same table is imported as it is.
        child<QLineEdit>(u"Buscar"_s)->clear();
        QVERIFY(refusal()->isHidden());
        QVERIFY(acceptButton()->isEnabled());
    }

    void aTableWithoutEntitiesShowsItsChaptersAlone()
    {
        show(SpanishExport);
        for (const char* name : {"LabelBuscar", "Buscar", "LabelEntidades", "TablaEntidades"})
            QVERIFY(child<QWidget>(QString::fromLatin1(name))->isHidden());
        QVERIFY(!m_dialog->chosenEntity());
        QVERIFY(m_dialog->settlement() ==
                (imports::Settlement{SampleRevenue, SampleExpenditure, SampleCollections}));
        QVERIFY(acceptButton()->isEnabled());
    }

    void withoutTheInventoryTheIdentesAreListed()
    {
        show(mdbEconomicTable(), "idente,nombreente\n");
        QCOMPARE(listed(1), (QStringList{u"200"_s, u"100"_s}));
        QVERIFY(entities()->isColumnHidden(0));
        QVERIFY(entities()->isColumnHidden(2));
        QVERIFY(m_dialog->chosenEntity() == imports::InventoryEntity{u"200"_s});
    }

    void enterAcceptsAndCancelarRejects()
    {
        show(mdbEconomicTable());
        QTest::keyClick(child<QLineEdit>(u"Buscar"_s), Qt::Key_Return);
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        m_dialog->show();
        QTest::mouseClick(child<QPushButton>(u"BtnCancelar"_s), Qt::LeftButton);
        QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(SettlementDialogTest)
#include "SettlementDialogTest.moc"
