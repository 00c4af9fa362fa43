#include "gfx/screen_animation.h"

#include <optional>
#include <vector>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "gfx/image_files.h"
#include "gfx/rle.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/system.h"

namespace kv {

namespace {

using AnimFrame = AffFrameHeader;

struct ScreenAnimation {
    std::int16_t count = 0;
    std::vector<AnimFrame> frames;
    std::vector<std::uint8_t> data;  // every frame's packed bytes, back to back
    std::uint16_t current = 65535;   // before the first frame
    std::size_t cursor = 0;          // where the next frame's packed bytes start
    std::uint32_t lastStep = 0;
    bool loop = false;
    bool active = false;
};

ScreenAnimation g_anim;

// Draws a frame only where all of it lands inside the destination.
void DrawFrame(const AnimFrame& frame, std::span<const std::uint8_t> packed, int x, int y,
               std::span<std::uint8_t> destination, std::uint32_t pitch) {
    if (frame.width == 0 || frame.height == 0) return;
    const std::int64_t left = static_cast<std::int64_t>(x) + frame.dx;
    const std::int64_t top = static_cast<std::int64_t>(y) + frame.dy;
    if (left < 0 || top < 0 || left + frame.width > pitch) return;
    const std::int64_t start = top * pitch + left;
    const std::int64_t end = (top + frame.height - 1) * pitch + left + frame.width;
    if (end > static_cast<std::int64_t>(destination.size())) return;
    UnpackRleRect(packed, destination.subspan(static_cast<std::size_t>(start)), frame.width, pitch);
}

}  // namespace

bool LoadAnimationFromBytes(std::span<const std::uint8_t> file, bool loop, ReadFault* why) {
    FreeAnimation();
    ByteReader in(file);
    std::vector<AnimFrame> frames;
    ReadAffHeaders(in, frames);
    const std::size_t dataStart = in.position();
    // Every frame must unpack to exactly its rectangle, so that drawing it can be bounded.
    for (std::size_t i = 0; in.ok() && i < frames.size(); ++i)
        ViewPackedFrame(in, i, frames[i].packedSize, static_cast<std::size_t>(frames[i].width),
                        static_cast<std::size_t>(frames[i].height));
    if (!in.ok()) {
        if (why != nullptr) *why = in.fault();
        return false;
    }
    const auto data = file.subspan(dataStart, in.position() - dataStart);
    g_anim.count = static_cast<std::int16_t>(frames.size());
    g_anim.frames = std::move(frames);
    g_anim.data.assign(data.begin(), data.end());
    g_anim.current = 65535;
    g_anim.cursor = 0;
    g_anim.loop = loop;
    g_anim.active = true;
    return true;
}

void LoadAnimation(std::string_view path, bool loop) {
    const auto file = ReadFileBytes(path);
    ReadFault why;
    if (file && LoadAnimationFromBytes(*file, loop, &why)) return;
    if (file) ReportRefusedFile(path, why);
    FatalError("Animation not found.");
}

void StepAnimation(int x, int y, std::span<std::uint8_t> destination, std::uint32_t pitch,
                   int speed) {
    if (!g_anim.active) return;
    if (speed != 0 && g_anim.current != 65535) {
        const std::uint32_t elapsed = GetTickCount() - g_anim.lastStep;
        const int stay = g_anim.frames[g_anim.current].delay / speed;
        if (elapsed <= static_cast<std::uint32_t>(stay)) return;
    }
    g_anim.lastStep = GetTickCount();
    const std::size_t count = static_cast<std::size_t>(g_anim.count);
    // Frames with delay 0 follow at once; with all delays 0 one cycle per call is the end.
    for (std::size_t shown = 0;; ++shown) {
        std::uint16_t next = static_cast<std::uint16_t>(g_anim.current + 1);
        if (next >= count) {
            if (!g_anim.loop) {
                FreeAnimation();
                return;
            }
            if (shown >= count) return;
            next = 0;
            g_anim.cursor = 0;
        } else if (shown >= count) {
            return;
        }
        g_anim.current = next;
        const AnimFrame& frame = g_anim.frames[next];
        DrawFrame(frame, std::span(g_anim.data).subspan(g_anim.cursor, frame.packedSize), x, y,
                  destination, pitch);
        g_anim.cursor += frame.packedSize;
        if (frame.delay != 0) return;
    }
}

void FreeAnimation() {
    if (!g_anim.active) return;
    g_anim = ScreenAnimation{};
}

bool AnimationActive() {
    return g_anim.active;
}

}  // namespace kv
