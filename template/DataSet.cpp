// The data sources and fields the engine reads, and an in-memory data source.
#include "DataSet.h"

#include "AsciiText.h"

#include <stdexcept>

namespace templating {

bool isNotAggregated(FieldType type)
{
    return type == FieldType::Memo;
}

bool isNumeric(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Largeint:
    case FieldType::Float:
    case FieldType::Currency:
        return true;
    default:
        return false;
    }
}

bool isDateTime(FieldType type)
{
    return type == FieldType::Date || type == FieldType::Time || type == FieldType::DateTime;
}

bool isSummed(FieldType type)
{
    return isNumeric(type) || isDateTime(type);
}

Field* DataSet::findField(std::string_view name)
{
    const int count = fieldCount();
    for (int i = 0; i < count; ++i) {
        Field& candidate = field(i);
        if (equalsAsciiNoCase(candidate.name(), name))
            return &candidate;
    }
    return nullptr;
}

// A column of the in-memory data source: its value is the current row's cell.
class MemoryDataSet::Column final : public Field
{
public:
    Column(const MemoryDataSet& owner, std::size_t index, const std::string& name, FieldType type)
        : Field(name, type), m_owner(owner), m_index(index)
    {
        if (type == FieldType::Date)
            dateTimeKind = DateTimeKind::Date;
        else if (type == FieldType::Time)
            dateTimeKind = DateTimeKind::Time;
    }

    const Variant& value() const override
    {
        static const Variant Null = Variant::null();
        if (m_owner.atEnd())
            return Null;
        const auto& row = m_owner.m_rows[m_owner.m_record];
        return m_index < row.size() ? row[m_index] : Null;
    }

private:
    const MemoryDataSet& m_owner;
    std::size_t m_index;
};

MemoryDataSet::MemoryDataSet(std::string name) : m_name(std::move(name)) {}

MemoryDataSet::~MemoryDataSet() = default;

Field& MemoryDataSet::addField(const std::string& name, FieldType type)
{
    m_fields.push_back(std::make_unique<Column>(*this, m_fields.size(), name, type));
    return *m_fields.back();
}

void MemoryDataSet::appendRow(std::vector<Variant> values)
{
    m_rows.push_back(std::move(values));
}

Field& MemoryDataSet::field(int index)
{
    return *m_fields.at(static_cast<std::size_t>(index));
}

void MemoryDataSet::next()
{
    if (m_record < m_rows.size())
        ++m_record;
}

void MemoryDataSet::prior()
{
    if (m_record > 0)
        --m_record;
}

} // namespace templating
