// Data sources for rtfill: a CSV file or a SQLite query, read into memory.
#pragma once

#include "DataSet.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace rtfill {

// A data file or database that cannot be read; the message names it.
class DataSourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Turns the UTF-8 text of the data into what the engine is given (code page 1252 for RTF).
using TextEncoder = std::function<std::string(const std::string& utf8)>;

// A CSV file (RFC 4180, optional UTF-8 byte-order mark); the first row names the fields.
// Columns whose non-empty cells are all integers, numbers or ISO dates get that type; an empty
// cell is null.
std::unique_ptr<templating::MemoryDataSet> readCsv(const std::string& name, const std::string& path,
                                                   const TextEncoder& encode);

// The rows of a query on a SQLite database opened read-only; field types from the columns'
// declared types or, where there is none, from the values.
std::unique_ptr<templating::MemoryDataSet> readSqlite(const std::string& name,
                                                      const std::string& database,
                                                      const std::string& query,
                                                      const TextEncoder& encode);

} // namespace rtfill
