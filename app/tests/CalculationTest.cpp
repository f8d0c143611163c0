// "Calcular" on the main window: totals, burdens, savings, the limit and its prompts.
#include "AmountEdit.h"
#include "Application.h"
#include "CaseDocument.h"
#include "CaseModel.h"
#include "Command.h"
#include "DossierDialog.h"
#include "FakeOffice.h"
#include "LoanCalculatorDialog.h"
#include "LocaleSeparators.h"
#include "MainWindow.h"
#include "PaletteTesting.h"
#include "PdfConversion.h"
#include "QuickReport.h"
#include "ReportCommands.h"
#include "ResultsWindow.h"
#include "ScheduleModel.h"
#include "TestSeparators.h"
#include "TextPrompt.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <memory>

using namespace app;
using amount::Amount;
using amount::AmountEdit;
using calculator::LoanCalculatorDialog;

using namespace Qt::StringLiterals;

class CalculationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;
    std::deque<QString> m_answers;
    QStringList m_proposals;
    QStringList m_converted;

    AmountEdit* field(const char* name) const
    {
        auto* found = m_window->findChild<AmountEdit*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no field %s", name);
        return found;
    }
    void set(const char* name, Amount value) { field(name)->setValue(value); }
    QString text(const char* name) const { return field(name)->text(); }
    QString comparison() const { return m_window->findChild<QLabel*>(u"Mayormenor"_s)->text(); }
    QString limitCaption() const
    {
        return m_window->findChild<QGroupBox*>(u"GroupBox11"_s)->title();
    }
    void setRevenue(Amount total)
    {
        for (const char* chapter : {"ICAP1", "ICAP2", "ICAP3", "ICAP4", "ICAP5"})
            set(chapter, total / 5);
    }

private slots:
    void init()
    {
        testsupport::useSeparators(testsupport::Spanish);
        m_window = std::make_unique<MainWindow>();
        m_window->reports()->pdfConverter()->setOffice({});
        connect(m_window->reports()->pdfConverter(), &PdfConverter::finished, this,
                [this](const PdfEnding&, const QString& pdf) { m_converted << pdf; });
        m_answers = {u"110"_s};
        m_proposals.clear();
        m_converted.clear();
        m_window->setPrompter([this](const QString&, const QString&, const QString& proposed) {
            m_proposals << proposed;
            if (m_answers.empty())
                return proposed;
            const QString answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    void cleanup()
    {
        m_window.reset();
        testsupport::restoreSeparators();
    }

    void allZeroGivesZeroResultsAndEqual()
    {
        m_window->recalculate();
        for (const char* result :
             {"ITOTAL", "GTOTAL", "CFANTERIOR", "CFEUR1", "CFNUEVO", "CFEUR2", "CFTOTAL", "CFEUR3",
              "AHORROBRUTO", "AHORRONETO", "ITOTAL110", "CVTOTAL", "CVTOTAL2"})
            QCOMPARE(text(result), u"0,00"_s);
        QCOMPARE(comparison(), u"Igual Que"_s);
    }

    void firstCalculationAsksForTheLimitProposing110()
    {
        m_answers = {u"120"_s};
        setRevenue(1000000);
        m_window->recalculate();
        QCOMPARE(m_proposals, QStringList{u"110"_s});
        QCOMPARE(limitCaption(), u"120% Derechos Rec. frente a Capitales Vivos"_s);
        QCOMPARE(text("ITOTAL"), u"1.000.000,00"_s);
        QCOMPARE(text("ITOTAL110"), u"1.200.000,00"_s);
        m_window->recalculate();
        QCOMPARE(m_proposals.size(), 1);
    }

    // The arithmetic is the indicators' own; through the window, one case of its rounding.
    void laterStepsUseTheDisplayedResults()
    {
        set("ICAP1", 3);
        set("APVTOTAL", 1);
        m_window->recalculate();
        QCOMPARE(text("CFANTERIOR"), u"33,33"_s);
        // 33.33 × 6010.12 / 100, not 33.333… × 60.1012
        QCOMPARE(text("CFEUR1"), u"2.003,17"_s);
    }

    void noRevenueKeepsTheEarlierBurdens()
    {
        setRevenue(1000000);
        set("APVTOTAL", 500000);
        set("APPTOTAL", 100000);
        m_window->recalculate();
        QCOMPARE(text("CFNUEVO"), u"10,00"_s);

        setRevenue(0);
        set("APVTOTAL", 1);
        set("APPTOTAL", 2);
        m_window->recalculate();
        QCOMPARE(text("ITOTAL"), u"0,00"_s);
        QCOMPARE(text("CFANTERIOR"), u"50,00"_s);
        QCOMPARE(text("CFNUEVO"), u"10,00"_s);
        QCOMPARE(text("CFEUR1"), u"3.005,06"_s);
        QCOMPARE(text("CFEUR2"), u"601,01"_s);
        QCOMPARE(text("CFTOTAL"), u"60,00"_s);
        QCOMPARE(text("CFEUR3"), u"3.606,07"_s);
        QCOMPARE(text("AHORRONETO"), u"-3,00"_s);
    }

    void limitOfZeroIsAskedAgainNextTime()
    {
        m_answers = {u"0"_s, u"110"_s};
        setRevenue(1000);
        m_window->recalculate();
        QCOMPARE(text("ITOTAL110"), u"0,00"_s);
        QCOMPARE(limitCaption(), u"0% Derechos Rec. frente a Capitales Vivos"_s);
        m_window->recalculate();
        QCOMPARE(m_proposals, (QStringList{u"110"_s, u"110"_s}));
        QCOMPARE(text("ITOTAL110"), u"1.100,00"_s);
    }

    void toolBarLimitChangesTheCaptionButNotTheFigures()
    {
        setRevenue(1000);
        m_window->recalculate();
        m_answers = {u"abc"_s, u"120"_s};
        m_window->askDebtLimit();
        QCOMPARE(m_proposals, (QStringList{u"110"_s, u"110"_s, u"abc"_s}));
        QCOMPARE(limitCaption(), u"120% Derechos Rec. frente a Capitales Vivos"_s);
        QCOMPARE(text("ITOTAL110"), u"1.100,00"_s);
    }

    void theRealPromptAnswersWithTypeEnterEnter()
    {
        m_window->setPrompter(
            [this](const QString& title, const QString& prompt, const QString& proposed) {
                return TextPrompt::ask(title, prompt, proposed, m_window.get());
            });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        setRevenue(1000);

        QString proposedText;
        QTimer::singleShot(0, this, [&] {
            auto* prompt = qobject_cast<TextPrompt*>(QApplication::activeModalWidget());
            QVERIFY(prompt);
            QVERIFY(QTest::qWaitForWindowActive(prompt));
            auto* box = prompt->findChild<QLineEdit*>(u"Text"_s);
            QTRY_COMPARE(QApplication::focusWidget(), box);
            proposedText = box->selectedText();
            QTest::keyClicks(box, u"125"_s);
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), prompt->findChild<QPushButton*>(u"OK"_s));
            QVERIFY(prompt->isVisible());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        m_window->recalculate();
        QCOMPARE(proposedText, u"110"_s);
        QCOMPARE(limitCaption(), u"125% Derechos Rec. frente a Capitales Vivos"_s);
        QCOMPARE(text("ITOTAL110"), u"1.250,00"_s);
    }

    void loanCalculatorIsDrivenByKeysAndAcceptedIntoTheMainWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        LoanCalculatorDialog* calculator = m_window->loanCalculator();
        QTimer::singleShot(0, this, [&] {
            QVERIFY(QTest::qWaitForWindowActive(calculator));
            calculator->capitalField()->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), calculator->capitalField());
            QTest::keyClicks(calculator->capitalField(), u"100000"_s);
            QTest::keyClick(calculator->capitalField(), Qt::Key_Return);
            QTest::keyClicks(calculator->rateField(), u"5"_s);
            QTest::keyClick(calculator->rateField(), Qt::Key_Return);
            QTest::keyClicks(calculator->yearsField(), u"10"_s);
            QTest::keyClick(calculator->yearsField(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), u"Button1"_s);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(calculator->yearlyPaymentField()->text(), u"12.727,92"_s);
            QTest::keyClick(calculator, Qt::Key_A, Qt::AltModifier);
        });
        m_window->openLoanCalculator();
        QVERIFY(calculator->wasAccepted());
        QCOMPARE(text("APPTOTAL"), u"12.727,92"_s);
        QCOMPARE(text("CTPN"), u"100.000,00"_s);

        // Reopened, it shows what it held; cancelled, it hands nothing over.
        set("APPTOTAL", 1);
        QTimer::singleShot(0, this, [&] {
            QVERIFY(QTest::qWaitForWindowActive(calculator));
            QCOMPARE(calculator->capitalField()->text(), u"100.000,00"_s);
            QCOMPARE(calculator->scheduleModel()->rows(), 121);
            calculator->capitalField()->setValue(5);
            QTest::keyClick(calculator, Qt::Key_Escape);
        });
        m_window->openLoanCalculator();
        QVERIFY(!calculator->wasAccepted());
        QCOMPARE(text("APPTOTAL"), u"1,00"_s);
        QCOMPARE(text("CTPN"), u"100.000,00"_s);
    }

    void quickReportAsksForTheEntityRecalculatesAndShowsOnlyItsOwnLines()
    {
        m_answers = {u"Villa"_s, u"Soria"_s, u"110"_s};
        setRevenue(1000);
        const auto closeResults = [this] {
            QTimer::singleShot(0, this, [this] {
                QTRY_VERIFY(m_window->reports()->resultsWindow()->isVisible());
                m_window->reports()->resultsWindow()->reject();
            });
        };
        closeResults();
        m_window->reports()->showQuickReport();
        QCOMPARE(m_proposals.size(), 3);
        QStringList lines = m_window->reports()->resultsWindow()->lines();
        QCOMPARE(lines.first(), u"Villa(Soria)"_s);
        QVERIFY(lines.contains(u"Derechos Reconocidos Netos (Cap. I al V) = 1.000,00"_s));

        setRevenue(2000);
        closeResults();
        m_window->reports()->showQuickReport();
        QCOMPARE(m_proposals.size(), 3); // nothing asked the second time
        lines = m_window->reports()->resultsWindow()->lines();
        const reports::ReportValues values(*m_window->caseModel()->assessment(),
                                           testsupport::Spanish);
        QCOMPARE(lines, reports::quickReportLines(values));
        QCOMPARE(lines.count(u"Villa(Soria)"_s), 1);
        QVERIFY(lines.contains(u"Derechos Reconocidos Netos (Cap. I al V) = 2.000,00"_s));
    }

    void fullReportFillsTheShippedTemplateBesideTheProgramAndOpensIt()
    {
        m_answers = {u"Villa"_s, u"Soria"_s, u"110"_s};
        setRevenue(1000);
        QStringList opened;
        m_window->reports()->setDocumentOpener([&](const QString& path) { opened << path; });
        const QString output = QCoreApplication::applicationDirPath() + u"/Informerelleno.rtf"_s;
        QFile::remove(output);
        m_window->reports()->produceFullReport();
        QCOMPARE(opened, QStringList{output});
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.contains("Villa"));
        QVERIFY(rtf.contains("1.000,00"));
        QVERIFY(rtf.contains("Igual Que") || rtf.contains("Mayor Que"));
        QVERIFY(!rtf.contains("\\{"));
        // The gauge and the chart as pictures; the PDF asked for, and why there is none.
        QCOMPARE(rtf.count("{\\pict\\pngblip"), 2);
        QCOMPARE(m_converted, QStringList{PdfConverter::pdfPath(output)});
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"PDF no generado: LibreOffice no está instalado."_s);
    }

    // The window stays usable while LibreOffice works, and the status bar says how it went.
    void thePdfIsWrittenInTheBackground()
    {
        m_answers = {u"Villa"_s, u"Soria"_s, u"110"_s};
        QTemporaryDir office;
        m_window->reports()->pdfConverter()->setOffice(testsupport::writeFakeOffice(office.path()));
        m_window->reports()->setDocumentOpener([](const QString&) {});
        m_window->reports()->produceFullReport();
        auto* progress = m_window->statusBar()->findChild<QProgressBar*>();
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"Escribiendo el PDF: Informerelleno.pdf…"_s);
        QVERIFY(progress->isVisibleTo(m_window.get()));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->statusBar()->currentMessage(),
                                  u"PDF escrito: Informerelleno.pdf"_s, 20000);
        QVERIFY(!progress->isVisibleTo(m_window.get()));
    }

    // "Generar" keeps what was typed with the case, fills the Intervención's template beside
    // the program and asks for its PDF.
    void theInterventionReportIsGeneratedFromItsDialog()
    {
        m_answers = {u"Villa"_s, u"Soria"_s, u"110"_s};
        setRevenue(1000);
        set("CTPN", 100);
        const QString output =
            QCoreApplication::applicationDirPath() + u"/InformeIntervencion.rtf"_s;
        QFile::remove(output);
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [this, &poll] {
            auto* dialog = m_window->findChild<editors::DossierDialog*>();
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            dialog->findChild<AmountEdit*>(u"recursos"_s)->setValue(1000);
            dialog->findChild<QCheckBox*>(u"prevista"_s)->setChecked(true);
            dialog->findChild<QLineEdit*>(u"interventor"_s)->setText(u"Ana Gil"_s);
            dialog->findChild<QPushButton*>(u"BtnGenerar"_s)->click();
        });
        poll.start(10);
        m_window->reports()->produceInterventionReport();
        QCOMPARE(m_converted, QStringList{PdfConverter::pdfPath(output)});
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.contains("Ana Gil"));
        QVERIFY(rtf.contains("rgano competente: Alcalde-Presidente"));
        const borrowing::Dossier& kept = m_window->caseModel()->current().dossier;
        QCOMPARE(kept.ordinaryResources, 1000);
        QVERIFY(kept.foreseen);
        QVERIFY(m_window->caseDocument()->isModified());
    }

    void fullReportWithoutItsTemplateShowsTheErrorAndKeepsTheEarlierOutput()
    {
        m_answers = {u"Villa"_s, u"Soria"_s, u"110"_s};
        QTemporaryDir folder;
        const QString output = folder.filePath(u"Informerelleno.rtf"_s);
        QFile earlier(output);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        m_window->reports()->setProgramFolder(folder.path() + u'/');
        QStringList opened;
        m_window->reports()->setDocumentOpener([&](const QString& path) { opened << path; });
        QStringList shown;
        command::setErrorPresenter([&](const QString&, const QString& text) { shown << text; });
        QTest::mouseClick(m_window->findChild<QPushButton*>(u"BtnInforme"_s), Qt::LeftButton);
        command::setErrorPresenter({});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0], u"No se puede abrir \"PlantillaInformeP.rtf\": el archivo no existe."_s);
        QVERIFY(opened.isEmpty());
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }

    void theCurrentLawWorksFromTheAdjustedFiguresAndSaysHowMuchCanBeBorrowed()
    {
        setRevenue(1000000);
        set("GCAP1", 800000);
        set("CVPEX", 600000);
        set("APVTOTAL", 50000);
        set("AJINGEXT", 100000);
        set("AJGASREM", 20000);
        set("AJAVALES", 30000);
        set("AJNODISP", 10000);
        LoanCalculatorDialog* calculator = m_window->loanCalculator();
        calculator->rateField()->setValue(5);
        calculator->yearsField()->setValue(10);
        m_window->recalculate();
        QCOMPARE(text("ICOMPUT"), u"900.000,00"_s);
        QCOMPARE(text("ANCOMPUT"), u"70.000,00"_s);
        QCOMPARE(text("CVCOMPUT"), u"640.000,00"_s);
        QCOMPARE(m_window->findChild<QLineEdit*>(u"RATIOENDEUDAMIENTO"_s)->text(), u"71,11 %"_s);
        const auto* verdict = m_window->findChild<QPlainTextEdit*>(u"REGIMENVIGENTE"_s);
        QCOMPARE(verdict->toPlainText(), u"No precisa autorización"_s);
        // 75 % of 900.000 less 640.000 of debt leaves 35.000; the savings would allow 549.990.
        QCOMPARE(text("CAPLIBRE"), u"35.000,00"_s);
        QCOMPARE(text("CAPMAX"), u"350.000,00"_s);
        const auto* gauge = m_window->findChild<QWidget*>(u"IndicadorEndeudamiento"_s);
        QCOMPARE(gauge->accessibleName(), u"Indicador de endeudamiento"_s);
        QVERIFY(gauge->accessibleDescription().contains(u"No precisa autorización"_s));

        // "Usar como capital" types the capacity into the calculator, which is not accepted.
        QTimer::singleShot(0, this, [calculator] {
            QTRY_VERIFY(calculator->isVisible());
            calculator->reject();
        });
        QTest::mouseClick(m_window->findChild<QPushButton*>(u"BtnUsarCapital"_s), Qt::LeftButton);
        QCOMPARE(calculator->capitalField()->text(), u"35.000,00"_s);
        QVERIFY(!calculator->wasAccepted());

        calculator->yearsField()->setValue(0);
        m_window->recalculate();
        QCOMPARE(text("CAPLIBRE"), u"—"_s);
        QCOMPARE(m_window->findChild<QLabel*>(u"MotivoCapLibre"_s)->text(),
                 u"Indique interés y plazo en la Calculadora de Préstamos"_s);
    }

    // The verdict in the colour of its outcome and the capacity's reason in red, readable in a
    // light and a dark palette; "Usar como capital" only while there is capacity to use.
    void theVerdictReadsInItsColourInBothPalettes_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<double>("treasury");
        QTest::addColumn<double>("expenditure");
        QTest::addColumn<int>("fromHue");
        QTest::addColumn<int>("toHue");
        QTest::addColumn<bool>("capacity");
        for (const bool dark : {false, true}) {
            const char* palette = dark ? "dark" : "light";
            QTest::addRow("%s, no authorisation: green", palette)
                << dark << 0.0 << 0.0 << 90 << 150 << true;
            QTest::addRow("%s, 80 %%: orange", palette)
                << dark << 800000.0 << 0.0 << 20 << 45 << false;
            QTest::addRow("%s, negative savings: red", palette)
                << dark << 0.0 << 1100000.0 << 350 << 10 << false;
        }
    }
    void theVerdictReadsInItsColourInBothPalettes()
    {
        QFETCH(bool, dark);
        QFETCH(double, treasury);
        QFETCH(double, expenditure);
        QFETCH(int, fromHue);
        QFETCH(int, toHue);
        QFETCH(bool, capacity);
        m_window->setPalette(testsupport::paletteOf(dark));
        setRevenue(1000000);
        set("CVOTEX", treasury);
        set("GCAP1", expenditure);
        m_window->loanCalculator()->rateField()->setValue(5);
        m_window->loanCalculator()->yearsField()->setValue(10);
        m_window->recalculate();

        const auto* verdict = m_window->findChild<QPlainTextEdit*>(u"REGIMENVIGENTE"_s);
        const QColor text = verdict->palette().color(QPalette::Text);
        const int hue = text.hsvHue();
        QVERIFY2(fromHue <= toHue ? hue >= fromHue && hue <= toHue : hue >= fromHue || hue <= toHue,
                 qPrintable(text.name()));
        QVERIFY2(testsupport::contrast(text, verdict->palette().color(QPalette::Base)) >= 4.5,
                 qPrintable(text.name() + u' ' + verdict->palette().color(QPalette::Base).name()));
        const auto* reason = m_window->findChild<QLabel*>(u"MotivoCapLibre"_s);
        const QColor red = reason->palette().color(QPalette::WindowText);
        QVERIFY(red.hsvHue() >= 350 || red.hsvHue() <= 10);
        QVERIFY(testsupport::contrast(red, reason->palette().color(QPalette::Window)) >= 4.5);
        QCOMPARE(reason->text().isEmpty(), capacity);
        QCOMPARE(m_window->findChild<QPushButton*>(u"BtnUsarCapital"_s)->isEnabled(), capacity);
    }

    void theRealPromptAnswersTheProposalOnEscape()
    {
        QString answer;
        QTimer::singleShot(0, this, [&] {
            auto* prompt = qobject_cast<TextPrompt*>(QApplication::activeModalWidget());
            QVERIFY(prompt);
            auto* box = prompt->findChild<QLineEdit*>(u"Text"_s);
            QCOMPARE(box->maxLength(), 255);
            box->setText(u"otro"_s);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        answer = TextPrompt::ask(u"T"_s, u"P"_s, u"propuesto"_s);
        QCOMPARE(answer, u"propuesto"_s);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    CalculationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CalculationTest.moc"
