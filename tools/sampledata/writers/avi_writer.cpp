#include "writers/avi_writer.h"

#include <algorithm>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace kv::sampledata {

namespace {

// Owns what one write opens, so every way out releases it.
struct Muxer {
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;

    ~Muxer() {
        if (format != nullptr && format->pb != nullptr) avio_closep(&format->pb);
        avformat_free_context(format);
        avcodec_free_context(&video);
        avcodec_free_context(&audio);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
};

bool Fail(const std::string& path, const char* what) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), what);
    return false;
}

// Sends one frame (null: flush) and writes every packet the encoder gives back.
bool Encode(Muxer& m, AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
    if (avcodec_send_frame(codec, frame) < 0) return false;
    for (;;) {
        const int r = avcodec_receive_packet(codec, m.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return false;
        av_packet_rescale_ts(m.packet, codec->time_base, stream->time_base);
        m.packet->stream_index = stream->index;
        if (av_interleaved_write_frame(m.format, m.packet) < 0) return false;
    }
}

std::uint16_t ToRgb555(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

}  // namespace

bool WriteAviFile(const std::string& hostPath, const AviClip& clip) {
    if (clip.width <= 0 || clip.height <= 0 || clip.width % 4 != 0 || clip.height % 4 != 0 ||
        clip.framesPerSecond <= 0 || clip.frameCount <= 0 || !clip.drawFrame)
        return Fail(hostPath, "unusable video clip");
    Muxer m;
    if (avformat_alloc_output_context2(&m.format, nullptr, "avi", hostPath.c_str()) < 0)
        return Fail(hostPath, "no AVI writer");
    // The same bytes on every run: no version strings.
    m.format->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* videoCodec = avcodec_find_encoder(AV_CODEC_ID_MSVIDEO1);
    if (videoCodec == nullptr) return Fail(hostPath, "no Microsoft Video 1 encoder");
    m.video = avcodec_alloc_context3(videoCodec);
    m.video->width = clip.width;
    m.video->height = clip.height;
    m.video->pix_fmt = AV_PIX_FMT_RGB555LE;
    m.video->time_base = AVRational{1, clip.framesPerSecond};
    m.video->gop_size = clip.framesPerSecond;
    m.video->flags |= AV_CODEC_FLAG_BITEXACT;
    if (avcodec_open2(m.video, videoCodec, nullptr) < 0) return Fail(hostPath, "video encoder");
    m.videoStream = avformat_new_stream(m.format, nullptr);
    avcodec_parameters_from_context(m.videoStream->codecpar, m.video);
    m.videoStream->time_base = m.video->time_base;

    if (!clip.sound.empty()) {
        const AVCodec* audioCodec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
        if (audioCodec == nullptr) return Fail(hostPath, "no PCM encoder");
        m.audio = avcodec_alloc_context3(audioCodec);
        m.audio->sample_rate = clip.sampleRate;
        m.audio->sample_fmt = AV_SAMPLE_FMT_S16;
        av_channel_layout_default(&m.audio->ch_layout, 1);
        m.audio->time_base = AVRational{1, clip.sampleRate};
        m.audio->flags |= AV_CODEC_FLAG_BITEXACT;
        if (avcodec_open2(m.audio, audioCodec, nullptr) < 0) return Fail(hostPath, "sound encoder");
        m.audioStream = avformat_new_stream(m.format, nullptr);
        avcodec_parameters_from_context(m.audioStream->codecpar, m.audio);
        m.audioStream->time_base = m.audio->time_base;
    }

    if (avio_open(&m.format->pb, hostPath.c_str(), AVIO_FLAG_WRITE) < 0)
        return Fail(hostPath, "cannot create the file");
    if (avformat_write_header(m.format, nullptr) < 0) return Fail(hostPath, "AVI header");

    m.frame = av_frame_alloc();
    m.packet = av_packet_alloc();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(clip.width) * clip.height * 3);
    std::size_t soundDone = 0;
    for (int f = 0; f < clip.frameCount; ++f) {
        // The sound of this frame first, so both streams stay side by side in the file.
        if (m.audio != nullptr) {
            const std::size_t until =
                std::min(clip.sound.size(), static_cast<std::size_t>(f + 1) *
                                                static_cast<std::size_t>(clip.sampleRate) /
                                                static_cast<std::size_t>(clip.framesPerSecond));
            if (until > soundDone) {
                av_frame_unref(m.frame);
                m.frame->format = AV_SAMPLE_FMT_S16;
                m.frame->sample_rate = clip.sampleRate;
                av_channel_layout_default(&m.frame->ch_layout, 1);
                m.frame->nb_samples = static_cast<int>(until - soundDone);
                if (av_frame_get_buffer(m.frame, 0) < 0) return Fail(hostPath, "memory");
                std::copy(clip.sound.begin() + static_cast<std::ptrdiff_t>(soundDone),
                          clip.sound.begin() + static_cast<std::ptrdiff_t>(until),
                          reinterpret_cast<std::int16_t*>(m.frame->data[0]));
                m.frame->pts = static_cast<std::int64_t>(soundDone);
                if (!Encode(m, m.audio, m.audioStream, m.frame)) return Fail(hostPath, "sound");
                soundDone = until;
            }
        }
        std::fill(rgb.begin(), rgb.end(), std::uint8_t{0});
        clip.drawFrame(f, rgb);
        av_frame_unref(m.frame);
        m.frame->format = AV_PIX_FMT_RGB555LE;
        m.frame->width = clip.width;
        m.frame->height = clip.height;
        if (av_frame_get_buffer(m.frame, 0) < 0) return Fail(hostPath, "memory");
        for (int y = 0; y < clip.height; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(
                m.frame->data[0] + static_cast<std::ptrdiff_t>(y) * m.frame->linesize[0]);
            const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(y) * clip.width * 3;
            for (int x = 0; x < clip.width; ++x)
                row[x] = ToRgb555(src[x * 3], src[x * 3 + 1], src[x * 3 + 2]);
        }
        m.frame->pts = f;
        if (!Encode(m, m.video, m.videoStream, m.frame)) return Fail(hostPath, "pictures");
    }
    if (!Encode(m, m.video, m.videoStream, nullptr)) return Fail(hostPath, "pictures");
    if (m.audio != nullptr && !Encode(m, m.audio, m.audioStream, nullptr))
        return Fail(hostPath, "sound");
    if (av_write_trailer(m.format) < 0) return Fail(hostPath, "AVI index");
    return true;
}

}  // namespace kv::sampledata
