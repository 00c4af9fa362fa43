// The helicopter base, the airfield and the ship base: their views drawn to fit the places, the
// staff spots and walks, the aircraft's rectangle and the live view that the screens use, the
// looping radar and water, and the target choice's frame.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "generate/topics.h"
#include "screens/basis.h"
#include "screens/heli_basis.h"
#include "screens/lflug_basis.h"
#include "screens/schiff_basis.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/pixel_noise.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kViewW = 640;
constexpr int kViewH = 480;
// The airfield's pictures stand at the view's corner: a screen point lies 10 pixels further.
constexpr int kCorner = 10;

const BasisPlace& HeliPlace() {
    return kBasisPlates[kBasisHeli].places[0];
}
const BasisPlace& BoatPlace() {
    return kBasisPlates[kBasisSchiff].places[0];
}

// Ground with a little grain.
void Grain(Canvas& c, int x, int y, int w, int h, std::uint8_t base, std::uint8_t spot, int salt) {
    c.fillRect(x, y, w, h, base);
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (PixelNoise(i, j, salt) % 11 == 0) c.set(i, j, spot);
}

// The helicopter base's ground: grass, the apron with its pad under the place, the crew building
// in the upper right with its door on the walk to the pad.
Canvas HeliGround() {
    Canvas c(kViewW, kViewH);
    Grain(c, 0, 0, kViewW, kViewH, pal::kGrass[4], pal::kGrass[2], 31);
    Grain(c, 180, 190, 420, 260, pal::kConcrete[4], pal::kConcrete[3], 32);
    const BasisPlace& pad = HeliPlace();
    c.fillCircle(pad.x, pad.y + 20, 70, pal::kConcrete[6]);
    c.circle(pad.x, pad.y + 20, 66, pal::kWhite.first);
    c.circle(pad.x, pad.y + 20, 65, pal::kWhite.first);
    c.text(pad.x - 15, pad.y + 3, "H", 5, pal::kWhite.first);
    // The walk from the building's door down to the gathering point beside the pad.
    const auto& walk = kHeliPaths.paths[0];
    c.line(walk.points[0].x, walk.points[0].y, walk.points[1].x, walk.points[1].y,
           pal::kConcrete[2]);
    c.line(walk.points[1].x, walk.points[1].y, kHeliGatheringPoint.x, kHeliGatheringPoint.y,
           pal::kConcrete[2]);
    c.fillRect(kHeliGatheringPoint.x - 12, kHeliGatheringPoint.y - 4, 24, 8, pal::kYellow[3]);
    c.text(20, 440, "LUFTRETTUNG", 2, pal::kWhite.first);
    return c;
}

// The crew building: walls, and inside (open) the room with the couch where the medic sits and
// the spot where the stretcher team stands, or (closed) its roof.
void HeliBuilding(Canvas& c, bool open) {
    c.fillRect(430, 40, 190, 140, pal::kBrick[2]);
    c.fillRect(438, 48, 174, 124, open ? pal::kWood[3] : pal::kRoof[2]);
    c.fillRect(437, 168, 24, 12, pal::kGrey[4]);  // the door on the walk
    if (!open) {
        for (int y = 56; y < 172; y += 12) c.line(438, y, 611, y, pal::kRoof[4]);
        c.text(470, 100, "WACHE", 2, pal::kWhite.first);
        return;
    }
    const BasisStaffRow& medic = kHeliStaff[0];
    const BasisStaffRow& team = kHeliStaff[1];
    c.fillRect(medic.x - 16, medic.y - 8, 34, 16, pal::kTechnicalBlue.first);  // the couch
    c.fillRect(medic.x - 16, medic.y - 14, 34, 6, pal::kTechnicalRamp[1]);
    c.fillRect(team.x - 10, team.y + 4, 20, 4, pal::kYellow[2]);  // a mark on the floor
    c.fillRect(560, 56, 44, 30, pal::kMetal[3]);                  // lockers
    for (int x = 564; x < 604; x += 10) c.line(x, 58, x, 84, pal::kMetal[6]);
    c.fillRect(450, 60, 40, 24, pal::kWood[5]);  // the desk with the radio
    c.fillRect(458, 64, 12, 8, pal::kPanelDark.first);
}

std::vector<Canvas> HeliOben() {
    Canvas c = HeliGround();
    HeliBuilding(c, true);
    return {c};
}

std::vector<Canvas> HeliUnten() {
    Canvas c = HeliGround();
    HeliBuilding(c, false);
    return {c};
}

// The airfield's apron, the tower with its radar, and the aircraft ready in its rectangle.
constexpr int kRadarX = 70;
constexpr int kRadarY = 22;
constexpr int kRadarW = 44;
constexpr int kRadarH = 20;

void Tower(Canvas& c) {
    c.fillRect(60, 44, 64, 140, pal::kConcrete[6]);
    c.fillRect(52, 44, 80, 26, pal::kGlass[2]);
    c.frameRect(52, 44, 80, 26, pal::kMetal[2]);
    c.fillRect(kRadarX, kRadarY, kRadarW, kRadarH, pal::kSky[4]);
}

Canvas Aircraft(int w, int h, int frame) {
    Canvas c(w, h);
    const int body = h / 2;
    c.fillRect(8, body - 6, w - 22, 14, pal::kYellow[4]);              // fuselage
    c.fillRect(w - 14, body - 4, 10, 10, pal::kFireBrigadeRed.first);  // nose
    c.fillRect(w / 2 - 14, 4, 26, h - 8, pal::kFireBrigadeRed.first);  // wings from above
    c.fillRect(2, body - 16, 12, 12, pal::kYellow[2]);                 // tail fin
    c.fillRect(w / 2 - 4, body - 4, 16, 6, pal::kGlass[3]);            // cockpit
    const int prop = w - 3;
    if (frame == 0)
        c.line(prop, body - 12, prop, body + 12, pal::kGrey[2]);
    else
        c.line(prop - 2, body - 2, prop + 2, body + 4, pal::kGrey[2]);
    return c;
}

std::vector<Canvas> LflugAuswahl() {
    Canvas c(kViewW, kViewH);
    Grain(c, 0, 0, kViewW, kViewH, pal::kGrass[4], pal::kGrass[2], 41);
    Grain(c, 150, 200, 460, 200, pal::kConcrete[4], pal::kConcrete[3], 42);
    Tower(c);
    const Rect& r = kLflugAircraftRect;
    c.frameRect(r.left - kCorner, r.top - kCorner, r.right - r.left, r.bottom - r.top,
                pal::kYellow[5]);
    c.draw(Aircraft(r.right - r.left - 10, r.bottom - r.top - 40, 0), r.left - kCorner + 5,
           r.top - kCorner + 20);
    c.text(160, 420, "FLUGPLATZ", 2, pal::kWhite.first);
    c.text(160, 444, "LOESCHFLUGZEUG ANKLICKEN", 1, pal::kWhite.first);
    return {c};
}

// The radar's antenna turning: opaque frames over the tower's sky.
std::vector<AffFrame> Radar() {
    std::vector<AffFrame> frames;
    for (int k = 0; k < 6; ++k) {
        Canvas c(kRadarW, kRadarH, pal::kSky[4]);
        const int reach = (k < 3 ? k : 6 - k) * 6 + 4;
        c.fillRect(kRadarW / 2 - 1, 8, 3, kRadarH - 8, pal::kMetal[2]);
        c.fillRect(kRadarW / 2 - reach, 4, 2 * reach, 4, pal::kMetal[5]);
        frames.push_back({kRadarX, kRadarY, std::move(c), 150});
    }
    return frames;
}

// The take-off: the runway across the view, the hangar at the left with the pillar that the mask
// draws over the aircraft as it rolls out.
constexpr int kMaskW = 36;
constexpr int kMaskH = 90;
constexpr int kPlaneW = 130;
constexpr int kPlaneH = 70;

std::vector<Canvas> LflugStart() {
    Canvas c(kViewW, kViewH);
    Grain(c, 0, 0, kViewW, kViewH, pal::kGrass[4], pal::kGrass[2], 43);
    const int runwayTop = static_cast<int>(kLflugStartY) - kCorner - 10;
    Grain(c, 0, runwayTop, kViewW, kPlaneH + 20, pal::kConcrete[3], pal::kConcrete[2], 44);
    for (int x = 10; x < kViewW; x += 40)
        c.fillRect(x, runwayTop + (kPlaneH + 20) / 2, 20, 3, pal::kWhite.first);
    c.fillRect(20, runwayTop - 40, 190, kPlaneH + 60, pal::kMetal[2]);  // the hangar
    c.fillRect(30, runwayTop - 30, 170, kPlaneH + 40, pal::kMetal[1]);
    Tower(c);
    return {c};
}

std::vector<Canvas> LflugMask() {
    Canvas c(kMaskW, kMaskH, pal::kMetal[4]);
    c.frameRect(0, 0, kMaskW, kMaskH, pal::kMetal[1]);
    for (int y = 6; y < kMaskH; y += 12) c.line(4, y, kMaskW - 5, y, pal::kMetal[6]);
    return {c};
}

std::vector<Canvas> LflugPlane() {
    return {Aircraft(kPlaneW, kPlaneH, 0), Aircraft(kPlaneW, kPlaneH, 1)};
}

// The target choice's frame, drawn at (198, 10) of the airfield's picture: a frame around the
// live view with a title over it, transparent inside.
std::vector<Canvas> ZielWahlFrame() {
    constexpr int w = 380;
    constexpr int h = 360;
    const int left = kLiveViewX - kZielFrameX;
    const int top = kLiveViewY - kZielFrameY;
    const int right = left + 315;
    const int bottom = top + 235;
    Canvas c(w, h);
    c.fillRect(left - 8, top - 8, right - left + 16, bottom - top + 16, pal::kPanel[3]);
    c.fillRect(left, top, right - left, bottom - top, 0);
    c.frameRect(left - 8, top - 8, right - left + 16, bottom - top + 16, pal::kLightGrey.first);
    c.frameRect(left - 1, top - 1, right - left + 2, bottom - top + 2, pal::kPanelDark.first);
    c.fillRect(left - 8, top - 50, right - left + 16, 34, pal::kPanel[3]);
    c.frameRect(left - 8, top - 50, right - left + 16, 34, pal::kLightGrey.first);
    c.text(left + 40, top - 42, "ABWURFZIEL", 2, pal::kWhite.first);
    return {c};
}

// The harbour: water along the bottom leading out to the right, the quay, the boathouse.
constexpr int kWaveX = 300;
constexpr int kWaveY = 450;
constexpr int kWaveW = 330;
constexpr int kWaveH = 24;

std::vector<Canvas> SchiffUnten() {
    Canvas c(kViewW, kViewH);
    Grain(c, 0, 0, kViewW, kViewH, pal::kConcrete[4], pal::kConcrete[3], 51);
    const BasisPlace& place = BoatPlace();
    const int waterTop = place.y - 90;
    c.fillRect(160, waterTop, kViewW - 160, kViewH - waterTop, pal::kWater[3]);
    c.fillRect(150, waterTop - 12, kViewW - 150, 12, pal::kConcrete[6]);  // the quay's edge
    c.fillRect(150, 60, 300, waterTop - 72, pal::kBrick[2]);              // the boathouse
    c.fillRect(160, 70, 280, waterTop - 92, pal::kRoof[3]);
    c.text(200, 130, "HAFEN", 3, pal::kWhite.first);
    for (int x = 180; x < kViewW; x += 60) c.fillRect(x, waterTop - 18, 8, 8, pal::kWood[2]);
    return {c};
}

// Opaque strips of water with their highlights moving right.
std::vector<AffFrame> SchiffWater() {
    std::vector<AffFrame> frames;
    for (int k = 0; k < 4; ++k) {
        Canvas c(kWaveW, kWaveH, pal::kWater[3]);
        for (int x = k * 8; x < kWaveW; x += 32) {
            c.line(x, 6, x + 10, 6, pal::kWater[6]);
            c.line(x + 16, 16, x + 24, 16, pal::kWater[5]);
        }
        frames.push_back({kWaveX, kWaveY, std::move(c), 200});
    }
    return frames;
}

std::string In(const char* pathTemplate, const char* file) {
    std::string path = pathTemplate;
    return path.replace(path.find("%s"), 2, file);
}

}  // namespace

bool WriteTwinBasen(const OutputTree& out) {
    return out.write(In(kHeliPathTemplate, "oben.vff"), MakeVff(HeliOben())) &&
           out.write(In(kHeliPathTemplate, "unten.vff"), MakeVff(HeliUnten())) &&
           out.write(In(kLflugPathTemplate, "auswahl.vff"), MakeVff(LflugAuswahl())) &&
           out.write(In(kLflugPathTemplate, "radar.aff"), MakeAff(Radar())) &&
           out.write(In(kLflugPathTemplate, "start.vff"), MakeVff(LflugStart())) &&
           out.write(In(kLflugPathTemplate, "maske.vff"), MakeVff(LflugMask())) &&
           out.write(In(kLflugPathTemplate, "flugzeug.vff"), MakeVff(LflugPlane())) &&
           out.write(kZielWahlPicture, MakeVff(ZielWahlFrame())) &&
           out.write(In(kSchiffPathTemplate, "unten.vff"), MakeVff(SchiffUnten())) &&
           out.write(In(kSchiffPathTemplate, "ani.aff"), MakeAff(SchiffWater()));
}

}  // namespace kv::sampledata
