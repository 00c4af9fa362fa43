#pragma once
// The game keeps its texts as Windows-1252 bytes, as its data files and stored formats do.
// Source files are UTF-8; literals with umlauts go through W("...") once, at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The Unicode code points of 0x80..0x9F; 0 where the code page leaves a byte undefined.
inline constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte for a code point, or -1 when the code page has none.
constexpr int Cp1252FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

constexpr char32_t CodePointFromCp1252(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kCp1252High[c - 0x80] != 0 ? kCp1252High[c - 0x80] : U'?';
    return c;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed input gives U+FFFD.
constexpr char32_t NextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

// Characters without a Windows-1252 byte are dropped.
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view text);

template <std::size_t N>
struct Cp1252Literal {
    char data[N]{};
    std::size_t length = 0;
    consteval Cp1252Literal(const char (&utf8)[N]) {
        const std::string_view s(utf8, N - 1);
        std::size_t i = 0;
        while (i < s.size()) {
            const int c = Cp1252FromCodePoint(NextUtf8(s, i));
            if (c < 0) throw "character without a Windows-1252 byte";
            data[length++] = static_cast<char>(c);
        }
    }
};

template <Cp1252Literal L>
inline constexpr auto kCp1252Storage = L;

}  // namespace kv

// W("Überprüfen") is the Windows-1252 text of a UTF-8 literal, as a null-terminated const char*.
#define W(literal) (::kv::kCp1252Storage<::kv::Cp1252Literal(literal)>.data)
