#pragma once
// What the screens keep from one game to the next (the campaign map, the evaluation, the high
// scores, the mission jump, the options, the hints, the order panel), all at once.

namespace kv {

// Every screen's state back as at program start, its pictures freed.
void ResetScreens();

}  // namespace kv
