// The program's entry: the real backend under the game.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/program_tables.h"
#include "app/startup.h"
#include "platform/backend.h"
#include "platform/data_folders.h"
#include "platform/sdl/sdl_backend.h"

int main() {
    // The game reads its data from the working directory. An installed game moves into its data
    // folder first, so that it starts from anywhere; the build tree's game is started inside it.
    const auto data = kv::FindDataFolder(kv::OwnExecutablePath());
    if (data && ::chdir(data->path.c_str()) != 0) {
        std::fprintf(stderr, "kestrivon: cannot use the data folder %s: %s\n", data->path.c_str(),
                     std::strerror(errno));
        return kv::kFailureExitCode;
    }
    kv::ChooseWriteFolder(data && data->installed);

    auto backend = kv::CreateSdlBackend();
    kv::SetBackend(backend.get());
    kv::InstallProgramTables();
    const int code = kv::WinMain();
    kv::SetBackend(nullptr);
    return code;
}
