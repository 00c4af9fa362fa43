// "data\terrain.dat" and "data\material.dat".

#include <array>
#include <vector>

#include "generate/topics.h"
#include "generate/world_tables.h"
#include "writers/material_writer.h"
#include "writers/terrain_writer.h"

namespace kv::sampledata {

namespace {

constexpr int kBlocked = -1;

// One terrain by kind of mover: road vehicles, boats, aircraft, persons (speeds in percent).
struct TerrainKind {
    const char* name;
    const char* code;
    int burnt;
    int vehicle;
    int boat;
    int air;
    int person;
    int trampledByVehicles;  // the terrain wheels leave behind, -1 none
};

constexpr TerrainKind kOpenGround = {"frei", "F", -1, 60, kBlocked, 100, 90, -1};

// The named rows; every other row up to the count is open ground.
struct NamedTerrain {
    int row;
    TerrainKind kind;
};
constexpr std::array kNamedTerrains = {
    NamedTerrain{terrain::kRoad, {"Strasse", "S", -1, 100, kBlocked, 100, 100, -1}},
    NamedTerrain{terrain::kGrass, {"Gras", "G", terrain::kBurntGrass, 60, kBlocked, 100, 90, -1}},
    NamedTerrain{
        terrain::kField,
        {"Feld", "A", terrain::kBurntField, 40, kBlocked, 100, 70, terrain::kTrampledField}},
    NamedTerrain{terrain::kForestFloor,
                 {"Waldboden", "WB", terrain::kBurntForest, 30, kBlocked, 100, 80, -1}},
    NamedTerrain{terrain::kRock, {"Fels", "FE", -1, kBlocked, kBlocked, 100, 50, -1}},
    NamedTerrain{terrain::kSand, {"Sand", "SA", -1, 35, kBlocked, 100, 70, -1}},
    NamedTerrain{terrain::kWater, {"Wasser", "W", -1, kBlocked, 100, 100, kBlocked, -1}},
    // Aircraft pass over a crevice as over rock.
    NamedTerrain{terrain::kCrevice,
                 {"Felsspalte", "FS", -1, kBlocked, kBlocked, 100, kBlocked, -1}},
    NamedTerrain{terrain::kBurntGround, {"Verbrannter Boden", "VB", -1, 55, kBlocked, 100, 85, -1}},
    NamedTerrain{terrain::kMeadow,
                 {"Wiese", "WI", terrain::kBurntGrass, 55, kBlocked, 100, 90, -1}},
    NamedTerrain{terrain::kDirtPath, {"Feldweg", "FW", -1, 80, kBlocked, 100, 100, -1}},
    NamedTerrain{terrain::kTrampledField,
                 {"Zertretenes Feld", "ZF", terrain::kBurntField, 50, kBlocked, 100, 80, -1}},
    NamedTerrain{terrain::kBurntGrass, {"Verbranntes Gras", "VG", -1, 60, kBlocked, 100, 90, -1}},
    NamedTerrain{terrain::kBurntField, {"Verbranntes Feld", "VF", -1, 45, kBlocked, 100, 80, -1}},
    NamedTerrain{terrain::kBurntForest, {"Verbrannter Wald", "VW", -1, 25, kBlocked, 100, 70, -1}},
    NamedTerrain{15, {"Gehweg", "GW", -1, 70, kBlocked, 100, 100, -1}},
    NamedTerrain{16, {"Schotter", "SC", -1, 70, kBlocked, 100, 90, -1}},
    NamedTerrain{terrain::kBridge, {"Bruecke", "B", -1, 100, kBlocked, 100, 100, -1}},
    NamedTerrain{18, {"Ufer", "U", -1, 30, kBlocked, 100, 60, -1}},
    NamedTerrain{19, {"Sumpf", "SU", -1, kBlocked, kBlocked, 100, 40, -1}},
    NamedTerrain{20, {"Gebuesch", "GB", terrain::kBurntForest, 20, kBlocked, 100, 50, -1}},
    NamedTerrain{terrain::kPaving, {"Pflaster", "P", -1, 90, kBlocked, 100, 100, -1}},
    NamedTerrain{22, {"Gleis", "GL", -1, 50, kBlocked, 100, 80, -1}},
    NamedTerrain{terrain::kWall, {"Mauer", "M", -1, kBlocked, kBlocked, 100, kBlocked, -1}},
    NamedTerrain{terrain::kDeepWater,
                 {"Tiefes Wasser", "TW", -1, kBlocked, 100, 100, kBlocked, -1}},
    NamedTerrain{terrain::kTrack, {"Rennstrecke", "RS", -1, 100, kBlocked, 100, 100, -1}},
    NamedTerrain{terrain::kLake, {"See", "SE", -1, kBlocked, 100, 100, kBlocked, -1}},
    NamedTerrain{terrain::kTrees,
                 {"Baeume", "L", terrain::kBurntForest, kBlocked, kBlocked, 100, 60, -1}},
};

// Heavy vehicles (ladder, large tankers, crane, technical relief) lose more off the road.
bool IsHeavy(int moveClass) {
    return moveClass == 2 || moveClass == 5 || moveClass == 7 || moveClass == 12;
}

TerrainRow RowFrom(const TerrainKind& s) {
    TerrainRow row;
    row.name = s.name;
    row.code = s.code;
    row.burntTerrain = s.burnt;
    for (int c = 0; c < move_class::kCount; ++c) {
        int speed = s.vehicle;
        int trampled = s.trampledByVehicles;
        if (c >= move_class::kFirstBoat && c <= move_class::kLastBoat) {
            speed = s.boat;
            trampled = -1;
        } else if (c == move_class::kAir) {
            speed = s.air;
            trampled = -1;
        } else if (c >= move_class::kPerson) {
            speed = s.person;
            trampled = -1;
        } else if (IsHeavy(c) && speed > 0 && speed < 100) {
            speed = speed * 4 / 5;
        }
        row.speed.push_back(speed);
        row.value.push_back(trampled);
    }
    return row;
}

// fuel, maxHeat, gain, ignite, loss; -1 = no limit. A hose takes 15 heat a tick off the cell it
// hits, so light classes can be put out by hand and fuel fires need the cannons.
const MaterialRow kMaterials[material::kCount] = {
    {"nicht brennbar", "NB", {0, 0, 0, -1, 100}},
    {"Treibstoff", "TS", {3000000, 8000, 80, 1200, 10}},
    {"Gras", "GR", {800000, 2000, 5, 1500, 20}},
    {"Stoff", "ST", {400000, 2500, 10, 900, 15}},
    // Timber linings: a low fire that creeps from cell to cell and sheds its heat fast, so it
    // keeps to the hall it burns in and leaves time to fetch out the people next to it.
    {"Holz", "HO", {1200000, 1400, 2, 1000, 90}},
    // Walls heat slowly and shed heat fast: a flat on fire takes thousands of ticks to set the
    // house next door alight, time for the engines to arrive.
    {"Gebaeude", "GE", {6000000, 4500, 1, 3500, 200}},
    {"Getreide", "GT", {1200000, 2500, 6, 1400, 20}},
    // A wreck burns long enough to explode on its own timer, if nobody puts it out.
    {"Wrack", "WR", {30000000, 6000, 20, 2500, 25}},
    {"Moebel", "MO", {2500000, 4000, 10, 2000, 15}},
    {"Buesche", "BU", {1500000, 3000, 6, 2000, 20}},
    {"Wald", "WA", {8000000, 6000, 10, 3000, 20}},
    // Aircraft parts shed heat faster than a burning wreck beside them gives it: they go off only
    // in a fire of their own, not one after another from the wreck next to them.
    {"Flugzeug", "FL", {-1, 9000, 60, 2500, 150}},
    {"Chemie", "CH", {4000000, 10000, 120, 800, 5}},
    {"Triebwerk", "TW", {3000000, 7000, 40, 4000, 30}},
    {"Oel", "OE", {6000000, 9000, 70, 1000, 5}},
    {"Papier", "PA", {300000, 2000, 20, 700, 15}},
};

}  // namespace

bool WriteTerrainData(const OutputTree& out) {
    std::vector<TerrainRow> rows;
    for (int r = 0; r < terrain::kCount; ++r) {
        TerrainKind kind = kOpenGround;
        for (const NamedTerrain& n : kNamedTerrains)
            if (n.row == r) kind = n.kind;
        rows.push_back(RowFrom(kind));
    }
    return out.write("data\\terrain.dat", WriteTerrainFile(rows, move_class::kCount));
}

bool WriteMaterialData(const OutputTree& out) {
    return out.write("data\\material.dat", WriteMaterialFile(kMaterials));
}

}  // namespace kv::sampledata
