#include "writers/ogg_writer.h"

#include <algorithm>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace kv::sampledata {

namespace {

struct Muxer {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;

    ~Muxer() {
        if (format != nullptr && format->pb != nullptr) avio_closep(&format->pb);
        avformat_free_context(format);
        avcodec_free_context(&codec);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
};

bool Fail(const std::string& path, const char* what) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), what);
    return false;
}

bool Encode(Muxer& m, const AVFrame* frame) {
    if (avcodec_send_frame(m.codec, frame) < 0) return false;
    for (;;) {
        const int r = avcodec_receive_packet(m.codec, m.packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
        if (r < 0) return false;
        av_packet_rescale_ts(m.packet, m.codec->time_base, m.stream->time_base);
        m.packet->stream_index = m.stream->index;
        if (av_interleaved_write_frame(m.format, m.packet) < 0) return false;
    }
}

}  // namespace

bool WriteOggVorbisFile(const std::string& hostPath, std::span<const std::int16_t> samples,
                        int sampleRate) {
    if (samples.empty() || sampleRate <= 0) return Fail(hostPath, "no sound to write");
    Muxer m;
    if (avformat_alloc_output_context2(&m.format, nullptr, "ogg", hostPath.c_str()) < 0)
        return Fail(hostPath, "no Ogg writer");
    // Fixed stream serial numbers and no version strings: the same bytes on every run.
    m.format->flags |= AVFMT_FLAG_BITEXACT;
    const AVCodec* vorbis = avcodec_find_encoder_by_name("libvorbis");
    if (vorbis == nullptr) return Fail(hostPath, "no Vorbis encoder");
    m.codec = avcodec_alloc_context3(vorbis);
    m.codec->sample_rate = sampleRate;
    m.codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&m.codec->ch_layout, 1);
    m.codec->time_base = AVRational{1, sampleRate};
    m.codec->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    m.codec->global_quality = 2 * FF_QP2LAMBDA;
    if (m.format->oformat->flags & AVFMT_GLOBALHEADER)
        m.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(m.codec, vorbis, nullptr) < 0) return Fail(hostPath, "Vorbis encoder");
    m.stream = avformat_new_stream(m.format, nullptr);
    avcodec_parameters_from_context(m.stream->codecpar, m.codec);
    m.stream->time_base = m.codec->time_base;
    if (avio_open(&m.format->pb, hostPath.c_str(), AVIO_FLAG_WRITE) < 0)
        return Fail(hostPath, "cannot create the file");
    if (avformat_write_header(m.format, nullptr) < 0) return Fail(hostPath, "Ogg header");

    m.frame = av_frame_alloc();
    m.packet = av_packet_alloc();
    const std::size_t chunk =
        m.codec->frame_size > 0 ? static_cast<std::size_t>(m.codec->frame_size) : 1024;
    for (std::size_t done = 0; done < samples.size();) {
        const std::size_t n = std::min(chunk, samples.size() - done);
        av_frame_unref(m.frame);
        m.frame->format = AV_SAMPLE_FMT_FLTP;
        m.frame->sample_rate = sampleRate;
        av_channel_layout_default(&m.frame->ch_layout, 1);
        m.frame->nb_samples = static_cast<int>(n);
        if (av_frame_get_buffer(m.frame, 0) < 0) return Fail(hostPath, "memory");
        auto* out = reinterpret_cast<float*>(m.frame->data[0]);
        for (std::size_t i = 0; i < n; ++i) out[i] = samples[done + i] / 32768.0f;
        m.frame->pts = static_cast<std::int64_t>(done);
        if (!Encode(m, m.frame)) return Fail(hostPath, "Vorbis");
        done += n;
    }
    if (!Encode(m, nullptr)) return Fail(hostPath, "Vorbis");
    if (av_write_trailer(m.format) < 0) return Fail(hostPath, "Ogg end");
    return true;
}

}  // namespace kv::sampledata
