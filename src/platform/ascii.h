#pragma once
// Letter case of the ASCII letters only. File names, extensions and codes are compared and
// spelled this way; bytes above 127 (Windows-1252 umlauts) and the C locale play no part.

#include <string>
#include <string_view>

namespace kv {

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = AsciiLower(c);
    return s;
}
inline std::string AsciiUpper(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = AsciiUpper(c);
    return s;
}

constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace kv
