// TableDataSet: a data source over columns held in memory, each of one type.
#pragma once

#include "DataSet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rtfill {

class TableDataSet final : public templating::DataSet
{
public:
    // Integers (Largeint), numbers (Float), dates (Date) or text (String, anything else).
    class Column;

    explicit TableDataSet(std::string name);
    ~TableDataSet() override;

    Column& addColumn(const std::string& name, templating::FieldType type);
    // Room for the rows about to be appended to every column.
    void reserve(std::size_t rows);
    // Ends a row: the columns that got no value hold null.
    void endRow();

    const std::string& name() const override { return m_name; }
    bool isActive() const override { return true; }
    void first() override { m_record = 0; }
    void next() override;
    void prior() override;
    bool atEnd() const override { return m_record >= m_rows; }
    int fieldCount() const override { return static_cast<int>(m_columns.size()); }
    templating::Field& field(int index) override;

private:
    std::string m_name;
    std::vector<std::unique_ptr<Column>> m_columns;
    std::size_t m_rows = 0;
    std::size_t m_record = 0;
};

class TableDataSet::Column final : public templating::Field
{
public:
    Column(const TableDataSet& owner, const std::string& name, templating::FieldType type);

    // The current row's value of this column, one of the column's type.
    void append(std::int64_t integer);
    void append(double numberOrDays);
    void append(std::string text);

    const templating::Variant& value() const override;

private:
    friend class TableDataSet;
    void reserve(std::size_t rows);
    void fillTo(std::size_t rows);

    const TableDataSet& m_owner;
    std::vector<std::int64_t> m_integers;
    std::vector<double> m_numbers;
    std::vector<std::string> m_texts;
    std::vector<bool> m_null;
    mutable templating::Variant m_current;
    mutable std::size_t m_currentRow = static_cast<std::size_t>(-1);
};

} // namespace rtfill
