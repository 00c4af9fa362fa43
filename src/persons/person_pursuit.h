#pragma once
// Going after a person: a pursuer walks up to a thrower or fighter and struggles with it (orders
// 167 and 168), or fetches a person and takes it along. Both ways in are also the engine's two
// order callbacks, slots 0 and 1, which plan the walk anew when the person went elsewhere.

#include <cstdint>

namespace kv {

// Callback slot 0: a walks to whichever side of b it reaches first (11 px left, right, above or
// below, facing b) and takes b along (order 161). Nothing unless both are other persons in use.
void OrderPersonPair(std::int32_t a, std::int32_t b);
// Callback slot 1: a walks to the point 11 px left of and 1 px above b, then struggles with it
// (order 167). Nothing unless both are other persons in use.
void QueueTargetAction(std::int32_t a, std::int32_t b);

// Order 167 (a = the target): on the pursuer's spot beside a thrower or fighter, the target plays
// the struggle with the pursuer hidden; a pursuer four times weaker than the target loses and lies
// as a casualty, else it leads the target away in its led form.
void RunPersonTargetAction(std::int16_t person);
// Order 168 (a = the pursuer): the target in the struggle waits while its pursuer is at it; once
// the pursuer does something else the target gets its controller back and its queue is cleared.
void RunPersonBefehl168(std::int16_t person);

}  // namespace kv
