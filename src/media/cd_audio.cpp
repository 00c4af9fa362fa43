#include "media/cd_audio.h"

#include <cstdio>

#include "core/cd_path.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/files.h"
#include "platform/music.h"
#include "platform/window.h"

namespace kv {

std::uint16_t CurrentCdTrack = kNoCdTrack;
std::uint32_t CdDevice = 0;
WindowHandle CdNotifyWindow = 0;
std::uint32_t SavedCdVolume = 0;

namespace {

// A volume restored at exit that was never saved would silence the music for good.
bool g_volumeSaved = false;

// A disc holds at most 99 tracks.
constexpr int kMaxTracks = 99;

}  // namespace

int MissionTrack(int mission) {
    if (mission < 1 || mission >= static_cast<int>(kMissionTracks.size())) return kMissionTracks[0];
    return kMissionTracks[static_cast<std::size_t>(mission)];
}

std::vector<std::string> FindCdTrackFiles() {
    std::vector<std::string> files;
    for (int t = 1; t <= kMaxTracks; ++t) {
        std::string found;
        for (const char* ext : {"ogg", "wav"}) {
            char name[32];
            std::snprintf(name, sizeof name, "CDmusic\\track%02d.%s", t, ext);
            const std::string path = ResolveCdPath(name);
            if (FileExists(path)) {
                found = ResolvePath(path);
                break;
            }
        }
        if (found.empty()) continue;
        files.resize(static_cast<std::size_t>(t));
        files.back() = found;
    }
    return files;
}

bool RegisterCdClass() {
    return RegisterWindowClass(kCdNotifyClass, CdNotifyWndProc);
}

WindowHandle OpenCdAudio(WindowHandle parent) {
    CdNotifyWindow = CreateWindow(kCdNotifyClass, "", parent);
    if (CdNotifyWindow == 0) return 0;
    MusicPlayer* music = GetMusicPlayer();
    const std::vector<std::string> tracks = FindCdTrackFiles();
    CdDevice = music != nullptr ? music->open(tracks) : 0;
    if (CdDevice == 0) {
        DestroyWindow(CdNotifyWindow);
        UnregisterWindowClass(kCdNotifyClass);
        CdNotifyWindow = 0;
        return 0;
    }
    SavedCdVolume = music->volume();
    g_volumeSaved = true;
    music->setVolume(kCdVolume);
    return CdNotifyWindow;
}

void CloseCdAudio() {
    MusicPlayer* music = GetMusicPlayer();
    if (CdDevice != 0) {
        StopCdAudio(1);
        if (music != nullptr) music->close();
        CdDevice = 0;
    }
    if (CdNotifyWindow != 0) {
        DestroyWindow(CdNotifyWindow);
        UnregisterWindowClass(kCdNotifyClass);
        CdNotifyWindow = 0;
        if (g_volumeSaved && music != nullptr) music->setVolume(SavedCdVolume);
        g_volumeSaved = false;
    }
}

void PlayCdTrack(int track, int force) {
    const int t = track & 0xFF;
    if (t == 0 || CdNotifyWindow == 0 || CdDevice == 0) return;
    if (force == 0 && t == CurrentCdTrack) return;
    CurrentCdTrack = static_cast<std::uint16_t>(t);
    if (CdMusicOn == 0) return;
    MusicPlayer* music = GetMusicPlayer();
    if (music == nullptr) return;
    // The last track of the disc has no next track to stop at.
    if (!music->play(t, t + 1, CdNotifyWindow)) music->play(t, kMusicToEndOfDisc, CdNotifyWindow);
}

void StopCdAudio(int forget) {
    if (static_cast<std::int16_t>(CurrentCdTrack) <= 0) return;
    if (MusicPlayer* music = GetMusicPlayer(); music != nullptr && CdDevice != 0) music->stop();
    if (forget != 0) CurrentCdTrack = kNoCdTrack;
}

void PlayMissionMusic() {
    PlayCdTrack(MissionTrack(MissionNummer), 0);
}

void PlayMissionMusicAgain() {
    PlayCdTrack(MissionTrack(MissionNummer), 0);
}

int GetCdTrackCount() {
    MusicPlayer* music = GetMusicPlayer();
    return music != nullptr && CdDevice != 0 ? music->trackCount() : 0;
}

LResult CdNotifyWndProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == MM_MCINOTIFY) {
        // Only a play that ran to its end starts the track again; a stopped or replaced one not.
        if (wParam == MCI_NOTIFY_SUCCESSFUL && static_cast<std::uint32_t>(lParam) == CdDevice &&
            CdDevice != 0)
            PlayCdTrack(CurrentCdTrack, 1);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

}  // namespace kv
