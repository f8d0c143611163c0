// DataTemplateEngine: the engine that answers tags from aggregates, built-in names, data source
// fields and a caller's callback, and drives loops over data sources.
#include "DataTemplateEngine.h"

#include "AsciiText.h"
#include "DatePatterns.h"
#include "NumberPatterns.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

namespace templating {

namespace {

constexpr std::array<const char*, 6> AggregateNames{"", "sum", "avg", "count", "min", "max"};

// The message pattern with each "%s" replaced by the next argument.
std::string message(std::string pattern, std::initializer_list<std::string> arguments)
{
    std::size_t at = 0;
    for (const std::string& argument : arguments) {
        at = pattern.find("%s", at);
        if (at == std::string::npos)
            break;
        pattern.replace(at, 2, argument);
        at += argument.size();
    }
    return pattern;
}

[[noreturn]] void fail(const char* pattern, std::initializer_list<std::string> arguments)
{
    throw DataTemplateError(message(pattern, arguments));
}

// Now as days since 30 December 1899 in local time.
long double localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    constexpr long double SecondsPerDay = 24 * 60 * 60;
    // struct tm counts years from 1900 and months from 0.
    return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / SecondsPerDay;
}

} // namespace

DataTemplateEngine::DataTemplateEngine()
{
    onLoopStart = [this](const std::string& text, bool& enter) { startLoop(text, enter); };
    onLoopEnd = [this](bool& finished) { endLoop(finished); };
}

DataTemplateEngine::~DataTemplateEngine() = default;

DataSet* DataTemplateEngine::findDataSet(const std::string& name) const
{
    const std::string wanted = lowerAscii(name);
    for (DataSet* dataSet : dataSets) {
        if (lowerAscii(dataSet->name()) == wanted)
            return dataSet;
    }
    return nullptr;
}

AggregateKind DataTemplateEngine::aggregateKindOf(const std::string& name)
{
    const std::string lower = lowerAscii(name);
    for (auto kind = static_cast<int>(AggregateKind::Max);
         kind >= static_cast<int>(AggregateKind::Sum); --kind) {
        if (lower == AggregateNames[static_cast<std::size_t>(kind)])
            return static_cast<AggregateKind>(kind);
    }
    return AggregateKind::None;
}

std::string DataTemplateEngine::formatFieldValue(const Field& field, const Variant& value,
                                                 const FormatSettings& settings)
{
    if (value.isNull())
        return {};
    if (field.textHook)
        return field.textHook(field);
    if (field.isNumeric()) {
        const std::string& pattern =
            field.displayFormat.empty() ? field.editFormat : field.displayFormat;
        if (field.isFloat()) {
            if (!pattern.empty())
                return formatFloat(pattern, value.asNumber(), settings);
            if (field.currency)
                return formatCurrency(value.asNumber(), settings);
            return formatGeneral(value.asNumber(), field.precision, settings);
        }
        if (!pattern.empty())
            return formatFloat(pattern, static_cast<long double>(value.asInteger()), settings);
        return std::to_string(value.asInteger());
    }
    if (field.isDateTime()) {
        std::string pattern = field.displayFormat;
        if (pattern.empty() && field.dateTimeKind == DateTimeKind::Date)
            pattern = settings.shortDateFormat;
        else if (pattern.empty() && field.dateTimeKind == DateTimeKind::Time)
            pattern = settings.longTimeFormat;
        return formatDateTime(pattern, value.asNumber(), settings);
    }
    return value.toText(settings);
}

void DataTemplateEngine::tagValue(const std::string& tag, std::string& value)
{
    if (!tag.empty() && !dataSets.empty()) {
        if (aggregateValue(tag, value))
            return;
        const std::size_t dot = tag.find('.');
        if (dot == std::string::npos) {
            if (builtInValue(tag, value))
                return;
        } else {
            const std::string name = tag.substr(0, dot);
            DataSet* dataSet = findDataSet(name);
            if (!dataSet)
                fail("Can't find dataset \"%s\".\rCheck template!", {name});
            if (!dataSet->isActive())
                fail("Can't retrieve data from closed dataset \"%s\"", {dataSet->name()});
            if (const Field* field = dataSet->findField(tag.substr(dot + 1))) {
                value = formatFieldValue(*field, field->value(), formatSettings);
                return;
            }
        }
    }
    if (!(customTagValue && customTagValue(tag, value)))
        fail("Can't evaluate tag \"%s\".\rCheck template!", {tag});
}

bool DataTemplateEngine::aggregateValue(const std::string& tag, std::string& value) const
{
    const std::string lower = lowerAscii(tag);
    const std::size_t open = lower.find('(');
    const std::size_t close = lower.find(')');
    if (open == std::string::npos || close != lower.size() - 1)
        return false;
    const AggregateKind kind = aggregateKindOf(lower.substr(0, open));
    if (kind == AggregateKind::None)
        return false;
    const std::string inner = lower.substr(open + 1, lower.size() - open - 2);
    const std::size_t dot = inner.find('.');
    if (dot == std::string::npos)
        return false;
    DataSet* dataSet = findDataSet(inner.substr(0, dot));
    if (!dataSet)
        return false;
    const std::string rest = inner.substr(dot + 1);
    if (rest == "*") {
        value = std::to_string(loopRecordCount(dataSet, tag));
        return true;
    }
    if (const Field* field = dataSet->findField(rest)) {
        value = aggregateText(field, kind, tag);
        return true;
    }
    return false;
}

bool DataTemplateEngine::builtInValue(const std::string& tag, std::string& value) const
{
    const std::string lower = lowerAscii(tag);
    if (lower == "version") {
        value = "1.0.2";
    } else if (lower == "date") {
        value =
            formatDateTime(formatSettings.shortDateFormat, std::floor(localNow()), formatSettings);
    } else if (lower == "time") {
        value = formatDateTime(formatSettings.longTimeFormat, localNow(), formatSettings);
    } else if (lower == "now") {
        value = formatDateTime({}, localNow(), formatSettings);
    } else {
        return false;
    }
    return true;
}

bool DataTemplateEngine::isDataSetLooping(const DataSet* dataSet) const
{
    for (const auto& cycle : m_loops) {
        if (cycle->active && cycle->dataSet == dataSet)
            return true;
    }
    return false;
}

void DataTemplateEngine::startLoop(const std::string& loopText, bool& enter)
{
    const std::size_t dot = loopText.find('.');
    const std::string name = loopText.substr(0, dot);
    DataSet* dataSet = findDataSet(name);
    if (!dataSet)
        fail("Can't find dataset \"%s\".\rCheck template!", {name});
    if (!dataSet->isActive())
        fail("Can't retrieve data from closed dataset \"%s\"", {name});
    Field* groupField = nullptr;
    if (dot != std::string::npos) {
        groupField = dataSet->findField(loopText.substr(dot + 1));
        if (!groupField)
            fail("Can't find dataset field \"%s\".\rCheck template!", {loopText});
    }
    if (!isDataSetLooping(dataSet))
        dataSet->first();
    enter = !dataSet->atEnd();
    if (!enter)
        return;

    auto cycle = std::make_unique<LoopState>();
    cycle->parent = m_currentLoop;
    cycle->dataSet = dataSet;
    cycle->groupField = groupField;
    if (groupField)
        cycle->groupValue = groupField->value();
    cycle->firstAggregate = static_cast<std::int32_t>(m_aggregates.size());
    for (int i = 0; i < dataSet->fieldCount(); ++i) {
        Field& field = dataSet->field(i);
        if (!isNotAggregated(field.dataType()))
            m_aggregates.push_back({&field, {}, 0, Variant::null(), Variant::null()});
    }
    cycle->lastAggregate = static_cast<std::int32_t>(m_aggregates.size()) - 1;
    m_loops.push_back(std::move(cycle));
    m_currentLoop = static_cast<std::int32_t>(m_loops.size()) - 1;
    accumulateRecord(m_currentLoop);
}

void DataTemplateEngine::endLoop(bool& finished)
{
    if (m_currentLoop < 0)
        throw TemplateInternalError("FreeReporter: Internal error #02");
    LoopState& cycle = *m_loops[static_cast<std::size_t>(m_currentLoop)];

    // Loops opened directly inside this one start afresh at its next pass.
    for (auto i = static_cast<std::int32_t>(m_loops.size()) - 1; i > m_currentLoop; --i) {
        const LoopState& nested = *m_loops[static_cast<std::size_t>(i)];
        if (nested.parent != m_currentLoop)
            continue;
        if (nested.active) {
            fail("Cycle \"%s\" can't be closed before nested cycle \"%s\"\rCheck template!",
                 {cycle.dataSet->name(), nested.dataSet->name()});
        }
        m_loops.erase(m_loops.begin() + i);
    }
    m_aggregates.resize(static_cast<std::size_t>(cycle.lastAggregate + 1));

    DataSet* dataSet = cycle.dataSet;
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
        if (!cycle.groupField || !(cycle.groupField->value() == cycle.groupValue))
            break;
    }
    if (finished) {
        cycle.active = false;
        m_currentLoop = cycle.parent;
    } else if (cycle.groupField) {
        cycle.groupValue = cycle.groupField->value();
    }
}

bool DataTemplateEngine::isGroupBreak(const DataSet* dataSet) const
{
    for (std::int32_t i = m_currentLoop - 1; i >= 0; --i) {
        const LoopState& cycle = *m_loops[static_cast<std::size_t>(i)];
        if (cycle.active && cycle.dataSet == dataSet && cycle.groupField &&
            !(cycle.groupField->value() == cycle.groupValue))
            return true;
    }
    return false;
}

void DataTemplateEngine::accumulateOpenLoops(const DataSet* dataSet)
{
    for (std::int32_t i = m_currentLoop; i >= 0; --i) {
        const LoopState& cycle = *m_loops[static_cast<std::size_t>(i)];
        if (cycle.active && cycle.dataSet == dataSet)
            accumulateRecord(i);
    }
}

void DataTemplateEngine::accumulateRecord(std::int32_t loopIndex)
{
    LoopState& cycle = *m_loops[static_cast<std::size_t>(loopIndex)];
    ++cycle.recordCount;
    for (std::int32_t a = cycle.firstAggregate; a <= cycle.lastAggregate; ++a) {
        FieldAggregates& aggregate = m_aggregates[static_cast<std::size_t>(a)];
        const Variant value = aggregate.field->value();
        if (value.isNull())
            continue;
        ++aggregate.count;
        if (aggregate.min.isNull() || value < aggregate.min)
            aggregate.min = value;
        if (aggregate.max.isNull() || value > aggregate.max)
            aggregate.max = value;
        if (isSummed(aggregate.field->dataType()))
            aggregate.sum = aggregate.sum + value;
    }
}

std::int32_t DataTemplateEngine::loopRecordCount(const DataSet* dataSet,
                                                 const std::string& tag) const
{
    for (auto cycle = m_loops.rbegin(); cycle != m_loops.rend(); ++cycle) {
        if ((*cycle)->dataSet == dataSet)
            return (*cycle)->recordCount;
    }
    fail("Aggregate \"%s\" can't be evaluated because\rthere is not any cycle for dataset "
         "\"%s\".\rCheck template!",
         {tag, dataSet->name()});
}

std::string DataTemplateEngine::aggregateText(const Field* field, AggregateKind kind,
                                              const std::string& tag) const
{
    auto found = m_aggregates.rbegin();
    while (found != m_aggregates.rend() && found->field != field)
        ++found;
    if (found == m_aggregates.rend())
        fail("Can't evaluate aggregate field tag \"%s\"\rCheck template!", {tag});
    const FieldAggregates& aggregate = *found;
    switch (kind) {
    case AggregateKind::Sum:
        return formatFieldValue(*field, aggregate.sum, formatSettings);
    case AggregateKind::Avg: {
        if (aggregate.sum.isNull() || aggregate.count == 0)
            return {};
        const bool real = aggregate.sum.kind() == Variant::Kind::Float;
        return formatFieldValue(*field,
                                real ? aggregate.sum.divide(aggregate.count)
                                     : aggregate.sum.intDivide(aggregate.count),
                                formatSettings);
    }
    case AggregateKind::Count:
        return std::to_string(aggregate.count);
    case AggregateKind::Min:
        return formatFieldValue(*field, aggregate.min, formatSettings);
    case AggregateKind::Max:
        return formatFieldValue(*field, aggregate.max, formatSettings);
    case AggregateKind::None:
        break;
    }
    return {};
}

} // namespace templating
