#pragma once
// Special objects: the scripted things of a mission that are neither persons, vehicles, houses nor
// furniture (blood pools, hydrants, hoses, pontoons, tents, wrecks, gates, aircraft, ...). Each is
// a SonderObj in one array per mission, typed by a SonderObjTyp with its images, animation timing,
// fire behaviour and hit box. They animate, catch fire, burn out, explode and run a short list of
// commands that scripts, persons, vehicles and explosions give them.

#include <cstdint>
#include <memory>
#include <vector>

#include "gfx/image_files.h"

namespace kv {

// Types 0..17 are loaded for every mission; the mission's own start at 18.
inline constexpr int kCommonSonderObjTypen = 18;
// Spare type slots above the mission's, for explosion animations.
inline constexpr int kSpareSonderObjTypen = 28;
// Instance slots above the fixed ones: one splash object per possible water cannon (the largest
// vehicle capacity any mission sets), and 250 more.
inline constexpr int kSonderObjFahrzeugSlots = 130;
inline constexpr int kSonderObjSpareSlots = 250;

// The common types.
inline constexpr std::int16_t kSobjBlutLache = 0;  // 0..3
inline constexpr std::int16_t kSobjHeliSchatten = 4;
inline constexpr std::int16_t kSobjMolotow = 5;
inline constexpr std::int16_t kSobjAuftreffpunkt = 6;
inline constexpr std::int16_t kSobjHydrant = 7;
inline constexpr std::int16_t kSobjSchlauch = 8;
inline constexpr std::int16_t kSobjHolzstapel = 9;
inline constexpr std::int16_t kSobjPonton = 10;
inline constexpr std::int16_t kSobjPontonUnsichtbar = 11;
inline constexpr std::int16_t kSobjZelt = 12;
inline constexpr std::int16_t kSobjZeltUnsichtbar = 13;
inline constexpr std::int16_t kSobjBett = 14;
inline constexpr std::int16_t kSobjRingHalter = 15;
inline constexpr std::int16_t kSobjRingHalterMitRing = 16;
inline constexpr std::int16_t kSobjRing = 17;

// explosionKind of a type that catches fire instead of exploding.
inline constexpr std::int8_t kCatchesFire = -1;
// blockMask bit that also makes an object solid for other special objects.
inline constexpr std::uint8_t kSolidForSonderObj = 8;

struct SonderObjTyp {
    std::int16_t ticksPerFrame = 1;
    std::int8_t explosionKind = 0;  // 0..9, or kCatchesFire
    std::uint8_t material = 0;
    std::uint8_t vanishes = 1;  // 0: turns into burntTyp when it explodes, and stays
    std::int16_t frameCount = 0;
    FrameSet* frames = nullptr;  // null: slot unused
    std::uint16_t burningTyp = 0;
    std::uint16_t burntTyp = 0;
    std::uint16_t extinguishedTyp = 0;
    std::int16_t boxX0 = 0;  // hit box relative to the object's position, corners included
    std::int16_t boxY0 = 0;
    std::int16_t boxX1 = 0;
    std::int16_t boxY1 = 0;
    // 1 while an object's image set fills the slot, 0 for an explosion animation. The links
    // lead only into such slots.
    std::uint8_t objectSet = 0;
};

// The flight of a thrown bottle (command kind 2) or life ring (kind 8), owned by its command.
struct FlightBlock {
    float stepX = 0;  // unit vector of the flight on the map
    float stepY = 0;
    float speed = 0;  // launch speed, for the height
    std::int16_t travelled = 0;
    std::int16_t distance = 0;
};

template <class V>
constexpr void VisitFields(FlightBlock& r, V& v) {
    v("stepX", r.stepX);
    v("stepY", r.stepY);
    v("speed", r.speed);
    v("travelled", r.travelled);
    v("distance", r.distance);
}

// The flight of a thing thrown on a 45-degree arc from (fromX, fromY) to (toX, toY): the way on
// the map (straight down or up when both share an x), the launch speed and the distance.
FlightBlock ThrowFlight(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY);

// Command kinds.
enum SonderObjCommandKind : std::uint8_t {
    kCmdExplosion = 0,
    kCmdGreatFire = 1,
    kCmdThrown = 2,
    kCmdOpen = 3,
    kCmdClose = 4,
    kCmdPontoonSlide = 5,
    kCmdTransport = 6,
    kCmdTent = 7,
    kCmdRingFlight = 8,
    kCmdCellChange = 9,
};
// flags bit: the command's first tick has run (kinds 0 and 1).
inline constexpr std::uint8_t kCmdStarted = 2;

struct SonderObjCommand {
    std::uint8_t kind = 0;
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    std::uint16_t c = 0;
    std::uint8_t flags = 0;
    std::unique_ptr<SonderObjCommand> next;
    // Kinds 2 and 8: the flight, in place of the two pointer halves a and b (which stay 0).
    std::unique_ptr<FlightBlock> flight;
};

template <class V>
void VisitFields(SonderObjCommand& r, V& v) {
    v("kind", r.kind);
    v("a", r.a);
    v("b", r.b);
    v("c", r.c);
    v("flags", r.flags);
    v.pointer("next", r.next);
}

struct SonderObj {
    std::int16_t type = -1;  // -1: free slot
    float x = 0;             // top-left of the image
    float y = 0;
    float z = 0;  // height above the ground
    std::uint8_t storey = 0;
    std::int16_t user = -1;  // the person or vehicle bound to the object; 99 a waiting vehicle
    std::uint8_t blockMask = 15;
    std::uint8_t visible = 1;
    std::uint8_t pushable = 0;
    std::uint8_t drawStyle = 0;
    std::uint8_t oneShot = 0;
    std::uint8_t depthLayer = 0;  // 0 by foot point, 1 below everything, 2 above everything
    std::unique_ptr<SonderObjCommand> commands;
    std::int16_t frame = 0;
    std::int16_t tick = 0;
    std::int32_t heat = 0;
    std::int32_t fuel = 0;
    std::uint8_t burning = 0;
};

template <class V>
constexpr void VisitFields(SonderObj& r, V& v) {
    v("type", r.type);
    v("x", r.x);
    v("y", r.y);
    v("z", r.z);
    v("storey", r.storey);
    v("user", r.user);
    v("blockMask", r.blockMask);
    v("visible", r.visible);
    v("pushable", r.pushable);
    v("drawStyle", r.drawStyle);
    v("oneShot", r.oneShot);
    v("depthLayer", r.depthLayer);
    v.pointer("commands", r.commands);
    v("frame", r.frame);
    v("tick", r.tick);
    v("heat", r.heat);
    v("fuel", r.fuel);
    v("burning", r.burning);
}

extern std::vector<SonderObjTyp> SonderObjTypen;
// The mission sets its count before AllocSonderObj, which adds the spare slots.
extern std::int16_t SonderObjTypCount;
extern std::vector<SonderObj> SonderObjs;
// The mission sets its fixed-slot count here before AllocSonderObj, which sizes the array.
extern std::int16_t SonderObjCount;
extern std::int16_t FixedSonderObjCount;

// The record of a type or an object; null for an index outside the array.
SonderObjTyp* SonderObjTypAt(int type);
SonderObj* SonderObjAt(int slot);

// Runs the mission's special-object set-up, then clears blockMask and pushable of the slots still
// free. A mission without one: FatalError("InitSonderObj not defined").
void InitSonderObj(int mission);
// Called by the mission's set-up once it has set its type count and fixed-slot count: makes both
// arrays (freeing any earlier ones) with their defaults and loads the common types.
void AllocSonderObj();
// Frees every type's images, every command list and both arrays.
void FreeSonderObj();
// Frees a type's images; the slot is then unused.
void FreeSonderObjTypFrames(std::int16_t type);
// The first free slot above the fixed ones, else -1.
std::int16_t FindFreeSonderObj();
// The first unused type slot, else -1.
std::int16_t FindFreeSonderObjTyp();
// Fills the slot with a new object; visible keeps its value. A type without images is fatal
// ("Sonderobjtyp not available") and gives 0; a slot outside the array does nothing and gives 0.
std::int16_t CreateSonderObj(int slot, int type, std::int16_t x, std::int16_t y,
                             std::uint16_t frame, std::uint8_t blockMask, std::uint8_t depthLayer,
                             float z, std::uint8_t pushable);
// A hydrant in the first free slot; nothing when none is free.
void AddHydrant(std::int16_t x, std::int16_t y);
// The object that lies under a person lying in its current direction, unless one of that type
// lies there already.
void AddPersonSonderObj(int person);
// Frees a slot: the person lying on the object is untied and on the ground again, its commands
// go, a burning object stops counting as burning, and a slot above the fixed ones is visible
// again for whoever takes it next.
void FreeSonderObjSlot(int slot);

// The middle of an object's hit box in whole pixels, from its position; false for an object whose
// type no slot holds.
bool SonderObjBoxMiddle(const SonderObj& o, int& x, int& y);

// The type an object of type `from` turns into through one of its links: the link when it names
// a slot holding an object's images, else `from` (an unset or dangling link changes nothing).
std::int16_t FollowSonderObjTypLink(std::int16_t from, std::uint16_t link);

// Once per simulation tick.
void UpdateSonderObj();

// The command list; a slot outside the array is left alone.
void AppendSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                            std::uint16_t c, std::uint8_t flags);
void AppendSonderObjCommand(int slot, std::uint8_t kind, const FlightBlock& flight, std::uint16_t c,
                            std::uint8_t flags);
void PushSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                          std::uint16_t c);
void SetSonderObjCommand(int slot, std::uint8_t kind, std::uint16_t a, std::uint16_t b,
                         std::uint16_t c);
void SetSonderObjCommand(int slot, std::uint8_t kind, const FlightBlock& flight);
void PopSonderObjCommand(int slot);
void ClearSonderObjCommands(int slot);

// Mission end: everything freed and the counts and flags back to 0.
void ResetSonderObj();

// The objects' view for the movement code over the arrays as they are, as the mission start
// registers it; for worlds built without a mission.
void RegisterSonderObjPlaces();

}  // namespace kv
