#include "mission/input/box_selection.h"

#include <optional>

#include "core/mission_state.h"
#include "media/unit_sounds.h"
#include "mission/input/click_orders.h"
#include "movement/stepping.h"
#include "movement/unit_type.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

// A box ending with the helicopter selected answers with phrase 1, any other with phrase 18.
constexpr std::int32_t kPhraseHelicopter = 1;
constexpr std::int32_t kPhraseSelected = 18;
// The cry of a casualty that becomes the selection.
constexpr int kSoundCasualtySelected = 41;
// A storey of a house is this high; things inside stand its height higher for each storey above
// the ground floor.
constexpr int kStoreyHeight = 31;
// The aircraft flies on a layer of its own, below every other vehicle's.
constexpr std::int8_t kLowestBoxLayer = -1;
// Leaders of a pair are of types 0..3; a box around a person of type 0 makes a group.
constexpr std::int8_t kLastLeaderTyp = 3;
constexpr std::int8_t kGroupLeaderTyp = 0;

struct PictureRect {
    int left;
    int top;
    int right;  // inclusive
    int bottom;
};

// Where the unit's picture stands now: its draw corner lifted by its height and by the storeys
// above the ground floor. None without a picture for its frame.
std::optional<PictureRect> PictureOf(const UnitHead& u, const AnimSlot& slot, int lift) {
    const VffImage* image = UnitFrameImage(slot, u.frame);
    if (image == nullptr) return std::nullopt;
    const int top = u.drawY - static_cast<int>(u.height) - lift;
    return PictureRect{u.drawX, top, u.drawX + image->width - 1, top + image->height - 1};
}

std::optional<PictureRect> PictureOf(const Fahrzeug& v) {
    return PictureOf(v, FahrzeugAnim(v), 0);
}

std::optional<PictureRect> PictureOf(const Person& p) {
    const int lift = p.storey > 1 ? kStoreyHeight * (p.storey - 1) : 0;
    return PictureOf(p, PersonAnimSlot(p.type, p.direction, p.anim), lift);
}

bool Touches(const SelectionBox& box, const std::optional<PictureRect>& r) {
    return r.has_value() && box.left <= r->right && r->left <= box.right && box.top <= r->bottom &&
           r->top <= box.bottom;
}

bool IsLeaderTyp(std::int8_t type) {
    return type >= 0 && type <= kLastLeaderTyp;
}

bool IsLed(const Person& p) {
    return (p.moverFlags & kMoverLed) != 0;
}

// The index of the person that the link names as led by this one; -1 for any other link.
std::int32_t LeadsIndex(const Person& p) {
    const PersonLink link = DecodePersonLink(p.link);
    return link.kind == PersonLinkKind::Leads ? link.index : -1;
}

// The person a leader of type 0..3 leads, while it is led; null for anyone else.
Person* LedPartner(const Person& leader) {
    if (!IsLeaderTyp(leader.type)) return nullptr;
    Person* led = UsedPersonAt(LeadsIndex(leader));
    return led != nullptr && IsLed(*led) ? led : nullptr;
}

// The leader of type 0..3 of a led person; null for anyone else.
Person* LeadingPartner(const Person& led) {
    if (!IsLed(led)) return nullptr;
    Person* leader = LinkedPartner(led.link);
    return leader != nullptr && IsLeaderTyp(leader->type) ? leader : nullptr;
}

std::uint16_t PersonMode(std::int8_t type) {
    return static_cast<std::uint16_t>(kPersonSelected + type);
}

void SelectSeveral() {
    SelectionMode = kSeveralSelected;
    SelectedIndex = 65535;
}

// One drag of the box: the units it touches, in index order, vehicles first.
class BoxScan {
  public:
    explicit BoxScan(const SelectionBox& box) : box_(box) {
        // One person of type 0 selected: the box gathers a group around it, its leader.
        if (SelectionMode == PersonMode(kGroupLeaderTyp) || SelectionMode == kBoxGroupSelected) {
            Person* p = UsedPersonAt(SelectedIndex);
            if (p != nullptr && p->type == kGroupLeaderTyp) leader_ = p;
        }
        if (leader_ != nullptr) SelectionMode = kBoxGroupSelected;
    }

    void run() {
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
            Fahrzeug& v = Fahrzeuge[i];
            if (v.type >= 0 && v.targetable != 0 && v.storey >= kLowestBoxLayer && v.present != 0 &&
                Touches(box_, PictureOf(v)))
                hitFahrzeug(static_cast<std::uint16_t>(i), v);
        }
        for (std::size_t i = 0; i < Personen.size(); ++i) {
            Person& p = Personen[i];
            if (p.type >= 0 && p.targetable != 0 && p.offMap == 0 && p.present != 0 &&
                p.storey >= 0 && Touches(box_, PictureOf(p)))
                hitPerson(static_cast<std::uint16_t>(i), p);
        }
        if (!hit_) {
            // Nothing caught: the selection stays as it was, a group's leader included.
            SelectionMode = oldMode_;
            return;
        }
        if (speaker_ >= 0)
            SayPhrase(SelectionMode == kTypF203 ? kPhraseHelicopter : kPhraseSelected, speaker_);
        if (leader_ != nullptr) reduceGroup();
    }

  private:
    // The first unit caught replaces the selection; a group keeps its leader.
    void firstHit() {
        if (hit_) return;
        hit_ = true;
        for (Fahrzeug& v : Fahrzeuge) v.selected = 0;
        for (Person& p : Personen) p.selected = 0;
        if (leader_ != nullptr) {
            leader_->selected = 1;
            count_ = 1;
        } else {
            SelectionMode = kNoSelection;
            SelectedIndex = 65535;
        }
    }

    void hitFahrzeug(std::uint16_t index, Fahrzeug& v) {
        firstHit();
        ++count_;
        v.selected = 1;
        speaker_ = FahrzeugTypOf(v).speaker;
        if (leader_ != nullptr) return;
        if (SelectionMode == kNoSelection) {
            SelectionMode = static_cast<std::uint16_t>(v.type);
            SelectedIndex = index;
        } else {
            SelectSeveral();
        }
    }

    void hitPerson(std::uint16_t index, Person& p) {
        firstHit();
        p.selected = 1;
        if (&p != leader_) ++count_;
        // A leader and the person it leads are taken together.
        if (Person* led = LedPartner(p)) led->selected = 1;
        Person* leading = LeadingPartner(p);
        if (leading != nullptr) leading->selected = 1;
        if (p.casualty == 0 && !IsLed(p)) speaker_ = PersonTypOf(p).speaker;
        if (leader_ != nullptr) return;
        if (SelectionMode == kNoSelection) {
            SelectedIndex = index;
            if (p.casualty != 0) {
                SelectionMode = kCasualtySelected;
                PlayPersonSound(index, kSoundCasualtySelected);
            } else if (leading != nullptr) {
                SelectionMode = PersonMode(leading->type);
                SelectedIndex = static_cast<std::uint16_t>(leading - Personen.data());
            } else {
                SelectionMode = PersonMode(p.type);
            }
            return;
        }
        // A leader of type 0..3 and the person it leads stay one selection.
        const std::int16_t mode = SignedSelectionMode();
        const Person* selected = UsedPersonAt(SelectedIndex);
        if (mode < PersonMode(0) || mode > PersonMode(kLastLeaderTyp) || selected == nullptr) {
            SelectSeveral();
            return;
        }
        if (selected != &p && LeadsIndex(*selected) != index) SelectSeveral();
    }

    // A group whose box caught persons inside houses becomes those persons, all but at most one
    // of the units being such persons; else the persons inside drop out of it.
    void reduceGroup() {
        int upstairs = 0;
        std::size_t last = 0;
        for (std::size_t i = 0; i < Personen.size(); ++i) {
            const Person& p = Personen[i];
            if (p.type < 0 || p.selected == 0 || p.storey <= 0) continue;
            ++upstairs;
            last = i;
        }
        if (upstairs > 0 && upstairs > count_ - 2) {
            if (Touches(box_, PictureOf(*leader_))) {
                SelectSeveral();
                return;
            }
            leader_->selected = 0;
            const Person& l = Personen[last];
            if (upstairs == 1) {
                SelectionMode = l.casualty != 0 ? kCasualtySelected : PersonMode(l.type);
                SelectedIndex = static_cast<std::uint16_t>(last);
            } else if (upstairs == 2 && PairedWithSelected(l)) {
                SelectionMode = PersonMode(l.type);
                SelectedIndex = static_cast<std::uint16_t>(last);
            } else {
                SelectSeveral();
            }
            return;
        }
        for (Person& p : Personen) {
            if (p.type < 0 || p.selected == 0 || p.storey <= 0) continue;
            p.selected = 0;
            --count_;
        }
        if (count_ == 0) {
            SelectionMode = oldMode_;
        } else if (count_ == 1) {
            SelectionMode = PersonMode(kGroupLeaderTyp);
        } else if (count_ == 2) {
            const Person* led = UsedPersonAt(LeadsIndex(*leader_));
            if (led != nullptr && led->selected != 0) SelectionMode = PersonMode(kGroupLeaderTyp);
        }
    }

    // Whether the person leads a selected person or is led by a selected one.
    static bool PairedWithSelected(const Person& p) {
        const Person* led = LedPartner(p);
        const Person* leading = LeadingPartner(p);
        return (led != nullptr && led->selected != 0) ||
               (leading != nullptr && leading->selected != 0);
    }

    const SelectionBox& box_;
    const std::uint16_t oldMode_ = SelectionMode;
    Person* leader_ = nullptr;
    bool hit_ = false;
    int count_ = 0;
    std::int8_t speaker_ = -1;
};

}  // namespace

void SelectInBox(const SelectionBox& box) {
    BoxScan scan(box);
    scan.run();
}

}  // namespace kv
