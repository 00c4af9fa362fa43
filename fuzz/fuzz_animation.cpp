// The screen animation: load, then step it on a fake clock into a small screen with guard bytes
// around it, at several speeds and origins.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "gfx/screen_animation.h"
#include "platform/headless/headless_backend.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::Input input;
    kv::HeadlessBackend& clock = input.backend();
    clock.setTicks(1000);
    // The first byte picks the loop flag and the speed; the rest is the file.
    if (size == 0) return 0;
    const bool loop = (data[0] & 1) != 0;
    const int speed = (data[0] >> 1) % 4;
    if (!kv::LoadAnimationFromBytes(std::span(data + 1, size - 1), loop)) return 0;

    constexpr std::size_t kGuard = 16;
    constexpr std::uint32_t kPitch = 40;
    constexpr std::size_t kScreen = kPitch * 30;
    std::vector<std::uint8_t> memory(kScreen + 2 * kGuard, 0xA5);
    const std::span<std::uint8_t> screen = std::span(memory).subspan(kGuard, kScreen);
    for (int i = 0; i < 40 && kv::AnimationActive(); ++i) {
        kv::StepAnimation(i % 7 * 3 - 4, i % 5 * 4 - 3, screen, kPitch, speed);
        clock.advance(37);
    }
    for (std::size_t i = 0; i < kGuard; ++i)
        if (memory[i] != 0xA5 || memory[kGuard + kScreen + i] != 0xA5) std::abort();
    kv::FreeAnimation();
    return 0;
}
