// The texts the reports show of an assessed case, by the full report's tag names, worked out
// once for a report.
#pragma once

#include "Assessment.h"
#include "NumberFormat.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace reports {

class ReportValues final
{
public:
    // The assessment must outlive the values; `today` is the report's date.
    ReportValues(const borrowing::Assessment& assessment, amount::Separators separators,
                 const QDate& today = QDate::currentDate());

    const borrowing::Assessment& assessment() const { return m_assessment; }
    amount::Separators separators() const { return m_separators; }
    // The text of a tag, matched exactly; nothing for a tag no report knows.
    std::optional<std::string> tagValue(std::string_view tag) const;
    // The text of a tag the reports know.
    QString text(std::string_view tag) const;

private:
    const borrowing::Assessment& m_assessment;
    amount::Separators m_separators;
    // UTF-8, as the template engine takes it.
    std::unordered_map<std::string_view, std::string> m_texts;
};

// The debt limit as the user typed it; "0" while none is set.
QString limitText(const borrowing::Case& c);

} // namespace reports
