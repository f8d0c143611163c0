// CsvReader: the records of a CSV text (RFC 4180), one at a time.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtfill {

// A field of a record; nothing for an empty field.
using CsvField = std::optional<std::string_view>;

class CsvReader
{
public:
    // `path` names the text in messages. A UTF-8 byte-order mark is skipped.
    CsvReader(std::string_view text, std::string path);

    // The next record's fields, valid until the next call; null after the last record. Blank
    // lines are no records. Throws DataSourceError, with the line, for a malformed field.
    const std::vector<CsvField>* next();

private:
    CsvField field();

    std::string_view m_text;
    std::string m_path;
    std::size_t m_at = 0;
    int m_line = 1;
    std::vector<CsvField> m_record;
    // Quoted fields with doubled quotes, unescaped; a deque keeps the texts where they are.
    std::deque<std::string> m_unescaped;
};

} // namespace rtfill
