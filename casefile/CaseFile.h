// Case files: the figures of one loan request as a JSON document, read and written whole.
#pragma once

#include "Case.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace casefile {

using amount::Amount;
using borrowing::Case;

// The case as the bytes of its file (UTF-8 JSON). Equal cases give equal bytes.
QByteArray caseToJson(const Case& c);
// The case in a file's bytes; throws borrowing::Refused saying what is wrong with them.
Case caseFromJson(const QByteArray& json);

// The shortest text that reads back to the same extended value ("2345678.9", "-1E+20").
QString amountToText(Amount x);
// The value of an amount text: an optional "-", digits, an optional "." and digits, an
// optional exponent ("E", an optional sign, digits); nothing for anything else.
std::optional<Amount> amountFromText(const QString& text);

// Reads and checks a whole case file, every figure the window computes from it included. Throws
// userfile::FileError when the file cannot be read, and borrowing::Refused when what it holds
// is no case the window may show.
Case readCaseFile(const QString& path);
// Writes the case atomically, keeping the replaced file's permissions: a failed save leaves the
// earlier file as it was. Throws userfile::FileError.
void writeCaseFile(const QString& path, const Case& c);

} // namespace casefile
