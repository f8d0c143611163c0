// Existing loans read from a CSV file that an accounting program exported.
#pragma once

#include "Case.h"

#include <QByteArray>

#include <vector>

namespace borrowing {

// The loans of a CSV text: UTF-8, or Windows-1252 when it is not valid UTF-8; ";" or ","
// between fields, whichever the header line uses; a header naming the columns entidad,
// capital, interes and anios in any order and case (others are ignored); quoted fields as in
// RFC 4180. With ";" numbers are written the Spanish way ("1.234.567,89"), with "," plainly
// ("1234567.89"). Figures are rounded as the register shows them.
// A bad line stops the reading with std::runtime_error "Línea N: " and what is wrong in it.
std::vector<Loan> readLoansCsv(const QByteArray& bytes);

} // namespace borrowing
