#pragma once
// The person record: the unit head that vehicles share, then what only persons have. The field
// list below is the save game's person layout (709 bytes).

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/record_fields.h"
#include "core/unit_head.h"
#include "movement/person_trail.h"
#include "world/wasser_strahl.h"

namespace kv {

// controlFlags bits.
inline constexpr std::uint8_t kPersonController = 1;  // the update runs its controllers
inline constexpr std::uint8_t kPersonOnlooker = 2;
inline constexpr std::uint8_t kPersonRival = 4;
inline constexpr std::uint8_t kPersonPedestrian = 8;
inline constexpr std::uint8_t kPersonFighter = 16;
inline constexpr std::uint8_t kPersonScriptMarked = 32;  // the storey bookkeeping skips it
inline constexpr std::uint8_t kPersonInDistress = 64;    // holds a deadline plan

// Animation slots the person code names.
inline constexpr std::uint8_t kAnimStand = 0;
inline constexpr std::uint8_t kAnimWalk = 1;
inline constexpr std::uint8_t kAnimLying = 2;
inline constexpr std::uint8_t kAnimDistress = 3;
inline constexpr std::uint8_t kAnimLayDown = 3;  // a carrier laying its casualty down
inline constexpr std::uint8_t kAnimKneel = 4;
inline constexpr std::uint8_t kAnimTreat = 5;
inline constexpr std::uint8_t kAnimStandUp = 5;  // a carrier that has laid its casualty down

// The deadline plan of a person in distress (24 bytes; the creator writes the first 16).
struct DeadlinePlan {
    std::uint8_t active = 1;
    std::uint8_t spare1 = 0;
    std::uint16_t spare2 = 0;
    std::int16_t startX = 0;  // x at creation, truncated
    // Owned by the mission script; 2 = out of reach: the cursor and the rescue click skip it.
    std::uint16_t state = 0;
    std::uint16_t spare3 = 0;
    std::int16_t deadline = 0;  // mission second at which the person is lost
    // From the person to where a boat stops to fetch it; -1 in both: none.
    std::int16_t approachDx = -1;
    std::int16_t approachDy = -1;
    // Not written here; kept (and saved) for the mission scripts.
    std::array<std::uint8_t, 8> scriptBytes{};
};
template <class V>
constexpr void VisitFields(DeadlinePlan& r, V& v) {
    v("active", r.active);
    v("spare1", r.spare1);
    v("spare2", r.spare2);
    v("startX", r.startX);
    v("state", r.state);
    v("spare3", r.spare3);
    v("deadline", r.deadline);
    v("approachDx", r.approachDx);
    v("approachDy", r.approachDy);
    v("scriptBytes", r.scriptBytes);
}
inline constexpr std::uint16_t kPlanOutOfReach = 2;

// Scripts that let a person bob in the water keep four i16 in the plan's script bytes (little
// endian, so they travel with the saved plan): the drift offset and the point to fall back to.
enum class PlanWord : std::uint8_t { DriftDx = 0, DriftDy = 1, FallbackX = 2, FallbackY = 3 };
inline std::int16_t PlanScriptWord(const DeadlinePlan& plan, PlanWord word) {
    const auto at = static_cast<std::size_t>(word) * 2;
    return static_cast<std::int16_t>(plan.scriptBytes[at] | (plan.scriptBytes[at + 1] << 8));
}
inline void SetPlanScriptWord(DeadlinePlan& plan, PlanWord word, std::int16_t value) {
    const auto at = static_cast<std::size_t>(word) * 2;
    const auto bits = static_cast<std::uint16_t>(value);
    plan.scriptBytes[at] = static_cast<std::uint8_t>(bits & 0xFF);
    plan.scriptBytes[at + 1] = static_cast<std::uint8_t>(bits >> 8);
}

// The one 24-byte block a person may own: its hose jet or its deadline plan. Held in the record
// itself; the save game stores it as a flag byte and the block.
class PersonAttachment {
  public:
    enum class Kind : std::uint8_t { None, Plan, Jet };

    Kind kind() const { return static_cast<Kind>(block_.index()); }
    bool empty() const { return kind() == Kind::None; }
    DeadlinePlan* plan() { return std::get_if<DeadlinePlan>(&block_); }
    const DeadlinePlan* plan() const { return std::get_if<DeadlinePlan>(&block_); }
    SchlauchStrahl* jet() { return std::get_if<SchlauchStrahl>(&block_); }
    const SchlauchStrahl* jet() const { return std::get_if<SchlauchStrahl>(&block_); }
    // Replaces what the person held.
    DeadlinePlan& makePlan() { return block_.emplace<DeadlinePlan>(); }
    SchlauchStrahl& makeJet() { return block_.emplace<SchlauchStrahl>(); }
    void reset() { block_ = std::monostate{}; }

  private:
    std::variant<std::monostate, DeadlinePlan, SchlauchStrahl> block_;
};

// A default-built Person is a free slot with the free defaults.
struct Person : UnitHead {
    Person() {
        present = 1;
        targetable = 1;
        selectable = 1;
    }

    std::uint8_t offMap = 0;  // inside a vehicle, carried, or otherwise off the map
    std::uint8_t animate = 0;
    std::uint8_t idleStand = 0;
    std::uint16_t basketVehicle = 0xFFFF;
    std::uint8_t casualty = 0;
    std::uint8_t treated = 0;
    std::int16_t energyLoss = 0;
    std::int16_t energyGain = 0;
    float evadeX = 0;
    float evadeY = 0;
    std::uint8_t evadeTicks = 0;
    std::uint8_t contamination = 0;
    std::uint16_t exposure = 0;
    std::uint16_t deadTicks = 0;
    PersonTrail trail;
    PersonAttachment attachment;
    std::uint8_t evadeKind = 0;
    std::int16_t evadeSource = 0;
    std::uint8_t evadeDir = 0;
    std::uint8_t evadeLastDir = 0;
    std::uint8_t evadeReset = 0;

    // Not saved: the order 169 or 170 whose door double this slot is, null for any other
    // person. Loading a game marks the doubles again from the orders that name them.
    const Befehl* doorOrder = nullptr;
};

// A door double stands in a doorway for a person walking through it: fire, explosions and
// contamination pass over it.
inline bool IsDoorDouble(const Person& p) {
    return p.doorOrder != nullptr;
}

template <class V>
constexpr void VisitFields(Person& r, V& v) {
    VisitFields(static_cast<UnitHead&>(r), v);
    v("offMap", r.offMap);
    v("animate", r.animate);
    v("idleStand", r.idleStand);
    v("basketVehicle", r.basketVehicle);
    v("casualty", r.casualty);
    v("treated", r.treated);
    v("energyLoss", r.energyLoss);
    v("energyGain", r.energyGain);
    v("evadeX", r.evadeX);
    v("evadeY", r.evadeY);
    v("evadeTicks", r.evadeTicks);
    v("contamination", r.contamination);
    v("exposure", r.exposure);
    v("deadTicks", r.deadTicks);
    v("trail", r.trail);
    v.pointer("attachment", r.attachment);
    v("evadeKind", r.evadeKind);
    v("evadeSource", r.evadeSource);
    v("evadeDir", r.evadeDir);
    v("evadeLastDir", r.evadeLastDir);
    v("evadeReset", r.evadeReset);
}

}  // namespace kv
