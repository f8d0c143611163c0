// Existing loans read from a CSV file that an accounting program exported.
#include "LoanCsv.h"

#include "Checks.h"
#include "DigitText.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace borrowing {

namespace {

struct Record
{
    int line = 1; // where the record starts, from 1
    QStringList fields;
};

[[noreturn]] void failAt(int line, const QString& what)
{
    throw InvalidInput(QStringLiteral("Línea %1: %2").arg(line).arg(what).toStdString());
}

QString decoded(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder codePage1252("windows-1252");
        // Without ICU Qt lacks the code page; Latin-1 differs from it only in 0x80..0x9F.
        text = codePage1252.isValid() ? QString(codePage1252(bytes)) : QString::fromLatin1(bytes);
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The records of a text one after another (RFC 4180: quoted fields may hold separators, line
// breaks and doubled quotes).
class RecordReader
{
public:
    RecordReader(const QString& text, QChar separator) : m_text(text), m_separator(separator) {}

    qsizetype position() const { return m_at; }

    // The next record; false past the last one.
    bool next(Record& record)
    {
        if (m_at >= m_text.size())
            return false;
        record.line = m_line;
        record.fields = {QString()};
        bool quoted = false;
        bool fieldStarted = false;
        const qsizetype size = m_text.size();
        for (; m_at < size; ++m_at) {
            const QChar c = m_text[m_at];
            if (quoted) {
                if (c == u'"' && m_at + 1 < size && m_text[m_at + 1] == u'"') {
                    record.fields.back() += u'"';
                    ++m_at;
                } else if (c == u'"') {
                    quoted = false;
                } else {
                    if (c == u'\n')
                        ++m_line;
                    record.fields.back() += c;
                }
            } else if (c == u'"' && !fieldStarted) {
                quoted = true;
                fieldStarted = true;
            } else if (c == m_separator) {
                record.fields << QString();
                fieldStarted = false;
            } else if (c == u'\n' || c == u'\r') {
                if (c == u'\r' && m_at + 1 < size && m_text[m_at + 1] == u'\n')
                    ++m_at;
                ++m_at;
                ++m_line;
                return true;
            } else {
                record.fields.back() += c;
                fieldStarted = true;
            }
        }
        if (quoted)
            failAt(record.line, QStringLiteral("unas comillas no se cierran."));
        return true;
    }

private:
    const QString& m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits with a separator every three from the right ("1.234.567"), or digits alone.
bool isGroupedInteger(QStringView digits, QChar groupSeparator)
{
    if (!digits.contains(groupSeparator))
        return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), isDigit);
    const qsizetype first = digits.indexOf(groupSeparator);
    if (first < 1 || first > 3)
        return false;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const bool separatorPlace = i >= first && (i - first) % 4 == 0;
        if (separatorPlace ? digits[i] != groupSeparator : !isDigit(digits[i]))
            return false;
    }
    return (digits.size() - first) % 4 == 0;
}

// The number in the form that goes with the separator: "-1.234,5" with ";", "-1234.5" with
// ","; nothing when it is not one.
std::optional<Amount> number(const QString& text, QChar separator)
{
    QStringView written = QStringView(text).trimmed();
    if (written.startsWith(u'-'))
        written = written.mid(1);
    const bool spanish = separator == u';';
    const QChar decimalPoint = spanish ? u',' : u'.';
    const qsizetype point = written.indexOf(decimalPoint);
    const QStringView integer = point < 0 ? written : written.first(point);
    const QStringView decimals = point < 0 ? QStringView() : written.mid(point + 1);
    const bool integerValid =
        spanish ? isGroupedInteger(integer, u'.')
                : !integer.isEmpty() && std::all_of(integer.begin(), integer.end(), isDigit);
    if (!integerValid || (point >= 0 && (decimals.isEmpty() ||
                                         !std::all_of(decimals.begin(), decimals.end(), isDigit))))
        return std::nullopt;
    QByteArray plain = text.trimmed().toLatin1();
    if (spanish)
        plain.replace('.', "").replace(',', '.');
    Amount value = 0;
    const char* const end = plain.constData() + plain.size();
    const auto [stop, error] = std::from_chars(plain.constData(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::vector<Loan> readLoansCsv(const QByteArray& bytes, const ReadingProgress& progress)
{
    const QString text = decoded(bytes);
    const QString headerLine = text.section(u'\n', 0, 0);
    const QChar separator = headerLine.contains(u';') ? u';' : u',';
    RecordReader reader(text, separator);
    Record header;
    if (headerLine.trimmed().isEmpty() || !reader.next(header))
        failAt(1, QStringLiteral("falta la cabecera con las columnas entidad, capital, interes y "
                                 "anios."));

    const std::array<QString, 4> names{QStringLiteral("entidad"), QStringLiteral("capital"),
                                       QStringLiteral("interes"), QStringLiteral("anios")};
    constexpr std::array<LoanFigure, 3> Figures{LoanFigure::Capital, LoanFigure::Rate,
                                                LoanFigure::Years};
    constexpr std::array<int, 3> Decimals{AmountDecimals, AmountDecimals, 0};
    std::array<qsizetype, 4> column{};
    QStringList headings;
    for (const QString& name : header.fields)
        headings << name.trimmed().toLower();
    for (std::size_t n = 0; n < names.size(); ++n) {
        column[n] = headings.indexOf(names[n]);
        if (column[n] < 0)
            failAt(header.line, QStringLiteral("falta la columna \"%1\".").arg(names[n]));
    }

    std::vector<Loan> loans;
    Record record;
    for (qint64 count = 1; reader.next(record); ++count) {
        constexpr qint64 RecordsBetweenReports = 4096;
        if (progress && count % RecordsBetweenReports == 0 &&
            !progress(reader.position(), text.size()))
            throw ReadingCancelled();
        if (record.fields.size() == 1 && record.fields.front().trimmed().isEmpty())
            continue; // a blank line
        if (record.fields.size() != headings.size()) {
            failAt(record.line, QStringLiteral("tiene %1 campos y la cabecera %2.")
                                    .arg(record.fields.size())
                                    .arg(headings.size()));
        }
        std::array<Amount, 3> figures{};
        for (std::size_t n = 0; n < Figures.size(); ++n) {
            const QString& field = record.fields[column[n + 1]];
            const std::optional<Amount> value = number(field, separator);
            if (!value) {
                failAt(record.line, QStringLiteral("\"%1\" no es un número válido en la columna "
                                                   "%2.")
                                        .arg(field, names[n + 1]));
            }
            figures[n] = decimal::roundToDecimals(*value, Decimals[n]);
            const QString problem = loanFigureProblem(Figures[n], figures[n]);
            if (!problem.isEmpty()) {
                failAt(record.line, QStringLiteral("en la columna %1, %2 %3.")
                                        .arg(names[n + 1], field.trimmed(), problem));
            }
        }
        loans.push_back({record.fields[column[0]].trimmed(), figures[0], figures[1], figures[2]});
    }
    return loans;
}

} // namespace borrowing
