#include "platform/data_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace kv {

namespace {

std::string TheWriteFolder;
// Set when there is nowhere of the player's own to write: every write then fails and says so.
bool WritesRefused = false;

bool IsFolder(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
}

std::string ForwardSlashes(std::string_view gamePath) {
    std::string path(gamePath);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

std::optional<DataFolder> FindDataFolder(const std::string& exePath) {
    if (const char* named = std::getenv("KESTRIVON_DATA"); named != nullptr && *named != '\0')
        return DataFolder{named, true};
    if (exePath.empty()) return std::nullopt;
    const std::filesystem::path beside =
        std::filesystem::path(exePath).parent_path() / ".." / "share" / "kestrivon";
    if (!IsFolder(beside)) return std::nullopt;
    return DataFolder{beside.lexically_normal().string(), true};
}

std::string OwnExecutablePath() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

std::string PlayerWriteFolder(const char* xdgDataHome, const char* home) {
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/')
        return (std::filesystem::path(xdgDataHome) / "kestrivon").string();
    if (home != nullptr && home[0] != '\0')
        return (std::filesystem::path(home) / ".local" / "share" / "kestrivon").string();
    return {};
}

const std::string& WriteFolder() {
    return TheWriteFolder;
}

void SetWriteFolder(std::string folder) {
    TheWriteFolder = std::move(folder);
    WritesRefused = false;
}

void ChooseWriteFolder(bool dataInstalled) {
    if (!dataInstalled && ::access(".", W_OK) == 0) {
        SetWriteFolder({});
        return;
    }
    std::string folder = PlayerWriteFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    const bool nowhere = folder.empty();
    SetWriteFolder(std::move(folder));
    // With no home at all, writes fail and say so rather than go into the data tree.
    WritesRefused = nowhere;
}

std::string WritePath(std::string_view gamePath) {
    if (WritesRefused) return {};
    if (TheWriteFolder.empty()) return ResolvePath(gamePath);
    const std::filesystem::path path =
        std::filesystem::path(TheWriteFolder) / ForwardSlashes(gamePath);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return path.string();
}

std::string ReadBackPath(std::string_view gamePath) {
    if (!TheWriteFolder.empty()) {
        const std::filesystem::path written =
            std::filesystem::path(TheWriteFolder) / ForwardSlashes(gamePath);
        std::error_code ec;
        if (std::filesystem::exists(written, ec)) return written.string();
    }
    return ResolvePath(gamePath);
}

}  // namespace kv
