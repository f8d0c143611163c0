// DataTemplateEngine: the engine that answers tags from aggregates, built-in names, data source
// fields and a subclass's own tags, and drives loops over data sources.
#pragma once

#include "DataLoops.h"
#include "DataSet.h"
#include "FormatSettings.h"
#include "TemplateEngine.h"
#include "Variant.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace templating {

enum class AggregateKind : std::uint8_t
{
    None,
    Sum,
    Avg,
    Count,
    Min,
    Max
};

class DataTemplateEngine : public TemplateEngine
{
public:
    DataTemplateEngine();
    ~DataTemplateEngine() override;

    // Registered by the caller before processing; not owned.
    std::vector<DataSet*> dataSets;

    // The locale facts for dates, times and number formats, their texts in UTF-8; the C
    // library's by default.
    const FormatSettings& formatSettings() const { return m_settings; }
    void setFormatSettings(FormatSettings settings);

    DataSet* findDataSet(std::string_view name) const;
    static AggregateKind aggregateKindOf(std::string_view name);
    // A value as the field would display it.
    static std::string formatFieldValue(const Field& field, const Variant& value,
                                        const FormatSettings& settings);

protected:
    // Each fill starts without loops.
    void startFill() override;
    std::string tagValue(std::string_view tag) override;
    bool startLoop(std::string_view argument) override;
    bool endLoop() override;
    // The value of a tag that neither a data source nor a built-in name answers; nothing, and
    // the fill fails, when the tag is unknown. Nothing by default.
    virtual std::optional<std::string> customTagValue(std::string_view tag);

private:
    std::optional<std::string> aggregateValue(std::string_view tag) const;
    std::string aggregateText(const Field& field, AggregateKind kind, std::string_view tag) const;
    std::optional<std::string> builtInValue(std::string_view tag) const;

    DataLoops m_loops;
    FormatSettings m_settings;
};

} // namespace templating
