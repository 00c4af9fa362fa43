#include "platform/window.h"

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/system.h"

namespace kv {

namespace {

struct WindowClass {
    std::string name;
    WindowProc proc = nullptr;
};

struct Window {
    WindowHandle handle = 0;
    WindowHandle parent = 0;
    WindowProc proc = nullptr;
    bool alive = false;
    bool visible = false;
};

struct State {
    std::vector<WindowClass> classes;
    std::vector<Window> windows;  // handle = index + 1; never reused
    WindowHandle mainWindow = 0;
    // The application's own posts come before input, as on the system the game was written for.
    std::deque<Message> posted;
    std::deque<Message> input;
    bool quitPending = false;
    int quitCode = 0;
    WindowHandle capture = 0;
    WindowHandle focus = 0;
    std::uint32_t lastError = 0;
};

State g;

Window* Find(WindowHandle handle) {
    if (handle == 0 || handle > g.windows.size()) return nullptr;
    Window& w = g.windows[handle - 1];
    return w.alive ? &w : nullptr;
}

bool IsMouseMessage(std::uint32_t message) {
    return message >= WM_MOUSEMOVE && message <= WM_RBUTTONUP;
}

bool IsFocusMessage(std::uint32_t message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_ACTIVATEAPP;
}

// Where a backend event goes: a notice to the window it names, input to the window that holds
// the mouse or the keyboard, everything else to the main window.
WindowHandle TargetOf(const InputEvent& e) {
    if (e.window != 0) return e.window;
    if (IsMouseMessage(e.message) && Find(g.capture) != nullptr) return g.capture;
    if (IsFocusMessage(e.message) && Find(g.focus) != nullptr) return g.focus;
    return g.mainWindow;
}

void PumpBackend() {
    Backend* backend = GetBackend();
    if (backend == nullptr) return;
    std::vector<InputEvent> events;
    backend->pollInput(events);
    for (const InputEvent& e : events) {
        if (g.mainWindow == 0) continue;
        Message m{TargetOf(e), e.message, e.wParam, e.lParam};
        if (Find(m.window) == nullptr) continue;
        if (IsMouseMessage(e.message)) {
            int x = LoWord(e.lParam);
            int y = HiWord(e.lParam);
            ClampToCursorClip(x, y);
            m.lParam = MakeLParam(x, y);
        }
        // Notifications of the music and video devices are posted by the backends; everything
        // else is user input.
        if (e.message == MM_MCINOTIFY || e.message >= WM_USER)
            g.posted.push_back(m);
        else
            g.input.push_back(m);
    }
}

bool Take(Message& out, bool remove) {
    if (!g.posted.empty()) {
        out = g.posted.front();
        if (remove) g.posted.pop_front();
        return true;
    }
    if (g.quitPending) {
        out = Message{0, WM_QUIT, static_cast<WParam>(g.quitCode), 0};
        if (remove) g.quitPending = false;
        return true;
    }
    if (!g.input.empty()) {
        out = g.input.front();
        if (remove) g.input.pop_front();
        return true;
    }
    return false;
}

}  // namespace

bool RegisterWindowClass(std::string_view className, WindowProc proc) {
    if (proc == nullptr || IsWindowClassRegistered(className)) return false;
    g.classes.push_back({std::string(className), proc});
    return true;
}

bool IsWindowClassRegistered(std::string_view className) {
    return std::any_of(g.classes.begin(), g.classes.end(),
                       [&](const WindowClass& c) { return c.name == className; });
}

bool UnregisterWindowClass(std::string_view className) {
    const auto it = std::find_if(g.classes.begin(), g.classes.end(),
                                 [&](const WindowClass& c) { return c.name == className; });
    if (it == g.classes.end()) return false;
    g.classes.erase(it);
    return true;
}

WindowHandle CreateWindow(std::string_view className, std::string_view title, WindowHandle parent) {
    auto it = std::find_if(g.classes.begin(), g.classes.end(),
                           [&](const WindowClass& c) { return c.name == className; });
    if (it == g.classes.end()) {
        g.lastError = ERROR_CANNOT_FIND_WND_CLASS;
        return 0;
    }
    if (parent != 0 && Find(parent) == nullptr) {
        g.lastError = ERROR_INVALID_WINDOW_HANDLE;
        return 0;
    }
    const bool isMain = parent == 0 && g.mainWindow == 0;
    if (isMain) {
        Backend* backend = GetBackend();
        if (backend == nullptr || !backend->openWindow(title)) {
            g.lastError = ERROR_WINDOW_NOT_OPENED;
            return 0;
        }
    }
    Window w;
    w.handle = static_cast<WindowHandle>(g.windows.size() + 1);
    w.parent = parent;
    w.proc = it->proc;
    w.alive = true;
    w.visible = isMain;
    g.windows.push_back(w);
    SendMessage(w.handle, WM_CREATE, 0, 0);
    if (isMain) {
        g.mainWindow = w.handle;
        // A new top-level window opens in front, so the application is active from the start.
        SendMessage(w.handle, WM_ACTIVATEAPP, 1, 0);
    }
    return w.handle;
}

bool DestroyWindow(WindowHandle window) {
    Window* w = Find(window);
    if (w == nullptr) return false;
    const WindowProc proc = w->proc;
    const bool isMain = window == g.mainWindow;
    // The window is told first; its children go after it, as the system does it.
    proc(window, WM_DESTROY, 0, 0);
    for (Window& child : g.windows)
        if (child.alive && child.parent == window) DestroyWindow(child.handle);
    if (Window* again = Find(window)) again->alive = false;
    if (g.capture == window) g.capture = 0;
    if (g.focus == window) g.focus = 0;
    if (isMain) {
        g.mainWindow = 0;
        g.input.clear();
        if (Backend* backend = GetBackend()) backend->closeWindow();
    }
    return true;
}

bool IsWindow(WindowHandle window) {
    return Find(window) != nullptr;
}

WindowHandle GetMainWindow() {
    return g.mainWindow;
}

std::uint32_t GetLastError() {
    return g.lastError;
}

void ShowWindow(WindowHandle window, bool show) {
    if (Window* w = Find(window)) w->visible = show;
}

bool IsWindowVisible(WindowHandle window) {
    const Window* w = Find(window);
    return w != nullptr && w->visible;
}

void SetCapture(WindowHandle window) {
    if (Find(window) != nullptr) g.capture = window;
}

void ReleaseCapture() {
    g.capture = 0;
}

WindowHandle GetCapture() {
    return g.capture;
}

void SetFocus(WindowHandle window) {
    if (window == 0 || Find(window) != nullptr) g.focus = window;
}

WindowHandle GetFocus() {
    return Find(g.focus) != nullptr ? g.focus : g.mainWindow;
}

bool PeekMessage(Message& out, std::uint32_t flags) {
    PumpBackend();
    return Take(out, (flags & PM_REMOVE) != 0);
}

bool GetMessage(Message& out) {
    for (;;) {
        PumpBackend();
        if (Take(out, true)) return out.message != WM_QUIT;
        if (Backend* backend = GetBackend())
            backend->waitInput(100);
        else
            return false;  // nothing could ever arrive
    }
}

void TranslateMessage(const Message& message) {
    if (message.message != WM_KEYDOWN) return;
    switch (message.wParam) {
        case VK_BACK:
        case VK_TAB:
        case VK_RETURN:
        case VK_ESCAPE:
            g.posted.push_back(Message{message.window, WM_CHAR, message.wParam, message.lParam});
            break;
        default:
            break;
    }
}

LResult DispatchMessage(const Message& message) {
    Window* w = Find(message.window);
    if (w == nullptr) return 0;
    return w->proc(message.window, message.message, message.wParam, message.lParam);
}

LResult SendMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    Window* w = Find(window);
    if (w == nullptr) return 0;
    return w->proc(window, message, wParam, lParam);
}

bool PostMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (window != 0 && Find(window) == nullptr) return false;
    g.posted.push_back(Message{window, message, wParam, lParam});
    return true;
}

void PostQuitMessage(int exitCode) {
    g.quitPending = true;
    g.quitCode = exitCode;
}

void WaitMessage() {
    for (;;) {
        PumpBackend();
        if (!g.posted.empty() || g.quitPending || !g.input.empty()) return;
        Backend* backend = GetBackend();
        if (backend == nullptr) return;
        backend->waitInput(100);
    }
}

LResult DefWindowProc(WindowHandle window, std::uint32_t message, WParam, LParam) {
    if (message == WM_CLOSE) DestroyWindow(window);
    return 0;
}

void ResetWindows() {
    g = State{};
}

}  // namespace kv
