// The extended-precision type of every amount in the program.
#pragma once

using Amount = long double;
