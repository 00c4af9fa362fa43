#include "play_input.h"

#include <algorithm>

namespace kv::play {

namespace {

class ByteSource {
  public:
    explicit ByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::uint8_t u8() { return atEnd() ? 0 : bytes_[pos_++]; }
    int u16() {
        const int high = u8();
        return high << 8 | u8();
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

bool HasPoint(PlayEventKind kind) {
    return kind <= PlayEventKind::RightClick;
}

bool HasKey(PlayEventKind kind) {
    return kind == PlayEventKind::Key || kind == PlayEventKind::KeyDown ||
           kind == PlayEventKind::KeyUp;
}

}  // namespace

std::vector<PlayEvent> DecodePlay(std::span<const std::uint8_t> bytes) {
    std::vector<PlayEvent> events;
    ByteSource in(bytes);
    while (!in.atEnd()) {
        PlayEvent e;
        e.kind = static_cast<PlayEventKind>(in.u8() % kPlayEventKinds);
        if (HasPoint(e.kind)) {
            e.x = in.u16() % kPlayWidth;
            e.y = in.u16() % kPlayHeight;
        } else if (HasKey(e.kind)) {
            e.code = kPlayKeys[in.u8() % kPlayKeys.size()];
        } else if (e.kind == PlayEventKind::Char) {
            e.code = in.u8();
        } else {
            e.frames = 1 + in.u8() % kMaxFramesPerEvent;
        }
        events.push_back(e);
    }
    return events;
}

std::vector<std::uint8_t> EncodePlay(std::span<const PlayEvent> events) {
    std::vector<std::uint8_t> out;
    for (const PlayEvent& e : events) {
        out.push_back(static_cast<std::uint8_t>(e.kind));
        if (HasPoint(e.kind)) {
            for (const int v :
                 {std::clamp(e.x, 0, kPlayWidth - 1), std::clamp(e.y, 0, kPlayHeight - 1)}) {
                out.push_back(static_cast<std::uint8_t>(v >> 8));
                out.push_back(static_cast<std::uint8_t>(v & 0xFF));
            }
        } else if (HasKey(e.kind)) {
            const auto* at = std::find(kPlayKeys.begin(), kPlayKeys.end(), e.code);
            out.push_back(
                at == kPlayKeys.end() ? 0 : static_cast<std::uint8_t>(at - kPlayKeys.begin()));
        } else if (e.kind == PlayEventKind::Char) {
            out.push_back(static_cast<std::uint8_t>(e.code));
        } else {
            out.push_back(
                static_cast<std::uint8_t>(std::clamp(e.frames, 1, kMaxFramesPerEvent) - 1));
        }
    }
    return out;
}

}  // namespace kv::play
