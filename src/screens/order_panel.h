#pragma once
// The order panel (game mode 3), over the mission view: a strip of orderable vehicle types, the
// person types that may ride in the chosen one, and the order button that sends the vehicle with
// its crew straight into the mission. No control of the game opens it; OpenOrderPanel does.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr std::size_t kOrderStripMax = 24;
inline constexpr std::size_t kOrderSeatMax = 10;
inline constexpr std::size_t kOrderCrewMax = 8;

struct OrderPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The panel's messages.
inline constexpr std::uint16_t kOrderNoMessage = 0;
inline constexpr std::uint16_t kOrderCarFull = 1;
inline constexpr std::uint16_t kOrderNoCarSelected = 2;
inline constexpr std::uint16_t kOrderTooMany = 3;
inline constexpr std::uint16_t kOrderNoMoney = 4;
struct OrderMessage {
    std::string_view text;
    int x;
};
inline constexpr int kOrderMessageY = 220;
inline constexpr std::array<OrderMessage, 5> kOrderMessages = {{
    {"", 0},
    {"car full", 260},
    {"no car selected", 220},
    {"too much cars or men", 180},
    {"not enough money", 240},
}};

extern std::uint8_t OrderStripCount;
extern std::array<std::int16_t, kOrderStripMax> OrderStripTypes;
// Entry k's picture: left edge and bottom line, at index k + 1; index 0 unused.
extern std::array<OrderPoint, kOrderStripMax + 1> OrderStripPos;
extern std::int16_t OrderStripScroll;
extern std::int16_t OrderStripScrollMax;
// -1 none.
extern std::int8_t OrderChosenType;
// A person type per seat of the chosen type, -1 empty; held while the panel is open.
extern std::vector<std::int8_t> OrderSeatList;
extern std::uint8_t OrderSeatCount;
extern std::array<std::int16_t, kOrderCrewMax> OrderCrewTypes;
extern std::int16_t OrderCrewCount;
extern std::array<OrderPoint, kOrderCrewMax> OrderCrewPos;
extern std::uint16_t OrderPanelMessage;
extern std::uint8_t OrderButtonPressed;

// The order button, and where the first strip entry and crew entry stand.
inline constexpr int kOrderButtonLeft = 352;
inline constexpr int kOrderButtonTop = 502;
inline constexpr int kOrderButtonRight = 456;   // exclusive
inline constexpr int kOrderButtonBottom = 579;  // exclusive
inline constexpr OrderPoint kOrderStripStart{20, 100};
inline constexpr OrderPoint kOrderCrewStart{50, 400};

// Kind 0: every type the mission offers; 1 the helicopter; 2 the water-bombing aircraft; any other
// kind an empty strip.
void OpenOrderPanel(std::int16_t kind);
// Frees the seat list, brings the scroll to rest and returns to the mission view.
void CloseOrderPanel();
// Creates the ordered vehicle with its crew and sends it in; false, with nothing made or
// charged, when the vehicle or its crew find no free slot.
bool PlaceOrderedFahrzeug();

// Game mode 3.
void RunOrderPanelFrame();
void OnOrderPanelLButtonDown(int x, int y);
void OnOrderPanelRButtonDown();
void OnOrderPanelMouseMove(int x, int y);

void ScrollOrderPanel();
void SetOrderPanelCursor();
void DrawOrderPanel();

// The panel closed, as at program start.
void ResetOrderPanel();

}  // namespace kv
