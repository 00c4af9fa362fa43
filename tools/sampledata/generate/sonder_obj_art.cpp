// The special-object pictures: every image set of the game's set table, drawn round its hit box.
// A picture spans the object from its position to the box's right edge plus the box's left margin
// and one row below the box; the box is the thing's footprint, and the thing rises above it. A set
// drawn at a constant offset gets a picture widened or heightened by that offset, so that its box
// stays inside: burning sets show their flames in the room above.

#include <algorithm>
#include <string>
#include <vector>

#include "generate/box_scene.h"
#include "generate/flame_colour.h"
#include "generate/sonder_obj_looks.h"
#include "generate/topics.h"
#include "world/sonder_obj_set_table.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/pixel_noise.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

// The footprint inside the object's own picture.
struct Foot {
    int x0, y0, x1, y1;
    int w() const { return x1 - x0 + 1; }
    int midX() const { return (x0 + x1) / 2; }
};

// The pictures of the sets whose box the loader takes from the picture itself.
struct PictureSize {
    std::string_view path;
    int w, h;
};
constexpr PictureSize kOwnSizes[] = {
    {"sobj\\blut\\lache1.vff", 20, 10}, {"sobj\\blut\\lache2.vff", 24, 12},
    {"sobj\\blut\\lache3.vff", 28, 14}, {"sobj\\blut\\lache4.vff", 16, 9},
    {"sobj\\hit.vff", 16, 12},
};

const SonderObjLook* LookOf(std::string_view path) {
    for (const SonderObjLook& l : kSonderObjLooks)
        if (l.path == path) return &l;
    return nullptr;
}

std::uint32_t Noise(int x, int y, int salt) {
    return PixelNoise(x, y, salt);
}

// A block with a lit top band and a dark base line.
void Slab(Canvas& c, int x0, int y0, int x1, int y1, const PaletteRamp& ramp) {
    if (x1 < x0 || y1 < y0) return;
    c.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, ramp[3]);
    c.fillRect(x0, y0, x1 - x0 + 1, std::max(1, (y1 - y0 + 1) / 5), ramp[5]);
    c.fillRect(x0, y1, x1 - x0 + 1, 1, ramp[1]);
    c.frameRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, ramp[1]);
}

void Wheel(Canvas& c, int x, int y, int r) {
    c.fillCircle(x, y, r, pal::kRubber[1]);
    c.fillCircle(x, y, std::max(1, r / 2), pal::kMetal[4]);
}

void Vehicle(Canvas& c, const Foot& f, const PaletteRamp& ramp, int bodyTop, bool cab) {
    const int wheelR = std::clamp(f.w() / 12, 2, 7);
    const int bottom = f.y1 - wheelR;
    Slab(c, f.x0, bodyTop, f.x1, bottom, ramp);
    if (cab) {
        const int cabW = std::max(4, f.w() / 4);
        Slab(c, f.x1 - cabW, std::max(0, bodyTop - 6), f.x1, bottom, ramp);
        c.fillRect(f.x1 - cabW + 2, std::max(0, bodyTop - 4), cabW - 4, 4, pal::kGlass[2]);
    }
    for (int x = f.x0 + 4; x + 6 < f.x1 - 4; x += 12)
        c.fillRect(x, bodyTop + 2, 6, std::max(2, (bottom - bodyTop) / 3), pal::kGlass[1]);
    Wheel(c, f.x0 + wheelR + 1, f.y1 - wheelR, wheelR);
    Wheel(c, f.x1 - wheelR - 1, f.y1 - wheelR, wheelR);
}

// A green tractor, side on, front to the right: a long bonnet with its exhaust, a cab with clear
// glass at the back over a big rear wheel, a small front wheel; a crumpled corner of the bonnet
// and a cracked side window from the crash.
void Tractor(Canvas& c, const Foot& f, int top) {
    const int rearR = std::clamp((f.y1 - top) / 2, 4, 10);
    const int frontR = std::max(3, rearR * 3 / 5);
    const int cabX1 = f.x0 + f.w() * 2 / 5;
    const int bonnetTop = (top + f.y1) / 2;
    Slab(c, f.x0 + 2, top, cabX1, f.y1 - rearR, pal::kPoliceRamp);
    c.fillRect(f.x0 + 5, top + 3, cabX1 - f.x0 - 7, (bonnetTop - top) - 2, pal::kGlass[2]);
    c.fillRect(f.x0 + 6, top + 4, 2, (bonnetTop - top) - 5, pal::kGlass[3]);
    c.line(cabX1 - 6, top + 4, cabX1 - 9, bonnetTop - 1, pal::kWhite.first);
    Slab(c, cabX1, bonnetTop, f.x1 - 2, f.y1 - frontR, pal::kPoliceRamp);
    c.fillRect(cabX1 + 6, bonnetTop - 5, 2, 5, pal::kMetal[1]);
    for (int k = 0; k < 4; ++k) c.set(f.x1 - 3 - k, bonnetTop + k, 0);
    c.line(f.x1 - 8, bonnetTop + 2, f.x1 - 4, bonnetTop + 6, pal::kPoliceRamp[0]);
    Wheel(c, f.x0 + rearR + 1, f.y1 - rearR, rearR);
    Wheel(c, f.x1 - frontR - 3, f.y1 - frontR, frontR);
}

// The tanker's tractor unit, side on, front to the right: a tall cab over the front wheel and,
// behind it, the bare chassis with its coupling plate, no higher than a few pixels above the
// footprint. The ground above the chassis stays clear, so what lies there beside the cab (the
// driver once cut out) is seen and picked, not the truck.
void Truck(Canvas& c, const Foot& f) {
    const int wheelR = std::clamp(f.w() / 12, 2, 7);
    const int bottom = f.y1 - wheelR;
    const int cabX0 = f.x1 - f.w() / 3;
    const int cabTop = std::max(0, f.y0 - (f.y1 - f.y0));
    const int frameTop = std::max(0, f.y0 - 2);
    Slab(c, f.x0, frameTop, cabX0, bottom, pal::kMetal);
    c.fillRect(f.x0 + f.w() / 6, frameTop - 2, f.w() / 6, 2, pal::kRubber[2]);  // coupling plate
    Slab(c, cabX0, cabTop, f.x1, bottom, pal::kTechnicalRamp);
    c.fillRect(cabX0 + 3, cabTop + 3, f.x1 - cabX0 - 8, (bottom - cabTop) / 3, pal::kGlass[2]);
    c.fillRect(f.x1 - 3, cabTop + 3, 2, (bottom - cabTop) / 3, pal::kGlass[3]);  // windscreen
    Wheel(c, f.x0 + wheelR + 1, f.y1 - wheelR, wheelR);
    Wheel(c, f.x0 + 3 * wheelR + 3, f.y1 - wheelR, wheelR);
    Wheel(c, f.x1 - wheelR - 3, f.y1 - wheelR, wheelR);
}

void House(Canvas& c, const Foot& f, const PaletteRamp& walls, int top) {
    const int roof = top + (f.y0 - top) / 3;
    Slab(c, f.x0, roof, f.x1, f.y1, walls);
    for (int y = top; y < roof; ++y) {
        const int inset = (roof - y) * f.w() / (2 * std::max(1, roof - top) + 1);
        c.fillRect(f.x0 + inset, y, std::max(1, f.w() - 2 * inset), 1, pal::kRoof[2 + (y & 1)]);
    }
    c.fillRect(f.midX() - 3, f.y1 - 10, 6, 10, pal::kWood[1]);
}

void Tent(Canvas& c, const Foot& f, const PaletteRamp& cloth, int top, bool cross) {
    const int h = std::max(1, f.y1 - top);
    for (int y = top; y <= f.y1; ++y) {
        const int half = (y - top) * f.w() / (2 * h) + 1;
        c.fillRect(f.midX() - half, y, 2 * half, 1, cloth[(y - top) * 4 / (h + 1) + 1]);
    }
    c.fillRect(f.midX() - 3, f.y1 - h / 3, 6, h / 3 + 1, pal::kShadow[0]);
    if (cross) {
        const int cy = top + h / 2;
        c.fillRect(f.midX() - 8, cy - 2, 16, 5, pal::kFireBrigadeRed.first);
        c.fillRect(f.midX() - 2, cy - 8, 5, 16, pal::kFireBrigadeRed.first);
    }
}

void Plane(Canvas& c, const Foot& f, const PaletteRamp& ramp, int top, bool wings) {
    const int mid = (top + f.y1) / 2;
    FillEllipse(c, f.midX(), mid, f.w() / 2.0, std::max(2.0, (f.y1 - top) / 4.0), ramp[4]);
    if (wings) {
        c.fillRect(f.x0 + f.w() / 3, top, f.w() / 6, f.y1 - top + 1, ramp[3]);
        c.fillRect(f.x0, top, f.w() / 12 + 1, mid - top, ramp[2]);  // fin
    }
    for (int x = f.x0 + f.w() / 5; x < f.x1 - f.w() / 8; x += 7) c.set(x, mid - 1, pal::kGlass[3]);
}

// The light aircraft broken apart on the mountain: the tail with its fin on the left, the nose
// with the cockpit, the other wing and the bent propeller on the right, the torn-off wing lying
// above the ground between them. That ground stays open down to the foot's bottom, shadow
// included, because the fuel the crash leaked lies there (from (31, 40) of this picture, 60 x 29):
// it must stay in sight and under the mouse.
void CrashedPlane(Canvas& c, const Foot& f, const PaletteRamp& ramp, int top) {
    constexpr int kGapX0 = 31;
    constexpr int kGapX1 = 91;
    constexpr int kGapY1 = 69;
    c.fillRect(kGapX0, f.y0, kGapX1 - kGapX0 + 1, f.y1 - f.y0 + 2, 0);
    const int mid = (f.y0 + f.y1) / 2 - 2;
    // The tail section, thickening towards the break, with its fin and stabiliser.
    for (int x = f.x0; x < kGapX0; ++x) {
        const int half = 3 + (x - f.x0) * 4 / std::max(1, kGapX0 - f.x0);
        c.fillRect(x, mid - half, 1, 2 * half + 1, ramp[4]);
        c.fillRect(x, mid + half - 1, 1, 2, ramp[2]);
    }
    const int finTop = top + 8;
    for (int y = finTop; y < mid; ++y)
        c.fillRect(f.x0 + 2, y, 1 + (y - finTop) * 10 / std::max(1, mid - finTop), 1, ramp[2]);
    c.fillRect(f.x0, mid - 1, 14, 2, ramp[3]);
    // The torn-off wing across the open ground, its broken root ragged.
    for (int k = 0; k < 7; ++k) {
        const int y = top + 6 + k;
        const int x0 = kGapX0 + 3 + k * 2;
        c.fillRect(x0, y, 52, 1, k == 0 ? ramp[5] : ramp[3]);
        c.fillRect(x0, y + 6, 52, 1, ramp[1]);
    }
    for (int k = 0; k < 5; ++k) c.set(kGapX0 + 3 + k * 3, top + 6 + k % 2, 0);
    // The nose section: crumpled at the break, the cockpit glass, the wing still on it and the
    // propeller bent against the rock.
    const int noseX0 = kGapX1 + 1;
    const int noseMid = (noseX0 + f.x1) / 2;
    FillEllipse(c, noseMid, mid, (f.x1 - noseX0) / 2.0, 9, ramp[4]);
    c.fillRect(noseX0, mid - 6, 4, 13, ramp[4]);
    for (int y = mid - 6; y <= mid + 6; y += 2)
        c.set(noseX0 + static_cast<int>(Noise(y, 0, 15) % 3), y, 0);
    c.line(noseX0, mid + 7, f.x1 - 6, mid + 7, ramp[2]);
    for (int x = noseMid - 4; x < f.x1 - 6; x += 5) c.fillRect(x, mid - 5, 3, 3, pal::kGlass[3]);
    c.fillRect(noseX0 + 6, top, 8, kGapY1 - top, ramp[3]);
    c.fillRect(noseX0 + 6, top, 8, 2, ramp[5]);
    c.line(f.x1 - 1, mid - 10, f.x1 - 1, mid, pal::kMetal[1]);
    c.line(f.x1 - 1, mid, f.x1 - 4, mid + 9, pal::kMetal[1]);
    // Scraps below the fuel.
    for (int k = 0; k < 3; ++k)
        c.fillRect(kGapX0 + 8 + k * 22, kGapY1 + 3 + k % 2 * 3, 4, 2, ramp[k % 2 == 0 ? 2 : 3]);
}

// The thing in its normal look; frame varies animated sets.
void DrawThing(Canvas& c, Style style, const Foot& f, int frame) {
    const int top = 0;
    const int body = std::max(top, f.y0 - (f.y1 - f.y0) / 2);
    switch (style) {
        case Style::kTractor:
            Tractor(c, f, body);
            break;
        case Style::kMotorbike:
            Vehicle(c, f, pal::kGrey, body, false);
            break;
        case Style::kCar:
            Vehicle(c, f, pal::kSky, body, true);
            break;
        case Style::kCart:
            Vehicle(c, f, pal::kWood, body, false);
            break;
        case Style::kTanker:
            Vehicle(c, f, pal::kOrange, body, true);
            break;
        case Style::kTruck:
            Truck(c, f);
            break;
        case Style::kHaywagon:
            Vehicle(c, f, pal::kYellow, top + 2, false);
            break;
        case Style::kRacecar:
            Vehicle(c, f, pal::kPink, body, false);
            break;
        case Style::kBus:
            Vehicle(c, f, pal::kCyan, top + 6, true);
            break;
        case Style::kCaravan:
            Vehicle(c, f, pal::kMedicRamp, top + 4, false);
            break;
        case Style::kGondola:
            Vehicle(c, f, pal::kViolet, body, false);
            break;
        case Style::kTrain:
            Vehicle(c, f, pal::kTechnicalRamp, top + 2, true);
            break;
        case Style::kGashouse:
            House(c, f, pal::kConcrete, top);
            break;
        case Style::kBuilding:
            House(c, f, pal::kBrick, top);
            break;
        case Style::kStand:
            House(c, f, pal::kYellow, top);
            break;
        case Style::kKiosk:
            House(c, f, pal::kGrass, top);
            break;
        case Style::kFusebox:
            Slab(c, f.x0, top, f.x1, f.y1, pal::kMetal);
            c.fillRect(f.midX() - 1, top + 3 + (frame % 2) * 6, 3, 4, pal::kWarning.first);
            break;
        case Style::kContainer:
            Slab(c, f.x0, top + 2, f.x1, f.y1, pal::kFireBrigadeRamp);
            for (int x = f.x0 + 3; x < f.x1; x += 5)
                c.line(x, top + 4, x, f.y1 - 2, pal::kFireBrigadeRamp[1]);
            break;
        case Style::kDoor:
            Slab(c, f.x0, top, f.x1, f.y1, pal::kMetal);
            break;
        case Style::kSuitcase:
            Slab(c, f.x0, top + 1, f.x1, f.y1, pal::kEarth);
            break;
        case Style::kBed:
            Slab(c, f.x0, f.y0, f.x1, f.y1, pal::kMedicRamp);
            c.fillRect(f.x0 + 1, f.y0 + 1, f.w() - 2, 5, pal::kMedicWhite.first);
            break;
        case Style::kTent:
            Tent(c, f, pal::kPoliceRamp, top, false);
            break;
        case Style::kHospitalTent:
            Tent(c, f, pal::kMedicRamp, top, true);
            break;
        case Style::kTree:
            c.fillRect(f.midX() - 3, f.y0 - 10, 7, f.y1 - f.y0 + 11, pal::kWood[1]);
            FillEllipse(c, f.midX(), f.y0 / 2.0, f.x1 / 2.0 + 2, f.y0 / 2.0, pal::kFoliage[3]);
            FillEllipse(c, f.midX() - 4, f.y0 / 2.0 - 4, f.x1 / 4.0, f.y0 / 4.0, pal::kFoliage[5]);
            break;
        case Style::kLog:
            FillEllipse(c, f.midX(), (body + f.y1) / 2.0, f.w() / 2.0, (f.y1 - body) / 2.0,
                        pal::kWood[2]);
            FillEllipse(c, f.x1 - 4, (body + f.y1) / 2.0, 3, (f.y1 - body) / 2.0, pal::kWood[4]);
            FillEllipse(c, f.x0 + f.w() / 3.0, body + 2.0, f.w() / 5.0, 4, pal::kFoliage[2]);
            break;
        case Style::kRock:
            FillEllipse(c, f.midX(), (top + f.y1) / 2.0, f.w() / 2.0, (f.y1 - top) / 2.0,
                        pal::kGrey[6]);
            break;
        case Style::kSandheap:
            FillEllipse(c, f.midX(), (body + f.y1) / 2.0, f.w() / 2.0, (f.y1 - body) / 2.0,
                        pal::kSand[3]);
            break;
        case Style::kWoodPile:
            for (int y = f.y1 - 2; y >= 2; y -= 4)
                for (int x = 2 + (y & 2); x + 2 <= f.x1; x += 5)
                    c.fillCircle(x, y, 2, pal::kWood[2 + ((x + y) & 1)]);
            break;
        case Style::kRubble:
            for (int i = 0; i < 40; ++i) {
                const int x =
                    f.x0 + static_cast<int>(Noise(i, 1, 9) % static_cast<std::uint32_t>(f.w()));
                const int y = body + static_cast<int>(Noise(i, 2, 9) %
                                                      static_cast<std::uint32_t>(f.y1 - body + 1));
                c.fillRect(x - 2, y - 2, 5, 4,
                           pal::kConcrete[static_cast<int>(Noise(i, 3, 9) % 6)]);
            }
            break;
        case Style::kDam:
            Slab(c, f.x0, top, f.x1, f.y1, pal::kConcrete);
            for (int k = 0; k <= frame % 12; ++k)
                c.line(f.midX() + k, top, f.midX() - 5 + 2 * k, f.y1, pal::kWater[2 + k % 5]);
            break;
        case Style::kRoof:
            Slab(c, f.x0, top, f.x1, f.y1, pal::kRoof);
            break;
        case Style::kPuddle:
            FillEllipse(c, f.midX(), (f.y0 + f.y1) / 2.0, f.w() / 2.0, (f.y1 - f.y0 + 1) / 2.0,
                        pal::kToxic[1]);
            break;
        case Style::kBlood:
            FillEllipse(c, c.width() / 2.0, c.height() / 2.0, c.width() / 2.0, c.height() / 2.0,
                        pal::kBlood[2]);
            break;
        case Style::kDrain:
            FillEllipse(c, f.midX(), (f.y0 + f.y1) / 2.0, f.w() / 2.0, (f.y1 - f.y0 + 1) / 2.0,
                        frame == 0 ? pal::kMetal[3] : pal::kShadow[0]);
            for (int x = f.x0 + 4; x < f.x1 - 2; x += 4)
                c.line(x, f.y0 + 2, x, f.y1 - 2, pal::kMetal[1]);
            break;
        case Style::kPlank:
            Slab(c, f.x0, f.y0, f.x1, f.y1, pal::kWood);
            break;
        case Style::kCable:
            c.line(f.x0, f.y0, f.x1, f.y1, pal::kRubber[1]);
            c.line(f.x0 + 1, f.y0, f.x1, f.y1 - 1,
                   frame % 2 == 0 ? pal::kRubber[2] : pal::kYellow[5]);
            break;
        case Style::kGrid:
        case Style::kGate:
            for (int x = f.x0; x <= f.x1; x += 4)
                c.line(x, top, x, f.y1, pal::kMetal[2 + (frame % 3)]);
            c.fillRect(f.x0, top, f.w(), 2, pal::kMetal[5]);
            c.fillRect(f.x0, f.y0, f.w(), 2, pal::kMetal[5]);
            break;
        case Style::kBarricade:
            c.line(f.x0, body, f.x1, f.y1, pal::kWood[3]);
            c.line(f.x0, f.y1, f.x1, body, pal::kWood[2]);
            Slab(c, f.x0, f.y0, f.x1, f.y1, pal::kWood);
            break;
        case Style::kMarker:
            c.circle(f.midX(), (f.y0 + f.y1) / 2, f.w() / 2 - 1, pal::kSignalCyan.first);
            c.fillCircle(f.midX(), (f.y0 + f.y1) / 2, 2, pal::kSignalCyan.first);
            break;
        case Style::kHose:
            for (int r = 2; r < 7; r += 2)
                c.circle(f.midX(), c.height() / 2, r, pal::kMedicWhite.first);
            c.line(f.x0, f.y1, f.x1, f.y1 - 2, pal::kGrey[9]);
            break;
        case Style::kPontoon:
            Slab(c, f.x0, f.y0 + 4, f.x1, f.y1, pal::kMetal);
            for (int y = f.y0 + 8; y < f.y1; y += 6)
                c.line(f.x0 + 2, y, f.x1 - 2, y, pal::kMetal[2]);
            break;
        case Style::kRing:
            c.circle(f.midX(), (f.y0 + f.y1) / 2, std::min(f.w(), f.y1 - f.y0) / 2 - 1,
                     pal::kRescueOrange.first);
            break;
        case Style::kTyre:
        case Style::kTyrestack:
            for (int y = f.y1 - 4; y >= top + 3; y -= 6) {
                FillEllipse(c, f.midX(), y, f.w() / 2.0, 3, pal::kRubber[1]);
                FillEllipse(c, f.midX(), y, f.w() / 5.0, 1, pal::kRubber[3]);
                if (style == Style::kTyre) break;
            }
            break;
        case Style::kHydrant:
        case Style::kRingHolder:
        case Style::kMast:
        case Style::kSign:
        case Style::kRoadsign:
        case Style::kFlag:
        case Style::kParachute:
        case Style::kParachuteWithPilot: {
            const PaletteRamp& ramp =
                style == Style::kHydrant ? pal::kFireBrigadeRamp : pal::kMetal;
            c.fillRect(f.midX() - 1, top, 3, f.y1 - top + 1, ramp[3]);
            c.fillRect(f.x0, f.y1 - 1, f.w(), 2, ramp[1]);
            if (style == Style::kFlag || style == Style::kSign || style == Style::kRoadsign) {
                const int wave = frame % 4;
                const int w = style == Style::kFlag ? 14 : f.w();
                const int h = style == Style::kRoadsign ? 2 + 2 * frame : 10;
                c.fillRect(style == Style::kFlag ? f.midX() + 1 : f.x0, top + wave / 2, w,
                           std::min(h, f.y0),
                           style == Style::kFlag ? pal::kYellow[4] : pal::kWarning.first);
            } else if (style == Style::kMast) {
                c.line(0, top + 6, c.width() - 1, top + 10 + (frame % 2), pal::kRubber[0]);
            } else if (style == Style::kParachute || style == Style::kParachuteWithPilot) {
                FillEllipse(c, f.midX(), top + 8, f.w() / 2.0, 8, pal::kOrange[4]);
            }
            if (style == Style::kParachuteWithPilot) {
                // The pilot in his harness under the canopy caught on the pole.
                const int x = f.midX();
                c.line(f.x0 + 1, top + 12, x, top + 22, pal::kGrey[1]);
                c.line(f.x1 - 1, top + 12, x, top + 22, pal::kGrey[1]);
                c.fillCircle(x, top + 21, 2, pal::kSkin[4]);
                c.fillRect(x - 2, top + 24, 5, 8, pal::kOrange[1]);
                c.fillRect(x - 2, top + 32, 2, 5, pal::kGrey[2]);
                c.fillRect(x + 1, top + 32, 2, 5, pal::kGrey[2]);
            }
            break;
        }
        case Style::kCow:
        case Style::kCat: {
            const PaletteRamp& fur = style == Style::kCow ? pal::kMedicRamp : pal::kOrange;
            const int bodyY = (body + f.y1) / 2;
            FillEllipse(c, f.midX(), bodyY, f.w() / 2.5, (f.y1 - body) / 3.0 + 1, fur[4]);
            if (style == Style::kCow) c.fillCircle(f.midX() - 3, bodyY, 3, pal::kGrey[0]);
            const int step = frame % 2;
            for (int leg = 0; leg < 4; ++leg) {
                const int x = f.x0 + 3 + leg * (f.w() - 6) / 3 + (leg % 2 == step ? 1 : -1);
                c.line(x, bodyY, x, f.y1, fur[1]);
            }
            c.fillCircle(f.x1 - 2, body + 2, std::max(2, f.w() / 10), fur[3]);
            break;
        }
        case Style::kAircraft:
            Plane(c, f, pal::kMedicRamp, body, true);
            break;
        case Style::kCrashedPlane:
            CrashedPlane(c, f, pal::kMedicRamp, body);
            break;
        case Style::kAirliner:
            // Seen from above within its foot: the casualties lying close to its side stay in
            // sight and can be picked.
            Plane(c, f, pal::kSky, f.y0, true);
            break;
        case Style::kFuselage:
            Plane(c, f, pal::kMetal, body, false);
            break;
        case Style::kWing:
            Slab(c, f.x0, body, f.x1, f.y1, pal::kMetal);
            break;
        case Style::kEngine:
            FillEllipse(c, f.midX(), (body + f.y1) / 2.0, f.w() / 2.0, (f.y1 - body) / 2.0,
                        pal::kMetal[3]);
            c.fillCircle(f.x0 + 4, (body + f.y1) / 2, 3, pal::kRubber[0]);
            break;
        case Style::kBottle:
            c.fillRect(0, 3, c.width(), c.height() - 4, pal::kGlass[2]);
            c.fillRect(1, 0, c.width() - 2, 3, pal::kMedicWhite.first);
            break;
        case Style::kSplash:
            for (int i = 0; i < 8; ++i) {
                const int x =
                    static_cast<int>(Noise(i, frame, 4) % static_cast<std::uint32_t>(c.width()));
                const int y =
                    static_cast<int>(Noise(i, frame, 5) % static_cast<std::uint32_t>(c.height()));
                c.set(x, y, pal::kWater[6]);
            }
            c.fillRect(0, c.height() - 1, c.width(), 1, pal::kWater[5]);
            break;
        case Style::kScanner:
            Slab(c, f.x0, f.y0, f.x1, f.y1, pal::kPanel);
            c.line(f.midX(), (f.y0 + f.y1) / 2, f.midX() + (frame % 9) * 3 - 12, f.y0 + 2,
                   pal::kGroupMark.first);
            break;
    }
}

// Sooty: every other pixel of the upper part, or all of it when burnt through; crumbled pixels
// of a burnt thing go.
void Char(Canvas& c, int amount, int salt) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            if (c.at(x, y) == 0) continue;
            const std::uint32_t n = Noise(x, y, salt);
            if (amount >= 3 && n % 5 == 0) {
                c.set(x, y, 0);
            } else if (amount >= 2 || (n % 3 == 0 && y < c.height() * 2 / 3)) {
                c.set(x, y, pal::kAsh[static_cast<int>(n % 6)]);
            }
        }
}

void Flames(Canvas& c, int fromX, int toX, int base, int frame) {
    // Tongues of fire a third to two thirds of the height, with the charred thing between them.
    for (int x = fromX; x <= toX; ++x) {
        if (Noise(x / 4, frame, 6) % 3 == 0) continue;
        const auto third = static_cast<std::uint32_t>(base / 3 + 1);
        const int h = base / 3 + static_cast<int>(Noise(x / 3, frame, 7) % third);
        for (int k = 0; k < h; ++k) {
            if (Noise(x, k, frame) % 4 == 0) continue;
            c.set(x, base - k, FlameColour(k, h));
        }
    }
}

std::vector<AffFrame> Frames(const SonderObjSet& set, const SonderObjLook& look) {
    const int count = std::max<int>(set.frames, look.frames);
    std::vector<AffFrame> frames;
    int w = 0;
    int h = 0;
    for (const PictureSize& s : kOwnSizes)
        if (s.path == set.path) {
            w = s.w;
            h = s.h;
        }
    if (w == 0) {
        w = set.box[2] + 1 + set.box[0];
        h = set.box[3] + 2;
    }
    const Foot foot{set.box[0], set.box[1], set.box[2], set.box[3]};
    // The picture's top-left lies at (dx, dy) from the object's position.
    const int dx = set.moved ? set.dx : 0;
    const int dy = set.moved ? set.dy : 0;
    for (int f = 0; f < count; ++f) {
        Canvas thing(w, h);
        if (look.look != Look::kTransparent) {
            // Spilt liquids lie flat and cast no shadow.
            const bool flat = look.style == Style::kBlood || look.style == Style::kPuddle;
            if (set.boxRule == SobjBox::kFixed && !flat)
                thing.fillRect(foot.x0, foot.y0, foot.w(), foot.y1 - foot.y0 + 1, pal::kShadow[1]);
            DrawThing(thing, look.style, foot,
                      look.look == Look::kStates || look.look == Look::kAnimated ||
                              look.look == Look::kBurning
                          ? f
                          : 0);
        }
        switch (look.look) {
            case Look::kBurning:
                Char(thing, 2, 11);
                break;
            case Look::kHalfBurned:
                Char(thing, 1, 12);
                break;
            case Look::kBurnt:
                Char(thing, 3, 13);
                break;
            case Look::kWreck:
                // The crashed tractor has not burnt: its dents are drawn with it.
                if (look.style != Style::kTractor) Char(thing, 1, 14);
                break;
            default:
                break;
        }
        if (look.look == Look::kStates)
            thing.fillRect(foot.x0, foot.y0, 1 + f, 1, pal::kWhite.first);
        Canvas picture(w - dx, h - dy);
        picture.draw(thing, -dx, -dy);
        if (look.look == Look::kBurning)
            Flames(picture, std::max(0, foot.x0 - dx), std::min(picture.width() - 1, foot.x1 - dx),
                   foot.y1 - dy - 1, f);
        frames.push_back(AffFrame{0, 0, std::move(picture), 0});
    }
    return frames;
}

}  // namespace

bool WriteSonderObjImages(const OutputTree& out) {
    for (const SonderObjSet& set : kSonderObjSets) {
        const SonderObjLook* look = LookOf(set.path);
        if (look == nullptr) continue;  // the helicopter's shadow comes with the vehicles
        std::vector<AffFrame> frames = Frames(set, *look);
        const std::string path(set.path);
        if (path.ends_with(".aff")) {
            if (!out.write(path, MakeAff(frames))) return false;
            continue;
        }
        std::vector<Canvas> canvases;
        for (AffFrame& f : frames) canvases.push_back(std::move(f.image));
        if (!out.write(path, MakeVff(canvases))) return false;
    }
    return true;
}

}  // namespace kv::sampledata
