#include "core/message_line.h"

#include <algorithm>

namespace kv {

std::array<char, 256> MessageLine{};
std::uint16_t MessageLineCountdown = 0;

void SetMessageLine(std::string_view text, std::uint16_t frames) {
    // A text ends at its first NUL, as a C string would.
    text = text.substr(0, text.find('\0'));
    const std::size_t n = std::min(text.size(), MessageLine.size() - 1);
    std::copy_n(text.begin(), n, MessageLine.begin());
    MessageLine[n] = '\0';
    MessageLineCountdown = frames;
}

void ClearMessageLine() {
    MessageLine.fill('\0');
    MessageLineCountdown = 0;
}

}  // namespace kv
