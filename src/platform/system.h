#pragma once
// Clock, message boxes and the cursor.

#include <cstdint>
#include <string_view>

#include "platform/messages.h"

namespace kv {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

std::uint32_t GetTickCount();
void Sleep(std::uint32_t ms);
// Waits up to ms milliseconds or until input arrives.
void IdleUntilInput(std::uint32_t ms);

// The owner is only recorded for the tests; boxes are always modal to the whole program.
void MessageBox(WindowHandle owner, std::string_view text, std::string_view title,
                std::uint32_t style);

// Returns the new display count, as the system call does: the cursor shows while it is >= 0.
int ShowCursor(bool show);
// Keeps the mouse inside rect (right and bottom exclusive); null frees it.
void ClipCursor(const Rect* rect);
bool GetClipCursor(Rect& out);
void SetCursorPos(int x, int y);
// The last position set, in 800 x 600 coordinates.
void GetCursorPos(int& x, int& y);
// Clamps a position to the clip rectangle, if one is set. Used when mouse input arrives.
void ClampToCursorClip(int& x, int& y);
void ResetCursorState();

}  // namespace kv
