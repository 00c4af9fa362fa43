#pragma once
// Water-cannon orders: the cannon at a map point, at a house cell, at a special object. Each aims
// once, on its first tick, and hands the jet to the water-jet module; 53 and 55 then stay at the
// head while the jet runs, 67 until its object is gone.

#include <cstdint>

namespace kv {

// The nozzle's elevation for an aim point `height` above its ground at `distance`: 25, 50 or 75
// degrees. Where even 75 is too flat, the aim point is lowered a pixel at a time (height down,
// aimY down the screen) until 75 suffices or it reaches the ground.
struct CannonAim {
    std::int32_t elevation = 0;
    std::int32_t height = 0;
    std::int32_t aimY = 0;
};
CannonAim ChooseCannonElevation(std::int32_t height, std::int32_t distance, std::int32_t aimY);

// Water cannon at a map point: a = x, b = aim y, d = the target's map row.
void RunFahrzeugBefehl53(std::int16_t vehicle);
// Water cannon at a house cell: the order's two goals {aim x, aim y, storey}, {column, row,
// house}.
void RunFahrzeugBefehl55(std::int16_t vehicle);
// Water cannon at a special object: a, b = the point, c = the object.
void RunFahrzeugBefehl67(std::int16_t vehicle);

}  // namespace kv
