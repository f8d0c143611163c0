// TDbFreeReporter: the engine that answers tags from aggregates, built-in names, data source
// fields and a caller's callback, and drives loops over data sources.
#pragma once

#include "DataSet.h"
#include "FormatSettings.h"
#include "Variant.h"
#include "uFreeReporter.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// A tag or loop the engine cannot evaluate.
class TDbReporterException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class TAggregateKind : std::uint8_t
{
    akNone,
    akSum,
    akAvg,
    akCount,
    akMin,
    akMax
};

// One loop over a data source.
struct TCycleData
{
    bool Active = true;
    std::int32_t Parent = -1;
    TDataSet* DataSet = nullptr;
    TField* GroupField = nullptr;
    TVariant GroupValue;
    std::int32_t FirstAggregate = 0;
    std::int32_t LastAggregate = -1;
    std::int32_t RecordCount = 0;
};

// The running aggregates of one field within one loop.
struct TAggregates
{
    TField* Field = nullptr;
    TVariant Sum;
    std::int32_t Count = 0;
    TVariant Min = TVariant::Null();
    TVariant Max = TVariant::Null();
};

// Answers a tag: true with Value set, or false when the tag is unknown.
using TGetCustomTagValueEvent = std::function<bool(const std::string& Tag, std::string& Value)>;

class TDbFreeReporter : public TFreeReporter
{
public:
    TDbFreeReporter();
    ~TDbFreeReporter() override;

    // Registered by the caller before processing; not owned.
    std::vector<TDataSet*> DataSets;
    TGetCustomTagValueEvent OnGetCustomTagValue;
    // The locale facts for dates, times and number formats; the C library's by default.
    TFormatSettings FormatSettings = TFormatSettings::FromCLocale();

    TDataSet* FindDataSet(const std::string& Name) const;
    static TAggregateKind AggregateKindOf(const std::string& Name);
    // A value as the field would display it.
    static std::string FormatFieldValue(const TField& Field, const TVariant& Value,
                                        const TFormatSettings& Settings);

protected:
    void GetTagValue(const std::string& Tag, std::string& Value) override;

    void StartCycle(const std::string& CycleText, bool& Enter);
    void EndCycle(bool& Finished);
    bool IsDataSetCycling(const TDataSet* DataSet) const;
    bool IsGroupBreak(const TDataSet* DataSet) const;
    void AccumulateOpenCycles(const TDataSet* DataSet);
    void AccumulateRecord(std::int32_t CycleIndex);
    std::int32_t CycleRecordCount(const TDataSet* DataSet, const std::string& Tag) const;
    std::string AggregateText(const TField* Field, TAggregateKind Kind,
                              const std::string& Tag) const;

    std::vector<std::unique_ptr<TCycleData>> Cycles;
    std::int32_t CurrentCycle = -1;
    std::vector<TAggregates> Aggregates;

private:
    bool aggregateValue(const std::string& Tag, std::string& Value) const;
    bool builtInValue(const std::string& Tag, std::string& Value) const;
};
