// A field of a record of the case, as one row of that record's table: the key files give it,
// the member that holds it, its kind, the values it may take, the report's tag and its label.
#pragma once

#include "Amount.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <type_traits>

namespace borrowing {

using amount::Amount;

// The decimals the fields show: every amount, and a term in years.
inline constexpr int AmountDecimals = 2;
inline constexpr int YearsDecimals = 0;

// The largest amount a field takes: 13 integer digits, so that it still shows to the cent.
inline constexpr Amount LargestAmount = 9999999999999.99L;
// A yearly rate in percent, and a term in years, are at most this; revenue grows or shrinks by
// at most this percentage a year.
inline constexpr Amount LargestRate = 100;
inline constexpr Amount LargestYears = 100;
inline constexpr Amount LargestGrowth = 100;
// A financial recovery plan lasts at most three years.
inline constexpr Amount LongestPlanYears = 3;

// How a field holds its value, and so how it is typed, checked, written and shown.
enum class FieldKind : std::uint8_t
{
    // Euros (or days): at most 13 integer digits, and not below its lowest bound.
    Amount,
    // A percentage, or a term in years: between its bounds.
    Percent,
    Years,
    Text,
    // One of a few options, which files write as words.
    Choice,
    Flag
};

// The values a figure may take: from `lowest` (itself allowed or not) to `highest`.
struct Bounds
{
    Amount lowest = -LargestAmount;
    Amount highest = LargestAmount;
    bool lowestIncluded = true;

    friend bool operator==(const Bounds&, const Bounds&) = default;
};
inline constexpr Bounds NotNegative{0, LargestAmount};
inline constexpr Bounds Percentage{0, LargestRate};

// An option of a choice: the word files write it with, and one more word read as it.
struct ChoiceWord
{
    const char* word;
    const char* alsoRead = nullptr;
};
using ChoiceWords = std::span<const ChoiceWord>;

// The option a text names, in any case and with spaces around it; nothing for any other text.
std::optional<int> choiceNamed(ChoiceWords words, QStringView text);

template <typename Record> struct Field
{
    const char* key;
    FieldKind kind = FieldKind::Amount;
    // The member that holds it, by its kind; a choice is read and set as its option's index.
    Amount Record::*amount = nullptr;
    QString Record::*text = nullptr;
    bool Record::*flag = nullptr;
    ChoiceWords words = {};
    int (*choice)(const Record&) = nullptr;
    void (*setChoice)(Record&, int) = nullptr;
    int decimals = AmountDecimals;
    Bounds bounds = {};
    // The report's tag that shows it, and the label a table heads it with; none when nothing
    // shows it so.
    const char* tag = nullptr;
    const char* label = nullptr;
    // Files must hold it; the others are written only where they differ from a new record's.
    bool required = true;
    // Whether the record counts it at all (a guaranteed share only for a guaranteed loan); a
    // field that does not apply is neither shown nor typed.
    bool (*applies)(const Record&) = nullptr;
    // A choice older files wrote as a flag: true reads as its second option, false as its third.
    bool readsFlags = false;

    bool appliesTo(const Record& record) const { return !applies || applies(record); }
    bool isNumber() const
    {
        return kind == FieldKind::Amount || kind == FieldKind::Percent || kind == FieldKind::Years;
    }
};

// The field of a table that holds `member` (an amount, a text or a flag); the table must have
// one.
template <typename Table, typename Record, typename Value>
constexpr const Field<Record>& fieldOf(const Table& table, Value Record::*member)
{
    for (const Field<Record>& field : table) {
        if constexpr (std::is_same_v<Value, Amount>) {
            if (field.amount == member)
                return field;
        } else if constexpr (std::is_same_v<Value, QString>) {
            if (field.text == member)
                return field;
        } else {
            if (field.flag == member)
                return field;
        }
    }
    throw std::logic_error("no field holds the member");
}

// The table's choice; it must have one.
template <typename Table> constexpr const auto& choiceField(const Table& table)
{
    for (const auto& field : table) {
        if (field.kind == FieldKind::Choice)
            return field;
    }
    throw std::logic_error("the table has no choice");
}

// Whether two records hold the same value in the field.
template <typename Record>
bool sameValue(const Field<Record>& field, const Record& a, const Record& b)
{
    switch (field.kind) {
    case FieldKind::Text:
        return a.*field.text == b.*field.text;
    case FieldKind::Choice:
        return field.choice(a) == field.choice(b);
    case FieldKind::Flag:
        return a.*field.flag == b.*field.flag;
    case FieldKind::Amount:
    case FieldKind::Percent:
    case FieldKind::Years:
        break;
    }
    return a.*field.amount == b.*field.amount;
}

} // namespace borrowing
