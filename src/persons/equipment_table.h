#pragma once
// The equipment fire fighters take from a vehicle's compartment. A person carries equipment by
// being of another type: per take order, the type each of the three base types (1, 2 and 3)
// turns into, and the selection modes, besides 1000 + the base type, in which the player's
// selection follows the person to its new type. Giving equipment back or dropping it reads the
// same table backwards. The order handlers and the tests read it.

#include <array>
#include <cstdint>

namespace kv {

// The base types are 1, 2 and 3; the table's columns run in that order.
inline constexpr std::int8_t kFirstEquipmentBase = 1;
inline constexpr int kEquipmentBaseCount = 3;
// A base type without a variant for the order keeps its type.
inline constexpr std::int8_t kNoVariant = -1;

struct EquipmentRow {
    std::uint8_t opcode;
    std::array<std::int8_t, kEquipmentBaseCount> variant;
    std::array<std::uint16_t, 2> extraModes;  // 0: none
};

inline constexpr std::uint8_t kOpTakeFeuerloescher = 154;
inline constexpr std::uint8_t kOpTakeMetallschneider = 155;
inline constexpr std::uint8_t kOpTakeSchlauch = 156;
inline constexpr std::uint8_t kOpReturnEquipment = 157;
inline constexpr std::uint8_t kOpTakeMotorsaege = 175;
inline constexpr std::uint8_t kOpTakeSeil = 211;

inline constexpr std::array<EquipmentRow, 5> kEquipmentRows = {{
    {kOpTakeFeuerloescher, {8, 16, 21}, {2003, 0}},
    {kOpTakeMetallschneider, {9, 17, 22}, {2007, 2009}},
    {kOpTakeSchlauch, {10, kNoVariant, kNoVariant}, {2001, 2005}},
    {kOpTakeMotorsaege, {13, 20, 25}, {2001, 2009}},
    {kOpTakeSeil, {15, kNoVariant, kNoVariant}, {2005, 0}},
}};

// The row of a take order; null for any other opcode.
constexpr const EquipmentRow* FindEquipmentRow(std::uint8_t opcode) {
    for (const EquipmentRow& row : kEquipmentRows)
        if (row.opcode == opcode) return &row;
    return nullptr;
}

// What a person of the type turns into by the take order: its variant, or the type itself.
constexpr std::int8_t EquipmentVariant(const EquipmentRow& row, std::int8_t type) {
    const int column = type - kFirstEquipmentBase;
    if (column < 0 || column >= kEquipmentBaseCount) return type;
    const std::int8_t variant = row.variant[static_cast<std::size_t>(column)];
    return variant == kNoVariant ? type : variant;
}

// The base type of an equipment variant; any other type is its own.
constexpr std::int8_t EquipmentBase(std::int8_t type) {
    for (const EquipmentRow& row : kEquipmentRows)
        for (int column = 0; column < kEquipmentBaseCount; ++column)
            if (row.variant[static_cast<std::size_t>(column)] == type && type != kNoVariant)
                return static_cast<std::int8_t>(kFirstEquipmentBase + column);
    return type;
}

}  // namespace kv
