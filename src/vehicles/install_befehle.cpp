#include "vehicles/install_befehle.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "core/message_line.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/person.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::string_view kCannotInstallText = "Fahrzeug kann nicht installiert werden!";
constexpr std::uint16_t kMessageFrames = 60;

constexpr std::int32_t kNoVoice = -1;

// The ladder vehicle: set up, and set up with its door open.
constexpr std::int8_t kAnimLadderUp = 3;
constexpr std::int8_t kAnimLadderUpOpen = 13;
// The lift's frames are those of the ladder's entry 4 in the facing it is set up in.
constexpr int kLiftAnim = 4;
constexpr int kLiftFacing = 3;

// The pontoon layer works in facing 1: opening, laying (a piece a cycle), laid, taking in (a piece
// a cycle), closing.
constexpr int kPontoonFacing = 1;
constexpr std::int8_t kAnimStand = 0;
constexpr std::int8_t kAnimOpening = 2;
constexpr std::int8_t kAnimLaying = 3;
constexpr std::int8_t kAnimLaid = 4;
constexpr std::int8_t kAnimTakingIn = 5;
constexpr std::int8_t kAnimClosing = 6;

// The tent vehicle works in facing 7: pitching, pitched, striking.
constexpr int kTentFacing = 7;
constexpr std::int8_t kAnimPitching = 2;
constexpr std::int8_t kAnimPitched = 3;
constexpr std::int8_t kAnimStriking = 4;

// The chain: each piece comes out at (x - 55, y + 34) and the chain moves a piece's width a
// cycle; the strip it will cover reaches down to y + 80.
constexpr int kPieceDx = -55;
constexpr int kPieceDy = 34;
constexpr int kPieceWidth = 32;
constexpr int kStripBottom = 80;
// Pieces and placeholders lie flat on the water and keep everything off the strip.
constexpr std::uint8_t kPontoonBlockMask = 15;
constexpr std::uint8_t kBelowEverything = 1;
// Set on order 57 once this laying has made its piece list: a list the vehicle still holds then
// is another chain's, or an interrupted laying's.
constexpr std::uint8_t kPieceListMade = kBefehlUseCD;

// The tent, the object standing for it while it is pitched, and the beds: solid for vehicles,
// open to persons, who go in.
constexpr int kPitchingDy = -47;
constexpr int kTentDy = -34;
constexpr float kTentZ = 23.0f;
constexpr std::uint8_t kTentBlockMask = 11;
constexpr int kBedCount = 4;
struct BedPlace {
    int dx;
    int dy;
};
constexpr BedPlace kBedPlaces[kBedCount] = {{86, -55}, {161, -55}, {70, -20}, {145, -20}};

// The basket: a step every 4 ticks; its columns on the ring 10, 11, 0, 1, 2 and home 3.
constexpr std::int32_t kBasketStepTicks = 4;
constexpr std::uint8_t kHomeColumn = 3;
constexpr std::uint8_t kFirstColumnFromHome = 2;
constexpr int kColumnCount = 12;
constexpr int kRingStart = 10;
constexpr int kRingHome = 5;
constexpr std::int32_t kHighestPosition = 3;
constexpr float kColumnStep = 32.0f;
constexpr float kHomeStepX = 30.0f;
constexpr float kHomeStepHeight = 68.0f;
constexpr float kPositionHeight = 31.0f;
// Persons sent off from the basket walk this far to its right, spread by up to 50 px.
constexpr int kSendOffDx = 51;
constexpr int kSendOffSpread = 50;

// A person of the house steps into the basket this far above the facade's foot line, and out of
// it onto that line; the basket's position 0 serves storey 2.
constexpr int kFacadeLineDy = -7;
constexpr int kFirstBasketStorey = 2;
constexpr float kLeaveBasketDx = -2.0f;

int Whole(float v) {
    return static_cast<int>(v);
}

void ShowAnim(std::int16_t index, Fahrzeug& v, std::int8_t anim) {
    SetFahrzeugAnim(index, anim);
    UpdateFahrzeugDrawPos(v);
}

void LoopSound(std::int16_t index, const Fahrzeug& v, int id) {
    PlaySoundFx(id, kOwnerFahrzeug, index, 1, Whole(v.x), Whole(v.y), kSoundDepth);
}

// The looping sound stops when the field still holds it: an order ends only its own motor.
void StopLoopedSound(std::int16_t index, const Fahrzeug& v, int id) {
    if (v.sound == id) StopOwnerSound(kOwnerFahrzeug, index);
}

void RefuseInstall() {
    SetMessageLine(kCannotInstallText, kMessageFrames);
}

SonderObj* UsedSonderObj(int slot) {
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

void FreeSonderObjOf(int slot, std::int16_t type) {
    const SonderObj* o = UsedSonderObj(slot);
    if (o == nullptr || o->type != type) return;
    ClearSonderObjCommands(slot);
    FreeSonderObjSlot(slot);
}

// The first `count` free slots for new objects, `freeing` (a slot about to be freed) counting as
// free; empty when fewer are free, so that a set of objects comes whole or not at all.
std::vector<std::int16_t> FreeSonderObjSlots(int count, int freeing = -1) {
    std::vector<std::int16_t> slots;
    for (int i = std::max<int>(FixedSonderObjCount, 0);
         i < SonderObjCount && static_cast<int>(slots.size()) < count; ++i) {
        const SonderObj* o = SonderObjAt(i);
        if (o != nullptr && (o->type == -1 || i == freeing))
            slots.push_back(static_cast<std::int16_t>(i));
    }
    if (static_cast<int>(slots.size()) < count) slots.clear();
    return slots;
}

PontonPunkt* UsedPontonPunkt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= PontonPunkte.size()) return nullptr;
    PontonPunkt& p = PontonPunkte[static_cast<std::size_t>(index)];
    return p.x != kPontonPunktUnused ? &p : nullptr;
}

// Each laid piece slides a piece's width along the chain: outwards while laying, back while
// taking in.
void SlidePieces(const Fahrzeug& v, std::size_t count, int by) {
    for (std::size_t i = 0; i < count && i < v.pieces.size(); ++i) {
        const SonderObj* o = UsedSonderObj(v.pieces[i]);
        if (o == nullptr || o->type != kSobjPonton) continue;
        SetSonderObjCommand(v.pieces[i], kCmdPontoonSlide,
                            static_cast<std::uint16_t>(Whole(o->x) + by), 0, 0);
    }
}

// The pieces still out go, and the list; the chain is no longer the vehicle's work.
void FreePieces(Fahrzeug& v) {
    const std::size_t out =
        std::min(v.pieces.size(), static_cast<std::size_t>(std::max<int>(v.pieceCount, 0)));
    for (std::size_t i = 0; i < out; ++i) FreeSonderObjOf(v.pieces[i], kSobjPonton);
    v.pieces.clear();
    v.pieceCount = 0;
    v.link = kNoLink;
}

void FreePlaceholders(const std::vector<std::int16_t>& placeholders) {
    for (const std::int16_t slot : placeholders) FreeSonderObjOf(slot, kSobjPontonUnsichtbar);
}

// --- The ladder basket ---

// The vehicle of a basket order; a vehicle without a basket drops the order.
Fahrzeug* BasketFahrzeug(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr || v->kanzel != nullptr) return v;
    PopBefehl(*v);
    return nullptr;
}

bool LadderUp(const Fahrzeug& v) {
    return v.anim == kAnimLadderUp || v.anim == kAnimLadderUpOpen;
}

bool InBasketOf(const Person& p, std::int16_t vehicle) {
    return p.type != -1 && p.basketVehicle == static_cast<std::uint16_t>(vehicle);
}

// Everyone in the basket steps out and walks off to the basket's right; the count is 0 before
// their step-out orders lower it, so that it never goes below 0.
void SendOffBasketPersons(std::int16_t vehicle, Fahrzeug& v) {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (!InBasketOf(p, vehicle)) continue;
        SetBefehl(p, PersonTypOf(p), kOpLeaveKanzel, kNoVoice, 0, 0, 0, 0, 0);
        const int r1 = Rand() % kSendOffSpread;
        const int r2 = Rand() % kSendOffSpread;
        AppendBefehl(p, kOpMove, Whole(p.x) + kSendOffDx + r1, Whole(p.y) + r2, 0, 0, 0);
    }
    if (v.kanzel != nullptr) v.kanzel->persons = 0;
}

// Orders 58 and 59: on the first tick the motor loops and a resting lift starts, lowering from
// the top or raising from the bottom, while a running one turns round. The vehicle once its lift
// has stopped; null before, and for an order that ended at once (no basket, the ladder not up).
Fahrzeug* LiftStopped(std::int16_t index, bool lowering) {
    Fahrzeug* v = BasketFahrzeug(index);
    if (v == nullptr) return nullptr;
    if (!LadderUp(*v)) {
        PopBefehl(*v);
        return nullptr;
    }
    KanzelState& k = *v->kanzel;
    if (FirstBefehlTick(*v->orders)) {
        LoopSound(index, *v, kSoundTurntableLadder);
        const std::uint8_t reverse = lowering ? 0 : 1;
        if (k.moving == 0) {
            const int frames = FahrzeugAnimSlot(kTypF106, kLiftFacing, kLiftAnim).frames;
            k.ticks = 0;
            k.liftFrame = lowering ? 0
                                   : static_cast<std::int8_t>(std::clamp<int>(
                                         frames - 1, 0, std::numeric_limits<std::int8_t>::max()));
            k.moving = 1;
        }
        k.reverse = reverse;
        k.down = lowering ? 1 : 0;
    }
    return k.moving == 0 ? v : nullptr;
}

// The column's place on the ring 10, 11, 0, 1, 2, home 3, counted 0..5.
int RingPlace(int column) {
    return ((column - kRingStart) % kColumnCount + kColumnCount) % kColumnCount;
}

bool OnRing(std::int32_t column) {
    return column >= 0 && column < kColumnCount && RingPlace(column) <= kRingHome;
}

// One step towards column a and position b; true once the basket stands there.
bool StepBasket(std::int16_t index, KanzelState& k, std::int32_t a, std::int32_t b) {
    if (k.column == kHomeColumn) {
        k.column = kFirstColumnFromHome;
        MoveKanzelPersons(index, -kHomeStepX, kHomeStepHeight);
    } else if (k.position < b) {
        ++k.position;
        MoveKanzelPersons(index, 0, kPositionHeight);
    } else if (k.position > b) {
        --k.position;
        MoveKanzelPersons(index, 0, -kPositionHeight);
    } else if (k.column != a) {
        int place = RingPlace(k.column);
        if (RingPlace(a) <= place) {
            --place;
            MoveKanzelPersons(index, -kColumnStep, 0);
        } else if (++place == kRingHome) {
            MoveKanzelPersons(index, kHomeStepX, -kHomeStepHeight);
        } else {
            MoveKanzelPersons(index, kColumnStep, 0);
        }
        k.column = static_cast<std::uint8_t>((place + kRingStart) % kColumnCount);
    }
    return k.position == b && k.column == a;
}

// --- Order 57 by type ---

void SetUpLadder(std::int16_t index, Fahrzeug& v, const Befehl& order) {
    const bool atPoint =
        Whole(v.x) == order.aInt() && Whole(v.y) == order.bInt() && v.direction == order.cInt();
    if (v.kanzel == nullptr || !atPoint) {
        RefuseInstall();
        PopBefehl(v);
        return;
    }
    ShowAnim(index, v, kAnimLadderUp);
    KanzelState& k = *v.kanzel;
    k.position = 0;
    k.column = kHomeColumn;
    k.moving = 0;
    k.persons = 0;
    k.target = static_cast<std::uint16_t>(order.d);
    PopBefehl(v);
}

// Opening: the strip the chain will cover must hold nothing but water, and the placeholders
// that keep it stand on it.
void OpenPontoon(std::int16_t index, Fahrzeug& v, Befehl& order, const PontonPunkt& p) {
    const int n = p.b;
    if (n == 0) {
        RefuseInstall();
        ClearBefehle(v);
        return;
    }
    const int x = Whole(v.x);
    const int y = Whole(v.y);
    const int reach = n * kPieceWidth - kPieceWidth;
    const int left = p.a == 0 ? x + kPieceDx - reach : x + kPieceDx;
    const int right = p.a == 0 ? x - 1 : x - 1 + reach;
    CollisionHit hit;
    if (FindCollisionAt(0, nullptr, nullptr, static_cast<std::int16_t>(left),
                        static_cast<std::int16_t>(y + kPieceDy), static_cast<std::int16_t>(right),
                        static_cast<std::int16_t>(y + kStripBottom), -1, -1, 16, &hit) != 0 &&
        hit.kind != kHitMapCell) {
        RefuseInstall();
        ClearBefehle(v);
        return;
    }
    const std::vector<std::int16_t> slots = FreeSonderObjSlots(n);
    if (slots.empty()) return;  // tried again next tick
    for (int i = 0; i < n; ++i)
        CreateSonderObj(slots[static_cast<std::size_t>(i)], kSobjPontonUnsichtbar,
                        static_cast<std::int16_t>(left + i * kPieceWidth),
                        static_cast<std::int16_t>(y + kPieceDy), 0, kPontoonBlockMask,
                        kBelowEverything, 0.0f, 0);
    order.placeholders = slots;
    ShowAnim(index, v, kAnimOpening);
    v.link = static_cast<std::uint16_t>(order.aInt());
    LoopSound(index, v, kSoundPontoon);
}

// One laying cycle: a new piece at the vehicle, the chain pushed out by one piece; with the last
// piece the chain is laid.
void LayPiece(std::int16_t index, Fahrzeug& v, Befehl& order, PontonPunkt& p) {
    const int n = p.b;
    const auto listSize = static_cast<std::size_t>(n);
    if ((order.flags & kPieceListMade) == 0 || v.pieceCount < 0 || v.pieceCount >= n) {
        v.pieces.assign(listSize, kNoPontonPiece);
        v.pieceCount = 0;
        order.flags |= kPieceListMade;
    } else if (v.pieces.size() < listSize) {
        // A game loaded while laying kept only the pieces laid.
        v.pieces.resize(listSize, kNoPontonPiece);
    }
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;  // tried again at the next cycle's end
    const int x = Whole(v.x);
    const int y = Whole(v.y);
    CreateSonderObj(slot, kSobjPonton, static_cast<std::int16_t>(x + kPieceDx),
                    static_cast<std::int16_t>(y + kPieceDy), 0, kPontoonBlockMask, kBelowEverything,
                    0.0f, 0);
    SonderObjs[static_cast<std::size_t>(slot)].user = static_cast<std::int16_t>(v.link);
    const auto newest = static_cast<std::size_t>(v.pieceCount);
    v.pieces[newest] = static_cast<std::uint16_t>(slot);
    if (v.pieceCount < n - 1) {
        SlidePieces(v, newest + 1, p.a == 0 ? -kPieceWidth : kPieceWidth);
        ++v.pieceCount;
        return;
    }
    ++v.pieceCount;
    ShowAnim(index, v, kAnimLaid);
    const std::uint16_t first = v.pieces[0];
    const std::uint16_t last = v.pieces[newest];
    p.pieces[kPontonLeftEnd] = p.a == 0 ? first : last;
    p.pieces[kPontonRightEnd] = p.a == 0 ? last : first;
    StopLoopedSound(index, v, kSoundPontoon);
    p.complete = 1;
    FreePlaceholders(order.placeholders);
    order.placeholders.clear();
    PopBefehl(v);
}

void SetUpPontoon(std::int16_t index, Fahrzeug& v, Befehl& order) {
    PontonPunkt* p = UsedPontonPunkt(order.aInt());
    if (p == nullptr || Whole(v.x) != p->x || Whole(v.y) != p->y || v.direction != kPontoonFacing) {
        RefuseInstall();
        PopBefehl(v);
        return;
    }
    switch (v.anim) {
        case kAnimStand:
            OpenPontoon(index, v, order, *p);
            break;
        case kAnimOpening:
            if (AtEndOfFahrzeugAnim(v, kAnimOpening, kPontoonFacing))
                ShowAnim(index, v, kAnimLaying);
            break;
        case kAnimLaying:
            if (AtEndOfFahrzeugAnim(v, kAnimLaying, kPontoonFacing)) LayPiece(index, v, order, *p);
            break;
        default:
            break;
    }
}

// The ground where the tent will stand must be free; the vehicle itself does not count.
bool TentGroundFree(Fahrzeug& v, const SonderObjTyp& tent) {
    const FrameSet& frame = tent.frames[0];
    const int x = Whole(v.x);
    const int y = Whole(v.y) + kPitchingDy;
    v.present = 0;
    const std::uint8_t blocked = FindCollisionAt(
        0, nullptr, nullptr, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
        static_cast<std::int16_t>(x + frame.width - 1),
        static_cast<std::int16_t>(y + frame.height - 1), -1, -1, 16, nullptr);
    v.present = 1;
    return blocked == 0;
}

void StartPitching(std::int16_t index, Fahrzeug& v) {
    const SonderObjTyp* tent = SonderObjTypAt(kSobjZelt);
    if (tent == nullptr || tent->frames == nullptr || !TentGroundFree(v, *tent)) {
        RefuseInstall();
        ClearBefehle(v);
        return;
    }
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;  // tried again next tick
    CreateSonderObj(slot, kSobjZeltUnsichtbar, static_cast<std::int16_t>(Whole(v.x)),
                    static_cast<std::int16_t>(Whole(v.y) + kPitchingDy), 0, kTentBlockMask, 0,
                    kTentZ, 0);
    v.link = static_cast<std::uint16_t>(slot);
    ShowAnim(index, v, kAnimPitching);
    v.selectable = 0;
}

// The pitching object gives way to the tent and its four beds, all of them or, while too few
// slots are free, none until the next end of the pitching.
void PitchTent(std::int16_t index, Fahrzeug& v) {
    const SonderObj* pitching = UsedSonderObj(v.link);
    const int freeing = pitching != nullptr && pitching->type == kSobjZeltUnsichtbar ? v.link : -1;
    const std::vector<std::int16_t> slots = FreeSonderObjSlots(1 + kBedCount, freeing);
    if (slots.empty()) return;
    ShowAnim(index, v, kAnimPitched);
    if (freeing >= 0) FreeSonderObjSlot(freeing);
    const int x = Whole(v.x);
    const int y = Whole(v.y);
    const std::int16_t tent = slots[0];
    CreateSonderObj(tent, kSobjZelt, static_cast<std::int16_t>(x),
                    static_cast<std::int16_t>(y + kTentDy), 0, kTentBlockMask, 0, kTentZ, 0);
    SetSonderObjCommand(tent, kCmdTent, static_cast<std::uint16_t>(index), 0, 0);
    v.link = static_cast<std::uint16_t>(tent);
    v.pieces.assign(kBedCount, kNoPontonPiece);
    v.pieceCount = 0;
    for (const BedPlace& bed : kBedPlaces) {
        const std::int16_t slot = slots[static_cast<std::size_t>(1 + v.pieceCount)];
        CreateSonderObj(slot, kSobjBett, static_cast<std::int16_t>(x + bed.dx),
                        static_cast<std::int16_t>(y + bed.dy), 0, kTentBlockMask, 0, 0.0f, 0);
        v.pieces[static_cast<std::size_t>(v.pieceCount)] = static_cast<std::uint16_t>(slot);
        ++v.pieceCount;
    }
    PopBefehl(v);
}

void SetUpTent(std::int16_t index, Fahrzeug& v) {
    switch (v.anim) {
        case kAnimStand:
            if (v.direction != kTentFacing) {
                RefuseInstall();
                PopBefehl(v);
                return;
            }
            StartPitching(index, v);
            break;
        case kAnimPitching:
            if (AtEndOfFahrzeugAnim(v, kAnimPitching, kTentFacing)) PitchTent(index, v);
            break;
        case kAnimPitched:
            ClearBefehle(v);
            break;
        default:
            break;
    }
}

// --- Order 62 by type ---

void TakeInPontoon(std::int16_t index, Fahrzeug& v) {
    PontonPunkt* p = UsedPontonPunkt(v.link);
    if (p == nullptr) {
        ClearBefehle(v);
        return;
    }
    switch (v.anim) {
        case kAnimLaid:
            if (p->pieces[kPontonPassingBoat] != kNoPontonPiece) return;  // a boat passes
            LoopSound(index, v, kSoundPontoon);
            p->complete = 0;
            ShowAnim(index, v, kAnimTakingIn);
            break;
        case kAnimTakingIn: {
            if (!AtStartOfFahrzeugCycle(v)) return;
            if (v.pieceCount < 1) {
                ShowAnim(index, v, kAnimClosing);
                return;
            }
            --v.pieceCount;
            const auto last = static_cast<std::size_t>(v.pieceCount);
            if (last < v.pieces.size()) FreeSonderObjOf(v.pieces[last], kSobjPonton);
            SlidePieces(v, last, p->a == 0 ? kPieceWidth : -kPieceWidth);
            break;
        }
        case kAnimClosing:
            if (!AtEndOfFahrzeugAnim(v, kAnimClosing, kPontoonFacing)) return;
            v.pieces.clear();
            v.pieceCount = 0;
            ShowAnim(index, v, kAnimStand);
            v.link = kNoLink;
            StopLoopedSound(index, v, kSoundPontoon);
            PopBefehl(v);
            break;
        default:
            break;
    }
}

void StrikeTent(std::int16_t index, Fahrzeug& v) {
    switch (v.anim) {
        case kAnimPitched:
            FoldTent(index);
            ShowAnim(index, v, kAnimStriking);
            break;
        case kAnimStriking:
            if (!AtEndOfFahrzeugAnim(v, kAnimStriking, kTentFacing)) return;
            ShowAnim(index, v, kAnimStand);
            v.selectable = 1;
            break;
        default:
            ClearBefehle(v);
            break;
    }
}

}  // namespace

bool AtEndOfFahrzeugAnim(const Fahrzeug& vehicle, int anim, int facing) {
    if (vehicle.anim != anim) return false;
    const AnimSlot& slot = FahrzeugAnimSlot(vehicle.type, facing, anim);
    if (slot.frames <= 1) return true;
    const int delay = std::max<int>(slot.delay, 1);
    return vehicle.frame == slot.frames - 1 && vehicle.frameTimer == delay - 1;
}

bool AtStartOfFahrzeugCycle(const Fahrzeug& vehicle) {
    return vehicle.frame == 0 && vehicle.frameTimer == 0;
}

void MoveKanzelPersons(std::int16_t vehicle, float dx, float dheight) {
    for (Person& p : Personen) {
        if (!InBasketOf(p, vehicle)) continue;
        p.x += dx;
        p.height += dheight;
        UpdatePersonDrawPos(p);
    }
}

void RunFahrzeugBefehl57(std::int16_t index) {
    Fahrzeug* found = RunningFahrzeug(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    switch (v.type) {
        case kTypF106:
            SetUpLadder(index, v, *v.orders);
            break;
        case kTypF113:
            SetUpPontoon(index, v, *v.orders);
            break;
        case kTypF204:
            SetUpTent(index, v);
            break;
        default:
            RefuseInstall();
            PopBefehl(v);
            break;
    }
}

void RunFahrzeugBefehl58(std::int16_t index) {
    Fahrzeug* v = LiftStopped(index, true);
    if (v == nullptr) return;
    SendOffBasketPersons(index, *v);
    StopLoopedSound(index, *v, kSoundTurntableLadder);
    PopBefehl(*v);
}

void RunFahrzeugBefehl59(std::int16_t index) {
    Fahrzeug* v = LiftStopped(index, false);
    if (v == nullptr) return;
    StopLoopedSound(index, *v, kSoundTurntableLadder);
    PopBefehl(*v);
}

void RunFahrzeugBefehl60(std::int16_t index) {
    Fahrzeug* v = BasketFahrzeug(index);
    if (v == nullptr) return;
    Befehl& order = *v->orders;
    const std::int32_t a = order.aInt();
    const std::int32_t b = order.bInt();
    // A column off the ring would swing the basket round for ever.
    if (!LadderUp(*v) || !OnRing(a) || b < 0 || b > kHighestPosition) {
        PopBefehl(*v);
        return;
    }
    if (FirstBefehlTick(order)) LoopSound(index, *v, kSoundTurntableLadder);
    order.setD(order.dInt() + 1);
    if (order.dInt() < kBasketStepTicks) return;
    order.setD(0);
    if (!StepBasket(index, *v->kanzel, a, b)) return;
    StopLoopedSound(index, *v, kSoundTurntableLadder);
    PopBefehl(*v);
}

void RunFahrzeugBefehl62(std::int16_t index) {
    Fahrzeug* found = RunningFahrzeug(index);
    if (found == nullptr) return;
    Fahrzeug& v = *found;
    switch (v.type) {
        case kTypF106:
            SendOffBasketPersons(index, v);
            PopBefehl(v);
            break;
        case kTypF113:
            TakeInPontoon(index, v);
            break;
        case kTypF204:
            StrikeTent(index, v);
            break;
        default:
            break;
    }
}

void RunFahrzeugBefehl63(std::int16_t index) {
    Fahrzeug* v = BasketFahrzeug(index);
    if (v == nullptr) return;
    const Befehl& order = *v->orders;
    const std::int32_t house = order.cInt();
    // Basket columns 10, 11, 0, 1, 2 stand at facade columns 0..4.
    std::int32_t n = order.aInt() - kRingStart;
    if (n < 0) n = order.aInt() + kColumnCount - kRingStart;
    std::int32_t px = 0;
    std::int32_t py = 0;
    if (!GetHouseFacadePoint(n, house, px, py)) {
        PopBefehl(*v);
        return;
    }
    const KanzelState& k = *v->kanzel;
    if (k.persons != 0) return;
    const std::int32_t y = py + kFacadeLineDy;
    const std::int32_t storey = order.bInt() + kFirstBasketStorey;
    for (Person& p : Personen) {
        if (p.type == -1 || (p.controlFlags & kPersonController) == 0 ||
            (p.moverFlags & kMoverLed) != 0 || p.storey != storey || p.orders != nullptr ||
            p.house != static_cast<std::uint16_t>(house))
            continue;
        SetBefehl(p, PersonTypOf(p), kOpMove, kNoVoice, px, y, 0, 0, 0);
        AppendBefehl(p, kOpEnterKanzel, px, y, index, k.column, k.position);
    }
}

void RunFahrzeugBefehl68(std::int16_t index) {
    Fahrzeug* v = BasketFahrzeug(index);
    if (v == nullptr) return;
    KanzelState& k = *v->kanzel;
    Person* person = UsedPersonAt(v->orders->aInt());
    House* house = PlacedHouse(k.target);
    if (person == nullptr || !InBasketOf(*person, index) || house == nullptr) {
        PopBefehl(*v);
        return;
    }
    Person& p = *person;
    const int storey = k.position + kFirstBasketStorey;
    const float entryY =
        static_cast<float>((house->y + HouseTypOf(*house).extentJ) * kCellHeight + kFacadeLineDy);
    // Only a storey the house has takes the person in.
    bool blocked = static_cast<std::size_t>(storey - 1) >= house->floors.size();
    if (!blocked) {
        p.house = k.target;
        blocked =
            TestCollision(0, p, PersonTypOf(p), p.x + kLeaveBasketDx, entryY,
                          static_cast<std::uint8_t>(p.direction), static_cast<std::int8_t>(storey),
                          static_cast<std::uint8_t>(p.anim), nullptr) != 0;
    }
    if (blocked) {
        p.house = 0xFFFF;
        PopBefehl(*v);
        return;
    }
    p.height = 0;
    p.x += kLeaveBasketDx;
    p.y = entryY;
    p.storey = static_cast<std::int8_t>(storey);
    UpdatePersonDrawPos(p);
    if (k.persons > 0) --k.persons;
    p.basketVehicle = 0xFFFF;
    RaiseFloorCount(k.target, storey);
    PopBefehl(*v);
}

void CleanUpInstallBefehl(std::int16_t index, const Befehl& order) {
    Fahrzeug* v = UsedFahrzeugAt(index);
    if (v == nullptr) return;
    switch (order.opcode) {
        case kOpSetUp: {
            StopLoopedSound(index, *v, kSoundPontoon);
            FreePlaceholders(order.placeholders);
            // An unfinished laying leaves no pieces behind (a list it has not made yet is another
            // chain's), nor a tent being pitched its object.
            const bool laying = v->anim == kAnimOpening || v->anim == kAnimLaying;
            if (v->type == kTypF113 && laying) {
                if ((order.flags & kPieceListMade) != 0)
                    FreePieces(*v);
                else
                    v->link = kNoLink;
            }
            if (v->type == kTypF204 && v->anim == kAnimPitching) ReleaseFahrzeugSetUp(index);
            break;
        }
        case kOpTakeDown:
            StopLoopedSound(index, *v, kSoundPontoon);
            // Nor does an unfinished taking in.
            if (v->type == kTypF113 && (v->anim == kAnimTakingIn || v->anim == kAnimClosing))
                FreePieces(*v);
            break;
        case kOpBasketDown:
        case kOpBasketUp:
        case kOpBasketToColumn:
            StopLoopedSound(index, *v, kSoundTurntableLadder);
            break;
        default:
            break;
    }
}

}  // namespace kv
