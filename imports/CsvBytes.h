// CSV files read as bytes: their encoding and separator, records split into fields left
// undecoded, headings compared loosely, numbers as the files write them, and the reading's
// progress.
#pragma once

#include "Field.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace imports {

// Told how far the reading has come; answers false to stop it.
using ReadingProgress = std::function<bool(qint64 done, qint64 total)>;

// The reading was stopped through its progress function.
class ReadingCancelled : public std::runtime_error
{
public:
    ReadingCancelled() : std::runtime_error("cancelled") {}
};

namespace csv {

// How a file writes its text.
struct Format
{
    // UTF-8 when the file begins with its byte-order mark or is valid UTF-8, else Windows-1252.
    bool utf8 = true;
    // ";", "," or tab: whichever the header line uses most, outside quotes.
    char separator = ',';
    // Where the header starts: past the byte-order mark.
    qsizetype start = 0;
};
Format formatOf(QByteArrayView bytes);

bool isUtf8(QByteArrayView bytes);
// Bytes as text in a file's encoding.
QString decoded(QByteArrayView bytes, bool utf8);

// A field without the spaces around it and the quotes around its text, which may hold doubled
// quotes still.
QByteArrayView bare(QByteArrayView field);
// A field's text: bare, its doubled quotes undone, decoded.
QString text(QByteArrayView field, bool utf8);

// A heading as headings are compared: without quotes or spaces, in any case, with or without
// accents ("Económica" and "ECONOMICA" are one heading).
QString headingKey(const QString& heading);
// The column of the first of `names` (written as headingKey() leaves them) among a file's keyed
// headings: its place and the name found; -1 and none when the file has none of them.
struct Column
{
    qsizetype place = -1;
    const char* name = nullptr;
};
Column column(const QStringList& keys, borrowing::ChoiceWords names);
// The same for a column the file must have: refused on line 1 when it has none of the names.
Column requiredColumn(const QStringList& keys, borrowing::ChoiceWords names);

// A number as a file with `separator` writes it: with ";" a decimal comma and "." grouping
// thousands, if at all ("-1.234.567,89"); else a decimal point ("-1234567.89"), and an exponent
// where `exponent` allows one ("1.5e-05"). Nothing when the text is no such number.
std::optional<amount::Amount> number(QByteArrayView text, char separator, bool exponent = false);

// The records of CSV bytes one after another, each as its fields (RFC 4180: a field that starts
// with a quote may hold separators, line breaks and doubled quotes).
class Records
{
public:
    // Records from byte `from` on, the first of them on line `line`.
    Records(QByteArrayView bytes, char separator, qsizetype from = 0, int line = 1);

    // Moves to the next record; false past the last one. A quote left open is refused.
    bool next();
    // The record's fields as the file writes them, quotes and all.
    const std::vector<QByteArrayView>& fields() const { return m_fields; }
    // A line of spaces at most.
    bool isBlank() const;
    // Refuses a record without `count` fields, as the header has.
    void requireFields(qsizetype count) const;
    // The line the record starts on, from 1.
    int line() const { return m_recordLine; }
    // Where the next record starts.
    qsizetype position() const { return m_at; }

private:
    QByteArrayView m_bytes;
    char m_separator;
    qsizetype m_at;
    int m_line;
    int m_recordLine = 0;
    std::vector<QByteArrayView> m_fields;
};

// The next record's fields as heading keys; none past the last record.
QStringList headingKeys(Records& records, bool utf8);

} // namespace csv

} // namespace imports
