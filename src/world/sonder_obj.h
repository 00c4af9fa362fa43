#pragma once
// Special objects: the scripted things of a mission that are neither persons, vehicles, houses
// nor furniture (hydrants, hoses, tents, wrecks, jet splashes, ...), each typed by a
// `SonderObjTyp`. Only the records, the arrays and their look-ups are declared so far; the
// special-object module (creation, update, commands, image sets) fills in the rest.

#include <cstdint>
#include <vector>

#include "gfx/image_files.h"

namespace kv {

struct SonderObjCommand;

struct SonderObjTyp {
    std::int16_t ticksPerFrame = 1;
    std::int8_t explosionKind = 0;  // -1: catches fire instead of exploding
    std::uint8_t material = 0;
    std::uint8_t vanishes = 1;
    std::int16_t frameCount = 0;
    FrameSet* frames = nullptr;  // null: slot unused
    std::uint16_t burningTyp = 0;
    std::uint16_t burntTyp = 0;
    std::uint16_t extinguishedTyp = 0;
    // Hit box relative to the object's position, corners included.
    std::int16_t boxX0 = 0;
    std::int16_t boxY0 = 0;
    std::int16_t boxX1 = 0;
    std::int16_t boxY1 = 0;
};

struct SonderObj {
    std::int16_t type = -1;  // -1: free slot
    float x = 0;
    float y = 0;
    float z = 0;
    std::uint8_t storey = 0;  // 0 the ground
    std::int16_t user = -1;
    std::uint8_t blockMask = 15;
    std::uint8_t visible = 1;
    std::uint8_t pushable = 0;
    std::uint8_t drawStyle = 0;
    std::uint8_t oneShot = 0;
    std::uint8_t depthLayer = 0;
    SonderObjCommand* commands = nullptr;
    std::int16_t frame = 0;
    std::int16_t tick = 0;
    std::int32_t heat = 0;
    std::int32_t fuel = 0;
    std::uint8_t burning = 0;
};

extern std::vector<SonderObjTyp> SonderObjTypen;
extern std::int16_t SonderObjTypCount;
extern std::vector<SonderObj> SonderObjs;
extern std::int16_t SonderObjCount;

// The record of a type or an object; null for an index outside the array.
SonderObjTyp* SonderObjTypAt(int type);
SonderObj* SonderObjAt(int slot);
// The type an object of type `from` turns into through one of its links: the link when it names
// a slot of the type array, else `from`.
std::int16_t FollowSonderObjTypLink(std::int16_t from, std::uint16_t link);

// Creates the ground object that the person's type puts under it in its current direction,
// unless an identical one is there. Does nothing yet: the special objects fill it.
void AddPersonSonderObj(int person);

// Mission end: both arrays freed.
void FreeSonderObj();

}  // namespace kv
