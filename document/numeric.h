#pragma once
// The two number rules every window shares.
#include <string_view>

namespace gs {

// Closest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Values beyond the int range saturate instead of overflowing.
int Nearest(double v);

// The longest decimal number at the start of typed text, after leading blanks
// ("  7x" -> 7, "2.5" -> 2.5, "-0.4" -> -0.4, "abc" -> 0). Accepts a sign, digits,
// one decimal point and an exponent ("1e2" -> 100). Never throws.
double ParseLeadingNumber(std::string_view text);

}  // namespace gs
