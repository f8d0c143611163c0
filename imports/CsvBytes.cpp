// CSV files read as bytes: their encoding and separator, records split into fields left
// undecoded, headings compared loosely, numbers as the files write them, and the reading's
// progress.
#include "CsvBytes.h"

#include "Checks.h"
#include "Refusal.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

namespace imports::csv {

namespace {

using borrowing::Refused;
using Reason = borrowing::Refusal::Reason;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool allDigits(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isDigit);
}

// Digits with a separator every three from the right ("1.234.567"), or digits alone.
bool isGroupedInteger(QByteArrayView digits, char groupSeparator)
{
    const qsizetype first = digits.indexOf(groupSeparator);
    if (first < 0)
        return allDigits(digits);
    if (first < 1 || first > 3)
        return false;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const bool separatorPlace = i >= first && (i - first) % 4 == 0;
        if (separatorPlace ? digits[i] != groupSeparator : !isDigit(digits[i]))
            return false;
    }
    return (digits.size() - first) % 4 == 0;
}

// The length of the UTF-8 sequence that starts at `p`, valid up to `end`; 0 when it is none
// (a stray or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
int sequenceLength(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = *p;
    const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    if (length == 0 || end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    }
    const unsigned char second = p[1];
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

bool isUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    constexpr std::uint64_t HighBits = 0x8080808080808080U;
    while (p < end) {
        // Most of a file is ASCII: eight bytes at a time.
        std::uint64_t eight = 0;
        if (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & HighBits) == 0)) {
            p += 8;
        } else if (*p < 0x80) {
            ++p;
        } else {
            const int length = sequenceLength(p, end);
            if (length == 0)
                return false;
            p += length;
        }
    }
    return true;
}

Format formatOf(QByteArrayView bytes)
{
    Format format;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        format.start = 3;
    else
        format.utf8 = isUtf8(bytes);
    constexpr std::array<char, 3> Separators{';', '\t', ','};
    std::array<int, Separators.size()> counts{};
    bool quoted = false;
    for (qsizetype i = format.start; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        for (std::size_t n = 0; n < Separators.size(); ++n)
            counts[n] += c == Separators[n];
    }
    // On a tie, the first of them: a header line without any is one column, read with ",".
    const auto most = std::max_element(counts.begin(), counts.end());
    format.separator =
        *most == 0 ? ',' : Separators[static_cast<std::size_t>(most - counts.begin())];
    return format;
}

QString decoded(QByteArrayView bytes, bool utf8)
{
    if (utf8)
        return QString::fromUtf8(bytes);
    QStringDecoder codePage1252("windows-1252");
    // Without ICU Qt lacks the code page; Latin-1 differs from it only in 0x80..0x9F.
    return codePage1252.isValid() ? QString(codePage1252(bytes)) : QString::fromLatin1(bytes);
}

QByteArrayView bare(QByteArrayView field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.sliced(1, field.size() - 2).trimmed();
    return field;
}

QString text(QByteArrayView field, bool utf8)
{
    const QByteArrayView inside = bare(field);
    if (!inside.contains('"'))
        return decoded(inside, utf8);
    return decoded(inside.toByteArray().replace("\"\"", "\""), utf8);
}

QString headingKey(const QString& heading)
{
    QString plain;
    for (const QChar c : heading) {
        if (c != u'"' && !c.isSpace())
            plain += c;
    }
    return borrowing::comparableName(plain);
}

Column column(const QStringList& keys, borrowing::ChoiceWords names)
{
    for (const borrowing::ChoiceWord& name : names) {
        if (const qsizetype place = keys.indexOf(QString::fromLatin1(name.word)); place >= 0)
            return {place, name.word};
    }
    return {};
}

Column requiredColumn(const QStringList& keys, borrowing::ChoiceWords names)
{
    const Column found = column(keys, names);
    if (found.place < 0) {
        throw Refused(
            {.reason = Reason::Missing, .key = names.front().word, .line = 1, .words = names});
    }
    return found;
}

std::optional<amount::Amount> number(QByteArrayView text, char separator, bool exponent)
{
    const QByteArrayView whole = text.trimmed();
    QByteArrayView mantissa = whole.startsWith('-') ? whole.sliced(1) : whole;
    const bool spanish = separator == ';';
    if (exponent && !spanish) {
        const qsizetype e = std::max(mantissa.indexOf('e'), mantissa.indexOf('E'));
        if (e >= 0) {
            QByteArrayView power = mantissa.sliced(e + 1);
            if (power.startsWith('-') || power.startsWith('+'))
                power = power.sliced(1);
            if (!allDigits(power))
                return std::nullopt;
            mantissa = mantissa.first(e);
        }
    }
    const qsizetype point = mantissa.indexOf(spanish ? ',' : '.');
    const QByteArrayView integer = point < 0 ? mantissa : mantissa.first(point);
    if (!(spanish ? isGroupedInteger(integer, '.') : allDigits(integer)) ||
        (point >= 0 && !allDigits(mantissa.sliced(point + 1))))
        return std::nullopt;
    std::string plain(whole.data(), static_cast<std::size_t>(whole.size()));
    if (spanish) {
        std::erase(plain, '.');
        std::replace(plain.begin(), plain.end(), ',', '.');
    }
    amount::Amount value = 0;
    const char* const end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

Records::Records(QByteArrayView bytes, char separator, qsizetype from, int line)
    : m_bytes(bytes), m_separator(separator), m_at(from), m_line(line)
{
}

bool Records::next()
{
    const qsizetype size = m_bytes.size();
    if (m_at >= size)
        return false;
    const char* const data = m_bytes.data();
    m_fields.clear();
    m_recordLine = m_line;
    qsizetype fieldStart = m_at;
    bool quoted = false;
    bool fieldStarted = false;
    for (; m_at < size; ++m_at) {
        const char c = data[m_at];
        if (quoted) {
            if (c == '"') {
                if (m_at + 1 < size && data[m_at + 1] == '"')
                    ++m_at;
                else
                    quoted = false;
            } else if (c == '\n') {
                ++m_line;
            }
        } else if (c == m_separator) {
            m_fields.emplace_back(data + fieldStart, m_at - fieldStart);
            fieldStart = m_at + 1;
            fieldStarted = false;
        } else if (c == '\n' || c == '\r') {
            m_fields.emplace_back(data + fieldStart, m_at - fieldStart);
            if (c == '\r' && m_at + 1 < size && data[m_at + 1] == '\n')
                ++m_at;
            ++m_at;
            ++m_line;
            return true;
        } else {
            quoted = c == '"' && !fieldStarted;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw Refused({.reason = Reason::UnclosedQuote, .line = m_recordLine});
    m_fields.emplace_back(data + fieldStart, m_at - fieldStart);
    return true;
}

bool Records::isBlank() const
{
    return m_fields.size() == 1 && bare(m_fields.front()).isEmpty();
}

void Records::requireFields(qsizetype count) const
{
    if (static_cast<qsizetype>(m_fields.size()) != count) {
        throw Refused({.reason = Reason::FieldCount,
                       .line = m_recordLine,
                       .count = static_cast<int>(m_fields.size()),
                       .expected = static_cast<int>(count)});
    }
}

QStringList headingKeys(Records& records, bool utf8)
{
    QStringList keys;
    if (records.next()) {
        for (const QByteArrayView field : records.fields())
            keys << headingKey(text(field, utf8));
    }
    return keys;
}

} // namespace imports::csv
