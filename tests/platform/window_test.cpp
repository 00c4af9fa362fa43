#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/system.h"
#include "support/headless_test.h"

namespace kv {
namespace {

std::vector<Message> g_seen;

LResult Record(WindowHandle w, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message != WM_CREATE) g_seen.push_back(Message{w, message, wParam, lParam});
    return DefWindowProc(w, message, wParam, lParam);
}

class WindowTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        g_seen.clear();
        ASSERT_TRUE(RegisterWindowClass("TEST", Record));
        main = CreateWindow("TEST", "Test");
        ASSERT_NE(main, 0u);
        g_seen.clear();  // the activation sent at creation
    }
    std::vector<std::uint32_t> Drain() {
        std::vector<std::uint32_t> order;
        Message m;
        while (PeekMessage(m, PM_REMOVE)) order.push_back(m.message);
        return order;
    }
    WindowHandle main = 0;
};

TEST_F(WindowTest, NewMainWindowIsActiveAndOpensTheBackendWindow) {
    EXPECT_TRUE(backend.windowOpen());
    EXPECT_EQ(backend.title, "Test");
    EXPECT_EQ(GetMainWindow(), main);
    EXPECT_FALSE(RegisterWindowClass("TEST", Record)) << "a class name is registered once";
}

TEST_F(WindowTest, PostedMessagesComeBeforeInputAndKeepTheirOrder) {
    backend.inject(WM_KEYDOWN, 'A');
    PostMessage(main, WM_USER + 1, 0, 0);
    PostMessage(main, WM_USER + 2, 0, 0);
    EXPECT_EQ(Drain(), (std::vector<std::uint32_t>{WM_USER + 1, WM_USER + 2, WM_KEYDOWN}));
}

TEST_F(WindowTest, PeekWithoutRemoveLeavesTheMessage) {
    PostMessage(main, WM_USER, 7, 0);
    Message m;
    ASSERT_TRUE(PeekMessage(m, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessage(m, PM_NOREMOVE));
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(PeekMessage(m, PM_NOREMOVE));
}

TEST_F(WindowTest, QuitComesAfterPostedMessagesAndBeforeInput) {
    backend.inject(WM_LBUTTONDOWN);
    PostQuitMessage(3);
    PostMessage(main, WM_USER, 0, 0);
    Message m;
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(m.message, WM_USER);
    EXPECT_FALSE(GetMessage(m));
    EXPECT_EQ(m.message, WM_QUIT);
    EXPECT_EQ(m.wParam, 3u);
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(m.message, WM_LBUTTONDOWN);
}

TEST_F(WindowTest, SentMessagesRunAtOnceAndDispatchReachesTheProcedure) {
    SendMessage(main, WM_USER + 5, 1, 2);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].message, WM_USER + 5u);
    PostMessage(main, WM_USER + 6, 0, 0);
    EXPECT_EQ(g_seen.size(), 1u) << "posting does not call the procedure";
    Message m;
    ASSERT_TRUE(GetMessage(m));
    DispatchMessage(m);
    EXPECT_EQ(g_seen.back().message, WM_USER + 6u);
}

TEST_F(WindowTest, CloseDestroysTheWindowAndItsChildren) {
    const WindowHandle child = CreateWindow("TEST", "child", main);
    ASSERT_NE(child, 0u);
    SendMessage(main, WM_CLOSE, 0, 0);  // the default procedure destroys it
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(backend.windowOpen());
    ASSERT_GE(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[1].window, main) << "the parent is told before its children";
    EXPECT_EQ(g_seen[1].message, WM_DESTROY);
    EXPECT_EQ(g_seen[2].window, child);
    EXPECT_FALSE(PostMessage(main, WM_USER, 0, 0));
}

TEST_F(WindowTest, TranslateMessageTurnsControlKeysIntoCharacters) {
    for (WParam key : {VK_RETURN, VK_BACK, WParam{'A'}})
        TranslateMessage(Message{main, WM_KEYDOWN, key, 0});
    Message m;
    std::vector<WParam> chars;
    while (PeekMessage(m, PM_REMOVE)) chars.push_back(m.wParam);
    EXPECT_EQ(chars, (std::vector<WParam>{VK_RETURN, VK_BACK})) << "letters arrive as text input";
}

TEST_F(WindowTest, MouseInputIsKeptInsideTheClipRectangle) {
    const Rect clip{21, 21, 779, 579};
    ClipCursor(&clip);
    backend.inject(WM_MOUSEMOVE, 0, MakeLParam(5, 599));
    backend.inject(WM_MOUSEMOVE, 0, MakeLParam(400, 300));
    Message m;
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(LoWord(m.lParam), 21);
    EXPECT_EQ(HiWord(m.lParam), 578);
    ASSERT_TRUE(GetMessage(m));
    EXPECT_EQ(LoWord(m.lParam), 400);
    ClipCursor(nullptr);
    EXPECT_FALSE(backend.cursorGrabbed());
}

TEST_F(WindowTest, HeadlessInputWaitsForTheNextFrame) {
    backend.queueInput(WM_KEYDOWN, VK_SPACE);
    Message m;
    EXPECT_FALSE(PeekMessage(m, PM_NOREMOVE));
    backend.present(FrameView{nullptr, 0, 0, 0}, HardwarePalette{});
    ASSERT_TRUE(PeekMessage(m, PM_REMOVE));
    EXPECT_EQ(m.wParam, VK_SPACE);
}

}  // namespace
}  // namespace kv
