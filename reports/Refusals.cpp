// What the program refuses, in words: a refusal of a case, a case file, a CSV line or a table's
// cell, and the failures of the files the user chooses.
#include "Refusals.h"

#include "CaseFields.h"
#include "Messages.h"

#include <QStringList>

#include <algorithm>
#include <string_view>

namespace reports {

namespace {

using borrowing::Refusal;
using Reason = Refusal::Reason;
using Record = Refusal::Record;

// A key or a label of the field tables.
QString key(const char* name)
{
    return QString::fromUtf8(name);
}

// "a, b y c", or with "ni" for what something is not.
QString listed(const QStringList& items, const QString& last)
{
    if (items.size() < 2)
        return items.value(0);
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + u' ' + last + u' ' +
           items.last();
}

QString wordsText(borrowing::ChoiceWords words)
{
    QStringList all;
    for (const borrowing::ChoiceWord& word : words)
        all << QString::fromUtf8(word.word);
    return listed(all, QStringLiteral("ni"));
}

// What is wrong with the value itself ("no puede ser negativo").
QString problemText(const Refusal& r)
{
    switch (r.reason) {
    case Reason::TooManyDigits:
        return QStringLiteral("pasa de 13 cifras enteras");
    case Reason::Negative:
        return QStringLiteral("no puede ser negativo");
    case Reason::OutOfRange: {
        const int lowest = static_cast<int>(r.bounds.lowest);
        const int highest = static_cast<int>(r.bounds.highest);
        return r.bounds.lowestIncluded
                   ? QStringLiteral("debe estar entre %1 y %2").arg(lowest).arg(highest)
                   : QStringLiteral("debe ser mayor que %1 y no mayor que %2")
                         .arg(lowest)
                         .arg(highest);
    }
    case Reason::NotWhole:
        return QStringLiteral("debe ser un número entero entre %1 y %2")
            .arg(static_cast<int>(r.bounds.lowest))
            .arg(static_cast<int>(r.bounds.highest));
    case Reason::MortgageNegative:
        return QStringLiteral("la garantía hipotecaria no puede ser negativa");
    case Reason::MortgageAboveCapital:
        return QStringLiteral("la garantía hipotecaria no puede pasar del capital pendiente");
    case Reason::MortgageOnShortTerm:
        return QStringLiteral("una operación a corto plazo no lleva garantía hipotecaria");
    default:
        break;
    }
    return {};
}

// Keys compare by their letters: the same literal may stand at another address elsewhere.
bool sameKey(const char* a, const char* b)
{
    return a && b && std::string_view(a) == b;
}

const borrowing::LoanField* loanField(const char* name)
{
    const auto found =
        std::find_if(borrowing::LoanFields.begin(), borrowing::LoanFields.end(),
                     [name](const borrowing::LoanField& f) { return sameKey(f.key, name); });
    return found == borrowing::LoanFields.end() ? nullptr : &*found;
}

// What a value of another shape than its field's is not.
QString shapeText(Refusal::Shape shape)
{
    switch (shape) {
    case Refusal::Shape::Text:
        break;
    case Refusal::Shape::Flag:
        return QStringLiteral("no es true ni false");
    case Refusal::Shape::Number:
        return QStringLiteral("no es un número");
    case Refusal::Shape::List:
        return QStringLiteral("no es una lista");
    case Refusal::Shape::Object:
        return QStringLiteral("no es un objeto");
    }
    return QStringLiteral("no es un texto");
}

// An entity's figure as a sentence names it, and the verb and adjective that agree with it.
QString entityFigureProblem(const Refusal& r)
{
    using borrowing::DependentEntity;
    const auto is = [&r](amount::Amount DependentEntity::*member) {
        return sameKey(borrowing::fieldOf(borrowing::EntityFields, member).key, r.key);
    };
    const bool negative = r.reason == Reason::Negative;
    if (is(&DependentEntity::result))
        return QStringLiteral("el resultado ") + problemText(r);
    const QString figure = is(&DependentEntity::revenue) ? QStringLiteral("los ingresos corrientes")
                           : is(&DependentEntity::expenditure)
                               ? QStringLiteral("los gastos corrientes")
                               : QStringLiteral("las transferencias internas");
    const bool feminine = !is(&DependentEntity::revenue) && !is(&DependentEntity::expenditure);
    if (negative)
        return figure + (feminine ? QStringLiteral(" no pueden ser negativas")
                                  : QStringLiteral(" no pueden ser negativos"));
    return figure + QStringLiteral(" pasan de 13 cifras enteras");
}

QString entityRefusal(const Refusal& r)
{
    // An entity without a name, or whose name cannot be read, by its place in the list.
    const QString entity = r.name.trimmed().isEmpty()
                               ? QStringLiteral("la entidad dependiente %1").arg(r.index)
                               : QStringLiteral("la entidad dependiente \"%1\"").arg(r.name);
    switch (r.reason) {
    case Reason::Unnamed:
        return entity + QStringLiteral(" no tiene nombre");
    case Reason::RepeatedName:
        return entity + QStringLiteral(" está repetida");
    case Reason::TooManyDigits:
    case Reason::Negative:
        return entity + QStringLiteral(": ") + entityFigureProblem(r);
    case Reason::TransfersAboveRevenue:
        return entity + QStringLiteral(": las transferencias internas pasan de sus ingresos");
    case Reason::UnknownWord:
        return entity + QStringLiteral(": el %1 no es %2").arg(key(r.key), wordsText(r.words));
    case Reason::Missing:
        return entity + QStringLiteral(": falta %1").arg(key(r.key));
    case Reason::WrongShape:
        return r.key ? entity + QStringLiteral(": %1 %2").arg(key(r.key), shapeText(r.shape))
                     : entity + u' ' + shapeText(r.shape);
    default:
        break;
    }
    return QStringLiteral("el importe de %1 de %2 no es válido").arg(key(r.key), entity);
}

QString loanRefusal(const Refusal& r)
{
    const QString loan = QStringLiteral("Préstamo %1: ").arg(r.index);
    switch (r.reason) {
    case Reason::UnknownHolder:
        return loan + QStringLiteral("su titular \"%1\" no es una entidad dependiente del caso.")
                          .arg(r.text);
    case Reason::MortgageNegative:
    case Reason::MortgageAboveCapital:
    case Reason::MortgageOnShortTerm:
        return loan + problemText(r) + u'.';
    case Reason::UnknownWord:
        return loan + QStringLiteral("el %1 no es %2.").arg(key(r.key), wordsText(r.words));
    case Reason::WrongShape:
        return r.key ? loan + QStringLiteral("%1 %2.").arg(key(r.key), shapeText(r.shape))
                     : QStringLiteral("Préstamo %1 %2.").arg(r.index).arg(shapeText(r.shape));
    case Reason::NotANumber:
        return QStringLiteral("el importe de %1 del préstamo vigente %2 no es válido.")
            .arg(key(r.key))
            .arg(r.index);
    default:
        break;
    }
    // The figures every loan has are named by their keys, the others by their labels.
    const borrowing::LoanField* field = loanField(r.key);
    if (field && !field->required)
        return loan + QStringLiteral("el %1 %2.").arg(key(field->label).toLower(), problemText(r));
    return QStringLiteral("el importe de %1 del préstamo vigente %2 %3.")
        .arg(key(r.key))
        .arg(r.index)
        .arg(problemText(r));
}

// A refusal of a CSV file's line, after "Línea N: ".
QString lineRefusal(const Refusal& r)
{
    switch (r.reason) {
    case Reason::MissingHeader: {
        QStringList columns;
        for (const borrowing::LoanField& field : borrowing::LoanFields) {
            if (field.required)
                columns << key(field.key);
        }
        return QStringLiteral("falta la cabecera con las columnas %1.")
            .arg(listed(columns, QStringLiteral("y")));
    }
    case Reason::Missing: {
        // Any of the names a column may have.
        QStringList names;
        for (const borrowing::ChoiceWord& word : r.words)
            names << u'"' + key(word.word) + u'"';
        if (names.isEmpty())
            names << u'"' + key(r.key) + u'"';
        return QStringLiteral("falta la columna %1.").arg(listed(names, QStringLiteral("o")));
    }
    case Reason::FieldCount:
        return QStringLiteral("tiene %1 campos y la cabecera %2.").arg(r.count).arg(r.expected);
    case Reason::UnclosedQuote:
        return QStringLiteral("unas comillas no se cierran.");
    case Reason::NotANumber:
        return QStringLiteral("\"%1\" no es un número válido en la columna %2.")
            .arg(r.text, key(r.key));
    case Reason::UnknownWord:
        return QStringLiteral("en la columna %1, \"%2\" no es %3.")
            .arg(key(r.key), r.text, wordsText(r.words));
    case Reason::NotACode:
        return QStringLiteral("en la columna %1, \"%2\" no es un código económico.")
            .arg(key(r.key), r.text);
    case Reason::MortgageNegative:
    case Reason::MortgageAboveCapital:
    case Reason::MortgageOnShortTerm:
        return problemText(r) + u'.';
    default:
        break;
    }
    return QStringLiteral("en la columna %1, %2 %3.").arg(key(r.key), r.text, problemText(r));
}

// "el importe de KEY<where> no es válido." or "… <problem>."
QString figureRefusal(const Refusal& r, const QString& where)
{
    const QString problem =
        r.reason == Reason::NotANumber ? QStringLiteral("no es válido") : problemText(r);
    return QStringLiteral("el importe de %1%2 %3.").arg(key(r.key), where, problem);
}

// The record a field belongs to, before what is wrong with it ("el expediente: ").
QString sectionPrefix(Record record)
{
    switch (record) {
    case Record::EntityData:
        return QStringLiteral("la entidad: ");
    case Record::PlannedLoan:
        return QStringLiteral("la calculadora: ");
    case Record::Evolution:
        return QStringLiteral("la evolución: ");
    case Record::Dossier:
        return QStringLiteral("el expediente: ");
    case Record::Plan:
        return QStringLiteral("el plan de saneamiento: ");
    default:
        break;
    }
    return {};
}

QString capitalised(const QString& sentence)
{
    return sentence.left(1).toUpper() + sentence.mid(1);
}

// A settlement's chapter, or its collections (chapter 0), whose total no figure could hold.
QString chapterRefusal(const Refusal& r)
{
    using borrowing::Figures;
    if (r.index == 0)
        return QStringLiteral("la recaudación de los capítulos I a III pasa de 13 cifras enteras.");
    const auto revenue = {&Figures::revenueI,  &Figures::revenueII, &Figures::revenueIII,
                          &Figures::revenueIV, &Figures::revenueV,  &Figures::revenueVI,
                          &Figures::revenueVII};
    const bool isRevenue = std::any_of(revenue.begin(), revenue.end(), [&r](auto figure) {
        return sameKey(borrowing::fieldOf(borrowing::FigureFields, figure).key, r.key);
    });
    return (isRevenue ? QStringLiteral("los derechos reconocidos netos del capítulo %1 pasan de "
                                       "13 cifras enteras.")
                      : QStringLiteral("las obligaciones reconocidas netas del capítulo %1 pasan "
                                       "de 13 cifras enteras."))
        .arg(chapterNumeral(r.index));
}

} // namespace

QString refusalText(const Refusal& r)
{
    if (r.line > 0)
        return QStringLiteral("Línea %1: ").arg(r.line) + lineRefusal(r);
    switch (r.reason) {
    case Reason::NotACase:
        return QStringLiteral("no es un caso de endeudamiento.");
    case Reason::LaterVersion:
        return QStringLiteral("lo creó una versión posterior del programa.");
    case Reason::InvalidLimit:
        return QStringLiteral("el límite de endeudamiento no es válido.");
    case Reason::NotUtf8:
        return QStringLiteral("no está en UTF-8.");
    case Reason::MeasuresPastPlan:
        return sectionPrefix(r.record) + QStringLiteral("%1 tiene %2 años y el plan %3.")
                                             .arg(key(r.key))
                                             .arg(r.count)
                                             .arg(r.expected);
    case Reason::NoRows:
        return QStringLiteral("no tiene filas de la liquidación.");
    case Reason::ChapterTooLarge:
        return chapterRefusal(r);
    default:
        break;
    }
    if (r.reason == Reason::WrongShape && r.record == Record::Measures)
        return QStringLiteral("el plan de saneamiento: el año %1 de %2 %3.")
            .arg(r.index)
            .arg(key(borrowing::keys::Measures), shapeText(r.shape));
    // A value of another shape than its field's, or a word no option has, after its record.
    if ((r.reason == Reason::WrongShape && r.record != Record::Entity &&
         r.record != Record::Loan) ||
        (r.reason == Reason::UnknownWord && r.record == Record::Dossier)) {
        const QString problem = r.reason == Reason::WrongShape
                                    ? shapeText(r.shape)
                                    : QStringLiteral("no es ") + wordsText(r.words);
        return sectionPrefix(r.record) + QStringLiteral("%1 %2.").arg(key(r.key), problem);
    }
    // Only a figure out of its bounds says where it stands; one that is no number says its key.
    const bool bounds = r.reason != Reason::NotANumber;
    switch (r.record) {
    case Record::Entity:
        return entityRefusal(r) + u'.';
    case Record::Loan:
        return loanRefusal(r);
    case Record::RegisterTotal:
        return figureRefusal(r, QStringLiteral(" (total del registro de préstamos vigentes)"));
    case Record::PlannedLoan:
        return figureRefusal(r, bounds ? QStringLiteral(" de la calculadora") : QString());
    case Record::Evolution:
        return figureRefusal(r, bounds ? QStringLiteral(" de la evolución") : QString());
    case Record::Dossier:
        return figureRefusal(r, QStringLiteral(" del expediente"));
    case Record::Plan:
        return figureRefusal(r, QStringLiteral(" del plan de saneamiento"));
    case Record::Measures:
        return figureRefusal(r, QStringLiteral(" del año %1 del plan de saneamiento").arg(r.index));
    case Record::EntityData:
    case Record::Figures:
    case Record::None:
        break;
    }
    return figureRefusal(r, QString());
}

QString cellRefusalText(const Refusal& r)
{
    switch (r.record) {
    case Record::RegisterTotal:
        return QStringLiteral("El total del registro pasaría de 13 cifras enteras.");
    case Record::Loan:
        if (const borrowing::LoanField* field = loanField(r.key)) {
            return QStringLiteral("Préstamo %1, \"%2\": %3.")
                .arg(r.index)
                .arg(key(field->label), problemText(r));
        }
        break;
    case Record::Measures:
        for (const auto& field : borrowing::MeasureFields) {
            if (sameKey(field.key, r.key)) {
                return QStringLiteral("Año %1, \"%2\": %3.")
                    .arg(r.index)
                    .arg(key(field.label), problemText(r));
            }
        }
        break;
    case Record::Plan:
        for (const auto& field : borrowing::PlanFields) {
            if (sameKey(field.key, r.key)) {
                QString label = key(field.label);
                label.chop(1); // its colon
                return QStringLiteral("\"%1\": %2.").arg(label, problemText(r));
            }
        }
        break;
    default:
        break;
    }
    return capitalised(refusalText(r));
}

QString cannotOpenText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("No se puede abrir \"%1\": %2").arg(fileName, reason);
}

QString cannotSaveText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("No se puede guardar \"%1\": %2").arg(fileName, reason);
}

QString cannotImportText(const QString& fileName, const QString& reason)
{
    return QStringLiteral("No se puede importar \"%1\": %2").arg(fileName, reason);
}

QString accessTableUnreadText(const QString& table)
{
    return QStringLiteral("mdb-export no ha podido leer la tabla \"%1\".").arg(table);
}

} // namespace reports
