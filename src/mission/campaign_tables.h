#pragma once
// The campaign: the order in which the 30 missions are played, each mission's code, titles and
// bases, and where in that order the player stands.

#include <array>
#include <cstdint>

#include "core/mission_points.h"
#include "core/mission_state.h"
#include "platform/cp1252.h"

namespace kv {

inline constexpr int kCampaignLength = 30;

// The mission number played at each campaign position 0..29.
inline constexpr std::array<std::uint8_t, kCampaignLength> CampaignOrder = {
    1, 5,  19, 14, 25, 24, 17, 12, 16, 9,  13, 2,  8,  10, 7,
    6, 15, 27, 20, 22, 11, 29, 28, 4,  23, 30, 26, 21, 3,  18};

// By mission number 1..30: the four letters that name the mission's hint, briefing and info files
// and its road overlay picture. Entry 0 is no mission.
inline constexpr std::array<const char*, kMissionCount + 1> MissionCodes = {
    "",     "M101", "M210", "M314", "M306", "M102", "M103", "M203", "M309", "M305", "M211",
    "M301", "M104", "M202", "M201", "M209", "M303", "M206", "M315", "M307", "M313", "M302",
    "M304", "M311", "M208", "M207", "M308", "M205", "M312", "M212", "M310"};

// By mission number 1..30, Windows-1252, shown while the mission loads; entry 0 repeats mission
// 30's.
inline constexpr std::array<const char*, kMissionCount + 1> MissionTitlesLong = {
    W("Kreuzfahrtschiff brennt!"),
    W("Verkehrsunfall auf Bundesstraße!"),
    W("Flächenbrand in Waldstück!"),
    W("Menschenauflauf im Villenviertel!"),
    W("Rassenunruhen!"),
    W("Wohnhaus brennt!"),
    W("Tornado!"),
    W("Brand in UBahnstation!"),
    W("Flugzeugabsturz auf Schnellrestaurant!"),
    W("Sichern Sie das Fußballendspiel!"),
    W("Sichern Sie den Castortransport!"),
    W("Schwere Regenfälle bedrohen Staudamm!"),
    W("Unfall auf der Achterbahn!"),
    W("Benzintransporter verunglückt!"),
    W("Formel-1-Rennen auf dem Hockenburgring!"),
    W("Ausschreitungen bei Großdemonstration!"),
    W("Busunfall auf der Autobahn!"),
    W("Gasexplosion in Kaufhaus!"),
    W("Waldbrand!"),
    W("Bergsteiger wird vermisst!"),
    W("Sportflugzeug im Gebirge abgestürzt!"),
    W("Verkehrsflugzeug notgelandet!"),
    W("Unfall in Atomkraftwerk!"),
    W("Giftgasanschlag in UBahnstation!"),
    W("Schlauchboot auf dem Fluß gekentert!"),
    W("Wohnhausbrand durch Brandstifter!"),
    W("Erdbeben!"),
    W("Bombenattentat auf Regierungsgebäude!"),
    W("Brand in Biowaffenfabrik!"),
    W("Flugzeugabsturz bei Flugschau!"),
    W("Kreuzfahrtschiff brennt!"),
};

// By mission number 1..30, Windows-1252, shown in the mission jump's list; entry 0 is no
// mission.
inline constexpr std::array<const char*, kMissionCount + 1> MissionTitlesShort = {
    "",
    W("Verkehrsunfall auf Bundesstraße!"),
    W("Flächenbrand in Waldstück!"),
    W("Menschenauflauf im Villenviertel!"),
    W("Rassenunruhen!"),
    W("Wohnhaus brennt!"),
    W("Tornado!"),
    W("Brand in UBahnstation!"),
    W("Absturz auf Schnellrestaurant!"),
    W("Sichern Sie das Fußballendspiel!"),
    W("Sichern Sie den Castortransport!"),
    W("Regenfälle bedrohen Staudamm!"),
    W("Unfall auf der Achterbahn!"),
    W("Benzintransporter verunglückt!"),
    W("Formel-1-Rennen!"),
    W("Gewalttätige Großdemonstration!"),
    W("Busunfall auf der Autobahn!"),
    W("Gasexplosion in Kaufhaus!"),
    W("Waldbrand!"),
    W("Bergsteiger wird vermisst!"),
    W("Sportflugzeug abgestürzt!"),
    W("Verkehrsflugzeug notgelandet!"),
    W("Unfall in Atomkraftwerk!"),
    W("Giftgasanschlag in UBahnstation!"),
    W("Schlauchboot gekentert!"),
    W("Wohnhausbrand durch Brandstifter!"),
    W("Erdbeben!"),
    W("Bombenattentat!"),
    W("Brand in Biowaffenfabrik!"),
    W("Flugzeugabsturz bei Flugschau!"),
    W("Kreuzfahrtschiff brennt!"),
};

// The six bases of each mission on the campaign map, by row mission - 1 and column base 0..5.
inline constexpr std::uint8_t kBasisAbsent = 0;
inline constexpr std::uint8_t kBasisOpen = 1;    // shown, and may be entered
inline constexpr std::uint8_t kBasisClosed = 2;  // shown, but cannot be entered
inline constexpr int kBasisCount = 6;
inline constexpr std::array<std::array<std::uint8_t, kBasisCount>, kMissionCount>
    BasisAvailability = {{
        {1, 0, 0, 0, 0, 0},  // mission 1
        {1, 1, 1, 1, 1, 0},  // mission 2
        {1, 1, 1, 1, 1, 2},  // mission 3
        {1, 1, 1, 1, 1, 0},  // mission 4
        {1, 0, 0, 0, 0, 0},  // mission 5
        {1, 1, 1, 1, 1, 0},  // mission 6
        {1, 1, 1, 1, 2, 0},  // mission 7
        {1, 1, 1, 1, 1, 0},  // mission 8
        {1, 1, 1, 1, 0, 0},  // mission 9
        {1, 1, 1, 1, 1, 0},  // mission 10
        {1, 1, 1, 1, 1, 0},  // mission 11
        {1, 1, 0, 1, 0, 0},  // mission 12
        {1, 1, 1, 1, 0, 0},  // mission 13
        {1, 1, 0, 1, 0, 0},  // mission 14
        {1, 1, 1, 1, 1, 0},  // mission 15
        {1, 1, 0, 1, 0, 0},  // mission 16
        {1, 1, 0, 1, 0, 0},  // mission 17
        {1, 1, 1, 1, 1, 1},  // mission 18
        {1, 0, 0, 1, 0, 0},  // mission 19
        {1, 1, 1, 2, 2, 0},  // mission 20
        {1, 1, 1, 1, 2, 2},  // mission 21
        {1, 1, 1, 1, 1, 0},  // mission 22
        {1, 1, 1, 1, 2, 0},  // mission 23
        {1, 1, 0, 1, 0, 0},  // mission 24
        {1, 1, 0, 1, 0, 0},  // mission 25
        {1, 1, 1, 1, 1, 2},  // mission 26
        {1, 1, 1, 1, 1, 0},  // mission 27
        {1, 1, 1, 1, 1, 0},  // mission 28
        {1, 1, 1, 1, 2, 0},  // mission 29
        {1, 1, 1, 1, 1, 1},  // mission 30
    }};

// By mission number 1..30: the mission's site on the campaign map, where its marker stands and
// every map road ends. The level hooks set KarteMarker from it. Entry 0 is no mission.
inline constexpr std::array<KartePoint, kMissionCount + 1> KarteMarkers = {{
    {0, 0},     {242, 351}, {525, 353}, {682, 538}, {568, 492}, {189, 457}, {528, 337}, {473, 496},
    {460, 370}, {629, 373}, {114, 226}, {522, 74},  {433, 458}, {494, 461}, {89, 559},  {558, 473},
    {624, 343}, {614, 362}, {340, 260}, {111, 146}, {111, 146}, {92, 335},  {675, 281}, {473, 496},
    {533, 319}, {568, 492}, {558, 472}, {568, 492}, {525, 353}, {629, 372}, {487, 557},
}};

// The campaign position 0..29 of the mission being played; 0 at program start. It outlives the
// mission: the high scores raise it, the mission jump and loading a game set it.
extern std::uint8_t CampaignPosition;

// The position of a mission in the campaign order; kCampaignLength when it has none.
constexpr std::uint8_t CampaignPositionOf(int mission) {
    for (int p = 0; p < kCampaignLength; ++p)
        if (CampaignOrder[static_cast<std::size_t>(p)] == mission)
            return static_cast<std::uint8_t>(p);
    return kCampaignLength;
}

// Back to the start of the campaign, as at program start.
void ResetCampaignPosition();

}  // namespace kv
