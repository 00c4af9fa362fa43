#pragma once
// Save games: twelve slot files "%d.sav" in the write folder. A file is built in memory and
// written whole, so a failed write leaves the old one as it was. Loading reads the whole file
// and checks it before anything of the running game changes; a file that does not fit the
// rebuilt mission is refused before any of it is applied.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bytes.h"
#include "screens/save_layout.h"

namespace kv {

// The game path of slot 0..11: "1.sav" .. "12.sav".
std::string SaveSlotPath(int slot);

// The save screen's choice: the slot (255 none) and the edited name with its caret.
extern std::uint8_t SaveChosenSlot;
extern std::array<char, kSaveNameBytes> SaveEditName;

// What the slot lists show of a slot.
struct SaveSlotInfo {
    std::array<char, kSaveNameBytes> name{};
    std::array<std::uint8_t, kSavePreviewBytes> preview{};
};
// Filled by ReadSaveSlotInfo and ReadSaveHeader; why the last one refused its file (empty when
// it was missing or read).
extern SaveSlotInfo LastSaveSlotInfo;
extern std::string LastSaveRefusal;

// Writes the chosen slot with the edited name; false when the file cannot be written.
bool WriteSaveGame();
// The one write path of the screens and the runner: the running mission into the slot.
bool WriteSaveSlot(int slot, std::string_view name);
// The slot's name and preview; false for a missing file and for one that is refused (the
// reason in LastSaveRefusal, also on stderr).
bool ReadSaveSlotInfo(int slot);
// Before a load: the whole file checked, then its name, preview, mission and part into the
// running globals. False, changing nothing, for a missing or refused file.
bool ReadSaveHeader(int slot);
// After the rebuilt mission's start: the file over it. A file that does not fit is refused
// whole, the fresh mission plays on and the message line says so; false then.
bool ReadSaveGame(int slot);
// The view's top-left 624 x 464, every eighth pixel of every eighth row, into SavePreview.
void MakeSavePreview();

// A whole file as written: the sections with their trailer.
std::vector<std::uint8_t> BuildSaveFile(std::string_view name);
// The header and sections of a file, its trailer checked and taken off; nullopt with the reason
// for a file that is refused on its own, without any level.
std::optional<std::span<const std::uint8_t>> CheckSaveFile(std::span<const std::uint8_t> file,
                                                           ReadFault& why);

}  // namespace kv
