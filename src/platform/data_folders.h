#pragma once
// Where the game's files live. It reads its data from the working directory, as it always has; an
// installed game first moves there from its own location. What it writes (save games, high
// scores, the blend-table caches) goes to the write folder: the working directory while the
// player may write there, else a folder of the player's own.

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The data folder of a program whose binary lies at exePath: KESTRIVON_DATA when set, else
// <binary's folder>/../share/kestrivon when that folder exists (an installed game), else nothing
// (the working directory stays: the build tree's way).
struct DataFolder {
    std::string path;
    bool installed = false;  // found beside the installed binary or named by KESTRIVON_DATA
};
std::optional<DataFolder> FindDataFolder(const std::string& exePath);
// This program's binary, or empty when the system does not say.
std::string OwnExecutablePath();

// The player's own folder for what the game writes: $XDG_DATA_HOME/kestrivon, or
// $HOME/.local/share/kestrivon when XDG_DATA_HOME is unset or not absolute; empty without either.
std::string PlayerWriteFolder(const char* xdgDataHome, const char* home);

// The write folder; empty means the working directory.
const std::string& WriteFolder();
void SetWriteFolder(std::string folder);
// An installed data tree belongs to the package, not to the player, so a player's files never
// land in it, even where the file system would allow it (a game installed and run as root). A
// data folder of the player's own (the build tree's) is written to while it is writable.
void ChooseWriteFolder(bool dataInstalled);

// The host path a written game file goes to: under the write folder, whose folders are made on
// the way (a failure shows later as a failed write), or as the game names it in the working
// directory. Empty when there is nowhere to write: opening it fails.
std::string WritePath(std::string_view gamePath);
// A file the game writes and reads back: the written copy when there is one, else the data
// folder's.
std::string ReadBackPath(std::string_view gamePath);

}  // namespace kv
