#include "movement/befehl_queue.h"

#include <utility>

#include "core/befehl_callbacks.h"
#include "core/mission_state.h"
#include "core/unit_views.h"
#include "media/sound_slots.h"
#include "media/speech.h"
#include "movement/befehl_opcodes.h"
#include "movement/collision.h"
#include "movement/path_search.h"
#include "movement/route.h"
#include "movement/stepping.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/boat_befehle.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/install_befehle.h"
#include "world/wasser_strahl.h"

namespace kv {

std::uint8_t ClearBefehleSignal = 0;

namespace {

Befehl* NewBefehl(std::uint8_t opcode, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    auto* order = new Befehl;
    order->opcode = opcode;
    order->e = e;
    order->flags = flags;
    order->extra = extra;
    return order;
}

// The arguments stored as given: a float keeps its bits, an integer its value.
template <class AB, class CD>
Befehl* BuildTypedBefehl(std::uint8_t opcode, AB a, AB b, CD c, CD d, std::uint32_t e,
                         std::uint8_t flags, std::int8_t extra) {
    Befehl* order = NewBefehl(opcode, e, flags, extra);
    order->setA(a);
    order->setB(b);
    order->setC(c);
    order->setD(d);
    return order;
}

// Converts the integer arguments by the opcode's form.
Befehl* BuildBefehl(std::uint8_t opcode, std::int32_t a, std::int32_t b, std::int32_t c,
                    std::int32_t d, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    const auto f = [](std::int32_t v) { return static_cast<float>(v); };
    switch (BefehlOpcode(opcode).form) {
        case BefehlForm::Move:
            return BuildTypedBefehl(opcode, f(a), f(b), f(c), f(d), e, flags, extra);
        case BefehlForm::Route: {
            Befehl* order = BuildTypedBefehl(opcode, f(a), f(b), f(c), f(d), e, flags, extra);
            order->finalX = f(a);
            order->finalY = f(b);
            return order;
        }
        case BefehlForm::Turn:
            return BuildTypedBefehl(opcode, f(a), f(b), c, d, e, flags, extra);
        case BefehlForm::Raw:
            break;
    }
    return BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra);
}

Befehl* BuildListBefehl(std::uint8_t opcode, GoalList goals, std::int32_t c, std::int32_t d,
                        std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    Befehl* order = NewBefehl(opcode, e, flags, extra);
    order->b = static_cast<std::uint32_t>(goals.size());
    order->setC(c);
    order->setD(d);
    order->goals = std::move(goals);
    return order;
}

Befehl* BuildRouteBefehl(std::uint8_t opcode, float a, float b, float c, float d, std::uint32_t e,
                         std::uint8_t flags, std::int8_t extra, float finalX, float finalY) {
    Befehl* order = BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra);
    order->finalX = finalX;
    order->finalY = finalY;
    return order;
}

void LinkAtTail(UnitHead& unit, Befehl* order) {
    if (unit.orders == nullptr) {
        unit.orders = order;
        if (order->opcode == kOpMove) ResetMoveTarget(unit);
        return;
    }
    Befehl* tail = unit.orders;
    while (tail->next != nullptr) tail = tail->next;
    tail->next = order;
}

void LinkStoredAtTail(UnitHead& unit, Befehl* order) {
    Befehl** at = &unit.orders;
    while (*at != nullptr) at = &(*at)->next;
    *at = order;
}

void LinkAtHead(UnitHead& unit, Befehl* order) {
    if (order->opcode == kOpMove) ResetMoveTarget(unit);
    order->next = unit.orders;
    unit.orders = order;
    unit.shortcutFirst = nullptr;
    unit.shortcutLast = nullptr;
    unit.stepMarker = kNoBackOff;
}

// A door double goes with its order, unless its slot has been taken over since.
void DeleteDoorDouble(const Befehl& order, std::int32_t index) {
    if (const Person* d = UsedPersonAt(index); d != nullptr && d->doorOrder == &order)
        DeletePerson(index);
}

// The vehicle's index; -1 for a head outside the vehicle array.
std::int16_t FahrzeugIndexOf(const UnitHead& unit) {
    for (std::int16_t i = 0; i < FahrzeugUnits.count; ++i)
        if (FahrzeugUnits.at(i) == &unit) return i;
    return -1;
}

// The clean-up of an order that has already left the queue.
void CleanUpBefehl(UnitHead& unit, const Befehl& order) {
    switch (order.opcode) {
        case 69:
            ReleasePontonPassage(unit, order.aInt());
            break;
        case 167:
        case 173:
            unit.present = 1;
            break;
        case 169:
            DeleteDoorDouble(order, order.dInt());
            break;
        case 170:
            DeleteDoorDouble(order, LowHalf(order.c));
            DeleteDoorDouble(order, HighHalf(order.c));
            break;
        case 176:
        case 183:
        case 195:
        case 216:
            StopSound(unit.sound);
            unit.sound = -1;
            break;
        case 179: {
            if ((order.flags & kBefehlObjectTaken) != 0) {
                unit.direction = static_cast<std::int8_t>((unit.direction + 6) % kDirectionCount);
                if (const UnitTypHead* typ = PersonTypRecord(unit.type))
                    SetMoverAction(unit, *typ, 0);
            } else {
                if (unit.type == 14) {
                    unit.type = 1;
                    if (unit.selected != 0 && SelectionMode == 1014) SelectionMode = 1001;
                }
                unit.link = kNoLink;
            }
            break;
        }
        case 57:
        case 58:
        case 59:
        case 60:
        case 62:
            if (const std::int16_t vehicle = FahrzeugIndexOf(unit); vehicle >= 0)
                CleanUpInstallBefehl(vehicle, order);
            break;
        case 202:
            // Only a plain index names the patient here.
            if (UnitHead* patient = PersonUnits.at(unit.link)) patient->link = 0x2000;
            unit.link = kNoLink;
            break;
        default:
            break;  // the owned lists go with the order
    }
}

void ForgetPlanning(UnitHead& unit) {
    if (unit.pathSearch != nullptr) FreePathSearch(unit);
    unit.pathSearch = nullptr;
    if (unit.contour != nullptr) FreeContourRecord(unit);
    unit.contour = nullptr;
    if (unit.route != nullptr) FreeRoute(unit.route);
    unit.route = nullptr;
}

// Cut to a whole pixel as a signed 16-bit value.
float WholePixel(float v) {
    return static_cast<float>(static_cast<std::int16_t>(static_cast<std::int32_t>(v)));
}

}  // namespace

void AppendBefehl(UnitHead& unit, std::uint8_t opcode, std::int32_t a, std::int32_t b,
                  std::int32_t c, std::int32_t d, std::uint32_t e, std::uint8_t flags,
                  std::int8_t extra) {
    LinkAtTail(unit, BuildBefehl(opcode, a, b, c, d, e, flags, extra));
}

void AppendBefehl(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c,
                  std::int32_t d, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtTail(unit, BuildListBefehl(opcode, std::move(goals), c, d, e, flags, extra));
}

void AppendBefehl(UnitHead& unit, Befehl order) {
    order.next = nullptr;
    LinkStoredAtTail(unit, new Befehl(std::move(order)));
}

void AppendMoveBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                      std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtTail(unit, BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra));
}

void AppendTurnBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, std::int32_t c,
                      std::int32_t d, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtTail(unit, BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra));
}

void AppendBefehl54(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                    std::uint32_t e, std::uint8_t flags, std::int8_t extra, float finalX,
                    float finalY) {
    LinkAtTail(unit, BuildRouteBefehl(opcode, a, b, c, d, e, flags, extra, finalX, finalY));
}

void PushBefehl(UnitHead& unit, std::uint8_t opcode, std::int32_t a, std::int32_t b, std::int32_t c,
                std::int32_t d, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtHead(unit, BuildBefehl(opcode, a, b, c, d, e, flags, extra));
}

void PushBefehl(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c, std::int32_t d,
                std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtHead(unit, BuildListBefehl(opcode, std::move(goals), c, d, e, flags, extra));
}

void PushMoveBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                    std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtHead(unit, BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra));
}

void PushTurnBefehl(UnitHead& unit, std::uint8_t opcode, float a, float b, std::int32_t c,
                    std::int32_t d, std::uint32_t e, std::uint8_t flags, std::int8_t extra) {
    LinkAtHead(unit, BuildTypedBefehl(opcode, a, b, c, d, e, flags, extra));
}

void PushBefehl54(UnitHead& unit, std::uint8_t opcode, float a, float b, float c, float d,
                  std::uint32_t e, std::uint8_t flags, std::int8_t extra, float finalX,
                  float finalY) {
    LinkAtHead(unit, BuildRouteBefehl(opcode, a, b, c, d, e, flags, extra, finalX, finalY));
}

namespace {

// Steps 1-3 of SetBefehl: the old queue goes, the unit stands again where it may.
void PrepareForNewBefehl(UnitHead& unit, const UnitTypHead& type) {
    ClearBefehle(unit);
    if (type.unitClass == kPlayerVehicleUnitClass) {
        // Set-up ladders, a landed helicopter, a laid pontoon layer and a set-up crane keep
        // their pose.
        const int t = unit.type;
        const int anim = unit.anim;
        const bool keep = t == 5 || (t == 19 && anim == 3) || (t == 11 && anim == 4) ||
                          (t == 20 && (anim == 2 || anim == 3)) || anim == 0;
        if (!keep) SetMoverAction(unit, type, 0);
        SetFahrzeugPushedObject(unit, 0xFFFF);
    } else if (type.unitClass == kPersonUnitClass) {
        if ((unit.controlFlags & kPersonInDistress) == 0 && unit.anim != 0)
            SetMoverAction(unit, type, 0);
    }
}

// Steps 5-8.
void FinishSetBefehl(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode,
                     std::int32_t voice) {
    ResetMoveTarget(unit);
    if (type.unitClass == kPlayerVehicleUnitClass &&
        (opcode == 0 || opcode == 2 || opcode == 54 || opcode == 67))
        if (const std::int16_t vehicle = FahrzeugIndexOf(unit); vehicle >= 0)
            StopWasserStrahl(vehicle, 0);
    unit.stepMarker = kNoBackOff;
    if (voice != -1 && UnitSpeech == 1) PlaySpeech(voice, type.speaker);
}

}  // namespace

void SetBefehl(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t voice,
               std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::uint32_t e) {
    PrepareForNewBefehl(unit, type);
    AppendBefehl(unit, opcode, a, b, c, d, e, 0, -1);
    FinishSetBefehl(unit, type, opcode, voice);
}

void SetBefehl(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t voice,
               GoalList goals, std::int32_t c, std::int32_t d, std::uint32_t e) {
    PrepareForNewBefehl(unit, type);
    AppendBefehl(unit, opcode, std::move(goals), c, d, e, 0, -1);
    FinishSetBefehl(unit, type, opcode, voice);
}

void PopBefehl(UnitHead& unit) {
    if (Befehl* head = unit.orders) {
        unit.orders = head->next;
        head->next = nullptr;
        CleanUpBefehl(unit, *head);
        delete head;
    }
    ResetMoveTarget(unit);
    unit.stepMarker = kNoBackOff;
    unit.shortcutFirst = nullptr;
    unit.shortcutLast = nullptr;
}

void ClearBefehle(UnitHead& unit) {
    // An empty queue still gets the move target and step fields reset.
    do {
        PopBefehl(unit);
    } while (unit.orders != nullptr);
    ForgetPlanning(unit);
    unit.moverFlags &= 16;
    unit.x = WholePixel(unit.x);
    unit.y = WholePixel(unit.y);
}

void DiscardBefehle(UnitHead& unit) {
    Befehl* order = unit.orders;
    unit.orders = nullptr;
    while (order != nullptr) {
        Befehl* next = order->next;
        delete order;
        order = next;
    }
    unit.shortcutFirst = nullptr;
    unit.shortcutLast = nullptr;
    ForgetPlanning(unit);
}

void DropDoneMoveBefehle(UnitHead& unit) {
    while (const Befehl* head = unit.orders) {
        const bool doneWaypoint =
            BefehlOpcode(head->opcode).dropWhenDone && (head->flags & kBefehlDone) != 0;
        if (!doneWaypoint && head->opcode != kOpFollow) break;
        PopBefehl(unit);
    }
}

void DropDoneRouteBefehle(UnitHead& unit) {
    while (Befehl* head = unit.orders) {
        if (head->opcode == kOpFollow) {
            PopBefehl(unit);
            continue;
        }
        if (!BefehlOpcode(head->opcode).routeLeg || (head->flags & kBefehlRouteLeg) == 0) break;
        if (head->next != nullptr && head->next->opcode == kOpMove) {
            PopBefehl(unit);
            continue;
        }
        head->flags &= static_cast<std::uint8_t>(~kBefehlRouteLeg);
        break;
    }
}

void DropMoveBefehle(UnitHead& unit) {
    while (unit.orders != nullptr && BefehlOpcode(unit.orders->opcode).movement) PopBefehl(unit);
}

void FreeBefehleUntil(Befehl* from, Befehl* to) {
    if (from == nullptr) return;
    while (from->next != nullptr && from->next != to) {
        Befehl* cut = from->next;
        from->next = cut->next;
        delete cut;
    }
}

void RunBefehlCallback(UnitHead& unit, std::int32_t index) {
    Befehl* head = unit.orders;
    if (head == nullptr) return;
    if (head->next != nullptr && head->next->opcode == kOpFollow) {
        const std::int32_t slot = head->next->bInt();
        const std::int32_t parameter = HighHalf(head->next->c);
        const BefehlCallback callback = CallbackAt(slot);
        if (callback == nullptr) return;
        // Units answer no orders that a callback gives.
        const std::uint8_t speech = UnitSpeech;
        UnitSpeech = 0;
        callback(index, parameter);
        UnitSpeech = speech;
        return;
    }
    if (head->opcode == kOpPlace) {
        head->opcode = kOpMove;
        head->c = 0;
        head->d = 0;
        head->e = 0;
        head->flags = 0;
    }
}

int HeadBefehlOpcode(const UnitHead& unit) {
    return unit.orders != nullptr ? unit.orders->opcode : -1;
}

void RunBefehl10(UnitHead& unit) {
    ClearBefehle(unit);
    ClearBefehleSignal = 1;
}

void ResetBefehlQueue() {
    ClearBefehleSignal = 0;
}

}  // namespace kv
