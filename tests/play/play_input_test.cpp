#include "play_input.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::play {
namespace {

using Bytes = std::vector<std::uint8_t>;

PlayEvent At(PlayEventKind kind, int x, int y) {
    return {.kind = kind, .x = x, .y = y};
}
PlayEvent KeyEvent(PlayEventKind kind, WParam code) {
    return {.kind = kind, .code = code};
}
PlayEvent FramesEvent(int n) {
    return {.kind = PlayEventKind::Frames, .frames = n};
}

TEST(PlayInput, AnyBytesReadAsEvents) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::vector<PlayEvent> events;
    };
    const Case cases[] = {
        {"nothing", {}, {}},
        {"a click, coordinates high byte first",
         {3, 0x01, 0x2C, 0x00, 0xC8},
         {At(PlayEventKind::Click, 300, 200)}},
        {"coordinates wrap into the screen",
         {10, 0xFF, 0xFF, 0xFF, 0xFF},
         {At(PlayEventKind::Move, 65535 % 800, 65535 % 600)}},
        {"missing bytes read as 0", {1, 0x01}, {At(PlayEventKind::Press, 256, 0)}},
        {"keys by index, wrapping",
         {5, 0, 7, 62 + 11},
         {KeyEvent(PlayEventKind::Key, VK_LEFT), KeyEvent(PlayEventKind::KeyUp, VK_ESCAPE)}},
        {"a character as typed", {8, 0xE4}, {KeyEvent(PlayEventKind::Char, 0xE4)}},
        {"frames 1 to 64",
         {9, 0, 19, 63, 9, 64},
         {FramesEvent(1), FramesEvent(64), FramesEvent(1)}},
        {"a frames event at the very end", {9}, {FramesEvent(1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodePlay(c.bytes), c.events);
    }
}

TEST(PlayInput, EncodedEventsReadBackAsThemselves) {
    const std::vector<PlayEvent> events = {
        At(PlayEventKind::Click, 799, 599),       At(PlayEventKind::RightClick, 0, 0),
        At(PlayEventKind::Release, 623, 463),     KeyEvent(PlayEventKind::KeyDown, 'Z'),
        KeyEvent(PlayEventKind::Key, VK_F1 + 11), KeyEvent(PlayEventKind::Char, 13),
        FramesEvent(kMaxFramesPerEvent)};
    EXPECT_EQ(DecodePlay(EncodePlay(events)), events);
    // Out of range, the events are cut to what the language holds.
    const std::vector<PlayEvent> wild = {At(PlayEventKind::Move, 900, -5), FramesEvent(500),
                                         KeyEvent(PlayEventKind::Key, VK_SHIFT)};
    const std::vector<PlayEvent> cut = {At(PlayEventKind::Move, 799, 0), FramesEvent(64),
                                        KeyEvent(PlayEventKind::Key, kPlayKeys[0])};
    EXPECT_EQ(DecodePlay(EncodePlay(wild)), cut);
}

}  // namespace
}  // namespace kv::play
