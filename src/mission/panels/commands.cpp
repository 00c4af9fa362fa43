#include "mission/panels/commands.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "media/sound_slots.h"
#include "mission/command_slots.h"
#include "mission/panels/command_tables.h"
#include "mission/screen_calls.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/boarding.h"
#include "persons/carried_objects.h"
#include "persons/equipment.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_moves.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {

namespace {

// A pressed button fires on the frame that counts it to this.
constexpr std::int16_t kFiringFrame = 3;

// Acknowledgements: the usual one, a helicopter taking off, a vehicle driving off.
constexpr std::int32_t kSilent = -1;
constexpr std::int32_t kAck = 17;
constexpr std::int32_t kAckTakeOff = 3;
constexpr std::int32_t kAckDrive = 7;
// An order appended behind the first carries 1 in its fifth value.
constexpr std::uint32_t kAppended = 1;

// The orders the commands give.
constexpr std::uint8_t kOpCrewOut = 40;
constexpr std::uint8_t kOpPutDownObject = 46;
constexpr std::uint8_t kOpSetBoatDown = 65;
constexpr std::uint8_t kOpSetVehicleDown = 74;
constexpr std::uint8_t kOpUnloadStretcher = 153;
constexpr std::uint8_t kOpPutDownCasualty = 165;
constexpr std::uint8_t kOpPutDownCarried = 180;
constexpr std::uint8_t kOpDropEquipment = 204;

// Order 40's door animation, in ticks, and whom it lets out.
constexpr std::int32_t kDoorTicks = 8;
constexpr std::int32_t kEveryoneOut = 0;
constexpr std::int32_t kStaffOut = 1;
// The basket's home column, where it goes before it comes down.
constexpr std::int32_t kBasketHomeColumn = 3;
// Where a person who took equipment turns afterwards, and the fourth value of that turn.
constexpr std::int32_t kEquipmentTurn = 6;
constexpr std::int32_t kEquipmentTurnD = -1;
// The tent faces this way while set up, the pontoon layer this way.
constexpr std::int32_t kTentFacing = 7;
constexpr std::int32_t kPontoonFacing = 1;

// The animations the person commands show: halted, and sending someone back.
constexpr std::uint16_t kAnimHalted = 4;
constexpr std::uint16_t kAnimSendBack = 5;
// The lying picture the put-down point is measured against.
constexpr int kAnimCarriedLying = 2;

// Selection modes the commands look at (one vehicle of that type, one person of 1000 + type).
constexpr std::uint16_t kModePontoonLayer = kTypF113;
constexpr std::uint16_t kModeBoatCarrier = kTypF117;
constexpr std::uint16_t kModeTrailer = kTypF118;
constexpr std::uint16_t kModeTent = kTypF204;
constexpr std::uint16_t kModeLoadedCrane = kTypF110MD;
constexpr std::array<std::uint16_t, 3> kModesCarryingCasualty = {1012, 1019, 1024};
constexpr std::uint16_t kModeCarryingObject = 1014;
constexpr std::uint16_t kModeStretcherLoaded = 1026;

constexpr std::int8_t kPersonTypFireman = 1;
constexpr std::int16_t kFahrzeugAnimLadderUp = 13;
constexpr std::uint16_t kNoPontonPunkt = 65535;

bool InRange(std::uint16_t mode, int first, int last) {
    const int m = static_cast<std::int16_t>(mode);
    return m >= first && m <= last;
}

bool IsVehicleMode(std::uint16_t mode) {
    return InRange(mode, 0, kPersonSelected - 1);
}

bool IsPersonMode(std::uint16_t mode) {
    return InRange(mode, kPersonSelected, kEquipmentSelectedLast) || mode == kBoxGroupSelected;
}

int Whole(float v) {
    return TruncInt(v);
}

// Replaces the unit's orders by a turn to direction d, without a word.
void TurnTo(UnitHead& unit, const UnitTypHead& type, std::uint8_t d) {
    SetBefehl(unit, type, kOpTurn, kSilent, 0, 0, d, 0, 0);
}

// --- Put-down points ---

using Quantities = std::array<int, static_cast<std::size_t>(Quantity::Count)>;

int& At(Quantities& q, Quantity which) {
    return q[static_cast<std::size_t>(which)];
}

int Evaluate(const Sum& sum, const Quantities& q) {
    int total = 0;
    for (const Addend& a : sum) total += a.factor * q[static_cast<std::size_t>(a.quantity)];
    return total;
}

struct Offset {
    int x = 0;
    int y = 0;
};

// The row of the table for direction d; d is always one of the four put-down directions.
Offset PutDownOffset(const PutDownTable& table, std::uint8_t d, Quantities q) {
    const auto row = std::find_if(table.begin(), table.end(),
                                  [d](const PutDownRow& r) { return r.direction == d; });
    if (row == table.end()) return {};
    At(q, Quantity::One) = 1;
    At(q, Quantity::K) = Evaluate(row->k, q);
    At(q, Quantity::KDiagonal) = At(q, Quantity::K) * 4 / 11;
    return {Evaluate(row->x, q), Evaluate(row->y, q)};
}

void SetHalfExtents(Quantities& q, std::int16_t type, Quantity w, Quantity h) {
    const FahrzeugTyp* t = FahrzeugTypAt(type);
    if (t == nullptr) return;
    At(q, w) = (t->extent[2] - t->extent[0]) >> 1;
    At(q, h) = (t->extent[3] - t->extent[1]) >> 1;
}

void SetBox(Quantities& q, int x0, int y0, int x1, int y1) {
    At(q, Quantity::X0) = x0;
    At(q, Quantity::Y0) = y0;
    At(q, Quantity::X1) = x1;
    At(q, Quantity::Y1) = y1;
    At(q, Quantity::HalfX1) = x1 >> 1;
    At(q, Quantity::HalfY1) = y1 >> 1;
}

void SetPicture(Quantities& q, const AnimSlot& slot) {
    SetBox(q, slot.box[0], slot.box[1], slot.box[2], slot.box[3]);
    At(q, Quantity::HotX) = slot.hotX;
    At(q, Quantity::HotY) = slot.hotY;
}

bool HasPicture(const AnimSlot& slot) {
    return slot.frames != 0 && slot.images != nullptr;
}

// --- Vehicle commands ---

// The ladder vehicle first brings its basket home and down and takes the ladder down; a landed
// helicopter takes off; then the vehicle drives to the exit and leaves the map.
void SendBackToBase(Fahrzeug& v, const FahrzeugTyp& typ) {
    const bool water =
        std::find(kWaterExitTypes.begin(), kWaterExitTypes.end(), v.type) != kWaterExitTypes.end();
    const MapExitPoint& exit = water ? WaterExit : RoadExit;
    if (v.type == kTypF106 && (v.anim == kFahrzeugAnimOpen || v.anim == kFahrzeugAnimLadderUp)) {
        if (v.kanzel != nullptr && v.kanzel->down != 0) {
            SetBefehl(v, typ, kOpTakeDown, kAck, 0, 0, 0, 0, 0);
        } else {
            SetBefehl(v, typ, kOpBasketToColumn, kAck, kBasketHomeColumn, 0, 0, 0, 0);
            AppendBefehl(v, kOpBasketDown, 0, 0, 0, 0, kAppended);
            AppendBefehl(v, kOpTakeDown, 0, 0, 0, 0, kAppended);
        }
        AppendBefehl(v, kOpBasketUp, 0, 0, 0, 0, kAppended);
        AppendBefehl(v, kOpMove, exit.x, exit.y, 0, 0, kAppended);
    } else if (v.type == kTypF203 && v.link2 != kNoLink) {
        SetBefehl(v, typ, kOpTakeOff, kAckTakeOff, 0, 0, 0, 0, 0);
        AppendBefehl(v, kOpMove, exit.x, exit.y, 0, 0, kAppended);
    } else {
        SetBefehl(v, typ, kOpMove, kAckDrive, exit.x, exit.y, 0, 0, 0);
    }
    AppendBefehl(v, kOpLeaveMap, 0, 0, 0, 0, kAppended);
}

// The carrier launches its boat where it stands on a boat point with the point's facing.
void LaunchBoat(Fahrzeug& v, const FahrzeugTyp& typ) {
    const int px = Whole(v.x);
    const int py = Whole(v.y);
    for (std::size_t i = 0; i < BootPunkte.size(); ++i) {
        const BootPunkt& b = BootPunkte[i];
        if (b.active == 0 || b.x != px || b.y != py || b.facing != v.direction) continue;
        SetBefehl(v, typ, kOpLaunchBoat, kAck, static_cast<std::int32_t>(i), 0, 0, 0, 0);
        return;
    }
}

// Turns to the put-down direction and sets the load down at the table's point.
void SetLoadDown(Fahrzeug& v, const FahrzeugTyp& typ, std::uint8_t opcode,
                 const PutDownTable& table, std::uint8_t d, const Quantities& q) {
    const Offset o = PutDownOffset(table, d, q);
    TurnTo(v, typ, d);
    AppendBefehl(v, opcode, Whole(v.x) + o.x, Whole(v.y) + o.y, 0, 0, kAppended);
}

void Unload(Fahrzeug& v, const FahrzeugTyp& typ) {
    const std::uint8_t d = PutDownDirection(v.direction);
    Quantities q{};
    switch (SelectionMode) {
        case kModeBoatCarrier:
            LaunchBoat(v, typ);
            return;
        case kModeTrailer:
            SetHalfExtents(q, kUnloadTrailer, Quantity::CarrierW, Quantity::CarrierH);
            SetHalfExtents(q, kUnloadTrailerBoat, Quantity::LoadW, Quantity::LoadH);
            SetLoadDown(v, typ, kOpSetBoatDown, kTrailerBoatUnload, d, q);
            return;
        case kModeLoadedCrane:
            break;
        default:
            return;
    }
    SetHalfExtents(q, kUnloadCrane, Quantity::CarrierW, Quantity::CarrierH);
    if (v.link < kCarriedFahrzeugLink) {
        const SonderObj* o = SonderObjAt(v.link);
        const SonderObjTyp* ot = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
        if (ot == nullptr) return;
        SetBox(q, ot->boxX0, ot->boxY0, ot->boxX1, ot->boxY1);
        SetLoadDown(v, typ, kOpPutDownObject, kCraneObjectUnload, d, q);
        return;
    }
    const Fahrzeug* carried = UsedFahrzeugAt(v.link - kCarriedFahrzeugLink);
    if (carried == nullptr) return;
    const AnimSlot& slot = FahrzeugAnimSlot(carried->type, d, 0);
    if (!HasPicture(slot)) return;
    SetPicture(q, slot);
    SetLoadDown(v, typ, kOpSetVehicleDown, kCraneVehicleUnload, d, q);
}

// The tent sets up where it stands; the pontoon layer at the first pontoon point in line with it.
void SetUp(Fahrzeug& v, const FahrzeugTyp& typ) {
    const int px = Whole(v.x);
    const int py = Whole(v.y);
    if (SelectionMode == kModeTent) {
        SetBefehl(v, typ, kOpTurn, kAck, px, py, kTentFacing, 0, 0);
        AppendBefehl(v, kOpSetUp, 0, 0, 0, 0, kAppended);
        return;
    }
    if (SelectionMode != kModePontoonLayer) return;
    for (std::size_t i = 0; i < PontonPunkte.size(); ++i) {
        const PontonPunkt& p = PontonPunkte[i];
        if (p.x == kNoPontonPunkt || (p.x != px && p.y != py)) continue;
        SetBefehl(v, typ, kOpTurn, kAck, px, py, kPontoonFacing, 0, 0);
        AppendBefehl(v, kOpSetUp, static_cast<std::int32_t>(i), 0, 0, 0, kAppended);
        return;
    }
}

void RunVehicleCommand(std::uint16_t command, std::int16_t index, Fahrzeug& v) {
    const FahrzeugTyp& typ = FahrzeugTypOf(v);
    switch (command) {
        case kCmdAllOut:
            SetBefehl(v, typ, kOpCrewOut, kAck, kDoorTicks, kEveryoneOut, 0, 0, 0);
            return;
        case kCmdStaffOut:
            SetBefehl(v, typ, kOpCrewOut, kAck, kDoorTicks, kStaffOut, 0, 0, 0);
            return;
        case kCmdBackToBase:
            SendBackToBase(v, typ);
            return;
        case kCmdWaterOn:
            if (WasserStrahl* jet = FahrzeugWasserStrahl(index)) {
                jet->autoAim = 1;
                jet->active = 0;
            }
            return;
        case kCmdWaterOff:
            if (WasserStrahl* jet = FahrzeugWasserStrahl(index)) {
                StopWasserStrahl(index, 0);
                jet->autoAim = 0;
            }
            return;
        case kCmdBasketDown:
            SetBefehl(v, typ, kOpBasketToColumn, kAck, kBasketHomeColumn, 0, 0, 0, 0);
            AppendBefehl(v, kOpBasketDown, 0, 0, 0, 0, kAppended);
            return;
        case kCmdUnload:
            Unload(v, typ);
            return;
        case kCmdTakeDown:
            if (SelectionMode == kModePontoonLayer || SelectionMode == kModeTent)
                SetBefehl(v, typ, kOpTakeDown, kAck, 0, 0, 0, 0, 0);
            return;
        case kCmdSetUp:
            SetUp(v, typ);
            return;
        default:
            return;
    }
}

// --- Person commands ---

// The carrier lays its casualty down, the object carrier puts its object down, the stretcher team
// unloads its patient; each first turns to the put-down direction.
void PutDown(Person& p) {
    const PersonTyp& typ = PersonTypOf(p);
    const std::uint8_t d = PutDownDirection(p.direction);
    if (std::find(kModesCarryingCasualty.begin(), kModesCarryingCasualty.end(), SelectionMode) !=
        kModesCarryingCasualty.end()) {
        const Person* carried = LinkedPartner(p.link);
        if (carried == nullptr) return;
        const AnimSlot& lying = PersonAnimSlot(
            carried->type, WrapDirection(d + kDirectionCount / 2), kAnimCarriedLying);
        if (!HasPicture(lying)) return;
        Quantities q{};
        SetPicture(q, lying);
        const Offset o = PutDownOffset(kCasualtyPutDown, d, q);
        TurnTo(p, typ, d);
        AppendBefehl(p, kOpPutDownCasualty, d, Whole(p.x) + o.x, Whole(p.y) + o.y, 0, kAppended);
    } else if (SelectionMode == kModeCarryingObject) {
        TurnTo(p, typ, d);
        AppendBefehl(p, kOpPutDownCarried, d, 0, 0, 0, kAppended);
    } else if (SelectionMode == kModeStretcherLoaded) {
        TurnTo(p, typ, d);
        AppendBefehl(p, kOpUnloadStretcher, d, 0, 0, 0, kAppended);
    }
}

// The person walks to the nearer of the vehicle's two compartments, takes or gives back the
// equipment there and turns.
void EquipmentOrder(const CommandRow& row, std::int16_t index, Person& p) {
    if (row.firemenOnly && p.type != kPersonTypFireman) {
        SetMessageLine(kFiremenOnlyMessage, 60);
        return;
    }
    const Fahrzeug* w = UsedFahrzeugAt(p.link2);
    if (w == nullptr) return;
    const auto vehicle = static_cast<std::int16_t>(p.link2);
    const FahrzeugPunkt side = GetFahrzeugSidePoint(vehicle, index);
    const FahrzeugPunkt other = GetFahrzeugOtherSidePoint(vehicle, index);
    GoalList goals{{static_cast<float>(side.x), static_cast<float>(side.y), side.facing, 0},
                   {static_cast<float>(other.x), static_cast<float>(other.y), other.facing, 0}};
    SetBefehl(p, PersonTypOf(p), kOpGoals, kAck, std::move(goals), 0, 0, 0);
    AppendBefehl(p, row.equipmentOrder, vehicle, Whole(w->x), Whole(w->y), 0, kAppended);
    AppendBefehl(p, kOpTurn, 0, 0, kEquipmentTurn, kEquipmentTurnD, kAppended);
}

// The person gets back into the vehicle it stands at.
void Board(Person& p) {
    Fahrzeug* w = UsedFahrzeugAt(p.link2);
    if (w == nullptr) return;
    SelectionMode = static_cast<std::uint16_t>(kPersonSelected + p.type);
    w->selected = 0;
    OrderPersonIntoFahrzeug(static_cast<std::int16_t>(p.link2));
    p.link2 = kNoLink;
}

void Halt(std::int16_t index, Person& p, std::uint16_t anim) {
    SetPersonAnim(index, anim);
    UpdatePersonDrawPos(p);
}

void RunPersonCommand(std::uint16_t command, std::int16_t index, Person& p) {
    const CommandRow& row = kCommands[command];
    if (row.equipmentOrder != 0) {
        EquipmentOrder(row, index, p);
        return;
    }
    switch (command) {
        case kCmdPutDown:
            PutDown(p);
            return;
        case kCmdStop:
            ClearBefehle(p);
            Halt(index, p, kAnimHalted);
            return;
        case kCmdSendBack:
            TurnTo(p, PersonTypOf(p), GetPersonTargetDirection(index));
            Halt(index, p, kAnimSendBack);
            return;
        case kCmdBoard:
            Board(p);
            return;
        case kCmdLetGo:
            if (const PersonLink led = DecodePersonLink(p.link); led.kind == PersonLinkKind::Leads)
                ReleaseLedPerson(static_cast<std::int16_t>(led.index), index, 1);
            return;
        case kCmdPutDownTyre:
            PutDownReifen(index);
            return;
        case kCmdDropEquipment:
            SetBefehl(p, PersonTypOf(p), kOpDropEquipment, kAck, 0, 0, 0, 0, 0);
            return;
        default:
            return;
    }
}

// A side button fires like a command button, with its own click, and opens its screen after the
// save game's preview is taken.
bool FireSideButton(SideButton& button, void (*open)()) {
    if (button.pressed == 0) return false;
    if (static_cast<std::int16_t>(++button.frameCounter) < kFiringFrame) return false;
    PlaySoundFx(kSoundClickLow, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    if (ScreenCalls().MakeSavePreview != nullptr) ScreenCalls().MakeSavePreview();
    if (open != nullptr) open();
    button.pressed = 0;
    return true;
}

}  // namespace

std::uint8_t PutDownDirection(int facing) {
    if (facing < 0 || facing >= kDirectionCount) return kPutDownDirection[0];
    return kPutDownDirection[static_cast<std::size_t>(facing)];
}

int RunCommandSlots() {
    for (CommandSlot& slot : CommandSlots) {
        if (slot.pressed == 0) continue;
        if (static_cast<std::int16_t>(++slot.frameCounter) < kFiringFrame) continue;
        // The command the slot holds now runs, whatever it held at the press.
        ExecuteCommand(slot.command);
        slot.pressed = 0;
    }
    if (FireSideButton(MapButton, ScreenCalls().OpenKarte)) return 0;
    if (FireSideButton(OptionsButton, ScreenCalls().OpenOptionsScreen)) return 0;
    return 1;
}

void ExecuteCommand(std::uint16_t command) {
    if (command == kNoCommand) return;
    PlaySoundFx(kSoundClickHigh, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    if (command >= kCommandCount) return;
    // The selection may have changed since the panel offered the command.
    if (kCommands[command].unit == CommandUnit::Vehicle) {
        Fahrzeug* v = IsVehicleMode(SelectionMode) ? UsedFahrzeugAt(SelectedIndex) : nullptr;
        if (v != nullptr) RunVehicleCommand(command, static_cast<std::int16_t>(SelectedIndex), *v);
        return;
    }
    Person* p = IsPersonMode(SelectionMode) ? UsedPersonAt(SelectedIndex) : nullptr;
    if (p != nullptr) RunPersonCommand(command, static_cast<std::int16_t>(SelectedIndex), *p);
}

std::string_view GetCommandLabel(std::uint16_t id) {
    return GetCommandLabel(id, GameMode);
}

std::string_view GetCommandLabel(std::uint16_t id, std::uint32_t mode) {
    if (std::find(kBaseLabelModes.begin(), kBaseLabelModes.end(), mode) != kBaseLabelModes.end()) {
        switch (id) {
            case 0:
                return kBaseStartLabel;
            case 1:
                return kBaseStaffLabel;
            case 2:
                return mode == kHelicopterBaseMode ? kBaseHelicopterLabel : kBaseVehiclesLabel;
            default:
                return {};
        }
    }
    return id < kCommandCount ? std::string_view(kCommands[id].label) : std::string_view();
}

}  // namespace kv
