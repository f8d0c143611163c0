// The main window: start state, layout captions, and the application-wide keyboard rules.
#include "MainWindow.h"

#include "AmountEdit.h"
#include "Application.h"
#include "LoanCalculatorDialog.h"
#include "LocaleSeparators.h"
#include "ReportCommands.h"
#include "ResultsWindow.h"
#include "TestSeparators.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using namespace app;
using amount::AmountEdit;
using amount::NumberFormat;

using namespace Qt::StringLiterals;

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<MainWindow> m_window;

    template <typename T = QWidget> T* child(const char* name) const
    {
        T* found = m_window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no child %s", name);
        return found;
    }
    QTabWidget* pages() const { return child<QTabWidget>("Paginas"); }
    void focus(QWidget* w)
    {
        w->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), w);
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_window = std::make_unique<MainWindow>();
        m_window->setPrompter(
            [](const QString&, const QString&, const QString& proposed) { return proposed; });
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        testsupport::restoreSeparators();
    }

    void startsOnTheFirstPageWithEmptyFigures()
    {
        QCOMPARE(m_window->windowTitle(), u"Cálculos para Endeudamiento Municipal."_s);
        QCOMPARE(pages()->currentIndex(), 0);
        QCOMPARE(pages()->tabText(0), u"Datos Liquidación "_s);
        const auto fields = m_window->centralWidget()->findChildren<AmountEdit*>();
        QCOMPARE(fields.size(), 48);
        for (const AmountEdit* field : fields) {
            QCOMPARE(field->text(), u"0,00"_s);
            QCOMPARE(field->decimals(), 2);
            QCOMPARE(field->numberFormat(), NumberFormat::Thousands);
        }
        QCOMPARE(child<QLabel>("Mayormenor")->text(), QString());
        QCOMPARE(child<QGroupBox>("GroupBox11")->title(),
                 u"0% Derechos Rec. frente a Capitales Vivos"_s);
        QVERIFY(m_window->entityData().name.isEmpty());
        QCOMPARE(m_window->entityData().maxDebtPercentText, u"0"_s);
        QCOMPARE(m_window->entityData().maxDebtPercent, 0);
    }

    void createsTheOtherTwoWindowsHidden()
    {
        QCOMPARE(m_window->reports()->resultsWindow()->windowTitle(), u"Resultados"_s);
        QCOMPARE(m_window->loanCalculator()->windowTitle(), u"Calculadora de Préstamos"_s);
        QVERIFY(!m_window->reports()->resultsWindow()->isVisible());
        QVERIFY(!m_window->loanCalculator()->isVisible());
    }

    void captionsAreExact()
    {
        QCOMPARE(child<QToolButton>("TbDatosE")->text(), u"&Datos de la Entidad "_s);
        QCOMPARE(child<QToolButton>("tbPorcientoE")->text(), u"% Max. Endeudamiento"_s);
        QCOMPARE(child<QToolButton>("TbInforme")->text(), u"&Informe rápido "_s);
        QCOMPARE(child<QToolButton>("TbInforme")->size(), QSize(118, 21));
        QVERIFY(child<QToolButton>("TbInforme")->isVisible());
        const QStringList tabs{u"Datos Liquidación "_s, u"Deuda Actual"_s, u"Deuda Prevista"_s,
                               u"Resultados"_s, u"Régimen vigente"_s};
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(pages()->tabText(i), tabs[i]);
        QCOMPARE(child<QPushButton>("BtnCalcular")->text(), u"Calcular"_s);
        QCOMPARE(child<QPushButton>("BtnInforme")->text(), u"Informe"_s);
        QCOMPARE(child<QPushButton>("BtnSalir")->text(), u"Salir"_s);
        QCOMPARE(child<QGroupBox>("GbDrn")->title(), u" DERECHOS RECONOCIDOS NETOS "_s);
    }

    void resultFieldsAreDisabledAndInputsEnabled()
    {
        for (const char* input :
             {"ICAP1", "ICAP5", "GCAP4", "CVPEX", "CVOTEX", "APVTOTAL", "APPTOTAL"})
            QVERIFY2(child(input)->isEnabled(), input);
        for (const char* result : {"ITOTAL", "GTOTAL", "CTPN", "CVTOTAL", "CFANTERIOR", "CFEUR3",
                                   "AHORROBRUTO", "AHORRONETO", "ITOTAL110", "CVTOTAL2"})
            QVERIFY2(!child(result)->isEnabled(), result);
    }

    void everyFieldIsNamedForAssistiveTechnology()
    {
        const auto labels = m_window->findChildren<QLabel*>();
        for (AmountEdit* field : m_window->centralWidget()->findChildren<AmountEdit*>()) {
            const bool labelled = std::any_of(labels.cbegin(), labels.cend(),
                                              [&](const QLabel* l) { return l->buddy() == field; });
            QVERIFY2(labelled || !field->accessibleName().isEmpty(),
                     qPrintable(field->objectName()));
        }
    }

    void periodEntersTheDecimalSeparatorInAmountFieldsOnly_data()
    {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QChar>("thousands");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Spanish") << QChar(u',') << QChar(u'.') << u"12,5"_s;
        QTest::newRow("English") << QChar(u'.') << QChar(u',') << u"12.5"_s;
    }
    void periodEntersTheDecimalSeparatorInAmountFieldsOnly()
    {
        QFETCH(QChar, decimal);
        QFETCH(QChar, thousands);
        QFETCH(QString, typed);
        testsupport::useSeparators({decimal, thousands});
        auto* field = child<AmountEdit>("ICAP1");
        focus(field);
        field->clear();
        QTest::keyClicks(field, u"12.5"_s);
        QCOMPARE(field->text(), typed);
        QCOMPARE(field->value(), 12.5L);

        QDialog prompt(m_window.get());
        auto* text = new QLineEdit(&prompt);
        prompt.show();
        prompt.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&prompt));
        focus(text);
        QTest::keyClicks(text, u"1.5"_s);
        QCOMPARE(text->text(), u"1.5"_s);
    }

    void enterAndDownMoveToTheNextField_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << u"ICAP1"_s << u"ICAP2"_s;
        QTest::newRow("keypad enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << u"ICAP1"_s << u"ICAP2"_s;
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << u"ICAP1"_s << u"ICAP2"_s;
        QTest::newRow("shift enter")
            << int(Qt::Key_Return) << int(Qt::ShiftModifier) << u"ICAP2"_s << u"ICAP1"_s;
        QTest::newRow("shift down")
            << int(Qt::Key_Down) << int(Qt::ShiftModifier) << u"ICAP2"_s << u"ICAP1"_s;
        QTest::newRow("last input to next box")
            << int(Qt::Key_Return) << 0 << u"ICAP5"_s << u"GCAP1"_s;
    }
    void enterAndDownMoveToTheNextField()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, from);
        QFETCH(QString, to);
        auto* field = m_window->findChild<AmountEdit*>(from);
        focus(field);
        const QString before = field->text();
        QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
        QCOMPARE(field->text(), before);
    }

    void enterInAMultiLineBoxIsLeftAlone()
    {
        QDialog results(m_window.get());
        auto* memo = new QPlainTextEdit(&results);
        new QLineEdit(&results);
        results.show();
        results.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&results));
        focus(memo);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), memo);
        QCOMPARE(memo->toPlainText(), u"\n"_s);
    }

    void enterPressesAFocusedButton()
    {
        auto* button = child<QPushButton>("BtnCalcular");
        QSignalSpy clicks(button, &QPushButton::clicked);
        focus(button);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(child<QLabel>("Mayormenor")->text(), u"Igual Que"_s);
    }

    void pageKeysTurnPagesWithoutWrapping()
    {
        focus(child("ICAP1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(pages()->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(pages()->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), child("CVPEX"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(pages()->currentIndex(), 4);
        QCOMPARE(QApplication::focusWidget(), child("AJINGEXT"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(pages()->currentIndex(), 5);
        QCOMPARE(QApplication::focusWidget(), child("ICAP6"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(pages()->currentIndex(), 5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(pages()->currentIndex(), 4);
    }

    void pageDownInADialogTurnsTheMainWindowsPage()
    {
        QDialog dialog(m_window.get());
        auto* text = new QPlainTextEdit(&dialog);
        text->setPlainText(u"a\nb"_s);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        focus(text);
        QTest::keyClick(text, Qt::Key_PageDown);
        QCOMPARE(pages()->currentIndex(), 1);
        QCOMPARE(text->textCursor().blockNumber(), 1); // the key still reached the box
    }

    void tabOrderOfTheBottomButtons()
    {
        focus(child("GCAP4"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child("BtnCalcular"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child("BtnSalir"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child("BtnInforme"));
    }

    void exitEndsTheProgramFromButtonAndMenu_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }
    void exitEndsTheProgramFromButtonAndMenu()
    {
        QFETCH(bool, fromMenu);
        if (fromMenu)
            m_window->findChild<QAction*>(u"mnSalir"_s)->trigger();
        else
            QTest::mouseClick(child("BtnSalir"), Qt::LeftButton);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_window->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
