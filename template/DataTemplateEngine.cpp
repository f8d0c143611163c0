// DataTemplateEngine: the engine that answers tags from aggregates, built-in names, data source
// fields and a subclass's own tags, and drives loops over data sources.
#include "DataTemplateEngine.h"

#include "AsciiText.h"
#include "DatePatterns.h"
#include "NumberPatterns.h"

#include <array>
#include <cmath>
#include <ctime>

namespace templating {

namespace {

constexpr std::array<std::string_view, 6> AggregateNames{"", "sum", "avg", "count", "min", "max"};

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
    setFormatSettings(FormatSettings::fromCLocale());
}

DataTemplateEngine::~DataTemplateEngine() = default;

void DataTemplateEngine::setFormatSettings(FormatSettings settings)
{
    m_settings = std::move(settings);
}

DataSet* DataTemplateEngine::findDataSet(std::string_view name) const
{
    for (DataSet* dataSet : dataSets) {
        if (equalsAsciiNoCase(dataSet->name(), name))
            return dataSet;
    }
    return nullptr;
}

AggregateKind DataTemplateEngine::aggregateKindOf(std::string_view name)
{
    for (auto kind = static_cast<int>(AggregateKind::Max);
         kind >= static_cast<int>(AggregateKind::Sum); --kind) {
        if (equalsAsciiNoCase(name, AggregateNames[static_cast<std::size_t>(kind)]))
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

std::string DataTemplateEngine::tagValue(std::string_view tag)
{
    if (!tag.empty() && !dataSets.empty()) {
        if (std::optional<std::string> value = aggregateValue(tag))
            return *std::move(value);
        const std::size_t dot = tag.find('.');
        if (dot == std::string_view::npos) {
            if (std::optional<std::string> value = builtInValue(tag))
                return *std::move(value);
        } else {
            const std::string_view name = tag.substr(0, dot);
            DataSet* dataSet = findDataSet(name);
            if (!dataSet)
                throwDataTemplateError("Can't find dataset \"%s\".\rCheck template!", {name});
            if (!dataSet->isActive()) {
                throwDataTemplateError("Can't retrieve data from closed dataset \"%s\"",
                                       {dataSet->name()});
            }
            if (const Field* field = dataSet->findField(tag.substr(dot + 1)))
                return formatFieldValue(*field, field->value(), m_settings);
        }
    }
    if (std::optional<std::string> value = customTagValue(tag))
        return *std::move(value);
    throwDataTemplateError("Can't evaluate tag \"%s\".\rCheck template!", {tag});
}

std::optional<std::string> DataTemplateEngine::aggregateValue(std::string_view tag) const
{
    // Names compare without regard to case, so the tag as written serves.
    if (tag.back() != ')')
        return std::nullopt;
    const std::size_t open = tag.find('(');
    if (open == std::string_view::npos || tag.find(')') != tag.size() - 1)
        return std::nullopt;
    const AggregateKind kind = aggregateKindOf(tag.substr(0, open));
    if (kind == AggregateKind::None)
        return std::nullopt;
    const std::string_view inner = tag.substr(open + 1, tag.size() - open - 2);
    const std::size_t dot = inner.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    DataSet* dataSet = findDataSet(inner.substr(0, dot));
    if (!dataSet)
        return std::nullopt;
    const std::string_view rest = inner.substr(dot + 1);
    if (rest == "*") {
        const std::optional<std::int32_t> count = m_loops.recordCount(*dataSet);
        if (!count) {
            throwDataTemplateError("Aggregate \"%s\" can't be evaluated because\rthere is not any "
                                   "cycle for dataset \"%s\".\rCheck template!",
                                   {tag, dataSet->name()});
        }
        return std::to_string(*count);
    }
    if (const Field* field = dataSet->findField(rest))
        return aggregateText(*field, kind, tag);
    return std::nullopt;
}

std::string DataTemplateEngine::aggregateText(const Field& field, AggregateKind kind,
                                              std::string_view tag) const
{
    const FieldAggregates* aggregate = m_loops.aggregates(field);
    if (!aggregate)
        throwDataTemplateError("Can't evaluate aggregate field tag \"%s\"\rCheck template!", {tag});
    switch (kind) {
    case AggregateKind::Sum:
        return formatFieldValue(field, aggregate->sum, m_settings);
    case AggregateKind::Avg: {
        if (aggregate->sum.isNull() || aggregate->count == 0)
            return {};
        const bool real = aggregate->sum.kind() == Variant::Kind::Float;
        return formatFieldValue(field,
                                real ? aggregate->sum.divide(aggregate->count)
                                     : aggregate->sum.intDivide(aggregate->count),
                                m_settings);
    }
    case AggregateKind::Count:
        return std::to_string(aggregate->count);
    case AggregateKind::Min:
        return formatFieldValue(field, aggregate->min, m_settings);
    case AggregateKind::Max:
        return formatFieldValue(field, aggregate->max, m_settings);
    case AggregateKind::None:
        break;
    }
    return {};
}

std::optional<std::string> DataTemplateEngine::builtInValue(std::string_view tag) const
{
    if (equalsAsciiNoCase(tag, "version"))
        return "1.0.2";
    if (equalsAsciiNoCase(tag, "date"))
        return formatDateTime(m_settings.shortDateFormat, std::floor(localNow()), m_settings);
    if (equalsAsciiNoCase(tag, "time"))
        return formatDateTime(m_settings.longTimeFormat, localNow(), m_settings);
    if (equalsAsciiNoCase(tag, "now"))
        return formatDateTime({}, localNow(), m_settings);
    return std::nullopt;
}

std::optional<std::string> DataTemplateEngine::customTagValue(std::string_view)
{
    return std::nullopt;
}

void DataTemplateEngine::startFill()
{
    m_loops = DataLoops();
}

bool DataTemplateEngine::startLoop(std::string_view argument)
{
    const std::size_t dot = argument.find('.');
    const std::string_view name = argument.substr(0, dot);
    DataSet* dataSet = findDataSet(name);
    if (!dataSet)
        throwDataTemplateError("Can't find dataset \"%s\".\rCheck template!", {name});
    if (!dataSet->isActive())
        throwDataTemplateError("Can't retrieve data from closed dataset \"%s\"", {name});
    Field* groupField = nullptr;
    if (dot != std::string_view::npos) {
        groupField = dataSet->findField(argument.substr(dot + 1));
        if (!groupField)
            throwDataTemplateError("Can't find dataset field \"%s\".\rCheck template!", {argument});
    }
    return m_loops.start(*dataSet, groupField);
}

bool DataTemplateEngine::endLoop()
{
    return m_loops.end();
}

} // namespace templating
