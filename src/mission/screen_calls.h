#pragma once
// What the mission view asks of the screens around it (campaign map, bases, options, mission
// jump, save games). The screens lie above the mission view, so the program fills this table at
// start-up; an empty entry does nothing.

#include <array>
#include <cstdint>

namespace kv {

struct ScreenCallTable {
    // The campaign map with the mission's briefing (game mode 10).
    void (*OpenKarte)() = nullptr;
    void (*OpenOptionsScreen)() = nullptr;
    void (*OpenMissionJump)() = nullptr;
    // Samples the view into SavePreview.
    void (*MakeSavePreview)() = nullptr;
    // Finds the start points of the campaign map's roads.
    void (*FindKarteStartPoints)() = nullptr;
    // The bases the mission offers, and their end.
    void (*InitBasen)() = nullptr;
    void (*FreeBasen)() = nullptr;
    // Reads save slot 0..11 over the freshly built mission.
    void (*ReadSaveGame)(int slot) = nullptr;
};

// The installed table; every entry empty until the program installs one.
const ScreenCallTable& ScreenCalls();
// Null empties every entry.
void SetScreenCalls(const ScreenCallTable* table);

// The save game's 78 x 58 preview picture: cleared at mission start, filled by MakeSavePreview.
inline constexpr int kSavePreviewWidth = 78;
inline constexpr int kSavePreviewHeight = 58;
extern std::array<std::uint8_t, kSavePreviewWidth * kSavePreviewHeight> SavePreview;

}  // namespace kv
