// The texts of the windows beyond a case's figures: titles, questions, file choosers, the
// prompts, the PDF's progress and the charts' captions.
#pragma once

#include <QString>
#include <QStringList>

namespace reports {

// The main window's caption, alone while no case file is open.
QString windowCaption();
// The caption with an open case's file; "[*]" is where the window marks unsaved changes.
QString caseWindowTitle(const QString& fileName);
// The entry of the recent cases' menu numbered `number`, its "&" the number's shortcut.
QString recentCaseEntry(int number, const QString& fileName);
// The name of a case not yet saved: "Sin título".
QString untitledName();
// The tooltip of a figure that the register of loans in force fills.
QString fromRegisterTip();

// The file choosers' titles and filters.
QString openCaseTitle();
QString saveCaseTitle();
QString caseFileFilter();
QString importLoansTitle();
// "Importar liquidación", also the import dialog's title.
QString importSettlementTitle();
QString exportEvolutionTitle();
// The file name the evolution's export proposes.
QString evolutionFileName();
QString csvFileFilter();
// A settlement's CSV file or the Ministry's Access database.
QString settlementFileFilter();
// The file choosers' labels, whatever language Qt's own texts are in.
QString lookInLabel();
QString fileNameLabel();
QString fileTypeLabel();

// Buttons, with their shortcut's "&".
QString openCaption();
QString saveCaption();
QString importCaption();
QString replaceCaption();
QString overwriteCaption();
QString discardCaption();
QString removeCaption();
QString cancelCaption();
// The text prompt's own buttons.
QString promptOkCaption();
QString promptCancelCaption();

// "\"NAME\" ya existe. ¿Desea reemplazarlo?"
QString replaceQuestion(const QString& fileName);
// That the case's file was replaced on the disk since it was opened: overwrite it?
QString overwriteQuestion(const QString& caseName);
// "¿Desea guardar los cambios de \"NAME\"?"
QString saveChangesQuestion(const QString& caseName);
// Whether to remove a dependent entity together with its `loans` loans (one or more).
QString entityRemovalQuestion(const QString& entityName, int loans);

// The prompts for the entity's name and province: their title, each one's prompt and the
// placeholder that counts as no answer.
QString entityDataTitle();
QString entityNamePrompt();
QString entityNamePlaceholder();
QString provincePrompt();
QString provincePlaceholder();
// The prompt for the maximum debt percentage.
QString maxDebtPercentTitle();
QString maxDebtPercentPrompt();
// The caption of the limit's group box, for the percentage as typed.
QString limitCaption(const QString& maxDebtPercentText);

// "Importando \"NAME\"…"
QString importingText(const QString& fileName);
// Why an Access database cannot be read: mdb-export is not installed.
QString noAccessReaderText();
// A budget chapter's numeral ("III").
QString chapterNumeral(int chapter);
// The label of the row that sums every loan of the register, whoever holds it.
QString totalLabel();
// Why a projection without a register shows only the planned loan.
QString withoutRegisterText();
// The amortisation table's headings: month, amortisation, interest, pending.
QStringList scheduleHeadings();
// Why the calculator cannot accept its loan.
QString annuityTooLargeText();

// The status bar's words on a report's PDF: while it is written, and how that ended.
QString pdfStartedText(const QString& pdfName);
QString pdfWrittenText(const QString& pdfName);
QString pdfWithoutOfficeText();
QString pdfFailedText();
// LibreOffice ended as if it had written the PDF, and had not.
QString pdfNotWrittenText();
// LibreOffice was ended after the ten minutes a conversion may take.
QString pdfTimedOutText();
QString pdfIsFolderText(const QString& pdfName);
// The report's earlier PDF stays, for `reason` ("permiso denegado").
QString earlierPdfKeptText(const QString& reason);

// The failures of printing the results.
QString noDefaultPrinterText();
QString printingNotStartedText();

// The debt gauge: its accessible name and description (the ratio's text and the outcome, either
// of which may be empty), and the warning painted over it.
QString gaugeName();
QString gaugeDescription(const QString& ratioText, const QString& outcomeText);
QString negativeSavingsWarning();

// The debt chart: its accessible name and description, for `projectedYears` years ahead with or
// without today's figures before them.
QString chartName();
QString chartDescription(int projectedYears, bool hasNow);
// The chart's unit of amounts divided by `divisor` (1, 1e3 or 1e6), its legends and the axis of
// years.
QString amountUnitText(long double divisor);
QString capitalLegend(const QString& unit);
QString ratioLegend();
QString yearCaption();

} // namespace reports
