// Data sources for rtfill: a CSV file or a SQLite query, read into memory.
#include "DataSources.h"

#include "AsciiText.h"
#include "CsvReader.h"
#include "DatePatterns.h"
#include "MappedFile.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <optional>
#include <system_error>

namespace rtfill {

using namespace templating;

namespace {

bool isInteger(std::string_view s)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

bool isNumber(std::string_view s)
{
    if (s.find_first_of("0123456789") == std::string_view::npos)
        return false; // "inf", "nan"
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

std::optional<long double> isoDate(std::string_view s)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    const auto number = [&](std::size_t at, std::size_t length, int& out) {
        const auto [end, error] = std::from_chars(s.data() + at, s.data() + at + length, out);
        return error == std::errc() && end == s.data() + at + length;
    };
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day))
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok())
        return std::nullopt;
    return encodeDate(year, month, day);
}

// The narrowest type that every non-empty value of a column fits, learnt value by value.
class TypeGuess
{
public:
    void see(std::string_view value)
    {
        m_any = true;
        m_integers = m_integers && isInteger(value);
        m_numbers = m_numbers && (m_integers || isNumber(value));
        m_dates = m_dates && isoDate(value).has_value();
    }
    FieldType type() const
    {
        if (!m_any)
            return FieldType::String;
        return m_integers  ? FieldType::Largeint
               : m_numbers ? FieldType::Float
               : m_dates   ? FieldType::Date
                           : FieldType::String;
    }

private:
    bool m_integers = true;
    bool m_numbers = true;
    bool m_dates = true;
    bool m_any = false;
};

// Which columns the caller wants read as dates.
std::vector<bool> dateColumns(const std::vector<std::string>& header,
                              const std::vector<std::string>& dateFields)
{
    std::vector<bool> dates;
    for (const std::string& column : header) {
        dates.push_back(std::any_of(dateFields.begin(), dateFields.end(), [&](const auto& wanted) {
            return equalsAsciiNoCase(column, wanted);
        }));
    }
    return dates;
}

void checkDate(std::string_view value, const std::string& where, const std::string& field)
{
    if (!isoDate(value)) {
        throw DataSourceError(where + ": \"" + std::string(value) + "\" in field " + field +
                              " is not a date (YYYY-MM-DD)");
    }
}

void appendValue(TableDataSet::Column& column, std::string_view value)
{
    switch (column.dataType()) {
    case FieldType::Largeint: {
        std::int64_t integer = 0;
        std::from_chars(value.data(), value.data() + value.size(), integer);
        column.append(integer);
        break;
    }
    case FieldType::Float: {
        double number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        column.append(number);
        break;
    }
    case FieldType::Date:
        column.append(static_cast<double>(*isoDate(value)));
        break;
    default:
        column.append(std::string(value));
        break;
    }
}

} // namespace

std::unique_ptr<TableDataSet> readCsv(const std::string& name, const std::string& path,
                                      const std::vector<std::string>& dateFields)
{
    std::optional<MappedFile> file;
    try {
        file.emplace(path);
    } catch (const std::system_error&) {
        throw DataSourceError("cannot read the CSV file " + path);
    }
    CsvReader reader(file->bytes(), path);
    const std::vector<CsvField>* record = reader.next();
    if (!record)
        throw DataSourceError(path + ": no header row");
    std::vector<std::string> header;
    for (const CsvField& field : *record)
        header.emplace_back(field.value_or(std::string_view()));
    const std::vector<bool> dates = dateColumns(header, dateFields);

    // A first pass learns the columns' types, a second converts the values.
    std::vector<TypeGuess> guesses(header.size());
    std::size_t rows = 0;
    std::optional<std::string> tooManyFields; // reported once the whole file parsed
    while ((record = reader.next())) {
        ++rows;
        if (record->size() > header.size()) {
            if (!tooManyFields) {
                tooManyFields = path + ": record " + std::to_string(rows) + " has " +
                                std::to_string(record->size()) + " fields, the header " +
                                std::to_string(header.size());
            }
            continue;
        }
        for (std::size_t c = 0; c < record->size(); ++c) {
            if (const CsvField& value = (*record)[c]) {
                if (dates[c])
                    checkDate(*value, path + ": record " + std::to_string(rows), header[c]);
                guesses[c].see(*value);
            }
        }
    }
    if (tooManyFields)
        throw DataSourceError(*tooManyFields);

    auto data = std::make_unique<TableDataSet>(name);
    std::vector<TableDataSet::Column*> columns;
    for (std::size_t c = 0; c < header.size(); ++c)
        columns.push_back(
            &data->addColumn(header[c], dates[c] ? FieldType::Date : guesses[c].type()));
    data->reserve(rows);
    CsvReader values(file->bytes(), path);
    values.next();
    while ((record = values.next())) {
        for (std::size_t c = 0; c < record->size(); ++c) {
            if (const CsvField& value = (*record)[c])
                appendValue(*columns[c], *value);
        }
        data->endRow();
    }
    return data;
}

namespace {

// The type a declared SQLite column type asks for; Unknown when there is none.
FieldType declaredType(const char* declared)
{
    if (!declared || !*declared)
        return FieldType::Unknown;
    std::string type(declared);
    std::transform(type.begin(), type.end(), type.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (type.find("INT") != std::string::npos)
        return FieldType::Largeint;
    if (type.find("CHAR") != std::string::npos || type.find("CLOB") != std::string::npos ||
        type.find("TEXT") != std::string::npos)
        return FieldType::String;
    if (type.find("DATE") != std::string::npos)
        return FieldType::Date;
    if (type.find("BLOB") != std::string::npos)
        return FieldType::String;
    return FieldType::Float; // REAL, FLOAT, DOUBLE, NUMERIC, DECIMAL
}

// A declared type holds only when the values fit it (SQLite types values, not columns).
FieldType fittingType(FieldType declared, FieldType inferred)
{
    const bool fits = declared == FieldType::String ||
                      (declared == FieldType::Largeint && inferred == FieldType::Largeint) ||
                      (declared == FieldType::Float &&
                       (inferred == FieldType::Largeint || inferred == FieldType::Float)) ||
                      (declared == FieldType::Date && inferred == FieldType::Date);
    return fits ? declared : inferred;
}

struct Closer
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

} // namespace

std::unique_ptr<TableDataSet> readSqlite(const std::string& name, const std::string& database,
                                         const std::string& query,
                                         const std::vector<std::string>& dateFields)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(database.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (opened != SQLITE_OK)
        throw DataSourceError("cannot open the database " + database + ": " +
                              (raw ? sqlite3_errmsg(raw) : "out of memory"));
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(db.get(), query.c_str(), -1, &rawStatement, nullptr) != SQLITE_OK)
        throw DataSourceError("query " + name + ": " + sqlite3_errmsg(db.get()));
    std::unique_ptr<sqlite3_stmt, Closer> statement(rawStatement);

    const auto columnCount = static_cast<std::size_t>(sqlite3_column_count(statement.get()));
    std::vector<std::string> header;
    std::vector<FieldType> declared;
    for (int c = 0; c < static_cast<int>(columnCount); ++c) {
        header.emplace_back(sqlite3_column_name(statement.get(), c));
        declared.push_back(declaredType(sqlite3_column_decltype(statement.get(), c)));
    }
    const std::vector<bool> dates = dateColumns(header, dateFields);
    std::vector<TypeGuess> guesses(columnCount);
    std::vector<std::optional<std::string>> cells; // row after row
    std::size_t rows = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < static_cast<int>(columnCount); ++c) {
            if (sqlite3_column_type(statement.get(), c) == SQLITE_NULL) {
                cells.emplace_back();
                continue;
            }
            const auto* text = sqlite3_column_text(statement.get(), c);
            const std::string& value =
                cells
                    .emplace_back(
                        std::in_place, reinterpret_cast<const char*>(text),
                        static_cast<std::size_t>(sqlite3_column_bytes(statement.get(), c)))
                    .value();
            const auto column = static_cast<std::size_t>(c);
            if (dates[column])
                checkDate(value, "query " + name + ": row " + std::to_string(rows), header[column]);
            guesses[column].see(value);
        }
    }
    if (step != SQLITE_DONE)
        throw DataSourceError("query " + name + ": " + sqlite3_errmsg(db.get()));

    auto data = std::make_unique<TableDataSet>(name);
    std::vector<TableDataSet::Column*> columns;
    for (std::size_t c = 0; c < columnCount; ++c) {
        const FieldType type =
            dates[c] ? FieldType::Date : fittingType(declared[c], guesses[c].type());
        columns.push_back(&data->addColumn(header[c], type));
    }
    data->reserve(rows);
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columnCount; ++c) {
            if (const std::optional<std::string>& value = cells[row * columnCount + c])
                appendValue(*columns[c], *value);
        }
        data->endRow();
    }
    return data;
}

} // namespace rtfill
