#include "screens/basis_kauf.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/saturate.h"
#include "movement/befehl_queue.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "screens/basis.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff.h"
#include "screens/info_template.h"
#include "screens/karte_wege.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

constexpr std::uint16_t kMessageFrames = 60;
constexpr std::int8_t kAnimSeated = 3;
constexpr std::int8_t kRiderDirection = 6;
// Without an F101 on the map ten vehicles can be bought; each F101 allows ten more.
constexpr int kFahrzeugePerZentrale = 10;

const char* const kZentraleNeeded = W("Einsatzzentrale wird benötigt!");
const char* const kTooLittleMoney = "Zu wenig Geld!";
const char* const kChooseFirst = W("Zuerst ein Fahrzeug auswählen!");
const char* const kUnsuitable = W("Einsatzkraft für dieses Fahrzeug ungeeignet!");
const char* const kNoRoom = "Kein Platz mehr im Fahrzeug!";

void Refuse(const char* text) {
    SetMessageLine(text, kMessageFrames);
}

const Basis* OpenBase() {
    if (BasisScreen.base < 0 || static_cast<std::size_t>(BasisScreen.base) >= Basen.size())
        return nullptr;
    return &Basen[static_cast<std::size_t>(BasisScreen.base)];
}

// The vehicle type of a place of the open base; -1 for no such place.
std::int16_t PlaceType(std::int16_t place) {
    const Basis* base = OpenBase();
    if (base == nullptr || place < 0 || place >= base->placeCount) return -1;
    return base->places[static_cast<std::size_t>(place)].type;
}

// Prices are unsigned and money is signed: both compared as the numbers they are.
bool Affordable(std::uint32_t price, std::int32_t money) {
    return std::int64_t{price} <= std::int64_t{money};
}

const PersonTyp* PersonTypAt(std::int32_t type) {
    return type >= 0 && type < kPersonTypCount ? &PersonTypen[static_cast<std::size_t>(type)]
                                               : nullptr;
}

// The chosen vehicle's type; null while none is chosen.
const FahrzeugTyp* ChosenTyp(std::int16_t* index = nullptr) {
    const std::int16_t type = PlaceType(BasisScreen.chosenPlace);
    if (index != nullptr) *index = type;
    return FahrzeugTypAt(type);
}

std::size_t AssignedCount() {
    return BasisScreen.assignedCount < 0
               ? 0
               : std::min<std::size_t>(static_cast<std::size_t>(BasisScreen.assignedCount),
                                       kMaxAssignedStaff);
}

// Money after a payment, kept to the i32 range: the purchase does not test the money again.
void Pay(std::uint32_t price) {
    Money = Saturate(std::int64_t{Money} - price);
}

// A bought person rides in the vehicle: off the map, unhurt, with no orders.
void SeatRider(Person& p) {
    ClearBefehle(p);
    p.moverFlags = 0;
    p.offMap = 1;
    p.controlFlags = 0;
    p.storey = 0;
    p.direction = kRiderDirection;
    p.x = 0;
    p.y = 0;
    p.height = 0;
    p.link = kNoLink;
    p.animate = 1;
    p.energy = kFullEnergy;
    p.energyLoss = 0;
}

}  // namespace

bool CanBuyFahrzeug(std::int16_t type) {
    if (type == kTypF101) return true;
    return int{BoughtFahrzeugCount} + 1 <= kFahrzeugePerZentrale * (int{F101Count} + 1);
}

bool IsPersonAssigned(std::uint16_t person) {
    if (person == kNoStaff) return false;
    for (const std::uint16_t entry : BasisScreen.assigned) {
        if (entry == person) return true;
    }
    return false;
}

void BasisPurchaseClick() {
    const std::int16_t id = static_cast<std::int16_t>(HoverIds[0]);
    if (HoverKind == kHoverFahrzeug) {
        ChooseBasisFahrzeug(id);
    } else if (HoverKind == kHoverPerson) {
        if (BasisScreen.view == kBasisViewUnten && BasisScreen.chosenPlace < 0)
            Refuse(kChooseFirst);
        else
            AssignBasisStaff(HoverIds[0]);
    }
}

void ChooseBasisFahrzeug(std::int16_t place) {
    const std::int16_t type = PlaceType(place);
    const FahrzeugTyp* typ = FahrzeugTypAt(type);
    const Basis* base = OpenBase();
    if (typ == nullptr || base == nullptr) return;
    if (!CanBuyFahrzeug(type)) return Refuse(kZentraleNeeded);
    if (!Affordable(typ->price, Money)) return Refuse(kTooLittleMoney);
    BasisScreen.previewMoney = static_cast<std::int32_t>(std::int64_t{Money} - typ->price);
    BasisScreen.chosenPlace = place;
    ClearMessageLine();
    PlaceBasisStaff(base->type);
    BasisScreen.assigned.fill(kNoStaff);
    BasisScreen.assignedCount = 0;
}

void AssignBasisStaff(std::uint16_t person) {
    std::int16_t type = -1;
    const FahrzeugTyp* vehicle = ChosenTyp(&type);
    Person* p = UsedPersonAt(person);
    if (vehicle == nullptr || p == nullptr) return;
    const PersonTyp* staff = PersonTypAt(p->type);
    if (staff == nullptr || p->orders != nullptr) return;
    if (type >= kMayBoardCount || staff->mayBoard[static_cast<std::size_t>(type)] == 0)
        return Refuse(kUnsuitable);
    const std::size_t count = AssignedCount();
    // The list holds six, whatever the type's seats.
    if (vehicle->seats <= count || count >= kMaxAssignedStaff) return Refuse(kNoRoom);
    if (!Affordable(staff->price, BasisScreen.previewMoney)) return Refuse(kTooLittleMoney);
    if (IsPersonAssigned(person)) return;
    ClearMessageLine();
    if (p->anim == kAnimSeated)
        p->animate = 1;  // it stands up first, then walks
    else
        PutPersonInFahrzeug(static_cast<std::int16_t>(person));
    BasisScreen.assigned[count] = person;
    BasisScreen.assignedCount = static_cast<std::int8_t>(count + 1);
    BasisScreen.previewMoney =
        static_cast<std::int32_t>(std::int64_t{BasisScreen.previewMoney} - staff->price);
}

void LoadInfoText(std::int16_t index, std::uint8_t kind) {
    BasisScreen.infoText.clear();
    const UnitTypHead* typ = nullptr;
    std::array<std::uint32_t, 2> values{};
    std::size_t valueCount = 0;
    if (kind == kInfoPlace) {
        if (const FahrzeugTyp* vehicle = FahrzeugTypAt(index)) {
            typ = vehicle;
            values = {vehicle->price, vehicle->seats};
            valueCount = 2;
        }
    } else if (kind == kInfoPerson) {
        if (const PersonTyp* staff = PersonTypAt(index)) {
            typ = staff;
            values = {staff->price, 0};
            valueCount = 1;
        }
    }
    if (typ == nullptr || typ->code[0] == '\0') return;
    const auto bytes = ReadFileBytes(std::string(kInfoFolder) + typ->code.data() + ".dat");
    if (!bytes.has_value()) return;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    BasisScreen.infoText =
        FormatInfoTemplate(text, std::span<const std::uint32_t>(values.data(), valueCount));
}

void CommitFahrzeugPurchase(std::int16_t vehicle) {
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr) return;
    v->x = RoadEntry.x;
    v->y = RoadEntry.y;
    PlaceFahrzeugOnKarte(vehicle, BasisScreen.base);
    Pay(FahrzeugTypOf(*v).price);
    std::fill(v->seats.begin(), v->seats.end(), kNoPerson);
    const std::size_t count = AssignedCount();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t index = BasisScreen.assigned[i];
        Person* p = UsedPersonAt(index);
        // A freed slot, or more riders than seats: that one stays behind, unpaid.
        if (p == nullptr || i >= v->seats.size()) continue;
        const PersonTyp* staff = PersonTypAt(p->type);
        SeatRider(*p);
        if (staff != nullptr) Pay(staff->price);
        v->seats[i] = index;
    }
    BasisScreen.chosenPlace = -1;
    BasisScreen.infoIndex = -1;
    BasisScreen.infoKind = kInfoNone;
}

}  // namespace kv
