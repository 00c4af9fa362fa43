#pragma once
// The main window's procedure: routes input to the current game mode's handlers and shuts the
// program down when the window goes.

#include <cstdint>

#include "platform/messages.h"

namespace kv {

LResult MainWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

}  // namespace kv
