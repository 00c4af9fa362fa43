#include "mission/view/message_box.h"

#include <algorithm>
#include <string_view>

#include "core/message_line.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "platform/display.h"
#include "platform/text.h"

namespace kv {

namespace {

// The line stands centred under the world view.
constexpr int kLineCentreX = 325;
constexpr int kLineTextY = 450;
constexpr int kBoxTop = 448;
constexpr int kBoxHeight = 30;
constexpr int kBoxMargin = 20;  // the box is this much wider than the text

std::string_view MessageText() {
    return {MessageLine.data()};
}

}  // namespace

void UseLargeWhiteText(TextContext& dc, std::uint32_t align) {
    dc.setBkMode(TRANSPARENT);
    dc.selectFont(FontLarge);
    dc.setTextColor(Rgb(255, 255, 255));
    dc.setTextAlign(align);
}

void DrawMessageBox() {
    const std::string_view text = MessageText();
    if (text.empty() || WorkBuffer == nullptr) return;
    TextContext dc(WorkBuffer, kScreenWidth, kScreenWidth, kScreenHeight, DisplayCurrentPalette());
    dc.selectFont(FontLarge);
    const int width = dc.textExtent(text).cx + kBoxMargin;
    // A long line's box is wider than the screen; the tint itself does not clip.
    const int left = std::max(kLineCentreX - width / 2, 0);
    const int right = std::min(kLineCentreX - width / 2 + width, kScreenWidth);
    if (left < right)
        TintRect50(left, kBoxTop, right - left, kBoxHeight, 0, WorkBuffer, kScreenWidth);
}

void DrawMessageLine() {
    const std::string_view text = MessageText();
    if (text.empty()) return;
    {
        DisplayDC dc(SurfaceId::Back);
        if (dc) {
            UseLargeWhiteText(*dc, TA_CENTER | TA_TOP);
            dc->textOut(kLineCentreX, kLineTextY, text);
        }
    }
    if (MessageLineCountdown == kMessageLineForever) return;
    --MessageLineCountdown;
    if (static_cast<std::int16_t>(MessageLineCountdown) < 1) ClearMessageLine();
}

}  // namespace kv
