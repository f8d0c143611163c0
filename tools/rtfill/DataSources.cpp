// Data sources for rtfill: a CSV file or a SQLite query, read into memory.
#include "DataSources.h"

#include "DatePatterns.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace rtfill {

using namespace templating;

namespace {

using Cell = std::optional<std::string>; // no value: null

bool isInteger(const std::string& s)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

bool isNumber(const std::string& s)
{
    if (s.find_first_of("0123456789") == std::string::npos)
        return false; // "inf", "nan"
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

std::optional<long double> isoDate(const std::string& s)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    int year = 0, month = 0, day = 0;
    const auto number = [&](std::size_t at, std::size_t length, int& out) {
        const auto [end, error] = std::from_chars(s.data() + at, s.data() + at + length, out);
        return error == std::errc() && end == s.data() + at + length;
    };
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day) || month < 1 ||
        month > 12 || day < 1)
        return std::nullopt;
    static constexpr int MonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > MonthDays[month - 1] || (month == 2 && day == 29 && !leap))
        return std::nullopt;
    return encodeDate(year, month, day);
}

// The narrowest type all non-empty cells of a column fit.
FieldType inferType(const std::vector<std::vector<Cell>>& rows, std::size_t column)
{
    bool integers = true, numbers = true, dates = true, any = false;
    for (const auto& row : rows) {
        if (column >= row.size() || !row[column])
            continue;
        any = true;
        const std::string& cell = *row[column];
        integers = integers && isInteger(cell);
        numbers = numbers && isNumber(cell);
        dates = dates && isoDate(cell).has_value();
    }
    if (!any)
        return FieldType::String;
    return integers  ? FieldType::Largeint
           : numbers ? FieldType::Float
           : dates   ? FieldType::Date
                     : FieldType::String;
}

Variant convert(const Cell& cell, FieldType type, const TextEncoder& encode)
{
    if (!cell)
        return Variant::null();
    switch (type) {
    case FieldType::Largeint: {
        std::int64_t value = 0;
        std::from_chars(cell->data(), cell->data() + cell->size(), value);
        return Variant::fromInteger(value);
    }
    case FieldType::Float: {
        double value = 0;
        std::from_chars(cell->data(), cell->data() + cell->size(), value);
        return Variant::fromFloat(value);
    }
    case FieldType::Date:
        return Variant::fromDateTime(*isoDate(*cell));
    default:
        return Variant::fromText(encode(*cell));
    }
}

std::unique_ptr<MemoryDataSet> makeDataSet(const std::string& name,
                                           const std::vector<std::string>& header,
                                           const std::vector<FieldType>& types,
                                           const std::vector<std::vector<Cell>>& rows,
                                           const TextEncoder& encode)
{
    auto data = std::make_unique<MemoryDataSet>(name);
    for (std::size_t c = 0; c < header.size(); ++c)
        data->addField(encode(header[c]), types[c]);
    for (const auto& row : rows) {
        std::vector<Variant> values;
        values.reserve(header.size());
        for (std::size_t c = 0; c < header.size(); ++c)
            values.push_back(convert(c < row.size() ? row[c] : Cell(), types[c], encode));
        data->appendRow(std::move(values));
    }
    return data;
}

// RFC 4180 records; an empty cell is null. Throws with the line of a malformed field.
std::vector<std::vector<Cell>> parseCsv(const std::string& text, const std::string& path)
{
    std::vector<std::vector<Cell>> records;
    std::vector<Cell> record;
    std::size_t i = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int line = 1;
    const auto endOfRecord = [&] {
        // A blank line is no record.
        if (!(record.size() == 1 && !record[0]))
            records.push_back(std::move(record));
        record.clear();
    };
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            const int opened = line;
            for (++i;; ++i) {
                if (i >= text.size())
                    throw DataSourceError(path + ": line " + std::to_string(opened) +
                                          ": a quoted field is not closed");
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                line += text[i] == '\n';
                field += text[i];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                throw DataSourceError(path + ": line " + std::to_string(line) +
                                      ": text after a quoted field");
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                field += text[i++];
        }
        record.push_back(field.empty() ? Cell() : Cell(std::move(field)));
        if (i >= text.size())
            break;
        if (text[i] == ',') {
            ++i;
            if (i == text.size())
                record.emplace_back();
            continue;
        }
        i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
        ++line;
        endOfRecord();
    }
    if (!record.empty())
        endOfRecord();
    return records;
}

} // namespace

std::unique_ptr<MemoryDataSet> readCsv(const std::string& name, const std::string& path,
                                       const TextEncoder& encode)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw DataSourceError("cannot read the CSV file " + path);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::vector<Cell>> rows = parseCsv(text, path);
    if (rows.empty())
        throw DataSourceError(path + ": no header row");
    std::vector<std::string> header;
    for (const Cell& cell : rows.front())
        header.push_back(cell.value_or(std::string()));
    rows.erase(rows.begin());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > header.size())
            throw DataSourceError(path + ": record " + std::to_string(r + 1) + " has " +
                                  std::to_string(rows[r].size()) + " fields, the header " +
                                  std::to_string(header.size()));
    }
    std::vector<FieldType> types;
    for (std::size_t c = 0; c < header.size(); ++c)
        types.push_back(inferType(rows, c));
    return makeDataSet(name, header, types, rows, encode);
}

namespace {

// The type a declared SQLite column type asks for; ftUnknown when there is none.
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

struct Closer
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

} // namespace

std::unique_ptr<MemoryDataSet> readSqlite(const std::string& name, const std::string& database,
                                          const std::string& query, const TextEncoder& encode)
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

    const int columns = sqlite3_column_count(statement.get());
    std::vector<std::string> header;
    std::vector<FieldType> declared;
    for (int c = 0; c < columns; ++c) {
        header.emplace_back(sqlite3_column_name(statement.get(), c));
        declared.push_back(declaredType(sqlite3_column_decltype(statement.get(), c)));
    }
    std::vector<std::vector<Cell>> rows;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        std::vector<Cell> row;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement.get(), c) == SQLITE_NULL) {
                row.emplace_back();
                continue;
            }
            const auto* text = sqlite3_column_text(statement.get(), c);
            row.emplace_back(
                std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(statement.get(), c))));
        }
        rows.push_back(std::move(row));
    }
    if (step != SQLITE_DONE)
        throw DataSourceError("query " + name + ": " + sqlite3_errmsg(db.get()));

    std::vector<FieldType> types;
    for (int c = 0; c < columns; ++c) {
        // A declared type holds only when the values fit it (SQLite types values, not columns).
        const FieldType inferred = inferType(rows, static_cast<std::size_t>(c));
        const FieldType wish = declared[static_cast<std::size_t>(c)];
        const bool fits = wish == FieldType::String ||
                          (wish == FieldType::Largeint && inferred == FieldType::Largeint) ||
                          (wish == FieldType::Float &&
                           (inferred == FieldType::Largeint || inferred == FieldType::Float)) ||
                          (wish == FieldType::Date && inferred == FieldType::Date);
        types.push_back(fits ? wish : inferred);
    }
    return makeDataSet(name, header, types, rows, encode);
}

} // namespace rtfill
