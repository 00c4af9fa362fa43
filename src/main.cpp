// The program's entry: the real backend under the game.

#include "app/program_tables.h"
#include "app/startup.h"
#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"

int main() {
    auto backend = kv::CreateSdlBackend();
    kv::SetBackend(backend.get());
    kv::InstallProgramTables();
    const int code = kv::WinMain();
    kv::SetBackend(nullptr);
    return code;
}
