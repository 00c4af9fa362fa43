#pragma once
// The high-score table (game mode 17), shown after the evaluation.

namespace kv {

// Until the table itself is built, leaving it is all that happens: the mission is shut down and
// the next one of the campaign order starts; after the last, nothing.
void OpenHighScore();

}  // namespace kv
