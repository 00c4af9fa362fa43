// The stations' rooms: for each of the three stations the staff room ("oben"), the vehicle hall
// ("unten"), the outside with its gate ("aussen"), the gate's frame that hides a leaving vehicle
// ("maske") and the gate opening ("opendoor"); the medium station's blinking lamp; and, in the
// small station's folder, the figures passing the stairs' door. Every picture is drawn in screen
// coordinates, as the station shows it, and fits the station tables: chairs under the seated
// staff, the stairs' door at the door points, the bays at the vehicle places, the gate at the exit.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "generate/basis_art.h"
#include "generate/person_figures.h"
#include "generate/topics.h"
#include "screens/basis.h"
#include "screens/basis_staff_table.h"
#include "screens/basis_views.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kGateHalfWidth = 55;
constexpr int kGateHeight = 60;
constexpr int kGateFrames = 12;
constexpr int kDoorFrames = 12;
constexpr std::uint16_t kFrameDelay = 80;  // milliseconds

struct Box {
    int x, y, w, h;
};

std::string FileOf(std::uint8_t station, std::string_view name) {
    std::string path(kBasisPathTemplates[station]);
    return path.replace(path.find("%s"), 2, name);
}

// The stairs' doorway of the staff room: the door points stand on its sill.
constexpr Box kStairsDoor{296, 108, 30, 44};
// The stairs' door in the hall, above the arrival points.
constexpr Box kHallDoor{294, 212, 28, 44};

Canvas StaffRoom(std::uint8_t station) {
    Canvas c(kWidth, kHeight, pal::kWood[3]);
    for (int y = 60; y < kHeight; y += 12) c.line(0, y, kWidth - 1, y, pal::kWood[2]);
    c.fillRect(0, 0, kWidth, 60, pal::kConcrete[5]);
    for (int x = 40; x < kWidth; x += 120) c.fillRect(x, 18, 60, 28, pal::kSky[3]);
    // Lockers along the left wall, a kitchen corner on the right.
    for (int y = 180; y < 420; y += 22) c.fillRect(20, y, 30, 20, pal::kMetal[4]);
    c.fillRect(560, 380, 70, 90, pal::kLightGrey.first);
    c.fillRect(kStairsDoor.x - 4, kStairsDoor.y - 4, kStairsDoor.w + 8, kStairsDoor.h + 4,
               pal::kConcrete[2]);
    c.fillRect(kStairsDoor.x, kStairsDoor.y, kStairsDoor.w, kStairsDoor.h, pal::kShadow[0]);
    for (int y = kStairsDoor.y + 6; y < kStairsDoor.y + kStairsDoor.h; y += 6)
        c.line(kStairsDoor.x + 2, y, kStairsDoor.x + kStairsDoor.w - 3, y, pal::kGrey[4]);
    // A sign with dark letters: seen through a darkened info box it never reads as part of the
    // box's white text.
    const int signW = Canvas::textWidth("HALLE", 1) + 4;
    c.fillRect(kStairsDoor.x - 4, kStairsDoor.y - 16, signW, Canvas::textHeight(1) + 4,
               pal::kSand[4]);
    c.text(kStairsDoor.x - 2, kStairsDoor.y - 14, "HALLE", 1, pal::kShadow[0]);
    // A chair under every seated figure, its back away from where the figure looks.
    for (const BasisStaffRow& row : kBasisStaff[station]) {
        if (row.storey != kStoreyStaffRoom || row.pose != kStaffSit) continue;
        c.fillRect(row.x - 8, row.y - 8, 16, 10, pal::kTechnicalRamp[2]);
        c.frameRect(row.x - 8, row.y - 8, 16, 10, pal::kTechnicalRamp[0]);
        const int back = row.direction >= 6 ? -1 : 1;  // looking left: the back is right
        c.fillRect(row.x + back * 9 - 2, row.y - 16, 4, 16, pal::kTechnicalRamp[1]);
    }
    return c;
}

Canvas Hall(std::uint8_t station) {
    Canvas c(kWidth, kHeight, pal::kConcrete[4]);
    for (int x = 0; x < kWidth; x += 64) c.line(x, 100, x - 120, kHeight - 1, pal::kConcrete[3]);
    c.fillRect(0, 0, kWidth, 100, pal::kBrick[2]);
    for (int x = 60; x < kWidth; x += 150) c.fillRect(x, 30, 100, 70, pal::kMetal[3]);
    c.fillRect(kHallDoor.x, kHallDoor.y, kHallDoor.w, kHallDoor.h, pal::kShadow[0]);
    c.frameRect(kHallDoor.x - 2, kHallDoor.y - 2, kHallDoor.w + 4, kHallDoor.h + 2, pal::kBrick[1]);
    c.text(kHallDoor.x - 6, kHallDoor.y - 12, "WACHE", 1, pal::kWhite.first);
    // The bays, and the place where the crews gather.
    const Basis& base = kBasisPlates[station];
    for (std::size_t i = 0; i < base.placeCount; ++i) {
        const BasisPlace& p = base.places[i];
        c.frameRect(p.x - 45, p.y - 30, 90, 48, pal::kRoadMarkYellow.first);
        const PlaceNumberSpot number = PlaceNumberAt(p);
        c.text(number.x, number.y, std::to_string(i + 1), 1, pal::kRoadMarkYellow.first);
    }
    const BasisPoint meet = kBasisGatheringPoint;
    c.line(meet.x - 6, meet.y, meet.x + 6, meet.y, pal::kRoadMarkWhite.first);
    c.line(meet.x, meet.y - 6, meet.x, meet.y + 6, pal::kRoadMarkWhite.first);
    return c;
}

Box GateOf(const Basis& base) {
    return {base.exitX - kGateHalfWidth, base.exitY + 15 - kGateHeight, 2 * kGateHalfWidth,
            kGateHeight};
}

// The gate closed, or rolled up to `open` of twelve steps.
void DrawGate(Canvas& c, int x, int y, int open) {
    c.fillRect(x, y, 2 * kGateHalfWidth, kGateHeight, pal::kShadow[1]);
    const int shut = kGateHeight * (kGateFrames - 1 - open) / (kGateFrames - 1);
    for (int row = 0; row < shut; ++row)
        c.line(x, y + row, x + 2 * kGateHalfWidth - 1, y + row,
               row % 6 == 5 ? pal::kFireBrigadeDark.first : pal::kFireBrigadeRed.first);
}

// The station's front: the wall with the gate opening, the drive down to the viewer.
Canvas Outside(const Basis& base, bool wallOnly) {
    const Box gate = GateOf(base);
    const int foot = gate.y + gate.h;
    Canvas c(kWidth, kHeight, wallOnly ? 0 : pal::kGrass[4]);
    if (!wallOnly) {
        c.fillRect(0, 0, kWidth, 60, pal::kSky[4]);
        for (int k = -40; k <= 40; ++k)  // the drive the vehicle leaves along
            c.line(base.exitX + k, foot, base.exitX + k - 170, kHeight - 1, pal::kRoad[2]);
    }
    c.fillRect(60, 60, 520, foot - 60, pal::kBrick[3]);
    for (int y = 64; y < foot; y += 8) c.line(60, y, 579, y, pal::kBrick[1]);
    c.fillRect(40, 40, 560, 20, pal::kRoof[2]);
    c.text(gate.x, gate.y - 24, "FEUERWACHE", 2, pal::kWhite.first);
    c.fillRect(gate.x, gate.y, gate.w, gate.h, 0);
    if (!wallOnly) DrawGate(c, gate.x, gate.y, 0);
    return c;
}

// The part of the wall from the mask point on that a leaving vehicle passes behind.
Canvas Mask(const Basis& base) {
    const Canvas wall = Outside(base, true);
    const Box gate = GateOf(base);
    Canvas c(gate.x + gate.w + 40 - base.maskX, gate.y + gate.h - base.maskY);
    c.draw(wall, -base.maskX, -base.maskY);
    return c;
}

std::vector<AffFrame> GateOpening(const Basis& base) {
    const Box gate = GateOf(base);
    std::vector<AffFrame> frames;
    for (int k = 0; k < kGateFrames; ++k) {
        Canvas c(gate.w, gate.h);
        DrawGate(c, 0, 0, k);
        frames.push_back({static_cast<std::int16_t>(gate.x), static_cast<std::int16_t>(gate.y),
                          std::move(c), kFrameDelay});
    }
    return frames;
}

// The medium station's blue lamp over its gate.
std::vector<AffFrame> BlinkingLamp(const Basis& base) {
    const Box gate = GateOf(base);
    std::vector<AffFrame> frames;
    for (const std::uint8_t colour : {pal::kBlueLight2.first, pal::kShadow[0]}) {
        Canvas c(12, 8, colour);
        // Stepped in at (10, 10): right of the sign, above the mask, which would hide it.
        frames.push_back({static_cast<std::int16_t>(gate.x + gate.w),
                          static_cast<std::int16_t>(base.maskY - 20 - 10), std::move(c), 300});
    }
    return frames;
}

Look DoorLook(std::size_t type) {
    if (type == 4) return Look{pal::kMedicRamp, pal::kMedicRamp[2], Headgear::Hair, pal::kHair[0]};
    if (type == 0)
        return Look{pal::kTechnicalRamp, pal::kTechnicalRamp[0], Headgear::Helmet, pal::kOrange[4]};
    return Look{pal::kFireBrigadeRamp, pal::kFireBrigadeDark.first, Headgear::Helmet, pal::kGold[4],
                pal::kYellow[5]};
}

// A figure sinking into the stairs (going down) or rising out of them (arriving), its feet at
// the door point or the arrival point; the stairs cut it at the sill.
std::vector<AffFrame> DoorFigure(std::size_t type, BasisPoint at, bool arriving) {
    constexpr int kW = 24;
    constexpr int kSill = 38;
    std::vector<AffFrame> frames;
    for (int k = 0; k < kDoorFrames; ++k) {
        const int sunk = 3 * (arriving ? kDoorFrames - 1 - k : k);
        Canvas figure(kW, kSill + 40);
        DrawFigure(figure, kW / 2, kSill + sunk, arriving ? 7 : 1, DoorLook(type), {});
        Canvas c(kW, kSill);
        c.draw(figure, 0, 0);
        // Drawn at its offset plus (10, 10).
        frames.push_back({static_cast<std::int16_t>(at.x - kW / 2 - 10),
                          static_cast<std::int16_t>(at.y - kSill - 10), std::move(c), kFrameDelay});
    }
    return frames;
}

}  // namespace

bool WriteBasen(const OutputTree& out) {
    for (std::uint8_t station = 0; station < kBasisPathTemplates.size(); ++station) {
        const Basis& base = kBasisPlates[station];
        const std::vector<Canvas> oben{StaffRoom(station)};
        const std::vector<Canvas> unten{Hall(station)};
        const std::vector<Canvas> aussen{Outside(base, false)};
        const std::vector<Canvas> maske{Mask(base)};
        if (!out.write(FileOf(station, "oben.vff"), MakeVff(oben)) ||
            !out.write(FileOf(station, "unten.vff"), MakeVff(unten)) ||
            !out.write(FileOf(station, "aussen.vff"), MakeVff(aussen)) ||
            !out.write(FileOf(station, "maske.vff"), MakeVff(maske)) ||
            !out.write(FileOf(station, "opendoor.aff"), MakeAff(GateOpening(base))))
            return false;
        if (base.type == kBasisMedium &&
            !out.write(FileOf(station, "ani.aff"), MakeAff(BlinkingLamp(base))))
            return false;
    }
    for (std::size_t t = 0; t < kBasisDoorTypes; ++t) {
        const BasisDoor& door = kBasisDoors[t];
        if (!out.write(door.goingDown, MakeAff(DoorFigure(t, door.door, false))) ||
            !out.write(door.arriving, MakeAff(DoorFigure(t, door.arrival, true))))
            return false;
    }
    return true;
}

}  // namespace kv::sampledata
