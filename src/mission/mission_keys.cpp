#include "mission/mission_keys.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "core/mouse.h"
#include "core/options.h"
#include "mission/pause.h"
#include "mission/screen_calls.h"
#include "mission/scroll_view.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

// A unit is centred with its position this far from the view's top-left corner.
constexpr int kCentreX = 315;
constexpr int kCentreY = 235;

// The mouse over the options button, where the mission-jump word is read.
constexpr int kWordLeft = 663;
constexpr int kWordRight = 770;  // exclusive
constexpr int kWordTop = 354;
constexpr int kWordBottom = 412;  // exclusive

constexpr std::int8_t kKeySpeed1 = '1';
constexpr std::int8_t kKeySpeed3 = '3';

void JumpTo(float x, float y) {
    JumpTarget = LimitToView(static_cast<int>(x) - kCentreX, static_cast<int>(y) - kCentreY);
    JumpTargetActive = 1;
}

// Tab can reach this vehicle: in play, drawn, selectable, and no higher than the aircraft.
bool Centrable(const Fahrzeug* v) {
    return v != nullptr && v->present != 0 && v->targetable != 0 && v->storey >= kLayerAircraft;
}

void CentreNextVehicle() {
    if (FahrzeugCount <= 0) return;
    for (int n = 0; n <= FahrzeugCount; ++n) {
        ++NextVehicleIndex;
        if (NextVehicleIndex >= FahrzeugCount) NextVehicleIndex = 0;
        const Fahrzeug* v = UsedFahrzeugAt(NextVehicleIndex);
        if (!Centrable(v)) continue;
        JumpTo(v->x, v->y);
        return;
    }
}

// The last selected vehicle wins, else the last selected person.
void CentreSelectedUnit() {
    std::optional<std::pair<float, float>> at;
    for (const Person& p : Personen)
        if (p.type >= 0 && p.selected != 0) at = {p.x, p.y};
    for (const Fahrzeug& v : Fahrzeuge)
        if (v.type >= 0 && v.selected != 0) at = {v.x, v.y};
    if (at) JumpTo(at->first, at->second);
}

bool MouseOverOptionsButton() {
    return MouseX >= kWordLeft && MouseX < kWordRight && MouseY >= kWordTop && MouseY < kWordBottom;
}

void TypeMissionJumpWord(std::int8_t key) {
    const auto step = static_cast<std::size_t>(JumpWordStep);
    if (!MouseOverOptionsButton() || step >= kMissionJumpWord.size() ||
        key != kMissionJumpWord[step]) {
        JumpWordStep = 0;
        return;
    }
    ++JumpWordStep;
    if (static_cast<std::size_t>(JumpWordStep) < kMissionJumpWord.size()) return;
    JumpWordStep = 0;
    if (ScreenCalls().OpenMissionJump != nullptr) ScreenCalls().OpenMissionJump();
}

}  // namespace

void OnGameKeyDown(WParam key, LParam) {
    const auto k = static_cast<std::int8_t>(key);
    switch (k) {
        case VK_TAB:
            CentreNextVehicle();
            return;
        case VK_SPACE:
            EnterPause();
            return;
        case VK_END:
            GlideHome = 1;
            return;
        case VK_HOME:
            CentreSelectedUnit();
            return;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            ArrowKeyHeld = static_cast<std::uint8_t>(k);
            return;
        default:
            break;
    }
    if (k >= kKeySpeed1 && k <= kKeySpeed3) {
        GameSpeed = static_cast<std::uint8_t>(k - kKeySpeed1 + 1);
        return;
    }
    TypeMissionJumpWord(k);
}

void OnGameKeyUp(WParam key, LParam) {
    const auto k = static_cast<std::int8_t>(key);
    if (k >= static_cast<std::int8_t>(VK_LEFT) && k <= static_cast<std::int8_t>(VK_DOWN))
        ArrowKeyHeld = 0;
}

}  // namespace kv
