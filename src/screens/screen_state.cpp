#include "screens/screen_state.h"

#include "screens/auswertung.h"
#include "screens/high_score.h"
#include "screens/hints.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "screens/options.h"
#include "screens/order_panel.h"

namespace kv {

void ResetScreens() {
    ResetKarte();
    ResetAuswertung();
    ResetHighScore();
    ResetMissionJump();
    ResetOptionsScreen();
    ResetHints();
    ResetOrderPanel();
}

}  // namespace kv
