#include "screens/save_screens.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/bitmap_text.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_start.h"
#include "mission/panel_pictures.h"
#include "mission/screen_calls.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "screens/options.h"
#include "screens/save_game.h"
#include "screens/screen_blits.h"
#include "screens/screen_picture.h"

namespace kv {

std::unique_ptr<SaveSlotList> SaveSlots;
std::uint8_t SaveCaret = 0;
std::uint8_t SaveReplaceName = 0;

namespace {

constexpr std::uint32_t kModeSave = 6;
constexpr std::uint32_t kModeLoad = 7;
constexpr std::uint8_t kNoSlot = 255;
constexpr char kCaret = '_';
constexpr std::uint32_t kBackspace = 8;
constexpr std::uint32_t kEnter = 13;
constexpr std::uint32_t kEscape = 27;
constexpr int kTitleY = 67;
constexpr int kLoadTitleX = 315;
constexpr int kSaveTitleX = 281;
constexpr std::string_view kFreeName = "frei";
constexpr std::string_view kUnreadableName = "unlesbar";
constexpr std::uint16_t kSaveFailedFrames = 100;

int SlotLeft(int slot) {
    return kSlotX + kSlotStepX * (slot % kSlotColumns);
}

int SlotRow(int slot) {
    return slot / kSlotColumns;
}

int SlotAt(int x, int y, int hitHeight) {
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const int left = SlotLeft(slot);
        const int top = kSlotHitTop + kSlotStepY * SlotRow(slot);
        if (x >= left && x < left + kSlotHitWidth && y >= top && y < top + hitHeight) return slot;
    }
    return -1;
}

std::string_view TextOf(const std::array<char, kSaveNameBytes>& buffer) {
    return {buffer.data(), strnlen(buffer.data(), buffer.size())};
}

// Copies at most the longest name and ends it; the rest of the buffer is cleared.
void SetName(std::array<char, kSaveNameBytes>& buffer, std::string_view text) {
    buffer.fill(0);
    std::copy_n(text.begin(), std::min(text.size(), kSaveNameMax), buffer.begin());
}

// The slot as its file reads now. A file that is there but refused is not "frei": that would
// tell the player that nothing is stored there.
void ReadSlot(int slot) {
    // A save cut off by a crash left its temporary file; the slot's own file is untouched.
    RemoveStaleTemporaries(WritePath(SaveSlotPath(slot)));
    SaveSlotList& list = *SaveSlots;
    const auto i = static_cast<std::size_t>(slot);
    if (ReadSaveSlotInfo(slot)) {
        list.state[i] = SaveSlotState::Used;
        SetName(list.names[i], TextOf(LastSaveSlotInfo.name));
        list.previews[i] = LastSaveSlotInfo.preview;
        return;
    }
    const bool present = !LastSaveRefusal.empty() || FileExists(ReadBackPath(SaveSlotPath(slot)));
    list.state[i] = present ? SaveSlotState::Unreadable : SaveSlotState::Free;
    SetName(list.names[i], present ? kUnreadableName : kFreeName);
    list.previews[i].fill(0);
}

void FreeSlotScreen() {
    FreeScreenPicture();
    FreeScreenBoxPicture();
    SaveSlots.reset();
}

bool OpenSlotScreen(std::uint32_t mode) {
    FreeSlotScreen();
    if (!LoadScreenPicture(ScreenPicture, kOptionsPicturePath, "file not found: OPTIONS"))
        return false;
    ScreenBoxPicture = LoadVff(kLoadBoxPath);
    if (ScreenBoxPicture == nullptr) {
        FreeSlotScreen();
        FatalError("file not found: LOADBOX");
        return false;
    }
    SaveSlots = std::make_unique<SaveSlotList>();
    for (int slot = 0; slot < kSaveSlotCount; ++slot) ReadSlot(slot);
    CursorId = 0;
    GameMode = mode;
    return true;
}

// Step 1 of both screens: the options panel, the box, its title, the previews and the cursor,
// into the WorkBuffer. The chosen slot of the save screen shows the picture it would store.
void ComposeSlotBox(std::string_view title, int titleX, int chosen) {
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawOptionsScreen();
    DrawScreenFrame(ScreenBoxPicture, 0, kLoadBoxX, kLoadBoxY, true);
    if (AnzFontImages != nullptr) DrawText(titleX, kTitleY, title, AnzFontImages);
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot);
        const std::uint8_t* picture = nullptr;
        if (slot == chosen)
            picture = SavePreview.data();
        else if (SaveSlots->state[i] == SaveSlotState::Used)
            picture = SaveSlots->previews[i].data();
        if (picture == nullptr) continue;
        BlitToBackBufferClippedTo(kScreenRect, picture, SlotLeft(slot),
                                  kSlotY + kSlotStepY * SlotRow(slot), kSavePreviewWidth,
                                  kSavePreviewHeight);
    }
    DrawScreenCursor();
    DrawTarget = nullptr;
}

// Every name on the back surface, centred under its picture: black, the chosen one red.
void DrawSlotNames(int chosen) {
    DisplayDC dc(SurfaceId::Back);
    if (!dc) return;
    dc->setBkMode(TRANSPARENT);
    dc->selectFont(FontSmall);
    dc->setTextAlign(TA_CENTER | TA_TOP);
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const bool isChosen = slot == chosen;
        dc->setTextColor(isChosen ? Rgb(255, 0, 0) : Rgb(0, 0, 0));
        const std::string_view name =
            isChosen ? TextOf(SaveEditName)
                     : TextOf(SaveSlots->names[static_cast<std::size_t>(slot)]);
        dc->textOut(kSlotNameX + kSlotStepX * (slot % kSlotColumns),
                    kSlotNameY + kSlotStepY * SlotRow(slot), name);
    }
}

void DrawSlotScreen(std::string_view title, int titleX, int chosen) {
    if (SaveSlots == nullptr || WorkBuffer == nullptr) return;
    ComposeSlotBox(title, titleX, chosen);
    if (!BeginFrame()) return;
    CopyWorkBuffer();
    UnlockFrame();
    DrawSlotNames(chosen);
    FlipFrame();
}

int ChosenSlot() {
    return SaveChosenSlot < kSaveSlotCount ? SaveChosenSlot : -1;
}

void PlayClick() {
    PlaySoundFx(kSoundClickHigh, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
}

// The edit buffer: the name, then the caret. It may fill all 50 bytes without an end. Taken by
// value: the name is often a part of the buffer itself.
void SetEditText(std::string name) {
    SaveEditName.fill(0);
    const std::size_t length = std::min(name.size(), kSaveNameMax);
    std::copy_n(name.begin(), length, SaveEditName.begin());
    SaveEditName[length] = kCaret;
    SaveCaret = static_cast<std::uint8_t>(length);
}

int SmallTextWidth(std::string_view text) {
    TextContext measure;
    measure.selectFont(FontSmall);
    return measure.textExtent(text).cx;
}

void TypeCharacter(std::uint32_t ch) {
    // No key gives these; a NUL would end the name before its caret.
    if (ch == 0 || ch > 255) return;
    if (SaveReplaceName != 0) {
        SetEditText({});
        SaveReplaceName = 0;
    }
    if (SaveCaret >= kSaveNameMax || SmallTextWidth(TextOf(SaveEditName)) >= kSaveNameWidthLimit)
        return;
    std::string name(TextOf(SaveEditName).substr(0, SaveCaret));
    name += static_cast<char>(ch);
    SetEditText(std::move(name));
}

void EraseCharacter() {
    if (SaveCaret > 0) SetEditText(std::string(TextOf(SaveEditName).substr(0, SaveCaret - 1u)));
    SaveReplaceName = 0;
}

void SaveChosenSlotAndClose() {
    if (!WriteSaveGame())
        SetMessageLine("Spielstand konnte nicht gespeichert werden!", kSaveFailedFrames);
    CloseSaveGame(true);
}

}  // namespace

int LoadSlotAt(int x, int y) {
    return SlotAt(x, y, kLoadHitHeight);
}

int SaveSlotAt(int x, int y) {
    return SlotAt(x, y, kSaveHitHeight);
}

void NameSaveSlot(int slot, std::string_view name) {
    if (SaveSlots == nullptr || slot < 0 || slot >= kSaveSlotCount) return;
    SetName(SaveSlots->names[static_cast<std::size_t>(slot)], name);
}

void OpenLoadGame() {
    OpenSlotScreen(kModeLoad);
}

void OpenSaveGame() {
    if (!OpenSlotScreen(kModeSave)) return;
    SaveEditName.fill(0);
    SaveCaret = 0;
    SaveReplaceName = 0;
    SaveChosenSlot = kNoSlot;
}

void DrawLoadGame() {
    DrawSlotScreen("SPIEL LADEN", kLoadTitleX, -1);
}

void RunLoadGameFrame() {
    DrawBehindOptions();
    DrawLoadGame();
}

void OnLoadGameLButtonDown(int x, int y) {
    const int slot = LoadSlotAt(x, y);
    if (slot < 0 || SaveSlots == nullptr) return;
    // The file is read again: it may have gone or gone bad since the list was made, and then the
    // running mission stays as it is.
    if (!ReadSaveSlotInfo(slot) || !ReadSaveHeader(slot)) {
        ReadSlot(slot);
        return;
    }
    PlayClick();
    StartLoadedGame(slot);
}

void OnLoadGameRButtonDown() {
    StartLoadedGame(-1);
}

void OnLoadGameMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void OnLoadGameKeyDown() {}

void DrawSaveGame() {
    DrawSlotScreen("SPIEL SPEICHERN", kSaveTitleX, ChosenSlot());
}

void RunSaveGameFrame() {
    DrawBehindOptions();
    DrawSaveGame();
}

void OnSaveGameLButtonDown(int x, int y) {
    const int slot = SaveSlotAt(x, y);
    if (slot < 0 || SaveSlots == nullptr) return;
    const auto i = static_cast<std::size_t>(slot);
    SaveChosenSlot = static_cast<std::uint8_t>(slot);
    // An unreadable slot is offered as an empty one.
    SetEditText(std::string(SaveSlots->state[i] == SaveSlotState::Used ? TextOf(SaveSlots->names[i])
                                                                       : kFreeName));
    SaveReplaceName = 1;
    PlayClick();
}

void OnSaveGameRButtonDown() {
    CloseSaveGame(false);
}

void OnSaveGameMouseMove(int x, int y) {
    OnLoadGameMouseMove(x, y);
}

void OnSaveGameChar(std::uint32_t ch) {
    if (ch == kEscape) {
        CloseSaveGame(false);
        return;
    }
    if (ChosenSlot() < 0) return;
    if (ch == kBackspace)
        EraseCharacter();
    else if (ch == kEnter)
        SaveChosenSlotAndClose();
    else
        TypeCharacter(ch);
}

void StartLoadedGame(int slot) {
    FreeSlotScreen();
    if (slot < 0) {
        OpenOptionsScreen();
        return;
    }
    ShutdownMission(1);
    StartMission(slot);
}

void CloseSaveGame(bool saved) {
    FreeSlotScreen();
    SaveEditName.fill(0);
    SaveCaret = 0;
    SaveReplaceName = 0;
    SaveChosenSlot = kNoSlot;
    if (saved)
        GameMode = ReturnGameMode;
    else
        OpenOptionsScreen();
}

}  // namespace kv
