#pragma once
// The state every base screen shares (the stations, the helicopter base, the airfield, the ship
// base): which base and view is open, the choice, the vehicle driving out, the staff assigned,
// the buttons.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "screens/basis_staff_table.h"

namespace kv {

inline constexpr std::uint8_t kBasisViewOben = 0;      // staff room
inline constexpr std::uint8_t kBasisViewUnten = 1;     // vehicle hall
inline constexpr std::uint8_t kBasisViewAussen = 2;    // outside, the door opening
inline constexpr std::uint8_t kBasisViewAusfahrt = 3;  // the vehicle driving out

inline constexpr std::uint16_t kNoStaff = 0xFFFF;
inline constexpr std::size_t kMaxAssignedStaff = 6;
inline constexpr std::uint16_t kButtonDisabled = 0xFFFF;
// The info box's kinds.
inline constexpr std::uint8_t kInfoPlace = 1;
inline constexpr std::uint8_t kInfoPerson = 4;
inline constexpr std::uint8_t kInfoNone = 255;

// The labels the panel buttons show (GetCommandLabel's numbers on the base screens).
inline constexpr std::uint16_t kBasisLabelStart = 0;
inline constexpr std::uint16_t kBasisLabelStaff = 1;
inline constexpr std::uint16_t kBasisLabelVehicles = 2;

struct BasisButton {
    std::uint8_t pressed = 0;
    std::int16_t frames = 0;
};

struct BasisScreenState {
    std::int16_t base = 0;
    // The game mode of the open base's screen: its panel's labels are that screen's, also while
    // another screen (the options) is drawn over it.
    std::uint32_t gameMode = 8;  // the stations'
    std::uint8_t view = kBasisViewUnten;
    std::string pathTemplate;  // the station's folder, "basen\klein\%s" and so on
    std::int16_t chosenPlace = -1;
    std::int16_t vehicle = -1;  // the one driving out
    std::array<std::uint16_t, kMaxAssignedStaff> assigned{};
    std::int8_t assignedCount = 0;
    std::int32_t previewMoney = 0;
    // Where assigned staff walk to in the hall: each base's opener sets it.
    BasisPoint gathering = kBasisGatheringPoint;
    std::int16_t infoIndex = -1;
    std::uint8_t infoKind = kInfoNone;
    std::string infoText;
    std::uint8_t firstFrame = 0;
    // START, the second button (PERSONAL/FAHRZEUGE), the map, the options.
    std::array<BasisButton, 4> buttons{};
    // The labels on the three panel buttons.
    std::array<std::uint16_t, 3> labels{};
};
extern BasisScreenState BasisScreen;

struct Basis;
// The record of the open base; null when the base index names none.
const Basis* OpenBasisRecord();
// A base screen of a game mode opening: the base and its folder, nothing chosen or pressed, the
// money as it stands, no info box, the first frame to come.
void BeginBasisScreen(std::int16_t base, std::string_view pathTemplate, std::uint32_t gameMode);
// The info box's thing (index, kind; -1 and kInfoNone for nothing): a new one frees the old text
// and, for something, loads the text of its type.
void ChooseBasisInfo(std::int16_t index, std::uint8_t kind, std::int16_t type);

// The vehicle of the chosen place at the base's exit point, bought and in the base; -1 when the
// vehicle array is full.
std::int16_t CreateBasisFahrzeug();
// One frame of the drive-out at game speed: true once the vehicle is past the screen's foot and
// bought, with fresh staff placed. Nothing without a vehicle.
bool DriveBasisFahrzeugOut();

}  // namespace kv
