#include "screens/heli_basis.h"

#include <algorithm>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "gfx/palette.h"
#include "media/sound_slots.h"
#include "media/unit_sounds.h"
#include "mission/mission_tick.h"
#include "mission/pause.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/hover_probe.h"
#include "mission/view/message_box.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/messages.h"
#include "platform/text.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/basis_twins.h"
#include "screens/karte.h"
#include "screens/options.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {

std::int16_t HeliBasisShadow = -1;

namespace {

constexpr std::uint32_t kHeliMode = 14;
constexpr std::uint32_t kOptionsMode = 9;
constexpr std::int8_t kAnimPlace = 3;
constexpr std::int8_t kAnimLiftOff = 1;
constexpr int kShadowSlotAnim = 1;  // whose hot spot places the shadow
constexpr int kShadowDX = 5;
constexpr int kShadowDY = 3;
constexpr std::uint8_t kShadowBelowEverything = 1;
constexpr std::uint8_t kShadowBlended = 2;
constexpr int kHeliSoundLoops = 1;

// The helicopter place's info text and the box behind it.
constexpr int kPlaceTextLeft = 170;
constexpr int kPlaceTextRight = 320;
constexpr int kPlaceTextAbove = 50;
constexpr int kPlaceTextHeight = 110;
constexpr int kPlaceBoxX = 160;
constexpr int kPlaceBoxAbove = 60;
constexpr int kInfoBoxW = 160;
constexpr int kInfoBoxH = 120;

VffImage* g_view = nullptr;
bool g_open = false;

const BasisPlace& HeliPlace() {
    static const BasisPlace none{kTypF203, 0, 0, kHeliPlaceFacing};
    const Basis* b = OpenBasisRecord();
    return b != nullptr && b->placeCount > 0 ? b->places[0] : none;
}

SonderObj* Shadow() {
    SonderObj* o = HeliBasisShadow >= 0 ? SonderObjAt(HeliBasisShadow) : nullptr;
    return o != nullptr && o->type == kSobjHeliSchatten ? o : nullptr;
}

void FreeShadow() {
    if (Shadow() != nullptr) FreeSonderObjSlot(HeliBasisShadow);
    HeliBasisShadow = -1;
}

// The loaded set's frames: a shorter set than the lift-off expects counts down from its last.
std::int16_t ShadowFirstFrame() {
    const SonderObjTyp* typ = SonderObjTypAt(kSobjHeliSchatten);
    const auto loaded = static_cast<std::int16_t>(typ != nullptr ? FrameCount(typ->frames) : 0);
    return std::clamp<std::int16_t>(static_cast<std::int16_t>(loaded - 1), 0,
                                    kHeliShadowFirstFrame);
}

// The shadow lies in a world slot at hall coordinates: it takes part in no collision, water,
// heat or explosion test there, and the base draws it itself.
void CreateShadow(std::int16_t slot) {
    const BasisPlace& place = HeliPlace();
    const AnimSlot& anim = FahrzeugAnimSlot(place.type, place.facing, kShadowSlotAnim);
    CreateSonderObj(
        slot, kSobjHeliSchatten, static_cast<std::int16_t>(place.x - anim.hotX + kShadowDX),
        static_cast<std::int16_t>(place.y - anim.hotY + kShadowDY),
        static_cast<std::uint16_t>(ShadowFirstFrame()), 0, kShadowBelowEverything, 0.0F, 0);
    if (FatalErrorRaised()) return;
    SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
    o.visible = 0;
    o.fuel = 0;
    o.tick = 0;
    o.drawStyle = kShadowBlended;
    HeliBasisShadow = slot;
}

void DrawShadow() {
    const SonderObj* o = Shadow();
    const SonderObjTyp* typ = SonderObjTypAt(kSobjHeliSchatten);
    if (o == nullptr || typ == nullptr) return;
    const FrameSet* frame = SetFrame(typ->frames, o->frame);
    if (frame == nullptr) return;
    BlendInWorldView(*frame, static_cast<int>(o->x) + frame->dx,
                     static_cast<int>(o->y) + frame->dy);
}

void DrawStaff(bool pickable) {
    for (const BasisStaffEntry& e : BasisStaffList) {
        const Person* p = PersonAt(e.person);
        if (p == nullptr || p->type < 0 || p->storey != kStoreyStaffRoom) continue;
        DrawInWorldView(PersonPicture(*p).image, p->drawX, p->drawY);
        if (pickable) CheckHoverPixel(kHoverPerson, e.person, 0, 0, 0);
    }
}

bool MayBoardChosen(const Person& p) {
    if (BasisScreen.chosenPlace < 0) return false;
    const auto type = static_cast<std::size_t>(HeliPlace().type);
    const PersonTyp& typ = PersonTypOf(p);
    return type < typ.mayBoard.size() && typ.mayBoard[type] != 0;
}

// What the info box shows: the helicopter place, or a person who could still join its crew.
void ChooseInfo() {
    std::int16_t index = -1;
    std::uint8_t kind = kInfoNone;
    std::int16_t type = HeliPlace().type;
    const Person* p = HoverKind == kHoverPerson ? PersonAt(HoverIds[0]) : nullptr;
    if (BasisScreen.view == kBasisViewOben || BasisScreen.view == kBasisViewUnten) {
        if (HoverKind == kHoverFahrzeug) {
            index = 0;
            kind = kInfoPlace;
        } else if (p != nullptr && p->type >= 0 && MayBoardChosen(*p) &&
                   !IsPersonAssigned(HoverIds[0])) {
            index = static_cast<std::int16_t>(HoverIds[0]);
            kind = kInfoPerson;
            type = p->type;
        }
    }
    ChooseBasisInfo(index, kind, type);
}

void DrawInfoBox() {
    if (BasisScreen.firstFrame != 0) return;
    ChooseInfo();
    if (BasisScreen.infoText.empty()) return;
    if (BasisScreen.infoKind == kInfoPlace)
        DarkenInfoBox(kPlaceBoxX, HeliPlace().y - kPlaceBoxAbove, kInfoBoxW, kInfoBoxH);
    else
        DarkenPersonInfoBox(BasisScreen.infoIndex);
}

void ChooseHelicopter() {
    const std::int16_t type = HeliPlace().type;
    if (!CanBuyFahrzeug(type)) {
        SetMessageLine(W("Einsatzzentrale wird benötigt!"), 60);
        return;
    }
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    const std::int64_t price = typ != nullptr ? typ->price : 0;
    if (price > Money) {
        SetMessageLine("Zu wenig Geld!", 60);
        return;
    }
    BasisScreen.previewMoney = static_cast<std::int32_t>(Money - price);
    BasisScreen.chosenPlace = 0;
    ClearMessageLine();
    PlaceHeliStaff();
}

void LoadHeliView(std::uint8_t view, const char* file, const char* message) {
    FreeVff(g_view);
    g_view = LoadBasisPicture(file, message);
    BasisScreen.view = view;
}

// One step of the lift-off; true once the helicopter is out of the view.
bool StepTakeOff(Fahrzeug& v) {
    SonderObj* shadow = Shadow();
    if (shadow != nullptr && shadow->frame > 0) {
        if (++shadow->tick >= kHeliShadowTicksPerFrame) {
            shadow->tick = 0;
            --shadow->frame;
        }
        v.y -= kHeliRisePerTick;
    } else if (v.direction != kHeliFlyOffFacing) {
        FreeShadow();
        ++v.direction;
    } else if (v.x > static_cast<float>(-FahrzeugAnim(v).hotX)) {
        // A type without speed would stay in the view for ever.
        v.x -= std::max(FahrzeugTypOf(v).speed, 1.0F);
    } else {
        return true;
    }
    UpdateFahrzeugDrawPos(v);
    return false;
}

void BuyAndClose() {
    CommitHeliPurchase(BasisScreen.vehicle);
    CloseHeliBasis();
}

void LeaveHeliBasis() {
    if (BasisScreen.view == kBasisViewAusfahrt)
        BuyAndClose();
    else
        CloseHeliBasis();
}

}  // namespace

void OpenHeliBasis(std::int16_t base) {
    BeginBasisScreen(base, kHeliPathTemplate, kHeliMode);
    BasisScreen.gathering = kHeliGatheringPoint;
    InitHeliPaths();
    PlaceHeliStaff();
    LoadFahrzeugTyp(HeliPlace().type);
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0 || FatalErrorRaised()) {
        // The screen does not open: nothing of it stays behind.
        RemoveBasisStaff();
        FreeBasisPaths();
        BasisScreen.pathTemplate.clear();
        return;
    }
    g_open = true;
    CreateShadow(slot);
    BasisScreen.vehicle = -1;
    LoadHeliUnten();
    if (FatalErrorRaised()) return;
    GameMode = kHeliMode;
    ListBasisStaff();
    DrawHeliBasisScreen();
    FadePaletteIn(Palette);
}

void FreeHeliBasisScreen() {
    if (!g_open) return;
    g_open = false;
    if (BasisScreen.vehicle >= 0) StopOwnerSound(kOwnerFahrzeug, BasisScreen.vehicle);
    FreeVff(g_view);
    g_view = nullptr;
    BasisScreen.pathTemplate.clear();
    FreeShadow();
    BasisScreen.infoText.clear();
    FreeBasisPaths();
    RemoveBasisStaff();
}

void CloseHeliBasis() {
    FreeHeliBasisScreen();
    OpenKarte();
}

void RunHeliBasisFrame() {
    UpdateHeliBasis();
    if (GameMode != kHeliMode || FatalErrorRaised()) return;
    SetBasisCursor();
    DrawHeliBasisScreen();
    StandUpBasisStaff();
    if (BasisButtonFires(kBasisButtonStart) && BasisScreen.labels[0] == 0) StartHeliTakeOff();
    if (BasisButtonFires(kBasisButtonSecond)) {
        if (BasisScreen.labels[1] == 1) LoadHeliOben();
        if (BasisScreen.labels[1] == 2) LoadHeliUnten();
    }
    if (BasisButtonFires(kBasisButtonMap)) {
        LeaveHeliBasis();
        return;
    }
    if (BasisButtonFires(kBasisButtonOptions)) OpenOptionsScreen();
}

void OnHeliLButtonDown(int x, int y) {
    const int button = BasisButtonAt(x, y);
    if (button >= 0) {
        PressBasisButton(static_cast<std::size_t>(button));
        return;
    }
    switch (BasisScreen.view) {
        case kBasisViewOben:
            if (BasisScreen.chosenPlace >= 0 && HoverKind == kHoverPerson)
                AssignBasisStaff(HoverIds[0]);
            break;
        case kBasisViewUnten:
            if (HoverKind == kHoverFahrzeug) ChooseHelicopter();
            break;
        case kBasisViewAusfahrt:
            BuyAndClose();
            break;
        default:
            break;
    }
}

void OnHeliRButtonDown() {
    LeaveHeliBasis();
}

void OnHeliMouseMove(int x, int y) {
    MouseX = static_cast<std::uint16_t>(x);
    MouseY = static_cast<std::uint16_t>(y);
}

void OnHeliKeyDown(std::uint32_t key) {
    if (key == VK_ESCAPE) LeaveHeliBasis();
    if (key == VK_SPACE) EnterPause();
}

void UpdateHeliBasis() {
    if (BasisScreen.view == kBasisViewAusfahrt)
        CyclePaletteColours();
    else
        SteadyBlueLights();
    RunBasisWorld(BeforeStartPersons::All, kHeliMode);
    // The ticks may have ended the mission or the game.
    if (FatalErrorRaised() || (GameMode != kHeliMode && GameMode != kOptionsMode)) return;
    if (BasisScreen.view == kBasisViewAusfahrt) {
        Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle);
        for (int step = 0; v != nullptr && step < GameSpeed; ++step) {
            if (!StepTakeOff(*v)) continue;
            BuyAndClose();
            return;
        }
    }
    ListBasisStaff();
}

void DrawHeliBasisView() {
    DrawBasisViewPicture(g_view);
    const BasisPlace& place = HeliPlace();
    DrawShadow();
    switch (BasisScreen.view) {
        case kBasisViewUnten: {
            ResetHoverProbe();
            const BasisBody heli =
                DrawBasisFahrzeugTyp(place.type, place.facing, kAnimPlace, 0, place.x, place.y);
            CheckHoverPixel(kHoverFahrzeug, 0, 0, 0, 0);
            DrawStaff(true);
            RestoreHoverPixel();
            if (heli.image != nullptr && BasisScreen.chosenPlace >= 0)
                DrawChosenOutline(heli.left, heli.top, heli.image->width, heli.image->height);
            break;
        }
        case kBasisViewOben:
            DrawBasisFahrzeugTyp(place.type, place.facing, kAnimPlace, 0, place.x, place.y);
            ResetHoverProbe();
            DrawStaff(true);
            RestoreHoverPixel();
            break;
        case kBasisViewAusfahrt:
            // Nothing is picked while the helicopter lifts off.
            HoverKind = kHoverNothing;
            if (const Fahrzeug* v = UsedFahrzeugAt(BasisScreen.vehicle))
                DrawInWorldView(FahrzeugPicture(*v).image, v->drawX, v->drawY);
            break;
        default:
            break;
    }
    DrawInfoBox();
}

void DrawHeliBasisScreen() {
    if (WorkBuffer == nullptr) return;
    DrawTarget = WorkBuffer;
    DrawPitch = kScreenWidth;
    DrawBasisPanel();
    DrawHeliBasisView();
    DrawMessageBox();
    DrawTarget = nullptr;
    const int top = HeliPlace().y - kPlaceTextAbove;
    const Rect text{kPlaceTextLeft, top, kPlaceTextRight, top + kPlaceTextHeight};
    ShowBasisFrame(&text);
}

void PlaceHeliStaff() {
    RemoveBasisStaff();
    for (const BasisStaffRow& row : kHeliStaff)
        CreateBasisStaff(row.type, row.x, row.y, row.direction, row.pose, row.path, row.storey);
    BasisScreen.assigned.fill(kNoStaff);
    BasisScreen.assignedCount = 0;
}

void InitHeliPaths() {
    BasisPaths = &kHeliPaths;
}

void LoadHeliUnten() {
    if (BasisScreen.vehicle >= 0) StopOwnerSound(kOwnerFahrzeug, BasisScreen.vehicle);
    BasisScreen.vehicle = -1;
    LoadHeliView(kBasisViewUnten, "unten.vff", "file not found: BASISUNTENANSICHT");
}

void LoadHeliOben() {
    LoadHeliView(kBasisViewOben, "oben.vff", "file not found: BASISOBENANSICHT");
}

void StartHeliTakeOff() {
    const std::int16_t index = CreateBasisFahrzeug();
    if (index < 0) return;  // no free vehicle slot: nothing is made and the view stays
    const BasisPlace& place = HeliPlace();
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(index)];
    v.storey = kStoreyHall;
    v.x = place.x;
    v.y = place.y;
    v.height = 0;
    v.direction = kHeliPlaceFacing;
    SetFahrzeugAnim(index, kAnimLiftOff);
    UpdateFahrzeugDrawPos(v);
    PlayHeliSound(index, kHeliSoundLoops);
    BasisScreen.vehicle = index;
    // The lift-off is seen over the hall, also when START was pressed in the staff room.
    if (BasisScreen.view != kBasisViewUnten)
        LoadHeliView(kBasisViewUnten, "unten.vff", "file not found: BASISUNTENANSICHT");
    BasisScreen.view = kBasisViewAusfahrt;
}

void CommitHeliPurchase(std::int16_t helicopter) {
    if (helicopter < 0) return;
    const std::int16_t place = BasisScreen.chosenPlace;
    const std::int16_t infoIndex = BasisScreen.infoIndex;
    const std::uint8_t infoKind = BasisScreen.infoKind;
    CommitFahrzeugPurchase(helicopter);
    BasisScreen.chosenPlace = place;
    BasisScreen.infoIndex = infoIndex;
    BasisScreen.infoKind = infoKind;
    if (Fahrzeug* v = UsedFahrzeugAt(helicopter)) v->height = 0;
}

}  // namespace kv
