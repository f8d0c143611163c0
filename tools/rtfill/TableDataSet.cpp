// TableDataSet: a data source over columns held in memory, each of one type.
#include "TableDataSet.h"

#include "HugePages.h"

#include <stdexcept>

namespace rtfill {

using namespace templating;

namespace {

template <typename T> void reserveLarge(std::vector<T>& values, std::size_t rows)
{
    values.reserve(rows);
    adviseHugePages(values.data(), values.capacity() * sizeof(T));
}

} // namespace

TableDataSet::TableDataSet(std::string name) : m_name(std::move(name)) {}

TableDataSet::~TableDataSet() = default;

TableDataSet::Column& TableDataSet::addColumn(const std::string& name, FieldType type)
{
    m_columns.push_back(std::make_unique<Column>(*this, name, type));
    return *m_columns.back();
}

void TableDataSet::reserve(std::size_t rows)
{
    for (const auto& column : m_columns)
        column->reserve(rows);
}

void TableDataSet::endRow()
{
    ++m_rows;
    for (const auto& column : m_columns)
        column->fillTo(m_rows);
}

void TableDataSet::next()
{
    if (m_record < m_rows)
        ++m_record;
}

void TableDataSet::prior()
{
    if (m_record > 0)
        --m_record;
}

Field& TableDataSet::field(int index)
{
    return *m_columns.at(static_cast<std::size_t>(index));
}

TableDataSet::Column::Column(const TableDataSet& owner, const std::string& name, FieldType type)
    : Field(name, type), m_owner(owner)
{
    if (type == FieldType::Date)
        dateTimeKind = DateTimeKind::Date;
}

void TableDataSet::Column::reserve(std::size_t rows)
{
    switch (dataType()) {
    case FieldType::Largeint:
        reserveLarge(m_integers, rows);
        break;
    case FieldType::Float:
    case FieldType::Date:
        reserveLarge(m_numbers, rows);
        break;
    default:
        reserveLarge(m_texts, rows);
        break;
    }
    m_null.reserve(rows);
}

// Each row holds a value in every column; a missing one is a null placeholder.
void TableDataSet::Column::fillTo(std::size_t rows)
{
    while (m_null.size() < rows) {
        m_null.push_back(true);
        if (dataType() == FieldType::Largeint)
            m_integers.push_back(0);
        else if (dataType() == FieldType::Float || dataType() == FieldType::Date)
            m_numbers.push_back(0);
        else
            m_texts.emplace_back();
    }
}

void TableDataSet::Column::append(std::int64_t integer)
{
    m_integers.push_back(integer);
    m_null.push_back(false);
}

void TableDataSet::Column::append(double numberOrDays)
{
    m_numbers.push_back(numberOrDays);
    m_null.push_back(false);
}

void TableDataSet::Column::append(std::string text)
{
    m_texts.push_back(std::move(text));
    m_null.push_back(false);
}

const Variant& TableDataSet::Column::value() const
{
    static const Variant Null = Variant::null();
    const std::size_t row = m_owner.m_record;
    if (row >= m_owner.m_rows || m_null[row])
        return Null;
    // Loops ask for a value several times a record: it is made once.
    if (row == m_currentRow)
        return m_current;
    m_currentRow = row;
    switch (dataType()) {
    case FieldType::Largeint:
        m_current = Variant::fromInteger(m_integers[row]);
        break;
    case FieldType::Float:
        m_current = Variant::fromFloat(m_numbers[row]);
        break;
    case FieldType::Date:
        m_current = Variant::fromDateTime(m_numbers[row]);
        break;
    default:
        m_current = Variant::fromText(m_texts[row]);
        break;
    }
    return m_current;
}

} // namespace rtfill
