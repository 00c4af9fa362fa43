#include "world/sonder_obj.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/unit_views.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/materials.h"
#include "world/sonder_obj_sets.h"

namespace kv {

std::vector<SonderObjTyp> SonderObjTypen;
std::int16_t SonderObjTypCount = 0;
std::vector<SonderObj> SonderObjs;
std::int16_t SonderObjCount = 0;
std::int16_t FixedSonderObjCount = 0;

namespace {

// Keeps the instance count within i16 whatever fixed count a mission gives.
constexpr int kMaxFixedSonderObj = 32767 - kSonderObjFahrzeugSlots - kSonderObjSpareSlots;

bool PlaceOf(std::int16_t index, SonderObjPlace& out) {
    const SonderObj* o = SonderObjAt(index);
    if (o == nullptr || o->type == -1) return false;
    out.type = o->type;
    out.x = o->x;
    out.y = o->y;
    const SonderObjTyp* t = SonderObjTypAt(o->type);
    out.boxX0 = t != nullptr ? t->boxX0 : 0;
    out.boxY0 = t != nullptr ? t->boxY0 : 0;
    out.boxX1 = t != nullptr ? t->boxX1 : 0;
    out.boxY1 = t != nullptr ? t->boxY1 : 0;
    return true;
}

void ClearCommandList(SonderObj& o) {
    // One node at a time, so that a long list does not recurse through its destructors.
    while (o.commands) o.commands = std::move(o.commands->next);
}

// Every way a list is dropped during play: an explosion at its head was counted when its command
// was made, run or not, so it ends here once; its animation object plays out on its own.
void DropCommandList(int slot, SonderObj& o) {
    const SonderObjCommand* head = o.commands.get();
    const bool explosion =
        head != nullptr && (head->kind == kCmdExplosion || head->kind == kCmdGreatFire);
    const std::uint16_t animType = explosion ? head->b : 0;
    const std::uint16_t kind = explosion ? head->c : 0;
    ClearCommandList(o);
    if (explosion) EndExplosion(static_cast<std::int16_t>(slot), animType, kind);
}

SonderObjCommand* AppendNode(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                             std::uint16_t c, std::uint8_t flags) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return nullptr;
    auto node = std::make_unique<SonderObjCommand>();
    node->kind = kind;
    node->a = a;
    node->b = b;
    node->c = c;
    node->flags = flags;
    std::unique_ptr<SonderObjCommand>* tail = &o->commands;
    while (*tail) tail = &(*tail)->next;
    *tail = std::move(node);
    return tail->get();
}

// The person lying on the object comes down to the ground, tied to nothing. The user word also
// holds pontoon points and vehicles: it names the person only when the person lies on an object
// and no other object names it.
void UntieLyingPerson(SonderObj& o) {
    if (o.user == -1) return;
    const int index = o.user & 0x0FFF;
    Person* p = UsedPersonAt(index);
    if (p == nullptr || DecodePersonLink(p->link).kind != PersonLinkKind::OnSonderObj) return;
    for (const SonderObj& other : SonderObjs)
        if (&other != &o && other.type != -1 && other.user != -1 && (other.user & 0x0FFF) == index)
            return;
    p->link = kNoLink;
    p->height = 0;
    o.user = -1;
}

}  // namespace

SonderObjTyp* SonderObjTypAt(int type) {
    if (type < 0 || type >= SonderObjTypCount ||
        static_cast<std::size_t>(type) >= SonderObjTypen.size())
        return nullptr;
    return &SonderObjTypen[static_cast<std::size_t>(type)];
}

SonderObj* SonderObjAt(int slot) {
    if (slot < 0 || slot >= SonderObjCount || static_cast<std::size_t>(slot) >= SonderObjs.size())
        return nullptr;
    return &SonderObjs[static_cast<std::size_t>(slot)];
}

void InitSonderObj(int mission) {
    auto hook = MissionHook(mission, &MissionHooks::InitSonderObj, "InitSonderObj");
    if (hook == nullptr) return;
    hook();
    for (SonderObj& o : SonderObjs)
        if (o.type == -1) {
            o.blockMask = 0;
            o.pushable = 0;
        }
}

void AllocSonderObj() {
    // The counts the mission has just set; a second call frees the arrays of the first.
    const int fixed = std::clamp<int>(SonderObjCount, 0, kMaxFixedSonderObj);
    const int types =
        std::max<int>(SonderObjTypCount, kCommonSonderObjTypen) + kSpareSonderObjTypen;
    FreeSonderObj();
    FixedSonderObjCount = static_cast<std::int16_t>(fixed);
    SonderObjTypCount = static_cast<std::int16_t>(std::min(types, 32767));
    SonderObjCount = static_cast<std::int16_t>(FixedSonderObjCount + kSonderObjFahrzeugSlots +
                                               kSonderObjSpareSlots);
    SonderObjTypen.assign(static_cast<std::size_t>(SonderObjTypCount), SonderObjTyp{});
    for (std::size_t t = 0; t < SonderObjTypen.size(); ++t)
        ClearSonderObjTyp(SonderObjTypen[t], static_cast<std::uint16_t>(t));
    SonderObjs.clear();
    SonderObjs.resize(static_cast<std::size_t>(SonderObjCount));
    SonderObjPlaces.count = SonderObjCount;
    SonderObjPlaces.place = &PlaceOf;
    LoadCommonSonderObjTypen();
}

void FreeSonderObjTypFrames(std::int16_t type) {
    SonderObjTyp* t = SonderObjTypAt(type);
    if (t == nullptr) return;
    FreeFrameSet(t->frames);
    t->frames = nullptr;
    t->objectSet = 0;
}

void FreeSonderObj() {
    // By the arrays, not the counts: a mission sets new counts before it allocates again.
    for (SonderObjTyp& t : SonderObjTypen) FreeFrameSet(t.frames);
    for (SonderObj& o : SonderObjs) ClearCommandList(o);
    SonderObjTypen.clear();
    SonderObjs.clear();
    SonderObjTypCount = 0;
    SonderObjCount = 0;
    FixedSonderObjCount = 0;
    SonderObjPlaces = {};
}

std::int16_t FindFreeSonderObj() {
    for (int i = std::max<int>(FixedSonderObjCount, 0); i < SonderObjCount; ++i)
        if (SonderObjAt(i) != nullptr && SonderObjAt(i)->type == -1)
            return static_cast<std::int16_t>(i);
    return -1;
}

std::int16_t FindFreeSonderObjTyp() {
    for (int t = 0; t < SonderObjTypCount; ++t)
        if (SonderObjTypAt(t) != nullptr && SonderObjTypAt(t)->frames == nullptr)
            return static_cast<std::int16_t>(t);
    return -1;
}

void FreeSonderObjSlot(int slot) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return;
    UntieLyingPerson(*o);
    DropCommandList(slot, *o);
    if (o->burning != 0) {
        o->burning = 0;
        --BurningSonderObjCount;
    }
    const std::int16_t was = o->type;
    o->type = -1;
    // Creators keep visible; a slot that the next thrown or placed object takes must not stay
    // hidden.
    if (slot >= FixedSonderObjCount) o->visible = 1;
    if (o->oneShot != 0 && was != -1) AnimationObjectGone(was);
}

std::int16_t CreateSonderObj(int slot, int type, std::int16_t x, std::int16_t y,
                             std::uint16_t frame, std::uint8_t blockMask, std::uint8_t depthLayer,
                             float z, std::uint8_t pushable) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return 0;
    const SonderObjTyp* t = SonderObjTypAt(type);
    if (t == nullptr || t->frames == nullptr) {
        FatalError("Sonderobjtyp not available");
        return 0;
    }
    // Whatever the slot held goes first, so that no command list leaks and no fire stays counted.
    DropCommandList(slot, *o);
    const std::int16_t was = o->type;
    const bool wasOneShot = o->oneShot != 0;
    if (o->burning != 0) --BurningSonderObjCount;
    o->type = static_cast<std::int16_t>(type);
    o->x = static_cast<float>(x);
    o->y = static_cast<float>(y);
    o->z = z;
    o->frame = static_cast<std::int16_t>(frame);
    o->blockMask = blockMask;
    o->depthLayer = depthLayer;
    o->pushable = pushable;
    o->storey = 0;
    o->tick = 0;
    o->oneShot = 0;
    o->drawStyle = 0;
    o->heat = 0;
    o->burning = 0;
    o->user = -1;
    o->fuel = MaterialOf(t->material).fuel;
    if (wasOneShot && was != -1 && was != type) AnimationObjectGone(was);
    return static_cast<std::int16_t>(slot);
}

FlightBlock ThrowFlight(std::int32_t fromX, std::int32_t fromY, std::int32_t toX,
                        std::int32_t toY) {
    const double dx = std::abs(static_cast<double>(toX) - fromX);
    const double dy = std::abs(static_cast<double>(toY) - fromY);
    const double d = std::sqrt(dx * dx + dy * dy);
    const double rad45 = std::numbers::pi / 4;
    FlightBlock f;
    f.speed = static_cast<float>(std::sqrt(9.81 * d * d / ((std::tan(rad45) * d + 15.0) * 2.0)) /
                                 std::sin(rad45));
    if (dx == 0) {
        f.stepY = 1;
    } else {
        const double t = std::atan(dy / dx);
        f.stepX = static_cast<float>(std::cos(t));
        f.stepY = static_cast<float>(std::sin(t));
    }
    if (fromX > toX) f.stepX = -f.stepX;
    if (fromY > toY) f.stepY = -f.stepY;
    f.distance = Clamp16(static_cast<int>(d));
    return f;
}

bool SonderObjBoxMiddle(const SonderObj& o, int& x, int& y) {
    const SonderObjTyp* t = SonderObjTypAt(o.type);
    if (t == nullptr) return false;
    x = static_cast<int>(o.x) + t->boxX0 + (t->boxX1 - t->boxX0) / 2;
    y = static_cast<int>(o.y) + t->boxY0 + (t->boxY1 - t->boxY0) / 2;
    return true;
}

void AddHydrant(std::int16_t x, std::int16_t y) {
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;
    CreateSonderObj(slot, kSobjHydrant, x, y, 0, 15, 0, 0.0f, 0);
}

void AddPersonSonderObj(int person) {
    const UnitHead* p = PersonUnits.at(person);
    if (p == nullptr || p->type < 0 || p->type >= kPersonTypCount) return;
    if (p->direction < 0 || p->direction >= kDirectionCount) return;
    const PersonTyp& pt = PersonTypen[static_cast<std::size_t>(p->type)];
    const auto dir = static_cast<std::size_t>(p->direction);
    const int t = pt.lyingObjKind[dir];
    if (t < 0) return;
    // The offsets of the person types are measured from the draw corner.
    const auto x = static_cast<std::int16_t>(p->drawX + pt.lyingObjOffset[dir].x);
    const auto y = static_cast<std::int16_t>(p->drawY + pt.lyingObjOffset[dir].y);
    for (const SonderObj& o : SonderObjs)
        if (o.type == t && static_cast<int>(o.x) == x && static_cast<int>(o.y) == y) return;
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || CreateSonderObj(slot, t, x, y, 0, 0, 1, 0.0f, 0) != slot) return;
    o->storey = static_cast<std::uint8_t>(p->storey);
    o->visible = 1;
    o->drawStyle = 0;
}

std::int16_t FollowSonderObjTypLink(std::int16_t from, std::uint16_t link) {
    const SonderObjTyp* t = SonderObjTypAt(link);
    if (t == nullptr || t->frames == nullptr || t->objectSet == 0) return from;
    return static_cast<std::int16_t>(link);
}

void AppendSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                            std::uint16_t c, std::uint8_t flags) {
    AppendNode(slot, kind, a, b, c, flags);
}

void AppendSonderObjCommand(int slot, std::uint8_t kind, const FlightBlock& flight, std::uint16_t c,
                            std::uint8_t flags) {
    if (SonderObjCommand* node = AppendNode(slot, kind, 0, 0, c, flags))
        node->flight = std::make_unique<FlightBlock>(flight);
}

void PushSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                          std::uint16_t c) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr) return;
    auto node = std::make_unique<SonderObjCommand>();
    node->kind = kind;
    node->a = a;
    node->b = b;
    node->c = c;
    node->next = std::move(o->commands);
    o->commands = std::move(node);
}

void SetSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                         std::uint16_t c) {
    ClearSonderObjCommands(slot);
    AppendSonderObjCommand(slot, kind, a, b, c, 0);
}

void SetSonderObjCommand(int slot, std::uint8_t kind, const FlightBlock& flight) {
    ClearSonderObjCommands(slot);
    AppendSonderObjCommand(slot, kind, flight, 0, 0);
}

void PopSonderObjCommand(int slot) {
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || !o->commands) return;
    // The node takes its flight block with it.
    o->commands = std::move(o->commands->next);
}

void ClearSonderObjCommands(int slot) {
    if (SonderObj* o = SonderObjAt(slot)) DropCommandList(slot, *o);
}

void ResetSonderObj() {
    FreeSonderObj();
}

void RegisterSonderObjPlaces() {
    SonderObjPlaces.count = SonderObjCount;
    SonderObjPlaces.place = &PlaceOf;
}

}  // namespace kv
