// Existing loans read from a CSV file that an accounting program exported.
#include "LoanCsv.h"

#include "Checks.h"
#include "DigitText.h"

#include <QStringList>

#include <array>
#include <optional>

namespace imports {

using namespace borrowing;

namespace {

struct Record
{
    int line = 1; // where the record starts, from 1
    QStringList fields;
};

using Reason = Refusal::Reason;

[[noreturn]] void failAt(int line, Refusal refusal)
{
    refusal.line = line;
    throw Refused(std::move(refusal));
}

QString decoded(const QByteArray& bytes)
{
    QString text = csv::decoded(bytes, csv::isUtf8(bytes));
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
            failAt(record.line, {.reason = Reason::UnclosedQuote});
        return true;
    }

private:
    const QString& m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;
};

// The number in the form that goes with the separator: "-1.234,5" with ";", "-1234.5" with
// ","; nothing when it is not one. No other character than ASCII is part of a number.
std::optional<Amount> number(const QString& text, QChar separator)
{
    return csv::number(text.toLatin1(), separator == u';' ? ';' : ',');
}

// The columns a file may name: every figure of a loan but its holder. The ones every file must
// have come first.
bool isColumn(const LoanField& field)
{
    return field.text != &Loan::holder;
}

// One record's fields by column, which is the field's place in the loans' table.
class Fields
{
public:
    Fields(const Record& record, const std::array<qsizetype, LoanFields.size()>& columns,
           QChar separator)
        : m_record(record), m_columns(columns), m_separator(separator)
    {
    }

    int line() const { return m_record.line; }
    // The field of a column; empty when the file has no such column.
    QString text(const LoanField& field) const
    {
        const qsizetype at = m_columns[place(field)];
        return at < 0 ? QString() : m_record.fields[at].trimmed();
    }
    // The number of a column rounded to its field's decimals; a text that is no number stops
    // the reading.
    Amount numberOf(const LoanField& field) const
    {
        const std::optional<Amount> value = number(text(field), m_separator);
        if (!value) {
            failAt(line(), {.reason = Reason::NotANumber,
                            .key = field.key,
                            .text = m_record.fields[m_columns[place(field)]]});
        }
        return decimal::roundToDecimals(*value, field.decimals);
    }
    // A figure of a loan, which must be one a loan can have.
    Amount figure(const LoanField& field) const
    {
        const Amount value = numberOf(field);
        if (const auto reason = valueProblem(field, value)) {
            failAt(
                line(),
                {.reason = *reason, .key = field.key, .bounds = field.bounds, .text = text(field)});
        }
        return value;
    }

private:
    static std::size_t place(const LoanField& field)
    {
        return static_cast<std::size_t>(&field - LoanFields.data());
    }

    const Record& m_record;
    const std::array<qsizetype, LoanFields.size()>& m_columns;
    QChar m_separator;
};

// The loan of a record. An empty field of an optional column reads as its absence: an own
// loan, the whole of it guaranteed, no mortgage. A share is read for a guaranteed loan only; a
// mortgage on a loan that cannot have one is refused.
Loan loanOf(const Fields& fields)
{
    Loan loan;
    for (const LoanField& field : LoanFields) {
        const QString text = fields.text(field);
        const bool read = field.appliesTo(loan) || field.amount == &Loan::mortgaged;
        if (!isColumn(field) || !read || (!field.required && text.isEmpty()))
            continue;
        switch (field.kind) {
        case FieldKind::Text:
            loan.*field.text = text;
            break;
        case FieldKind::Choice:
            if (const std::optional<int> option = choiceNamed(field.words, text))
                field.setChoice(loan, *option);
            else
                failAt(fields.line(), {.reason = Reason::UnknownWord,
                                       .key = field.key,
                                       .text = text,
                                       .words = field.words});
            break;
        case FieldKind::Flag:
            break;
        case FieldKind::Amount:
        case FieldKind::Percent:
        case FieldKind::Years:
            // The mortgage-secured part is checked with the capital it is part of.
            loan.*field.amount =
                field.amount == &Loan::mortgaged ? fields.numberOf(field) : fields.figure(field);
            break;
        }
    }
    if (const auto reason = mortgageProblem(loan))
        failAt(fields.line(), {.reason = *reason});
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
        failAt(1, {.reason = Reason::MissingHeader});

    std::array<qsizetype, LoanFields.size()> columns{};
    QStringList headings;
    for (const QString& name : header.fields)
        headings << name.trimmed().toLower();
    for (std::size_t n = 0; n < LoanFields.size(); ++n) {
        const LoanField& field = LoanFields[n];
        columns[n] = isColumn(field) ? headings.indexOf(QString::fromLatin1(field.key)) : -1;
        if (columns[n] < 0 && isColumn(field) && field.required)
            failAt(header.line, {.reason = Reason::Missing, .key = field.key});
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
            failAt(record.line, {.reason = Reason::FieldCount,
                                 .count = static_cast<int>(record.fields.size()),
                                 .expected = static_cast<int>(headings.size())});
        }
        loans.push_back(loanOf(Fields(record, columns, separator)));
    }
    return loans;
}

} // namespace imports
