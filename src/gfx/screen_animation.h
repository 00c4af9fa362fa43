#pragma once
// The one screen animation the base screens play from an .aff file: frames unpacked straight into
// the screen's picture, each staying for its delay.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/bytes.h"

namespace kv {

// Replaces any animation that is playing. A missing or malformed file is fatal ("Animation not
// found.").
void LoadAnimation(std::string_view path, bool loop);
// Shows the next frame once the current one has stayed its delay divided by speed (speed 0: every
// call). Frames with delay 0 are followed at once by the next, but one call shows at most one
// cycle. The frame's top-left corner is (x + dx, y + dy) of destination, whose rows are pitch
// bytes apart; a frame that does not fit inside destination is skipped. At its end an animation
// played once frees itself.
void StepAnimation(int x, int y, std::span<std::uint8_t> destination, std::uint32_t pitch,
                   int speed);
void FreeAnimation();
// Whether an animation is loaded and has not ended.
bool AnimationActive();

// LoadAnimation over a file already read; false (nothing loaded) when malformed, with the reason
// in why when given.
bool LoadAnimationFromBytes(std::span<const std::uint8_t> file, bool loop,
                            ReadFault* why = nullptr);

}  // namespace kv
