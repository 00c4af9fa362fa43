#pragma once
// The head that persons and vehicles share field for field: the order queue, stepping, collision
// and path search take either kind of unit through it. `Person` and `Fahrzeug` derive from it and
// add their own fields after it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kv {

struct Befehl;
struct PathSearch;
struct ContourRecord;
struct Route;

// One planned step: the direction to face and the point to reach.
struct MoveStep {
    std::uint8_t direction = 0;
    float x = 0;
    float y = 0;
};

// Entries 0..23 of the step ring; entry 24, the planning origin, is moveDir, moveX and moveY.
inline constexpr int kStepRingEntries = 24;

struct UnitHead {
    std::int8_t type = -1;  // -1: free slot
    std::int8_t direction = 0;
    std::int8_t anim = 0;
    std::uint8_t selected = 0;
    std::int16_t drawX = 0;
    std::int16_t drawY = 0;
    float x = 0;
    float y = 0;
    float height = 0;
    // A person's storey (bases use -3..-5); a vehicle's layer: 0 ground, -1 helicopter, -2
    // aircraft.
    std::int8_t storey = 0;
    Befehl* orders = nullptr;
    std::uint8_t present = 0;
    std::uint8_t targetable = 0;  // a vehicle's first flag byte
    std::uint8_t selectable = 0;  // a vehicle's second flag byte
    std::uint8_t frame = 0;
    std::int8_t frameTimer = 0;
    std::uint16_t link = 0xFFFF;
    std::uint16_t link2 = 0xFFFF;
    std::int32_t energy = 1000000;
    std::uint8_t controlFlags = 0;  // a vehicle's owner flags
    std::uint16_t house = 0xFFFF;
    std::uint8_t stepWrite = 0;
    std::uint8_t stepRead = 0;
    std::array<MoveStep, kStepRingEntries> stepRing{};
    std::uint8_t moveDir = 0;
    float moveX = 0;
    float moveY = 0;
    std::uint8_t moverFlags = 0;
    PathSearch* pathSearch = nullptr;
    ContourRecord* contour = nullptr;
    float speed = 0;
    std::uint32_t moveSpare = 0;
    Befehl* shortcutFirst = nullptr;
    Befehl* shortcutLast = nullptr;
    std::uint8_t stepMarker = 128;
    Route* route = nullptr;
    float aimX = 0;
    float aimY = 0;
    std::uint8_t moveByte = 0;
    std::uint8_t walkCount = 0;
    std::int16_t zone = -1;
    std::int16_t sound = -1;  // id of the looping sound the unit owns; -1 none
};

// The head's fields in the save format: name and width in bytes, pointers counted as 4.
struct UnitHeadField {
    std::string_view name;
    std::uint16_t width = 0;
};
inline constexpr auto kUnitHeadSaveFields = std::to_array<UnitHeadField>({
    {"type", 1},          {"direction", 1},    {"anim", 1},       {"selected", 1},
    {"drawX", 2},         {"drawY", 2},        {"x", 4},          {"y", 4},
    {"height", 4},        {"storey", 1},       {"orders", 4},     {"present", 1},
    {"targetable", 1},    {"selectable", 1},   {"frame", 1},      {"frameTimer", 1},
    {"link", 2},          {"link2", 2},        {"energy", 4},     {"controlFlags", 1},
    {"house", 2},         {"stepWrite", 1},    {"stepRead", 1},   {"stepRing", 24 * 9},
    {"moveDir", 1},       {"moveX", 4},        {"moveY", 4},      {"moverFlags", 1},
    {"pathSearch", 4},    {"contour", 4},      {"speed", 4},      {"moveSpare", 4},
    {"shortcutFirst", 4}, {"shortcutLast", 4}, {"stepMarker", 1}, {"route", 4},
    {"aimX", 4},          {"aimY", 4},         {"moveByte", 1},   {"walkCount", 1},
    {"zone", 2},          {"sound", 2},
});

// The save-format offset of a head field; the head's size for an unknown name.
constexpr std::size_t UnitHeadSaveOffset(std::string_view name) {
    std::size_t offset = 0;
    for (const UnitHeadField& f : kUnitHeadSaveFields) {
        if (f.name == name) return offset;
        offset += f.width;
    }
    return offset;
}
inline constexpr std::size_t kUnitHeadSaveSize = UnitHeadSaveOffset("");

// Where the unit arrays are, for code below persons and vehicles that walks them without knowing
// the whole records (sound). The person and vehicle modules fill these when they allocate their
// arrays and empty them when they free them.
struct UnitArray {
    std::int16_t count = 0;
    UnitHead* (*head)(std::int16_t index) = nullptr;
    // Persons only: the casualty flag, and the sound group of the person's type (-1 none).
    std::uint8_t (*casualty)(std::int16_t index) = nullptr;
    std::int8_t (*soundGroup)(std::int16_t index) = nullptr;

    // Null for an index outside the array.
    UnitHead* at(std::int32_t index) const {
        if (head == nullptr || index < 0 || index >= count) return nullptr;
        return head(static_cast<std::int16_t>(index));
    }
};
extern UnitArray PersonUnits;
extern UnitArray FahrzeugUnits;

}  // namespace kv
