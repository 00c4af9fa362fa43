#include "media/wav_file.h"

#include <string>
#include <utility>
#include <vector>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "media/sound_slots.h"
#include "platform/bytes.h"
#include "platform/files.h"

namespace kv {

std::optional<WavHeader> ParseWavHeader(std::span<const std::uint8_t> header,
                                        std::uint64_t fileSize, ReadFault* why) {
    if (header.size() < kWavHeaderSize)
        return RefuseInto<std::optional<WavHeader>>(why, 0,
                                                    "a header of " + std::to_string(header.size()) +
                                                        " bytes, " +
                                                        std::to_string(kWavHeaderSize) + " wanted");
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
    if (!SoundBufferAcceptable(h.format, h.dataSize))
        return RefuseInto<std::optional<WavHeader>>(
            why, kWavChannelsAt,
            "no sound buffer takes " + std::to_string(h.format.channels) + " channels, " +
                std::to_string(h.format.rate) + " Hz, " + std::to_string(h.format.bits) +
                " bits, block align " + std::to_string(h.format.blockAlign) + ", " +
                std::to_string(h.dataSize) + " bytes");
    if (fileSize < kWavHeaderSize || h.dataSize > fileSize - kWavHeaderSize)
        return RefuseInto<std::optional<WavHeader>>(why, kWavDataSizeAt,
                                                    std::to_string(h.dataSize) +
                                                        " bytes of data, the file has " +
                                                        std::to_string(fileSize - kWavHeaderSize));
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
    const std::size_t got = f.read(header);
    const std::int64_t size = f.size();
    ReadFault why;
    const std::optional<WavHeader> h = ParseWavHeader(
        std::span(header, got), size < 0 ? 0 : static_cast<std::uint64_t>(size), &why);
    // The slot stays empty; a sound that will not play is no reason to stop the game.
    if (!h) {
        ReportRefusedFile(path, why);
        return 0;
    }
    std::vector<std::uint8_t> pcm(h->dataSize);
    if (!f.seek(kWavHeaderSize) || f.read(pcm) != pcm.size()) return 0;
    return CreateSoundBuffer(id, h->format, pcm);
}

}  // namespace kv
