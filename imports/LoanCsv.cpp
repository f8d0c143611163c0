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

namespace imports {

using namespace borrowing;

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

// The columns a file names in its header; the first four are required.
enum Column
{
    Lender,
    CapitalColumn,
    RateColumn,
    YearsColumn,
    KindColumn,
    ShareColumn,
    MortgageColumn,
    ColumnCount
};
constexpr int RequiredColumns = KindColumn;

const std::array<QString, ColumnCount>& columnNames()
{
    static const std::array<QString, ColumnCount> names{
        QStringLiteral("entidad"), QStringLiteral("capital"), QStringLiteral("interes"),
        QStringLiteral("anios"),   QStringLiteral("tipo"),    QStringLiteral("aval"),
        QStringLiteral("hipoteca")};
    return names;
}

// One record's fields by column.
class Fields
{
public:
    Fields(const Record& record, const std::array<qsizetype, ColumnCount>& columns, QChar separator)
        : m_record(record), m_columns(columns), m_separator(separator)
    {
    }

    int line() const { return m_record.line; }
    // The field of a column; empty when the file has no such column.
    QString text(Column column) const
    {
        const qsizetype at = m_columns[column];
        return at < 0 ? QString() : m_record.fields[at].trimmed();
    }
    // The number of a column rounded to these decimals; a text that is no number stops the
    // reading.
    Amount numberOf(Column column, int decimals) const
    {
        const std::optional<Amount> value = number(text(column), m_separator);
        if (!value) {
            failAt(line(), QStringLiteral("\"%1\" no es un número válido en la columna %2.")
                               .arg(m_record.fields[m_columns[column]], columnNames()[column]));
        }
        return decimal::roundToDecimals(*value, decimals);
    }
    // A figure of a loan, which must be one a loan can have.
    Amount figure(Column column, LoanFigure figure) const
    {
        const Amount value =
            numberOf(column, figure == LoanFigure::Years ? YearsDecimals : AmountDecimals);
        if (const QString problem = loanFigureProblem(figure, value); !problem.isEmpty()) {
            failAt(line(), QStringLiteral("en la columna %1, %2 %3.")
                               .arg(columnNames()[column], text(column), problem));
        }
        return value;
    }

private:
    const Record& m_record;
    const std::array<qsizetype, ColumnCount>& m_columns;
    QChar m_separator;
};

// The loan of a record. An empty field of an optional column reads as its absence: an own
// loan, the whole of it guaranteed, no mortgage. Only a guaranteed loan takes a share.
Loan loanOf(const Fields& fields)
{
    Loan loan{fields.text(Lender), fields.figure(CapitalColumn, LoanFigure::Capital),
              fields.figure(RateColumn, LoanFigure::Rate),
              fields.figure(YearsColumn, LoanFigure::Years)};
    if (const QString kind = fields.text(KindColumn); !kind.isEmpty()) {
        const std::optional<LoanKind> named = loanKindNamed(kind);
        if (!named) {
            failAt(fields.line(),
                   QStringLiteral("en la columna tipo, \"%1\" no es propio, avalado ni corto "
                                  "plazo.")
                       .arg(kind));
        }
        loan.kind = *named;
    }
    if (loan.kind == LoanKind::Guaranteed && !fields.text(ShareColumn).isEmpty())
        loan.guaranteedShare = fields.figure(ShareColumn, LoanFigure::GuaranteedShare);
    if (!fields.text(MortgageColumn).isEmpty()) {
        loan.mortgaged = fields.numberOf(MortgageColumn, AmountDecimals);
        if (const QString problem = loanMortgageProblem(loan); !problem.isEmpty())
            failAt(fields.line(), problem + u'.');
    }
    return loan;
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

    std::array<qsizetype, ColumnCount> columns{};
    QStringList headings;
    for (const QString& name : header.fields)
        headings << name.trimmed().toLower();
    for (int n = 0; n < ColumnCount; ++n) {
        columns[n] = headings.indexOf(columnNames()[n]);
        if (columns[n] < 0 && n < RequiredColumns)
            failAt(header.line, QStringLiteral("falta la columna \"%1\".").arg(columnNames()[n]));
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
        loans.push_back(loanOf(Fields(record, columns, separator)));
    }
    return loans;
}

} // namespace imports
