#pragma once
// The load and save screens (game modes 7 and 6), opened from the options screen: twelve slots
// with their names and preview pictures, drawn over the options panel.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "screens/options.h"
#include "screens/save_layout.h"

namespace kv {

inline constexpr std::string_view kLoadBoxPath = "graphs\\loadbox.vff";

// The box, and slot i's preview window at column i mod 4, row i div 4.
inline constexpr int kLoadBoxX = 183;
inline constexpr int kLoadBoxY = 20;
inline constexpr int kSlotColumns = 4;
inline constexpr int kSlotX = 191;
inline constexpr int kSlotY = 140;
inline constexpr int kSlotStepX = 93;
inline constexpr int kSlotStepY = 75;
// A name is centred on this x and has its top at this y.
inline constexpr int kSlotNameX = 230;
inline constexpr int kSlotNameY = 200;
// The hit boxes: the load screen's takes in the picture, the save screen's the name under it too.
inline constexpr int kSlotHitTop = 142;
inline constexpr int kSlotHitWidth = 79;
inline constexpr int kLoadHitHeight = 53;
inline constexpr int kSaveHitHeight = 75;

// The longest name; its buffer keeps one byte for the end.
inline constexpr std::size_t kSaveNameMax = kSaveNameBytes - 1;
// A name may not grow to this width in pixels of the small font.
inline constexpr int kSaveNameWidthLimit = 79;

enum class SaveSlotState : std::uint8_t {
    Free,        // no file
    Used,        // a file that reads
    Unreadable,  // a file there, but damaged, cut or of another version
};

// What the open screen shows: allocated when a screen opens, gone when it closes.
struct SaveSlotList {
    std::array<std::array<char, kSaveNameBytes>, kSaveSlotCount> names{};
    std::array<std::array<std::uint8_t, kSavePreviewBytes>, kSaveSlotCount> previews{};
    std::array<SaveSlotState, kSaveSlotCount> state{};
};
extern std::unique_ptr<SaveSlotList> SaveSlots;

// The save screen's edit: where the caret stands (the typed name's length), and whether the next
// character replaces the whole name.
extern std::uint8_t SaveCaret;
extern std::uint8_t SaveReplaceName;

void OpenLoadGame();
void OpenSaveGame();

// Game mode 7: one click on a readable slot loads it; the right button goes back to the options.
void RunLoadGameFrame();
void DrawLoadGame();
void OnLoadGameLButtonDown(int x, int y);
void OnLoadGameRButtonDown();
void OnLoadGameMouseMove(int x, int y);
void OnLoadGameKeyDown();

// Game mode 6: a click chooses a slot, typing names it, Enter saves; Esc and the right button go
// back to the options.
void RunSaveGameFrame();
void DrawSaveGame();
void OnSaveGameLButtonDown(int x, int y);
void OnSaveGameRButtonDown();
void OnSaveGameMouseMove(int x, int y);
// Windows-1252 codes; 8 backspace, 13 Enter, 27 Esc.
void OnSaveGameChar(std::uint32_t ch);

// Slot 0..11: the running mission ends and the slot's game starts. -1: back to the options.
void StartLoadedGame(int slot);
// Saved: straight back to the screen under the options; else back to the options.
void CloseSaveGame(bool saved);

// The slot whose hit box holds the point, or -1.
int LoadSlotAt(int x, int y);
int SaveSlotAt(int x, int y);
// The open list's name of a slot that has just been written.
void NameSaveSlot(int slot, std::string_view name);

}  // namespace kv
