#pragma once
// The current screen and the table that routes the main loop and the input to it.

#include <array>
#include <cstdint>

#include "platform/messages.h"

namespace kv {

// 0..19; 0 while loading or shutting down: no frame function and no screen handler runs then.
extern std::uint32_t GameMode;
inline constexpr std::uint32_t kGameModeCount = 20;

using FrameFunction = void (*)();
using MouseHandler = void (*)(WParam wParam, int x, int y);
using KeyHandler = void (*)(WParam wParam, LParam lParam);

// What one game mode does with the main loop and each message; null entries call nothing.
struct GameModeHandlers {
    FrameFunction frame = nullptr;
    MouseHandler lButtonDown = nullptr;
    MouseHandler rButtonDown = nullptr;
    MouseHandler mouseMove = nullptr;
    KeyHandler keyDown = nullptr;
    KeyHandler keyUp = nullptr;
    MouseHandler lButtonUp = nullptr;
    KeyHandler character = nullptr;
    FrameFunction videoEnded = nullptr;  // WM_USER + 101
};
using GameModeTable = std::array<GameModeHandlers, kGameModeCount>;

// The table lives above the engine, with the screens it names; the program installs it at
// start-up. Until then every mode calls nothing.
void SetGameModeTable(const GameModeTable* table);
// The handlers of a mode; an empty entry for a mode outside the table.
const GameModeHandlers& HandlersFor(std::uint32_t mode);

// Mouse moves reach only the modes below this one.
inline constexpr std::uint32_t kFirstModeWithoutMouseMoves = 16;

}  // namespace kv
