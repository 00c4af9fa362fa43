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

    // Decodes on to the next picture and returns its time in seconds; it waits until taken. Sound
    // met on the way goes to the sink, or is skipped without one. False at the end.
    bool nextPicture(double& seconds, const SoundSink& sound);
    // The waiting picture becomes the one to show; the one before is let go unscaled.
    void takePicture();
    // The picture last taken, scaled to width x height: pixels of 0xAARRGGBB, rows one after
    // another.
    bool scalePicture(int width, int height, std::span<std::uint32_t> out);

  private:
    bool receivePicture(double& seconds);
    // At the end of the file, or when the pictures cannot be decoded further: what the decoders
    // still hold comes out, and nothing more is read.
    void drain(const SoundSink& sound);
    // A null packet drains the sound decoder and the resampler.
    void decodeSound(const AVPacket* packet, const SoundSink& sound);
    void convertSound(const std::uint8_t** in, int count, const SoundSink& sound);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    int videoStream_ = -1;
    int audioStream_ = -1;
    AVFrame* picture_ = nullptr;   // taken: the one shown
    AVFrame* next_ = nullptr;      // decoded, waiting for its time
    AVFrame* incoming_ = nullptr;  // the decoder writes here, so a failed read loses nothing
    AVFrame* soundFrame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    SwrContext* resampler_ = nullptr;
    double frameDuration_ = 1.0 / 15.0;
    std::int64_t picturesRead_ = 0;
    bool flushed_ = false;
};

}  // namespace kv
