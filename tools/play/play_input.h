#pragma once
// The input language of play by chance: a byte string read as a sequence of a player's events.
// Every byte string is a sequence, so that a fuzzer's mutations always play.
//
// Each event starts with one byte whose value modulo kPlayEventKinds is its kind; then
//   Move, Press, Release, Click, RightClick: x and y, two bytes each (high first), modulo 800
//     and 600;
//   Key, KeyDown, KeyUp: one byte, an index modulo the count of kPlayKeys;
//   Char: one byte, the character as typed (Windows-1252);
//   Frames: one byte b, 1 + b modulo kMaxFramesPerEvent frames of the main loop.
// Bytes missing at the end read as 0.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/messages.h"

namespace kv::play {

enum class PlayEventKind : std::uint8_t {
    Move,
    Press,
    Release,
    Click,
    RightClick,
    Key,  // down and up
    KeyDown,
    KeyUp,
    Char,
    Frames,
};
inline constexpr int kPlayEventKinds = 10;

inline constexpr int kPlayWidth = 800;
inline constexpr int kPlayHeight = 600;
inline constexpr int kMaxFramesPerEvent = 64;

// The keys the screens handle: arrows, paging, Home, End, Tab, Space, Return, Esc, Backspace,
// Pause, digits, letters and F1 to F12.
inline constexpr std::array<WParam, 62> kPlayKeys = [] {
    std::array<WParam, 62> keys{};
    std::size_t n = 0;
    for (const WParam k : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END,
                           VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_BACK, VK_PAUSE})
        keys[n++] = k;
    for (WParam k = '0'; k <= '9'; ++k) keys[n++] = k;
    for (WParam k = 'A'; k <= 'Z'; ++k) keys[n++] = k;
    for (WParam k = VK_F1; n < keys.size(); ++k) keys[n++] = k;
    return keys;
}();

struct PlayEvent {
    PlayEventKind kind = PlayEventKind::Frames;
    int x = 0;
    int y = 0;
    // The virtual key of the key events, the character of Char.
    WParam code = 0;
    // Frames only: 1..kMaxFramesPerEvent.
    int frames = 1;
    bool operator==(const PlayEvent&) const = default;
};

std::vector<PlayEvent> DecodePlay(std::span<const std::uint8_t> bytes);
// The bytes that decode to these events; a key outside kPlayKeys is written as the first key, and
// points and frame counts are cut to their ranges.
std::vector<std::uint8_t> EncodePlay(std::span<const PlayEvent> events);

}  // namespace kv::play
