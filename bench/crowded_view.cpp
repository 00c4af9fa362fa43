#include "crowded_view.h"

#include <array>

#include "core/mission_hooks.h"
#include "core/view.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/schlauch_strahl.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv::bench {

namespace {

constexpr int kVehicles = kCrowdVehicles;
constexpr int kPersons = kCrowdPersons;
constexpr int kSelectedEach = 5;
constexpr int kObjects = 20;
constexpr int kFurniture = 8;
constexpr std::array<std::int16_t, 4> kVehicleTypes = {kv::kTypF104, kv::kTypF101, kv::kTypF110,
                                                       kv::kTypF201};

// A point of the view: i of n spread over a grid of the given columns.
struct Spot {
    int x;
    int y;
};
Spot InView(int i, int columns, int rows) {
    const int vx = kv::ViewOrigin.x;
    const int vy = kv::ViewOrigin.y;
    return {vx + 60 + (i % columns) * 560 / columns, vy + 70 + (i / columns) * 400 / rows};
}

bool PlaceVehicles(std::vector<std::int16_t>* placed) {
    int cannons = 0;
    for (int i = 0; i < kVehicles; ++i) {
        const std::int16_t type = kVehicleTypes[static_cast<std::size_t>(i) % 4];
        kv::LoadFahrzeugTyp(type);
        const Spot at = InView(i, 10, 6);
        const std::int16_t v = kv::CreateFahrzeug(type, static_cast<std::int16_t>(at.x),
                                                  static_cast<std::int16_t>(at.y), i % 12);
        if (v < 0) return false;
        kv::SetupFahrzeug(v, 1);
        if (placed != nullptr) placed->push_back(v);
        kv::Fahrzeug& f = kv::Fahrzeuge[static_cast<std::size_t>(v)];
        f.selected = i < kSelectedEach ? 1 : 0;
        if (f.wasserStrahl != nullptr && cannons < 2) {
            ++cannons;
            kv::StartWasserStrahl(v, static_cast<std::int16_t>(at.x + 120),
                                  static_cast<std::int16_t>(at.y - 40), 0, kv::kKeepFloor);
            f.wasserStrahl->nozzle = f.wasserStrahl->nozzleTarget;
        }
    }
    return cannons == 2;
}

bool PlacePersons(std::vector<std::int16_t>* placed) {
    for (int i = 0; i < kPersons; ++i) {
        const std::int16_t n = kv::FindFreePerson();
        if (n < 0) return false;
        const Spot at = InView(i, 15, 6);
        kv::Person& p = kv::Personen[static_cast<std::size_t>(n)];
        p.type = 1;
        p.x = static_cast<float>(at.x + 10);
        p.y = static_cast<float>(at.y + 20);
        p.direction = static_cast<std::int8_t>(i % 12);
        kv::ResetPerson(n);
        kv::UpdatePersonDrawPos(p);
        if (placed != nullptr) placed->push_back(n);
        p.selected = i < kSelectedEach ? 1 : 0;
        if (i >= kPersons - 2) {
            kv::SchlauchStrahl& hose = p.attachment.makeJet();
            hose.splash = -1;
            kv::StartSchlauchStrahl(n, static_cast<std::int16_t>(p.x - 90),
                                    static_cast<std::int16_t>(p.y - 30), 0, -1);
            p.direction = hose.direction;
        }
    }
    return true;
}

}  // namespace

bool PlaceCrowdInView(std::vector<std::int16_t>* vehicles, std::vector<std::int16_t>* persons) {
    return PlaceVehicles(vehicles) && PlacePersons(persons);
}

bool PlaceObjectsAndFurnitureInView() {
    for (int i = 0; i < kObjects; ++i) {
        const std::int16_t slot = kv::FindFreeSonderObj();
        if (slot < 0) return false;
        const Spot at = InView(i, 5, 4);
        kv::CreateSonderObj(slot, 18 + i % 5, static_cast<std::int16_t>(at.x),
                            static_cast<std::int16_t>(at.y), 0, 15, 0, 0.0f, 0);
    }
    kv::HouseObjs.assign(kFurniture, kv::HouseObj{});
    kv::HouseObjCount = kFurniture;
    for (int i = 0; i < kFurniture; ++i) {
        const std::uint16_t slot = static_cast<std::uint16_t>(3 * i);
        if (!kv::LoadHouseObjTyp(slot)) return false;
        const Spot at = InView(i, 4, 2);
        kv::HouseObjs[static_cast<std::size_t>(i)] = {
            slot, static_cast<std::int16_t>(at.x), static_cast<std::int16_t>(at.y), 1, 1, 0, 0, 0};
    }
    return true;
}

}  // namespace kv::bench
