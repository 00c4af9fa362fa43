#pragma once
// The panels around the world view: the money, two unit panels (a picture, a state bar and the
// crew of a vehicle each), the three command buttons with their labels and the pressed look of
// the map and options buttons. Drawing them also decides which command each of the three buttons
// offers for the current selection, every frame anew.

#include <array>
#include <cstdint>

#include "persons/person_sprite_table.h"

namespace kv {

// The colour of an occupant's square, by its person type.
inline constexpr std::uint8_t kCrewColourOther = 242;
inline constexpr std::array<std::uint8_t, kPersonTypCount> kCrewColours = [] {
    std::array<std::uint8_t, kPersonTypCount> colours{};
    colours.fill(kCrewColourOther);
    colours[0] = 203;
    for (int t : {1, 2, 3, 8, 9, 10, 13, 15, 16, 17, 20, 21, 22, 25, 45, 46}) colours[t] = 249;
    colours[4] = 255;
    colours[5] = 251;
    colours[26] = 251;
    return colours;
}();
// Also for a seat that names nobody.
constexpr std::uint8_t CrewColour(int personType) {
    return personType >= 0 && personType < kPersonTypCount
               ? kCrewColours[static_cast<std::size_t>(personType)]
               : kCrewColourOther;
}

// Steps the blinking of a critical state bar, 0..9, one step per drawn panel; it runs on from
// mission to mission.
extern std::int16_t PanelBlink;

// Draws the panels into DrawTarget, an 800 x 600 screen, and sets the three buttons' commands.
// Without a DrawTarget only the commands are set.
void DrawControlPanel();
// The backgrounds right of and below the world view, into DrawTarget; the mission view, the order
// panel and the base screens share them.
void DrawPanelBackgrounds();
// An amount in the panel digits, right-aligned at the panel's money place, into DrawTarget: at
// most its last six digits, none when negative.
void DrawPanelMoney(std::int32_t money);
// "GELD" above the money.
void DrawPanelMoneyLabel();
// The vehicle's occupants as small squares in unit panel 1 or 2, coloured by person type.
void DrawCrewMarks(std::int16_t vehicle, std::uint8_t panel);

// Back to 0, as at program start.
void ResetPanelBlink();

}  // namespace kv
