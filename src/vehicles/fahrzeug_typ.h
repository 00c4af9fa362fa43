#pragma once
// The vehicle types: one record per type with its data-file numbers, its constants, its pictures
// per facing and, for five types, its water cannon. A type is loaded at mission start or when a
// vehicle of it first comes into play, and freed at mission end.

#include <array>
#include <cstdint>
#include <string_view>

#include "gfx/image_files.h"
#include "movement/unit_type.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

struct KanoneRichtung {
    std::int16_t anchorX;  // the point of the picture that sits on the mount point
    std::int16_t anchorY;
    VffImage* images;
};

struct KanonePunkt {
    std::int16_t x;
    std::int16_t y;
};

struct KanoneTyp {
    std::array<KanoneRichtung, kDirectionCount> dirs;  // by cannon direction
    // By vehicle facing: where the cannon sits, relative to the vehicle's position.
    std::array<KanonePunkt, kDirectionCount> mount;
    // By cannon direction: from the mount point to the nozzle, where the jet starts.
    std::array<KanonePunkt, kDirectionCount> nozzle;
    std::int16_t strength;  // water of one delivery
    std::int16_t height;    // of the jet's origin above the ground
    std::int16_t range;
};

struct FahrzeugTyp : UnitTypHead {
    std::uint8_t seats;
    std::uint8_t explosionKind;  // 0, 1 or 2
    std::uint8_t material;       // index into the material table
    // Campaign-map pace: n > 0 moves n steps per update, n < 0 one step every -n updates.
    std::int8_t karteStep;
    std::uint8_t rightOfWay;  // 255 for civilian vehicles and the shark
    KanoneTyp* kanone;        // null for types without a water cannon
};

// Zero at program start; a type is loaded while any of its facing pointers is set.
extern std::array<FahrzeugTyp, kFahrzeugTypCount> FahrzeugTypen;
// Covers every box of every vehicle type loaded so far; the vehicle view hands it on.
extern AnimBoxReach FahrzeugBoxReach;

bool FahrzeugTypLoaded(std::int16_t type);
// Whether the type has a water cannon, loaded or not.
bool FahrzeugTypHasKanone(std::int16_t type);
// The record of a type number; null outside 0..46.
inline FahrzeugTyp* FahrzeugTypAt(std::int32_t type) {
    return type >= 0 && type < kFahrzeugTypCount ? &FahrzeugTypen[static_cast<std::size_t>(type)]
                                                 : nullptr;
}
// The type's record as the movement code sees it, for the vehicle view's type lookup; null for a
// number outside 0..46.
const UnitTypHead* FahrzeugTypRecord(std::int32_t type);

// A vehicle as the vehicle view gives it, with its type's record; both null unless the slot holds
// a vehicle of a type in 0..46.
struct TypedFahrzeug {
    UnitHead* unit = nullptr;
    FahrzeugTyp* typ = nullptr;
};
TypedFahrzeug TypedFahrzeugAt(std::int32_t index);

// The type's animation in a facing; the empty slot (no frames, no images) for a type, facing or
// animation out of range, or a type that is not loaded. Every read of a vehicle's AnimSlot goes
// through here.
const AnimSlot& FahrzeugAnimSlot(int type, int facing, int anim);

// Loads the type with the companions that come with it (F110MD with F110, F119 and F116 with F117,
// F119 and F114 with F118, F203B with F203). A loaded type, the empty slot 24, the companions 25,
// 26 and 45 asked for directly and numbers outside 0..46 load nothing.
void LoadFahrzeugTyp(std::int16_t type);
// The player types that the running mission (MissionNummer) offers.
void LoadMissionFahrzeugTypen();
// Reads "data\cars\<code>.dat" into the type's price, seats, speed, karteStep and heatProtection.
// False after a fatal error: the file is missing or too short.
bool LoadFahrzeugDat(std::uint32_t type, std::string_view code);
// The footprint from the largest box of the driving entry over the facings that have its picture.
void CalcFahrzeugTypSize(std::int16_t type);
// Frees the type's pictures (a picture shared by two entries once), its entry arrays and its
// cannon. The numbers and constants stay in the record.
void FreeFahrzeugTyp(std::int16_t type);

}  // namespace kv
