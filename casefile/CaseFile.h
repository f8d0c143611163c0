// Case files: the figures of one loan request as a JSON document, read and written whole.
#pragma once

#include "Amount.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace casefile {

using amount::Amount;

// A loan of the register of loans in force.
struct ExistingLoan
{
    QString entity;
    Amount capital = 0;
    Amount rate = 0;
    Amount years = 0;

    friend bool operator==(const ExistingLoan&, const ExistingLoan&) = default;
};

// Everything a case holds: what the user typed, never what the program computes.
struct Case
{
    QString entityName;
    QString entityProvince;
    // The debt limit as typed; empty when no limit is set.
    QString limitText;
    // The main window's amount inputs by field name; a field not listed reads 0.
    std::map<QString, Amount> amounts;

    // The loan calculator's inputs, and whether it was left with "Aceptar".
    Amount loanCapital = 0;
    Amount loanRate = 0;
    Amount loanYears = 0;
    bool loanAccepted = false;

    std::vector<ExistingLoan> existingLoans;

    friend bool operator==(const Case&, const Case&) = default;
};

// The field names of the amounts a case file holds, in the order they are written.
const QStringList& amountFields();

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

// Reads and checks a whole case file; the message of a failure starts with
// `No se puede abrir "NAME": `.
Case readCaseFile(const QString& path);
// Writes the case atomically: a failed save leaves the earlier file as it was. The message of
// a failure starts with `No se puede guardar "NAME": `.
void writeCaseFile(const QString& path, const Case& c);

} // namespace casefile
