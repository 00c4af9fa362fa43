#pragma once
// The save file's layout: the header, the globals block, and the blocks that copy byte ranges of
// a record. A range is taken from the record's image as its field list writes it (WriteRecord)
// and put back into the image of a default-built record, which ReadRecord then reads. Each row
// names the field its range starts at; the checks below hold every row to the byte number the
// file has always had, so a changed field list breaks the build instead of the files.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/record_fields.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/route.h"
#include "movement/traffic_paths.h"
#include "persons/person.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/kept_on_save.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

namespace kv {

inline constexpr std::uint16_t kSaveVersion = 190;
inline constexpr int kSaveSlotCount = 12;
inline constexpr std::size_t kSaveNameBytes = 50;
inline constexpr std::size_t kSavePreviewBytes = 78 * 58;
// After section 9: the marker, the length of everything before the trailer, its CRC-32.
inline constexpr std::array<std::uint8_t, 4> kSaveTrailerMarker = {'K', 'V', 'S', 'T'};
inline constexpr std::size_t kSaveTrailerBytes = 12;

// Persons and vehicles on this storey or below are inside a base, and the base's.
inline constexpr std::int8_t kBaseStoreyLimit = -3;

// Orders with a body of their own: the goal lists, the two-entry lists, the placeholders.
constexpr bool IsGoalsOpcode(std::uint16_t op) {
    return op == 2 || op == 5;
}
constexpr bool IsListOpcode(std::uint16_t op) {
    return op == 55 || op == 178;
}
// Commands whose data is a flight block.
constexpr bool IsFlightCommand(std::uint16_t kind) {
    return kind == kCmdThrown || kind == kCmdRingFlight;
}

// The end of a command list and of an order queue.
inline constexpr std::uint16_t kSaveListEnd = 65535;
inline constexpr std::uint16_t kSaveExplosionCount = 10;

struct SaveHeader {
    std::uint16_t version = kSaveVersion;
    std::array<std::uint8_t, kSaveNameBytes> name{};
    std::array<std::uint8_t, kSavePreviewBytes> preview{};
    std::uint8_t mission = 0;
    std::uint8_t partTwo = 0;
};
template <class V>
constexpr void VisitFields(SaveHeader& r, V& v) {
    v("version", r.version);
    v("name", r.name);
    v("preview", r.preview);
    v("mission", r.mission);
    v("partTwo", r.partTwo);
}
inline constexpr std::size_t kSaveHeaderBytes = RecordSize<SaveHeader>();
static_assert(kSaveHeaderBytes == 4578);
static_assert(FieldOffset<SaveHeader>("mission") == 4576);

// A file of ours carries a mark in its name buffer, after the name's end where the bytes mean
// nothing; such a file without its trailer has been cut. The mark also tells the layout: the
// trailer's marker for the first files of ours, the second mark for files that also hold the
// number of their traffic paths, so that the earlier saves still load.
inline constexpr std::array<std::uint8_t, 4> kSaveNameMarkPathCount = {'K', 'V', 'S', '2'};
inline constexpr std::size_t kNameMarkAt = kSaveNameBytes - kSaveTrailerMarker.size();
inline bool HasNameMark(const std::uint8_t* name, const std::array<std::uint8_t, 4>& mark) {
    const std::uint8_t* end = std::find(name, name + kNameMarkAt, 0);
    return end != name + kNameMarkAt && std::equal(mark.begin(), mark.end(), name + kNameMarkAt);
}
inline bool HasNameMark(const std::uint8_t* name) {
    return HasNameMark(name, kSaveTrailerMarker) || HasNameMark(name, kSaveNameMarkPathCount);
}
// A file holding the number of its traffic paths (u8) before their fields: a mission may have
// dropped paths its start makes. Any other file holds as many as the rebuilt mission.
inline bool HoldsTrafficPathCount(const SaveHeader& header) {
    return HasNameMark(header.name.data(), kSaveNameMarkPathCount);
}

// Section 1's block: the running globals.
struct SaveGlobals {
    std::int16_t viewX = 0;
    std::int16_t viewY = 0;
    std::uint32_t tickCounter = 0;
    std::uint8_t clockMode = 0;
    std::uint32_t clock = 0;
    std::uint8_t partTwo = 0;
    std::int32_t money = 0;
    std::int32_t startMoney = 0;
    std::int16_t lflugCooldown = 0;
    std::uint16_t selectionMode = 0;
    std::uint16_t selectedIndex = 0;
    MissionCounterSet counters;
    MissionScratchArea scratch;
};
template <class V>
constexpr void VisitFields(SaveGlobals& r, V& v) {
    v("viewX", r.viewX);
    v("viewY", r.viewY);
    v("tickCounter", r.tickCounter);
    v("clockMode", r.clockMode);
    v("clock", r.clock);
    v("partTwo", r.partTwo);
    v("money", r.money);
    v("startMoney", r.startMoney);
    v("lflugCooldown", r.lflugCooldown);
    v("selectionMode", r.selectionMode);
    v("selectedIndex", r.selectedIndex);
    v("counters", r.counters);
    v("scratch", r.scratch);
}
static_assert(RecordSize<SaveGlobals>() == 79);
static_assert(FieldOffset<SaveGlobals>("clock") == 9);
static_assert(FieldOffset<SaveGlobals>("lflugCooldown") == 22);
static_assert(FieldOffset<SaveGlobals>("counters") == 28);
static_assert(FieldOffset<SaveGlobals>("scratch") == 46);

// One copied range: where it lies in the file's block, the field it starts at with that field's
// byte in the record image, its length, and the bits of each byte that are kept.
struct SavedRange {
    std::uint16_t blockOffset;
    std::string_view field;
    std::uint16_t recordOffset;
    std::uint16_t length;
    std::uint8_t mask = 0xFF;
};

template <std::size_t N>
using SavedRanges = std::array<SavedRange, N>;

// Every row starts at its field and continues the block where the row before it ended; the
// block has exactly its size.
template <class R, std::size_t N>
constexpr bool RangesFit(const SavedRanges<N>& rows, std::size_t first, std::size_t blockSize) {
    std::size_t at = first;
    for (const SavedRange& r : rows) {
        if (r.blockOffset != at || FieldOffset<R>(r.field) != r.recordOffset) return false;
        if (r.recordOffset + r.length > RecordSize<R>()) return false;
        at += r.length;
    }
    return at == blockSize;
}

// The units' blocks start with the slot index (u16).
inline constexpr std::size_t kSlotIndexBytes = 2;

inline constexpr std::size_t kFahrzeugBlockBytes = 303;
inline constexpr SavedRanges<22> kFahrzeugRanges = {{
    {2, "type", 0, 3},
    {5, "x", 8, 12},
    {17, "storey", 20, 1},
    {18, "present", 25, 1},
    {19, "selected", 3, 1},
    {20, "targetable", 26, 4},
    {24, "house", 39, 2},
    {26, "link", 30, 4},
    {30, "energy", 34, 4},
    {34, "controlFlags", 38, 1},
    {35, "moverFlags", 268, 1, KeptMoverFlags(SavedUnitKind::Fahrzeug, 0xFF)},
    {36, "speed", 277, 8},
    {44, "aimX", 298, 8},
    {52, "moveByte", 306, 2},
    {54, "stepWrite", 41, 2},
    {56, "stepRing", 43, 225},
    {281, "heat", 316, 4},
    {285, "KarteWeg", 320, 10},
    {295, "pushedObject", 344, 2},
    {297, "pieceCount", 342, 2},
    {299, "zone", 308, 2},
    {301, "sound", 310, 2},
}};
static_assert(RecordSize<Fahrzeug>() == 346);
static_assert(RangesFit<Fahrzeug>(kFahrzeugRanges, kSlotIndexBytes, kFahrzeugBlockBytes));

inline constexpr std::size_t kPersonBlockBytes = 677;
inline constexpr SavedRanges<25> kPersonRanges = {{
    {2, "type", 0, 3},
    {5, "x", 8, 12},
    {17, "storey", 20, 1},
    {18, "present", 25, 1},
    {19, "selected", 3, 1},
    {20, "targetable", 26, 4},
    {24, "link", 30, 4},
    {28, "energy", 34, 4},
    {32, "controlFlags", 38, 1},
    {33, "moverFlags", 268, 1, KeptMoverFlags(SavedUnitKind::Person, 0xFF)},
    {34, "speed", 277, 8},
    {42, "aimX", 298, 8},
    {50, "moveByte", 306, 2},
    {52, "stepWrite", 41, 2},
    {54, "stepRing", 43, 225},
    {279, "trail", 337, 362},
    {641, "evadeKind", 703, 3},
    {644, "evadeDir", 706, 2},
    {646, "offMap", 312, 1},
    {647, "house", 39, 2},
    {649, "animate", 313, 2},
    {651, "basketVehicle", 315, 20},
    {671, "deadTicks", 335, 2},
    {673, "zone", 308, 2},
    {675, "sound", 310, 2},
}};
static_assert(RecordSize<Person>() == 709);
static_assert(RangesFit<Person>(kPersonRanges, kSlotIndexBytes, kPersonBlockBytes));

inline constexpr std::size_t kSonderObjBlockBytes = 36;
inline constexpr SavedRanges<3> kSonderObjRanges = {{
    {2, "type", 0, 23},
    {25, "frame", 27, 2},
    {27, "heat", 31, 9},
}};
static_assert(RecordSize<SonderObj>() == 40);
static_assert(RangesFit<SonderObj>(kSonderObjRanges, kSlotIndexBytes, kSonderObjBlockBytes));

inline constexpr std::size_t kHouseObjBlockBytes = 13;
inline constexpr SavedRanges<3> kHouseObjRanges = {{
    {2, "slot", 0, 8},
    {10, "frame", 9, 2},
    {12, "burning", 8, 1},
}};
static_assert(RangesFit<HouseObj>(kHouseObjRanges, kSlotIndexBytes, kHouseObjBlockBytes));

inline constexpr std::size_t kHouseBlockBytes = 6;
inline constexpr SavedRanges<3> kHouseRanges = {{
    {0, "shownStorey", 7, 2},
    {2, "evacuated", 10, 2},
    {4, "burningCells", 12, 2},
}};
static_assert(RecordSize<House>() == 18);
static_assert(RangesFit<House>(kHouseRanges, 0, kHouseBlockBytes));
static_assert(RecordSize<HouseFloor>() == 2994);

// Of a traffic path only what changes in play: its cars' speed, then its timer.
inline constexpr SavedRanges<2> kZFWegRanges = {{
    {0, "speed", 29, 4},
    {4, "timer", 27, 2},
}};
static_assert(RecordSize<ZFWeg>() == 44);
static_assert(RangesFit<ZFWeg>(kZFWegRanges, 0, 6));

// Order bodies: every opcode but the list-owning ones and 54.
inline constexpr SavedRanges<1> kBefehlRanges = {{{0, "a", 1, 22}}};
static_assert(RecordSize<Befehl>() == 35);
static_assert(RangesFit<Befehl>(kBefehlRanges, 0, 22));
// 54 adds its final target.
inline constexpr SavedRanges<2> kBefehl54Ranges = {{
    {0, "a", 1, 22},
    {22, "finalX", 27, 8},
}};
static_assert(RangesFit<Befehl>(kBefehl54Ranges, 0, 30));
// 2 and 5: b (its low byte the goal count), c, d, e and the flags; the goals follow.
inline constexpr SavedRanges<1> kGoalsBefehlRanges = {{{0, "b", 5, 17}}};
static_assert(RangesFit<Befehl>(kGoalsBefehlRanges, 0, 17));
// 55 and 178: after their two entries, b (the entry count) and the flags.
inline constexpr std::size_t kListBefehlEntryBytes = 20;
inline constexpr SavedRanges<2> kListBefehlRanges = {{
    {20, "b", 5, 4},
    {24, "flags", 21, 1},
}};
static_assert(RangesFit<Befehl>(kListBefehlRanges, kListBefehlEntryBytes, 25));

// The route's own fields; its lists follow the block.
inline constexpr std::size_t kRouteBlockBytes = 117;
inline constexpr SavedRanges<6> kRouteRanges = {{
    {0, "copyCount", 4, 2},
    {2, "copyRoom", 14, 6},
    {8, "restarts", 140, 1},
    {9, "candidateRoom", 151, 2},
    {11, "candidatesLeft", 149, 2},
    {13, "tempStart", 20, 104},
}};
static_assert(RecordSize<Route>() == 153);
static_assert(RangesFit<Route>(kRouteRanges, 0, kRouteBlockBytes));
static_assert(RecordSize<RouteOrderCopy>() == 11);
static_assert(RecordSize<RouteStartCandidate>() == 17);
static_assert(RecordSize<RoadNode>() == 52);
static_assert(RecordSize<GoalPoint>() == 10);
static_assert(RecordSize<FlightBlock>() == 16);
static_assert(RecordSize<DeadlinePlan>() == 24);
static_assert(RecordSize<SchlauchStrahl>() == 24);
static_assert(RecordSize<WasserStrahl>() == 36);
static_assert(RecordSize<KanzelState>() == 11);

// The record's image as its field list writes it.
template <class R>
std::array<std::uint8_t, RecordSize<R>()> RecordImage(const R& record) {
    ByteWriter out;
    WriteRecord(out, record);
    std::array<std::uint8_t, RecordSize<R>()> image{};
    std::copy(out.data().begin(), out.data().end(), image.begin());
    return image;
}

// Writes the ranges of the record.
template <class R, std::size_t N>
void WriteRanges(ByteWriter& out, const R& record, const SavedRanges<N>& rows) {
    const auto image = RecordImage(record);
    for (const SavedRange& r : rows)
        for (std::size_t i = 0; i < r.length; ++i)
            out.u8(static_cast<std::uint8_t>(image[r.recordOffset + i] & r.mask));
}

// Reads the ranges over a default-built record: what the file does not hold never depends on
// what was in the slot before.
template <class R, std::size_t N>
R ReadRanges(ByteReader& in, const SavedRanges<N>& rows) {
    auto image = RecordImage(R{});
    for (const SavedRange& r : rows)
        for (std::size_t i = 0; i < r.length; ++i)
            image[r.recordOffset + i] = static_cast<std::uint8_t>(in.u8() & r.mask);
    ByteReader back(image);
    R record{};
    ReadRecord(back, record);
    return record;
}

}  // namespace kv
