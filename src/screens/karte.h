#pragma once
// The campaign map with the briefing (game mode 10): the region with the mission's bases as
// plates, the mission site as a marker, and the bought vehicles on their way along the map's
// roads. A new mission opens here after its video; the player reads the briefing at the marker,
// enters bases from their plates, and leaves for play through the camera box, Esc or the right
// button.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/image_files.h"

namespace kv {

// The briefing box: closed, growing open, typing its text, complete.
inline constexpr std::uint8_t kBriefingClosed = 0;
inline constexpr std::uint8_t kBriefingOpening = 1;
inline constexpr std::uint8_t kBriefingTyping = 2;
inline constexpr std::uint8_t kBriefingComplete = 3;
extern std::uint8_t BriefingState;
// 0..20: how far the box has grown while opening.
extern std::uint8_t BriefingOpenStep;
extern std::int16_t BriefingTypedChars;
// The briefing file's text up to its first NUL, at most kBriefingMaxChars bytes; empty when no
// file was read.
extern std::string BriefingText;
inline constexpr std::size_t kBriefingMaxChars = 32767;
// 0..10, once per frame: the marker's label shows on 7 of every 11 frames until the briefing
// has been opened.
extern std::uint8_t KarteBlinkCounter;
// The frame of the marker picture that is drawn.
extern std::uint8_t KarteMarkerFrame;

// The map's pictures, held while the map is open.
extern VffImage* KarteImages;           // the map of the region
extern VffImage* KartePointImages;      // the mission marker; frame 4 places the label
extern VffImage* BasisMarkeImages;      // 0 a base that may be entered, 1 one that may not
extern VffImage* MapCamImages;          // the camera box that leads into play
extern VffImage* MapInfoImages;         // the marker's label
extern VffImage* BasisInfoImages;       // the bases' names, by base
extern VffImage* BasisInfoGreyImages;   // the same, greyed
extern VffImage* MapCarSchilderImages;  // the vehicle signs, by vehicle type

struct KartePictureFile {
    std::string_view path;
    // The fatal message when the file is missing.
    const char* message;
    VffImage** held;
};
// In the order the map loads them.
inline constexpr std::array<KartePictureFile, 8> kKartePictureFiles = {{
    {"basen\\karte.vff", "file not found: KARTE", &KarteImages},
    {"basen\\point.vff", "file not found: KARTEPOINT", &KartePointImages},
    {"basen\\basmark.vff", "file not found: BASISMARKE", &BasisMarkeImages},
    {"graphs\\d\\mapcam.vff", "file not found: MAPCAM", &MapCamImages},
    {"graphs\\d\\mapinfo.vff", "file not found: MAPINFO", &MapInfoImages},
    {"graphs\\d\\btxt.vff", "file not found: BASISINFO", &BasisInfoImages},
    {"graphs\\d\\btxtgrey.vff", "file not found: BASISINFOGREY", &BasisInfoGreyImages},
    {"basen\\mapcarsh.vff", "file not found: MAPCARSCHILDER", &MapCarSchilderImages},
}};

// Where the map picture, the camera box and the vehicle signs stand.
inline constexpr int kKarteX = 10;
inline constexpr int kKarteY = 10;
inline constexpr int kMapCamX = 40;
inline constexpr int kMapCamY = 40;
// The frame of the marker picture the map draws, and the one that places the label.
inline constexpr std::uint8_t kKarteMarkerShownFrame = 2;
inline constexpr std::size_t kKarteMarkerLabelFrame = 4;
// The briefing's file: "data\d\briefing\<code>.dat" with the mission's code.
inline constexpr std::string_view kBriefingFolder = "data\\d\\briefing\\";

// Opens the map (game mode 10), its briefing box closed.
void OpenKarte();
// Closes the map: with toBase 0 into play (game mode 2, the world started), with toBase 1 for the
// base screen the caller opens next. Nothing happens when the screen cannot be cleared.
void LeaveKarte(std::uint8_t toBase);
// The frame function of mode 10.
void RunKarteFrame();
void OnKarteLButtonDown(int x, int y);
void OnKarteRButtonDown();
void OnKarteKeyDown(std::uint32_t key);
void OnKarteMouseMove(int x, int y);
// One frame of the map, shown.
void DrawKarte();
// The plates of the bases the mission offers, as part of DrawKarte's picture.
void DrawKarteBasen();
// Reads the mission's briefing into BriefingText.
void LoadBriefingText();

// Everything of the map freed and as before the first mission.
void ResetKarte();

}  // namespace kv
