#pragma once
// The nine sections of a save file. Writing builds the file in memory from the running mission.
// Loading goes in two steps: the readers stage the whole file against the shape of the rebuilt
// mission and change nothing, refusing whatever does not fit it; only a file staged whole is
// then applied.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "movement/befehl.h"
#include "movement/route.h"
#include "movement/traffic_paths.h"
#include "movement/zones.h"
#include "persons/person.h"
#include "platform/bytes.h"
#include "screens/save_layout.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/explosions.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

// The seats of a vehicle type the rebuilt mission has not loaded: a file cannot hold one.
inline constexpr std::uint8_t kUnknownSeats = 255;

// What the rebuilt mission holds, as far as a file must fit it.
struct SaveShape {
    std::size_t pontonPunkte = 0;
    std::size_t zfWege = 0;
    std::vector<std::size_t> houseFloors;  // per house
    std::size_t cells = 0;
    std::size_t personen = 0;
    std::size_t fahrzeuge = 0;
    std::size_t sonderObjs = 0;
    std::size_t sonderObjTypen = 0;
    std::size_t houseObjs = 0;
    std::array<std::uint8_t, kFahrzeugTypCount> seats{};
    std::array<bool, kFahrzeugTypCount> cannon{};
};
// The running mission's shape.
SaveShape CurrentSaveShape();

// An order as read: its words and lists, not linked.
using StagedBefehle = std::vector<Befehl>;

struct StagedFahrzeug {
    std::uint16_t slot = 0;
    Fahrzeug record;
    StagedBefehle orders;
    std::unique_ptr<Route> route;
};

struct StagedPerson {
    std::uint16_t slot = 0;
    Person record;
    StagedBefehle orders;
};

struct StagedCommand {
    std::uint8_t kind = 0;
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    std::uint16_t c = 0;
    std::uint8_t flags = 0;
    bool hasFlight = false;
    FlightBlock flight;
};

struct StagedSonderObj {
    std::uint16_t slot = 0;
    SonderObj record;
    std::vector<StagedCommand> commands;
};

struct StagedHouseObj {
    std::uint16_t slot = 0;
    HouseObj record;
};

struct StagedHouse {
    House fields;  // only the saved ones are meant
    std::vector<HouseFloor> floors;
};

// A whole file, staged.
struct StagedSave {
    SaveHeader header;
    SaveGlobals globals;
    std::vector<PontonPunkt> pontonPunkte;
    std::vector<ZFWeg> zfWege;  // only the saved fields are meant
    std::vector<Zone> zones;
    std::vector<StagedFahrzeug> fahrzeuge;
    std::vector<StagedPerson> personen;
    std::vector<StagedSonderObj> sonderObjs;
    std::vector<StagedHouseObj> houseObjs;
    std::vector<StagedHouse> houses;
    std::vector<MapCell> cells;
    std::vector<CellAnim> cellAnims;
    std::vector<BrandState> brandStates;
    std::array<ExplosionSlot, kExplosionKinds> explosions{};
};

// The section writers, each appending to the file being built.
void WriteSaveGlobals(ByteWriter& out);
void WriteSaveZones(ByteWriter& out);
void WriteSaveFahrzeuge(ByteWriter& out);
void WriteSavePersonen(ByteWriter& out);
void WriteSaveSonderObj(ByteWriter& out);
void WriteSaveHouseObj(ByteWriter& out);
void WriteSaveHouses(ByteWriter& out);
void WriteSaveMap(ByteWriter& out);
void WriteSaveExplosions(ByteWriter& out);

// The section readers: each stages its section; false (with the reader failed and its reason)
// when the section does not fit the shape.
bool ReadSaveGlobals(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveZones(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveFahrzeuge(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSavePersonen(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveSonderObj(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveHouseObj(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveHouses(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveMap(ByteReader& in, const SaveShape& shape, StagedSave& save);
bool ReadSaveExplosions(ByteReader& in, const SaveShape& shape, StagedSave& save);

// The header and the nine sections of the running mission, without the trailer.
std::vector<std::uint8_t> BuildSaveSections(const SaveHeader& header);
// Stages a file's header and sections (the trailer already taken off); refuses through the
// reader, so in.fault() tells why.
bool StageSaveFile(ByteReader& in, const SaveShape& shape, StagedSave& save);
// Puts a staged file into the running mission.
void ApplySaveGame(StagedSave& save);

}  // namespace kv
