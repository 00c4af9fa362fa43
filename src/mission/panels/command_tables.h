#pragma once
// The numbers behind the command buttons: the 22 commands with their labels, the orders that the
// equipment commands give, which way a unit puts things down, and where it puts them. The
// commands, the control panel and the tests read these tables.

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/cp1252.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

inline constexpr int kCommandCount = 22;

// Commands the code names.
inline constexpr std::uint16_t kCmdAllOut = 0;
inline constexpr std::uint16_t kCmdStaffOut = 1;
inline constexpr std::uint16_t kCmdPutDown = 2;
inline constexpr std::uint16_t kCmdBackToBase = 3;
inline constexpr std::uint16_t kCmdStop = 4;
inline constexpr std::uint16_t kCmdSendBack = 5;
inline constexpr std::uint16_t kCmdExtinguisher = 6;
inline constexpr std::uint16_t kCmdMetalCutter = 7;
inline constexpr std::uint16_t kCmdHose = 8;
inline constexpr std::uint16_t kCmdBoard = 9;
inline constexpr std::uint16_t kCmdReturnEquipment = 10;
inline constexpr std::uint16_t kCmdLetGo = 11;
inline constexpr std::uint16_t kCmdWaterOn = 12;
inline constexpr std::uint16_t kCmdWaterOff = 13;
inline constexpr std::uint16_t kCmdChainsaw = 14;
inline constexpr std::uint16_t kCmdBasketDown = 15;
inline constexpr std::uint16_t kCmdPutDownTyre = 16;
inline constexpr std::uint16_t kCmdUnload = 17;
inline constexpr std::uint16_t kCmdTakeDown = 18;
inline constexpr std::uint16_t kCmdSetUp = 19;
inline constexpr std::uint16_t kCmdDropEquipment = 20;
inline constexpr std::uint16_t kCmdRope = 21;

// Whom a command acts on: the selected vehicle or the selected person.
enum class CommandUnit : std::uint8_t { Vehicle, Person };

struct CommandRow {
    // Windows-1252; '|' starts the label's second line.
    const char* label;
    CommandUnit unit;
    // The person order the equipment commands give at the vehicle; 0 for the other commands.
    std::uint8_t equipmentOrder;
    // Only fire fighters without extra equipment (person type 1) may take it.
    bool firemenOnly;
};

inline constexpr std::array<CommandRow, kCommandCount> kCommands = {{
    {"ALLE|AUSSTEIGEN", CommandUnit::Vehicle, 0, false},
    {"PERSONAL|AUSSTEIGEN", CommandUnit::Vehicle, 0, false},
    {"ABLEGEN", CommandUnit::Person, 0, false},
    {"ZUR BASIS", CommandUnit::Vehicle, 0, false},
    {"STOPP", CommandUnit::Person, 0, false},
    {W("ZURÜCK-|SCHICKEN"), CommandUnit::Person, 0, false},
    {W("FEUER-|LÖSCHER"), CommandUnit::Person, 154, false},
    {"METALL-|SCHNEIDER", CommandUnit::Person, 155, false},
    {"SCHLAUCH", CommandUnit::Person, 156, true},
    {"EINSTEIGEN", CommandUnit::Person, 0, false},
    {"EQUIPMENT|ABGEBEN", CommandUnit::Person, 157, false},
    {"LOSLASSEN", CommandUnit::Person, 0, false},
    {"WASSER AN", CommandUnit::Vehicle, 0, false},
    {"WASSER AUS", CommandUnit::Vehicle, 0, false},
    {W("MOTORSÄGE"), CommandUnit::Person, 175, false},
    {"KANZEL|RUNTER", CommandUnit::Vehicle, 0, false},
    {"REIFEN|ABLEGEN", CommandUnit::Person, 0, false},
    {"ABLADEN", CommandUnit::Vehicle, 0, false},
    {"ABBAUEN", CommandUnit::Vehicle, 0, false},
    {"AUFBAUEN", CommandUnit::Vehicle, 0, false},
    {"EQUIPMENT|ABLEGEN", CommandUnit::Person, 0, false},
    {"SEIL", CommandUnit::Person, 211, true},
}};

// The labels of the three buttons on the order panel and the base screens, by button.
inline constexpr std::string_view kBaseStartLabel = "START";
inline constexpr std::string_view kBaseStaffLabel = "PERSONAL";
inline constexpr std::string_view kBaseVehiclesLabel = "FAHRZEUGE";
inline constexpr std::string_view kBaseHelicopterLabel = "HELIKOPTER";
// The game modes whose buttons carry those labels, and the helicopter base among them.
inline constexpr std::array<std::uint32_t, 5> kBaseLabelModes = {3, 8, 13, 14, 15};
inline constexpr std::uint32_t kHelicopterBaseMode = 14;

// The shown refusal when a command hands out what only fire fighters carry.
inline constexpr const char* kFiremenOnlyMessage =
    W("Nur für Feuerwehrmänner ohne Zusatzausrüstung!");

// The direction a unit puts things down in, by its facing: the nearest of 1, 3, 7 and 9.
inline constexpr std::array<std::uint8_t, 12> kPutDownDirection = {1, 1, 1, 3, 3, 7,
                                                                   7, 7, 7, 9, 9, 1};

// Put-down points: where a unit at (px, py) facing the put-down direction puts its load, as sums
// of named quantities. Halves are arithmetic shifts; K x 4 / 11 truncates toward zero, so that a
// step of K rows down a screen diagonal goes that many columns sideways.
enum class Quantity : std::uint8_t {
    One,
    K,          // the row's own distance, a sum of the quantities below
    KDiagonal,  // K x 4 / 11
    CarrierW,   // half the extent width and height of the carrying vehicle's type
    CarrierH,
    LoadW,  // the same of the carried vehicle's type
    LoadH,
    X0,  // the load's picture box (for a special object its type's box), corners
    Y0,  // included
    X1,
    Y1,
    HalfX1,  // X1 and Y1 halved
    HalfY1,
    HotX,  // the hot spot of the load's picture
    HotY,
    Count,
};
struct Addend {
    Quantity quantity = Quantity::One;
    std::int8_t factor = 0;  // 0: unused
};
using Sum = std::array<Addend, 4>;
struct PutDownRow {
    std::uint8_t direction;
    Sum k;
    Sum x;  // added to px
    Sum y;  // added to py
};
using PutDownTable = std::array<PutDownRow, 4>;

namespace command_tables_detail {
using Q = Quantity;
}  // namespace command_tables_detail

// A carried person laid down (person order 165): the box of picture 2 of its type, facing the
// other way, (direction + 6) mod 12.
inline constexpr PutDownTable kCasualtyPutDown = [] {
    using command_tables_detail::Q;
    return PutDownTable{{
        {1, {}, {{{Q::One, -8}}}, {{{Q::One, 7}, {Q::Y0, -1}, {Q::HotY, 1}}}},
        {3, {}, {{{Q::One, -7}, {Q::X1, -1}, {Q::HotX, 1}}}, {{{Q::One, -3}}}},
        {7, {}, {{{Q::One, 8}}}, {{{Q::One, -7}, {Q::Y1, -1}, {Q::HotY, 1}}}},
        {9, {}, {{{Q::One, 7}, {Q::X0, -1}, {Q::HotX, 1}}}, {{{Q::One, -3}}}},
    }};
}();

// The trailer (F118) sets its boat (F114) down (vehicle order 65).
inline constexpr PutDownTable kTrailerBoatUnload = [] {
    using command_tables_detail::Q;
    constexpr Sum kDistance{{{Q::CarrierH, 1}, {Q::LoadH, 1}, {Q::One, 2}}};
    return PutDownTable{{
        {1, kDistance, {{{Q::KDiagonal, -1}}}, {{{Q::K, 1}}}},
        {3, kDistance, {{{Q::CarrierW, -1}, {Q::LoadW, -1}, {Q::One, -2}}}, {}},
        {7, kDistance, {{{Q::KDiagonal, 1}}}, {{{Q::K, -1}}}},
        {9, kDistance, {{{Q::LoadW, 1}, {Q::CarrierW, 1}, {Q::One, 2}}}, {}},
    }};
}();

// The loaded crane (F110MD) puts its special object down (vehicle order 46); the box is the
// object type's x0, y0, w, h.
inline constexpr PutDownTable kCraneObjectUnload = [] {
    using command_tables_detail::Q;
    return PutDownTable{{
        {1,
         {{{Q::CarrierH, 1}, {Q::Y0, -1}, {Q::One, 1}}},
         {{{Q::HalfX1, -1}, {Q::KDiagonal, -1}}},
         {{{Q::K, 1}}}},
        {3, {}, {{{Q::X1, -1}, {Q::CarrierW, -1}, {Q::One, -2}}}, {{{Q::HalfY1, -1}}}},
        {7,
         {{{Q::CarrierH, 1}, {Q::Y1, 1}, {Q::One, 1}}},
         {{{Q::HalfX1, -1}, {Q::KDiagonal, 1}}},
         {{{Q::K, -1}}}},
        {9, {}, {{{Q::CarrierW, 1}, {Q::X0, -1}, {Q::One, 2}}}, {{{Q::HalfY1, -1}}}},
    }};
}();

// The loaded crane sets its vehicle down (vehicle order 74): the box and hot spot of the carried
// vehicle's picture 0 in the put-down direction.
inline constexpr PutDownTable kCraneVehicleUnload = [] {
    using command_tables_detail::Q;
    return PutDownTable{{
        {1,
         {{{Q::CarrierH, 1}, {Q::Y0, -1}, {Q::One, 1}}},
         {{{Q::KDiagonal, -1}}},
         {{{Q::HotY, 1}, {Q::K, 1}}}},
        {3, {}, {{{Q::HotX, 1}, {Q::X1, -1}, {Q::CarrierW, -1}, {Q::One, -2}}}, {}},
        {7,
         {{{Q::CarrierH, 1}, {Q::Y1, 1}, {Q::One, 1}}},
         {{{Q::KDiagonal, 1}}},
         {{{Q::HotY, 1}, {Q::K, -1}}}},
        {9, {}, {{{Q::HotX, 1}, {Q::X0, -1}, {Q::CarrierW, 1}, {Q::One, 2}}}, {}},
    }};
}();

// The types whose extents the unload points read.
inline constexpr std::int16_t kUnloadTrailer = kTypF118;
inline constexpr std::int16_t kUnloadTrailerBoat = kTypF114;
inline constexpr std::int16_t kUnloadCrane = kTypF110;

// The vehicle types that leave by the water; every other type leaves by the road.
inline constexpr std::array<std::int16_t, 1> kWaterExitTypes = {kTypF115};

}  // namespace kv
