#include "screens/karte_wege.h"

#include "core/mission_points.h"
#include "gfx/image_files.h"
#include "media/speech.h"
#include "media/unit_sounds.h"
#include "mission/panel_pictures.h"
#include "screens/lflug_basis.h"
#include "vehicles/aircraft_befehle.h"
#include "vehicles/drive_in.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::array<KarteStartPoint, 6> KarteStartPoints{};

namespace {

// What a vehicle says as it arrives: the helicopter its phrase 4, the others their phrase 8.
constexpr int kHeliArrivalPhrase = 4;
constexpr int kArrivalPhrase = 8;
constexpr int kHeliSoundLoops = 1;

// The pixel of the road picture's first frame; -1 outside it, or without a picture, where no
// road lies.
int RoadPixel(int x, int y) {
    if (FrameCount(MapWegeImages) == 0) return -1;
    const VffImage& roads = MapWegeImages[0];
    if (x < 0 || y < 0 || x >= roads.width || y >= roads.height) return -1;
    return roads.pixels[static_cast<std::size_t>(y) * roads.width + static_cast<std::size_t>(x)];
}

// The vehicle leaves the map road for the mission world: at its entry point, on its layer, as it
// drives or flies in.
void ArriveFromKarte(std::int16_t index, Fahrzeug& v) {
    v.KarteWeg = -1;
    const MapEntryPoint& entry = v.type == kTypF115 ? WaterEntry : RoadEntry;
    const auto facing = static_cast<std::int8_t>(entry.facing);
    if (v.type == kTypF111) {
        v.storey = kLayerAircraft;
        v.direction = 3;
    } else {
        v.storey = v.type == kTypF203 ? kLayerHelicopter : std::int8_t{0};
        v.direction = facing;
    }
    UpdateFahrzeugDrawPos(v);
    v.present = 1;
    if (v.type == kTypF111) {
        SendFahrzeugIn(index, LflugDropX, LflugDropY);
        return;
    }
    DriveFahrzeugIn(index, entry);
    const std::int8_t speaker = FahrzeugTypOf(v).speaker;
    if (v.type == kTypF203) {
        PlaySpeech(kHeliArrivalPhrase, speaker);
        PlayHeliSound(index, kHeliSoundLoops);
    } else {
        PlaySpeech(kArrivalPhrase, speaker);
    }
    BackFahrzeugOff(index);
}

// One pixel along the road: to the neighbour of the road's colour in the rightmost column that
// has one, topmost within it, never back to where it came from. False where the road ends.
bool StepAlongRoad(Fahrzeug& v, int colour) {
    const int x = v.KarteX;
    const int y = v.KarteY;
    bool found = false;
    int stepX = 0;
    int stepY = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            if (x + dx == v.KartePrevX && y + dy == v.KartePrevY) continue;
            if (RoadPixel(x + dx, y + dy) != colour) continue;
            found = true;
            stepX = dx;
            stepY = dy;
            break;  // the next column
        }
    if (!found) return false;
    v.KartePrevX = v.KarteX;
    v.KartePrevY = v.KarteY;
    v.KarteX = static_cast<std::uint16_t>(x + stepX);
    v.KarteY = static_cast<std::uint16_t>(y + stepY);
    return true;
}

}  // namespace

void FindKarteStartPoints() {
    KarteStartPoints = {};
    if (FrameCount(MapWegeImages) == 0) return;
    const VffImage& roads = MapWegeImages[0];
    // Column by column, each top to bottom: the last pixel of a start colour wins.
    for (int x = 0; x < roads.width; ++x)
        for (int y = 0; y < roads.height; ++y) {
            const int c = RoadPixel(x, y);
            for (std::size_t n = 0; n < KarteStartPoints.size(); ++n)
                if (c == kKarteStartColour + kKarteRoadColourStep * static_cast<int>(n))
                    KarteStartPoints[n] = {static_cast<std::uint16_t>(x),
                                           static_cast<std::uint16_t>(y)};
        }
}

void PlaceFahrzeugOnKarte(std::int16_t index, std::int16_t road) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr || road < 0 || road >= static_cast<std::int16_t>(KarteStartPoints.size()))
        return;
    const KarteStartPoint& start = KarteStartPoints[static_cast<std::size_t>(road)];
    v->KarteWeg = static_cast<std::int8_t>(road);
    v->KarteX = start.x;
    v->KarteY = start.y;
    v->KartePrevX = 0;
    v->KartePrevY = 0;
    v->KarteStepCountdown = static_cast<std::int8_t>(-FahrzeugTypOf(*v).karteStep);
}

void MoveFahrzeugOnKarte(std::int16_t index) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr || v->KarteWeg == -1) return;
    const std::int8_t rate = FahrzeugTypOf(*v).karteStep;
    int steps = rate;
    if (rate < 0) {
        v->KarteStepCountdown = static_cast<std::int8_t>(v->KarteStepCountdown - 1);
        if (v->KarteStepCountdown != 0) return;
        v->KarteStepCountdown = static_cast<std::int8_t>(-rate);
        steps = 1;
    }
    const auto colour =
        static_cast<std::uint8_t>(kKarteRoadColourStep * v->KarteWeg + kKarteRoadColour);
    for (int s = 0; s < steps; ++s) {
        const bool atMarker = v->KarteX == KarteMarker.x && v->KarteY == KarteMarker.y;
        if (atMarker || !StepAlongRoad(*v, colour)) {
            ArriveFromKarte(index, *v);
            return;
        }
    }
}

}  // namespace kv
