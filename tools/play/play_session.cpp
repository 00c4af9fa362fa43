#include "play_session.h"

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "game_invariants.h"
#include "gfx/frame_buffer.h"
#include "mission_run.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/window.h"

namespace kv::play {

namespace {

// The main loop's pace: a frame is due once more than 50 ms have passed.
constexpr std::uint32_t kFrameMs = 51;

}  // namespace

PlaySession::~PlaySession() {
    end();
}

std::string PlaySession::start() {
    end();
    ended_ = false;
    started_ = true;
    backend_.videoDevice().setEndAtOnce(true);
    if (std::string error = run::StartGame(); !error.empty()) return error;
    GameMode = 1;
    return {};
}

void PlaySession::add(std::uint32_t message, WParam wParam, LParam lParam) {
    queued_.push_back({message, wParam, lParam});
}

void PlaySession::queue(const PlayEvent& e) {
    const LParam at = MakeLParam(e.x, e.y);
    switch (e.kind) {
        case PlayEventKind::Move:
            add(WM_MOUSEMOVE, 0, at);
            break;
        case PlayEventKind::Press:
            add(WM_MOUSEMOVE, 0, at);
            add(WM_LBUTTONDOWN, MK_LBUTTON, at);
            break;
        case PlayEventKind::Release:
            add(WM_MOUSEMOVE, 0, at);
            add(WM_LBUTTONUP, 0, at);
            break;
        case PlayEventKind::Click:
            add(WM_MOUSEMOVE, 0, at);
            add(WM_LBUTTONDOWN, MK_LBUTTON, at);
            add(WM_LBUTTONUP, 0, at);
            break;
        case PlayEventKind::RightClick:
            add(WM_MOUSEMOVE, 0, at);
            add(WM_RBUTTONDOWN, MK_RBUTTON, at);
            break;
        case PlayEventKind::Key:
            add(WM_KEYDOWN, e.code, 0);
            add(WM_KEYUP, e.code, 0);
            break;
        case PlayEventKind::KeyDown:
            add(WM_KEYDOWN, e.code, 0);
            break;
        case PlayEventKind::KeyUp:
            add(WM_KEYUP, e.code, 0);
            break;
        case PlayEventKind::Char:
            add(WM_CHAR, e.code, 0);
            break;
        case PlayEventKind::Frames:
            for (int i = 0; i < e.frames && frame(); ++i) {
            }
            break;
    }
}

void PlaySession::deliver() {
    for (const Input& in : queued_) backend_.inject(in.message, in.wParam, in.lParam);
    queued_.clear();
    Message m;
    while (!ended_ && PeekMessage(m, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            ended_ = true;
            break;
        }
        TranslateMessage(m);
        DispatchMessage(m);
    }
}

bool PlaySession::frame() {
    if (!started_ || ended_) return false;
    deliver();
    if (!ended_ && AppActive != 0 && LoopSuspended == 0) {
        LastFrameTick = GetTickCount();
        if (FrameFunction f = HandlersFor(GameMode).frame) f();
    }
    backend_.advance(kFrameMs);
    // What the frame posted (a screen change, a closed window) is handled as the loop would
    // before its next frame, so that the checks see the state the next frame starts from.
    deliver();
    // Only the last picture is of use; a long run would otherwise keep every one.
    backend_.clearFrames();
    backend_.sound.clearCalls();
    ++framesRun_;
    return !ended_;
}

void PlaySession::end() {
    if (!started_) return;
    started_ = false;
    queued_.clear();
    run::EndGame();
    ResetWindowState();
    ResetFatalError();
    backend_.clearRecord();
}

PlayOutcome PlayEvents(PlaySession& session, std::span<const PlayEvent> events, long maxFrames) {
    PlayOutcome out;
    const long first = session.framesRun();
    const auto step = [&] {
        const bool running = session.frame();
        out.frames = session.framesRun() - first;
        out.broken = BrokenInvariant(session.backend());
        return running && out.broken.empty() && out.frames < maxFrames;
    };
    for (const PlayEvent& e : events) {
        if (e.kind != PlayEventKind::Frames) {
            session.queue(e);
            continue;
        }
        for (int i = 0; i < e.frames; ++i)
            if (!step()) return out;
    }
    if (session.inputWaiting()) step();
    return out;
}

}  // namespace kv::play
