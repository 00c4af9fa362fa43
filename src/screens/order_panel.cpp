#include "screens/order_panel.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/saturate.h"
#include "core/view.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/primitives.h"
#include "media/unit_sounds.h"
#include "mission/panel_pictures.h"
#include "mission/panels/control_panel.h"
#include "mission/scroll_view.h"
#include "mission/selection.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/text.h"
#include "screens/screen_blits.h"
#include "vehicles/aircraft_befehle.h"
#include "vehicles/drive_in.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::uint8_t OrderStripCount = 0;
std::array<std::int16_t, kOrderStripMax> OrderStripTypes{};
std::array<OrderPoint, kOrderStripMax + 1> OrderStripPos{};
std::int16_t OrderStripScroll = 0;
std::int16_t OrderStripScrollMax = 0;
std::int8_t OrderChosenType = -1;
std::vector<std::int8_t> OrderSeatList;
std::uint8_t OrderSeatCount = 0;
std::array<std::int16_t, kOrderCrewMax> OrderCrewTypes{};
std::int16_t OrderCrewCount = 0;
std::array<OrderPoint, kOrderCrewMax> OrderCrewPos{};
std::uint16_t OrderPanelMessage = kOrderNoMessage;
std::uint8_t OrderButtonPressed = 0;

namespace {

constexpr std::uint32_t kModeMission = 2;
constexpr std::uint32_t kModeOrderPanel = 3;
constexpr std::int16_t kKindAll = 0;
constexpr std::int16_t kKindHeli = 1;
constexpr std::int16_t kKindAircraft = 2;
// The facing each picture shows.
constexpr int kVehicleFacing = 3;
constexpr int kPersonFacing = 6;
constexpr int kStripGap = 10;
constexpr int kStripHitHeight = 80;
constexpr int kCrewHitHeight = 30;
// The chosen entry's outline, and where its crew stands under it.
constexpr std::uint8_t kOutlineColour = 255;
constexpr int kOutlineTop = 82;
constexpr int kSeatedLineY = 140;
constexpr int kSeatedRowStep = 30;
// The strip scrolls while the mouse touches an edge.
constexpr int kScrollStep = 3;
constexpr int kScrollTop = 36;
constexpr int kWorldViewWidth = 629;
constexpr std::int8_t kNoSeat = -1;
constexpr std::uint8_t kHeliSoundLoops = 1;
// The aircraft drops its water on the middle of the view.
constexpr int kViewCentreX = 320;
constexpr int kViewCentreY = 240;
constexpr std::int8_t kAircraftFacing = 3;
constexpr std::uint16_t kSeatFree = 0xFFFF;
constexpr std::uint16_t kNoHouse = 0xFFFF;

const VffImage* TypePicture(std::int16_t type) {
    return SetFrame(FahrzeugAnimSlot(type, kVehicleFacing, 0).images, 0);
}
const VffImage* CrewPicture(std::int16_t type) {
    return SetFrame(PersonAnimSlot(type, kPersonFacing, 0).images, 0);
}
int WidthOf(const VffImage* picture) {
    return picture != nullptr ? picture->width : 0;
}

// Prices are unsigned, the money signed: compared wide, as the buying does.
bool Affordable(std::int64_t price) {
    return price <= static_cast<std::int64_t>(Money);
}

std::int64_t PersonPrice(std::int16_t type) {
    const UnitTypHead* typ = PersonTypRecord(type);
    return typ != nullptr ? typ->price : 0;
}
std::int64_t FahrzeugPrice(std::int16_t type) {
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    return typ != nullptr ? typ->price : 0;
}

// A type with more seats than the list holds is offered the list's ten.
std::size_t SeatsOf(std::int16_t type) {
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    return typ != nullptr ? std::min<std::size_t>(typ->seats, kOrderSeatMax) : 0;
}

void AppendStripEntry(std::int16_t type) {
    if (OrderStripCount >= kOrderStripMax) return;
    LoadFahrzeugTyp(type);
    const std::size_t n = OrderStripCount++;
    OrderStripTypes[n] = type;
    const OrderPoint at = OrderStripPos[n + 1];
    // No position is written past the last index.
    if (n + 2 < OrderStripPos.size())
        OrderStripPos[n + 2] = {at.x + WidthOf(TypePicture(type)) + kStripGap, at.y};
}

void EmptySeats() {
    std::fill(OrderSeatList.begin(), OrderSeatList.end(), kNoSeat);
    OrderSeatCount = 0;
}

void ChooseType(std::int16_t type) {
    OrderChosenType = static_cast<std::int8_t>(type);
    EmptySeats();
    OrderCrewCount = 0;
    for (std::int16_t p = 0; p < static_cast<std::int16_t>(kOrderCrewMax); ++p) {
        if (PersonTypen[static_cast<std::size_t>(p)].mayBoard[static_cast<std::size_t>(type)] == 0)
            continue;
        const auto i = static_cast<std::size_t>(OrderCrewCount++);
        OrderCrewTypes[i] = p;
        if (i > 0)
            OrderCrewPos[i] = {
                OrderCrewPos[i - 1].x + WidthOf(CrewPicture(OrderCrewTypes[i - 1])) + kStripGap,
                OrderCrewPos[i - 1].y};
    }
}

void UnchooseType() {
    OrderChosenType = -1;
    EmptySeats();
    OrderCrewCount = 0;
}

bool StripEntryHit(std::size_t k, int x, int y) {
    const OrderPoint at = OrderStripPos[k + 1];
    const int left = at.x - OrderStripScroll;
    return x >= left && x < left + WidthOf(TypePicture(OrderStripTypes[k])) &&
           y >= at.y - kStripHitHeight && y < at.y;
}

bool CrewEntryHit(std::size_t j, int x, int y) {
    const OrderPoint at = OrderCrewPos[j];
    return x >= at.x && x < at.x + WidthOf(CrewPicture(OrderCrewTypes[j])) &&
           y >= at.y - kCrewHitHeight && y < at.y;
}

void ClickStrip(int x, int y) {
    for (std::size_t k = 0; k < OrderStripCount; ++k) {
        if (!StripEntryHit(k, x, y)) continue;
        const std::int16_t type = OrderStripTypes[k];
        if (type == OrderChosenType) {
            UnchooseType();
        } else if (Affordable(FahrzeugPrice(type))) {
            ChooseType(type);
        } else {
            OrderPanelMessage = kOrderNoMoney;
        }
        return;
    }
}

void ClickCrew(int x, int y) {
    for (std::size_t j = 0; j < static_cast<std::size_t>(OrderCrewCount); ++j) {
        if (!CrewEntryHit(j, x, y)) continue;
        const std::int16_t type = OrderCrewTypes[j];
        if (OrderChosenType < 0) {
            OrderPanelMessage = kOrderNoCarSelected;
        } else if (OrderSeatCount >= SeatsOf(OrderChosenType)) {
            OrderPanelMessage = kOrderCarFull;
        } else if ((OrderChosenType == kTypF201 || OrderChosenType == kTypF203) &&
                   OrderSeatCount > 0 && OrderSeatList[0] == type) {
            OrderPanelMessage = kOrderCarFull;
        } else {
            std::int64_t total = FahrzeugPrice(OrderChosenType) + PersonPrice(type);
            for (std::size_t s = 0; s < OrderSeatCount; ++s) total += PersonPrice(OrderSeatList[s]);
            if (Affordable(total)) {
                OrderSeatList[OrderSeatCount++] = static_cast<std::int8_t>(type);
            } else {
                OrderPanelMessage = kOrderNoMoney;
            }
        }
        return;
    }
}

void DrawPicture(const VffImage* picture, int left, int bottom) {
    if (picture == nullptr || picture->pixels == nullptr) return;
    BlitTransparentClippedTo(kWorldView, picture->pixels, left, bottom - picture->height,
                             picture->width, picture->height, DrawTarget, DrawPitch);
}

void DrawStrip() {
    for (std::size_t k = 0; k < OrderStripCount; ++k) {
        const OrderPoint at = OrderStripPos[k + 1];
        const int left = at.x - OrderStripScroll;
        const VffImage* picture = TypePicture(OrderStripTypes[k]);
        DrawPicture(picture, left, at.y);
        if (OrderStripTypes[k] != OrderChosenType) continue;
        const int width = WidthOf(picture);
        DrawRectClipped(left - 2, at.y - kOutlineTop, width + 4, kOutlineTop + 2, kOutlineColour);
        // The seated crew under the vehicle, in rows as wide as its picture.
        int penX = left;
        int penY = kSeatedLineY;
        for (const std::int8_t seat : OrderSeatList) {
            if (seat == kNoSeat) continue;
            const VffImage* person = CrewPicture(seat);
            if (penX + WidthOf(person) > left + width) {
                penX = left;
                penY += kSeatedRowStep;
            }
            DrawPicture(person, penX, penY);
            penX += WidthOf(person);
        }
    }
}

void DrawMessage() {
    if (OrderPanelMessage == kOrderNoMessage || OrderPanelMessage >= kOrderMessages.size()) return;
    DisplayDC dc(SurfaceId::Back);
    if (!dc) return;
    UseLargeWhiteText(*dc, TA_LEFT | TA_TOP);
    const OrderMessage& m = kOrderMessages[OrderPanelMessage];
    dc->textOut(m.x, kOrderMessageY, m.text);
}

// How many persons the seats ask for.
std::size_t FilledSeats() {
    return static_cast<std::size_t>(std::count_if(OrderSeatList.begin(), OrderSeatList.end(),
                                                  [](std::int8_t s) { return s != kNoSeat; }));
}

std::size_t FreePersonSlots() {
    return static_cast<std::size_t>(std::count_if(Personen.begin(), Personen.end(),
                                                  [](const Person& p) { return p.type < 0; }));
}

void Pay(std::int64_t price) {
    Money = Saturate(std::int64_t{Money} - price);
}

void SeatCrew(Fahrzeug& v) {
    for (std::size_t s = 0; s < v.seats.size(); ++s) {
        const std::int8_t type = s < OrderSeatList.size() ? OrderSeatList[s] : kNoSeat;
        if (type == kNoSeat) {
            v.seats[s] = kSeatFree;
            continue;
        }
        const std::int16_t index = FindFreePerson();
        if (index < 0) return;
        Person& p = PlacePerson(index, type, 0, 0, 0);
        // In the vehicle, not on the map, the player's.
        p.offMap = 1;
        p.controlFlags = 0;
        p.energyLoss = 0;
        p.direction = kPersonFacing;
        p.energy = kFullEnergy;
        p.house = kNoHouse;
        ResetPerson(index);
        Pay(PersonPrice(type));
        v.seats[s] = static_cast<std::uint16_t>(index);
    }
}

}  // namespace

void OpenOrderPanel(std::int16_t kind) {
    GameMode = kModeOrderPanel;
    OrderPanelMessage = kOrderNoMessage;
    OrderSeatCount = 0;
    OrderChosenType = -1;
    OrderCrewCount = 0;
    OrderStripCount = 0;
    OrderButtonPressed = 0;
    ResetViewScroll();
    OrderStripPos = {};
    OrderStripPos[1] = kOrderStripStart;
    if (kind == kKindAll) {
        for (std::int16_t t = 0; t < static_cast<std::int16_t>(kOrderStripMax); ++t)
            if (MissionNummer >= 1 && MissionNummer <= kMissionCount &&
                FahrzeugAvailability[static_cast<std::size_t>(t)][MissionNummer - 1u] > 0)
                AppendStripEntry(t);
    } else if (kind == kKindHeli) {
        AppendStripEntry(kTypF203);
    } else if (kind == kKindAircraft) {
        AppendStripEntry(kTypF111);
    }
    OrderSeatList.assign(kOrderSeatMax, kNoSeat);
    OrderCrewPos[0] = kOrderCrewStart;
    OrderStripScroll = 0;
    OrderStripScrollMax = 0;
    if (OrderStripCount > 0) {
        const std::size_t last = OrderStripCount - 1u;
        const int end = OrderStripPos[last + 1].x + WidthOf(TypePicture(OrderStripTypes[last])) -
                        kWorldViewWidth;
        OrderStripScrollMax = static_cast<std::int16_t>(std::max(0, end));
    }
}

void CloseOrderPanel() {
    OrderSeatList.clear();
    ResetViewScroll();
    GameMode = kModeMission;
}

bool PlaceOrderedFahrzeug() {
    const std::int16_t type = OrderChosenType;
    if (FindFreeFahrzeug() < 0) return false;
    // Room for the whole crew first: a vehicle made and paid for must not be left half manned.
    if (FreePersonSlots() < FilledSeats()) return false;
    const MapEntryPoint& entry = type == kTypF115 ? WaterEntry : RoadEntry;
    const std::int16_t index =
        CreateFahrzeug(type, entry.x, entry.y, type == kTypF111 ? kAircraftFacing : entry.facing);
    if (index < 0) return false;
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    v.targetable = type == kTypF111 ? 0 : 1;
    v.selectable = 1;
    SetupFahrzeug(index, kOwnerBought);
    Pay(FahrzeugPrice(type));
    SeatCrew(v);
    if (type == kTypF111) {
        SendFahrzeugIn(index, static_cast<std::int16_t>(ViewOrigin.x + kViewCentreX),
                       static_cast<std::int16_t>(ViewOrigin.y + kViewCentreY));
        return true;
    }
    DriveFahrzeugIn(index, entry);
    BackFahrzeugOff(index);
    ViewOrigin = HomeView;
    if (type == kTypF203) PlayHeliSound(index, kHeliSoundLoops);
    return true;
}

void RunOrderPanelFrame() {
    ScrollOrderPanel();
    SetOrderPanelCursor();
    DrawOrderPanel();
    if (OrderButtonPressed == 0) return;
    OrderButtonPressed = 0;
    if (OrderChosenType < 0 || PlaceOrderedFahrzeug()) {
        CloseOrderPanel();
    } else {
        OrderPanelMessage = kOrderTooMany;
    }
}

void OnOrderPanelLButtonDown(int x, int y) {
    const bool inView = x >= kWorldView.left && x <= kWorldView.right && y >= kWorldView.top &&
                        y <= kWorldView.bottom;
    if (!inView) {
        if (x >= kOrderButtonLeft && x < kOrderButtonRight && y >= kOrderButtonTop &&
            y < kOrderButtonBottom)
            OrderButtonPressed = 1;
        return;
    }
    if (OrderPanelMessage != kOrderNoMessage) {
        OrderPanelMessage = kOrderNoMessage;
        return;
    }
    ClickStrip(x, y);
    ClickCrew(x, y);
}

void OnOrderPanelRButtonDown() {
    CloseOrderPanel();
}

void OnOrderPanelMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void ScrollOrderPanel() {
    int speed = ScrollVelocity.x;
    if (MouseX == kMouseEdgeLeft || MouseX == kMouseEdgeRight) {
        speed = std::min(speed + kScrollStep, kScrollTop);
        ScrollDirection.x = static_cast<std::int16_t>(MouseX == kMouseEdgeLeft ? -1 : 1);
    } else if (speed > 0) {
        speed = std::max(speed - kScrollStep, 0);
    }
    ScrollVelocity.x = static_cast<std::int16_t>(speed);
    const int scroll = OrderStripScroll + speed * ScrollDirection.x;
    OrderStripScroll = static_cast<std::int16_t>(std::clamp(scroll, 0, int{OrderStripScrollMax}));
}

void SetOrderPanelCursor() {
    CursorId = kCursorPointer;
    if (MouseX == kMouseEdgeLeft)
        CursorId = OrderStripScroll > 0 ? kCursorScrollLeft : kCursorScrollLeft + kCursorAtLimit;
    else if (MouseX == kMouseEdgeRight)
        CursorId = OrderStripScroll < OrderStripScrollMax ? kCursorScrollRight
                                                          : kCursorScrollRight + kCursorAtLimit;
}

void DrawOrderPanel() {
    if (!BeginFrame()) return;
    DrawPanelBackgrounds();
    DrawPanelMoney(Money);
    FillRect8(kWorldView.left, kWorldView.top, kWorldView.right - kWorldView.left + 1,
              kWorldView.bottom - kWorldView.top + 1, 0, DrawTarget, DrawPitch);
    DrawStrip();
    for (std::size_t j = 0; j < static_cast<std::size_t>(OrderCrewCount); ++j)
        DrawPicture(CrewPicture(OrderCrewTypes[j]), OrderCrewPos[j].x, OrderCrewPos[j].y);
    if (OrderPanelMessage == kOrderNoMessage && DragActive == 0) DrawScreenCursor();
    UnlockFrame();
    DrawMessage();
    FlipFrame();
}

void ResetOrderPanel() {
    OrderStripCount = 0;
    OrderStripTypes = {};
    OrderStripPos = {};
    OrderStripScroll = 0;
    OrderStripScrollMax = 0;
    OrderChosenType = -1;
    OrderSeatList.clear();
    OrderSeatCount = 0;
    OrderCrewTypes = {};
    OrderCrewCount = 0;
    OrderCrewPos = {};
    OrderPanelMessage = kOrderNoMessage;
    OrderButtonPressed = 0;
}

}  // namespace kv
