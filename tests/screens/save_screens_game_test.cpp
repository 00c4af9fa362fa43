// Mission 1 saved from the options, played on, loaded again, and refused once its file is
// damaged, as the player does it.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/mission_checksum.h"
#include "mission/mission_fixture.h"
#include "mission/screen_calls.h"
#include "platform/data_folders.h"
#include "platform/window.h"
#include "screens/options.h"
#include "screens/save_screens.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

using SaveScreensGame = test::MissionTest;

std::string SlotName(int slot) {
    const auto& name = SaveSlots->names[static_cast<std::size_t>(slot)];
    return {name.data(), strnlen(name.data(), name.size())};
}

bool SameCounters(const MissionCounterSet& a, const MissionCounterSet& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The options screen's load and save buttons.
struct OptionsButton {
    int x;
    int y;
};
constexpr OptionsButton kLoadButton{134, 408};
constexpr OptionsButton kSaveButton{269, 408};

// The mission view's options button, then the options screen's load or save button.
void ThroughOptions(test::ScriptedPlayer& player, const OptionsButton& button) {
    player.click(700, 380);
    player.frames(3);
    player.click(button.x, button.y);
    player.frames(0);
}

// Slot 3 (3.sav): third column, first row.
constexpr int kSlot = 2;
constexpr int kSlotClickX = 416;
constexpr int kSlotClickY = 170;

TEST_F(SaveScreensGame, MissionOneIsSavedLoadedAndRefusedOnceItsFileIsDamaged) {
    test::ScratchDir slots;
    SetWriteFolder(slots.path().string());
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        // Not about mission 1's rules: nothing may end it while it is saved and loaded.
        row.CheckMission = [] {};
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_TRUE(player.runUntil([] { return TickCounter >= 60; }, 200));
    // Spent and hurt, so that the loaded values cannot be a fresh start's.
    Money -= 1234;
    VerletzteCount = 3;

    // Save: slot 3, "Unfall", Enter.
    ThroughOptions(player, kSaveButton);
    ASSERT_EQ(GameMode, 6u) << FatalErrorMessage();
    const std::uint32_t savedTicks = TickCounter;
    const std::int32_t savedMoney = Money;
    const MissionCounterSet savedCounters = MissionCounters;
    const std::uint64_t savedChecksum = MissionChecksum();
    const std::uint32_t savedSeed = RandomSeed();
    const auto savedPreview = SavePreview;
    player.frames(1);
    player.click(kSlotClickX, kSlotClickY);
    player.chars("Unfall");
    player.frames(1);
    EXPECT_TRUE(player.shot("speichern"));
    player.key(VK_RETURN);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_TRUE(std::filesystem::exists(slots.path() / "3.sav"));
    EXPECT_STRNE(MessageLine.data(), "Spielstand konnte nicht gespeichert werden!");

    // Play on, then load: slot 3 reads "Unfall" with its picture, the others "frei".
    ASSERT_TRUE(player.runUntil([savedTicks] { return TickCounter >= savedTicks + 40; }, 200));
    ThroughOptions(player, kLoadButton);
    ASSERT_EQ(GameMode, 7u) << FatalErrorMessage();
    player.mouse(600, 450);
    player.frames(1);
    EXPECT_TRUE(player.shot("laden"));
    ASSERT_NE(SaveSlots, nullptr);
    for (int slot = 0; slot < kSaveSlotCount; ++slot)
        EXPECT_EQ(SlotName(slot), slot == kSlot ? "Unfall" : "frei") << slot;
    EXPECT_EQ(SaveSlots->previews[kSlot], savedPreview);
    const auto& frame = backend.frames().back();
    EXPECT_EQ(frame.at(kSlotX + 2 * kSlotStepX + 10, kSlotY + 10), savedPreview[10 * 78 + 10]);

    // A click on it: the saved game plays at once.
    CampaignPosition = 7;
    player.click(kSlotClickX, kSlotClickY);
    player.frames(0);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(SaveSlots, nullptr);
    EXPECT_EQ(TickCounter, savedTicks);
    EXPECT_EQ(Money, savedMoney);
    EXPECT_TRUE(SameCounters(MissionCounters, savedCounters));
    EXPECT_EQ(CampaignPosition, 0);
    EXPECT_EQ(BriefingUnread, 0);
    // The file holds no random state: the generator is put back only to compare the rest.
    const std::uint32_t seed = RandomSeed();
    SeedRandom(savedSeed);
    EXPECT_EQ(MissionChecksum(), savedChecksum);
    SeedRandom(seed);
    player.frames(2);
    EXPECT_EQ(GameMode, 2u) << "no briefing comes first";

    // One bit of the file flipped: slot 3 reads "unlesbar", and a click on it changes nothing.
    {
        std::fstream file(slots.path() / "3.sav", std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(6000);
        const int byte = file.get();
        file.seekp(6000);
        file.put(static_cast<char>(byte ^ 0x04));
    }
    ThroughOptions(player, kLoadButton);
    ASSERT_EQ(GameMode, 7u) << FatalErrorMessage();
    player.mouse(600, 450);
    player.frames(1);
    EXPECT_TRUE(player.shot("laden-unlesbar"));
    EXPECT_EQ(SlotName(kSlot), "unlesbar");
    const std::uint32_t ticks = TickCounter;
    const std::uint64_t checksum = MissionChecksum();
    player.click(kSlotClickX, kSlotClickY);
    player.frames(1);
    EXPECT_EQ(GameMode, 7u);
    EXPECT_EQ(TickCounter, ticks);
    EXPECT_EQ(MissionChecksum(), checksum);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
