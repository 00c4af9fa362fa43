#include "generate/person_figures.h"

#include <algorithm>
#include <cmath>

namespace kv::sampledata {

namespace {

constexpr double kPi = 3.14159265358979323846;

int R(double v) {
    return static_cast<int>(std::lround(v));
}

// Facing on the screen: forward (s, k) with k > 0 towards the viewer, and the figure's right.
struct Facing {
    double s;
    double k;
    double rx;
    double ry;
};

Facing FacingOf(int direction) {
    const double a = direction * kPi / 6.0;
    return Facing{std::sin(a), -std::cos(a), std::cos(a), std::sin(a)};
}

std::uint8_t Skin() {
    return pal::kSkin[2];
}

void DrawHead(Canvas& c, int x, int y, const Facing& f, const Look& look) {
    const bool towardsViewer = f.k > -0.2;
    c.fillCircle(x, y, 3, look.swimsuit || look.head != Headgear::Hood ? Skin() : look.headColour);
    const std::uint8_t hc = look.headColour;
    switch (look.head) {
        case Headgear::Hair:
            for (int dx = -3; dx <= 3; ++dx)
                for (int dy = -3; dy <= (towardsViewer ? -2 : 1); ++dy)
                    if (dx * dx + dy * dy <= 12) c.set(x + dx, y + dy, hc);
            break;
        case Headgear::Helmet:
            for (int dx = -3; dx <= 3; ++dx)
                for (int dy = -4; dy <= -1; ++dy)
                    if (dx * dx + (dy + 1) * (dy + 1) <= 12) c.set(x + dx, y + dy, hc);
            c.fillRect(x - 4, y - 1, 9, 1, hc);                  // the brim
            if (!towardsViewer) c.fillRect(x - 3, y, 7, 2, hc);  // neck guard
            break;
        case Headgear::Cap:
            c.fillRect(x - 3, y - 3, 7, 2, hc);
            c.fillRect(x - 2, y - 4, 5, 1, hc);
            if (std::abs(f.s) > 0.3)
                c.fillRect(x + (f.s > 0 ? 3 : -5), y - 2, 3, 1, pal::kShadow[0]);  // visor
            else if (towardsViewer)
                c.fillRect(x - 3, y - 1, 7, 1, pal::kShadow[0]);
            break;
        case Headgear::Hood:
            if (towardsViewer) c.fillRect(x - 1 + R(f.s * 1.5), y - 1, 3, 3, Skin());
            break;
        case Headgear::FlightHelmet:
            c.fillCircle(x, y, 3, hc);
            if (towardsViewer) c.fillRect(x - 2 + R(f.s * 1.5), y - 1, 4, 2, pal::kGlass[2]);
            break;
    }
    if (towardsViewer) {
        const int ex = x + R(f.s * 2);
        if (f.k > 0.5) {
            c.set(ex - 1, y, pal::kShadow[0]);
            c.set(ex + 1, y, pal::kShadow[0]);
        } else {
            c.set(ex, y, pal::kShadow[0]);
        }
    }
    if (std::abs(f.s) > 0.6) c.set(x + R(f.s * 3.6), y + 1, Skin());  // the nose
    // From behind, an ear tells which way the head is turned.
    if (!towardsViewer && std::abs(f.s) > 0.2) c.set(x + (f.s > 0 ? 3 : -3), y, Skin());
}

void DrawCarried(Canvas& c, int hx, int hy, const Facing& f, const Look& look, int feetY) {
    const int ax = R(f.s * 4);
    const int ay = R(f.k * 2);
    switch (look.carry) {
        case Carry::None:
        case Carry::Casualty:
            break;
        case Carry::Extinguisher:
            c.fillRect(hx - 1, hy, 3, 5, pal::kFireBrigadeDark.first);
            c.set(hx, hy - 1, pal::kMetal[4]);
            break;
        case Carry::Cutter:
            c.line(hx, hy, hx + ax, hy + ay - 1, pal::kMetal[6]);
            c.set(hx, hy + 1, pal::kYellow[3]);
            break;
        case Carry::HoseCoil:
            c.circle(hx, hy + 2, 2, pal::kRubber[2]);
            break;
        case Carry::HoseJet:
            c.line(hx, hy, hx - R(f.s * 6), feetY, pal::kRubber[2]);
            c.line(hx + ax, hy + ay, hx + 2 * ax, hy + 2 * ay - 1, pal::kWater[6]);
            break;
        case Carry::Chainsaw:
            c.fillRect(hx - 1, hy - 1, 3, 2, pal::kOrange[4]);
            c.line(hx, hy, hx + ax, hy + ay, pal::kMetal[5]);
            break;
        case Carry::Box:
            c.fillRect(hx - 2 + R(f.s * 2), hy - 2, 5, 4, pal::kWood[3]);
            c.frameRect(hx - 2 + R(f.s * 2), hy - 2, 5, 4, pal::kWood[1]);
            break;
        case Carry::Rope:
            c.circle(hx, hy + 1, 2, pal::kSand[3]);
            break;
        case Carry::Tyre:
            c.circle(hx + R(f.s * 2), hy, 3, pal::kRubber[1]);
            break;
        case Carry::Ring:
            c.circle(hx + R(f.s * 2), hy, 3, pal::kRescueOrange.first);
            c.set(hx + R(f.s * 2), hy - 3, pal::kLightGrey.first);
            c.set(hx + R(f.s * 2), hy + 3, pal::kLightGrey.first);
            break;
        case Carry::Torch:
            c.line(hx, hy, hx, hy - 3, pal::kWood[2]);
            c.set(hx, hy - 4, pal::kFire[6]);
            c.set(hx, hy - 5, pal::kFlameTip[2]);
            break;
    }
}

}  // namespace

void DrawFigure(Canvas& c, int fx, int fy, int direction, const Look& look, const Pose& pose) {
    const Facing f = FacingOf(direction);
    fy -= R(pose.lift);
    const int hipY = fy - 8 + R(pose.crouch * 4);
    const int shoulderY = hipY - 7;
    const int headY = shoulderY - 3;
    const int hw = std::abs(f.rx) > 0.5 ? 3 : 2;
    const std::uint8_t limbs = look.swimsuit ? Skin() : look.trousers;

    // Legs, the right one striding ahead; a kneeling figure folds them under.
    for (int side : {-1, 1}) {
        const double ahead = side * pose.stride;
        const int legX = fx + R(side * f.rx * 1.5);
        const int footX = legX + R(ahead * 3 * f.s);
        const int footY = fy - R(std::max(0.0, ahead) * 1.5);
        // Bent at the knee, which goes forward as the figure goes down.
        const int kneeX = (legX + footX) / 2 + R(f.s * 3 * pose.crouch);
        const int kneeY = (hipY + footY) / 2 + R(f.k * 2 * pose.crouch);
        for (int w = 0; w < (hw == 3 ? 2 : 1); ++w) {
            c.line(legX - w * side, hipY, kneeX - w * side, kneeY, limbs);
            c.line(kneeX - w * side, kneeY, footX - w * side, footY, limbs);
        }
        c.set(footX, footY, pal::kRubber[1]);
    }

    if (look.tank && f.k >= 0) c.fillRect(fx - 1 - R(f.s * 3), shoulderY, 3, 6, pal::kMetal[3]);
    const std::uint8_t body = look.swimsuit ? look.clothes[3] : look.clothes[f.k < 0 ? 2 : 3];
    c.fillRect(fx - hw, shoulderY, 2 * hw + 1, hipY - shoulderY + 1, body);
    c.fillRect(fx - hw, shoulderY, 1, hipY - shoulderY + 1, look.clothes[4]);
    c.fillRect(fx + hw, shoulderY, 1, hipY - shoulderY + 1, look.clothes[1]);
    if (look.tank && f.k < 0) c.fillRect(fx - 1 - R(f.s * 1), shoulderY, 3, 6, pal::kMetal[3]);
    if (look.stripe != 0) c.fillRect(fx - hw, hipY - 2, 2 * hw + 1, 1, look.stripe);
    if (look.redCross && std::abs(f.k) > 0.3) {
        c.fillRect(fx - 1, shoulderY + 3, 3, 1, pal::kBlood[3]);
        c.fillRect(fx, shoulderY + 2, 1, 3, pal::kBlood[3]);
    }
    if (look.bloody) {
        c.set(fx - 1, shoulderY + 2, pal::kBlood[2]);
        c.set(fx + 1, shoulderY + 4, pal::kBlood[1]);
    }

    // Arms: they swing against the legs, reach forward, and the right one may go up.
    const std::uint8_t sleeve = look.swimsuit ? Skin() : look.clothes[2];
    int rightHandX = fx;
    int rightHandY = hipY;
    for (int side : {-1, 1}) {
        const int sx = fx + R(side * f.rx * (hw + 1));
        const int sy = shoulderY + 1 + R(side * f.ry * 0.6);
        double hx = sx - side * pose.stride * 2 * f.s;
        double hy = sy + 5 - std::abs(pose.stride);
        hx += (sx + f.s * 4 - hx) * pose.reach;
        hy += (sy + 1 + f.k * 2 - hy) * pose.reach;
        if (side == 1) {
            hx += (sx + f.s * 2 - hx) * pose.raise;
            hy += (shoulderY - 6 - hy) * pose.raise;
        }
        if (pose.handsBehind) {
            hx = fx - f.s * 2 + side;
            hy = hipY - 1;
        }
        c.line(sx, sy, R(hx), R(hy), sleeve);
        c.set(R(hx), R(hy), Skin());
        if (side == 1) {
            rightHandX = R(hx);
            rightHandY = R(hy);
        }
    }

    DrawHead(c, fx, headY, f, look);
    if (look.carry == Carry::Casualty) {
        // Over the shoulders, across the carrier.
        c.line(fx - R(f.rx * 6), shoulderY - 1 - R(f.ry * 2), fx + R(f.rx * 6),
               shoulderY - 1 + R(f.ry * 2), pal::kSand[2]);
        c.set(fx + R(f.rx * 6), shoulderY - 2 + R(f.ry * 2), Skin());
    }
    DrawCarried(c, rightHandX, rightHandY, f, look, fy);
    if (look.burning) DrawFlames(c, fx, fy, R(pose.stride * 4) + R(pose.raise * 7));
}

void DrawSitting(Canvas& c, int fx, int fy, int direction, const Look& look, double wave) {
    const Facing f = FacingOf(direction);
    const int hw = std::abs(f.rx) > 0.5 ? 3 : 2;
    const int kneeX = fx + R(f.s * 5);
    const int kneeY = fy + R(f.k * 2) - 1;
    for (int side : {-1, 1}) {
        const int lx = R(side * f.rx * 1.5);
        c.line(fx + lx, fy, kneeX + lx, kneeY, look.trousers);
        c.line(kneeX + lx, kneeY, kneeX + lx, fy + 1, look.trousers);
    }
    const int shoulderY = fy - 7;
    c.fillRect(fx - hw, shoulderY, 2 * hw + 1, 8, look.clothes[f.k < 0 ? 2 : 3]);
    c.fillRect(fx - hw, shoulderY, 1, 8, look.clothes[4]);
    if (look.stripe != 0) c.fillRect(fx - hw, fy - 2, 2 * hw + 1, 1, look.stripe);
    for (int side : {-1, 1}) {
        const int sx = fx + R(side * f.rx * (hw + 1));
        const int hy = side == 1 ? R(kneeY - 1 - wave * 7) : kneeY - 1;
        c.line(sx, shoulderY + 1, kneeX + side, hy, look.clothes[2]);
        c.set(kneeX + side, hy, Skin());
    }
    DrawHead(c, fx, shoulderY - 3, f, look);
}

void DrawLying(Canvas& c, int cx, int cy, int direction, const Look& look, double wave,
               int length) {
    const Facing f = FacingOf(direction);
    // Along the ground the body runs towards the direction, foreshortened up and down.
    double ux = f.s;
    double uy = f.k * 0.6;
    const double n = std::hypot(ux, uy);
    ux /= n;
    uy /= n;
    const double px = -uy;
    const double py = ux;
    const double half = length / 2.0;
    auto at = [&](double along, double across, int& x, int& y) {
        x = R(cx + ux * along + px * across);
        y = R(cy + uy * along + py * across);
    };
    int x0, y0, x1, y1;
    const std::uint8_t legs = look.swimsuit ? Skin() : look.trousers;
    for (int side : {-1, 1}) {
        at(-half, side * 1.5, x0, y0);
        at(-1, side * 1.0, x1, y1);
        c.line(x0, y0, x1, y1, legs);
    }
    for (int across = -2; across <= 2; ++across) {
        at(-1, across * 0.7, x0, y0);
        at(half - 6, across * 0.7, x1, y1);
        c.line(x0, y0, x1, y1, look.clothes[across < 0 ? 4 : 2]);
    }
    if (look.stripe != 0) {
        at(1, -2, x0, y0);
        at(1, 2, x1, y1);
        c.line(x0, y0, x1, y1, look.stripe);
    }
    if (look.bloody) {
        at(2, 0, x0, y0);
        c.fillCircle(x0, y0, 1, pal::kBlood[2]);
    }
    // One arm along the body, the other moving.
    const std::uint8_t sleeve = look.swimsuit ? Skin() : look.clothes[2];
    at(half - 6, -2.5, x0, y0);
    at(half - 12, -3, x1, y1);
    c.line(x0, y0, x1, y1, sleeve);
    at(half - 6, 2.5, x0, y0);
    at(half - 6 - 5 * std::cos(wave * kPi), 3 + 3 * std::sin(wave * kPi), x1, y1);
    c.line(x0, y0, x1, y1, sleeve);
    c.set(x1, y1, Skin());
    at(half - 3, 0, x0, y0);
    c.fillCircle(x0, y0, 3, Skin());
    at(half - 1, 0, x1, y1);
    c.fillCircle(x1, y1, 1, look.headColour);
    if (look.burning) DrawFlames(c, cx, cy + 4, R(wave * 5));
}

void DrawSwimming(Canvas& c, int cx, int cy, int direction, const Look& look, double stroke,
                  double sink, bool ring) {
    const Facing f = FacingOf(direction);
    for (int dx = -7; dx <= 7; ++dx) {
        const int dy = R(std::sqrt(std::max(0.0, 9.0 - dx * dx * 9.0 / 49.0)));
        c.set(cx + dx, cy + dy, pal::kWater[6]);
        c.set(cx + dx, cy - dy, pal::kWater[5]);
    }
    const int headY = cy - 2 + R(sink * 5);
    Canvas head(9, 9);
    DrawHead(head, 4, 4, f, look);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if (head.at(x, y) != 0 && headY - 4 + y <= cy)
                c.set(cx - 4 + x, headY - 4 + y, head.at(x, y));
    if (sink < 0.5) {
        for (int side : {-1, 1}) {
            const double a = stroke * 2 * kPi + (side > 0 ? kPi : 0);
            c.line(cx + side * 3, cy, cx + side * R(5 + std::cos(a) * 2),
                   cy - R(2 + std::sin(a) * 2), Skin());
        }
    } else {
        for (int i = 0; i < 3; ++i) c.set(cx - 2 + 2 * i, cy - 2 - R(sink * 4) - i, pal::kWater[7]);
    }
    if (ring) {
        c.circle(cx, cy, 5, pal::kRescueOrange.first);
        c.set(cx - 5, cy, pal::kLightGrey.first);
        c.set(cx + 5, cy, pal::kLightGrey.first);
    }
}

void DrawFlames(Canvas& c, int fx, int fy, int phase) {
    for (int i = 0; i < 5; ++i) {
        const int x = fx - 4 + 2 * i;
        const int height = 2 + (phase * 3 + i * 5) % 4;
        const int base = fy - 6 - (i % 2) * 3;
        c.line(x, base, x, base - height, pal::kFire[4 + (phase + i) % 4]);
        c.set(x, base - height - 1, pal::kFlameTip[2]);
    }
}

Canvas Enlarged(const Canvas& small) {
    Canvas big(small.width() * 2, small.height() * 2);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.set(x, y, small.at(x / 2, y / 2));
    return big;
}

}  // namespace kv::sampledata
