// The dependent entities' dialog: typing entities of each kind by keyboard, refusing what no
// entity can have, renaming and removing with their loans, the group's table, cancelling.
#include "EntitiesDialog.h"

#include "Command.h"
#include "EntitiesModel.h"
#include "TestSeparators.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace editors;
using namespace Qt::StringLiterals;
using borrowing::DependentEntity;
using borrowing::EntityKind;
using borrowing::Loan;

namespace {

const DependentEntity Aguas{u"Aguas"_s, EntityKind::Market, 1000, 0, 50, 100};
const DependentEntity Deportes{u"Deportes"_s, EntityKind::Administrative, 500, 400, 0, 0};
const DependentEntity Parques{u"Parques"_s, EntityKind::Administrative, 300, 200, 0, 0};

Loan loanOf(const QString& holder)
{
    Loan loan{u"Banco"_s, 1000, 1, 1};
    loan.holder = holder;
    return loan;
}

template <typename Item> QStringList textsOf(const std::vector<Item>& items, QString Item::*text)
{
    QStringList texts;
    for (const Item& item : items)
        texts << item.*text;
    return texts;
}
QStringList holders(const std::vector<Loan>& loans)
{
    return textsOf(loans, &Loan::holder);
}
QStringList names(const std::vector<DependentEntity>& entities)
{
    return textsOf(entities, &DependentEntity::name);
}

} // namespace

class EntitiesDialogTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EntitiesDialog> m_dialog;

    QTableView* table() const { return m_dialog->findChild<QTableView*>(u"TablaEntidades"_s); }
    QPushButton* button(const QString& name) const
    {
        return m_dialog->findChild<QPushButton*>(name);
    }
    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int column = 0; column < EntitiesModel::ColumnCount; ++column)
            texts << table()->model()->index(row, column).data().toString();
        return texts;
    }
    // Types into the cells from the current one on, one Tab after each; an empty text clears
    // the cell.
    void typeCells(const QStringList& texts)
    {
        for (const QString& text : texts) {
            QWidget* editor = QApplication::focusWidget();
            QVERIFY(editor);
            if (text.isEmpty())
                QTest::keyClick(editor, Qt::Key_Delete);
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Tab);
        }
    }
    void typeInto(int row, int column, const QString& text)
    {
        table()->setFocus();
        table()->setCurrentIndex(table()->model()->index(row, column));
        typeCells({text});
    }
private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_dialog = std::make_unique<EntitiesDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    void cleanup()
    {
        m_dialog.reset();
        testsupport::restoreSeparators();
    }

    void eachKindIsTypedByKeyboard_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<DependentEntity>("entity");
        // The kind by its first letter, which picks it from the list; then only the figure the
        // kind counts takes the typing.
        QTest::newRow("limiting budget")
            << QStringList{u"Patronato de Deportes"_s, u"P"_s, u"50000"_s, u"40000"_s, u"10000"_s}
            << QStringList{u"Patronato de Deportes"_s,
                           u"Presupuesto limitativo"_s,
                           u"50.000,00"_s,
                           u"40.000,00"_s,
                           QString(),
                           u"10.000,00"_s}
            << DependentEntity{
                   u"Patronato de Deportes"_s, EntityKind::Administrative, 50000, 40000, 0, 10000};
        QTest::newRow("business accounting")
            << QStringList{u"  Aguas Municipales "_s, u"C"_s, u"80000"_s, u"-1500"_s, u"0"_s}
            << QStringList{u"Aguas Municipales"_s, u"Contabilidad empresarial"_s,
                           u"80.000,00"_s,         QString(),
                           u"-1.500,00"_s,         u"0,00"_s}
            << DependentEntity{u"Aguas Municipales"_s, EntityKind::Market, 80000, 0, -1500, 0};
    }
    void eachKindIsTypedByKeyboard()
    {
        QFETCH(const QStringList, typed);
        QFETCH(const QStringList, shown);
        QFETCH(const DependentEntity, entity);
        QCOMPARE(m_dialog->windowTitle(), u"Entidades dependientes"_s);
        std::vector<DependentEntity> signalled;
        connect(m_dialog.get(), &EntitiesDialog::edited, this,
                [&] { signalled = m_dialog->editedEntities(); });
        // A second "Añadir" goes to the entity that still has no name.
        button(u"BtnAnadir"_s)->click();
        button(u"BtnAnadir"_s)->click();
        QCOMPARE(table()->model()->rowCount(), 1);
        typeCells(typed);
        // Past the last cell the focus leaves the table for the buttons.
        QCOMPARE(QApplication::focusWidget(), button(u"BtnAnadir"_s));
        QCOMPARE(rowTexts(0), shown);
        QCOMPARE(signalled, std::vector<DependentEntity>{entity});
        button(u"BtnAceptar"_s)->click();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->entities(), std::vector<DependentEntity>{entity});
    }

    void whatNoEntityCanHaveIsRefusedWhereItEnters_data()
    {
        QTest::addColumn<std::vector<DependentEntity>>("before");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const std::vector<DependentEntity> group{Aguas, Deportes};
        const QString aboveRevenue = u"La entidad dependiente \"Aguas\": las transferencias "
                                     u"internas pasan de sus ingresos."_s;
        QTest::newRow("no name") << group << 1 << int(EntitiesModel::Name) << QString()
                                 << u"La entidad dependiente 2 no tiene nombre."_s;
        QTest::newRow("a repeated name") << group << 1 << int(EntitiesModel::Name) << u" Aguas"_s
                                         << u"La entidad dependiente \"Aguas\" está repetida."_s;
        QTest::newRow("transfers above the revenue")
            << group << 0 << int(EntitiesModel::Transfers) << u"1000,01"_s << aboveRevenue;
        QTest::newRow("revenue below the transfers")
            << group << 0 << int(EntitiesModel::Revenue) << u"99,99"_s << aboveRevenue;
        QTest::newRow("negative transfers")
            << group << 1 << int(EntitiesModel::Transfers) << u"-1"_s
            << u"La entidad dependiente \"Deportes\": las transferencias internas no pueden ser "
               u"negativas."_s;
        QTest::newRow("a body's negative spending")
            << group << 1 << int(EntitiesModel::Expenditure) << u"-1"_s
            << u"La entidad dependiente \"Deportes\": los gastos corrientes no pueden ser "
               u"negativos."_s;
        QTest::newRow("the same name in capitals")
            << group << 1 << int(EntitiesModel::Name) << u"AGUAS"_s
            << u"La entidad dependiente \"AGUAS\" está repetida."_s;
        QTest::newRow("a result past 13 digits")
            << group << 0 << int(EntitiesModel::Result) << u"10000000000000"_s
            << u"La entidad dependiente \"Aguas\": el resultado pasa de 13 cifras enteras."_s;
        // An entity still without a name does not stop the others' editing; "Aceptar" refuses it.
        QTest::newRow("another entity without a name")
            << std::vector<DependentEntity>{Aguas, {}} << 0 << int(EntitiesModel::Revenue)
            << u"2000"_s << QString();
        QTest::newRow("accepting an entity without a name")
            << std::vector<DependentEntity>{Aguas, {}} << -1 << -1 << QString()
            << u"La entidad dependiente 2 no tiene nombre."_s;
        DependentEntity wrong = Aguas;
        wrong.transfers = 1001;
        QTest::newRow("accepting what came from elsewhere")
            << std::vector<DependentEntity>{wrong} << -1 << -1 << QString() << aboveRevenue;
    }
    void whatNoEntityCanHaveIsRefusedWhereItEnters()
    {
        QFETCH(const std::vector<DependentEntity>, before);
        QFETCH(const int, row);
        QFETCH(const int, column);
        QFETCH(const QString, typed);
        QFETCH(const QString, message);
        QStringList errors;
        const auto previous = command::setErrorPresenter(
            [&](const QString&, const QString& error) { errors << error; });
        m_dialog->setCase(before, {});
        if (row >= 0) {
            typeInto(row, column, typed);
        } else {
            button(u"BtnAceptar"_s)->click();
            QVERIFY(m_dialog->isVisible());
        }
        command::setErrorPresenter(previous);
        QCOMPARE(errors, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_dialog->editedEntities() == before, !message.isEmpty());
    }

    void renamingAnEntityRenamesItsLoans()
    {
        m_dialog->setCase({Aguas, Deportes},
                          {loanOf({}), loanOf(u"Aguas"_s), loanOf(u"Deportes"_s)});
        typeInto(0, EntitiesModel::Name, u"Aguas del Sur"_s);
        // Naming a new entity takes none of the entity's own loans, which have no holder.
        button(u"BtnAnadir"_s)->click();
        typeCells({u"Parques"_s});
        QCOMPARE(holders(m_dialog->editedLoans()),
                 (QStringList{QString(), u"Aguas del Sur"_s, u"Deportes"_s}));
        button(u"BtnAceptar"_s)->click();
        QCOMPARE(names(m_dialog->entities()),
                 (QStringList{u"Aguas del Sur"_s, u"Deportes"_s, u"Parques"_s}));
        QCOMPARE(holders(m_dialog->loans()),
                 (QStringList{QString(), u"Aguas del Sur"_s, u"Deportes"_s}));
    }

    void removingAnEntityWithLoansAsksFirst_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("entitiesLeft");
        QTest::addColumn<QStringList>("holdersLeft");
        const QString aguas = u"Aguas"_s;
        const QString deportes = u"Deportes"_s;
        const QString parques = u"Parques"_s;
        QTest::newRow("removed with its loans")
            << 0 << true
            << QStringList{u"La entidad Aguas tiene 2 préstamos. ¿Eliminarla junto con sus "
                           u"préstamos?"_s}
            << QStringList{deportes, parques} << QStringList{QString(), deportes};
        QTest::newRow("kept with its loan")
            << 1 << false
            << QStringList{u"La entidad Deportes tiene 1 préstamo. ¿Eliminarla junto con su "
                           u"préstamo?"_s}
            << QStringList{aguas, deportes, parques}
            << QStringList{QString(), aguas, deportes, aguas};
        QTest::newRow("without loans, no question")
            << 2 << false << QStringList() << QStringList{aguas, deportes}
            << QStringList{QString(), aguas, deportes, aguas};
    }
    void removingAnEntityWithLoansAsksFirst()
    {
        QFETCH(const int, row);
        QFETCH(const bool, answer);
        QFETCH(const QStringList, questions);
        QFETCH(const QStringList, entitiesLeft);
        QFETCH(const QStringList, holdersLeft);
        m_dialog->setCase({Aguas, Deportes, Parques}, {loanOf({}), loanOf(u"Aguas"_s),
                                                       loanOf(u"Deportes"_s), loanOf(u"Aguas"_s)});
        QStringList asked;
        m_dialog->setRemovalQuestion([&](const QString& question) {
            asked << question;
            return answer;
        });
        table()->selectRow(row);
        button(u"BtnQuitar"_s)->click();
        QCOMPARE(asked, questions);
        button(u"BtnAceptar"_s)->click();
        QCOMPARE(names(m_dialog->entities()), entitiesLeft);
        QCOMPARE(holders(m_dialog->loans()), holdersLeft);
    }

    void cancellingUndoesEverythingSinceOpening()
    {
        const std::vector<Loan> loans{loanOf(u"Aguas"_s)};
        m_dialog->setCase({Aguas, Deportes}, loans);
        m_dialog->setRemovalQuestion([](const QString&) { return true; });
        typeInto(1, EntitiesModel::Name, u"Piscinas"_s);
        table()->selectRow(0);
        button(u"BtnQuitar"_s)->click();
        QCOMPARE(names(m_dialog->editedEntities()), QStringList{u"Piscinas"_s});
        button(u"BtnCancelar"_s)->click();
        QCOMPARE(m_dialog->entities(), (std::vector<DependentEntity>{Aguas, Deportes}));
        QCOMPARE(m_dialog->loans(), loans);
        m_dialog->show();
        QCOMPARE(names(m_dialog->editedEntities()), (QStringList{u"Aguas"_s, u"Deportes"_s}));
        QCOMPARE(m_dialog->editedLoans(), loans);
    }

    void theGroupTableShowsWhatItIsGiven()
    {
        auto* group = m_dialog->findChild<QTableWidget*>(u"TablaGrupo"_s);
        QStringList headings;
        for (int column = 0; column < group->columnCount(); ++column)
            headings << group->horizontalHeaderItem(column)->text();
        QCOMPARE(headings,
                 (QStringList{u"Entidad"_s, u"Tipo"_s, u"Ingresos corrientes"_s,
                              u"Transferencias internas"_s, u"Gastos corrientes / Resultado"_s,
                              u"Anualidad teórica"_s, u"Ahorro neto"_s, u"Capital vivo"_s}));
        const QStringList entity{u"Villaverde"_s, u"Presupuesto limitativo"_s, u"1,00"_s};
        const QStringList consolidated{u"Consolidado"_s, QString(), u"2,00"_s};
        m_dialog->showGroup({entity, consolidated}, {u"Uno."_s, u"Dos."_s});
        QCOMPARE(group->rowCount(), 2);
        QCOMPARE(group->item(0, 2)->text(), u"1,00"_s);
        QCOMPARE(group->item(1, 0)->text(), u"Consolidado"_s);
        // The consolidated row, the last, in bold; none can be edited.
        QVERIFY(!group->item(0, 0)->font().bold());
        QVERIFY(group->item(1, 2)->font().bold());
        QVERIFY(!(group->item(0, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(m_dialog->findChild<QLabel*>(u"AvisosGrupo"_s)->text(), u"Uno.\nDos."_s);
    }
};

QTEST_MAIN(EntitiesDialogTest)
#include "EntitiesDialogTest.moc"
