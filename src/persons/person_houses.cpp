#include "persons/person_houses.h"

#include <algorithm>
#include <bit>

#include "core/mission_state.h"
#include "media/speech.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "persons/person_lead.h"
#include "persons/person_types.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr std::uint8_t kOwnCollisionClass = 255;
constexpr std::uint8_t kPushAnyWay = 15;
constexpr std::uint16_t kNoHouse = 0xFFFF;
constexpr std::uint16_t kSelectedPersonMode = 1000;
constexpr std::int32_t kNoVoice = -1;
constexpr std::int32_t kLeaveVoice = 15;
constexpr int kFollowAnswerPhrase = 10;
constexpr std::uint8_t kLeaveHouse = 170;
constexpr std::uint8_t kChangeStorey = 171;
constexpr std::int8_t kMarkingType = 0;
// How far a person walks through the door, and a led person with its leader behind it.
constexpr float kDoorWalk = 20.0f;
constexpr float kLedDoorWalk = 30.0f;
// A leader keeps this far behind the person it leads.
constexpr int kBehind = 11;
// The evacuation's fallback point lies this far below the point beside the door.
constexpr int kFallbackDrop = 100;
constexpr int kFallbackMargin = 20;
// A free spot on a storey lies within one floor of 16 x 8 cells.
constexpr int kStoreyReach = 640;
// The rows of a house's storey searched for room, and the steps along one row.
constexpr int kPassageRows = 24;
constexpr int kPassageSteps = 32;
constexpr std::uint8_t kPassageFacing = 6;
constexpr std::uint8_t kRowStep = 3;
constexpr std::uint8_t kNextRow = 7;

// The twelve 20 px steps of OffsetPointByDirection.
constexpr std::array<PixelPos, kDirectionCount> kOffsets = {{
    {0, -20},
    {7, -12},
    {12, -7},
    {20, 0},
    {12, 7},
    {7, 12},
    {0, 20},
    {-7, 12},
    {-12, 7},
    {-20, 0},
    {-12, -7},
    {-7, -12},
}};

int Trunc(float v) {
    return static_cast<int>(v);
}

bool StandsAt(const Person& p, std::int32_t x, std::int32_t y) {
    return Trunc(p.x) == x && Trunc(p.y) == y;
}

bool IsSelectedPerson(const Person& p, std::int16_t index) {
    return SelectionMode == kSelectedPersonMode + p.type &&
           SelectedIndex == static_cast<std::uint16_t>(index);
}

// Where a leader stands behind a person facing one of the four directions PlacePersonFree takes.
PixelPos BehindOffset(std::uint8_t direction) {
    switch (direction) {
        case 0:
            return {0, kBehind};
        case 3:
            return {-kBehind, 0};
        case 6:
            return {0, -kBehind};
        case 9:
            return {kBehind, 0};
        default:
            return {};
    }
}

// The standing box of a unit facing direction at (x, y).
Rect16 StandingBox(const Person& p, std::uint8_t direction, float x, float y) {
    return SlotFootprint(UnitAnimSlot(PersonTypOf(p), direction, kAnimStand), x, y);
}

Rect16 Union(const Rect16& a, const Rect16& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

bool OnMap(const Rect16& box) {
    return box.x1 >= 0 && box.y1 >= 0 && box.x2 <= WorldMaxX && box.y2 <= WorldMaxY;
}

// The test of a person's box (widened over its leader's) on a storey of its house.
std::uint8_t BoxBlocked(const Person& p, const Rect16& box, std::int8_t storey,
                        std::uint8_t moveClass, CollisionHit* hit) {
    const PersonTyp& typ = PersonTypOf(p);
    return FindCollisionAt(0, &p, &typ, box.x1, box.y1, box.x2, box.y2,
                           static_cast<std::int16_t>(p.house), storey, moveClass, hit);
}

// Whether the point lies on a cell of the house.
bool OnHouseCell(float x, float y, std::uint16_t house) {
    const CellPos c = CellFromPixel(Trunc(x), Trunc(y));
    if (!CellInMap(c.column, c.row)) return false;
    const auto index = static_cast<std::size_t>(CellIndex(c.column, c.row));
    return index < MapCells.size() && DecodeHouseLink(MapCells[index].tile).house == house;
}

std::int16_t* FloorCount(std::uint16_t house, int storey) {
    House* h = PlacedHouse(house);
    if (h == nullptr || storey < 1 || static_cast<std::size_t>(storey) > h->floors.size())
        return nullptr;
    return &h->floors[static_cast<std::size_t>(storey - 1)].personCount;
}

void ShowStorey(std::uint16_t house, int storey) {
    if (House* h = PlacedHouse(house)) {
        h->shownStorey = static_cast<std::uint8_t>(storey);
        h->interiorView = 1;
    }
}

float AsFloat(std::uint32_t word) {
    return std::bit_cast<float>(word);
}
std::uint32_t FloatWord(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

// The doubles of order 170 in the halves of its c: the walker's low, its leader's high.
std::uint32_t DoubleHalves(std::int16_t walker, std::int16_t leader) {
    return static_cast<std::uint32_t>(static_cast<std::uint16_t>(walker)) |
           static_cast<std::uint32_t>(static_cast<std::uint16_t>(leader)) << 16;
}

// A door double for the person in a free slot, marked as the order's; -1 when none is free.
std::int16_t MakeDoorDouble(const Person& walker, const Befehl& order, bool leaving) {
    const std::int16_t slot = FindFreePerson();
    if (slot < 0) return -1;
    Person& d = Personen[static_cast<std::size_t>(slot)];
    d.type = walker.type;
    d.direction = walker.direction;
    d.x = walker.x;
    d.y = walker.y;
    d.anim = walker.anim;
    d.casualty = 0;
    d.present = 1;
    d.targetable = 0;
    d.selectable = 0;
    d.offMap = 0;
    d.house = kNoHouse;
    d.controlFlags = 0;
    d.storey = 0;
    d.energy = kFullEnergy;
    d.energyLoss = 0;
    d.height = 0;
    ResetPerson(slot);
    // The reset stands it; it shows the walker's step, and on the way out keeps step with it.
    d.anim = walker.anim;
    if (leaving) {
        d.frame = walker.frame;
        d.frameTimer = walker.frameTimer;
    }
    d.drawX = walker.drawX;
    d.drawY = walker.drawY;
    d.doorOrder = &order;
    return slot;
}

// The order's double stands where its person stands.
void FollowInDoorway(const Befehl& order, std::int32_t index, Person& walker) {
    Person* d = UsedPersonAt(index);
    if (d == nullptr || d->doorOrder != &order) return;
    UpdatePersonDrawPos(walker);
    d->x = walker.x;
    d->y = walker.y;
    d->drawX = walker.drawX;
    d->drawY = walker.drawY;
}

void Walk(Person& p) {
    ShowMoverAnim(p, PersonTypOf(p), kAnimWalk);
}

// The trail the leader follows, from the leader to the person it leads.
void RefillLeadTrail(const Person& leader, Person& p) {
    ResetPersonTrail(p);
    FillLeadTrail(leader, p);
}

// The way out of a house for a person on a storey of it: to the stair point and down when it
// is upstairs, to the point beside the door, turned outwards, and out. The first order is
// acknowledged with voice.
void OrderWayOut(Person& target, const House& h, std::int8_t storey, std::int32_t voice) {
    const PersonTyp& typ = PersonTypOf(target);
    const PixelPos inside = HouseInsidePoint(h);
    const DoorSide& side = DoorSideOf(h);
    if (storey > 1) {
        const PixelPos stair = HouseStairPoint(h);
        SetBefehl(target, typ, kOpMove, voice, stair.x, stair.y, 0, 0, 0);
        AppendBefehl(target, kChangeStorey, 0, 0, 0, 0, 0);
        AppendBefehl(target, kOpMove, inside.x, inside.y, 0, 0, 0);
    } else {
        SetBefehl(target, typ, kOpMove, voice, inside.x, inside.y, 0, 0, 0);
    }
    AppendBefehl(target, kOpTurn, inside.x, inside.y, side.facingOutside, 0, 0);
    AppendBefehl(target, kLeaveHouse, inside.x, inside.y, -1, 0, 0);
}

// A free spot beyond the door, or the fallback point below it, kept above the view's bottom.
PixelPos EvacuationSpot(Person& p, const House& h) {
    const PixelPos inside = HouseInsidePoint(h);
    const DoorSide& side = DoorSideOf(h);
    float x = 0;
    float y = 0;
    if (FindRandomFreeSpot(p, PersonTypOf(p), static_cast<std::int16_t>(inside.x + side.spotLeft),
                           static_cast<std::int16_t>(inside.y + side.spotTop),
                           static_cast<std::int16_t>(inside.x + side.spotRight),
                           static_cast<std::int16_t>(inside.y + side.spotBottom), 0,
                           side.facingOutside, x, y))
        return {Trunc(x), Trunc(y)};
    PixelPos spot{inside.x + side.fallbackX, inside.y + side.fallbackY + kFallbackDrop};
    const int bottom = 28 * ScrollRows;
    if (spot.y > bottom) spot.y = bottom - kFallbackMargin;
    return spot;
}

}  // namespace

const DoorSide& DoorSideOf(const House& house) {
    return kDoorSides[HouseTypOf(house).doorSide & 3u];
}

PixelPos HouseStairPoint(const House& house) {
    return {kCellWidth * house.x - 16 * house.y + 10, kCellHeight * house.y + 36};
}

PixelPos HouseDoorBase(const House& house) {
    const HouseTyp& t = HouseTypOf(house);
    const int column = house.x + t.doorI;
    const int row = house.y + t.doorJ;
    return {kCellWidth * column - 16 * row, kCellHeight * row};
}

std::optional<PixelPos> HouseDoorSpot(int house) {
    const House* h = PlacedHouse(house);
    if (h == nullptr) return std::nullopt;
    return HouseDoorBase(*h);
}

HousePoints GetHousePoints(const House& house) {
    const int frontRow = house.y + HouseTypOf(house).extentJ - 1;
    return {HouseDoorBase(house), HouseStairPoint(house), frontRow,
            kCellHeight * frontRow + kCellHeight};
}

PixelPos HouseDoorPoint(const House& house) {
    const PixelPos base = HouseDoorBase(house);
    const DoorSide& side = DoorSideOf(house);
    return {base.x + side.kx, base.y + side.ky};
}

PixelPos HouseInsidePoint(const House& house) {
    const PixelPos d = HouseDoorPoint(house);
    const DoorSide& side = DoorSideOf(house);
    return {d.x + side.ox, d.y + side.oy};
}

void RaiseFloorCount(std::uint16_t house, int storey) {
    if (std::int16_t* count = FloorCount(house, storey); count != nullptr && *count < INT16_MAX)
        ++*count;
}

void LowerFloorCount(std::uint16_t house, int storey) {
    if (std::int16_t* count = FloorCount(house, storey); count != nullptr && *count > 0) --*count;
}

void OffsetPointByDirection(float& x, float& y, std::uint8_t direction) {
    if (direction >= kDirectionCount) return;
    x += static_cast<float>(kOffsets[direction].x);
    y += static_cast<float>(kOffsets[direction].y);
}

std::uint8_t PlacePersonFree(std::int16_t index, std::uint8_t direction, std::int8_t storey,
                             std::uint8_t mask, std::uint8_t collisionClass) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return 0;
    Person& p = *person;
    Person* leader = LeaderOf(p);
    const std::uint8_t moveClass =
        collisionClass == kOwnCollisionClass ? PersonTypOf(p).terrainColumn : collisionClass;
    const float startX = p.x;
    const float startY = p.y;
    const PixelPos behind = BehindOffset(direction);
    p.direction = static_cast<std::int8_t>(direction);
    const auto putAt = [&](float x, float y) {
        p.x = x;
        p.y = y;
        if (leader == nullptr) return;
        leader->x = x + static_cast<float>(behind.x);
        leader->y = y + static_cast<float>(behind.y);
        leader->direction = static_cast<std::int8_t>(direction);
    };
    const auto fits = [&] {
        Rect16 box = StandingBox(p, direction, p.x, p.y);
        if (leader != nullptr)
            box = Union(box, StandingBox(*leader, direction, leader->x, leader->y));
        return OnMap(box) && BoxBlocked(p, box, storey, moveClass, nullptr) == 0;
    };
    putAt(startX, startY);
    if (fits()) return 1;
    // Past these no candidate can find room: the map's larger extent outside, a whole floor
    // inside.
    const int reach = storey == 0 ? std::max<int>(WorldMaxX, WorldMaxY) : kStoreyReach;
    // The candidates run +x, +y, -x, -y, starting after the given direction; a step of the
    // cycle whose mask bit is clear would test the start again and is passed over.
    static constexpr std::array<PixelPos, 4> kAxes = {{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
    int axis = (direction / 3) % 4;
    for (int n = 0; n <= reach && (mask & 15) != 0;) {
        if ((mask & (1u << axis)) != 0) {
            const PixelPos a = kAxes[static_cast<std::size_t>(axis)];
            putAt(startX + static_cast<float>(a.x * n), startY + static_cast<float>(a.y * n));
            if (fits()) return 1;
        }
        if (axis == 3) ++n;
        axis = (axis + 1) % 4;
    }
    putAt(startX, startY);
    return 0;
}

std::uint8_t StepHousePassage(std::int16_t index, std::int8_t storey) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return 0;
    Person& p = *person;
    Person* leader = LeaderOf(p);
    SaveMoverPos(p);
    const float leaderX = leader != nullptr ? leader->x : 0;
    const float leaderY = leader != nullptr ? leader->y : 0;
    const std::int8_t leaderDirection = leader != nullptr ? leader->direction : 0;

    p.direction = static_cast<std::int8_t>(kPassageFacing);
    if (leader != nullptr) {
        leader->x = p.x;
        leader->y = p.y;
        p.y += static_cast<float>(kBehind);
        leader->direction = static_cast<std::int8_t>(kPassageFacing);
    }
    const auto putAt = [&](float x, float y) {
        p.x = x;
        p.y = y;
        if (leader == nullptr) return;
        leader->x = x;
        leader->y = y - static_cast<float>(kBehind);
    };
    const std::uint8_t moveClass = PersonTypOf(p).terrainColumn;
    float rowX = p.x;
    float rowY = p.y;
    // A row ends where the point leaves the house's cells or the test meets the edge of its
    // floor; a row that starts off the floor ends the search.
    for (int row = 0; row < kPassageRows; ++row) {
        if (row > 0) {
            OffsetPointByDirection(rowX, rowY, kNextRow);
            putAt(rowX, rowY);
            if (!OnHouseCell(p.x, p.y, p.house)) break;
        }
        bool rowOffFloor = false;
        for (int step = 0; step < kPassageSteps; ++step) {
            if (step > 0) {
                float x = p.x;
                float y = p.y;
                OffsetPointByDirection(x, y, kRowStep);
                putAt(x, y);
                if (!OnHouseCell(p.x, p.y, p.house)) break;
            }
            Rect16 box = StandingBox(p, kPassageFacing, p.x, p.y);
            if (leader != nullptr)
                box = Union(box, StandingBox(*leader, kPassageFacing, leader->x, leader->y));
            CollisionHit hit;
            if (BoxBlocked(p, box, storey, moveClass, &hit) == 0) return 1;
            if (hit.kind == kHitOtherHouse) {
                rowOffFloor = step == 0 && row > 0;
                break;
            }
        }
        if (rowOffFloor) break;
    }
    RestoreMoverPos(p);
    if (leader != nullptr) {
        leader->x = leaderX;
        leader->y = leaderY;
        leader->direction = leaderDirection;
    }
    return 0;
}

void EvacuateHouse(std::int16_t house) {
    const House* h = PlacedHouse(house);
    if (h == nullptr) return;
    for (Person& p : Personen) {
        if (p.type == -1 || (p.controlFlags & kPersonController) == 0 || p.casualty != 0 ||
            p.house != static_cast<std::uint16_t>(house))
            continue;
        OrderWayOut(p, *h, p.storey, kNoVoice);
        const PixelPos spot = EvacuationSpot(p, *h);
        AppendBefehl(p, kOpMove, spot.x, spot.y, 0, 0, 0);
    }
}

void RoutePersonThroughHouseDoor(std::int16_t index, std::int16_t x, std::int16_t y) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    const House* h = PlacedHouse(person->house);
    if (h == nullptr) return;
    Person* target = person;
    // A leader following its led person answers for both and sends the led person.
    if (const OrderRedirect redirect = FollowTrailRedirect(*person); redirect.follows) {
        PlaySpeech(kFollowAnswerPhrase, PersonTypOf(*person).speaker);
        if (redirect.to == nullptr) return;
        DisableUnitSpeech();
        target = redirect.to;
    }
    OrderWayOut(*target, *h, person->storey, kLeaveVoice);
    AppendBefehl(*target, kOpMove, x, y, 0, 0, 0);
    EnableUnitSpeech();
}

void RunPersonBefehl162(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    const std::int32_t house = order.aInt();
    House* h = PlacedHouse(house);
    if (!StandsAt(p, order.bInt(), order.cInt()) || h == nullptr || h->markable == 0) {
        ClearBefehle(p);
        return;
    }
    // Read by the mission scripts.
    h->evacuated = 1;
    if (p.type == kMarkingType) EvacuateHouse(static_cast<std::int16_t>(house));
    PopBefehl(p);
}

void RunPersonBefehl169(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const PersonTyp& typ = PersonTypOf(p);
    if ((order.flags & kBefehlStarted) == 0) {
        order.flags |= kBefehlStarted;
        order.setD(-1);
        const std::int32_t house = order.cInt();
        House* h = PlacedHouse(house);
        if (!StandsAt(p, order.aInt(), order.bInt()) || h == nullptr) {
            ClearBefehle(p);
            return;
        }
        Walk(p);
        order.e = FloatWord(kDoorWalk);
        const std::int16_t d = MakeDoorDouble(p, order, false);
        if (d < 0) {
            ClearBefehle(p);
            return;
        }
        order.setD(d);
        p.storey = 1;
        p.house = static_cast<std::uint16_t>(house);
        if ((p.controlFlags & kPersonController) == 0) {
            RaiseFloorCount(p.house, 1);
            if (IsSelectedPerson(p, index)) ShowStorey(p.house, 1);
        }
        if (HouseTypOf(*h).enterShowsInterior != 0) h->interiorView = 1;
    }
    const House* h = PlacedHouse(p.house);
    if (h == nullptr) {
        ClearBefehle(p);
        return;
    }
    const DoorSide& side = DoorSideOf(*h);
    const float left = AsFloat(order.e) - typ.speed;
    order.e = FloatWord(left);
    if (left <= 0) {
        PopBefehl(p);
        StandMover(p, typ);
    } else {
        p.x -= static_cast<float>(side.outX) * typ.speed;
        p.y -= static_cast<float>(side.outY) * typ.speed;
        FollowInDoorway(order, order.dInt(), p);
        Walk(p);
    }
    PlacePersonFree(index, side.facingInside, p.storey, kPushAnyWay, kOwnCollisionClass);
}

void LeaveHouse(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const PersonTyp& typ = PersonTypOf(p);
    Person* leader = LeaderOf(p);
    if ((order.flags & kBefehlStarted) == 0) {
        order.flags |= kBefehlStarted;
        order.setC(-1);
        House* h = PlacedHouse(p.house);
        if (p.storey != 1 || !StandsAt(p, order.aInt(), order.bInt()) || h == nullptr) {
            ClearBefehle(p);
            return;
        }
        Walk(p);
        order.setD(kDoorWalk);
        const std::int16_t d = MakeDoorDouble(p, order, true);
        if (d < 0) {
            ClearBefehle(p);
            return;
        }
        order.c = DoubleHalves(d, -1);
        if (leader != nullptr) {
            const DoorSide& side = DoorSideOf(*h);
            leader->x = p.x - static_cast<float>(side.outX * kBehind);
            leader->y = p.y - static_cast<float>(side.outY * kBehind);
            leader->direction = p.direction;
            UpdatePersonDrawPos(*leader);
            const std::int16_t ld = MakeDoorDouble(*leader, order, true);
            if (ld < 0) {
                ClearBefehle(p);
                return;
            }
            Personen[static_cast<std::size_t>(ld)].link = p.link;
            order.c = DoubleHalves(d, ld);
            order.setD(kLedDoorWalk);
            PushBefehl(*leader, kOpHold, 0, 0, 0, 0, 0);
        }
    }
    const House* h = PlacedHouse(p.house);
    if (h == nullptr) {
        ClearBefehle(p);
        return;
    }
    const DoorSide& side = DoorSideOf(*h);
    const float left = order.dFloat() - typ.speed;
    order.setD(left);
    if (left > 0) {
        const float speed = leader != nullptr ? PersonTypOf(*leader).speed : typ.speed;
        p.x += static_cast<float>(side.outX) * speed;
        p.y += static_cast<float>(side.outY) * speed;
        FollowInDoorway(order, LowHalf(order.c), p);
        if (leader != nullptr) {
            leader->x += static_cast<float>(side.outX) * typ.speed;
            leader->y += static_cast<float>(side.outY) * typ.speed;
            FollowInDoorway(order, HighHalf(order.c), *leader);
        }
        Walk(p);
        return;
    }
    const bool scriptMarked = (p.controlFlags & kPersonScriptMarked) != 0;
    if ((p.controlFlags & kPersonController) == 0 && !scriptMarked)
        LowerFloorCount(p.house, p.storey);
    p.house = kNoHouse;
    p.storey = 0;
    if (leader != nullptr) {
        if ((leader->controlFlags & kPersonController) == 0 && !scriptMarked)
            LowerFloorCount(leader->house, leader->storey);
        leader->house = kNoHouse;
        leader->storey = 0;
    }
    PopBefehl(p);
    StandMover(p, typ);
    PlacePersonFree(index, side.facingOutside, 0, side.leaveMask, kOwnCollisionClass);
    if (leader == nullptr) return;
    // The player may have given the leader other orders meanwhile.
    if (HeadBefehlOpcode(*leader) == kOpHold) PopBefehl(*leader);
    UpdatePersonDrawPos(*leader);
    RefillLeadTrail(*leader, p);
}

void RunPersonBefehl171(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int32_t storey = p.orders->aInt() + 1;
    const House* h = PlacedHouse(p.house);
    if (h == nullptr || storey < 1 || static_cast<std::size_t>(storey) > h->floors.size()) {
        ClearBefehle(p);
        return;
    }
    const PixelPos stair = HouseStairPoint(*h);
    p.x = static_cast<float>(stair.x);
    p.y = static_cast<float>(stair.y);
    if (StepHousePassage(index, static_cast<std::int8_t>(storey)) == 0) {
        ClearBefehle(p);
        return;
    }
    Person* leader = LeaderOf(p);
    if ((p.controlFlags & kPersonScriptMarked) == 0 &&
        ((p.controlFlags & kPersonController) == 0 || leader != nullptr)) {
        LowerFloorCount(p.house, p.storey);
        RaiseFloorCount(p.house, storey);
        ShowStorey(p.house, storey);
    }
    p.storey = static_cast<std::int8_t>(storey);
    if (leader != nullptr) {
        leader->storey = static_cast<std::int8_t>(storey);
        UpdatePersonDrawPos(*leader);
        RefillLeadTrail(*leader, p);
    }
    PopBefehl(p);
}

}  // namespace kv
