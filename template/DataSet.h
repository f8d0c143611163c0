// The data sources and fields the engine reads, and an in-memory data source.
#pragma once

#include "NumberPatterns.h"
#include "Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace templating {

enum class FieldType : std::uint8_t
{
    Unknown,
    String,
    Integer,
    Largeint,
    Float,
    Currency,
    Date,
    Time,
    DateTime,
    Memo
};

// Types the loops keep no aggregates for.
bool isNotAggregated(FieldType type);
// Types whose values are numbers; their text follows the field's number format.
bool isNumeric(FieldType type);
// Types whose values are days since 30 December 1899.
bool isDateTime(FieldType type);
// Types whose values the loops add up: numbers, dates and times.
bool isSummed(FieldType type);

enum class DateTimeKind : std::uint8_t
{
    Date,
    Time,
    DateTime
};

class Field
{
public:
    using TextHook = std::function<std::string(const Field& field)>;

    Field(std::string name, FieldType type) : m_name(std::move(name)), m_type(type) {}
    virtual ~Field() = default;

    const std::string& name() const { return m_name; }
    FieldType dataType() const { return m_type; }
    // The value of the current record, valid until the data source moves.
    virtual const Variant& value() const = 0;

    bool isNumeric() const { return templating::isNumeric(m_type); }
    bool isFloat() const { return m_type == FieldType::Float || m_type == FieldType::Currency; }
    bool isDateTime() const { return templating::isDateTime(m_type); }

    // Display settings; a display hook, when set, replaces them.
    TextHook textHook;
    std::string displayFormat;
    std::string editFormat;
    bool currency = false;
    int precision = GeneralDigits;
    DateTimeKind dateTimeKind = DateTimeKind::DateTime;

private:
    std::string m_name;
    FieldType m_type;
};

class DataSet
{
public:
    virtual ~DataSet() = default;

    virtual const std::string& name() const = 0;
    virtual bool isActive() const = 0;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual void prior() = 0;
    // True after moving past the last record (and for no records at all).
    virtual bool atEnd() const = 0;
    virtual int fieldCount() const = 0;
    virtual Field& field(int index) = 0;
    // The field of that name, without regard to ASCII case; null when there is none.
    Field* findField(std::string_view name);
};

// A data source over rows held in memory.
class MemoryDataSet final : public DataSet
{
public:
    explicit MemoryDataSet(std::string name);
    ~MemoryDataSet() override;

    // Adds a column; returns its field for its display settings.
    Field& addField(const std::string& name, FieldType type);
    void appendRow(std::vector<Variant> values);
    void setActive(bool active) { m_active = active; }

    const std::string& name() const override { return m_name; }
    bool isActive() const override { return m_active; }
    void first() override { m_record = 0; }
    void next() override;
    void prior() override;
    bool atEnd() const override { return m_record >= m_rows.size(); }
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    Field& field(int index) override;

private:
    class Column;

    std::string m_name;
    bool m_active = true;
    std::vector<std::unique_ptr<Column>> m_fields;
    std::vector<std::vector<Variant>> m_rows;
    std::size_t m_record = 0;
};

} // namespace templating
