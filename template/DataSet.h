// The data sources and fields the engine reads, and an in-memory data source.
#pragma once

#include "Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TFieldType : std::uint8_t
{
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftTimeStamp,
    ftFMTBcd
};

// Types the loops keep no aggregates for.
bool IsNotAggregated(TFieldType type);
// Types whose values the loops add up.
bool IsSummed(TFieldType type);

enum class TDateTimeKind : std::uint8_t
{
    Date,
    Time,
    DateTime
};

class TField
{
public:
    using TGetTextEvent = std::function<std::string(const TField& field)>;

    TField(std::string name, TFieldType type) : m_name(std::move(name)), m_type(type) {}
    virtual ~TField() = default;

    const std::string& Name() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    // The value of the current record.
    virtual TVariant Value() const = 0;

    bool IsNumeric() const;
    bool IsFloat() const;
    bool IsDateTime() const;

    // Display settings; a display hook, when set, replaces them.
    TGetTextEvent OnGetText;
    std::string DisplayFormat;
    std::string EditFormat;
    bool Currency = false;
    int Precision = 15;
    TDateTimeKind DateTimeKind = TDateTimeKind::DateTime;

private:
    std::string m_name;
    TFieldType m_type;
};

class TDataSet
{
public:
    virtual ~TDataSet() = default;

    virtual const std::string& Name() const = 0;
    virtual bool Active() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    // True after moving past the last record (and for no records at all).
    virtual bool Eof() const = 0;
    virtual int FieldCount() const = 0;
    virtual TField& Fields(int index) = 0;
    // The field of that name, without regard to ASCII case; null when there is none.
    TField* FindField(const std::string& name);
};

// A data source over rows held in memory.
class TMemoryDataSet final : public TDataSet
{
public:
    explicit TMemoryDataSet(std::string name);
    ~TMemoryDataSet() override;

    // Adds a column; returns its field for its display settings.
    TField& AddField(const std::string& name, TFieldType type);
    void AppendRow(std::vector<TVariant> values);
    void SetActive(bool active) { m_active = active; }

    const std::string& Name() const override { return m_name; }
    bool Active() const override { return m_active; }
    void First() override { m_record = 0; }
    void Next() override;
    void Prior() override;
    bool Eof() const override { return m_record >= m_rows.size(); }
    int FieldCount() const override { return static_cast<int>(m_fields.size()); }
    TField& Fields(int index) override;

private:
    class Column;

    std::string m_name;
    bool m_active = true;
    std::vector<std::unique_ptr<Column>> m_fields;
    std::vector<std::vector<TVariant>> m_rows;
    std::size_t m_record = 0;
};
