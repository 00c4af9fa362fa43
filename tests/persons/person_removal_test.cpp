// Deleting a person: whatever named it names nobody afterwards, carriers put down their load as
// their base type, and the slot is free without anything left behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "movement/befehl_queue.h"
#include "persons/mission_actions_fixture.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kCivilian = 0;
constexpr int kFireFighter = 1;
constexpr int kMedic = 4;
constexpr int kDecontaminationVehicle = 8;
constexpr int kFireEngine = 0;

class PersonRemoval : public test::MissionActionsTest {
  protected:
    Person& P(std::int16_t i) { return person(i); }
    // A person with something of its own to lose: a plan and two orders.
    std::int16_t doomed(int type, int x, int y) {
        const std::int16_t i = stand(type, x, y, 0);
        P(i).attachment.makePlan();
        order(i, 7, 100);
        AppendBefehl(P(i), 0, 900, 900, 0, 0, 0);
        return i;
    }
};

TEST_F(PersonRemoval, WhatNamedTheDeletedPersonNamesNobody) {
    struct Case {
        std::string what;
        // Builds the scene, gives the person to delete and a check of the rest.
        std::function<std::pair<std::int16_t, std::function<void()>>()> scene;
    };
    const std::int16_t engine = vehicle(kFireEngine, 300, 1000);
    const std::int16_t decon = vehicle(kDecontaminationVehicle, 700, 1000);
    const Case cases[] = {
        {"a carried patient",
         [&] {
             const std::int16_t patient = doomed(kCivilian, 400, 900);
             P(patient).offMap = 1;
             const std::int16_t carrier = stand(12, 400, 900, 0);
             P(carrier).link = static_cast<std::uint16_t>(patient);
             const std::int16_t team = stand(26, 450, 900, 0);
             P(team).link = static_cast<std::uint16_t>(patient);
             return std::pair{patient, std::function<void()>([=, this] {
                                  EXPECT_EQ(P(carrier).type, kFireFighter);
                                  EXPECT_EQ(P(carrier).link, kNoLink);
                                  EXPECT_EQ(P(team).type, 5);
                                  EXPECT_EQ(P(team).link, kNoLink);
                              })};
         }},
        {"a led person",
         [&] {
             const std::int16_t led = doomed(kCivilian, 400, 900);
             const std::int16_t leader = stand(kFireFighter, 411, 900, 9);
             order(leader, 161, led);
             ticks(1);
             EXPECT_EQ(LedBy(P(leader)), &P(led));
             return std::pair{led, std::function<void()>([=, this] {
                                  EXPECT_EQ(P(leader).link, kNoLink);
                                  EXPECT_EQ(P(leader).orders, nullptr);
                              })};
         }},
        {"a leader",
         [&] {
             const std::int16_t led = stand(kCivilian, 400, 900, 0);
             const std::int16_t leader = doomed(kFireFighter, 411, 900);
             P(leader).direction = 9;
             order(leader, 161, led);
             ticks(1);
             EXPECT_EQ(LeaderOf(P(led)), &P(leader));
             return std::pair{leader, std::function<void()>([=, this] {
                                  EXPECT_EQ(P(led).link, kNoLink);
                                  EXPECT_EQ(LeaderOf(P(led)), nullptr);
                              })};
         }},
        {"a seated one",
         [&] {
             const std::int16_t seated = doomed(kFireFighter, 300, 1000);
             P(seated).offMap = 1;
             Fahrzeuge[static_cast<std::size_t>(engine)].seats[1] =
                 static_cast<std::uint16_t>(seated);
             return std::pair{
                 seated, std::function<void()>([=] {
                     for (const std::uint16_t s : Fahrzeuge[static_cast<std::size_t>(engine)].seats)
                         EXPECT_EQ(s, kNoPerson);
                 })};
         }},
        {"a patient on a bed under treatment",
         [&] {
             const std::int16_t bed = object(kSobjBett, 500, 900);
             const std::int16_t patient = doomed(kCivilian, 512, 926);
             const std::int16_t medic = stand(kMedic, 530, 928, 9);
             P(patient).link = static_cast<std::uint16_t>(kRevivedByLink + medic);
             P(medic).link = static_cast<std::uint16_t>(patient);
             SonderObjs[static_cast<std::size_t>(bed)].user = patient;
             // A pontoon's user is its pontoon point, whatever number it has.
             const std::int16_t pontoon = object(kSobjPonton, 200, 900);
             SonderObjs[static_cast<std::size_t>(pontoon)].user = patient;
             return std::pair{patient, std::function<void()>([=, this] {
                                  EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].user, -1);
                                  EXPECT_EQ(SonderObjs[static_cast<std::size_t>(pontoon)].user,
                                            patient);
                                  EXPECT_EQ(P(medic).link, kNoLink);
                              })};
         }},
        {"a medic reviving a patient on a bed",
         [&] {
             const std::int16_t patient = stand(kCivilian, 512, 926, 0);
             const std::int16_t medic = doomed(kMedic, 530, 928);
             P(patient).link = static_cast<std::uint16_t>(kRevivedByLink + medic);
             P(medic).link = static_cast<std::uint16_t>(patient);
             const std::int16_t treated = stand(kCivilian, 600, 926, 0);
             P(treated).link = static_cast<std::uint16_t>(kTreatedByLink + medic);
             return std::pair{medic, std::function<void()>([=, this] {
                                  EXPECT_EQ(P(patient).link, kOnSonderObjLink);
                                  EXPECT_EQ(P(treated).link, kNoLink);
                              })};
         }},
        {"a decontamination occupant",
         [&] {
             const std::int16_t inside = doomed(kFireFighter, 700, 1000);
             P(inside).present = 0;
             order(inside, 199, decon, 150);
             Fahrzeuge[static_cast<std::size_t>(decon)].link = static_cast<std::uint16_t>(inside);
             return std::pair{inside, std::function<void()>([=] {
                                  EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(decon)].link,
                                            kNoLink);
                              })};
         }},
        {"a fighter's partner, and an object held by index",
         [&] {
             const std::int16_t rival = doomed(41, 400, 900);
             const std::int16_t fighter = stand(41, 420, 900, 0);
             P(fighter).controlFlags = kPersonFighter;
             P(fighter).link2 = static_cast<std::uint16_t>(rival);
             const std::int16_t staff = stand(kFireFighter, 440, 900, 0);
             P(staff).link2 = static_cast<std::uint16_t>(rival);  // a vehicle, for staff
             const std::int16_t holder = stand(14, 460, 900, 0);
             P(holder).link = static_cast<std::uint16_t>(rival);  // an object's slot
             return std::pair{rival, std::function<void()>([=, this] {
                                  EXPECT_EQ(P(fighter).link2, kNoLink);
                                  EXPECT_EQ(P(staff).link2, rival);
                                  EXPECT_EQ(P(holder).link, rival);
                                  EXPECT_EQ(P(holder).type, 14);
                              })};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [gone, check] = c.scene();
        DeletePerson(gone);
        EXPECT_EQ(P(gone).type, -1);
        EXPECT_EQ(P(gone).orders, nullptr);
        EXPECT_TRUE(P(gone).attachment.empty());
        EXPECT_EQ(P(gone).link, kNoLink);
        check();
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
        for (int s = 0; s < SonderObjCount; ++s)
            if (SonderObjs[static_cast<std::size_t>(s)].type != -1) FreeSonderObjSlot(s);
    }
}

}  // namespace
}  // namespace kv
