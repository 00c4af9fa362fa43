#pragma once
// Windows and their message queue: one thread, procedures registered per class name, posted and
// sent messages, and the quit message, with the semantics the game's loops are written against.

#include <cstdint>
#include <string_view>

#include "platform/messages.h"

namespace kv {

using WindowProc = LResult (*)(WindowHandle window, std::uint32_t message, WParam wParam,
                               LParam lParam);

// PeekMessage flags.
inline constexpr std::uint32_t PM_NOREMOVE = 0;
inline constexpr std::uint32_t PM_REMOVE = 1;

// False when the class name is already registered.
bool RegisterWindowClass(std::string_view className, WindowProc proc);
bool IsWindowClassRegistered(std::string_view className);
// False when no such class is registered. Windows of the class live on.
bool UnregisterWindowClass(std::string_view className);

// A window without parent is the program's main window: it opens the backend's window, takes the
// input and is told at once that the application is active. Returns 0 on failure.
WindowHandle CreateWindow(std::string_view className, std::string_view title,
                          WindowHandle parent = 0);
// Sends WM_DESTROY to the window, then destroys its children. Later messages for it are dropped.
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
WindowHandle GetMainWindow();
// Why the last CreateWindow failed.
inline constexpr std::uint32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr std::uint32_t ERROR_CANNOT_FIND_WND_CLASS = 1407;
inline constexpr std::uint32_t ERROR_WINDOW_NOT_OPENED = 1406;
std::uint32_t GetLastError();

// Only the main window is drawn by the backend; for the others visibility is bookkeeping.
void ShowWindow(WindowHandle window, bool show);
bool IsWindowVisible(WindowHandle window);
// Mouse input goes to the capture window, keys and activation to the focus window; the main
// window takes them when neither is set or the window is gone.
void SetCapture(WindowHandle window);
void ReleaseCapture();
WindowHandle GetCapture();
void SetFocus(WindowHandle window);
WindowHandle GetFocus();

// Looks at the queue; with PM_REMOVE takes the message. False when nothing waits.
bool PeekMessage(Message& out, std::uint32_t flags);
// Takes the next message, waiting for one; false when it is WM_QUIT (its wParam is the code).
bool GetMessage(Message& out);
// Posts WM_CHAR for the control keys whose character the backends do not report as text.
void TranslateMessage(const Message& message);
LResult DispatchMessage(const Message& message);
LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
bool PostMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(int exitCode);
// Returns when a message is waiting (at once if one already is).
void WaitMessage();
// WM_CLOSE destroys the window; everything else is ignored.
LResult DefWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

// Forgets every class, window and message; for tests that start from nothing.
void ResetWindows();

}  // namespace kv
