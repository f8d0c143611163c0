// "Importar liquidación…": a settlement read from CSV files or, through mdb-export, an Access
// database, its entity chosen, and the case changed once; what is refused changes nothing, and
// a slow reading can be cancelled while the window goes on.
#include "SettlementImport.h"

#include "AmountEdit.h"
#include "CaseModel.h"
#include "Command.h"
#include "MainWindow.h"
#include "SampleSettlement.h"
#include "SettlementDialog.h"
#include "TestSeparators.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cerrno>
#include <iterator>
#include <memory>

#include <signal.h>

using namespace app;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

// The fields a settlement fills, by chapter: none where the case has no figure for it.
constexpr const char* RevenueFields[] = {"ICAP1", "ICAP2", "ICAP3", "ICAP4",
                                         "ICAP5", "ICAP6", "ICAP7"};
constexpr const char* ExpenditureFields[] = {"GCAP1", "GCAP2", "GCAP3", "GCAP4",
                                             nullptr, "GCAP6", "GCAP7"};

using Chapters = std::array<long double, 9>;
// Files of the folder the import is chosen in, by name.
using Files = QList<std::pair<QString, QByteArray>>;
constexpr Chapters OtherRevenue{OtherRevenueI};
constexpr Chapters OtherExpenditure{OtherExpenditureI};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class SettlementImportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
    QByteArray m_path;
    QStringList m_errors;
    command::ErrorPresenter m_presenter;
    // Waits for the import dialog, without blocking the loop that shows it.
    QTimer m_dialogWatch;

    QString inFolder(const QString& name) const { return m_folder->filePath(name); }
    // The files of the folder, and mdb-export's stand-in in it put first on the PATH.
    void writeFiles(const Files& files)
    {
        for (const auto& [name, bytes] : files)
            writeFile(inFolder(name), bytes);
    }
    void putStandInFirst(const QString& program)
    {
        QVERIFY(!program.isEmpty());
        qputenv("PATH", QFileInfo(program).absolutePath().toLocal8Bit() + ':' + m_path);
    }
    void choose(const QString& name)
    {
        m_window->settlementImport()->setFileChooser([this, name] { return inFolder(name); });
    }
    // Once the dialog shows, types `typed` into "Buscar:" and clicks `button`.
    void answerDialog(const QString& typed, const QString& button)
    {
        m_dialogWatch.disconnect();
        connect(&m_dialogWatch, &QTimer::timeout, this, [this, typed, button] {
            auto* dialog =
                qobject_cast<editors::SettlementDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_dialogWatch.stop();
            QTest::keyClicks(dialog->findChild<QLineEdit*>(u"Buscar"_s), typed);
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        m_dialogWatch.start(10);
    }
    void importSettlement()
    {
        m_window->findChild<QAction*>(u"mnImportarLiquidacion"_s)->trigger();
    }
    const borrowing::Case& current() const { return m_window->caseModel()->current(); }
    // A case of another entity with figures of its own: chapter IV, which an import replaces,
    // and the existing debt, which no settlement has.
    void startWithFigures()
    {
        borrowing::Case c;
        c.entityName = u"Villa"_s;
        c.entityProvince = u"Zamora"_s;
        c.figures.revenueIV = 99;
        c.figures.existingCapital = 5000;
        m_window->caseModel()->reset(c);
    }
    void verifyUnchanged()
    {
        QCOMPARE(current().entityName, u"Villa"_s);
        QCOMPARE(current().entityProvince, u"Zamora"_s);
        QCOMPARE(current().figures.revenueIV, 99.0L);
        QCOMPARE(current().figures.revenueI, 0.0L);
        QVERIFY(!m_window->caseDocument()->isModified());
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_path = qgetenv("PATH");
    }
    void init()
    {
        useSeparators(Spanish);
        m_folder = std::make_unique<QTemporaryDir>();
        m_errors.clear();
        m_presenter = command::setErrorPresenter(
            [this](const QString&, const QString& message) { m_errors << message; });
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_dialogWatch.stop();
        m_window.reset();
        command::setErrorPresenter(m_presenter);
        qputenv("PATH", m_path);
        m_folder.reset();
        restoreSeparators();
    }

    void fillsTheChosenEntitysSettlementAsOneEdit_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Chapters>("revenue");
        QTest::addColumn<Chapters>("expenditure");
        QTest::addColumn<long double>("collections");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("province");
        QTest::newRow("the Ministry's tables as CSV files")
            << Files{{u"economica.csv"_s, mdbEconomicTable()},
                     {u"tb_inventario.csv"_s, MdbInventoryTable}}
            << u"economica.csv"_s << u"agreda"_s << SampleRevenue << SampleExpenditure
            << SampleCollections << u"Ágreda"_s << u"Soria"_s;
        // The province from the second group of the dashed code "07-42-020-AA-000".
        QTest::newRow("an Access database through mdb-export")
            << Files{{u"tb_economica.csv"_s, mdbEconomicTable()},
                     {u"tb_inventario.csv"_s, MdbInventoryTable},
                     {u"liquidacion.accdb"_s, "Standard ACE DB"}}
            << u"liquidacion.accdb"_s << u"ALMAZ"_s << OtherRevenue << OtherExpenditure
            << OtherCollections << u"Almazán"_s << u"Soria"_s;
        QTest::newRow("without the inventory, by idente")
            << Files{{u"economica.csv"_s, mdbEconomicTable()}} << u"economica.csv"_s << u"100"_s
            << SampleRevenue << SampleExpenditure << SampleCollections << u"Villa"_s << u"Zamora"_s;
        QTest::newRow("a Spanish accounting export")
            << Files{{u"liquidacion.csv"_s, SpanishExport}} << u"liquidacion.csv"_s << QString()
            << SampleRevenue << SampleExpenditure << SampleCollections << u"Villa"_s << u"Zamora"_s;
    }
    void fillsTheChosenEntitysSettlementAsOneEdit()
    {
        QFETCH(const Files, files);
        QFETCH(const QString, chosen);
        QFETCH(const QString, typed);
        QFETCH(const Chapters, revenue);
        QFETCH(const Chapters, expenditure);
        QFETCH(const long double, collections);
        QFETCH(const QString, name);
        QFETCH(const QString, province);
        writeFiles(files);
        putStandInFirst(writeFakeMdbExport(m_folder->path()));
        startWithFigures();
        choose(chosen);
        QSignalSpy edits(m_window->caseModel(), &CaseModel::edited);
        answerDialog(typed, u"BtnAceptar"_s);
        importSettlement();
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(edits.count(), 1);
        QVERIFY(m_window->caseDocument()->isModified());
        const auto shown = [this](const char* field) {
            return m_window->findChild<amount::AmountEdit*>(QString::fromLatin1(field))->value();
        };
        for (std::size_t n = 0; n < std::size(RevenueFields); ++n) {
            QCOMPARE(shown(RevenueFields[n]), revenue[n]);
            if (ExpenditureFields[n])
                QCOMPARE(shown(ExpenditureFields[n]), expenditure[n]);
        }
        QCOMPARE(shown("RECAUDA"), collections);
        QCOMPARE(current().figures.existingCapital, 5000.0L);
        QCOMPARE(current().entityName, name);
        QCOMPARE(current().entityProvince, province);
        const QString log = inFolder(u"log"_s);
        const QByteArray database = inFolder(chosen).toUtf8();
        QFile exported(log);
        QCOMPARE(exported.open(QIODevice::ReadOnly) ? exported.readAll() : QByteArray(),
                 chosen.endsWith(u".accdb")
                     ? database + " tb_economica\n" + database + " tb_inventario\n"
                     : QByteArray());
    }

    void cancelarChangesNothing()
    {
        writeFiles({{u"economica.csv"_s, mdbEconomicTable()},
                    {u"tb_inventario.csv"_s, MdbInventoryTable}});
        startWithFigures();
        choose(u"economica.csv"_s);
        QSignalSpy edits(m_window->caseModel(), &CaseModel::edited);
        answerDialog(u"agreda"_s, u"BtnCancelar"_s);
        importSettlement();
        QCOMPARE(edits.count(), 0);
        verifyUnchanged();
    }

    void whatIsRefusedChangesNothing_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("standIn");
        QTest::addColumn<QString>("message");
        QTest::newRow("a column missing")
            << Files{{u"liquidacion.csv"_s, "tipo;importe\nI;5\n"}} << u"liquidacion.csv"_s << true
            << u"No se puede importar \"liquidacion.csv\": Línea 1: falta la columna "
               "\"cdcta\" o \"economica\"."_s;
        QTest::newRow("an amount that is no number")
            << Files{{u"liquidacion.csv"_s, "tipo;economica;importe\nI;1;1.234,5\nG;1;mil\n"}}
            << u"liquidacion.csv"_s << true
            << u"No se puede importar \"liquidacion.csv\": Línea 3: \"mil\" no es un número "
               "válido en la columna importe."_s;
        QTest::newRow("no rows")
            << Files{{u"liquidacion.csv"_s, "tipo;economica;importe\n"}} << u"liquidacion.csv"_s
            << true
            << u"No se puede importar \"liquidacion.csv\": no tiene filas de la liquidación."_s;
        QTest::newRow("no file") << Files{} << u"falta.csv"_s << true
                                 << u"No se puede importar \"falta.csv\": el archivo no existe."_s;
        QTest::newRow("an inventory beside without names")
            << Files{{u"economica.csv"_s, mdbEconomicTable()},
                     {u"tb_inventario.csv"_s, "idente,poblacion\n100,5\n"}}
            << u"economica.csv"_s << true
            << u"No se puede importar \"tb_inventario.csv\": Línea 1: falta la columna "
               "\"nombreente\"."_s;
        QTest::newRow("a database without the economic table")
            << Files{{u"liquidacion.mdb"_s, "Standard Jet DB"}} << u"liquidacion.mdb"_s << true
            << u"No se puede importar \"liquidacion.mdb\": mdb-export no ha podido leer la "
               "tabla \"tb_economica\"."_s;
        QTest::newRow("a database without mdbtools")
            << Files{{u"tb_economica.csv"_s, mdbEconomicTable()},
                     {u"LIQUIDACION.ACCDB"_s, "Standard ACE DB"}}
            << u"LIQUIDACION.ACCDB"_s << false
            << u"Para leer archivos de Access instale mdbtools."_s;
    }
    void whatIsRefusedChangesNothing()
    {
        QFETCH(const Files, files);
        QFETCH(const QString, chosen);
        QFETCH(const bool, standIn);
        QFETCH(const QString, message);
        writeFiles(files);
        const QString standInFolder = m_folder->filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(standInFolder));
        if (standIn)
            putStandInFirst(writeFakeMdbExport(standInFolder));
        else
            qputenv("PATH", standInFolder.toLocal8Bit());
        startWithFigures();
        choose(chosen);
        QSignalSpy edits(m_window->caseModel(), &CaseModel::edited);
        answerDialog(QString(), u"BtnAceptar"_s);
        importSettlement();
        QCOMPARE(m_errors, QStringList{message});
        QVERIFY(m_dialogWatch.isActive());
        QCOMPARE(edits.count(), 0);
        verifyUnchanged();
    }

    void aSlowReadingCanBeCancelledWhileTheWindowGoesOn()
    {
        // An mdb-export that takes its time, as one reading every council's table does.
        const QString program = inFolder(u"mdb-export"_s);
        const QString pidFile = inFolder(u"pid"_s);
        writeFile(program, "#!/bin/sh\necho $$ > '" + pidFile.toUtf8() + "'\nexec sleep 30\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(inFolder(u"lenta.accdb"_s), "Standard ACE DB");
        putStandInFirst(program);
        startWithFigures();
        choose(u"lenta.accdb"_s);
        QSignalSpy edits(m_window->caseModel(), &CaseModel::edited);
        QString label;
        QTimer::singleShot(0, this, [&] {
            QProgressDialog* progress = nullptr;
            QTRY_VERIFY((progress = m_window->findChild<QProgressDialog*>()) &&
                        progress->isVisible());
            QCOMPARE(progress->windowTitle(), u"Importar liquidación"_s);
            label = progress->labelText();
            // The window is painted meanwhile.
            m_window->update();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        importSettlement();
        // Cancelling ended the reader rather than waiting for it.
        QFile pid(pidFile);
        QVERIFY(pid.open(QIODevice::ReadOnly));
        QCOMPARE(::kill(static_cast<pid_t>(pid.readAll().trimmed().toLongLong()), 0), -1);
        QCOMPARE(errno, ESRCH);
        QCOMPARE(label, u"Importando \"lenta.accdb\"…"_s);
        QCOMPARE(m_errors, QStringList());
        QCOMPARE(edits.count(), 0);
        verifyUnchanged();
    }

    void theCommandIsInTheFileMenu()
    {
        auto* action = m_window->findChild<QAction*>(u"mnImportarLiquidacion"_s);
        QVERIFY(action);
        QCOMPARE(action->text().remove(u'&'), u"Importar liquidación…"_s);
        QVERIFY(m_window->findChild<QMenu*>(u"Archivo1"_s)->actions().contains(action));
    }
};

QTEST_MAIN(SettlementImportTest)
#include "SettlementImportTest.moc"
