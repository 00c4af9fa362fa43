#pragma once
// Window messages and the numbers the game's handlers are written against.

#include <cstdint>

namespace kv {

using WindowHandle = std::uint32_t;  // 0 = no window
using WParam = std::uint32_t;
using LParam = std::int32_t;
using LResult = std::int32_t;

inline constexpr std::uint32_t WM_NULL = 0;
inline constexpr std::uint32_t WM_CREATE = 1;
inline constexpr std::uint32_t WM_DESTROY = 2;
inline constexpr std::uint32_t WM_SIZE = 5;
inline constexpr std::uint32_t WM_CLOSE = 16;
inline constexpr std::uint32_t WM_QUIT = 18;
inline constexpr std::uint32_t WM_ACTIVATEAPP = 28;
inline constexpr std::uint32_t WM_SETCURSOR = 32;
inline constexpr std::uint32_t WM_KEYDOWN = 256;
inline constexpr std::uint32_t WM_KEYUP = 257;
inline constexpr std::uint32_t WM_CHAR = 258;
inline constexpr std::uint32_t WM_MOUSEMOVE = 512;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 513;
inline constexpr std::uint32_t WM_LBUTTONUP = 514;
inline constexpr std::uint32_t WM_RBUTTONDOWN = 516;
inline constexpr std::uint32_t WM_RBUTTONUP = 517;
inline constexpr std::uint32_t WM_QUERYNEWPALETTE = 783;
inline constexpr std::uint32_t MM_MCINOTIFY = 953;
inline constexpr std::uint32_t WM_USER = 1024;

// Completion codes carried in wParam of MM_MCINOTIFY.
inline constexpr WParam MCI_NOTIFY_SUCCESSFUL = 1;
inline constexpr WParam MCI_NOTIFY_SUPERSEDED = 2;
inline constexpr WParam MCI_NOTIFY_ABORTED = 4;
inline constexpr WParam MCI_NOTIFY_FAILURE = 8;

// Virtual-key codes the handlers use; letters and digits are their upper-case ASCII codes.
inline constexpr WParam VK_BACK = 8;
inline constexpr WParam VK_TAB = 9;
inline constexpr WParam VK_RETURN = 13;
inline constexpr WParam VK_SHIFT = 16;
inline constexpr WParam VK_CONTROL = 17;
inline constexpr WParam VK_PAUSE = 19;
inline constexpr WParam VK_ESCAPE = 27;
inline constexpr WParam VK_SPACE = 32;
inline constexpr WParam VK_PRIOR = 33;
inline constexpr WParam VK_NEXT = 34;
inline constexpr WParam VK_END = 35;
inline constexpr WParam VK_HOME = 36;
inline constexpr WParam VK_LEFT = 37;
inline constexpr WParam VK_UP = 38;
inline constexpr WParam VK_RIGHT = 39;
inline constexpr WParam VK_DOWN = 40;
inline constexpr WParam VK_INSERT = 45;
inline constexpr WParam VK_DELETE = 46;
inline constexpr WParam VK_F1 = 112;

// Mouse button state bits of wParam.
inline constexpr WParam MK_LBUTTON = 1;
inline constexpr WParam MK_RBUTTON = 2;

// Message-box styles.
inline constexpr std::uint32_t MB_OK = 0;
inline constexpr std::uint32_t MB_ICONSTOP = 16;

inline constexpr LParam MakeLParam(int lo, int hi) {
    return static_cast<LParam>((static_cast<std::uint32_t>(hi & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(lo & 0xFFFF));
}
inline constexpr int LoWord(LParam l) {
    return static_cast<int>(static_cast<std::uint32_t>(l) & 0xFFFF);
}
inline constexpr int HiWord(LParam l) {
    return static_cast<int>(static_cast<std::uint32_t>(l) >> 16);
}

struct Message {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

}  // namespace kv
