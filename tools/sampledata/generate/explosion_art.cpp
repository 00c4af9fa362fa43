// The explosion animations: a fireball that swells from the ground, rises and turns to smoke,
// over flames that die down along the foot of the box. Every frame spans the kind's box and
// burns on its bottom line, where the game puts the foot of the exploding thing.

#include <algorithm>
#include <cmath>
#include <vector>

#include "generate/flame_colour.h"
#include "generate/topics.h"
#include "world/explosion_table.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/pixel_noise.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

// The share of the animation in which the fireball swells; after it, it rises and cools.
constexpr double kSwell = 0.35;
// From this share on the ball is smoke.
constexpr double kCooled = 0.6;

void Fireball(Canvas& c, double cx, double cy, double r, double t, int salt) {
    const int r0 = static_cast<int>(std::ceil(r));
    for (int y = static_cast<int>(cy) - r0; y <= static_cast<int>(cy) + r0; ++y)
        for (int x = static_cast<int>(cx) - r0; x <= static_cast<int>(cx) + r0; ++x) {
            const double q = std::hypot(x - cx, y - cy) / r;
            if (q > 1.0) continue;
            const std::uint32_t n = PixelNoise(x, y, salt);
            if (t >= kCooled) {
                // The smoke thins out as it rises.
                const double thin = (t - kCooled) / (1.0 - kCooled);
                if (static_cast<double>(n % 10) < 1.0 + thin * 7.0) continue;
                c.set(x, y, pal::kSmoke[static_cast<int>((1.0 - q) * 5) + static_cast<int>(n % 2)]);
            } else if (q < 0.4) {
                c.set(x, y, pal::kFlameTip[5 - static_cast<int>(q * 10) - static_cast<int>(n % 2)]);
            } else {
                c.set(x, y,
                      pal::kFire[7 - static_cast<int>((q - 0.4) * 10) - static_cast<int>(n % 2)]);
            }
        }
}

void GroundFlames(Canvas& c, int foot, double t, int salt) {
    const int reach = std::max(1, static_cast<int>((1.0 - t) * foot * 0.3));
    for (int x = 0; x < c.width(); ++x) {
        const int h =
            1 + static_cast<int>(PixelNoise(x / 3, salt, 11) % static_cast<std::uint32_t>(reach));
        for (int k = 0; k < h; ++k) {
            c.set(x, foot - k, FlameColour(k, h));
        }
    }
}

Canvas Frame(const ExplosionKind& kind, int frame) {
    const int width = kind.box[2] + 1;
    const int foot = kind.box[3];
    Canvas c(width, foot + 1);
    const int n = kind.frameCount;
    const double t = n > 1 ? static_cast<double>(frame) / (n - 1) : 1.0;
    const double big = std::max(2.0, std::min(width / 2.0 - 1.0, foot * 0.3));
    const double r = std::max(1.0, big * std::min(1.0, t / kSwell + 0.1));
    const double rise = t > kSwell ? (t - kSwell) / (1.0 - kSwell) * (foot - 2.0 * r - 1.0) : 0.0;
    Fireball(c, width / 2.0, foot - r - std::max(0.0, rise), r, t, frame);
    GroundFlames(c, foot, t, frame);
    return c;
}

}  // namespace

bool WriteExplosionAnimations(const OutputTree& out) {
    for (const ExplosionKind& kind : kExplosionKindTable) {
        std::vector<Canvas> frames;
        for (int f = 0; f < kind.frameCount; ++f) frames.push_back(Frame(kind, f));
        std::vector<std::uint8_t> bytes;
        if (kind.file.ends_with(".vff")) {
            bytes = MakeVff(frames);
        } else {
            std::vector<AffFrame> aff;
            for (Canvas& c : frames) aff.push_back({0, 0, std::move(c), 0});
            bytes = MakeAff(aff);
        }
        if (!out.write(kind.file, bytes)) return false;
    }
    return true;
}

}  // namespace kv::sampledata
