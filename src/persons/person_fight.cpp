#include "persons/person_fight.h"

#include <cstddef>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/saturate.h"
#include "core/selection.h"
#include "media/sound_slots.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "persons/personen.h"

namespace kv {

namespace {

constexpr std::uint8_t kFightOrder = 172;
constexpr std::uint8_t kFightWaitOrder = 173;
constexpr std::uint16_t kFightAnim = 5;
constexpr int kFightSound = 71;
constexpr std::uint8_t kFighterFlags = kPersonController | kPersonFighter;
// Half the meeting point's box.
constexpr int kSpotHalfWidth = 30;
constexpr int kSpotHalfHeight = 20;
// The fighters' movement class decides which map cells a meeting point's box may cover; taken
// from the type table, since the fighters' type may not be loaded yet.
constexpr std::uint8_t kFighterMoveClass = kPersonTypRows[41].terrainColumn;

std::size_t g_nextMeetingPoint = 0;

bool IsFighterType(int type) {
    return type == 41 || type == 43;
}

bool SpotFree(const Point16& m) {
    const int left = m.x - kSpotHalfWidth;
    const int top = m.y - kSpotHalfHeight;
    const int right = m.x + kSpotHalfWidth;
    const int bottom = m.y + kSpotHalfHeight;
    if (left < 0 || top < 0 || right > WorldMaxX || bottom > WorldMaxY) return false;
    return FindCollisionAt(0, nullptr, nullptr, static_cast<std::int16_t>(left),
                           static_cast<std::int16_t>(top), static_cast<std::int16_t>(right),
                           static_cast<std::int16_t>(bottom), -1, 0, kFighterMoveClass,
                           nullptr) == 0;
}

// The partner that order 172 or 173 names; null for a number that names no other person in use.
Person* Partner(std::int16_t index, const Befehl& order) {
    const std::int32_t a = order.aInt();
    return a != index ? UsedPersonAt(a) : nullptr;
}

// The first tick: the fighter must stand 11 px right of its partner; there the partner is hidden
// and waits, and the fight starts where its picture fits.
void StartFight(std::int16_t index, Person& p, Person& partner) {
    Befehl& order = *p.orders;
    order.flags |= kBefehlStarted;
    const int partnerOrder = HeadBefehlOpcode(partner);
    if (partnerOrder == kFightOrder || partnerOrder == kFightWaitOrder ||
        partner.energy > p.energy) {
        ClearBefehle(p);
        return;
    }
    if (TruncInt(p.x) != TruncInt(partner.x) + kFightGap || TruncInt(p.y) != TruncInt(partner.y)) {
        order.flags &= static_cast<std::uint8_t>(~kBefehlStarted);
        if (partner.orders == nullptr) ClearBefehle(p);
        return;
    }
    partner.present = 0;
    if (IsFighterType(p.type)) SetPersonAnim(index, kFightAnim);
    // The fight is drawn facing up, the only way its pictures go.
    if (TestCollision(0, p, PersonTypOf(p), p.x, p.y, 0, p.storey,
                      static_cast<std::uint8_t>(p.anim), nullptr) != 0) {
        partner.present = 1;
        ClearBefehle(p);
        return;
    }
    SetBefehl(partner, PersonTypOf(partner), kFightWaitOrder, -1, index, 0, 0, 0, 0);
    p.direction = 0;
    p.selected = 0;
    partner.selected = 0;
    p.controlFlags = 0;
    partner.controlFlags = 0;
    UpdateSelectionMode();
    PlaySoundFx(kFightSound, kOwnerPerson, index, 1, 0, 0, kSoundDepth);
}

// The winner stands up a step aside as a free fighter again, weaker by half the partner's energy.
// With lost set the partner lies down beside it as a casualty; a partner that came to harm in
// between is left as it is.
void EndFight(std::int16_t index, Person& p, std::int16_t partnerIndex, Person& partner,
              bool lost) {
    StopOwnerSound(kOwnerPerson, index);
    p.x += 1;
    p.y -= 1;
    p.direction = 9;
    SetPersonAnim(index, kAnimStand);
    p.controlFlags = kFighterFlags;
    p.energy = Saturate(static_cast<std::int64_t>(p.energy) - partner.energy / 2);
    if (lost) {
        // Its order 173 goes, and with it its hiding.
        ClearBefehle(partner);
        partner.x -= 10;
        partner.y -= 2;
        partner.direction = 9;
        SetPersonAnim(partnerIndex, kAnimLying);
        UpdatePersonDrawPos(partner);
        partner.casualty = 1;
        partner.link2 = kNoLink;
        ++VerletzteCount;
        partner.treated = 0;
        partner.energy = kFullEnergy;
        partner.energyLoss = kCasualtyLoss;
        partner.energyGain = kCasualtyGain;
    }
    ClearBefehle(p);
    UpdatePersonDrawPos(p);
}

}  // namespace

Point16 FindFreeSpotNearPoint() {
    for (std::size_t n = 0; n < kMeetingPoints.size(); ++n) {
        const std::size_t i = (g_nextMeetingPoint + n) % kMeetingPoints.size();
        if (!SpotFree(kMeetingPoints[i])) continue;
        g_nextMeetingPoint = (i + 1) % kMeetingPoints.size();
        return kMeetingPoints[i];
    }
    g_nextMeetingPoint = 0;
    return {-1, -1};
}

void ResetFreeSpotIndex() {
    g_nextMeetingPoint = 0;
}

void RunPersonFight(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Person* partner = Partner(index, *p.orders);
    if (partner == nullptr) {
        ClearBefehle(p);
        return;
    }
    const auto partnerIndex = static_cast<std::int16_t>(p.orders->aInt());
    if ((p.orders->flags & kBefehlStarted) == 0) {
        StartFight(index, p, *partner);
        return;
    }
    // A partner hurt or called away in the middle of the fight is not fought on: the winner's
    // side ends at once, and the partner is not made a casualty a second time.
    if (partner->casualty != 0 || HeadBefehlOpcode(*partner) != kFightWaitOrder) {
        EndFight(index, p, partnerIndex, *partner, false);
        return;
    }
    const AnimSlot& slot = PersonAnimSlot(p.type, p.direction, p.anim);
    if (p.frame + 1 < slot.frames) return;
    EndFight(index, p, partnerIndex, *partner, true);
}

void EndPersonFight(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Person* partner = Partner(index, *p.orders);
    if (partner != nullptr && HeadBefehlOpcode(*partner) == kFightOrder) return;
    if (IsFighterType(p.type)) p.controlFlags = kFighterFlags;
    ClearBefehle(p);
}

}  // namespace kv
