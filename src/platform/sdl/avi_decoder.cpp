#include "platform/sdl/avi_decoder.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace kv {

namespace {

AVCodecContext* OpenCodec(AVFormatContext* format, int stream) {
    const AVCodecParameters* par = format->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (codec == nullptr) return nullptr;
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    if (ctx == nullptr) return nullptr;
    if (avcodec_parameters_to_context(ctx, par) < 0 || avcodec_open2(ctx, codec, nullptr) < 0) {
        avcodec_free_context(&ctx);
        return nullptr;
    }
    return ctx;
}

}  // namespace

bool AviDecoder::open(const std::string& path) {
    close();
    // A file that is no video is reported by the game; FFmpeg's guesses about it are not.
    av_log_set_level(AV_LOG_ERROR);
    if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0) {
        format_ = nullptr;
        return false;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) {
        close();
        return false;
    }
    videoStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (videoStream_ < 0 || (video_ = OpenCodec(format_, videoStream_)) == nullptr ||
        video_->width <= 0 || video_->height <= 0) {
        close();
        return false;
    }
    const AVRational rate = format_->streams[videoStream_]->avg_frame_rate;
    if (rate.num > 0 && rate.den > 0) frameDuration_ = av_q2d(av_inv_q(rate));

    // A sound track that cannot be decoded leaves the video silent, not unplayable.
    audioStream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, videoStream_, nullptr, 0);
    if (audioStream_ >= 0) audio_ = OpenCodec(format_, audioStream_);
    if (audio_ != nullptr) {
        AVChannelLayout out{};
        av_channel_layout_default(&out, channels());
        if (swr_alloc_set_opts2(&resampler_, &out, AV_SAMPLE_FMT_S16, audio_->sample_rate,
                                &audio_->ch_layout, audio_->sample_fmt, audio_->sample_rate, 0,
                                nullptr) < 0 ||
            swr_init(resampler_) < 0) {
            swr_free(&resampler_);
            avcodec_free_context(&audio_);
        }
        av_channel_layout_uninit(&out);
    }
    picture_ = av_frame_alloc();
    next_ = av_frame_alloc();
    incoming_ = av_frame_alloc();
    soundFrame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    return true;
}

void AviDecoder::close() {
    avcodec_free_context(&video_);
    avcodec_free_context(&audio_);
    if (format_ != nullptr) avformat_close_input(&format_);
    av_frame_free(&picture_);
    av_frame_free(&next_);
    av_frame_free(&incoming_);
    av_frame_free(&soundFrame_);
    av_packet_free(&packet_);
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    swr_free(&resampler_);
    videoStream_ = -1;
    audioStream_ = -1;
    frameDuration_ = 1.0 / 15.0;
    picturesRead_ = 0;
    flushed_ = false;
}

int AviDecoder::width() const {
    return video_ != nullptr ? video_->width : 0;
}

int AviDecoder::height() const {
    return video_ != nullptr ? video_->height : 0;
}

int AviDecoder::sampleRate() const {
    return audio_ != nullptr ? audio_->sample_rate : 0;
}

int AviDecoder::channels() const {
    if (audio_ == nullptr) return 0;
    return audio_->ch_layout.nb_channels >= 2 ? 2 : 1;
}

bool AviDecoder::receivePicture(double& seconds) {
    if (avcodec_receive_frame(video_, incoming_) < 0) return false;
    av_frame_unref(next_);
    av_frame_move_ref(next_, incoming_);
    const std::int64_t ts = next_->best_effort_timestamp;
    seconds = ts != AV_NOPTS_VALUE
                  ? static_cast<double>(ts) * av_q2d(format_->streams[videoStream_]->time_base)
                  : static_cast<double>(picturesRead_) * frameDuration_;
    ++picturesRead_;
    return true;
}

void AviDecoder::takePicture() {
    if (next_ == nullptr || next_->data[0] == nullptr) return;
    av_frame_unref(picture_);
    av_frame_move_ref(picture_, next_);
}

bool AviDecoder::nextPicture(double& seconds, const SoundSink& sound) {
    if (!isOpen()) return false;
    for (;;) {
        if (receivePicture(seconds)) return true;
        if (flushed_) return false;
        if (av_read_frame(format_, packet_) < 0) {
            drain(sound);
            continue;
        }
        if (packet_->stream_index == videoStream_) {
            // A damaged packet costs its picture and no more; a decoder that refuses anything
            // else will not decode the rest either, so the video ends with what it has.
            const int sent = avcodec_send_packet(video_, packet_);
            if (sent < 0 && sent != AVERROR_INVALIDDATA) drain(sound);
        } else if (packet_->stream_index == audioStream_ && audio_ != nullptr && sound) {
            decodeSound(packet_, sound);
        }
        av_packet_unref(packet_);
    }
}

void AviDecoder::drain(const SoundSink& sound) {
    avcodec_send_packet(video_, nullptr);
    if (audio_ != nullptr && sound) decodeSound(nullptr, sound);
    flushed_ = true;
}

void AviDecoder::decodeSound(const AVPacket* packet, const SoundSink& sound) {
    if (avcodec_send_packet(audio_, packet) < 0) return;
    while (avcodec_receive_frame(audio_, soundFrame_) >= 0)
        convertSound(const_cast<const std::uint8_t**>(soundFrame_->extended_data),
                     soundFrame_->nb_samples, sound);
    if (packet == nullptr) convertSound(nullptr, 0, sound);
}

void AviDecoder::convertSound(const std::uint8_t** in, int count, const SoundSink& sound) {
    const int room = swr_get_out_samples(resampler_, count);
    if (room <= 0) return;
    std::vector<std::int16_t> samples(static_cast<std::size_t>(room) *
                                      static_cast<std::size_t>(channels()));
    auto* out = reinterpret_cast<std::uint8_t*>(samples.data());
    const int n = swr_convert(resampler_, &out, room, in, count);
    if (n > 0)
        sound(std::span<const std::int16_t>(
            samples.data(), static_cast<std::size_t>(n) * static_cast<std::size_t>(channels())));
}

bool AviDecoder::scalePicture(int width, int height, std::span<std::uint32_t> out) {
    if (picture_ == nullptr || picture_->data[0] == nullptr || width <= 0 || height <= 0 ||
        out.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return false;
    scaler_ = sws_getCachedContext(scaler_, picture_->width, picture_->height,
                                   static_cast<AVPixelFormat>(picture_->format), width, height,
                                   AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (scaler_ == nullptr) return false;
    std::uint8_t* dst[4] = {reinterpret_cast<std::uint8_t*>(out.data()), nullptr, nullptr, nullptr};
    const int dstStride[4] = {width * 4, 0, 0, 0};
    sws_scale(scaler_, picture_->data, picture_->linesize, 0, picture_->height, dst, dstStride);
    return true;
}

}  // namespace kv
