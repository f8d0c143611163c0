// DataTemplateEngine: the engine that answers tags from aggregates, built-in names, data source
// fields and a caller's callback, and drives loops over data sources.
#pragma once

#include "DataLoops.h"
#include "DataSet.h"
#include "FormatSettings.h"
#include "TemplateEngine.h"
#include "Variant.h"

#include <functional>
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

// Answers a tag with its value, or with nothing when the tag is unknown.
using CustomTagValueSource = std::function<std::optional<std::string>(const std::string& tag)>;

class DataTemplateEngine : public TemplateEngine
{
public:
    DataTemplateEngine();
    ~DataTemplateEngine() override;

    // Registered by the caller before processing; not owned.
    std::vector<DataSet*> dataSets;
    CustomTagValueSource customTagValue;

    // The locale facts for dates, times and number formats; the C library's by default. An RTF
    // template gets their texts in code page 1252.
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

private:
    std::optional<std::string> aggregateValue(std::string_view tag) const;
    std::string aggregateText(const Field& field, AggregateKind kind, std::string_view tag) const;
    std::optional<std::string> builtInValue(std::string_view tag) const;
    // The settings for the template being filled.
    const FormatSettings& settings() const
    {
        return templateFormat == TemplateFormat::Rtf ? m_rtfSettings : m_settings;
    }

    DataLoops m_loops;
    FormatSettings m_settings;
    FormatSettings m_rtfSettings;
};

} // namespace templating
