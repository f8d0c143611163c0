// The full report: the values of its tags, code page 1252 and filling the template.
#pragma once

#include "ReportFigures.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

// The text in Windows code page 1252, one byte a character; "?" for what it lacks.
QByteArray ToCodePage1252(const QString& text);

// The value of one of the report's 28 tags, matched exactly; false for any other tag.
bool InvoiceTagValue(const TReportFigures& figures, const std::string& tag, std::string& value);

// Asks the tag values of the report.
using TTagValueSource = std::function<bool(const std::string& tag, std::string& value)>;

// Fills the template into the output with the tag values, then opens the output; nothing is
// opened when filling fails, and the failure reaches the caller.
void RunFullReport(const QString& templatePath, const QString& outputPath,
                   const TTagValueSource& tagValues,
                   const std::function<void(const QString&)>& openDocument);
