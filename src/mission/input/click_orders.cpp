#include "mission/input/click_orders.h"

#include <utility>

#include "media/speech.h"
#include "movement/befehl_queue.h"

namespace kv {

namespace {

// The fifth value of the first order of a sequence, and of the orders appended behind it.
constexpr std::uint32_t kFirst = 0;
constexpr std::uint32_t kAppended = 1;

}  // namespace

void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
    SetBefehl(unit, type, opcode, phrase, a, b, c, d, kFirst);
}

void GiveOrder(UnitHead& unit, const UnitTypHead& type, std::uint8_t opcode, std::int32_t phrase,
               GoalList goals, std::int32_t c, std::int32_t d) {
    SetBefehl(unit, type, opcode, phrase, std::move(goals), c, d, kFirst);
}

void ThenOrder(UnitHead& unit, std::uint8_t opcode, std::int32_t a, std::int32_t b, std::int32_t c,
               std::int32_t d) {
    AppendBefehl(unit, opcode, a, b, c, d, kAppended);
}

void ThenOrder(UnitHead& unit, std::uint8_t opcode, GoalList goals, std::int32_t c,
               std::int32_t d) {
    AppendBefehl(unit, opcode, std::move(goals), c, d, kAppended);
}

void SayPhrase(std::int32_t phrase, std::int8_t speaker) {
    if (speaker < 0) return;
    PlaySpeech(phrase, speaker);
}

}  // namespace kv
