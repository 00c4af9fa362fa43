#include "path_world.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/mission_state.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "plain_map.h"
#include "world/data_file.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"
#include "writers/terrain_writer.h"

namespace kv::pathworld {

namespace {

PathWorld* g_world = nullptr;

constexpr int kBlocked = -1;

std::vector<sampledata::TerrainRow> TerrainRows() {
    return {
        {"Strasse", "S", -1, {100, 100}, {-1, -1}},
        {"Gras", "G", -1, {100, 100}, {-1, -1}},
        {"Fels", "FE", -1, {kBlocked, kBlocked}, {-1, -1}},
        {"Wasser", "W", -1, {kBlocked, kBlocked}, {-1, -1}},
    };
}

bool LoadWorldTerrain() {
    const std::vector<sampledata::TerrainRow> rows = TerrainRows();
    const std::vector<std::uint8_t> bytes = sampledata::WriteTerrainFile(rows, 2);
    DataFile file;
    file.openBytes(bytes, "terrain.dat");
    return LoadTerrainFrom(file);
}

int Between(int lo, int hi) {
    return lo + Rand() % (hi - lo + 1);
}

Rect16 Footprint(const UnitTypHead& type, float x, float y, int margin) {
    const AnimSlot& s = UnitAnimSlot(type, 0, 1);
    const int left = static_cast<int>(x) - s.hotX;
    const int top = static_cast<int>(y) - s.hotY;
    return {static_cast<std::int16_t>(left + s.box[0] - margin),
            static_cast<std::int16_t>(top + s.box[1] - margin),
            static_cast<std::int16_t>(left + s.box[2] + margin),
            static_cast<std::int16_t>(top + s.box[3] + margin)};
}

// The unit's animation in its direction; none for one its type does not have.
const AnimSlot* CurrentSlot(const WorldTyp& typ, const UnitHead& u) {
    const AnimSlot& slot = UnitAnimSlot(typ.head, u.direction, u.anim);
    return slot.frames != 0 ? &slot : nullptr;
}

}  // namespace

WorldTyp::WorldTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass,
                   std::int16_t halfWidth, std::int16_t height, std::uint8_t backSteps) {
    const AnimSlot slot{
        1, 1, halfWidth, height, {0, 0, static_cast<std::int16_t>(2 * halfWidth), height}, nullptr};
    slots.fill(slot);
    boxReach.add(slot.box[0], slot.box[1], slot.box[2], slot.box[3]);
    head.dirAnims.fill(slots.data());
    head.animCount = static_cast<std::uint8_t>(slots.size());
    head.unitClass = unitClass;
    head.speed = speed;
    head.terrainColumn = moveClass;
    head.shortcutBackSteps = backSteps;
    head.extent = {0, 0, static_cast<std::int16_t>(2 * halfWidth + 2),
                   static_cast<std::int16_t>(height + 2)};
}

MapPlan::MapPlan(int columns, int rows) {
    level.width = static_cast<std::uint16_t>(columns);
    level.height = static_cast<std::uint16_t>(rows);
    level.cells.assign(static_cast<std::size_t>(columns * rows), MapCell{0, 0x82, kGrass, 0});
}

void MapPlan::fill(int column, int row, int width, int height, std::uint8_t terrain) {
    for (int c = std::max(column, 0); c < std::min(column + width, int{level.width}); ++c)
        for (int r = std::max(row, 0); r < std::min(row + height, int{level.height}); ++r)
            level.cells[static_cast<std::size_t>(c * level.height + r)].terrain = terrain;
}

std::uint8_t MapPlan::at(int column, int row) const {
    return level.cells[static_cast<std::size_t>(column * level.height + row)].terrain;
}

PathWorld::PathWorld(const MapPlan& plan) {
    g_world = this;
    const std::vector<std::uint8_t> bytes = sampledata::WriteLevelFile(plan.level);
    LoadLevelMapFromBytes(bytes, "pathworld.lev");
    LoadWorldTerrain();
    plainmap::SetWorldMaxFromMap();
    persons_.reserve(kPersonRoom);
    vehicles_.reserve(kVehicleRoom);
    registerUnits();
    FreeSonderObj();
    RegisterSonderObjPlaces();
}

PathWorld::~PathWorld() {
    for (WorldUnit& u : persons_) DiscardBefehle(u);
    for (WorldUnit& u : vehicles_) DiscardBefehle(u);
    // A world made since owns the game's state now.
    if (g_world != this) return;
    g_world = nullptr;
    ResetUnitViews();
    FreeSonderObj();
    FreeTerrain();
    FreeLevelMap();
}

void PathWorld::registerUnits() {
    PersonUnits = {};
    PersonUnits.setRecords(std::span(persons_));
    PersonUnits.offMap = [](std::int16_t i) {
        return g_world->persons_[static_cast<std::size_t>(i)].offMap;
    };
    PersonUnits.animSlot = [](std::int16_t i) {
        return CurrentSlot(g_world->personTyp, g_world->persons_[static_cast<std::size_t>(i)]);
    };
    PersonUnits.typeRecord = [](std::int32_t) -> const UnitTypHead* {
        return &g_world->personTyp.head;
    };
    PersonUnits.boxReach = &personTyp.boxReach;
    FahrzeugUnits = {};
    FahrzeugUnits.setRecords(std::span(vehicles_));
    FahrzeugUnits.animSlot = [](std::int16_t i) {
        return CurrentSlot(g_world->vehicleTyp, g_world->vehicles_[static_cast<std::size_t>(i)]);
    };
    FahrzeugUnits.typeRecord = [](std::int32_t) -> const UnitTypHead* {
        return &g_world->vehicleTyp.head;
    };
    FahrzeugUnits.boxReach = &vehicleTyp.boxReach;
}

WorldUnit& PathWorld::add(std::vector<WorldUnit>& units, const WorldTyp& typ, std::int8_t type,
                          float x, float y, std::uint8_t direction) {
    // Past the room, the arrays would move and the registered views with them.
    if (units.size() == units.capacity()) return units.back();
    WorldUnit& u = units.emplace_back();
    u.type = type;
    u.x = x;
    u.y = y;
    u.direction = static_cast<std::int8_t>(direction);
    u.present = 1;
    u.speed = typ.head.speed;
    const AnimSlot& slot = typ.slots[0];
    u.drawX = static_cast<std::int16_t>(static_cast<int>(x) - slot.hotX);
    u.drawY = static_cast<std::int16_t>(static_cast<int>(y) - slot.hotY);
    registerUnits();
    return u;
}

WorldUnit& PathWorld::addPerson(float x, float y, std::uint8_t direction) {
    return add(persons_, personTyp, kPersonTyp, x, y, direction);
}

WorldUnit& PathWorld::addVehicle(float x, float y, std::uint8_t direction) {
    return add(vehicles_, vehicleTyp, kVehicleTyp, x, y, direction);
}

int PathWorld::addObject(float x, float y, std::int16_t width, std::int16_t height) {
    SonderObjTyp typ;
    typ.boxX1 = width;
    typ.boxY1 = height;
    SonderObjTypen.push_back(typ);
    SonderObj& o = SonderObjs.emplace_back();
    o.type = static_cast<std::int16_t>(SonderObjTypen.size() - 1);
    o.x = x;
    o.y = y;
    o.blockMask = 15;
    o.visible = 1;
    SonderObjTypCount = static_cast<std::int16_t>(SonderObjTypen.size());
    SonderObjCount = static_cast<std::int16_t>(SonderObjs.size());
    SonderObjPlaces.count = SonderObjCount;
    return SonderObjCount - 1;
}

int PathWorld::indexOf(const WorldUnit& unit) const {
    for (const std::vector<WorldUnit>* units : {&persons_, &vehicles_})
        if (!units->empty() && &unit >= units->data() && &unit < units->data() + units->size())
            return static_cast<int>(&unit - units->data());
    return -1;
}

bool PathWorld::isFree(const UnitTypHead& type, float x, float y, int margin) const {
    const Rect16 r = Footprint(type, x, y, margin);
    if (r.x1 < 0 || r.y1 < 0 || r.x2 > WorldMaxX || r.y2 > WorldMaxY) return false;
    CollisionHit hit;
    return FindCollisionAt(0, nullptr, &type, r.x1, r.y1, r.x2, r.y2, -1, 0, type.terrainColumn,
                           &hit) == 0;
}

PixelPos PathWorld::randomFreePoint(const UnitTypHead& type, int margin) const {
    for (int tries = 0; tries < 2000; ++tries) {
        const PixelPos p{Between(0, WorldMaxX), Between(0, WorldMaxY)};
        if (isFree(type, static_cast<float>(p.x), static_cast<float>(p.y), margin)) return p;
    }
    return {-1, -1};
}

std::unique_ptr<PathWorld> BuildLargeMap(std::uint32_t seed) {
    SeedRandom(seed);
    MapPlan plan(kLargeColumns, kLargeRows);
    const int maxX = kCellWidth * kLargeColumns - 16 * kLargeRows - 1;

    // The river: three rows of water across the map, crossed by two bridges of road.
    constexpr int kRiverRow = 58;
    constexpr int kRiverRows = 3;
    plan.fill(0, kRiverRow, kLargeColumns, kRiverRows, kWater);
    for (const int bridgeX : {1300, 2900}) {
        const int column = (bridgeX + 16 * kRiverRow) / kCellWidth;
        plan.fill(column, kRiverRow, 3, kRiverRows, kRoad);
    }

    plan.fill(0, kAvenueRow, kLargeColumns, 3, kRoad);
    const auto offAvenue = [](const PixelPos& p) {
        return p.x >= 0 && std::abs(p.y - kAvenueY) > 90;
    };

    // Houses: blocks of rock wholly on the map, apart from each other and from the river.
    std::vector<std::uint8_t> taken(plan.level.cells.size(), 0);
    const auto free = [&](int c0, int r0, int w, int h, int margin) {
        for (int c = c0 - margin; c < c0 + w + margin; ++c)
            for (int r = r0 - margin; r < r0 + h + margin; ++r) {
                if (c < 0 || r < 0 || c >= kLargeColumns || r >= kLargeRows) return false;
                if (taken[static_cast<std::size_t>(c * kLargeRows + r)] != 0 ||
                    plan.at(c, r) != kGrass)
                    return false;
            }
        return true;
    };
    int houses = 0;
    for (int tries = 0; houses < 60 && tries < 20000; ++tries) {
        const int w = Between(4, 12);
        const int h = Between(3, 6);
        const int row = Between(2, kLargeRows - h - 2);
        const int column = Between(0, kLargeColumns - w);
        const int left = kCellWidth * column - 16 * (row + h - 1) - 16;
        const int right = kCellWidth * (column + w - 1) - 16 * row + 31;
        if (left < 80 || right > maxX - 80 || !free(column, row, w, h, 3)) continue;
        plan.fill(column, row, w, h, kRock);
        for (int c = column; c < column + w; ++c)
            for (int r = row; r < row + h; ++r)
                taken[static_cast<std::size_t>(c * kLargeRows + r)] = 1;
        ++houses;
    }

    auto world = std::make_unique<PathWorld>(plan);
    for (int i = 0; i < 60; ++i) {
        const PixelPos p = world->randomFreePoint(world->vehicleTyp.head, 12);
        if (offAvenue(p))
            world->addVehicle(static_cast<float>(p.x), static_cast<float>(p.y),
                              static_cast<std::uint8_t>(Rand() % kDirectionCount));
    }
    for (int i = 0; i < 200; ++i) {
        const PixelPos p = world->randomFreePoint(world->personTyp.head, 6);
        if (offAvenue(p))
            world->addPerson(static_cast<float>(p.x), static_cast<float>(p.y),
                             static_cast<std::uint8_t>(Rand() % kDirectionCount));
    }
    for (int i = 0; i < 100; ++i) {
        const auto w = static_cast<std::int16_t>(Between(12, 40));
        const auto h = static_cast<std::int16_t>(Between(10, 30));
        for (int tries = 0; tries < 200; ++tries) {
            const int x = Between(0, maxX - w);
            const int y = Between(0, kCellHeight * kLargeRows - 1 - h);
            if (!offAvenue({x, y}) || !offAvenue({x, y + h})) continue;
            CollisionHit hit;
            if (FindCollisionAt(0, nullptr, &world->personTyp.head,
                                static_cast<std::int16_t>(x - 8), static_cast<std::int16_t>(y - 8),
                                static_cast<std::int16_t>(x + w + 8),
                                static_cast<std::int16_t>(y + h + 8), -1, 0, kCarClass, &hit) != 0)
                continue;
            world->addObject(static_cast<float>(x), static_cast<float>(y), w, h);
            break;
        }
    }
    return world;
}

void WallIn(PathWorld& world, float x, float y) {
    constexpr int kObjects = 200;
    constexpr double kRadius = 380;
    constexpr double kPi = 3.14159265358979;
    for (int k = 0; k < kObjects; ++k) {
        const double a = k * 2 * kPi / kObjects;
        world.addObject(static_cast<float>(x + kRadius * std::sin(a) - 10),
                        static_cast<float>(y - kRadius * std::cos(a) - 10), 20, 20);
    }
}

Trip RandomTrip(PathWorld& world, const UnitTypHead& type, int minDistance, int maxDistance) {
    UnitHead probe;
    probe.speed = type.speed;
    Trip trip;
    for (int tries = 0; tries < 1000; ++tries) {
        const PixelPos from = world.randomFreePoint(type, 4);
        if (from.x < 0) break;
        const int distance = Between(minDistance, maxDistance);
        const double angle = (Rand() % 360) * 3.14159265358979 / 180.0;
        const int tx = from.x + static_cast<int>(distance * std::sin(angle));
        const int ty = from.y - static_cast<int>(distance * std::cos(angle));
        if (tx < 0 || ty < 0 || tx > WorldMaxX || ty > WorldMaxY) continue;
        if (!world.isFree(type, static_cast<float>(tx), static_cast<float>(ty), 4)) continue;
        trip = {static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(tx),
                static_cast<float>(ty)};
        LineRun run;
        const auto dir = static_cast<std::uint8_t>(Rand() % kDirectionCount);
        if (TestDirectPath(trip.fromX, trip.fromY, dir, probe, type, trip.toX, trip.toY, run) == 0)
            return trip;
    }
    return trip;
}

}  // namespace kv::pathworld
