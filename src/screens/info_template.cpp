#include "screens/info_template.h"

#include <string>

namespace kv {

namespace {

struct Conversion {
    bool left = false;
    bool zeroPad = false;
    char sign = '\0';  // '+' or ' ' before the number
    std::size_t width = 0;
    std::size_t length = 0;  // characters of the template it spans, "%" included; 0 = none
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An integer conversion starting at text[at] == '%'; length 0 when it is something else.
Conversion ParseConversion(std::string_view text, std::size_t at) {
    Conversion c;
    std::size_t i = at + 1;
    for (; i < text.size(); ++i) {
        const char f = text[i];
        if (f == '-')
            c.left = true;
        else if (f == '0')
            c.zeroPad = true;
        else if (f == '+')
            c.sign = '+';
        else if (f == ' ') {
            if (c.sign != '+') c.sign = ' ';
        } else if (f != '#')
            break;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        c.width = c.width * 10 + static_cast<std::size_t>(text[i] - '0');
        if (c.width > kMaxInfoWidth) return {};
    }
    if (i < text.size() && text[i] == 'l') ++i;
    if (i >= text.size()) return {};
    const char kind = text[i];
    if (kind != 'd' && kind != 'i' && kind != 'u') return {};
    c.length = i + 1 - at;
    return c;
}

void AppendNumber(std::string& out, const Conversion& c, std::uint32_t value) {
    std::string digits = std::to_string(value);
    if (c.sign != '\0') digits.insert(digits.begin(), c.sign);
    const std::size_t pad = c.width > digits.size() ? c.width - digits.size() : 0;
    if (c.left) {
        out += digits;
        out.append(pad, ' ');
    } else if (c.zeroPad) {
        // Zeros go between the sign and the digits.
        const std::size_t signChars = c.sign != '\0' ? 1 : 0;
        out.append(digits, 0, signChars);
        out.append(pad, '0');
        out.append(digits, signChars);
    } else {
        out.append(pad, ' ');
        out += digits;
    }
}

}  // namespace

std::string FormatInfoTemplate(std::string_view text, std::span<const std::uint32_t> values) {
    text = text.substr(0, text.find('\0'));
    std::string out;
    out.reserve(text.size());
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        const Conversion c = ParseConversion(text, i);
        if (c.length == 0 || next >= values.size()) {
            out += text[i++];
            continue;
        }
        AppendNumber(out, c, values[next++]);
        i += c.length;
    }
    return out;
}

}  // namespace kv
