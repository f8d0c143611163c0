// The user's locale separators, read at start-up and again when the locale changes.
#pragma once

#include "NumberFormat.h"

#include <functional>

namespace amount {

// The separators the amount fields format and parse with.
Separators currentSeparators();

// Reads the separators again from their source (the system locale unless replaced).
void reloadSeparators();

// Replaces where the separators are read from, and reads them; returns the previous source.
// An empty function restores the system locale.
using SeparatorSource = std::function<Separators()>;
SeparatorSource setSeparatorSource(SeparatorSource source);

// The separators of the system locale: its decimal point and group separator (first
// character), "." and "," when it gives none.
Separators systemSeparators();

} // namespace amount
