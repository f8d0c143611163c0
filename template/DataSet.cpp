// The data sources and fields the engine reads, and an in-memory data source.
#include "DataSet.h"

#include "AsciiText.h"

#include <stdexcept>

bool IsNotAggregated(TFieldType type)
{
    switch (type) {
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftCursor:
    case TFieldType::ftADT:
    case TFieldType::ftArray:
    case TFieldType::ftReference:
    case TFieldType::ftDataSet:
        return true;
    default:
        return false;
    }
}

bool IsSummed(TFieldType type)
{
    switch (type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp:
        return true;
    default:
        return false;
    }
}

bool TField::IsFloat() const
{
    return m_type == TFieldType::ftFloat || m_type == TFieldType::ftCurrency;
}

bool TField::IsNumeric() const
{
    switch (m_type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftLargeint:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftFMTBcd:
        return true;
    default:
        return false;
    }
}

bool TField::IsDateTime() const
{
    return m_type == TFieldType::ftDate || m_type == TFieldType::ftTime ||
           m_type == TFieldType::ftDateTime || m_type == TFieldType::ftTimeStamp;
}

TField* TDataSet::FindField(const std::string& name)
{
    const std::string wanted = LowerAscii(name);
    for (int i = 0; i < FieldCount(); ++i) {
        if (LowerAscii(Fields(i).Name()) == wanted)
            return &Fields(i);
    }
    return nullptr;
}

// A column of the in-memory data source: its value is the current row's cell.
class TMemoryDataSet::Column final : public TField
{
public:
    Column(const TMemoryDataSet& owner, std::size_t index, const std::string& name, TFieldType type)
        : TField(name, type), m_owner(owner), m_index(index)
    {
        if (type == TFieldType::ftDate)
            DateTimeKind = TDateTimeKind::Date;
        else if (type == TFieldType::ftTime)
            DateTimeKind = TDateTimeKind::Time;
    }

    TVariant Value() const override
    {
        if (m_owner.Eof())
            return TVariant::Null();
        const auto& row = m_owner.m_rows[m_owner.m_record];
        return m_index < row.size() ? row[m_index] : TVariant::Null();
    }

private:
    const TMemoryDataSet& m_owner;
    std::size_t m_index;
};

TMemoryDataSet::TMemoryDataSet(std::string name) : m_name(std::move(name)) {}

TMemoryDataSet::~TMemoryDataSet() = default;

TField& TMemoryDataSet::AddField(const std::string& name, TFieldType type)
{
    m_fields.push_back(std::make_unique<Column>(*this, m_fields.size(), name, type));
    return *m_fields.back();
}

void TMemoryDataSet::AppendRow(std::vector<TVariant> values)
{
    m_rows.push_back(std::move(values));
}

TField& TMemoryDataSet::Fields(int index)
{
    return *m_fields.at(static_cast<std::size_t>(index));
}

void TMemoryDataSet::Next()
{
    if (m_record < m_rows.size())
        ++m_record;
}

void TMemoryDataSet::Prior()
{
    if (m_record > 0)
        --m_record;
}
