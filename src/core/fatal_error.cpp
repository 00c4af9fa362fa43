#include "core/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/game_mode.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "platform/window.h"

namespace kv {

namespace {

bool g_raised = false;
std::string g_first;
std::string g_message;
bool g_failNext = false;

}  // namespace

void RaiseFatalState(std::string_view message) {
    // The first message is the cause; what follows is its consequence.
    if (g_raised) return;
    g_raised = true;
    GameMode = 0;
    g_first = std::string(message);
}

void FatalError(std::string_view message) {
    if (g_raised) return;
    RaiseFatalState(message);
    g_message = g_first;
    const WindowHandle main = GetMainWindow();
    if (main != 0) {
        SendMessage(main, WM_CLOSE, 0, 0);
    } else {
        // No window to show it while being destroyed: show it now.
        MessageBox(0, g_message, "Error in Kestrivon", MB_OK | MB_ICONSTOP);
        g_message.clear();
    }
}

bool FatalErrorRaised() {
    return g_raised;
}

const std::string& PendingFatalMessage() {
    return g_message;
}

const std::string& FatalErrorMessage() {
    return g_first;
}

void ClearPendingFatalMessage() {
    g_message.clear();
}

void ResetFatalError() {
    g_raised = false;
    // Their memory too: a reset state holds nothing of the error before.
    std::string().swap(g_first);
    std::string().swap(g_message);
    g_failNext = false;
}

void OutOfMemory(std::size_t bytes) {
    char text[512];
    std::snprintf(text, sizeof text,
                  W("%lu Byte an Speicher konnten nicht reserviert werden.\nDas Programm wird "
                    "beendet.\n\nÜberprüfen Sie Hauptspeicher und Treiberkonfiguration und starten "
                    "Sie zur Sicherheit ihren Computer neu."),
                  static_cast<unsigned long>(bytes));
    MessageBox(0, text, "Systemfehler", MB_OK | MB_ICONSTOP);
    std::_Exit(1);
}

void* AllocOrDie(std::size_t bytes) {
    if (bytes == 0) bytes = 1;
    void* block = nullptr;
    if (!g_failNext) block = std::malloc(bytes);
    g_failNext = false;
    if (block == nullptr) OutOfMemory(bytes);
    return block;
}

void* AllocMem(std::size_t bytes) {
    return AllocOrDie(bytes);
}

void FailNextAllocation() {
    g_failNext = true;
}

}  // namespace kv
