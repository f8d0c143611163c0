// DataLoops: the loops open over data sources, their shared cursors and the running aggregates
// of their fields.
#pragma once

#include "DataSet.h"
#include "Variant.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace templating {

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
    bool summed = false; // the field's type adds up
    Variant sum;
    std::int32_t count = 0;
    Variant min = Variant::null();
    Variant max = Variant::null();
};

class DataLoops
{
public:
    // Opens a loop over the data source, grouped by `groupField` when there is one, at its first
    // record, or at its current one when an open loop already moves it. False, and no loop
    // made, when there is no record.
    bool start(DataSet& dataSet, Field* groupField);
    // Moves the innermost loop to its next record or group; true when it is finished.
    bool end();

    // The record count of the last loop over the data source; nothing when there was none.
    std::optional<std::int32_t> recordCount(const DataSet& dataSet) const;
    // The field's aggregates in the innermost or latest loop; null when no loop keeps them.
    const FieldAggregates* aggregates(const Field& field) const;

private:
    friend struct DataLoopsTestAccess;

    bool isLooping(const DataSet* dataSet) const;
    bool isGroupBreak(const DataSet* dataSet) const;
    void accumulateOpenLoops(const DataSet* dataSet);
    // The current values of the loop's aggregated fields, into m_values.
    void readValues(const LoopState& loop);
    // Counts the record read by readValues into the loop's aggregates.
    void accumulate(LoopState& loop);

    std::vector<LoopState> m_loops;
    std::int32_t m_current = -1;
    std::vector<FieldAggregates> m_aggregates;
    std::vector<const Variant*> m_values;
};

} // namespace templating
