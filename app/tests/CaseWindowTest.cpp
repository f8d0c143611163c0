// Case files in the main window: save and open, the title, the save question, bad files and
// the recent cases.
#include "AmountEdit.h"
#include "Application.h"
#include "CaseDocument.h"
#include "CaseFile.h"
#include "CaseModel.h"
#include "Command.h"
#include "EntitiesDialog.h"
#include "EntitiesModel.h"
#include "LoanCalculatorDialog.h"
#include "LoansDialog.h"
#include "LoansModel.h"
#include "MainWindow.h"
#include "ScheduleModel.h"
#include "TestSeparators.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace app;
using amount::AmountEdit;
using Answer = CaseDocument::SaveAnswer;

using namespace Qt::StringLiterals;

class CaseWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_folder;
    std::unique_ptr<MainWindow> m_window;
    Answer m_answer = Answer::Cancel;
    QStringList m_questions;
    QString m_savePath;
    QStringList m_errors;
    bool m_overwrite = false;
    QStringList m_overwriteQuestions;

    CaseDocument& document() const { return *m_window->caseDocument(); }
    AmountEdit* field(const QString& name) const { return m_window->findChild<AmountEdit*>(name); }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QByteArray bytesOf(const QString& file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void newWindow()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->setPrompter(
            [](const QString&, const QString&, const QString& proposed) { return proposed; });
        document().setDialogs({[this](const QString& name) {
                                   m_questions << name;
                                   return m_answer;
                               },
                               [this](const QString&) { return m_savePath; },
                               [this](const QString&) { return m_savePath; },
                               [this](const QString& name) {
                                   m_overwriteQuestions << name;
                                   return m_overwrite;
                               }});
    }
    // Figures as a user would leave them: typed inputs, entity data, a limit and an accepted
    // loan.
    void typeACase()
    {
        field(u"ICAP1"_s)->setValue(2345678.9L);
        field(u"GCAP1"_s)->setValue(2100000);
        field(u"CVPEX"_s)->setValue(-12.5L);
        m_window->setPrompter([](const QString&, const QString& prompt, const QString&) {
            return prompt.startsWith(u"Nombre"_s)      ? u"Villa"_s
                   : prompt.startsWith(u"Provincia"_s) ? u"Soria"_s
                                                       : u"110"_s;
        });
        m_window->ensureEntityData();
        calculator::LoanCalculatorDialog* loan = m_window->loanCalculator();
        loan->capitalField()->setValue(100000);
        loan->rateField()->setValue(5);
        loan->yearsField()->setValue(10);
        loan->calculate();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTimer::singleShot(0, this, [loan] {
            // The dialog's own activation, which starts each showing unaccepted, comes first.
            QTRY_VERIFY(loan->isActiveWindow());
            QTest::qWait(10);
            QTest::mouseClick(loan->findChild<QPushButton*>(u"BtnAceptar"_s), Qt::LeftButton);
        });
        m_window->openLoanCalculator();
        QVERIFY(loan->wasAccepted());
        m_window->recalculate();
    }
    void openThroughTheCommand(const QString& file)
    {
        command::run([&] { document().open(file); });
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
        command::setErrorPresenter([this](const QString&, const QString& m) { m_errors << m; });
    }
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        QSettings().clear();
        for (const QString& file : QDir(m_folder.path()).entryList({u"*.endeudamiento"_s}))
            QFile::remove(path(file));
        m_questions.clear();
        m_errors.clear();
        m_overwriteQuestions.clear();
        m_savePath = path(u"caso"_s);
        newWindow();
    }
    void cleanup()
    {
        m_window.reset();
        testsupport::restoreSeparators();
    }

    // Going through every cell of the register without typing changes nothing: a term shows as
    // typed, to the hundredth, and a cell left as it was keeps its exact figure.
    void visitingTheRegistersCellsChangesNothing()
    {
        borrowing::Case c;
        for (const amount::Amount years :
             {2.5L, 0.3L, 1.0L / 24, 7.25L, 0.75L, 12.0L, 1.5L, 30.125L, 0.08L, 99.99L}) {
            c.loans.push_back(
                {u"Caja"_s, 1000.005L * years, 3.333L, years,
                 years < 1 ? borrowing::LoanKind::ShortTerm : borrowing::LoanKind::Own});
        }
        c.loans[6].kind = borrowing::LoanKind::Guaranteed;
        c.loans[6].guaranteedShare = 33.333L;
        m_window->caseModel()->reset(c);
        const borrowing::Case before = m_window->caseModel()->current();
        m_window->show();
        auto* dialog = m_window->loansRegister();
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(dialog->isActiveWindow());
            auto* table = dialog->findChild<QTableView*>(u"TablaPrestamos"_s);
            const QAbstractItemModel* loans = table->model();
            QCOMPARE(loans->index(0, editors::LoansModel::Years).data().toString(), u"2,5"_s);
            QCOMPARE(loans->index(1, editors::LoansModel::Years).data().toString(), u"0,3"_s);
            QCOMPARE(loans->index(2, editors::LoansModel::Years).data().toString(), u"0,04"_s);
            table->setFocus();
            table->setCurrentIndex(loans->index(0, editors::LoansModel::Bank));
            // Tab leaves each cell for the next, and the table after the last one.
            int visited = 0;
            for (; visited < 100 && table->isAncestorOf(QApplication::focusWidget()); ++visited)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(visited, 57);
            QTest::mouseClick(dialog->findChild<QPushButton*>(u"BtnAceptar"_s), Qt::LeftButton);
        });
        m_window->openLoansRegister();
        QVERIFY(m_errors.isEmpty());
        QVERIFY(!document().isModified());
        QCOMPARE(m_window->caseModel()->current().loans, before.loans);
    }

    // Cells typed one after another in the entities' dialog are assessed once, when the typing
    // pauses, beside the window; the window's own assessment stays as it is.
    void theGroupBeingEditedIsAssessedOncePerPause()
    {
        m_window->show();
        int previews = 0;
        connect(m_window->caseModel(), &CaseModel::previewed, this, [&] { ++previews; });
        QSignalSpy assessed(m_window->caseModel(), &CaseModel::assessed);
        auto* dialog = m_window->findChild<editors::EntitiesDialog*>();
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(dialog->isVisible());
            // Opening shows the group once.
            QTRY_COMPARE(previews, 1);
            auto* model = static_cast<editors::EntitiesModel*>(
                dialog->findChild<QTableView*>(u"TablaEntidades"_s)->model());
            const int row = model->appendEmptyEntity();
            model->setName(row, u"Aguas"_s);
            model->setFigure(model->index(row, editors::EntitiesModel::Revenue), 1000);
            model->setFigure(model->index(row, editors::EntitiesModel::Expenditure), 500);
            QCOMPARE(previews, 1);
            QTRY_COMPARE(previews, 2);
            // The entity, Aguas and the consolidated row.
            QTRY_COMPARE(dialog->findChild<QTableWidget*>(u"TablaGrupo"_s)->rowCount(), 3);
            QTest::qWait(2 * CaseModel::PreviewPause.count());
            QCOMPARE(previews, 2);
            dialog->reject();
        });
        m_window->openEntities();
        QCOMPARE(assessed.count(), 0);
    }

    void aSavedCaseOpensAsItWasLeft()
    {
        typeACase();
        QVERIFY(document().isModified());
        QVERIFY(document().saveAs());
        const QString saved = path(u"caso.endeudamiento"_s);
        QCOMPARE(document().path(), saved);
        QCOMPARE(m_window->windowTitle(),
                 u"caso.endeudamiento[*] — Cálculos para Endeudamiento Municipal."_s);
        QVERIFY(!m_window->isWindowModified());
        const QString results = field(u"AHORRONETO"_s)->text();

        newWindow();
        openThroughTheCommand(saved);
        QVERIFY(m_errors.isEmpty());
        QCOMPARE(field(u"ICAP1"_s)->text(), u"2.345.678,90"_s);
        QCOMPARE(field(u"CVPEX"_s)->text(), u"-12,50"_s);
        QCOMPARE(field(u"APPTOTAL"_s)->text(), u"12.727,92"_s);
        QCOMPARE(field(u"CTPN"_s)->text(), u"100.000,00"_s);
        QCOMPARE(field(u"AHORRONETO"_s)->text(), results);
        QCOMPARE(m_window->findChild<QLabel*>(u"Mayormenor"_s)->text(), u"Mayor Que"_s);
        QCOMPARE(m_window->entityData().name, u"Villa"_s);
        QCOMPARE(m_window->entityData().maxDebtPercent, 110);
        calculator::LoanCalculatorDialog* loan = m_window->loanCalculator();
        QVERIFY(loan->wasAccepted());
        QCOMPARE(loan->monthlyPaymentField()->text(), u"1.060,66"_s);
        QCOMPARE(loan->scheduleModel()->rows(), 121);
        QVERIFY(!document().isModified());

        const QByteArray first = bytesOf(saved);
        QVERIFY(document().save());
        QCOMPARE(bytesOf(saved), first);
    }

    void typingMarksTheCaseModified()
    {
        QVERIFY(document().saveAs());
        QVERIFY(!m_window->isWindowModified());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        field(u"ICAP2"_s)->setFocus();
        QTest::keyClicks(field(u"ICAP2"_s), u"5"_s);
        QVERIFY(document().isModified());
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(m_window->windowTitle(),
                 u"caso.endeudamiento[*] — Cálculos para Endeudamiento Municipal."_s);
    }

    void aBadFileChangesNothingOnScreen()
    {
        typeACase();
        QFile bad(path(u"malo.endeudamiento"_s));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"formato": "endeudamiento-caso", "importes": {"ICAP3": "1,5"}})");
        bad.close();
        m_answer = Answer::Discard;
        openThroughTheCommand(bad.fileName());
        QCOMPARE(m_errors, QStringList{u"No se puede abrir \"malo.endeudamiento\": el importe de "
                                       u"ICAP3 no es válido."_s});
        QCOMPARE(field(u"ICAP1"_s)->text(), u"2.345.678,90"_s);
        QCOMPARE(m_window->windowTitle(), u"Cálculos para Endeudamiento Municipal."_s);
        QVERIFY(document().path().isEmpty());
    }

    void aFailedOpenLeavesTheOpenCaseAsItWas_data()
    {
        QTest::addColumn<QByteArray>("importes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a loan of a billion years")
            << QByteArray(R"("prestamos_vigentes": [{"capital": "1000", "interes": "5",
                                                     "anios": "1000000000"}])")
            << u"el importe de anios del préstamo vigente 1 debe ser mayor que 0 y no mayor que "
               u"100."_s;
        QTest::newRow("a rate of 1e300")
            << QByteArray(R"("prestamos_vigentes": [{"capital": "1000", "interes": "1E300",
                                                     "anios": "10"}])")
            << u"el importe de interes del préstamo vigente 1 debe estar entre 0 y 100."_s;
        QTest::newRow("an amount of 1e400") << QByteArray(R"("importes": {"ICAP2": "1E400"})")
                                            << u"el importe de ICAP2 pasa de 13 cifras enteras."_s;
        QTest::newRow("a calculator term of 1e9 years")
            << QByteArray(R"("calculadora": {"anios": "1E9"})")
            << u"el importe de anios de la calculadora debe estar entre 0 y 100."_s;
    }
    void aFailedOpenLeavesTheOpenCaseAsItWas()
    {
        QFETCH(QByteArray, importes);
        QFETCH(QString, reason);
        typeACase();
        QVERIFY(document().saveAs());
        field(u"ICAP2"_s)->setValue(5);
        const QString title = m_window->windowTitle();
        QFile bad(path(u"otro.endeudamiento"_s));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"formato": "endeudamiento-caso", "entidad": {"nombre": "Otra"}, )" +
                  importes + "}");
        bad.close();
        m_answer = Answer::Discard;
        openThroughTheCommand(bad.fileName());
        QCOMPARE(m_errors, QStringList{u"No se puede abrir \"otro.endeudamiento\": "_s + reason});
        QCOMPARE(field(u"ICAP1"_s)->text(), u"2.345.678,90"_s);
        QCOMPARE(field(u"ICAP2"_s)->text(), u"5,00"_s);
        QCOMPARE(m_window->entityData().name, u"Villa"_s);
        QVERIFY(m_window->loansRegister()->loans().empty());
        QCOMPARE(m_window->windowTitle(), title);
        QVERIFY(m_window->isWindowModified());
        QCOMPARE(document().path(), path(u"caso.endeudamiento"_s));
    }

    void aFileChangedOnDiskIsOverwrittenOnlyWhenTheUserSaysSo()
    {
        QVERIFY(document().saveAs());
        const QString saved = path(u"caso.endeudamiento"_s);
        // Another window saves the same case first.
        auto c = casefile::readCaseFile(saved);
        c.entityName = u"Otra ventana"_s;
        casefile::writeCaseFile(saved, c);
        const QByteArray theirs = bytesOf(saved);

        field(u"ICAP1"_s)->setValue(1000);
        m_overwrite = false;
        QVERIFY(!document().save());
        QCOMPARE(m_overwriteQuestions, QStringList{u"caso.endeudamiento"_s});
        QCOMPARE(bytesOf(saved), theirs);
        QVERIFY(document().isModified());

        m_overwrite = true;
        QVERIFY(document().save());
        QVERIFY(!document().isModified());
        QCOMPARE(casefile::readCaseFile(saved).figures.revenueI, 1000);
        // What this window saved itself is overwritten without a question.
        field(u"ICAP1"_s)->setValue(2000);
        QVERIFY(document().save());
        QCOMPARE(m_overwriteQuestions.size(), 2);
    }

    void theSaveQuestionDecides_data()
    {
        QTest::addColumn<bool>("closing");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("chosenPath");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("saved");
        for (const bool closing : {true, false}) {
            const char* on = closing ? "on close" : "on Nuevo";
            QTest::addRow("Guardar %s", on) << closing << Answer::Save << u"caso"_s << true << true;
            QTest::addRow("Guardar, then no name %s", on)
                << closing << Answer::Save << QString() << false << false;
            QTest::addRow("No guardar %s", on)
                << closing << Answer::Discard << u"caso"_s << true << false;
            QTest::addRow("Cancelar %s", on)
                << closing << Answer::Cancel << u"caso"_s << false << false;
        }
    }
    void theSaveQuestionDecides()
    {
        QFETCH(bool, closing);
        QFETCH(Answer, answer);
        QFETCH(QString, chosenPath);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        m_answer = answer;
        m_savePath = chosenPath.isEmpty() ? QString() : path(chosenPath);
        m_window->show();
        field(u"ICAP1"_s)->setValue(1000);
        if (closing)
            m_window->close();
        else
            document().newCase();
        QCOMPARE(m_questions, QStringList{u"Sin título"_s});
        QCOMPARE(QFile::exists(path(u"caso.endeudamiento"_s)), saved);
        if (closing)
            QCOMPARE(m_window->isVisible(), !goesOn);
        else
            QCOMPARE(field(u"ICAP1"_s)->text(), goesOn ? u"0,00"_s : u"1.000,00"_s);
    }

    void anUnmodifiedCaseClosesWithoutAQuestion()
    {
        m_window->show();
        m_window->close();
        QVERIFY(m_questions.isEmpty());
        QVERIFY(!m_window->isVisible());
    }

    void theRegisterStandsInTheExistingDebtAndIsSaved()
    {
        field(u"CVPEX"_s)->setValue(7);
        editors::LoansDialog* loans = m_window->loansRegister();
        const auto acceptWith = [&](std::vector<borrowing::Loan> register_) {
            loans->setLoans(std::move(register_));
            m_window->show();
            QTimer::singleShot(0, this, [loans] {
                QTRY_VERIFY(loans->isActiveWindow());
                QTest::qWait(10);
                QTest::mouseClick(loans->findChild<QPushButton*>(u"BtnAceptar"_s), Qt::LeftButton);
            });
            m_window->openLoansRegister();
        };
        field(u"CVOTEX"_s)->setValue(8);
        field(u"AJAVALES"_s)->setValue(9);
        acceptWith({{u"A"_s, 100000, 5, 10}, {u"B"_s, 12000, 0, 4}});
        QCOMPARE(field(u"APVTOTAL"_s)->text(), u"15.727,92"_s);
        QCOMPARE(field(u"CVPEX"_s)->text(), u"112.000,00"_s);
        QVERIFY(!field(u"CVPEX"_s)->isEnabled());
        // Without short-term or guaranteed loans their figures stay as typed.
        QVERIFY(field(u"CVOTEX"_s)->isEnabled());
        QCOMPARE(field(u"AJAVALES"_s)->text(), u"9,00"_s);
        QCOMPARE(field(u"APVTOTAL"_s)->toolTip(),
                 u"Calculado desde el registro de préstamos vigentes"_s);
        QVERIFY(document().isModified());

        // A short-term operation and a guaranteed loan fill theirs, read-only.
        acceptWith({{u"A"_s, 100000, 5, 10},
                    {u"B"_s, 12000, 0, 4},
                    {u"C"_s, 50000, 2, 1, borrowing::LoanKind::ShortTerm},
                    {u"D"_s, 20000, 0, 4, borrowing::LoanKind::Guaranteed, 50}});
        QCOMPARE(field(u"CVOTEX"_s)->text(), u"50.000,00"_s);
        QCOMPARE(field(u"AJAVALES"_s)->text(), u"10.000,00"_s);
        QCOMPARE(field(u"APVTOTAL"_s)->text(), u"18.227,92"_s);
        QVERIFY(!field(u"CVOTEX"_s)->isEnabled() && !field(u"AJAVALES"_s)->isEnabled());
        acceptWith({{u"A"_s, 100000, 5, 10}, {u"B"_s, 12000, 0, 4}});

        QVERIFY(document().saveAs());
        newWindow();
        openThroughTheCommand(path(u"caso.endeudamiento"_s));
        QCOMPARE(m_window->loansRegister()->loans().size(), 2u);
        QVERIFY(!field(u"APVTOTAL"_s)->isEnabled());
        QCOMPARE(field(u"APVTOTAL"_s)->text(), u"15.727,92"_s);

        loans = m_window->loansRegister();
        acceptWith({});
        QVERIFY(field(u"CVPEX"_s)->isEnabled());
        QCOMPARE(field(u"CVPEX"_s)->text(), u"112.000,00"_s);
        QVERIFY(field(u"APVTOTAL"_s)->toolTip().isEmpty());
    }

    void recentCasesKeepTheLastEightNewestFirst()
    {
        QStringList recent;
        for (int i = 1; i <= 9; ++i)
            recent = withRecentCase(recent, QString::number(i), CaseDocument::RecentLimit);
        QCOMPARE(recent,
                 (QStringList{u"9"_s, u"8"_s, u"7"_s, u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s}));
        QCOMPARE(withRecentCase(recent, u"5"_s, 8).mid(0, 3),
                 (QStringList{u"5"_s, u"9"_s, u"8"_s}));
    }

    void aVanishedRecentCaseIsRemovedWithAnError()
    {
        m_savePath = path(u"uno"_s);
        QVERIFY(document().saveAs());
        m_savePath = path(u"dos"_s);
        QVERIFY(document().saveAs());
        QCOMPARE(document().recentCases(),
                 (QStringList{path(u"dos.endeudamiento"_s), path(u"uno.endeudamiento"_s)}));
        QVERIFY(QFile::remove(path(u"uno.endeudamiento"_s)));
        openThroughTheCommand(path(u"uno.endeudamiento"_s));
        QCOMPARE(m_errors.size(), 1);
        QCOMPARE(document().recentCases(), QStringList{path(u"dos.endeudamiento"_s)});
        QCOMPARE(document().path(), path(u"dos.endeudamiento"_s));
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    CaseWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CaseWindowTest.moc"
