// Data sources for rtfill: a CSV file or a SQLite query, read into memory.
#pragma once

#include "TableDataSet.h"

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

// A CSV file in UTF-8 (RFC 4180, optional byte-order mark); the first row names the fields.
// Columns whose non-empty cells are all integers, numbers or ISO dates get that type; an empty
// cell is null. The columns named in `dateFields` (any case) are dates, and a cell that is not
// an ISO date (YYYY-MM-DD) there is an error.
std::unique_ptr<TableDataSet> readCsv(const std::string& name, const std::string& path,
                                      const std::vector<std::string>& dateFields = {});

// The rows of a query on a SQLite database opened read-only; field types from the columns'
// declared types or, where there is none, from the values; `dateFields` as for readCsv.
std::unique_ptr<TableDataSet> readSqlite(const std::string& name, const std::string& database,
                                         const std::string& query,
                                         const std::vector<std::string>& dateFields = {});

} // namespace rtfill
