// CsvReader: the records of a CSV text (RFC 4180), one at a time.
#include "CsvReader.h"

#include "DataSources.h"

namespace rtfill {

namespace {

bool endsField(char c)
{
    return c == ',' || c == '\n' || c == '\r';
}

} // namespace

CsvReader::CsvReader(std::string_view text, std::string path)
    : m_text(text), m_path(std::move(path)), m_at(text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0)
{
}

const std::vector<CsvField>* CsvReader::next()
{
    for (;;) {
        m_record.clear();
        if (!m_unescaped.empty())
            m_unescaped.clear();
        if (m_at >= m_text.size())
            return nullptr;
        for (;;) {
            m_record.push_back(field());
            if (m_at >= m_text.size())
                break;
            if (m_text[m_at] == ',') {
                ++m_at;
                if (m_at == m_text.size()) {
                    m_record.emplace_back();
                    break;
                }
                continue;
            }
            const bool crlf =
                m_text[m_at] == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n';
            m_at += crlf ? 2 : 1;
            ++m_line;
            break;
        }
        // A blank line is no record.
        if (!(m_record.size() == 1 && !m_record[0]))
            return &m_record;
    }
}

CsvField CsvReader::field()
{
    if (m_text[m_at] != '"') {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && !endsField(m_text[m_at]))
            ++m_at;
        return m_at == start ? CsvField() : m_text.substr(start, m_at - start);
    }
    const int opened = m_line;
    const std::size_t start = ++m_at;
    std::string* unescaped = nullptr;
    for (;; ++m_at) {
        if (m_at >= m_text.size()) {
            throw DataSourceError(m_path + ": line " + std::to_string(opened) +
                                  ": a quoted field is not closed");
        }
        const char c = m_text[m_at];
        if (c == '"' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '"') {
            if (!unescaped)
                unescaped = &m_unescaped.emplace_back(m_text.substr(start, m_at - start));
            *unescaped += '"';
            ++m_at;
            continue;
        }
        if (c == '"')
            break;
        m_line += c == '\n';
        if (unescaped)
            *unescaped += c;
    }
    const std::string_view text =
        unescaped ? std::string_view(*unescaped) : m_text.substr(start, m_at - start);
    ++m_at;
    if (m_at < m_text.size() && !endsField(m_text[m_at])) {
        throw DataSourceError(m_path + ": line " + std::to_string(m_line) +
                              ": text after a quoted field");
    }
    return text.empty() ? CsvField() : text;
}

} // namespace rtfill
