#pragma once
// Music: one track per mission, played from its start to the start of the next track and begun
// again by the completion notice, which a small hidden window of its own receives.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace kv {

extern std::uint16_t CurrentCdTrack;  // the track that plays or last played; 65535 = none
extern std::uint32_t CdDevice;        // id of the open music device; 0 = none
extern WindowHandle CdNotifyWindow;   // the hidden window of class "CDSYS_CLASS"; 0 = none
extern std::uint32_t SavedCdVolume;   // the music volume found at start (left low, right high)

inline constexpr const char* kCdNotifyClass = "CDSYS_CLASS";
// The music volume while the game runs, the same on both channels.
inline constexpr std::uint32_t kCdVolume = 0x30003000u;
inline constexpr std::uint16_t kNoCdTrack = 65535;

// Track of each mission number; any number without an entry plays track 2. Track 1 is the data
// track of the disc and never plays.
inline constexpr std::array<std::uint8_t, 31> kMissionTracks{
    2,                                 // no mission
    11, 3,  5, 6, 2, 11, 3, 5, 6, 2,   // 1..10
    4,  11, 3, 7, 5, 6,  2, 9, 4, 7,   // 11..20
    8,  3,  5, 6, 2, 4,  7, 9, 8, 10,  // 21..30
};
int MissionTrack(int mission);

// The host path of every track file under the CD directory ("CDmusic\track%02d.ogg", or .wav),
// index t - 1 for track t, empty where there is none; as long as the highest track found.
std::vector<std::string> FindCdTrackFiles();

bool RegisterCdClass();
// Returns the notify window, or 0 when there is no music (then every music call does nothing).
WindowHandle OpenCdAudio(WindowHandle parent);
void CloseCdAudio();
// Only the low 8 bits of the track count. force 0 leaves a playing track alone.
void PlayCdTrack(int track, int force);
// forget: CurrentCdTrack becomes 65535.
void StopCdAudio(int forget);
void PlayMissionMusic();
void PlayMissionMusicAgain();
int GetCdTrackCount();

LResult CdNotifyWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

}  // namespace kv
