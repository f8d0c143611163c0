// DataLoops: the loops open over data sources, their shared cursors and the running aggregates
// of their fields.
#include "DataLoops.h"

#include "TemplateErrors.h"

namespace templating {

bool DataLoops::isLooping(const DataSet* dataSet) const
{
    for (const LoopState& loop : m_loops) {
        if (loop.active && loop.dataSet == dataSet)
            return true;
    }
    return false;
}

bool DataLoops::start(DataSet& dataSet, Field* groupField)
{
    if (!isLooping(&dataSet))
        dataSet.first();
    if (dataSet.atEnd())
        return false;

    LoopState loop;
    loop.parent = m_current;
    loop.dataSet = &dataSet;
    loop.groupField = groupField;
    if (groupField)
        loop.groupValue = groupField->value();
    loop.firstAggregate = static_cast<std::int32_t>(m_aggregates.size());
    for (int i = 0; i < dataSet.fieldCount(); ++i) {
        Field& field = dataSet.field(i);
        if (!isNotAggregated(field.dataType()))
            m_aggregates.push_back(
                {&field, isSummed(field.dataType()), {}, 0, Variant::null(), Variant::null()});
    }
    loop.lastAggregate = static_cast<std::int32_t>(m_aggregates.size()) - 1;
    m_loops.push_back(std::move(loop));
    m_current = static_cast<std::int32_t>(m_loops.size()) - 1;
    readValues(m_loops.back());
    accumulate(m_loops.back());
    return true;
}

bool DataLoops::end()
{
    if (m_current < 0)
        throw TemplateInternalError("FreeReporter: Internal error #02");
    LoopState& loop = m_loops[static_cast<std::size_t>(m_current)];

    // Loops opened directly inside this one start afresh at its next pass.
    for (auto i = static_cast<std::int32_t>(m_loops.size()) - 1; i > m_current; --i) {
        const LoopState& nested = m_loops[static_cast<std::size_t>(i)];
        if (nested.parent != m_current)
            continue;
        if (nested.active) {
            throwDataTemplateError(
                "Cycle \"%s\" can't be closed before nested cycle \"%s\"\rCheck template!",
                {loop.dataSet->name(), nested.dataSet->name()});
        }
        m_loops.erase(m_loops.begin() + i);
    }
    m_aggregates.resize(static_cast<std::size_t>(loop.lastAggregate + 1));

    DataSet* dataSet = loop.dataSet;
    bool finished = false;
    for (;;) {
        dataSet->next();
        finished = dataSet->atEnd() || isGroupBreak(dataSet);
        if (finished) {
            // A group break hands the boundary record back to the enclosing loop.
            if (!dataSet->atEnd())
                dataSet->prior();
            break;
        }
        accumulateOpenLoops(dataSet);
        if (!loop.groupField || !(loop.groupField->value() == loop.groupValue))
            break;
    }
    if (finished) {
        loop.active = false;
        m_current = loop.parent;
    } else if (loop.groupField) {
        loop.groupValue = loop.groupField->value();
    }
    return finished;
}

bool DataLoops::isGroupBreak(const DataSet* dataSet) const
{
    for (std::int32_t i = m_current - 1; i >= 0; --i) {
        const LoopState& loop = m_loops[static_cast<std::size_t>(i)];
        if (loop.active && loop.dataSet == dataSet && loop.groupField &&
            !(loop.groupField->value() == loop.groupValue))
            return true;
    }
    return false;
}

void DataLoops::accumulateOpenLoops(const DataSet* dataSet)
{
    // Loops over one data source aggregate the same fields: their values are read once.
    bool read = false;
    for (std::int32_t i = m_current; i >= 0; --i) {
        LoopState& loop = m_loops[static_cast<std::size_t>(i)];
        if (!loop.active || loop.dataSet != dataSet)
            continue;
        if (!read)
            readValues(loop);
        read = true;
        accumulate(loop);
    }
}

void DataLoops::readValues(const LoopState& loop)
{
    m_values.clear();
    for (std::int32_t a = loop.firstAggregate; a <= loop.lastAggregate; ++a)
        m_values.push_back(&m_aggregates[static_cast<std::size_t>(a)].field->value());
}

void DataLoops::accumulate(LoopState& loop)
{
    ++loop.recordCount;
    for (std::int32_t a = loop.firstAggregate; a <= loop.lastAggregate; ++a) {
        FieldAggregates& aggregate = m_aggregates[static_cast<std::size_t>(a)];
        const Variant& value = *m_values[static_cast<std::size_t>(a - loop.firstAggregate)];
        if (value.isNull())
            continue;
        ++aggregate.count;
        if (aggregate.min.isNull() || value < aggregate.min)
            aggregate.min = value;
        if (aggregate.max.isNull() || value > aggregate.max)
            aggregate.max = value;
        if (aggregate.summed)
            aggregate.sum += value;
    }
}

std::optional<std::int32_t> DataLoops::recordCount(const DataSet& dataSet) const
{
    for (auto loop = m_loops.rbegin(); loop != m_loops.rend(); ++loop) {
        if (loop->dataSet == &dataSet)
            return loop->recordCount;
    }
    return std::nullopt;
}

const FieldAggregates* DataLoops::aggregates(const Field& field) const
{
    for (auto aggregate = m_aggregates.rbegin(); aggregate != m_aggregates.rend(); ++aggregate) {
        if (aggregate->field == &field)
            return &*aggregate;
    }
    return nullptr;
}

} // namespace templating
