// Case files: the figures of one loan request as a JSON document, read and written whole.
#pragma once

#include "Case.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <stdexcept>

namespace casefile {

using amount::Amount;
using borrowing::Case;

// A file that is not a case this program can open; the message says why, in the words that
// follow "No se puede abrir "NAME": ".
class CaseFormatError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The case as the bytes of its file (UTF-8 JSON). Equal cases give equal bytes.
QByteArray caseToJson(const Case& c);
// The case in a file's bytes; throws CaseFormatError.
Case caseFromJson(const QByteArray& json);

// The shortest text that reads back to the same extended value ("2345678.9", "-1E+20").
QString amountToText(Amount x);
// The value of an amount text: an optional "-", digits, an optional "." and digits, an
// optional exponent ("E", an optional sign, digits); nothing for anything else.
std::optional<Amount> amountFromText(const QString& text);

// Reads and checks a whole case file, every figure the window computes from it included; the
// message of a failure starts with `No se puede abrir "NAME": `.
Case readCaseFile(const QString& path);
// Writes the case atomically, keeping the replaced file's permissions: a failed save leaves the
// earlier file as it was. The message of a failure starts with `No se puede guardar "NAME": `.
void writeCaseFile(const QString& path, const Case& c);

} // namespace casefile
