#include "core/game_mode.h"

namespace kv {

std::uint32_t GameMode = 0;

namespace {
const GameModeTable* g_table = nullptr;
const GameModeHandlers kNone{};
}  // namespace

void SetGameModeTable(const GameModeTable* table) {
    g_table = table;
}

const GameModeHandlers& HandlersFor(std::uint32_t mode) {
    if (g_table == nullptr || mode >= kGameModeCount) return kNone;
    return (*g_table)[mode];
}

}  // namespace kv
