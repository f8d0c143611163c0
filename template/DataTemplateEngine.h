// DataTemplateEngine: the engine that answers tags from aggregates, built-in names, data source
// fields and a caller's callback, and drives loops over data sources.
#pragma once

#include "DataSet.h"
#include "FormatSettings.h"
#include "TemplateEngine.h"
#include "Variant.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace templating {

// A tag or loop the engine cannot evaluate.
class DataTemplateError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

enum class AggregateKind : std::uint8_t
{
    None,
    Sum,
    Avg,
    Count,
    Min,
    Max
};

// One loop over a data source.
struct LoopState
{
    bool active = true;
    std::int32_t parent = -1;
    DataSet* dataSet = nullptr;
    Field* groupField = nullptr;
    Variant groupValue;
    std::int32_t firstAggregate = 0;
    std::int32_t lastAggregate = -1;
    std::int32_t recordCount = 0;
};

// The running aggregates of one field within one loop.
struct FieldAggregates
{
    Field* field = nullptr;
    Variant sum;
    std::int32_t count = 0;
    Variant min = Variant::null();
    Variant max = Variant::null();
};

// Answers a tag: true with `value` set, or false when the tag is unknown.
using CustomTagValueSource = std::function<bool(const std::string& tag, std::string& value)>;

class DataTemplateEngine : public TemplateEngine
{
public:
    DataTemplateEngine();
    ~DataTemplateEngine() override;

    // Registered by the caller before processing; not owned.
    std::vector<DataSet*> dataSets;
    CustomTagValueSource customTagValue;
    // The locale facts for dates, times and number formats; the C library's by default.
    FormatSettings formatSettings = FormatSettings::fromCLocale();

    DataSet* findDataSet(const std::string& name) const;
    static AggregateKind aggregateKindOf(const std::string& name);
    // A value as the field would display it.
    static std::string formatFieldValue(const Field& field, const Variant& value,
                                        const FormatSettings& settings);

protected:
    void tagValue(const std::string& tag, std::string& value) override;

    void startLoop(const std::string& loopText, bool& enter);
    void endLoop(bool& finished);

    std::vector<std::unique_ptr<LoopState>> m_loops;
    std::int32_t m_currentLoop = -1;
    std::vector<FieldAggregates> m_aggregates;

private:
    bool isDataSetLooping(const DataSet* dataSet) const;
    bool isGroupBreak(const DataSet* dataSet) const;
    void accumulateOpenLoops(const DataSet* dataSet);
    void accumulateRecord(std::int32_t loopIndex);
    std::int32_t loopRecordCount(const DataSet* dataSet, const std::string& tag) const;
    std::string aggregateText(const Field* field, AggregateKind kind, const std::string& tag) const;
    bool aggregateValue(const std::string& tag, std::string& value) const;
    bool builtInValue(const std::string& tag, std::string& value) const;
};

} // namespace templating
