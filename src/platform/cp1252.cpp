#include "platform/cp1252.h"

namespace kv {

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const int c = Cp1252FromCodePoint(NextUtf8(utf8, i));
        if (c >= 0) out += static_cast<char>(c);
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const char32_t cp = CodePointFromCp1252(static_cast<unsigned char>(ch));
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace kv
