#pragma once
// The one line of text under the world view. Any module sets it with a lifetime in drawn frames;
// the mission screen draws it and counts the lifetime down.

#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

// Zero-terminated, at most 255 characters (Windows-1252); empty: no message.
extern std::array<char, 256> MessageLine;
// Frames left; this value keeps the text until it is replaced or cleared.
inline constexpr std::uint16_t kMessageLineForever = 65535;
extern std::uint16_t MessageLineCountdown;

// Copies at most 255 characters of the text, always terminated.
void SetMessageLine(std::string_view text, std::uint16_t frames);
// Empty text, countdown 0.
void ClearMessageLine();

}  // namespace kv
