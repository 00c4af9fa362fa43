#pragma once
// What the two-part missions share at the switch into their second part: the video between the
// parts and the change to the second part's level.

namespace kv {

// Ends the first part: the screen and the sounds go, and the mission's mid-mission video
// "CDvideos\mi<NN>_2.avi" plays at (0, 80), 640 x 320; its end starts the second part. Without the
// file the second part starts at once. Nothing once the video has been asked for in this part,
// or in the second part.
void PlayPhase2Video();

// The second part's level in place of the first's: the map, its cells' animation and fire states,
// the road graph and the tile set go, the "b" level and tile set are loaded, PartTwo becomes 1
// and the road graph is kept only where the level has nodes. The view and map limits follow the
// new map's size, keeping the margins the level set-up took off the first. The mission re-runs
// the set-ups its second part needs afterwards. Stops at a fatal error.
void LoadPartTwoLevel();

}  // namespace kv
