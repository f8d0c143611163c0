// The texts of the windows beyond a case's figures: titles, questions, file choosers, the
// prompts, the PDF's progress and the charts' captions.
#include "Messages.h"

#include "Wording.h"

namespace reports {

namespace {

QString withAllFiles(const QString& filter)
{
    return filter + QStringLiteral(";;Todos los archivos (*)");
}

// "de" before a phrase, "de el" joined into "del".
QString ofPhrase(const QString& phrase)
{
    return phrase.startsWith(u"el ") ? QStringLiteral("del") + phrase.mid(2)
                                     : QStringLiteral("de ") + phrase;
}

} // namespace

QString windowCaption()
{
    return QStringLiteral("Cálculos para Endeudamiento Municipal.");
}

QString caseWindowTitle(const QString& fileName)
{
    return fileName + QStringLiteral("[*] — ") + windowCaption();
}

QString recentCaseEntry(int number, const QString& fileName)
{
    // A single "&" in the name would underline the letter after it and vanish.
    QString shown = fileName;
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(QString::number(number), shown);
}

QString untitledName()
{
    return QStringLiteral("Sin título");
}

QString fromRegisterTip()
{
    return QStringLiteral("Calculado desde el registro de préstamos vigentes");
}

QString openCaseTitle()
{
    return QStringLiteral("Abrir caso");
}

QString saveCaseTitle()
{
    return QStringLiteral("Guardar caso como");
}

QString caseFileFilter()
{
    return withAllFiles(QStringLiteral("Casos de endeudamiento (*.endeudamiento)"));
}

QString importLoansTitle()
{
    return QStringLiteral("Importar préstamos");
}

QString importSettlementTitle()
{
    return QStringLiteral("Importar liquidación");
}

QString exportEvolutionTitle()
{
    return QStringLiteral("Exportar la evolución de la deuda");
}

QString evolutionFileName()
{
    return QStringLiteral("evolucion.csv");
}

QString csvFileFilter()
{
    return withAllFiles(QStringLiteral("Archivos CSV (*.csv)"));
}

QString settlementFileFilter()
{
    return withAllFiles(QStringLiteral("Liquidaciones (*.csv *.accdb *.mdb)"));
}

QString lookInLabel()
{
    return QStringLiteral("Buscar en:");
}

QString fileNameLabel()
{
    return QStringLiteral("&Nombre:");
}

QString fileTypeLabel()
{
    return QStringLiteral("Tipo:");
}

QString openCaption()
{
    return QStringLiteral("&Abrir");
}

QString saveCaption()
{
    return QStringLiteral("&Guardar");
}

QString importCaption()
{
    return QStringLiteral("&Importar");
}

QString replaceCaption()
{
    return QStringLiteral("&Reemplazar");
}

QString overwriteCaption()
{
    return QStringLiteral("&Sobrescribir");
}

QString discardCaption()
{
    return QStringLiteral("&No guardar");
}

QString removeCaption()
{
    return QStringLiteral("&Eliminar");
}

QString cancelCaption()
{
    return QStringLiteral("Cancelar");
}

QString promptOkCaption()
{
    return QStringLiteral("OK");
}

QString promptCancelCaption()
{
    return QStringLiteral("Cancel");
}

QString replaceQuestion(const QString& fileName)
{
    return QStringLiteral("\"%1\" ya existe. ¿Desea reemplazarlo?").arg(fileName);
}

QString overwriteQuestion(const QString& caseName)
{
    return QStringLiteral("\"%1\" ha cambiado en el disco desde que se abrió. ¿Desea "
                          "sobrescribirlo?")
        .arg(caseName);
}

QString saveChangesQuestion(const QString& caseName)
{
    return QStringLiteral("¿Desea guardar los cambios de \"%1\"?").arg(caseName);
}

QString entityRemovalQuestion(const QString& entityName, int loans)
{
    if (loans == 1)
        return QStringLiteral("La entidad %1 tiene 1 préstamo. ¿Eliminarla junto con su préstamo?")
            .arg(entityName);
    // One pass, so that a "%1" in the name is not taken for the count's place.
    return QStringLiteral("La entidad %1 tiene %2 préstamos. ¿Eliminarla junto con sus préstamos?")
        .arg(entityName, QString::number(loans));
}

QString entityDataTitle()
{
    return QStringLiteral("Datos de la Entidad Local Solicitante");
}

QString entityNamePrompt()
{
    return QStringLiteral("Nombre: ");
}

QString entityNamePlaceholder()
{
    return QStringLiteral("Ponga aquí el nombre de la Entidad");
}

QString provincePrompt()
{
    return QStringLiteral("Provincia: ");
}

QString provincePlaceholder()
{
    return QStringLiteral("Ponga aquí la provincia de la Entidad");
}

QString maxDebtPercentTitle()
{
    return QStringLiteral("Porcentaje máximo de endeudamiento");
}

QString maxDebtPercentPrompt()
{
    return QStringLiteral("% endeudamiento");
}

QString limitCaption(const QString& maxDebtPercentText)
{
    return maxDebtPercentText + QStringLiteral("% Derechos Rec. frente a Capitales Vivos");
}

QString importingText(const QString& fileName)
{
    return QStringLiteral("Importando \"%1\"…").arg(fileName);
}

QString noAccessReaderText()
{
    return QStringLiteral("Para leer archivos de Access instale mdbtools.");
}

QString chapterNumeral(int chapter)
{
    constexpr const char* Numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    return chapter >= 1 && chapter <= 9 ? QString::fromLatin1(Numerals[chapter - 1]) : QString();
}

QString totalLabel()
{
    return QStringLiteral("Suma del registro");
}

QString withoutRegisterText()
{
    return QStringLiteral("Registre los préstamos vigentes para proyectar su evolución.");
}

QStringList scheduleHeadings()
{
    return {QStringLiteral("Mes"), QStringLiteral("Amortiz."), QStringLiteral("Interés"),
            QStringLiteral("Pendiente")};
}

QString annuityTooLargeText()
{
    return QStringLiteral("La anualidad pasa de 13 cifras enteras: no cabe en la anualidad de la "
                          "nueva operación y no puede aceptarse.");
}

QString pdfStartedText(const QString& pdfName)
{
    return QStringLiteral("Escribiendo el PDF: %1…").arg(pdfName);
}

QString pdfWrittenText(const QString& pdfName)
{
    return QStringLiteral("PDF escrito: %1").arg(pdfName);
}

QString pdfWithoutOfficeText()
{
    return QStringLiteral("PDF no generado: LibreOffice no está instalado.");
}

QString pdfFailedText()
{
    return QStringLiteral("PDF no generado: LibreOffice no pudo convertir el informe.");
}

QString pdfNotWrittenText()
{
    return QStringLiteral("PDF no generado: LibreOffice no escribió el PDF.");
}

QString pdfTimedOutText()
{
    return QStringLiteral("PDF no generado: LibreOffice no terminó en 10 minutos.");
}

QString pdfIsFolderText(const QString& pdfName)
{
    return QStringLiteral("PDF no generado: \"%1\" es una carpeta.").arg(pdfName);
}

QString earlierPdfKeptText(const QString& reason)
{
    return QStringLiteral("PDF no generado: no se puede borrar el PDF anterior (%1).").arg(reason);
}

QString noDefaultPrinterText()
{
    return QStringLiteral("No hay ninguna impresora predeterminada.");
}

QString printingNotStartedText()
{
    return QStringLiteral("No se ha podido empezar a imprimir.");
}

QString gaugeName()
{
    return QStringLiteral("Indicador de endeudamiento");
}

QString gaugeDescription(const QString& ratioText, const QString& outcomeText)
{
    QStringList description;
    if (!ratioText.isEmpty())
        description << QStringLiteral("Endeudamiento: ") + ratioText + u'.';
    if (!outcomeText.isEmpty())
        description << outcomeText;
    return description.join(u' ');
}

QString negativeSavingsWarning()
{
    return QStringLiteral("Ahorro neto negativo");
}

QString chartName()
{
    return QStringLiteral("Gráfico de la evolución de la deuda");
}

QString chartDescription(int projectedYears, bool hasNow)
{
    if (projectedYears == 0)
        return QStringLiteral("Sin datos de la evolución de la deuda");
    return QStringLiteral("Capital vivo y endeudamiento ") +
           (hasNow ? QStringLiteral("actuales y ") : QString()) +
           ofPhrase(yearsAheadText(projectedYears, Numerals::Figures));
}

QString amountUnitText(long double divisor)
{
    if (divisor == 1e6L)
        return QStringLiteral("millones de €");
    return divisor == 1e3L ? QStringLiteral("miles de €") : QStringLiteral("€");
}

QString capitalLegend(const QString& unit)
{
    return QStringLiteral("Capital vivo (") + unit + u')';
}

QString ratioLegend()
{
    return QStringLiteral("Endeudamiento (%)");
}

QString yearCaption()
{
    return QStringLiteral("Año");
}

} // namespace reports
