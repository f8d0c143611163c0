// The separators the tests format and parse with, and setting them for the amount fields.
#pragma once

#include "LocaleSeparators.h"

namespace testsupport {

inline const amount::Separators Spanish{u',', u'.'};
inline const amount::Separators English{u'.', u','};

// Makes the amount fields use `separators` instead of the system locale's.
inline void useSeparators(amount::Separators separators)
{
    amount::setSeparatorSource([separators] { return separators; });
}

// Gives the amount fields the system locale's separators again.
inline void restoreSeparators()
{
    amount::setSeparatorSource({});
}

} // namespace testsupport
