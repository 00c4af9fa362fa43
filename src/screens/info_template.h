#pragma once
// The info texts of the base screens are templates from data files, filled with a price and a
// seat count. A file is data, never a format string: only integer conversions take values.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv {

// Where the info file of a type lies: the folder, then its code and ".dat".
inline constexpr std::string_view kInfoFolder = "data\\d\\info\\";
// The widest field a template may ask for.
inline constexpr std::size_t kMaxInfoWidth = 256;

// Fills the template with the values in order. "%d", "%i" and "%u" (with the flags - + space 0 #,
// a width and an "l") each take the next value and print it as the number it is; "%%" is a
// percent sign. Any other conversion, a conversion beyond the values, and a width above
// kMaxInfoWidth are copied as written. The text ends at its first NUL byte.
std::string FormatInfoTemplate(std::string_view text, std::span<const std::uint32_t> values);

}  // namespace kv
