#include "missions/motorway.h"

#include <optional>

#include "gfx/primitives.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/input/click_orders.h"
#include "movement/befehl_opcodes.h"
#include "movement/collision.h"
#include "movement/unit_type.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::int32_t kPhraseSign = 10;
constexpr std::int32_t kPutUp = 0;
constexpr std::int32_t kTakeDown = 1;
// A lane at this speed or slower stops for anything in time.
constexpr float kSlowLane = 4.0f;
constexpr int kSoundStrike = kFirstMissionSound;
// A person run down is pushed clear along the lane and away from it: +x and -x.
constexpr std::uint8_t kStrikePush = 10;
constexpr std::uint8_t kCivilianBit = 2;
constexpr std::int8_t kSignPersonTyp = 0;

// Where a unit's picture stands now; none without a picture for its frame.
std::optional<Rect16> FrameBox(const UnitHead& u, const AnimSlot& slot) {
    const VffImage* image = UnitFrameImage(slot, u.frame);
    if (image == nullptr) return std::nullopt;
    return Rect16{u.drawX, u.drawY, static_cast<std::int16_t>(u.drawX + image->width - 1),
                  static_cast<std::int16_t>(u.drawY + image->height - 1)};
}

// A P01 at the roadside is struck only where the two pictures really overlap.
bool PicturesOverlap(const Fahrzeug& car, const Person& p) {
    const std::optional<Rect16> a = FrameBox(car, FahrzeugAnim(car));
    const std::optional<Rect16> b = FrameBox(p, PersonAnimSlot(p.type, p.direction, p.anim));
    return a && b && RectsIntersect(*a, *b) != 0;
}

std::uint8_t StrikePerson(const Fahrzeug& car, std::uint16_t index) {
    Person* p = UsedPersonAt(index);
    if (p == nullptr) return 1;
    const auto person = static_cast<std::int16_t>(index);
    if (p->casualty != 0) {
        // A body already lying on the lane is not killed a second time.
        if (p->energy < 1) return 0;
        CountDeath(*p);
        p->deadTicks = kNeverRevivable;
        PlaySoundFx(kSoundStrike, kOwnerPerson, person, 0, 0, 0, kSoundDepth);
        PushPersonFree(person, kStrikePush);
        return 0;
    }
    if (p->type == kSignPersonTyp && !PicturesOverlap(car, *p)) return 0;
    PlaySoundFx(kSoundStrike, kOwnerPerson, person, 0, 0, 0, kSoundDepth);
    InjurePerson(person, 0, kStrikePush, 0);
    return 0;
}

bool CivilianCar(std::uint16_t index) {
    const Fahrzeug* v = UsedFahrzeugAt(index);
    return v != nullptr && (FahrzeugTypOf(*v).unitClass & kCivilianBit) != 0;
}

}  // namespace

std::int16_t MotorwayFarX() {
    return static_cast<std::int16_t>(kCellWidth * MapWidth - 16 * MapHeight + 100);
}

void SetMotorwayLane(ZFWeg& w, std::int32_t fromX, std::int32_t toX, std::int32_t y,
                     std::uint8_t direction, std::int16_t interval, float speed,
                     std::span<const ZFWegTyp> types) {
    w.startX = fromX;
    w.startY = y;
    w.targetX = toX;
    w.targetY = y;
    w.turnX = toX;
    w.turnY = y;
    w.startDir = direction;
    w.interval = interval;
    w.speed = speed;
    SetZFWegTypen(w, types);
}

void TrafficSignOrders(std::int16_t person, std::int16_t slot) {
    Person* p = UsedPersonAt(person);
    const SonderObj* sign = SonderObjAt(slot);
    const SonderObjTyp* t = sign != nullptr ? SonderObjTypAt(sign->type) : nullptr;
    if (p == nullptr || t == nullptr) return;
    const float x = sign->x;
    const float y = sign->y;
    GoalList goals{
        {x + static_cast<float>(t->boxX1), y + static_cast<float>(t->boxY0) - 7.0f, 7, 0},
        {x + static_cast<float>(t->boxX0) - 7.0f, y + static_cast<float>(t->boxY1), 3, 0},
        {x + static_cast<float>(t->boxX0), y + static_cast<float>(t->boxY1) + 7.0f, 1, 0},
        {x + static_cast<float>(t->boxX1) + 7.0f, y + static_cast<float>(t->boxY1), 9, 0},
    };
    GiveOrder(*p, PersonTypOf(*p), kOpGoals, kPhraseSign, std::move(goals));
    if (sign->frame == 0)
        ThenOrder(*p, kOpSonderObjCommand, slot, kPutUp, kSignedRoute, kSignedSlowSpeed);
    else
        ThenOrder(*p, kOpSonderObjCommand, slot, kTakeDown, kSignedRoute, kSignedFullSpeed);
}

bool MotorwayCarStops(std::int16_t car) {
    const Fahrzeug* v = UsedFahrzeugAt(car);
    const std::optional<float> speed = v != nullptr ? ZFWegSpeed(v->link) : std::nullopt;
    return !speed || *speed <= kSlowLane;
}

std::uint8_t MotorwayStrike(std::int16_t car, std::uint8_t kind, std::uint16_t index,
                            std::uint8_t lookAhead) {
    if (MotorwayCarStops(car)) return 1;
    if (lookAhead != 0) return kind == kHitFahrzeug && CivilianCar(index) ? 1 : 0;
    const Fahrzeug& v = *UsedFahrzeugAt(car);
    switch (kind) {
        case kHitFahrzeug:
            if (UsedFahrzeugAt(index) == nullptr) return 1;
            ExplodeFahrzeug(car);
            ExplodeFahrzeug(static_cast<std::int16_t>(index));
            return 0;
        case kHitPerson:
            return StrikePerson(v, index);
        default:
            return 1;
    }
}

}  // namespace kv
