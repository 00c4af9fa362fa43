#include "mission/panels/control_panel.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "core/campaign.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "gfx/bitmap_text.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "mission/command_slots.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "mission/panels/commands.h"
#include "mission/scan_display.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {

std::int16_t PanelBlink = 0;

namespace {

// The backgrounds right of and below the world view.
constexpr int kRightPanelX = 640;
constexpr int kRightPanelY = 10;
constexpr int kBottomPanelX = 8;
constexpr int kBottomPanelY = 480;

// The money: at most six digits, 14 px apart, the last at x 746.
constexpr int kMoneyX = 676;
constexpr int kMoneyY = 463;
constexpr int kMoneyDigitStep = 14;
constexpr int kMoneyDigits = 6;
constexpr int kGeldX = 688;
constexpr int kGeldY = 437;

// The two unit panels: the picture, the state bar inside it, the crew squares down its left.
struct UnitPanelPlace {
    int x;
    int y;
};
constexpr std::array<UnitPanelPlace, 2> kUnitPanelPlaces = {{{32, 493}, {203, 493}}};
constexpr int kBarInsetX = 2;
constexpr int kBarInsetY = 2;
constexpr int kBarLength = 124;
constexpr int kBarHeight = 9;
constexpr std::uint8_t kBarTint = 203;
constexpr std::uint8_t kBarCritical = 249;
constexpr int kCrewInsetX = 2;
constexpr int kCrewInsetY = 24;
constexpr int kCrewStep = 6;
constexpr int kCrewSquare = 4;

// The three command buttons. Button 3's raised picture stands at x 665, right of its cover.
struct ButtonPlace {
    int coverX;
    int coverY;
    int raisedX;
    int raisedY;
    int labelX;
    int labelY;
};
constexpr std::array<ButtonPlace, kCommandSlotCount> kButtonPlaces = {{
    {355, 505, 354, 561, 363, 514},
    {467, 505, 467, 563, 475, 514},
    {580, 505, 665, 563, 590, 514},
}};

// Mission 19's scanner and the point on it.
constexpr int kScannerMission = 19;
constexpr UnitPanelPlace kScannerPlace{174, 480};
constexpr UnitPanelPlace kScanPointOrigin{266, 534};
constexpr std::int16_t kSobjScanner = 18;
constexpr std::int16_t kSobjScanPoint = 19;
constexpr std::int8_t kPersonTypMountaineer = 28;

// What a state bar shows: one of the two fixed state pictures (their frames swapped), the energy
// as a tinted bar, or a critical energy as a blinking bar.
enum BarMode : std::int8_t {
    kBarNone = -1,
    kBarLifeless = 0,    // state picture 1
    kBarNotTreated = 1,  // state picture 0
    kBarEnergy = 2,
    kBarCriticalEnergy = 3,
};
// Below the first a critical bar shows on 3 frames of 5, below the second on 6 of 10.
constexpr std::int32_t kBlinkFast = 150000;
constexpr std::int32_t kBlinkSlow = 300000;
constexpr std::int16_t kBlinkPeriod = 10;

constexpr std::uint16_t kNoPicture = 65535;
// The picture of mission 3's marked person.
constexpr std::uint16_t kMarkedPersonPicture = 46;
constexpr int kMarkedPersonMission = 3;

struct UnitPanel {
    std::uint16_t picture = kNoPicture;
    std::int8_t bar = kBarNone;
    std::int32_t energy = 0;
};
struct PanelContents {
    std::array<UnitPanel, 2> panels{};
    std::int16_t crewVehicle2 = -1;
};

// Types the rows below name.
constexpr std::int16_t kTypF109 = 8;
constexpr std::int16_t kTypF301 = 21;
constexpr std::int16_t kTypF302 = 22;
constexpr std::int8_t kPersonTypHatch = 6;  // leaves its vehicle by the hatch
constexpr std::int8_t kPersonTypFireman = 1;
constexpr std::uint8_t kBasketHome = 3;
constexpr std::int8_t kAnimLadderUp = 13;
constexpr std::int32_t kPatientLimitF201 = 300000;
constexpr std::int32_t kPatientLimitF203 = 150000;
// An exit this close to the map's left or top edge is no way out.
constexpr int kExitMargin = 20;

bool InRange(std::uint16_t mode, int first, int last) {
    const int m = static_cast<std::int16_t>(mode);
    return m >= first && m <= last;
}

void SetButton(int k, std::uint16_t command) {
    CommandSlots[static_cast<std::size_t>(k - 1)].command = command;
}

std::uint16_t PersonPicture(int type) {
    return type >= 0 && type < kPersonTypCount
               ? PersonTypen[static_cast<std::size_t>(type)].panelPicture
               : kNoPicture;
}

std::uint16_t FahrzeugPicture(int type) {
    const FahrzeugTyp* t = FahrzeugTypAt(type);
    return t != nullptr ? t->panelPicture : kNoPicture;
}

void ShowEnergy(UnitPanel& panel, std::uint16_t picture, std::int32_t energy) {
    panel = {picture, kBarEnergy, energy};
}

// A casualty's state: a fixed picture until treated, then its energy, blinking.
void ShowCasualty(UnitPanel& panel, const Person& p, bool lifeless) {
    panel.picture = PersonPicture(p.type);
    if (p.treated == 0)
        panel.bar = kBarNotTreated;
    else if (lifeless)
        panel.bar = kBarLifeless;
    else
        panel = {panel.picture, kBarCriticalEnergy, p.energy};
}

// The second panel shows a person the selected unit carries, treats or leads to treatment.
void SecondPanelPerson(PanelContents& c, const Person* p) {
    if (p != nullptr) ShowCasualty(c.panels[1], *p, p->energy == 0);
}

// A vehicle's seats as its type counts them.
std::span<const std::uint16_t> TypeSeats(const Fahrzeug& v) {
    const std::size_t n = std::min<std::size_t>(FahrzeugTypOf(v).seats, v.seats.size());
    return std::span<const std::uint16_t>(v.seats).first(n);
}

// The person of a seat; null for an empty seat or one that names nobody.
const Person* Occupant(std::uint16_t seat) {
    return static_cast<std::int16_t>(seat) >= 0 ? UsedPersonAt(seat) : nullptr;
}

struct Occupants {
    int count = 0;
    int crew = 0;  // neither run by a controller nor a casualty
    std::int16_t last = -1;
};
Occupants CountOccupants(const Fahrzeug& v) {
    Occupants o;
    for (const std::uint16_t seat : TypeSeats(v)) {
        const Person* p = Occupant(seat);
        if (p == nullptr) continue;
        ++o.count;
        if ((p->controlFlags & kPersonController) == 0 && p->casualty == 0) ++o.crew;
        o.last = static_cast<std::int16_t>(seat);
    }
    return o;
}

// Whether the last occupant could step out: its door (or hatch) lies on the map, clear of the left
// and top edges.
bool ExitUsable(std::int16_t vehicle, std::int16_t person) {
    const Person* p = UsedPersonAt(person);
    if (p == nullptr) return false;
    const FahrzeugPunkt e = p->type == kPersonTypHatch ? GetFahrzeugHatchPoint(vehicle, person)
                                                       : GetFahrzeugDoorPoint(vehicle, person);
    return e.x >= kExitMargin && e.x <= WorldMaxX && e.y >= kExitMargin && e.y <= WorldMaxY;
}

bool OnPontonPunkt(const Fahrzeug& v) {
    const int x = TruncInt(v.x);
    const int y = TruncInt(v.y);
    return std::any_of(PontonPunkte.begin(), PontonPunkte.end(),
                       [x, y](const PontonPunkt& p) { return p.x == x && p.y == y; });
}

bool OnActiveBootPunkt(const Fahrzeug& v) {
    const int x = TruncInt(v.x);
    const int y = TruncInt(v.y);
    return std::any_of(BootPunkte.begin(), BootPunkte.end(), [&](const BootPunkt& b) {
        return b.active != 0 && b.x == x && b.y == y && b.facing == v.direction;
    });
}

// The tent can be taken down once the special object it set up says so.
bool TentReady(const Fahrzeug& v) {
    const SonderObj* o = SonderObjAt(v.link);
    return o != nullptr && o->type != -1 && o->commands != nullptr && o->commands->b == 1;
}

void ChooseForVehicleType(PanelContents& c, std::int16_t index, const Fahrzeug& v,
                          const Occupants& o, bool exitUsable) {
    switch (v.type) {
        case kTypF106:
            if ((v.anim == kFahrzeugAnimOpen || v.anim == kAnimLadderUp) && v.kanzel != nullptr &&
                v.kanzel->column != kBasketHome)
                SetButton(2, kCmdBasketDown);
            return;
        case kTypF107:
        case kTypF116:
        case kTypF301:
        case kTypF302:
            if (exitUsable && o.count > o.crew) SetButton(2, kCmdAllOut);
            if (v.type == kTypF116) SetButton(3, kNoCommand);
            return;
        case kTypF109:
        case kTypF203B:
            SecondPanelPerson(c, UsedPersonAt(v.link));
            if (v.type == kTypF203B)
                for (int k = 1; k <= kCommandSlotCount; ++k) SetButton(k, kNoCommand);
            return;
        case kTypF113:
            if (v.anim == 2 || v.anim == 3 || v.anim == 5 || v.anim == 6) {
                SetButton(3, kNoCommand);
            } else if (v.anim == 4) {
                SetButton(1, kCmdTakeDown);
                SetButton(3, kNoCommand);
            } else if (OnPontonPunkt(v)) {
                SetButton(1, kCmdSetUp);
            }
            return;
        case kTypF117:
            if (OnActiveBootPunkt(v)) SetButton(1, kCmdUnload);
            return;
        case kTypF118:
        case kTypF110MD:
            SetButton(1, kCmdUnload);
            return;
        case kTypF201:
        case kTypF203:
            // The patient a stretcher team brought aboard.
            for (const std::uint16_t seat : TypeSeats(v)) {
                const Person* team = Occupant(seat);
                if (team == nullptr || team->type != kPersonTypStretcherTeam) continue;
                const Person* patient = LinkedPartner(team->link);
                if (patient == nullptr) continue;
                SecondPanelPerson(c, patient);
                const std::int32_t limit =
                    v.type == kTypF201 ? kPatientLimitF201 : kPatientLimitF203;
                if (patient->energy < limit && c.panels[1].bar == kBarCriticalEnergy)
                    SetButton(3, kNoCommand);
            }
            return;
        case kTypF204:
            if (v.anim == 2 || v.anim == 4) {
                SetButton(1, kNoCommand);
                SetButton(3, kNoCommand);
            } else if (v.anim == 3) {
                SetButton(1, TentReady(v) ? kCmdTakeDown : kNoCommand);
                SetButton(3, kNoCommand);
            } else {
                SetButton(1, kCmdSetUp);
                SetButton(3, kCmdBackToBase);
            }
            return;
        case kTypF303:
            if (const WasserStrahl* jet = FahrzeugWasserStrahl(index))
                SetButton(2, jet->active == 0 ? kCmdWaterOn : kCmdWaterOff);
            return;
        default:
            return;
    }
}

void ChooseForVehicle(PanelContents& c) {
    const auto index = static_cast<std::int16_t>(SelectedIndex);
    const Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    if (v == nullptr) return;
    ShowEnergy(c.panels[0], FahrzeugPicture(v->type), v->energy);
    if (v->energy > 0 && v->selectable != 0) SetButton(3, kCmdBackToBase);
    const Occupants o = CountOccupants(*v);
    // A helicopter lets nobody out before it has landed.
    const bool exitUsable = o.count > 0 &&
                            (v->type != kTypF203 || v->anim == kHelicopterAnimLanded) &&
                            ExitUsable(index, o.last);
    if (exitUsable && o.crew > 0) SetButton(1, kCmdStaffOut);
    ChooseForVehicleType(c, index, *v, o, exitUsable);
}

void ChooseForPerson(PanelContents& c) {
    const Person* p = UsedPersonAt(SelectedIndex);
    if (p == nullptr) return;
    const int type = SelectionMode - kPersonSelected;
    ShowEnergy(c.panels[0], PersonPicture(type), p->energy);
    if (MissionNummer == kMarkedPersonMission && SelectedIndex == MarkedPersonM03)
        c.panels[1] = {kMarkedPersonPicture, kBarEnergy, 0};
    const PersonLink link = DecodePersonLink(p->link);
    const Person* led = link.kind == PersonLinkKind::Leads ? UsedPersonAt(link.index) : nullptr;
    switch (type) {
        case 0:
        case 1:
        case 2:
        case 3:
            if (led != nullptr) {
                SetButton(1, kCmdLetGo);
                ShowEnergy(c.panels[1], PersonPicture(led->type), led->energy);
            } else if (type == 0) {
                SetButton(1, kCmdStop);
                SetButton(2, kCmdSendBack);
            }
            return;
        case 4: {
            constexpr int kOpRevive = 202;
            constexpr std::uint8_t kReviving = 2;
            if (p->anim == kAnimTreat ||
                (HeadBefehlOpcode(*p) == kOpRevive && (p->orders->flags & kReviving) != 0))
                SecondPanelPerson(c, LinkedPartner(p->link));
            return;
        }
        case 8:
        case 9:
        case 10:
        case 13:
        case 15:
        case 16:
        case 17:
        case 20:
        case 21:
        case 22:
        case 25:
            SetButton(1, kCmdDropEquipment);
            return;
        case 12:
        case 19:
        case 24:
        case 26:
            SetButton(1, kCmdPutDown);
            SecondPanelPerson(c, LinkedPartner(p->link));
            return;
        case 14:
            SetButton(1, kCmdPutDown);
            return;
        case 45:
            SetButton(1, kCmdPutDownTyre);
            return;
        default:
            return;
    }
}

// A person choosing equipment at a vehicle: its own panel, the vehicle's panel and crew, and the
// way back in.
void ChooseEquipment(PanelContents& c) {
    const Person* p = UsedPersonAt(SelectedIndex);
    const Fahrzeug* v = p != nullptr ? UsedFahrzeugAt(p->link2) : nullptr;
    if (v == nullptr) return;
    const std::span<const std::uint16_t> seats = TypeSeats(*v);
    if (std::find(seats.begin(), seats.end(), kNoPerson) != seats.end()) SetButton(1, kCmdBoard);
    ShowEnergy(c.panels[0], PersonPicture(p->type), p->energy);
    ShowEnergy(c.panels[1], FahrzeugPicture(v->type), v->energy);
    c.crewVehicle2 = static_cast<std::int16_t>(p->link2);
    switch (SelectionMode) {
        case 2001:
            if (p->type == kPersonTypFireman) SetButton(2, kCmdHose);
            SetButton(3, kCmdChainsaw);
            return;
        case 2003:
            SetButton(2, kCmdExtinguisher);
            return;
        case 2005:
            SetButton(2, kCmdHose);
            SetButton(3, kCmdRope);
            return;
        case 2007:
            SetButton(2, kCmdMetalCutter);
            return;
        case 2009:
            SetButton(2, kCmdMetalCutter);
            SetButton(3, kCmdChainsaw);
            return;
        default:
            SetButton(2, kCmdReturnEquipment);
            return;
    }
}

PanelContents ChooseContents() {
    PanelContents c;
    if (InRange(SelectionMode, 0, kPersonSelected - 1)) {
        ChooseForVehicle(c);
    } else if (InRange(SelectionMode, kPersonSelected, kCasualtySelected - 1)) {
        ChooseForPerson(c);
    } else if (SelectionMode == kCasualtySelected) {
        if (const Person* p = UsedPersonAt(SelectedIndex))
            ShowCasualty(c.panels[0], *p, p->energy < 1);
    } else if (InRange(SelectionMode, kEquipmentSelectedFirst, kEquipmentSelectedLast)) {
        ChooseEquipment(c);
    } else if (SelectionMode == kBoxGroupSelected) {
        if (const Person* leader = UsedPersonAt(SelectedIndex))
            ShowEnergy(c.panels[0], PersonPicture(leader->type), leader->energy);
    }
    return c;
}

// --- Drawing, every picture and fill clipped to the screen: sizes and counts come from files ---

template <class Frame>
const Frame* FrameOf(const Frame* set, long n) {
    return n >= 0 && static_cast<std::size_t>(n) < FrameCount(set) ? &set[n] : nullptr;
}

template <class Frame>
void DrawOpaque(const Frame* set, long n, int x, int y) {
    const Frame* f = FrameOf(set, n);
    if (f != nullptr && DrawTarget != nullptr)
        BlitToBackBufferClippedTo(kScreenRect, f->pixels, x, y, f->width, f->height);
}

template <class Frame>
void DrawTransparent(const Frame* set, long n, int x, int y) {
    const Frame* f = FrameOf(set, n);
    if (f != nullptr && DrawTarget != nullptr)
        BlitTransparentClippedTo(kScreenRect, f->pixels, x, y, f->width, f->height, DrawTarget,
                                 DrawPitch);
}

// The part of the rectangle on the screen; false when none is.
bool ClipToScreen(int& x, int& y, int& w, int& h) {
    const int right = std::min(x + w - 1, kScreenRect.right);
    const int bottom = std::min(y + h - 1, kScreenRect.bottom);
    x = std::max(x, kScreenRect.left);
    y = std::max(y, kScreenRect.top);
    w = right - x + 1;
    h = bottom - y + 1;
    return DrawTarget != nullptr && w > 0 && h > 0;
}

void Fill(int x, int y, int w, int h, std::uint8_t colour) {
    if (ClipToScreen(x, y, w, h)) FillRect8(x, y, w, h, colour, DrawTarget, DrawPitch);
}

void Tint(int x, int y, int w, int h, std::uint8_t colour) {
    if (ClipToScreen(x, y, w, h)) TintRect50(x, y, w, h, colour, DrawTarget, DrawPitch);
}

// Mission 19: while the flying helicopter without the stretcher team aboard is selected and the
// mountaineer still lies out there, the scanner runs on the panel, with his point when in range.
void DrawScanner() {
    if (MissionNummer != kScannerMission || !InRange(SelectionMode, 0, kPersonSelected - 1)) return;
    const Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    if (v == nullptr || v->type != kTypF203 || v->storey != kLayerHelicopter) return;
    const Person* mountaineer = UsedPersonAt(MountaineerIndex);
    if (mountaineer == nullptr || mountaineer->type != kPersonTypMountaineer ||
        mountaineer->offMap != 0)
        return;
    for (const std::uint16_t seat : TypeSeats(*v))
        if (const Person* p = Occupant(seat); p != nullptr && p->type == kPersonTypStretcherTeam)
            return;
    const SonderObjTyp* scanner = SonderObjTypAt(kSobjScanner);
    if (scanner != nullptr)
        DrawOpaque(scanner->frames, ScannerFrameCounter / 2, kScannerPlace.x, kScannerPlace.y);
    if (ScanOffset.x == kScanOutOfRange && ScanOffset.y == kScanOutOfRange) return;
    ScanBlink = ScanBlink == 0 ? 1 : 0;
    const SonderObjTyp* point = SonderObjTypAt(kSobjScanPoint);
    if (ScanBlink == 0 && point != nullptr)
        DrawTransparent(point->frames, 0, ScanOffset.x + kScanPointOrigin.x,
                        ScanOffset.y + kScanPointOrigin.y);
}

bool CriticalBarShown(std::int32_t energy) {
    if (energy < kBlinkFast) return PanelBlink % 5 >= 2;
    if (energy < kBlinkSlow) return PanelBlink >= 4;
    return true;
}

void DrawBar(const UnitPanel& panel, const UnitPanelPlace& place) {
    const int x = place.x + kBarInsetX;
    const int y = place.y + kBarInsetY;
    switch (panel.bar) {
        case kBarLifeless:
            DrawTransparent(ZBalkenImages, 1, x, y);
            return;
        case kBarNotTreated:
            DrawTransparent(ZBalkenImages, 0, x, y);
            return;
        case kBarEnergy:
        case kBarCriticalEnergy: {
            const std::int64_t length = std::min<std::int64_t>(
                std::int64_t{panel.energy} * kBarLength / kFullEnergy, kBarLength);
            if (length < 1) return;
            if (panel.bar == kBarEnergy)
                Tint(x, y, static_cast<int>(length), kBarHeight, kBarTint);
            else if (CriticalBarShown(panel.energy))
                Fill(x, y, static_cast<int>(length), kBarHeight, kBarCritical);
            return;
        }
        default:
            return;
    }
}

void DrawButtons() {
    for (std::size_t k = 0; k < kButtonPlaces.size(); ++k) {
        const CommandSlot& slot = CommandSlots[k];
        const ButtonPlace& b = kButtonPlaces[k];
        const auto frame = static_cast<long>(k);
        if (slot.command == kNoCommand) {
            DrawTransparent(AbdeckImages, frame, b.coverX, b.coverY);
            continue;
        }
        if (slot.pressed == 0) DrawOpaque(ButsImages, frame, b.raisedX, b.raisedY);
        if (AnzFontLittleImages != nullptr && DrawTarget != nullptr)
            DrawText(b.labelX, b.labelY, GetCommandLabel(slot.command), AnzFontLittleImages);
    }
}

}  // namespace

void DrawPanelBackgrounds() {
    DrawOpaque(MaskeImages, 0, kRightPanelX, kRightPanelY);
    DrawOpaque(MaskeImages, 1, kBottomPanelX, kBottomPanelY);
}

void DrawPanelMoney(std::int32_t money) {
    if (money == 0) {
        DrawTransparent(AnzFontImages, 1, kMoneyX + kMoneyDigitStep * (kMoneyDigits - 1), kMoneyY);
        return;
    }
    // From the last digit back; a negative amount shows none, a larger one its last six.
    std::int32_t rest = money;
    for (int i = kMoneyDigits - 1; i >= 0 && rest > 0; --i, rest /= 10)
        DrawTransparent(AnzFontImages, rest % 10 + 1, kMoneyX + kMoneyDigitStep * i, kMoneyY);
}

void DrawPanelMoneyLabel() {
    if (AnzFontImages != nullptr && DrawTarget != nullptr)
        DrawText(kGeldX, kGeldY, "GELD", AnzFontImages);
}

void DrawControlPanel() {
    for (CommandSlot& slot : CommandSlots) slot.command = kNoCommand;
    DrawPanelBackgrounds();
    DrawPanelMoney(Money);
    DrawPanelMoneyLabel();
    const PanelContents c = ChooseContents();
    DrawScanner();
    for (std::size_t i = 0; i < c.panels.size(); ++i)
        if (c.panels[i].picture != kNoPicture)
            DrawOpaque(MaskPicsImages, c.panels[i].picture, kUnitPanelPlaces[i].x,
                       kUnitPanelPlaces[i].y);
    for (std::size_t i = 0; i < c.panels.size(); ++i) DrawBar(c.panels[i], kUnitPanelPlaces[i]);
    PanelBlink = static_cast<std::int16_t>(PanelBlink + 1 < kBlinkPeriod ? PanelBlink + 1 : 0);
    if (InRange(SelectionMode, 0, kPersonSelected - 1))
        DrawCrewMarks(static_cast<std::int16_t>(SelectedIndex), 1);
    if (c.crewVehicle2 >= 0) DrawCrewMarks(c.crewVehicle2, 2);
    DrawButtons();
    if (MapButton.pressed != 0)
        DrawOpaque(MapButDownImages, 0, kMapButtonPlace.x, kMapButtonPlace.y);
    if (OptionsButton.pressed != 0)
        DrawOpaque(OptionsButDownImages, 0, kOptionsButtonDownPlace.x, kOptionsButtonDownPlace.y);
}

void DrawCrewMarks(std::int16_t vehicle, std::uint8_t panel) {
    const Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr || panel < 1 || panel > kUnitPanelPlaces.size()) return;
    const UnitPanelPlace& origin = kUnitPanelPlaces[panel - 1u];
    int n = 0;
    for (const std::uint16_t seat : TypeSeats(*v)) {
        if (static_cast<std::int16_t>(seat) < 0) continue;
        const Person* p = UsedPersonAt(seat);
        Fill(origin.x + kCrewInsetX, origin.y + kCrewInsetY + kCrewStep * n, kCrewSquare,
             kCrewSquare, CrewColour(p != nullptr ? p->type : -1));
        ++n;
    }
}

void ResetPanelBlink() {
    PanelBlink = 0;
}

}  // namespace kv
