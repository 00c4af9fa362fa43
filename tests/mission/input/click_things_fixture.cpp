#include "mission/input/click_things_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>

#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "media/speech.h"
#include "mission/input/click_on_fahrzeug.h"
#include "mission/input/click_on_house.h"
#include "mission/input/click_on_person.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "platform/sound.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeuge.h"
#include "world/ponton_punkte.h"

namespace kv::test {

namespace {

HeadlessBackend* g_backend = nullptr;

void Quiet() {
    StopAllSounds();
    if (g_backend != nullptr) g_backend->sound.clearCalls();
}

std::string Number(std::uint32_t word, bool point) {
    char text[32];
    if (point)
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(std::bit_cast<float>(word)));
    else
        std::snprintf(text, sizeof text, "%d", static_cast<std::int32_t>(word));
    return text;
}

}  // namespace

void ThingClickTest::SetUp() {
    CursorTest::SetUp();
    g_backend = &backend;
    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    FillSoundSlotsWithTones();
    UnitSpeech = 1;
    MissionNummer = 1;
    ClearMessageLine();
}

void ThingClickTest::TearDown() {
    ReleaseSounds();
    g_backend = nullptr;
    PontonPunkte.clear();
    ClearMissionHooks();
    CursorTest::TearDown();
}

std::vector<std::string> ThingClickTest::Orders(const UnitHead& unit) {
    std::vector<std::string> orders;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) {
        std::string text = std::to_string(b->opcode);
        if (!b->goals.empty()) {
            text += "[";
            for (std::size_t i = 0; i < b->goals.size(); ++i) {
                const GoalPoint& g = b->goals[i];
                // Appended piece by piece: a literal put before a temporary string trips
                // the optimiser's overlap warning.
                text += i > 0 ? ";" : "";
                text += Number(std::bit_cast<std::uint32_t>(g.x), true) + "," +
                        Number(std::bit_cast<std::uint32_t>(g.y), true) + "," +
                        std::to_string(g.facing);
            }
            text += "]";
        } else {
            const BefehlForm form = BefehlOpcodes[b->opcode].form;
            const bool ab = form != BefehlForm::Raw;
            const bool cd = form == BefehlForm::Move || form == BefehlForm::Route;
            text += "(";
            text += Number(b->a, ab) + "," + Number(b->b, ab) + "," + Number(b->c, cd) + "," +
                    Number(b->d, cd) + ")";
        }
        orders.push_back(text + std::to_string(b->e));
    }
    return orders;
}

std::string ThingClickTest::FirstOrder(const UnitHead& unit) {
    const std::vector<std::string> orders = Orders(unit);
    return orders.empty() ? std::string() : orders.front();
}

std::string ThingClickTest::LastOrder(const UnitHead& unit) {
    const std::vector<std::string> orders = Orders(unit);
    return orders.empty() ? std::string() : orders.back();
}

ClickPoints ThingClickTest::AtMouse() {
    const int x = ViewOrigin.x + MouseX;
    const int y = ViewOrigin.y + MouseY;
    return {x, y, x, y};
}

void ThingClickTest::ClickFahrzeug(std::int16_t v) {
    Quiet();
    Hover(kHoverFahrzeug, static_cast<std::uint16_t>(v));
    HandleFahrzeugClick(AtMouse());
}

void ThingClickTest::ClickPerson(std::int16_t p) {
    Quiet();
    Hover(kHoverPerson, static_cast<std::uint16_t>(p));
    HandlePersonClick(AtMouse());
}

void ThingClickTest::ClickSonderObj(std::int16_t o) {
    Quiet();
    Hover(kHoverSonderObj, static_cast<std::uint16_t>(o));
    HandleSonderObjClick(AtMouse());
}

void ThingClickTest::ClickHouse(std::uint16_t piece, int i, int j, int s, std::uint16_t cursor,
                                int h) {
    Quiet();
    Hover(piece, static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j),
          static_cast<std::uint16_t>(s), static_cast<std::uint16_t>(h));
    CursorId = cursor;
    HandleHouseClick(AtMouse());
}

std::vector<int> ThingClickTest::Played() {
    return PlayedSoundIds(backend.sound);
}

std::vector<int> ThingClickTest::Said(const UnitTypHead& type, int phrase) {
    if (type.speaker < 0) return {};
    return {type.speaker * kPhraseCount + phrase};
}

int ThingClickTest::PointsTakenUp(std::int16_t carrier, void (*run)(std::int16_t),
                                  const std::function<void()>& reset) {
    Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(carrier)];
    if (c.orders == nullptr || c.orders->next == nullptr) return 0;
    const GoalList goals = c.orders->goals;
    const Befehl takeUp = *c.orders->next;
    const std::int8_t type = c.type;
    int taken = 0;
    for (const GoalPoint& g : goals) {
        ClearBefehle(c);
        c.type = type;
        c.x = g.x;
        c.y = g.y;
        c.direction = static_cast<std::int8_t>(g.facing);
        AppendBefehl(c, takeUp.opcode, takeUp.aInt(), takeUp.bInt(), 0, 0, 0);
        run(carrier);
        taken += c.type != type ? 1 : 0;
        c.link = kNoLink;
        reset();
    }
    ClearBefehle(c);
    c.type = type;
    return taken;
}

}  // namespace kv::test
