#include "mission/input/mission_click.h"

#include <algorithm>
#include <cstdint>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/input/box_selection.h"
#include "mission/input/click_on_fahrzeug.h"
#include "mission/input/click_on_house.h"
#include "mission/input/click_on_person.h"
#include "mission/input/click_orders.h"
#include "mission/input/ground_click.h"
#include "mission/selection.h"
#include "persons/timed_victims.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/ponton_punkte.h"

namespace kv {

namespace {

// A press and release at most this far apart on both axes is a click, not a box.
constexpr std::int32_t kClickSlack = 5;

// What may take the click before the thing under the mouse counts: the pontoon layer's points,
// the boats' points, a person in distress, and the mission's own look at every click.
bool TakenBeforeHover(const ClickPoints& at) {
    const auto cx = static_cast<std::int16_t>(at.cx);
    const auto cy = static_cast<std::int16_t>(at.cy);
    const std::int16_t mode = SignedSelectionMode();
    if (mode == kTypF113 && FindPontonPunktAt(cx, cy) != 0) return true;
    if ((mode == kTypF116 || mode == kTypF117 || mode == kTypF119) && ClickBootPunkt(cx, cy) != 0)
        return true;
    if (RescueTimedVictim() != 0) return true;
    const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::ClickOnMapArea);
    return hook != nullptr && hook() != 0;
}

}  // namespace

void HandleMissionClick(WParam, int x, int y) {
    DragActive = 0;
    if (MouseDownPoint.x == -1) return;
    const WorldPoint press = MouseDownPoint;
    MouseDownPoint = {-1, -1};
    const std::int32_t rx = ViewOrigin.x + x;
    const std::int32_t ry = ViewOrigin.y + y;
    const SelectionBox box{std::min(press.x, rx), std::min(press.y, ry), std::max(press.x, rx),
                           std::max(press.y, ry)};
    if (box.right - box.left > kClickSlack || box.bottom - box.top > kClickSlack) {
        SelectInBox(box);
        return;
    }
    const ClickPoints at{box.left, box.top, ViewOrigin.x + MouseX, ViewOrigin.y + MouseY};
    if (TakenBeforeHover(at)) return;
    switch (HoverKind) {
        case kHoverMapCell:
            ClickOnMapCell(at);
            return;
        case kHoverHouseLower:
        case kHoverHouseMiddle:
        case kHoverHouseUpper:
            HandleHouseClick(at);
            return;
        case kHoverPerson:
            HandlePersonClick(at);
            return;
        case kHoverFahrzeug:
            HandleFahrzeugClick(at);
            return;
        case kHoverSonderObj:
            HandleSonderObjClick(at);
            return;
        default:
            // Furniture, and nothing under the mouse.
            return;
    }
}

}  // namespace kv
