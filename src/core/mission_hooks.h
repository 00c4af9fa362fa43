#pragma once
// The missions' hooks: one row per mission with one member per dispatcher. The rows are written in
// src/missions/ and installed from the program's start-up, so that the engine below calls each
// mission's code without knowing it. A row without the hook is a fatal error naming the
// dispatcher ("InitHouses not defined").

#include <array>
#include <cstdint>

#include "core/mission_state.h"

namespace kv {

// Add a member per dispatcher, named as the dispatcher, as the modules that call them arrive.
struct MissionHooks {
    // Sets ScrollCols, ScrollRows and the start view; the dispatcher derives the map limits.
    void (*InitLevel)() = nullptr;
    // Sets HouseCount, calls InitHouseList and AddHouse per house.
    void (*InitHouses)() = nullptr;
    // Sets ZFWegCount, calls AllocZFWege and fills each traffic path; a mission without traffic
    // sets no paths.
    void (*InitZFWege)() = nullptr;
    // Sets PassantenWegCount, calls AllocPassantenWege and SetPassantenWeg per path.
    void (*InitPassantenWege)() = nullptr;
    // Sets FahrzeugCount, calls AllocFahrzeuge and creates the mission's vehicles.
    void (*InitFahrzeuge)() = nullptr;
    // Missions whose collision test lets units overlap in a few rectangles: sets the counts,
    // calls AllocMissionExtras and writes the rectangles.
    void (*InitMissionExtras)() = nullptr;
    // Once per simulation tick: the mission's script.
    void (*UpdateMission)() = nullptr;
    // Once per mission frame, last: the failure and win tests.
    void (*CheckMission)() = nullptr;
    // After the mid-mission video: the second part begins.
    void (*StartPhase2)() = nullptr;
    // At every start of the mission, new or loaded: what a saved second part needs again.
    void (*RestorePhase2)() = nullptr;
    // Sets the burning flags of the map cells and house cells that burn at the start.
    void (*InitBrand)() = nullptr;
    // Sets SonderObjTypCount and SonderObjCount (the fixed slots), calls AllocSonderObj, loads
    // the mission's types and places its fixed objects and hydrants.
    void (*InitSonderObj)() = nullptr;
    // Missions 11, 21, 26 and 28: sets PontonPunktCount, calls AllocPontonPunkte and
    // AddPontonPunkt per point.
    void (*InitPontonPunkte)() = nullptr;
    // Missions with boat points (11, 18, 20, 24 and 30): sets BootPunktCount, calls
    // AllocBootPunkte and AddBootPunkt per point. Without one the mission has none.
    void (*InitBootPunkte)() = nullptr;
    // Mission 21's own damage around an exploding special object, run before the explosion's.
    void (*OnSonderObjExplosion)(std::int16_t object) = nullptr;
    // Only missions with zones: sets ZoneCount, calls AllocZones and SetZone per zone.
    void (*InitZones)() = nullptr;
    // Sets PersonCount, calls AllocPersonen and creates the mission's persons.
    void (*InitPersonen)() = nullptr;
    // The mission's own vehicle orders 64 and 83 (missions 3 and 21), for the vehicle's index;
    // in a mission without one the order stays at the head.
    void (*RunFahrzeugBefehl64)(std::int16_t vehicle) = nullptr;
    void (*RunFahrzeugBefehl83)(std::int16_t vehicle) = nullptr;
    // Mission 30: whether the vehicle's x lies in the ship's zone, where the fireboat's cannon
    // does not look for fire by itself; no hook counts as outside.
    bool (*IsInShipZoneM30)(std::int16_t vehicle) = nullptr;
    // Missions 16 and 19 (HandleZFCollisionM16, HandleZFCollisionM19): what a civilian car's
    // traffic drive met (the blocker's kind and index, lookAhead steps ahead) is passed here
    // first; 0 lets the car drive on through it. The hook may replace the car's orders or remove
    // the car. Without one the collision counts.
    std::uint8_t (*HandleZFCollision)(std::int16_t vehicle, std::uint8_t kind, std::uint16_t index,
                                      std::uint8_t lookAhead) = nullptr;
    // Mission 30: the person in the water the shark circles next; -1 none, as without a hook.
    std::int16_t (*FindPersonInWater)() = nullptr;
    // Sets GafferZielCount, calls AllocGafferZiele and SetGafferZiel per onlooker target; a
    // mission without targets may do nothing.
    void (*InitGafferZiele)() = nullptr;
    // With the mouse over a special object (HoverIds[0]): whether the selected unit can act on
    // it; then CursorId is set and the result is non-zero. 0 leaves the cursor to the engine.
    std::uint8_t (*CursorOnSonderObj)() = nullptr;
    // A click on a special object: the selected unit's orders, and non-zero, which ends the
    // click's handling; 0 lets the engine treat the click as usual.
    std::uint8_t (*ClickOnSonderObj)() = nullptr;
    // The same for a click on a vehicle, a person or a house (HoverIds as the drawing recorded
    // them).
    std::uint8_t (*ClickOnFahrzeug)() = nullptr;
    std::uint8_t (*ClickOnPerson)() = nullptr;
    std::uint8_t (*ClickOnHouse)() = nullptr;
    // After the mission-won screen: fills the result lines, the efficiency, the points and the
    // line layout.
    void (*EvaluateMission)() = nullptr;
    // The cursor choice asks these first, each where its family applies: over the world view
    // (mission 21), then over the ground, a house, a person or a vehicle (and a special object:
    // CursorOnSonderObj above). A hook that decides sets CursorId itself and answers non-zero; 0
    // leaves the choice to the engine.
    std::uint8_t (*CursorOnMapArea)() = nullptr;
    std::uint8_t (*CursorOnGround)() = nullptr;
    std::uint8_t (*CursorOnHouse)() = nullptr;
    std::uint8_t (*CursorOnPerson)() = nullptr;
    std::uint8_t (*CursorOnFahrzeug)() = nullptr;
    // The click asks these first, each where its family applies: every click in the world view
    // before what lies under the mouse counts (mission 21), then a click on the ground. A hook
    // that consumed the click (given its own orders) answers non-zero; 0 lets the engine treat it.
    std::uint8_t (*ClickOnMapArea)() = nullptr;
    std::uint8_t (*ClickOnGround)() = nullptr;
};

// Rows for missions 1..30; all empty until the program installs them.
extern std::array<MissionHooks, kMissionCount> MissionHookRows;

// The row of a mission 1..30; null for any other number.
MissionHooks* MissionHookRow(int mission);

void ReportMissingMissionHook(const char* name);

// The hook of a mission, or null after FatalError("<name> not defined") when the mission has no
// row or the row no such hook. Call as MissionHook(mission, &MissionHooks::InitHouses,
// "InitHouses").
template <class Hook>
Hook MissionHook(int mission, Hook MissionHooks::*member, const char* name) {
    const MissionHooks* row = MissionHookRow(mission);
    Hook hook = row != nullptr ? row->*member : nullptr;
    if (hook == nullptr) ReportMissingMissionHook(name);
    return hook;
}

// The same without the fatal error, for hooks that a mission may leave out.
template <class Hook>
Hook OptionalMissionHook(int mission, Hook MissionHooks::*member) {
    const MissionHooks* row = MissionHookRow(mission);
    return row != nullptr ? row->*member : nullptr;
}

// Empties every row (program reset, for tests).
void ClearMissionHooks();

}  // namespace kv
