#pragma once
// The one opcode space of persons and vehicles: 0..12 mean the same for both, 40..83 are vehicle
// orders, 150..227 person orders. Per opcode: how its arguments are built, whether the
// interpreter updates the unit's zone after it, which interpreter has a handler, and which of
// the queue's drop operations discard it. The queue, both interpreters and the save game read
// this one table.

#include <array>
#include <cstdint>
#include <initializer_list>

namespace kv {

// How AppendBefehl and PushBefehl turn their four integer arguments into the order's words.
enum class BefehlForm : std::uint8_t {
    Raw,    // the integers as they are
    Move,   // all four as f32
    Turn,   // a and b as f32, c and d integers
    Route,  // all four as f32, and the final target (finalX, finalY) = (a, b)
};

struct BefehlOpcodeRow {
    BefehlForm form = BefehlForm::Raw;
    bool zone = false;          // the interpreter updates the unit's zone after the handler
    bool person = false;        // the person interpreter has a handler
    bool vehicle = false;       // the vehicle interpreter has a handler
    bool dropWhenDone = false;  // DropDoneMoveBefehle pops it once flag bit 0 is set
    bool movement = false;      // DropMoveBefehle pops it
    bool routeLeg = false;      // DropDoneRouteBefehle looks at its route flag
};

inline constexpr int kBefehlOpcodeCount = 256;

// Opcodes named by number outside their handlers.
inline constexpr std::uint8_t kOpMove = 0;
inline constexpr std::uint8_t kOpTurn = 1;
inline constexpr std::uint8_t kOpGoals = 2;
inline constexpr std::uint8_t kOpStraight = 3;
inline constexpr std::uint8_t kOpMoveBackwards = 4;
inline constexpr std::uint8_t kOpGoalsCallback = 5;
inline constexpr std::uint8_t kOpFollow = 6;  // second in the queue: a callback marker
inline constexpr std::uint8_t kOpWait = 7;
inline constexpr std::uint8_t kOpHold = 9;
inline constexpr std::uint8_t kOpClear = 10;
inline constexpr std::uint8_t kOpPlace = 12;
inline constexpr std::uint8_t kOpOpenDoor = 41;      // a vehicle opens its door a while
inline constexpr std::uint8_t kOpLeaveMap = 42;      // a vehicle drives off the map
inline constexpr std::uint8_t kOpBurnOut = 44;       // a vehicle burns out
inline constexpr std::uint8_t kOpTakeUpObject = 45;  // the crane
inline constexpr std::uint8_t kOpTraffic = 47;
inline constexpr std::uint8_t kOpLeave = 48;
inline constexpr std::uint8_t kOpFlyAlong = 49;  // the fire-fighting aircraft
inline constexpr std::uint8_t kOpWaterDrop = 50;
inline constexpr std::uint8_t kOpLand = 51;  // the helicopter
inline constexpr std::uint8_t kOpTakeOff = 52;
inline constexpr std::uint8_t kOpCannonAtCell = 53;
inline constexpr std::uint8_t kOpRouteLeg = 54;
inline constexpr std::uint8_t kOpCannonAim = 55;  // the cannon at a house cell
inline constexpr std::uint8_t kOpTurnToward = 56;
inline constexpr std::uint8_t kOpSetUp = 57;  // ladder, pontoon layer, tent
inline constexpr std::uint8_t kOpBasketDown = 58;
inline constexpr std::uint8_t kOpBasketUp = 59;
inline constexpr std::uint8_t kOpBasketToColumn = 60;
inline constexpr std::uint8_t kOpTakeDown = 62;
inline constexpr std::uint8_t kOpCannonAtObject = 67;
inline constexpr std::uint8_t kOpLaunchBoat = 71;
inline constexpr std::uint8_t kOpTakeBoatBack = 72;
inline constexpr std::uint8_t kOpPushSonderObj = 75;  // along x, to a target x
inline constexpr std::uint8_t kOpCircle = 80;         // mission 30's shark
inline constexpr std::uint8_t kOpAttack = 81;
inline constexpr std::uint8_t kOpChase = 82;
inline constexpr std::uint8_t kOpTreat = 150;  // a medic treats a casualty
inline constexpr std::uint8_t kOpBoard = 151;
inline constexpr std::uint8_t kOpLoadStretcher = 152;
inline constexpr std::uint8_t kOpWorkThenRemove = 158;  // works at a special object, takes it
inline constexpr std::uint8_t kOpGaffer = 159;          // an onlooker walks to its target
inline constexpr std::uint8_t kOpFollowTrail = 160;
inline constexpr std::uint8_t kOpTakeAlong = 161;
inline constexpr std::uint8_t kOpMarkHouse = 162;  // for evacuation, or the arsonist's mark
inline constexpr std::uint8_t kOpPickUpCasualty = 164;
inline constexpr std::uint8_t kOpEnterHouse = 169;
inline constexpr std::uint8_t kOpLeaveHouse = 170;
inline constexpr std::uint8_t kOpChangeStorey = 171;
inline constexpr std::uint8_t kOpEnterKanzel = 181;  // into the ladder basket
inline constexpr std::uint8_t kOpLeaveKanzel = 182;
inline constexpr std::uint8_t kOpWorkAtSonderObj = 183;   // works, then calls its callback slot
inline constexpr std::uint8_t kOpSonderObjCommand = 192;  // opens or closes a special object
inline constexpr std::uint8_t kOpSetHouseOnFire = 194;
inline constexpr std::uint8_t kOpRemoveSonderObj = 196;
inline constexpr std::uint8_t kOpTakeUpright = 197;   // mission 12's own
inline constexpr std::uint8_t kOpCloseGasLeak = 222;  // mission 17's own
inline constexpr std::uint8_t kOpSetSonderObjFrame = 223;

// What a follow order (opcode 6 at the head) names in the low half of its c.
inline constexpr std::int16_t kFollowFahrzeug = 1;
inline constexpr std::int16_t kFollowPerson = 4;

namespace befehl_opcodes_detail {

constexpr bool In(int op, std::initializer_list<int> set) {
    for (int v : set)
        if (v == op) return true;
    return false;
}

constexpr std::array<BefehlOpcodeRow, kBefehlOpcodeCount> BuildTable() {
    std::array<BefehlOpcodeRow, kBefehlOpcodeCount> rows{};
    for (int op = 0; op < kBefehlOpcodeCount; ++op) {
        BefehlOpcodeRow& r = rows[static_cast<std::size_t>(op)];
        if (In(op, {0, 3, 4, 47, 159}))
            r.form = BefehlForm::Move;
        else if (op == 1)
            r.form = BefehlForm::Turn;
        else if (op == 54)
            r.form = BefehlForm::Route;
        r.zone = In(op, {0, 1, 3, 4, 8, 12, 47, 54, 56, 159});
        const bool shared = op <= 12 && op != kOpHold;
        r.person = shared || (op >= 150 && op <= 227);
        r.vehicle = shared || (op >= 40 && op <= 83);
        r.dropWhenDone = In(op, {0, 1, 3, 4, 12, 54, 159});
        r.movement = In(op, {0, 1, 2, 3, 4, 5, 6, 8, 12, 54, 159});
        r.routeLeg = In(op, {0, 54});
    }
    return rows;
}

}  // namespace befehl_opcodes_detail

inline constexpr std::array<BefehlOpcodeRow, kBefehlOpcodeCount> BefehlOpcodes =
    befehl_opcodes_detail::BuildTable();

constexpr const BefehlOpcodeRow& BefehlOpcode(std::uint8_t opcode) {
    return BefehlOpcodes[opcode];
}

}  // namespace kv
