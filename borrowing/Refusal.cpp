// What is wrong with a case, a file or a value typed, as a value: the record and field it is
// about, the reason, the bound it breaks and the line of a file; the wording layer phrases it.
#include "Refusal.h"

#include <string>

namespace borrowing {

Refused::Refused(Refusal refusal)
    : InvalidInput(std::string("refused (reason ") +
                   std::to_string(static_cast<int>(refusal.reason)) + ", field " +
                   (refusal.key ? refusal.key : "none") + ")"),
      m_refusal(std::move(refusal))
{
}

} // namespace borrowing
