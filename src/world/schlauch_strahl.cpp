#include "world/schlauch_strahl.h"

#include "movement/stepping.h"
#include "persons/personen.h"
#include "world/brand.h"
#include "world/jet_common.h"

namespace kv {

namespace {

Person* PersonWithJet(std::int32_t index, SchlauchStrahl*& jet) {
    Person* p = PersonAt(index);
    jet = p != nullptr && p->type != -1 ? p->attachment.jet() : nullptr;
    return jet != nullptr ? p : nullptr;
}

// The hand of the jet's direction, the nozzle below it.
JetPoint HoseNozzle(const Person& p, const SchlauchStrahl& jet) {
    const HandOffset& hand = kSchlauchHandOffsets[WrapDirection(jet.direction)];
    return {p.x + hand.dx, p.y + hand.dy + kSchlauchNozzleDrop};
}

}  // namespace

SchlauchStrahl* PersonSchlauchStrahl(std::int32_t person) {
    SchlauchStrahl* jet = nullptr;
    PersonWithJet(person, jet);
    return jet;
}

void StartSchlauchStrahl(std::int16_t person, std::int16_t x, std::int16_t y, std::int16_t height,
                         std::int16_t floor) {
    SchlauchStrahl* jet = nullptr;
    const Person* p = PersonWithJet(person, jet);
    if (p == nullptr) return;
    jet->active = 1;
    if (floor != -1) jet->floor = floor;
    jet->targetX = x;
    jet->targetY = y;
    jet->height = height;
    PlaceJetSplash(jet->splash, x + jet->wobbleX, y + jet->wobbleY, height, true);
    jet->direction = static_cast<std::int8_t>(JetDirection({p->x, p->y}, x, y));
}

void StopSchlauchStrahl(std::int16_t person) {
    SchlauchStrahl* jet = nullptr;
    if (PersonWithJet(person, jet) == nullptr) return;
    jet->active = 0;
    HideJetSplash(jet->splash);
}

bool TestSchlauchStrahlTarget(std::int16_t person, std::int16_t x, std::int16_t y,
                              CellPos* blocking) {
    SchlauchStrahl* jet = nullptr;
    const Person* p = PersonWithJet(person, jet);
    if (p == nullptr) return false;
    jet->direction = static_cast<std::int8_t>(JetDirection({p->x, p->y}, x, y));
    return JetLineClear(HoseNozzle(*p, *jet), x, y, blocking);
}

void StartSchlauchStrahlArc(std::int16_t person, std::int16_t x, std::int16_t y,
                            std::int16_t height, std::int32_t, const CellPos* blocking) {
    SchlauchStrahl* jet = nullptr;
    const Person* p = PersonWithJet(person, jet);
    if (p == nullptr) return;
    const JetLanding at = LandJetArc(HoseNozzle(*p, *jet), kSchlauchNozzleDrop, x, y, height,
                                     kSchlauchElevation, blocking);
    StartSchlauchStrahl(person, at.x, static_cast<std::int16_t>(at.y - at.height), at.height,
                        static_cast<std::int16_t>(at.height / kStoreyHeight));
}

void UpdateSchlauchStrahl(std::int16_t person) {
    SchlauchStrahl* jet = nullptr;
    Person* p = PersonWithJet(person, jet);
    if (p == nullptr || jet->active == 0) return;
    const std::uint8_t facing = WrapDirection(p->direction);
    const std::uint8_t wanted = WrapDirection(jet->direction);
    if (facing != wanted) {
        p->direction = static_cast<std::int8_t>(TurnStep(facing, wanted));
        UpdatePersonDrawPos(*p);
        return;
    }
    DriftJetD(jet->wobbleD, jet->wobbleDTarget);
    DriftJetXY(jet->wobbleX, jet->wobbleXTarget);
    // Aimed at a house's front, the water must not drift off it upwards or downwards.
    const CellPos foot = CellFromPixel(jet->targetX, jet->targetY + jet->height);
    if (!JetCellIsHouse({foot.column, foot.row - 1}))
        DriftJetXY(jet->wobbleY, jet->wobbleYTarget);
    else
        jet->wobbleY = 0;
    PlaceJetSplash(jet->splash, jet->targetX + jet->wobbleX, jet->targetY + jet->wobbleY,
                   jet->height, false);
    ++jet->ticksRunning;
    ApplyWasser(static_cast<std::int16_t>(jet->targetX + jet->wobbleX),
                static_cast<std::int16_t>(jet->targetY + jet->height), kSchlauchStrength,
                jet->floor, -1);
}

}  // namespace kv
