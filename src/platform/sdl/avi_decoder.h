#pragma once
// Reads a video file with FFmpeg: its pictures one after another with their times, its sound
// as 16-bit samples, and each picture scaled to any size as 32-bit pixels.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
struct SwsContext;

namespace kv {

class AviDecoder {
  public:
    // Interleaved samples at sampleRate() with channels() channels.
    using SoundSink = std::function<void(std::span<const std::int16_t> samples)>;

    AviDecoder() = default;
    ~AviDecoder() { close(); }
    AviDecoder(const AviDecoder&) = delete;
    AviDecoder& operator=(const AviDecoder&) = delete;

    // False when the file cannot be read or holds no pictures.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return format_ != nullptr; }

    int width() const;
    int height() const;
    bool hasSound() const { return audio_ != nullptr; }
    int sampleRate() const;
    int channels() const;  // 1 or 2
    // Seconds one picture stands.
    double frameDuration() const { return frameDuration_; }

    // Decodes on to the next picture and returns its time in seconds; sound met on the way goes
    // to the sink, or is skipped without one. False at the end.
    bool nextPicture(double& seconds, const SoundSink& sound);
    // The last picture, scaled to width x height: pixels of 0xAARRGGBB, rows one after another.
    bool scalePicture(int width, int height, std::span<std::uint32_t> out);

  private:
    bool receivePicture(double& seconds);
    void decodeSound(const AVPacket* packet, const SoundSink& sound);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    int videoStream_ = -1;
    int audioStream_ = -1;
    AVFrame* picture_ = nullptr;
    AVFrame* next_ = nullptr;
    AVFrame* soundFrame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    SwrContext* resampler_ = nullptr;
    double frameDuration_ = 1.0 / 15.0;
    std::int64_t picturesRead_ = 0;
    bool flushed_ = false;
};

}  // namespace kv
