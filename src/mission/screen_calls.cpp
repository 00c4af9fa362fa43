#include "mission/screen_calls.h"

namespace kv {

namespace {

constexpr ScreenCallTable kNoScreens{};
const ScreenCallTable* g_screens = &kNoScreens;

}  // namespace

std::array<std::uint8_t, kSavePreviewWidth * kSavePreviewHeight> SavePreview{};

const ScreenCallTable& ScreenCalls() {
    return *g_screens;
}

void SetScreenCalls(const ScreenCallTable* table) {
    g_screens = table != nullptr ? table : &kNoScreens;
}

}  // namespace kv
