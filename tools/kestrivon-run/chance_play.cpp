#include "chance_play.h"

#include <cinttypes>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/random.h"
#include "core/view.h"
#include "game_invariants.h"
#include "mission/campaign_tables.h"
#include "mission/mission_checksum.h"
#include "mission/screen_calls.h"
#include "mission_run.h"
#include "own_memory.h"
#include "persons/personen.h"
#include "platform/data_folders.h"
#include "platform/files.h"
#include "play_session.h"
#include "screens/save_game.h"
#include "vehicles/fahrzeuge.h"

namespace kv::run {

namespace {

using play::PlayEvent;
using play::PlayEventKind;

// The world view's part of the screen; the panels lie right of it and below it.
constexpr int kViewWidth = 624;
constexpr int kViewHeight = 464;
constexpr long kChecksumEvery = 1000;
// Where the mission-jump word is typed (over the options button), and the jump list's boxes of
// 220 x 30: ten to a column, the columns 250 apart, the rows 40.
constexpr int kJumpWordX = 700;
constexpr int kJumpWordY = 380;
constexpr int kJumpBoxCentreX = 20 + 110;
constexpr int kJumpBoxCentreY = 50 + 15;
constexpr int kJumpColumnStep = 250;
constexpr int kJumpRowStep = 40;
constexpr long kJumpEvery = 4000;
constexpr std::uint32_t kModeMission = 2;
constexpr std::uint32_t kModeKarte = 10;
constexpr std::uint32_t kModeMissionJump = 11;
// More frames than any input can ask for: 64 per byte.
constexpr long kReplayFrameBound = 1L << 40;

class ChancePlayer {
  public:
    ChancePlayer(const ChanceOptions& o, HeadlessBackend& backend)
        : o_(o), rng_(o.seed), session_(backend) {}

    int run() {
        while (frame_ < o_.frames) {
            if (!session_.started() || session_.ended()) {
                if (session_.started())
                    std::printf("frame %ld ended: %s\n", frame_,
                                FatalErrorRaised() ? FatalErrorMessage().c_str() : "quit");
                if (std::string error = session_.start(); !error.empty()) return fail(error);
                // The game seeds its generator from the clock: the run seeds it for each start.
                SeedRandom(o_.seed + static_cast<std::uint32_t>(starts_++));
                lastMode_ = GameMode;
                std::printf("frame %ld start, mode %u\n", frame_, GameMode);
            }
            step();
            if (!broken_.empty()) break;
        }
        memory_.sample();
        session_.end();
        // On stderr: the figure differs from run to run, and two runs must print the same lines.
        std::fprintf(stderr, "kestrivon-run: %s\n", memory_.report().c_str());
        if (!broken_.empty()) return fail(broken_);
        return 0;
    }

  private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
    int between(int low, int high) { return low + pick(high - low); }

    int fail(const std::string& why) {
        std::fflush(stdout);
        std::fprintf(stderr, "kestrivon-run: frame %ld: %s\n", frame_, why.c_str());
        return 1;
    }

    void queue(PlayEventKind kind, int x, int y, WParam code = 0) {
        PlayEvent e;
        e.kind = kind;
        e.x = x;
        e.y = y;
        e.code = code;
        session_.queue(e);
    }
    void key(WParam code) { queue(PlayEventKind::Key, 0, 0, code); }
    WParam anyKeyButEscape() {
        for (;;) {
            const WParam k =
                play::kPlayKeys[static_cast<std::size_t>(pick(play::kPlayKeys.size()))];
            if (k != VK_ESCAPE) return k;
        }
    }

    // Runs n frames, each checked; false once the run must stop or the game has ended.
    bool frames(int n) {
        for (int i = 0; i < n && frame_ < o_.frames; ++i) {
            const bool running = session_.frame();
            ++frame_;
            broken_ = play::BrokenInvariant(session_.backend());
            if (!broken_.empty()) return false;
            if (GameMode != lastMode_) {
                lastMode_ = GameMode;
                std::printf("frame %ld mode %u\n", frame_, GameMode);
                memory_.sample();
            }
            if (frame_ % kChecksumEvery == 0) {
                std::printf("frame %ld sum %016" PRIx64 "\n", frame_, MissionChecksum());
                memory_.sample();
            }
            if (!running) return false;
        }
        return true;
    }

    // A person or vehicle in view, by its screen point; false when none is.
    bool unitInView(int& x, int& y) {
        std::vector<std::pair<int, int>> points;
        const auto add = [&](const UnitHead& u) {
            if (u.type < 0 || u.present == 0) return;
            const int sx = static_cast<int>(u.x) - ViewOrigin.x;
            const int sy = static_cast<int>(u.y) - ViewOrigin.y;
            if (sx >= 0 && sx < kViewWidth && sy >= 0 && sy < kViewHeight)
                points.push_back({sx, sy});
        };
        for (const Person& p : Personen) add(p);
        for (const Fahrzeug& v : Fahrzeuge) add(v);
        if (points.empty()) return false;
        const auto& [px, py] =
            points[static_cast<std::size_t>(pick(static_cast<int>(points.size())))];
        x = px + between(-4, 5);
        y = py + between(-8, 3);
        return true;
    }

    // Mostly clicks in the view, on units and cells; some panel buttons and keys; rarely Esc.
    void missionAction() {
        const int r = pick(100);
        int x = pick(kViewWidth), y = pick(kViewHeight);
        if (r < 35) {
            unitInView(x, y);
            queue(PlayEventKind::Click, x, y);
        } else if (r < 55) {
            queue(PlayEventKind::Click, x, y);
        } else if (r < 65) {
            const bool right = pick(2) == 0;
            queue(PlayEventKind::Click, right ? between(kViewWidth, play::kPlayWidth) : x,
                  right ? pick(play::kPlayHeight) : between(kViewHeight, play::kPlayHeight));
        } else if (r < 70) {
            queue(PlayEventKind::RightClick, x, y);
        } else if (r < 75) {
            queue(PlayEventKind::Press, x, y);
            if (!frames(1 + pick(3))) return;
            queue(PlayEventKind::Release, pick(kViewWidth), pick(kViewHeight));
        } else if (r < 85) {
            queue(PlayEventKind::Move, pick(play::kPlayWidth), pick(play::kPlayHeight));
        } else if (r < 97) {
            key(anyKeyButEscape());
        } else {
            key(VK_ESCAPE);
        }
    }

    void screenAction() {
        const int r = pick(100);
        const int x = pick(play::kPlayWidth), y = pick(play::kPlayHeight);
        if (GameMode == kModeKarte && r < 30) {
            // The marker is small: without help the map would hold the player for long.
            queue(PlayEventKind::Click, KarteMarker.x + between(-3, 4),
                  KarteMarker.y + between(-3, 4));
        } else if (r < 55) {
            queue(PlayEventKind::Click, x, y);
        } else if (r < 62) {
            queue(PlayEventKind::RightClick, x, y);
        } else if (r < 72) {
            queue(PlayEventKind::Move, x, y);
        } else if (r < 86) {
            key(anyKeyButEscape());
        } else if (r < 92) {
            key(VK_ESCAPE);
        } else if (r < 97) {
            queue(PlayEventKind::Char, 0, 0, static_cast<WParam>(between(32, 127)));
        } else {
            queue(PlayEventKind::Char, 0, 0, VK_RETURN);
        }
    }

    std::string slotPath(int slot) const { return WritePath(SaveSlotPath(slot)); }

    // A save into a random slot, a save cut at a random byte over a saved slot, or a load of a
    // saved slot that must bring back the checksum of the save's moment.
    void saveAction() {
        const int op = saved_.empty() ? 0 : pick(3);
        if (op == 0) {
            const int slot = pick(12);
            Saved s{MissionChecksum(), RandomSeed()};
            if (!WriteSaveSlot(slot, "Zufall " + std::to_string(slot + 1))) {
                broken_ = "slot " + std::to_string(slot + 1) + " cannot be written";
                return;
            }
            saved_[slot] = s;
            std::printf("frame %ld save %d\n", frame_, slot + 1);
            return;
        }
        auto at = saved_.begin();
        std::advance(at, pick(static_cast<int>(saved_.size())));
        const int slot = at->first;
        const auto before = ReadFileBytes(slotPath(slot));
        if (!before) {
            broken_ = "saved slot " + std::to_string(slot + 1) + " is gone";
            return;
        }
        if (op == 1) {
            // The new file may be shorter than the old one: a cut past its end cuts nothing,
            // and the slot holds the new save.
            const auto cut = static_cast<std::uint64_t>(pick(static_cast<int>(before->size())));
            const Saved now{MissionChecksum(), RandomSeed()};
            SetWriteCutOff(cut);
            const bool written = WriteSaveSlot(slot, "abgebrochen");
            SetWriteCutOff(std::nullopt);
            if (written) {
                saved_[slot] = now;
                std::printf("frame %ld save %d, the cut at %" PRIu64 " past its end\n", frame_,
                            slot + 1, cut);
                return;
            }
            std::printf("frame %ld cut %d at %" PRIu64 "\n", frame_, slot + 1, cut);
            if (ReadFileBytes(slotPath(slot)) != before || !ReadSaveSlotInfo(slot))
                broken_ = "a save cut at byte " + std::to_string(cut) + " lost slot " +
                          std::to_string(slot + 1);
            return;
        }
        if (!ReadSaveHeader(slot) || !LoadMissionRun(slot) || !LastRunError().empty()) {
            broken_ = "slot " + std::to_string(slot + 1) + " does not load: " + LastRunError() +
                      LastSaveRefusal;
            return;
        }
        // The file holds no random state: the generator stands as at the save.
        SeedRandom(at->second.seed);
        std::printf("frame %ld load %d\n", frame_, slot + 1);
        if (MissionChecksum() != at->second.checksum)
            broken_ = "slot " + std::to_string(slot + 1) + " loads another state than was saved";
    }

    // The jump word typed over the options button, then the listed mission's box.
    void jumpAction() {
        if (ScreenCalls().OpenMissionJump == nullptr) {
            std::printf("frame %ld no mission jump in the game: the missions are skipped\n",
                        frame_);
            jumping_ = false;
            return;
        }
        const int mission = o_.missions[jumps_++ % o_.missions.size()];
        queue(PlayEventKind::Move, kJumpWordX, kJumpWordY);
        for (const char c : std::string_view("EINSATZ")) key(static_cast<WParam>(c));
        if (!frames(1) || GameMode != kModeMissionJump) return;
        const int p = CampaignPositionOf(mission);
        std::printf("frame %ld jump %d\n", frame_, mission);
        queue(PlayEventKind::Click, kJumpBoxCentreX + kJumpColumnStep * (p / 10),
              kJumpBoxCentreY + kJumpRowStep * (p % 10));
    }

    void step() {
        if (GameMode == kModeMission) {
            if (jumping_ && frame_ >= nextJump_) {
                nextJump_ = frame_ + kJumpEvery;
                jumpAction();
            } else if (pick(300) == 0) {
                saveAction();
                if (!broken_.empty()) return;
            } else {
                missionAction();
            }
        } else {
            screenAction();
        }
        frames(1 + pick(6));
    }

    struct Saved {
        std::uint64_t checksum;
        std::uint32_t seed;
    };

    const ChanceOptions& o_;
    std::mt19937 rng_;
    play::PlaySession session_;
    long frame_ = 0;
    int starts_ = 0;
    std::uint32_t lastMode_ = 0;
    std::string broken_;
    std::map<int, Saved> saved_;
    play::OwnMemoryPeak memory_;
    bool jumping_ = !o_.missions.empty();
    std::size_t jumps_ = 0;
    long nextJump_ = kJumpEvery;
};

}  // namespace

int RunChancePlay(const ChanceOptions& options, HeadlessBackend& backend) {
    ChancePlayer player(options, backend);
    return player.run();
}

int ReplayPlay(std::span<const std::uint8_t> input, HeadlessBackend& backend) {
    play::PlaySession session(backend);
    if (std::string error = session.start(); !error.empty()) {
        std::fprintf(stderr, "kestrivon-run: %s\n", error.c_str());
        return 1;
    }
    const auto events = play::DecodePlay(input);
    const play::PlayOutcome out = play::PlayEvents(session, events, kReplayFrameBound);
    std::printf("frames %ld\n", out.frames);
    if (out.broken.empty()) return 0;
    std::fflush(stdout);
    std::fprintf(stderr, "kestrivon-run: after frame %ld: %s\n", out.frames, out.broken.c_str());
    return 1;
}

}  // namespace kv::run
