// What is wrong with a case, a file or a value typed, as a value: the record and field it is
// about, the reason, the bound it breaks and the line of a file; the wording layer phrases it.
#pragma once

#include "Field.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <stdexcept>

namespace borrowing {

// Input the program refuses, or a result it cannot show.
class InvalidInput : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct Refusal
{
    enum class Reason : std::uint8_t
    {
        // A figure past 13 integer digits, or (for the register's totals) one that would be.
        TooManyDigits,
        Negative,
        // Outside its bounds.
        OutOfRange,
        // A text that is no number, or no valid figure; a word that names no option.
        NotANumber,
        UnknownWord,
        // A mortgage-secured part below 0, above the capital, or on a short-term operation.
        MortgageNegative,
        MortgageAboveCapital,
        MortgageOnShortTerm,
        // Dependent entities: without a name, named twice, with transfers above their revenue; a
        // loan held by an entity the case does not have.
        Unnamed,
        RepeatedName,
        TransfersAboveRevenue,
        UnknownHolder,
        // A field, column or header a file must have and has not.
        Missing,
        MissingHeader,
        // A line of a CSV file with another number of fields than its header, or an open quote.
        FieldCount,
        UnclosedQuote,
        // A file that is no case, or one a later version wrote; a debt limit that is no number;
        // a file not in UTF-8; a value of another shape than its field's.
        NotACase,
        LaterVersion,
        InvalidLimit,
        NotUtf8,
        WrongShape,
        // A recovery plan with measures for more years than it has.
        MeasuresPastPlan,
        // A count of years with a fraction.
        NotWhole,
        // A settlement's file: a code that is no economic code, no rows (of the entity chosen),
        // a chapter's total (or the collections, chapter 0) past its field's digits.
        NotACode,
        NoRows,
        ChapterTooLarge
    };
    // What shape of value a field of a file holds.
    enum class Shape : std::uint8_t
    {
        Text,
        Flag,
        Number,
        List,
        Object
    };
    // The record of the case the field belongs to.
    enum class Record : std::uint8_t
    {
        None,
        // The entity's name and province.
        EntityData,
        Figures,
        PlannedLoan,
        Evolution,
        Dossier,
        Loan,
        Entity,
        // The recovery plan, and a year's measures of it.
        Plan,
        Measures,
        // The register's totals as they stand in the figures.
        RegisterTotal
    };

    Reason reason;
    Record record = Record::None;
    // The field's key; for a register total, the figure's.
    const char* key = nullptr;
    Bounds bounds = {};
    // The loan's or entity's place in its list, from 1.
    int index = 0;
    // The entity's name, or the text that was refused (a word, a number, a holder).
    QString name = {};
    QString text = {};
    // A file's line, from 1; and the fields a CSV line has.
    int line = 0;
    int count = 0;
    int expected = 0;
    // The words a choice takes, for a word that names none.
    ChoiceWords words = {};
    // The shape the field's value should have had.
    Shape shape = Shape::Text;
};

// A refusal thrown where the input cannot go on; its what() is for logs only, never shown.
class Refused : public InvalidInput
{
public:
    explicit Refused(Refusal refusal);
    const Refusal& refusal() const { return m_refusal; }

private:
    Refusal m_refusal;
};

} // namespace borrowing
