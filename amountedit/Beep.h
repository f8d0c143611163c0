// The desktop's default beep, replaceable so that tests can count beeps.
#pragma once

#include <functional>

namespace amount {

void beep();

// Replaces what beep() does; returns the previous handler. An empty function restores the
// platform beep.
using BeepHandler = std::function<void()>;
BeepHandler setBeepHandler(BeepHandler handler);

} // namespace amount
