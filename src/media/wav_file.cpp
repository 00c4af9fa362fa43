#include "media/wav_file.h"

#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "media/sound_slots.h"
#include "platform/bytes.h"
#include "platform/files.h"

namespace kv {

std::optional<WavHeader> ParseWavHeader(std::span<const std::uint8_t> header,
                                        std::uint64_t fileSize) {
    if (header.size() < kWavHeaderSize) return std::nullopt;
    ByteReader r(header);
    WavHeader h;
    r.seek(kWavChannelsAt);
    h.format.channels = r.u16();
    r.seek(kWavRateAt);
    h.format.rate = r.u32();
    r.seek(kWavBlockAlignAt);
    h.format.blockAlign = r.u16();
    r.seek(kWavBitsAt);
    h.format.bits = r.u16();
    r.seek(kWavDataSizeAt);
    h.dataSize = r.u32();
    if (!r.ok() || !SoundBufferAcceptable(h.format, h.dataSize)) return std::nullopt;
    if (fileSize < kWavHeaderSize || h.dataSize > fileSize - kWavHeaderSize) return std::nullopt;
    return h;
}

std::optional<WavSound> ParseWav(std::span<const std::uint8_t> file) {
    const std::optional<WavHeader> h = ParseWavHeader(file, file.size());
    if (!h) return std::nullopt;
    return WavSound{h->format, file.subspan(kWavHeaderSize, h->dataSize)};
}

int LoadWavBytes(std::span<const std::uint8_t> file, int id) {
    const std::optional<WavSound> s = ParseWav(file);
    if (!s) return 0;
    return CreateSoundBuffer(id, s->format, s->pcm);
}

int LoadWav(std::string_view path, int id) {
    File f;
    if (!f.open(path, File::Mode::Read)) {
        FatalError("file not found: '" + std::string(path) + "'");
        return 0;
    }
    std::uint8_t header[kWavHeaderSize];
    if (f.read(header) != kWavHeaderSize) return 0;
    const std::int64_t size = f.size();
    const std::optional<WavHeader> h =
        ParseWavHeader(header, size < 0 ? 0 : static_cast<std::uint64_t>(size));
    if (!h) return 0;
    std::vector<std::uint8_t> pcm(h->dataSize);
    if (!f.seek(kWavHeaderSize) || f.read(pcm) != pcm.size()) return 0;
    return CreateSoundBuffer(id, h->format, pcm);
}

}  // namespace kv
