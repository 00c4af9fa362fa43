#include "vehicles/aircraft_befehle.h"

#include <array>
#include <cmath>

#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr float kFlightLineAbove = 100.0f;
// The first fly-in order ends this many ticks' flight short of the target.
constexpr float kLeadTicks = 7.0f;

constexpr std::int8_t kAnimFly = 1;
constexpr std::int8_t kAnimDrop = 2;
constexpr int kSoundEngine = 66;

// The water leaves the aircraft from this frame of the drop on.
constexpr std::uint8_t kFirstWetFrame = 11;
constexpr std::int32_t kWaterPerPoint = 40000;
struct Offset {
    std::int16_t dx;
    std::int16_t dy;
};
constexpr std::array<Offset, 5> kDropPoints{{{0, 0}, {-64, 0}, {64, 0}, {32, -56}, {-32, 56}}};
// A person within this distance of the target is hit by the water: hardest at the centre.
constexpr std::int32_t kHitRadius = 200;
constexpr std::int32_t kHitPerPixel = 100;

// One tick's flight.
void FlyOn(Fahrzeug& v) {
    v.x += FahrzeugTypOf(v).speed;
    UpdateFahrzeugDrawPos(v);
}

// The drop's last frame, on the last tick it shows.
bool DropEnded(const Fahrzeug& v) {
    const AnimSlot& slot = FahrzeugAnim(v);
    const int lastTick = slot.delay > 0 ? slot.delay - 1 : 0;
    return slot.frames > 0 && v.frame == slot.frames - 1 && v.frameTimer == lastTick;
}

void DropWater(std::int16_t a, std::int16_t b) {
    for (const Offset& o : kDropPoints)
        ApplyWasser(static_cast<std::int16_t>(a + o.dx), static_cast<std::int16_t>(b + o.dy),
                    kWaterPerPoint, -1, -1);
    for (Person& p : Personen) {
        if (p.type == -1 || p.offMap != 0 || p.present == 0 || p.casualty != 0) continue;
        const std::int32_t d =
            DistanceInt(a, b, static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y));
        if (d < kHitRadius) p.energy += d * kHitPerPixel - kHitRadius * kHitPerPixel;
    }
}

}  // namespace

void SendFahrzeugIn(std::int16_t vehicle, std::int16_t x, std::int16_t y) {
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr) return;
    const FahrzeugTyp& typ = FahrzeugTypOf(*v);
    const float line = static_cast<float>(y) - kFlightLineAbove;
    // Without its picture the aircraft starts at the edge itself.
    const AnimSlot& slot = FahrzeugAnim(*v);
    const int width =
        slot.images != nullptr && v->frame < slot.frames ? slot.images[v->frame].width : 0;
    v->x = static_cast<float>(-width);
    v->y = line;
    UpdateFahrzeugDrawPos(*v);
    const auto lineY = static_cast<std::int32_t>(line);
    const auto approachX =
        static_cast<std::int32_t>(static_cast<float>(x) - kLeadTicks * typ.speed);
    SetBefehl(*v, typ, kOpFlyAlong, -1, approachX, lineY, 0, 0, 0);
    AppendBefehl(*v, kOpWaterDrop, x, y, 0, 0, 1);
    AppendBefehl(*v, kOpFlyAlong, WorldMaxX, lineY, 0, 0, 1);
    AppendBefehl(*v, kOpLeave, 0, 0, 0, 0, 1);
}

void RunFahrzeugBefehl49(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    if (FirstBefehlTick(*v->orders)) {
        SetFahrzeugAnim(index, kAnimFly);
        PlaySoundFx(kSoundEngine, kOwnerFahrzeug, index, 1, 0, 0, kSoundDepth);
    }
    FlyOn(*v);
    if (v->drawX >= v->orders->aInt()) PopBefehl(*v);
}

void RunFahrzeugBefehl50(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    if (FirstBefehlTick(order)) SetFahrzeugAnim(index, kAnimDrop);
    FlyOn(*v);
    // The tick that ends the drop drops nothing more.
    if (v->drawX >= WorldMaxX || DropEnded(*v)) {
        PopBefehl(*v);
        return;
    }
    if (v->frame >= kFirstWetFrame)
        DropWater(static_cast<std::int16_t>(order.aInt()), static_cast<std::int16_t>(order.bInt()));
}

}  // namespace kv
