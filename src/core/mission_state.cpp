#include "core/mission_state.h"

namespace kv {

std::uint8_t MissionNummer = 0;
std::uint8_t PartTwo = 0;
std::uint16_t WorldMaxX = 0;
std::uint16_t WorldMaxY = 0;
std::int16_t ScrollCols = 0;
std::int16_t ScrollRows = 0;
std::uint32_t TickCounter = 0;
std::uint16_t SelectionMode = kNoSelection;
std::uint16_t SelectedIndex = 65535;
std::uint16_t CursorId = 0;
std::uint8_t WorldStarted = 0;
std::uint8_t BriefingUnread = 0;
BriefingRect BriefingBox;

void ResetMissionState() {
    MissionNummer = 0;
    PartTwo = 0;
    WorldMaxX = 0;
    WorldMaxY = 0;
    ScrollCols = 0;
    ScrollRows = 0;
    TickCounter = 0;
    SelectionMode = kNoSelection;
    SelectedIndex = 65535;
    CursorId = 0;
    WorldStarted = 0;
    BriefingUnread = 0;
    BriefingBox = {};
}

}  // namespace kv
