#pragma once
// Videos on FFmpeg and SDL: pictures are decoded on the game thread when they are due and handed
// to the screen; the sound track is queued on an SDL audio device of its own.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/avi_decoder.h"
#include "platform/video.h"

namespace kv {

class SdlVideo : public VideoPlayer {
  public:
    // Shows a picture (0xAARRGGBB, width x height) at x, y of the screen; null pixels: the
    // video's window is gone, the screen turns black.
    using Show =
        std::function<void(const std::uint32_t* pixels, int x, int y, int width, int height)>;

    explicit SdlVideo(Show show) : show_(std::move(show)) {}
    ~SdlVideo() override { close(); }
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;

    std::uint32_t open(const std::string& hostPath, std::uint32_t& error) override;
    void close() override;
    bool sourceSize(int& width, int& height) override;
    void setAudio(bool on) override { audio_ = on; }
    void setDestination(int x, int y, int width, int height) override;
    bool play(WindowHandle notify) override;
    void stop() override;

    // On the game thread: shows the picture that is due and hands over the notices.
    void service(std::vector<InputEvent>& out);
    // Milliseconds until the next picture is due; -1 while nothing plays.
    int msUntilDue();

  private:
    double elapsed() const;
    void openSound();
    void closeSound();
    bool soundLeft();
    void post(WParam code);
    static void MixSound(void* self, Uint8* stream, int length);

    Show show_;
    AviDecoder decoder_;
    std::string path_;
    std::uint32_t id_ = 0;
    std::uint32_t lastId_ = 0x200;
    bool audio_ = true;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool playing_ = false;
    bool played_ = false;
    WindowHandle notify_ = 0;
    Uint64 start_ = 0;
    bool pending_ = false;  // a decoded picture waits for its time
    double pendingTime_ = 0;
    bool atEnd_ = false;  // no picture is left in the file
    double endTime_ = 0;  // when the last picture has stood its time
    std::vector<std::uint32_t> scaled_;
    // The sound goes out through the mixer in place of the music, which a video stops. The
    // mixer's audio thread takes it from the stream.
    bool mixerHeld_ = false;
    std::mutex soundMutex_;
    SDL_AudioStream* sound_ = nullptr;  // guarded by soundMutex_
    std::vector<InputEvent> notices_;
};

}  // namespace kv
