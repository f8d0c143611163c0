// The extended-precision type of every amount in the program.
#pragma once

namespace amount {

using Amount = long double;

} // namespace amount
