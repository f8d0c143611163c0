// Existing loans read from a CSV file that an accounting program exported.
#include "LoanCsv.h"

#include "DigitText.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <array>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace borrowing {

namespace {

struct Record
{
    int line; // where the record starts, from 1
    QStringList fields;
};

[[noreturn]] void failAt(int line, const QString& what)
{
    throw std::runtime_error(QStringLiteral("Línea %1: %2").arg(line).arg(what).toStdString());
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

// The records of the text (RFC 4180: quoted fields may hold separators, line breaks and
// doubled quotes).
std::vector<Record> records(const QString& text, QChar separator)
{
    std::vector<Record> result;
    Record record{1, {QString()}};
    int line = 1;
    bool quoted = false;
    bool fieldStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                record.fields.back() += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                record.fields.back() += c;
            }
        } else if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            record.fields << QString();
            fieldStarted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result.push_back(record);
            record = {++line, {QString()}};
            fieldStarted = false;
        } else {
            record.fields.back() += c;
            fieldStarted = true;
        }
    }
    if (quoted)
        failAt(record.line, QStringLiteral("unas comillas no se cierran."));
    if (record.fields.size() > 1 || !record.fields.front().isEmpty())
        result.push_back(record);
    return result;
}

// The number in the form that goes with the separator; nothing when it is not one.
std::optional<Amount> number(const QString& text, QChar separator)
{
    static const QRegularExpression spanish(
        QStringLiteral("^-?([0-9]{1,3}(\\.[0-9]{3})+|[0-9]+)(,[0-9]+)?$"));
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    QString written = text.trimmed();
    if (separator == u';') {
        if (!spanish.match(written).hasMatch())
            return std::nullopt;
        written.remove(u'.').replace(u',', u'.');
    } else if (!plain.match(written).hasMatch()) {
        return std::nullopt;
    }
    const QByteArray bytes = written.toLatin1();
    Amount value = 0;
    const char* const end = bytes.constData() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.constData(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::vector<Loan> readLoansCsv(const QByteArray& bytes)
{
    const QString text = decoded(bytes);
    const QString headerLine = text.section(u'\n', 0, 0);
    const QChar separator = headerLine.contains(u';') ? u';' : u',';
    const std::vector<Record> all = records(text, separator);
    if (all.empty() || headerLine.trimmed().isEmpty())
        failAt(1, QStringLiteral("falta la cabecera con las columnas entidad, capital, interes y "
                                 "anios."));

    const std::array<QString, 4> names{QStringLiteral("entidad"), QStringLiteral("capital"),
                                       QStringLiteral("interes"), QStringLiteral("anios")};
    std::array<qsizetype, 4> column{};
    QStringList header;
    for (const QString& name : all.front().fields)
        header << name.trimmed().toLower();
    for (std::size_t n = 0; n < names.size(); ++n) {
        column[n] = header.indexOf(names[n]);
        if (column[n] < 0)
            failAt(all.front().line, QStringLiteral("falta la columna \"%1\".").arg(names[n]));
    }

    std::vector<Loan> loans;
    for (auto record = all.begin() + 1; record != all.end(); ++record) {
        if (record->fields.size() == 1 && record->fields.front().trimmed().isEmpty())
            continue; // a blank line
        if (record->fields.size() != header.size()) {
            failAt(record->line, QStringLiteral("tiene %1 campos y la cabecera %2.")
                                     .arg(record->fields.size())
                                     .arg(header.size()));
        }
        std::array<Amount, 3> figures{};
        for (std::size_t n = 1; n < names.size(); ++n) {
            const QString& field = record->fields[column[n]];
            const std::optional<Amount> value = number(field, separator);
            if (!value) {
                failAt(record->line, QStringLiteral("\"%1\" no es un número válido en la columna "
                                                    "%2.")
                                         .arg(field, names[n]));
            }
            figures[n - 1] = *value;
        }
        loans.push_back(
            {record->fields[column[0]].trimmed(), decimal::roundToDecimals(figures[0], 2),
             decimal::roundToDecimals(figures[1], 2), decimal::roundToDecimals(figures[2], 0)});
    }
    return loans;
}

} // namespace borrowing
