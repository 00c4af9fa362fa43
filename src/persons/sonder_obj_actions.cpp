#include "persons/sonder_obj_actions.h"

#include <cstdlib>
#include <optional>

#include "core/befehl_callbacks.h"
#include "core/selection.h"
#include "gfx/image_files.h"
#include "media/sound_slots.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint8_t kAnimWork = 2;
constexpr int kWorkSound = kSoundCrowd;
constexpr std::int8_t kEmptyStretcherTeam = 5;
constexpr float kLyingHeight = 16.0f;
constexpr float kLyingDx = 12.0f;
constexpr float kLyingDy = 10.0f + 16.0f;

int Trunc(float v) {
    return static_cast<int>(v);
}

// An object in use with what its spots are measured from.
struct Measured {
    SonderObj* object = nullptr;
    const SonderObjTyp* typ = nullptr;
    int ox = 0;
    int oy = 0;
    int width = 0;  // of the first frame
};

std::optional<Measured> MeasureSonderObj(std::int32_t slot) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return std::nullopt;
    const SonderObjTyp* t = SonderObjTypAt(o->type);
    if (t == nullptr) return std::nullopt;
    return Measured{o, t, Trunc(o->x), Trunc(o->y), t->frames != nullptr ? t->frames[0].width : 0};
}

PixelPos SpotPoint(const SonderObjSpot& spot, const Measured& m) {
    const SonderObjTyp& t = *m.typ;
    int x = spot.dx;
    switch (spot.x) {
        case SpotX::Origin:
            x += m.ox;
            break;
        case SpotX::BoxLeft:
            x += m.ox + t.boxX0;
            break;
        case SpotX::BoxRight:
            x += m.ox + t.boxX1;
            break;
        case SpotX::HalfWidth:
            x += m.ox + m.width / 2;
            break;
        case SpotX::BoxRightNineTenth:
            x += m.ox + t.boxX1 * 9 / 10;
            break;
        case SpotX::WidthSevenTenth:
            x += m.ox + m.width * 7 / 10;
            break;
        case SpotX::Fixed:
            break;
    }
    int y = spot.dy;
    switch (spot.y) {
        case SpotY::Origin:
            y += m.oy;
            break;
        case SpotY::BoxTop:
            y += m.oy + t.boxY0;
            break;
        case SpotY::BoxBottom:
            y += m.oy + t.boxY1;
            break;
        case SpotY::Fixed:
            break;
    }
    return {x, y};
}

// The spot for the person's facing among those given; none for a facing without one.
template <std::size_t N>
std::optional<PixelPos> SpotFor(const std::array<SonderObjSpot, N>& spots, std::size_t count,
                                const Person& p, const Measured& m) {
    for (std::size_t i = 0; i < count && i < N; ++i)
        if (spots[i].facing == p.direction) return SpotPoint(spots[i], m);
    return std::nullopt;
}

bool OnSpot(const std::optional<PixelPos>& spot, const Person& p) {
    return spot.has_value() && PersonStandsAt(p, spot->x, spot->y);
}

bool WorkRuleMet(std::int32_t rule, const Person& p, const Measured& m) {
    const std::int32_t row = rule - kFirstWorkRule;
    if (row < 0 || row >= static_cast<std::int32_t>(kWorkRules.size())) return true;
    const WorkRule& r = kWorkRules[static_cast<std::size_t>(row)];
    const std::optional<PixelPos> spot = SpotFor(r.spots, r.count, p, m);
    return spot.has_value() && (r.anyPoint || OnSpot(spot, p));
}

// The person's point lies in the object's hit box grown by the margin, bounds included.
bool InGrownBox(const Person& p, const Measured& m) {
    const SonderObj& o = *m.object;
    const float margin = kBoxMargin;
    const int x = Trunc(p.x);
    const int y = Trunc(p.y);
    return x >= Trunc(o.x + static_cast<float>(m.typ->boxX0) - margin) &&
           x <= Trunc(o.x + static_cast<float>(m.typ->boxX1) + margin) &&
           y >= Trunc(o.y + static_cast<float>(m.typ->boxY0) - margin) &&
           y <= Trunc(o.y + static_cast<float>(m.typ->boxY1) + margin);
}

bool Near(const Person& p, int x, int y, int reachX, int reachY) {
    return std::abs(Trunc(p.x) - x) <= reachX && std::abs(Trunc(p.y) - y) <= reachY;
}

// Counts a work order's cycles down by one at a start of the animation; true when none is left.
bool WorkDone(const Person& p, std::uint32_t& cycles) {
    return AtCycleStart(p) && CountDown(cycles) <= 0;
}

}  // namespace

std::optional<PixelPos> SonderObjSpotPoint(std::int32_t slot, const SonderObjSpot& spot) {
    const std::optional<Measured> m = MeasureSonderObj(slot);
    if (!m) return std::nullopt;
    return SpotPoint(spot, *m);
}

void WorkAtSonderObj(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const std::int32_t slot = order.aInt();
    const std::optional<Measured> m = MeasureSonderObj(slot);
    if (p.anim == kAnimWork) {
        if (!m) {
            // The object went during the work: nothing is left to call back about.
            SetPersonAnim(index, kAnimStand);
            PopBefehl(p);
            return;
        }
        if (!WorkDone(p, order.c)) return;
        SetPersonAnim(index, kAnimStand);
        const auto callback = static_cast<std::int32_t>(order.e);
        // Popped first (its clean-up stops the looping sound), so that orders the callback gives
        // the worker stay.
        PopBefehl(p);
        if (const BefehlCallback done = CallbackAt(callback)) done(slot, index);
        return;
    }
    if (!m || (order.bInt() != -1 && m->object->type != order.bInt()) ||
        !WorkRuleMet(order.dInt(), p, *m)) {
        ClearBefehle(p);
        return;
    }
    SetPersonAnim(index, kAnimWork);
    PlaySoundFx(kWorkSound, kOwnerPerson, index, 1, 0, 0, kSoundDepth);
}

void RunPersonBefehl158(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const std::int32_t slot = order.aInt();
    const std::optional<Measured> m = MeasureSonderObj(slot);
    if (!m || m->object->type != order.bInt()) {
        ClearBefehle(p);
        return;
    }
    if (p.anim == kAnimWork) {
        if (!WorkDone(p, order.c)) return;
        SetPersonAnim(index, kAnimStand);
        FreeSonderObjSlot(slot);
        PopBefehl(p);
        return;
    }
    if (!OnSpot(SpotFor(kReleaseSpots, kReleaseSpots.size(), p, *m), p)) {
        ClearBefehle(p);
        return;
    }
    SetPersonAnim(index, kAnimWork);
}

void RunPersonBefehl192(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    const std::int32_t slot = order.aInt();
    const std::optional<Measured> m = MeasureSonderObj(slot);
    const std::optional<PixelPos> spot =
        m ? SpotFor(kCommandSpots, kCommandSpots.size(), p, *m) : std::nullopt;
    if (!spot || !Near(p, spot->x, spot->y, kCommandReach, kCommandReach)) {
        ClearBefehle(p);
        return;
    }
    const auto c = static_cast<std::uint16_t>(order.c);
    const auto d = static_cast<std::uint16_t>(order.d);
    if (order.bInt() == 0)
        SetSonderObjCommand(slot, kCmdOpen, c, d, 0);
    else if (order.bInt() == 1)
        SetSonderObjCommand(slot, kCmdClose, c, d, 0);
    PopBefehl(p);
}

void RunPersonBefehl196(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int32_t slot = p.orders->aInt();
    const std::optional<Measured> m = MeasureSonderObj(slot);
    bool there = m.has_value();
    if (there) {
        switch (p.orders->bInt()) {
            case 0:
                there = Near(p, kRemovePointX, kRemovePointY, kRemoveReachX, kRemoveReachY);
                break;
            case 1:
                there = InGrownBox(p, *m);
                break;
            default:
                break;
        }
    }
    if (!there) {
        ClearBefehle(p);
        return;
    }
    FreeSonderObjSlot(slot);
    PopBefehl(p);
}

void RunPersonBefehl223(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::optional<Measured> m = MeasureSonderObj(p.orders->aInt());
    const std::int32_t frame = p.orders->bInt();
    // Any frame the loaded file holds, as the drawer shows it: a switch's second state is a
    // frame of its file, not of its animation.
    if (!m || frame < 0 || static_cast<std::size_t>(frame) >= FrameCount(m->typ->frames) ||
        !InGrownBox(p, *m)) {
        ClearBefehle(p);
        return;
    }
    m->object->frame = static_cast<std::int16_t>(frame);
    PopBefehl(p);
}

void RunPersonBefehl201(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.anim == kAnimWalk) SetPersonAnim(index, kAnimStand);
    const std::int32_t facing = p.orders->aInt();
    const std::int32_t slot = p.orders->bInt();
    SonderObj* o = SonderObjAt(slot);
    const std::int32_t patientIndex = DecodePersonLink(p.link).index;
    Person* patient = LinkedPartner(p.link);
    if (p.direction != facing || o == nullptr || o->type == -1 || o->user != -1 ||
        patient == nullptr) {
        ClearBefehle(p);
        return;
    }
    patient->direction = static_cast<std::int8_t>(facing);
    patient->height = kLyingHeight;
    patient->x = o->x + kLyingDx;
    patient->y = o->y + kLyingDy;
    UpdatePersonDrawPos(*patient);
    patient->offMap = 0;
    patient->link = kOnSonderObjLink;
    o->user = static_cast<std::int16_t>(patientIndex);
    p.link = kNoLink;
    p.type = kEmptyStretcherTeam;
    SetPersonAnim(index, kAnimStand);
    UpdateSelectionMode();
    PopBefehl(p);
}

}  // namespace kv
