// TDbFreeReporter: the engine that answers tags from aggregates, built-in names, data source
// fields and a caller's callback, and drives loops over data sources.
#include "uDbFreeReporter.h"

#include "AsciiText.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

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
    throw TDbReporterException(message(pattern, arguments));
}

// Now as days since 30 December 1899 in local time.
long double localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0L;
}

} // namespace

TDbFreeReporter::TDbFreeReporter()
{
    OnCycleStart = [this](const std::string& text, bool& enter) { StartCycle(text, enter); };
    OnCycleEnd = [this](bool& finished) { EndCycle(finished); };
}

TDbFreeReporter::~TDbFreeReporter() = default;

TDataSet* TDbFreeReporter::FindDataSet(const std::string& Name) const
{
    const std::string wanted = LowerAscii(Name);
    for (TDataSet* dataSet : DataSets) {
        if (LowerAscii(dataSet->Name()) == wanted)
            return dataSet;
    }
    return nullptr;
}

TAggregateKind TDbFreeReporter::AggregateKindOf(const std::string& Name)
{
    const std::string lower = LowerAscii(Name);
    for (auto kind = static_cast<int>(TAggregateKind::akMax);
         kind >= static_cast<int>(TAggregateKind::akSum); --kind) {
        if (lower == AggregateNames[static_cast<std::size_t>(kind)])
            return static_cast<TAggregateKind>(kind);
    }
    return TAggregateKind::akNone;
}

std::string TDbFreeReporter::FormatFieldValue(const TField& Field, const TVariant& Value,
                                              const TFormatSettings& Settings)
{
    if (Value.isNull())
        return {};
    if (Field.OnGetText)
        return Field.OnGetText(Field);
    if (Field.IsNumeric()) {
        const std::string& pattern =
            Field.DisplayFormat.empty() ? Field.EditFormat : Field.DisplayFormat;
        if (Field.IsFloat()) {
            if (!pattern.empty())
                return FormatFloat(pattern, Value.asNumber(), Settings);
            if (Field.Currency)
                return FormatCurrency(Value.asNumber(), Settings);
            return FormatGeneral(Value.asNumber(), Field.Precision, Settings);
        }
        if (Field.DataType() != TFieldType::ftBCD && Field.DataType() != TFieldType::ftFMTBcd) {
            if (!pattern.empty())
                return FormatFloat(pattern, static_cast<long double>(Value.asInteger()), Settings);
            return std::to_string(Value.asInteger());
        }
        return Value.ToText(Settings);
    }
    if (Field.IsDateTime()) {
        std::string pattern = Field.DisplayFormat;
        if (pattern.empty() && Field.DateTimeKind == TDateTimeKind::Date)
            pattern = Settings.ShortDateFormat;
        else if (pattern.empty() && Field.DateTimeKind == TDateTimeKind::Time)
            pattern = Settings.LongTimeFormat;
        return FormatDateTime(pattern, Value.asNumber(), Settings);
    }
    return Value.ToText(Settings);
}

void TDbFreeReporter::GetTagValue(const std::string& Tag, std::string& Value)
{
    if (!Tag.empty() && !DataSets.empty()) {
        if (aggregateValue(Tag, Value))
            return;
        const std::size_t dot = Tag.find('.');
        if (dot == std::string::npos) {
            if (builtInValue(Tag, Value))
                return;
        } else {
            const std::string name = Tag.substr(0, dot);
            TDataSet* dataSet = FindDataSet(name);
            if (!dataSet)
                fail("Can't find dataset \"%s\".\rCheck template!", {name});
            if (!dataSet->Active())
                fail("Can't retrieve data from closed dataset \"%s\"", {dataSet->Name()});
            if (const TField* field = dataSet->FindField(Tag.substr(dot + 1))) {
                Value = FormatFieldValue(*field, field->Value(), FormatSettings);
                return;
            }
        }
    }
    if (!(OnGetCustomTagValue && OnGetCustomTagValue(Tag, Value)))
        fail("Can't evaluate tag \"%s\".\rCheck template!", {Tag});
}

bool TDbFreeReporter::aggregateValue(const std::string& Tag, std::string& Value) const
{
    const std::string lower = LowerAscii(Tag);
    const std::size_t open = lower.find('(');
    const std::size_t close = lower.find(')');
    if (open == std::string::npos || close != lower.size() - 1)
        return false;
    const TAggregateKind kind = AggregateKindOf(lower.substr(0, open));
    if (kind == TAggregateKind::akNone)
        return false;
    const std::string inner = lower.substr(open + 1, lower.size() - open - 2);
    const std::size_t dot = inner.find('.');
    if (dot == std::string::npos)
        return false;
    TDataSet* dataSet = FindDataSet(inner.substr(0, dot));
    if (!dataSet)
        return false;
    const std::string rest = inner.substr(dot + 1);
    if (rest == "*") {
        Value = std::to_string(CycleRecordCount(dataSet, Tag));
        return true;
    }
    if (const TField* field = dataSet->FindField(rest)) {
        Value = AggregateText(field, kind, Tag);
        return true;
    }
    return false;
}

bool TDbFreeReporter::builtInValue(const std::string& Tag, std::string& Value) const
{
    const std::string lower = LowerAscii(Tag);
    if (lower == "version") {
        Value = "1.0.2";
    } else if (lower == "date") {
        Value =
            FormatDateTime(FormatSettings.ShortDateFormat, std::floor(localNow()), FormatSettings);
    } else if (lower == "time") {
        Value = FormatDateTime(FormatSettings.LongTimeFormat, localNow(), FormatSettings);
    } else if (lower == "now") {
        Value = FormatDateTime({}, localNow(), FormatSettings);
    } else {
        return false;
    }
    return true;
}

bool TDbFreeReporter::IsDataSetCycling(const TDataSet* DataSet) const
{
    for (const auto& cycle : Cycles) {
        if (cycle->Active && cycle->DataSet == DataSet)
            return true;
    }
    return false;
}

void TDbFreeReporter::StartCycle(const std::string& CycleText, bool& Enter)
{
    const std::size_t dot = CycleText.find('.');
    const std::string name = CycleText.substr(0, dot);
    TDataSet* dataSet = FindDataSet(name);
    if (!dataSet)
        fail("Can't find dataset \"%s\".\rCheck template!", {name});
    if (!dataSet->Active())
        fail("Can't retrieve data from closed dataset \"%s\"", {name});
    TField* groupField = nullptr;
    if (dot != std::string::npos) {
        groupField = dataSet->FindField(CycleText.substr(dot + 1));
        if (!groupField)
            fail("Can't find dataset field \"%s\".\rCheck template!", {CycleText});
    }
    if (!IsDataSetCycling(dataSet))
        dataSet->First();
    Enter = !dataSet->Eof();
    if (!Enter)
        return;

    auto cycle = std::make_unique<TCycleData>();
    cycle->Parent = CurrentCycle;
    cycle->DataSet = dataSet;
    cycle->GroupField = groupField;
    if (groupField)
        cycle->GroupValue = groupField->Value();
    cycle->FirstAggregate = static_cast<std::int32_t>(Aggregates.size());
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField& field = dataSet->Fields(i);
        if (!IsNotAggregated(field.DataType()))
            Aggregates.push_back({&field, {}, 0, TVariant::Null(), TVariant::Null()});
    }
    cycle->LastAggregate = static_cast<std::int32_t>(Aggregates.size()) - 1;
    Cycles.push_back(std::move(cycle));
    CurrentCycle = static_cast<std::int32_t>(Cycles.size()) - 1;
    AccumulateRecord(CurrentCycle);
}

void TDbFreeReporter::EndCycle(bool& Finished)
{
    if (CurrentCycle < 0)
        throw TReporterInternalError("FreeReporter: Internal error #02");
    TCycleData& cycle = *Cycles[static_cast<std::size_t>(CurrentCycle)];

    // Loops opened directly inside this one start afresh at its next pass.
    for (auto i = static_cast<std::int32_t>(Cycles.size()) - 1; i > CurrentCycle; --i) {
        const TCycleData& nested = *Cycles[static_cast<std::size_t>(i)];
        if (nested.Parent != CurrentCycle)
            continue;
        if (nested.Active) {
            fail("Cycle \"%s\" can't be closed before nested cycle \"%s\"\rCheck template!",
                 {cycle.DataSet->Name(), nested.DataSet->Name()});
        }
        Cycles.erase(Cycles.begin() + i);
    }
    Aggregates.resize(static_cast<std::size_t>(cycle.LastAggregate + 1));

    TDataSet* dataSet = cycle.DataSet;
    for (;;) {
        dataSet->Next();
        Finished = dataSet->Eof() || IsGroupBreak(dataSet);
        if (Finished) {
            // A group break hands the boundary record back to the enclosing loop.
            if (!dataSet->Eof())
                dataSet->Prior();
            break;
        }
        AccumulateOpenCycles(dataSet);
        if (!cycle.GroupField || !(cycle.GroupField->Value() == cycle.GroupValue))
            break;
    }
    if (Finished) {
        cycle.Active = false;
        CurrentCycle = cycle.Parent;
    } else if (cycle.GroupField) {
        cycle.GroupValue = cycle.GroupField->Value();
    }
}

bool TDbFreeReporter::IsGroupBreak(const TDataSet* DataSet) const
{
    for (std::int32_t i = CurrentCycle - 1; i >= 0; --i) {
        const TCycleData& cycle = *Cycles[static_cast<std::size_t>(i)];
        if (cycle.Active && cycle.DataSet == DataSet && cycle.GroupField &&
            !(cycle.GroupField->Value() == cycle.GroupValue))
            return true;
    }
    return false;
}

void TDbFreeReporter::AccumulateOpenCycles(const TDataSet* DataSet)
{
    for (std::int32_t i = CurrentCycle; i >= 0; --i) {
        const TCycleData& cycle = *Cycles[static_cast<std::size_t>(i)];
        if (cycle.Active && cycle.DataSet == DataSet)
            AccumulateRecord(i);
    }
}

void TDbFreeReporter::AccumulateRecord(std::int32_t CycleIndex)
{
    TCycleData& cycle = *Cycles[static_cast<std::size_t>(CycleIndex)];
    ++cycle.RecordCount;
    for (std::int32_t a = cycle.FirstAggregate; a <= cycle.LastAggregate; ++a) {
        TAggregates& aggregate = Aggregates[static_cast<std::size_t>(a)];
        const TVariant value = aggregate.Field->Value();
        if (value.isNull())
            continue;
        ++aggregate.Count;
        if (aggregate.Min.isNull() || value < aggregate.Min)
            aggregate.Min = value;
        if (aggregate.Max.isNull() || value > aggregate.Max)
            aggregate.Max = value;
        if (IsSummed(aggregate.Field->DataType()))
            aggregate.Sum = aggregate.Sum + value;
    }
}

std::int32_t TDbFreeReporter::CycleRecordCount(const TDataSet* DataSet,
                                               const std::string& Tag) const
{
    for (auto cycle = Cycles.rbegin(); cycle != Cycles.rend(); ++cycle) {
        if ((*cycle)->DataSet == DataSet)
            return (*cycle)->RecordCount;
    }
    fail("Aggregate \"%s\" can't be evaluated because\rthere is not any cycle for dataset "
         "\"%s\".\rCheck template!",
         {Tag, DataSet->Name()});
}

std::string TDbFreeReporter::AggregateText(const TField* Field, TAggregateKind Kind,
                                           const std::string& Tag) const
{
    auto found = Aggregates.rbegin();
    while (found != Aggregates.rend() && found->Field != Field)
        ++found;
    if (found == Aggregates.rend())
        fail("Can't evaluate aggregate field tag \"%s\"\rCheck template!", {Tag});
    const TAggregates& aggregate = *found;
    switch (Kind) {
    case TAggregateKind::akSum:
        return FormatFieldValue(*Field, aggregate.Sum, FormatSettings);
    case TAggregateKind::akAvg: {
        if (aggregate.Sum.isNull() || aggregate.Count == 0)
            return {};
        const bool real = aggregate.Sum.kind() == TVariant::Kind::Float ||
                          aggregate.Sum.kind() == TVariant::Kind::Currency;
        return FormatFieldValue(*Field,
                                real ? aggregate.Sum.Divide(aggregate.Count)
                                     : aggregate.Sum.IntDivide(aggregate.Count),
                                FormatSettings);
    }
    case TAggregateKind::akCount:
        return std::to_string(aggregate.Count);
    case TAggregateKind::akMin:
        return FormatFieldValue(*Field, aggregate.Min, FormatSettings);
    case TAggregateKind::akMax:
        return FormatFieldValue(*Field, aggregate.Max, FormatSettings);
    case TAggregateKind::akNone:
        break;
    }
    return {};
}
