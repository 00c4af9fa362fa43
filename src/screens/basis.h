#pragma once
// The mission's six bases, shown as plates on the campaign map, and the stations' screen (game
// mode 8), where vehicles and staff are bought. Base n is column n of BasisAvailability.

#include <array>
#include <cstdint>

#include "mission/campaign_tables.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

// What a base is, and which screen it opens.
inline constexpr std::uint8_t kBasisSmall = 0;
inline constexpr std::uint8_t kBasisMedium = 1;
inline constexpr std::uint8_t kBasisLarge = 2;
inline constexpr std::uint8_t kBasisHeli = 3;
inline constexpr std::uint8_t kBasisLflug = 4;
inline constexpr std::uint8_t kBasisSchiff = 5;

// A vehicle place in the hall: the vehicle type shown there, its hot spot on the screen and the
// direction it is drawn in (3 or 9).
struct BasisPlace {
    std::int16_t type = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t facing = 0;
};
// The small station has the most places.
inline constexpr std::size_t kMaxBasisPlaces = 7;

// A base: its plate's top-left corner on the campaign map and its type; for the stations, where
// the drive-out's mask is drawn and where a bought vehicle starts to drive out; its places.
struct Basis {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t type = 0;
    std::int16_t maskX = 0;
    std::int16_t maskY = 0;
    std::int16_t exitX = 0;
    std::int16_t exitY = 0;
    std::uint8_t placeCount = 0;
    std::array<BasisPlace, kMaxBasisPlaces> places{};
};
extern std::array<Basis, kBasisCount> Basen;

// The bases of every mission, by base.
inline constexpr std::array<Basis, kBasisCount> kBasisPlates = {{
    {310,
     337,
     kBasisSmall,
     174,
     175,
     277,
     270,
     7,
     {{{kTypF301, 215, 270, 3},
       {kTypF104, 180, 325, 3},
       {kTypF201, 165, 370, 3},
       {kTypF110, 390, 260, 9},
       {kTypF106, 370, 300, 9},
       {kTypF103, 345, 340, 9},
       {kTypF202, 325, 370, 9}}}},
    {129,
     395,
     kBasisMedium,
     199,
     250,
     325,
     305,
     6,
     {{{kTypF102, 225, 280, 3},
       {kTypF302, 215, 320, 3},
       {kTypF117, 170, 360, 3},
       {kTypF204, 420, 250, 9},
       {kTypF118, 400, 310, 9},
       {kTypF105, 375, 360, 9}}}},
    {598,
     470,
     kBasisLarge,
     186,
     243,
     305,
     305,
     6,
     {{{kTypF101, 200, 270, 3},
       {kTypF303, 190, 320, 3},
       {kTypF107, 165, 370, 3},
       {kTypF109, 390, 260, 9},
       {kTypF113, 370, 310, 9},
       {kTypF108, 345, 360, 9}}}},
    {509, 410, kBasisHeli, 0, 0, 0, 0, 1, {{{kTypF203, 400, 290, 3}}}},
    {610, 150, kBasisLflug},
    {490, 545, kBasisSchiff, 0, 0, 0, 0, 1, {{{kTypF115, 430, 420, 3}}}},
}};
// Mission 30's ship base (base 5) stands further right.
inline constexpr std::size_t kSchiffBasisIndex = 5;
inline constexpr std::int16_t kSchiffBasisXM30 = 520;

// The bases of the running mission (MissionNummer), at every mission start.
void InitBasen();
// At mission end: empties the bases, and frees what an open base screen holds (a station, the
// helicopter base, the airfield or the ship base), as closing it does but without the campaign map.
void FreeBasen();
// Opens a station of base type 0..2 (game mode 8, the hall); the campaign map has closed itself
// before. Another base, or one of another type, opens nothing.
void OpenBasis(std::int16_t base);
// Frees what the station holds, its staff too, and opens the campaign map.
void CloseBasis();
// The frame function of mode 8 and its input.
void RunBasisFrame();
void OnBasisLButtonDown(int x, int y);
void OnBasisRButtonDown();
void OnBasisMouseMove(int x, int y);
void OnBasisKeyDown(std::uint32_t key);
// The whole station screen: panel, view and message box into the WorkBuffer, then shown with the
// cursor, the info text and the message line.
void DrawBasisScreen();
// The game mode of the stations' screen.
inline constexpr std::uint32_t kGameModeBasis = 8;
// One frame's update of an open station: the world behind it, the drive-out, the staff list. The
// options screen runs it too while it is open over the station.
void UpdateBasis();
// The panel (money, buttons) and the view of the open base, into the WorkBuffer.
void DrawBasisPanel();
void DrawBasisView();
// The cursor over the open station.
void SetBasisCursor();

}  // namespace kv
