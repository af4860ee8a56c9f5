#pragma once
// Picture masks ("#####", "######.######", "###.#") and the program's rounding rules.

#include <string>
#include <string_view>

namespace kl {

// The single-precision 0.501 the rounding rules add.
inline constexpr double kHalfUp = 0.5009999871253967;

// Formats v through a mask of '#' with an optional '.': right-aligned in the mask's width,
// exactly as many decimals as '#' after the point (rounded half away from zero after first
// rounding to 15 significant digits), a 0 before the point of a number below 1, the minus sign
// taking a place; a value that rounds to zero has no minus sign. A number too wide is written
// in full, in fixed notation with the mask's decimals, preceded by "%".
std::string formatMask(double v, std::string_view mask);

// formatMask then trimmed of blanks at both ends.
std::string formatMaskTrim(double v, std::string_view mask);

// floor(x * 10^d + 0.501) / 10^d.
double round501(double x, int decimals);

// floor(v + 0.501) for pixel positions.
long long pixelRound(double v);

} // namespace kl
