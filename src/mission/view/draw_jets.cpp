#include "mission/view/draw_jets.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/view/draw_pictures.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/ballistics.h"
#include "world/geometry.h"
#include "world/wasser_strahl.h"

namespace kv {

namespace {

constexpr double kDegree = 0.017453292519943295;
// The hose's arc rises at this many degrees plus the jet's elevation value.
constexpr int kHoseElevation = 62;
// BallisticHeight counts its steps in 16 bits.
constexpr int kMaxJetSteps = 32767;

// Everything one cell entry needs to walk the arc.
struct Arc {
    float nx = 0;  // the nozzle and the aim point, world pixels
    float ny = 0;
    float ax = 0;
    float ay = 0;
    double s = 0;  // sine and tangent of the elevation
    double t = 0;
    float v = 0;        // launch speed; flat when not positive and finite
    int windowTop = 0;  // the cell takes steps whose line point lies this far below its top, +28
    bool fillGaps = false;
};

float Distance(const Arc& a) {
    const float dx = std::fabs(a.ax - a.nx);
    const float dy = std::fabs(a.ay - a.ny);
    return std::sqrt(dx * dx + dy * dy);
}

// A speed that is not positive and finite draws the jet flat along its line.
float SpeedOrFlat(double k, float d, double s) {
    if (!(k > 0)) return 0;
    const auto v = static_cast<float>(std::sqrt(kGravity / (2 * k)) * d / s);
    return v > 0 && std::isfinite(v) ? v : 0;
}

void Elevation(Arc& a, double degrees) {
    a.s = std::sin(degrees * kDegree);
    a.t = std::tan(degrees * kDegree);
}

// The jet's four pictures, all read with frame 0's row width; null when not loaded.
struct JetFrames {
    const FrameSet* frames[4] = {};
    int width = 0;      // of frame 0
    int maxHeight = 0;  // over the four
};
bool LoadedJetFrames(JetFrames& j) {
    for (int f = 0; f < 4; ++f) {
        j.frames[f] = SetFrame(JetImages, f);
        if (j.frames[f] == nullptr || j.frames[f]->width < JetImages[0].width) return false;
        j.maxHeight = std::max<int>(j.maxHeight, j.frames[f]->height);
    }
    j.width = JetImages[0].width;
    return j.width > 0;
}

void Put(int x, int y, std::uint8_t colour) {
    *PixelAt(DrawTarget, DrawPitch, x, y) = colour;
}

// Walks the arc's steps; those whose line point falls into the cell draw a strip of texture
// below the raised point. Returns the texture column after the last step.
int DrawArc(const Arc& arc, int cellX, int cellY, int textureColumn) {
    JetFrames jet;
    if (!LoadedJetFrames(jet)) return textureColumn;
    const int w0 = jet.width;
    int column = ((textureColumn % w0) + w0) % w0;

    const float d = Distance(arc);
    const int steps = std::min(TruncInt(d), kMaxJetSteps);
    float cx = 0;
    float cy = 1;
    const float dx = std::fabs(arc.ax - arc.nx);
    const float dy = std::fabs(arc.ay - arc.ny);
    if (dx != 0) {
        const double angle = std::atan(dy / dx);
        cx = static_cast<float>(std::cos(angle));
        cy = static_cast<float>(std::sin(angle));
    }
    if (arc.nx > arc.ax) cx = -cx;
    if (arc.ny > arc.ay) cy = -cy;

    // The four stretches share the length: the first r + 1 get one texture width more.
    const int n = (steps - 1) / w0;
    const int q = n / 4;
    const int r = n % 4;
    int f = 0;
    int widthsLeft = q + 1;

    float px = arc.nx - static_cast<float>(ViewOrigin.x);
    float py = arc.ny - static_cast<float>(ViewOrigin.y);
    int lastRow = 0;
    for (int i = 0; i < steps; ++i) {
        const int ix = TruncInt(px);
        const int iy = TruncInt(py);
        if (ix >= cellX && ix <= cellX + 48 && iy >= cellY + arc.windowTop &&
            iy <= cellY + arc.windowTop + 28 && ix >= 10 && ix < 640) {
            const double raise =
                arc.v > 0 ? BallisticHeight(static_cast<std::int16_t>(i), arc.v, arc.s, arc.t) : 0;
            // Held to the rows where a strip or a gap can still reach into the view.
            double raised = py - raise;
            if (!(raised == raised)) raised = py;
            const int y = static_cast<int>(
                std::clamp(raised, static_cast<double>(10 - jet.maxHeight), 480.0));
            const FrameSet& frame = *jet.frames[f];
            const int m = frame.height;
            const int rows = std::min(m, 480 - y);
            for (int j = 0; j < rows; ++j) {
                const std::uint8_t texel = frame.pixels[j * w0 + column];
                if (y + j >= 10 && texel != 0) Put(ix, y + j, texel);
            }
            // The cannon's jet closes the gap to the strip before it, so that a steep arc stays
            // whole.
            if (arc.fillGaps && lastRow != 0 && m > 0) {
                const int from = std::min(lastRow, y);
                for (int g = m; g < std::abs(lastRow - y); ++g) {
                    const int row = from + g;
                    const std::uint8_t texel = frame.pixels[(g % m) * w0 + column];
                    if (row >= 10 && row <= 479 && texel != 0) Put(ix, row, texel);
                }
            }
            lastRow = y;
        }
        column = column + 1 == w0 ? 0 : column + 1;
        if (i % w0 == w0 - 1 && --widthsLeft == 0 && f < 3) {
            ++f;
            widthsLeft = f <= r ? q + 1 : q;
        }
        px += cx;
        py += cy;
    }
    return column;
}

}  // namespace

bool FahrzeugJetLine(const Fahrzeug& f, JetLine& line) {
    const WasserStrahl* w = f.wasserStrahl.get();
    const FahrzeugTyp* typ = f.type >= 0 ? FahrzeugTypAt(f.type) : nullptr;
    if (w == nullptr || typ == nullptr || typ->kanone == nullptr || f.direction < 0 ||
        f.direction >= kDirectionCount)
        return false;
    const KanoneTyp& k = *typ->kanone;
    const auto facing = static_cast<std::size_t>(f.direction);
    const std::size_t n = WrapDirection(f.direction + w->nozzle);
    line.nx = TruncInt(f.x) + k.mount[facing].x + k.nozzle[n].x;
    line.ny = TruncInt(f.y) + k.mount[facing].y + k.nozzle[n].y;
    line.ax = w->targetX + w->wobbleX;
    line.ay = w->targetY + w->yCorrection - k.height + w->height;
    line.nozzleHeight = k.height;
    return true;
}

bool PersonJetLine(const Person& p, JetLine& line) {
    const SchlauchStrahl* s = p.attachment.jet();
    if (s == nullptr || p.direction < 0 || p.direction >= kDirectionCount) return false;
    const HandOffset& o = HoseNozzleOffsets[static_cast<std::size_t>(p.direction)];
    line.nx = TruncInt(p.x) + o.dx;
    line.ny = TruncInt(p.y) + o.dy;
    line.ax = s->targetX + s->wobbleX;
    line.ay = s->targetY + s->wobbleY + s->height - kSchlauchNozzleDrop;
    line.nozzleHeight = kSchlauchNozzleDrop;
    return true;
}

void DrawFahrzeugJet(int cellX, int cellY, int slot) {
    Fahrzeug* f = UsedFahrzeugAt(slot);
    WasserStrahl* jet = f != nullptr ? f->wasserStrahl.get() : nullptr;
    JetLine line;
    if (jet == nullptr || !FahrzeugJetLine(*f, line)) return;
    WasserStrahl& w = *jet;
    Arc arc{static_cast<float>(line.nx), static_cast<float>(line.ny), static_cast<float>(line.ax),
            static_cast<float>(line.ay)};
    Elevation(arc, w.elevation + w.wobbleD);
    const float d = Distance(arc);
    arc.v = SpeedOrFlat(line.nozzleHeight + arc.t * d - w.height, d, arc.s);
    arc.windowTop = -line.nozzleHeight;
    arc.fillGaps = true;
    w.reserved = static_cast<std::int16_t>(DrawArc(arc, cellX, cellY, w.reserved));
}

void DrawPersonJet(int cellX, int cellY, int slot) {
    Person* p = UsedPersonAt(slot);
    SchlauchStrahl* jet = p != nullptr ? p->attachment.jet() : nullptr;
    JetLine line;
    if (jet == nullptr || !PersonJetLine(*p, line)) return;
    SchlauchStrahl& s = *jet;
    Arc arc{static_cast<float>(line.nx), static_cast<float>(line.ny), static_cast<float>(line.ax),
            static_cast<float>(line.ay)};
    Elevation(arc, s.wobbleD + kHoseElevation);
    float d = Distance(arc);
    const double k = arc.t * d + kSchlauchNozzleDrop - s.height;
    if (k > 0) {
        arc.v = SpeedOrFlat(k, d, arc.s);
    } else {
        // An aim as high as the nozzle or higher: the arc goes to the ground below the aim.
        arc.ay -= static_cast<float>(s.height);
        d = Distance(arc);
        arc.v = SpeedOrFlat(arc.t * d + kSchlauchNozzleDrop, d, arc.s);
    }
    arc.windowTop = -kSchlauchNozzleDrop;
    s.ticksRunning = static_cast<std::uint16_t>(DrawArc(arc, cellX, cellY, s.ticksRunning));
}

}  // namespace kv
