// Data sources for rtfill: a CSV file or a SQLite query, read into memory.
#pragma once

#include "TableDataSet.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

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
// cell is null. The columns named in `dateFields` (any case) are dates, and a cell that is not
// an ISO date (YYYY-MM-DD) there is an error.
std::unique_ptr<TableDataSet> readCsv(const std::string& name, const std::string& path,
                                      const TextEncoder& encode,
                                      const std::vector<std::string>& dateFields = {});

// The rows of a query on a SQLite database opened read-only; field types from the columns'
// declared types or, where there is none, from the values; `dateFields` as for readCsv.
std::unique_ptr<TableDataSet> readSqlite(const std::string& name, const std::string& database,
                                         const std::string& query, const TextEncoder& encode,
                                         const std::vector<std::string>& dateFields = {});

} // namespace rtfill
