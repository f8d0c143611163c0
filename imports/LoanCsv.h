// Existing loans read from a CSV file that an accounting program exported.
#pragma once

#include "CaseFields.h"
#include "CsvBytes.h"

#include <QByteArray>

#include <vector>

namespace imports {

using borrowing::Loan;

// The loans of a CSV text: UTF-8, or Windows-1252 when it is not valid UTF-8; ";" or ","
// between fields, whichever the header line uses; a header naming the columns entidad,
// capital, interes and anios, and optionally tipo, aval and hipoteca, in any order and case
// (others are ignored); quoted fields as in RFC 4180. With ";" numbers are written the Spanish
// way ("1.234.567,89"), with "," plainly ("1234567.89"). Figures are rounded as the register
// shows them and must be a loan's: a capital of at least 0, a rate from 0 to 100, more than 0
// and at most 100 years. The kind is a word loanKindNamed() takes, the share guaranteed (read
// for a guaranteed loan only) more than 0 and at most 100, the mortgage-secured part from 0 to
// the capital and none on a short-term operation; an empty field of these reads as an own loan,
// the whole of it guaranteed, without a mortgage.
// A bad line stops the reading with InvalidInput "Línea N: " and what is wrong in it.
std::vector<Loan> readLoansCsv(const QByteArray& bytes, const ReadingProgress& progress = {});

} // namespace imports
