// The platform's default beep, replaceable so that tests can count beeps.
#pragma once

#include <functional>

namespace numedit {

void Beep();

// Replaces what Beep does; returns the previous handler. An empty function restores the
// platform beep.
using BeepHandler = std::function<void()>;
BeepHandler SetBeepHandler(BeepHandler handler);

} // namespace numedit
