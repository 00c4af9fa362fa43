#include "platform/system.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/backend.h"

namespace kv {

namespace {

struct CursorState {
    int displayCount = 0;
    bool clipped = false;
    Rect clip;
    int x = 0;
    int y = 0;
};

CursorState g_cursor;

}  // namespace

std::uint32_t GetTickCount() {
    Backend* backend = GetBackend();
    return backend != nullptr ? backend->ticks() : 0;
}

void Sleep(std::uint32_t ms) {
    if (Backend* backend = GetBackend()) backend->sleep(ms);
}

void IdleUntilInput(std::uint32_t ms) {
    if (Backend* backend = GetBackend()) backend->idle(ms);
}

void MessageBox(WindowHandle, std::string_view text, std::string_view title, std::uint32_t style) {
    if (Backend* backend = GetBackend()) {
        backend->messageBox(text, title, style);
        return;
    }
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                 static_cast<int>(text.size()), text.data());
}

int ShowCursor(bool show) {
    const bool wasVisible = g_cursor.displayCount >= 0;
    g_cursor.displayCount += show ? 1 : -1;
    const bool visible = g_cursor.displayCount >= 0;
    if (visible != wasVisible)
        if (Backend* backend = GetBackend()) backend->showSystemCursor(visible);
    return g_cursor.displayCount;
}

void ClipCursor(const Rect* rect) {
    g_cursor.clipped = rect != nullptr;
    if (rect != nullptr) g_cursor.clip = *rect;
    if (Backend* backend = GetBackend()) backend->grabCursor(g_cursor.clipped);
}

bool GetClipCursor(Rect& out) {
    if (!g_cursor.clipped) return false;
    out = g_cursor.clip;
    return true;
}

void SetCursorPos(int x, int y) {
    ClampToCursorClip(x, y);
    g_cursor.x = x;
    g_cursor.y = y;
    if (Backend* backend = GetBackend()) backend->warpCursor(x, y);
}

void GetCursorPos(int& x, int& y) {
    x = g_cursor.x;
    y = g_cursor.y;
}

void ClampToCursorClip(int& x, int& y) {
    if (g_cursor.clipped) {
        x = std::clamp(x, g_cursor.clip.left,
                       std::max(g_cursor.clip.left, g_cursor.clip.right - 1));
        y = std::clamp(y, g_cursor.clip.top, std::max(g_cursor.clip.top, g_cursor.clip.bottom - 1));
    }
}

void ResetCursorState() {
    g_cursor = CursorState{};
}

}  // namespace kv
