#include "writers/wav_writer.h"

#include "platform/bytes.h"

namespace kv::sampledata {

std::vector<std::uint8_t> WriteWav(const PcmFormat& format, std::span<const std::uint8_t> pcm) {
    const auto size = static_cast<std::uint32_t>(pcm.size());
    ByteWriter w;
    w.text("RIFF");
    w.u32(36 + size);
    w.text("WAVE");
    w.text("fmt ");
    w.u32(16);
    w.u16(1);  // PCM
    w.u16(format.channels);
    w.u32(format.rate);
    w.u32(format.rate * format.blockAlign);
    w.u16(format.blockAlign);
    w.u16(format.bits);
    w.text("data");
    w.u32(size);
    w.bytes(pcm);
    return w.take();
}

PcmFormat MakePcmFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    return PcmFormat{channels, rate, bits, static_cast<std::uint16_t>(channels * bits / 8)};
}

}  // namespace kv::sampledata
