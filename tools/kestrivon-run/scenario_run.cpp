#include "scenario_run.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/view.h"
#include "mission/mission_checksum.h"
#include "mission_run.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/karte_wege.h"
#include "screens/save_game.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::run {

namespace {

constexpr std::int32_t kSilent = -1;
constexpr std::int8_t kThrowerTyp = 32;
// The two clubs' fighters.
constexpr std::int8_t kFighterTyp = 41;
constexpr std::int8_t kRivalFighterTyp = 43;
// The hall or the yard of a base.
constexpr std::int8_t kStoreyInBase = -5;

// The houses of the file's "house" lines, placed by the mission's house set-up after its own:
// the runner stands in for the set-up and calls the mission's own first.
struct ScenarioHouse {
    std::uint8_t type = 0;
    std::int16_t column = 0;
    std::int16_t row = 0;
};
std::vector<ScenarioHouse> g_houses;
void (*g_missionInitHouses)() = nullptr;
std::size_t g_firstHouse = 0;

void InitHousesWithScenarioHouses() {
    g_missionInitHouses();
    g_firstHouse = Houses.size();
    HouseCount = static_cast<std::int16_t>(Houses.size() + g_houses.size());
    Houses.resize(static_cast<std::size_t>(HouseCount));
    // A scenario's house may be marked for evacuation.
    for (const ScenarioHouse& h : g_houses) AddHouse(h.type, h.column, h.row, 0, 0, 1);
}

// A command's failure: the status and what to say.
struct Failure {
    int status = kScenarioDone;
    std::string what;
};

std::string Format(const char* format, auto... values) {
    const int size = std::snprintf(nullptr, 0, format, values...);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

std::string OrderText(const UnitHead& unit) {
    const int opcode = HeadBefehlOpcode(unit);
    return opcode < 0 ? std::string("-") : std::to_string(opcode);
}

// The main loop's pace: a frame is due once more than 50 ms have passed.
constexpr std::uint32_t kFrameMs = 51;

class ScenarioRunner {
  public:
    ScenarioRunner(std::string_view name, HeadlessBackend& backend)
        : name_(name), backend_(backend) {}

    int run(const Scenario& scenario) {
        for (const ScenarioCommand& c : scenario.commands) {
            const Failure f = execute(c);
            if (f.status == kScenarioDone) continue;
            // Each line of the message names the file and the line.
            std::size_t start = 0;
            while (start < f.what.size()) {
                std::size_t end = f.what.find('\n', start);
                if (end == std::string::npos) end = f.what.size();
                std::fprintf(stderr, "%.*s:%d: %.*s\n", static_cast<int>(name_.size()),
                             name_.data(), c.line, static_cast<int>(end - start),
                             f.what.data() + start);
                start = end + 1;
            }
            return f.status;
        }
        return kScenarioDone;
    }

  private:
    static Failure refused(std::string what) { return {kScenarioRefused, std::move(what)}; }
    static Failure failed(std::string what) { return {kScenarioFailed, std::move(what)}; }
    static Failure gameFailed(const std::string& what) {
        return what.empty() ? Failure{} : failed(what);
    }

    // The lines of state and cell are kept for the expect lines after them.
    void print(std::string line) {
        std::printf("%s\n", line.c_str());
        printed_.push_back(std::move(line));
    }
    void startPrinting() { printed_.clear(); }
    static void announce(const char* kind, std::int16_t index) {
        std::printf("%s %d\n", kind, static_cast<int>(index));
    }

    Failure execute(const ScenarioCommand& c) {
        const std::vector<double>& n = c.numbers;
        const auto whole = [&n](std::size_t k) { return static_cast<std::int32_t>(n[k]); };
        switch (c.verb) {
            case Verb::Mission:
                return mission(whole(0));
            case Verb::House:
                g_houses.push_back({static_cast<std::uint8_t>(whole(0)),
                                    static_cast<std::int16_t>(whole(1)),
                                    static_cast<std::int16_t>(whole(2))});
                return {};
            case Verb::Seed:
                SeedRandom(static_cast<std::uint32_t>(n[0]));
                return {};
            case Verb::Empty:
                empty();
                return {};
            case Verb::Person:
                return person(whole(0), whole(1), whole(2), n.size() > 3 ? whole(3) : 0,
                              n.size() > 4 ? whole(4) : 0);
            case Verb::Vehicle:
                return vehicle(whole(0), whole(1), whole(2), n.size() > 3 ? whole(3) : 0);
            case Verb::Bought:
                return bought(whole(0), n.size() > 1 ? whole(1) : 0);
            case Verb::Object:
                return object(whole(0), whole(1), whole(2));
            case Verb::Seat:
                return seat(whole(0), whole(1));
            case Verb::Contaminate:
                return contaminate(whole(0), whole(1));
            case Verb::Order:
            case Verb::Append:
                return order(c);
            case Verb::Goals:
                return goals(c);
            case Verb::Ignite:
                return ignite(whole(0), whole(1));
            case Verb::Heat:
                if (!CellInMap(whole(0), whole(1))) return outsideMap(whole(0), whole(1));
                PassHeatToMapCell(whole(0), whole(1), whole(2));
                return {};
            case Verb::Tick:
                for (std::int32_t t = 0; t < whole(0); ++t)
                    if (Failure f = gameFailed(RunTick()); f.status != kScenarioDone) return f;
                return {};
            case Verb::Frame:
                return frames(whole(0));
            case Verb::Mouse:
                input(WM_MOUSEMOVE, 0, whole(0), whole(1));
                return {};
            case Verb::Press:
                input(WM_LBUTTONDOWN, MK_LBUTTON, whole(0), whole(1));
                return {};
            case Verb::Release:
                input(WM_LBUTTONUP, 0, whole(0), whole(1));
                return {};
            case Verb::RPress:
                input(WM_RBUTTONDOWN, MK_RBUTTON, whole(0), whole(1));
                return {};
            case Verb::Key:
                input(WM_KEYDOWN, static_cast<WParam>(whole(0)), 0, 0);
                return {};
            case Verb::KeyUp:
                input(WM_KEYUP, static_cast<WParam>(whole(0)), 0, 0);
                return {};
            case Verb::Select:
                return select(c);
            case Verb::Player:
                return player(c);
            case Verb::Hover:
                // As the world drawing records it; a drawn frame records it afresh.
                HoverKind = static_cast<std::uint16_t>(whole(0));
                for (std::size_t k = 0; k < HoverIds.size(); ++k)
                    HoverIds[k] = static_cast<std::uint16_t>(n.size() > k + 1 ? whole(k + 1) : 0);
                return {};
            case Verb::State:
                state();
                return {};
            case Verb::Cell:
                return cell(whole(0), whole(1));
            case Verb::Expect:
                return expect(c.words);
            case Verb::Save:
                return save(whole(0));
            case Verb::Load:
                return load(whole(0));
            case Verb::ChecksumKeep:
                keptChecksum_ = MissionChecksum();
                return {};
            case Verb::ChecksumSame:
                return checksumSame();
        }
        return {};
    }

    // The mission starts with the file's houses after its own; each is announced with its
    // index.
    static Failure mission(int number) {
        MissionHooks* row = MissionHookRow(number);
        if (!g_houses.empty() && row != nullptr && row->InitHouses != nullptr) {
            g_missionInitHouses = row->InitHouses;
            row->InitHouses = InitHousesWithScenarioHouses;
        }
        if (Failure f = gameFailed(StartMissionRun(number)); f.status != kScenarioDone) return f;
        for (std::size_t i = g_firstHouse; i < g_firstHouse + g_houses.size(); ++i) {
            if (i >= Houses.size() || PlacedHouse(static_cast<int>(i)) == nullptr)
                return refused("every house slot is taken");
            announce("house", static_cast<std::int16_t>(i));
        }
        return {};
    }

    // What the mission's own set-up placed goes, and no traffic comes any more.
    static void empty() {
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
        for (std::size_t i = 0; i < SonderObjs.size(); ++i)
            if (SonderObjs[i].type != -1) FreeSonderObjSlot(static_cast<int>(i));
        FreeZFWege();
    }

    // Throwers and fighters are made as the missions make them; any other type then takes a
    // thrower's place without a controller, as the player's own staff stand. Its type is loaded
    // and the person reset, as the mission's person set-up does.
    Failure person(std::int32_t type, std::int32_t x, std::int32_t y, std::int32_t storey,
                   std::int32_t direction) {
        if (FindFreePerson() < 0) return refused("every person slot is taken");
        const bool fighter = type == kFighterTyp || type == kRivalFighterTyp;
        const std::int8_t made = fighter ? static_cast<std::int8_t>(type) : kThrowerTyp;
        const bool resetAlready = PersonTypLoaded(made);
        const auto px = static_cast<std::int16_t>(x);
        const auto py = static_cast<std::int16_t>(y);
        const auto dir = static_cast<std::uint8_t>(direction);
        const std::int16_t index =
            fighter ? CreateScriptPerson(made, px, py, static_cast<std::uint8_t>(storey), dir)
                    : CreatePersonAt(px, py, static_cast<std::int8_t>(storey), dir);
        if (index < 0)
            return refused(Format("(%d, %d) on storey %d is no place for a person", x, y, storey));
        Person& p = Personen[static_cast<std::size_t>(index)];
        if (type != made) {
            p.type = static_cast<std::int8_t>(type);
            p.controlFlags = 0;
        }
        if (type != made || !resetAlready) {
            LoadPersonTyp(static_cast<std::int16_t>(type));
            if (FatalErrorRaised()) return failed(FatalErrorMessage());
            ResetPerson(index);
        }
        announce("person", index);
        return {};
    }

    Failure vehicle(std::int32_t type, std::int32_t x, std::int32_t y, std::int32_t direction) {
        const std::int16_t index = CreateFahrzeug(type, static_cast<std::int16_t>(x),
                                                  static_cast<std::int16_t>(y), direction);
        if (index < 0) return refused("every vehicle slot is taken");
        LoadFahrzeugTyp(static_cast<std::int16_t>(type));
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        // The owner the creation gave it: the mission's.
        SetupFahrzeug(index, Fahrzeuge[static_cast<std::size_t>(index)].controlFlags);
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        announce("vehicle", index);
        return {};
    }

    // A vehicle as the purchase at a base leaves it: bought, still inside the base (storey -5) at
    // the mission's entry point, and setting off on the base's campaign-map road.
    Failure bought(std::int32_t type, std::int32_t base) {
        const MapEntryPoint& entry = type == kTypF115 ? WaterEntry : RoadEntry;
        // The stations drive their vehicles out facing 7; the helicopter and the aircraft face 3.
        const std::int32_t facing = type == kTypF203 || type == kTypF111 ? 3 : 7;
        const std::int16_t index = CreateFahrzeug(type, entry.x, entry.y, facing);
        if (index < 0) return refused("every vehicle slot is taken");
        LoadFahrzeugTyp(static_cast<std::int16_t>(type));
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        SetupFahrzeug(index, kOwnerBought);
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        Fahrzeuge[static_cast<std::size_t>(index)].storey = kStoreyInBase;
        PlaceFahrzeugOnKarte(index, static_cast<std::int16_t>(base));
        announce("vehicle", index);
        return {};
    }

    Failure object(std::int32_t type, std::int32_t x, std::int32_t y) {
        const SonderObjTyp* t = SonderObjTypAt(type);
        if (t == nullptr || t->frames == nullptr || t->objectSet == 0)
            return refused(Format("object type %d is not loaded in this mission", type));
        const std::int16_t slot = FindFreeSonderObj();
        if (slot < 0) return refused("every special-object slot is taken");
        // Solid on every side, as a free slot is.
        constexpr std::uint8_t kSolid = 15;
        CreateSonderObj(slot, type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                        kSolid, 0, 0.0f, 0);
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        announce("object", slot);
        return {};
    }

    // A person of the type, without a controller as the staff are, inside the vehicle in its
    // next free seat.
    Failure seat(std::int32_t vehicle, std::int32_t type) {
        Fahrzeug* v = UsedFahrzeugAt(vehicle);
        if (v == nullptr) return refused(Format("vehicle %d is not in use", vehicle));
        const auto free = std::find(v->seats.begin(), v->seats.end(), kNoPerson);
        if (free == v->seats.end()) return refused(Format("vehicle %d has no free seat", vehicle));
        const std::int16_t index = FindFreePerson();
        if (index < 0) return refused("every person slot is taken");
        Person& p = PlacePerson(index, static_cast<std::int8_t>(type), v->x, v->y, 0);
        p.controlFlags = 0;
        LoadPersonTyp(static_cast<std::int16_t>(type));
        if (FatalErrorRaised()) return failed(FatalErrorMessage());
        ResetPerson(index);
        p.offMap = 1;
        *free = static_cast<std::uint16_t>(index);
        announce("person", index);
        return {};
    }

    static Failure contaminate(std::int32_t index, std::int32_t kind) {
        Person* p = UsedPersonAt(index);
        if (p == nullptr) return refused(Format("person %d is not in use", index));
        p->contamination = static_cast<std::uint8_t>(kind);
        p->exposure = 0;
        return {};
    }

    struct Target {
        UnitHead* unit = nullptr;
        const UnitTypHead* type = nullptr;
    };

    static Target target(const ScenarioCommand& c) {
        const std::int32_t index = static_cast<std::int32_t>(c.numbers[0]);
        if (c.kind == UnitKind::Person) {
            Person* p = PersonAt(index);
            if (p == nullptr || p->type == -1) return {};
            return {p, &PersonTypOf(*p)};
        }
        Fahrzeug* v = UsedFahrzeugAt(index);
        if (v == nullptr) return {};
        return {v, &FahrzeugTypOf(*v)};
    }

    static Failure notInUse(const ScenarioCommand& c) {
        return refused(Format("%s %d is not in use",
                              c.kind == UnitKind::Person ? "person" : "vehicle",
                              static_cast<int>(c.numbers[0])));
    }

    // The order is built from whole numbers as the queue builds it; the arguments that the
    // opcode keeps as f32 then get their exact values, fractions included.
    static void StoreRealArguments(Befehl& order, const std::vector<double>& n) {
        const BefehlForm form = BefehlOpcode(order.opcode).form;
        if (form == BefehlForm::Raw) return;
        order.setA(static_cast<float>(n[2]));
        order.setB(static_cast<float>(n[3]));
        if (form == BefehlForm::Turn) return;
        order.setC(static_cast<float>(n[4]));
        order.setD(static_cast<float>(n[5]));
        if (form == BefehlForm::Route) {
            order.finalX = order.aFloat();
            order.finalY = order.bFloat();
        }
    }

    static Failure order(const ScenarioCommand& c) {
        const Target t = target(c);
        if (t.unit == nullptr) return notInUse(c);
        const std::vector<double>& n = c.numbers;
        const auto opcode = static_cast<std::uint8_t>(n[1]);
        const auto arg = [&n](std::size_t k) { return static_cast<std::int32_t>(n[k]); };
        const auto e = static_cast<std::uint32_t>(n[6]);
        if (c.verb == Verb::Order) {
            SetBefehl(*t.unit, *t.type, opcode, kSilent, arg(2), arg(3), arg(4), arg(5), e);
        } else {
            AppendBefehl(*t.unit, opcode, arg(2), arg(3), arg(4), arg(5), e);
        }
        Befehl* last = t.unit->orders;
        while (last != nullptr && last->next != nullptr) last = last->next;
        if (last != nullptr) StoreRealArguments(*last, n);
        return {};
    }

    // Input waits in the window's queue and reaches the window procedure before the next frame.
    void input(std::uint32_t message, WParam wParam, std::int32_t x, std::int32_t y) {
        backend_.inject(message, wParam, MakeLParam(x, y));
    }

    // Frames of whatever game mode runs, each after the input that waits, on the main loop's clock.
    // The shown frames are not kept.
    Failure frames(std::int32_t n) {
        // Frame 0 only hands the waiting input over, as the loop does before its next frame.
        if (n == 0) DrainMessages();
        for (std::int32_t k = 0; k < n; ++k) {
            DrainMessages();
            if (FatalErrorRaised()) return failed(FatalErrorMessage());
            if (const FrameFunction frame = HandlersFor(GameMode).frame) frame();
            backend_.advance(kFrameMs);
            backend_.clearFrames();
            if (FatalErrorRaised()) return failed(FatalErrorMessage());
        }
        return {};
    }

    static Failure select(const ScenarioCommand& c) {
        const Target t = target(c);
        if (t.unit == nullptr) return notInUse(c);
        t.unit->selected = 1;
        UpdateSelectionMode();
        return {};
    }

    // The flags the player's own units carry: the mission's creation leaves them clear.
    static Failure player(const ScenarioCommand& c) {
        const Target t = target(c);
        if (t.unit == nullptr) return notInUse(c);
        t.unit->targetable = 1;
        t.unit->selectable = 1;
        return {};
    }

    // The goals carry no facing; opcode 5 carries no callback (slot -1 names none).
    static Failure goals(const ScenarioCommand& c) {
        const Target t = target(c);
        if (t.unit == nullptr) return notInUse(c);
        GoalList list;
        for (std::size_t k = 2; k + 1 < c.numbers.size(); k += 2)
            list.push_back({static_cast<float>(c.numbers[k]), static_cast<float>(c.numbers[k + 1]),
                            kGoalNoFacing, 0});
        const auto opcode = static_cast<std::uint8_t>(c.numbers[1]);
        const std::int32_t callback = opcode == kOpGoalsCallback ? -1 : 0;
        SetBefehl(*t.unit, *t.type, opcode, kSilent, std::move(list), callback, 0, 0);
        return {};
    }

    static Failure outsideMap(std::int32_t column, std::int32_t row) {
        return refused(Format("cell (%d, %d) lies outside the %u x %u map", column, row,
                              static_cast<unsigned>(MapWidth), static_cast<unsigned>(MapHeight)));
    }

    static Failure ignite(std::int32_t column, std::int32_t row) {
        if (!CellInMap(column, row)) return outsideMap(column, row);
        if (!IgniteMapCellAt(column, row))
            return refused(Format("cell (%d, %d) has nothing that can burn", column, row));
        return {};
    }

    // Persons and vehicles share the head the line is made of; a contaminated person says so at
    // the end of its line.
    template <class Unit>
    void printUnits(const char* kind, const std::vector<Unit>& units) {
        for (std::size_t i = 0; i < units.size(); ++i) {
            const UnitHead& u = units[i];
            if (u.type == -1) continue;
            std::string line =
                Format("%s %zu type %d at %.2f %.2f storey %d energy %" PRId32 " order %s anim %d",
                       kind, i, u.type, static_cast<double>(u.x), static_cast<double>(u.y),
                       u.storey, u.energy, OrderText(u).c_str(), u.anim);
            if constexpr (std::is_same_v<Unit, Person>) {
                if (units[i].contamination != 0)
                    line += Format(" contamination %d", units[i].contamination);
            }
            print(std::move(line));
        }
    }

    void state() {
        startPrinting();
        printUnits("person", Personen);
        printUnits("vehicle", Fahrzeuge);
        for (std::size_t i = 0; i < SonderObjs.size(); ++i) {
            const SonderObj& o = SonderObjs[i];
            if (o.type == -1) continue;
            const std::string command =
                o.commands != nullptr ? std::to_string(o.commands->kind) : std::string("-");
            print(Format("object %zu type %d at %.2f %.2f storey %d heat %" PRId32
                         " command %s frame %d",
                         i, o.type, static_cast<double>(o.x), static_cast<double>(o.y), o.storey,
                         o.heat, command.c_str(), o.frame));
        }
        print(Format("counters dead %u injured %u cells %u houses %u objects %u",
                     unsigned{ToteCount}, unsigned{VerletzteCount}, unsigned{BurningCellCount},
                     unsigned{BurningHouseCount}, unsigned{BurningSonderObjCount}));
        print(Format(
            "screen mode %u view %d %d selection %u %u cursor %u hover %u %u %u %u %u "
            "tick %u",
            static_cast<unsigned>(GameMode), ViewOrigin.x, ViewOrigin.y, unsigned{SelectionMode},
            unsigned{SelectedIndex}, unsigned{CursorId}, unsigned{HoverKind}, unsigned{HoverIds[0]},
            unsigned{HoverIds[1]}, unsigned{HoverIds[2]}, unsigned{HoverIds[3]},
            static_cast<unsigned>(TickCounter)));
        // An empty message line leaves nothing after the word.
        std::string mission = Format("mission mode %u message", unsigned{GameMode});
        const std::string message = Cp1252ToUtf8(MessageLine.data());
        if (!message.empty()) mission += ' ' + message;
        print(std::move(mission));
    }

    Failure cell(std::int32_t column, std::int32_t row) {
        if (!CellInMap(column, row)) return outsideMap(column, row);
        const auto index = static_cast<std::size_t>(CellIndex(column, row));
        const MapCell& m = MapCells[index];
        const BrandState& s = BrandStates[index];
        startPrinting();
        print(Format("cell %d %d terrain %u material %u burning %u heat %" PRId32, column, row,
                     unsigned{m.terrain}, unsigned{m.material}, unsigned{s.burning}, s.heat));
        return {};
    }

    // As the save screen does on Enter, under the slot's number as its name.
    static Failure save(int slot) {
        const bool saved = WriteSaveSlot(slot - 1, std::to_string(slot));
        std::printf("%s %d\n", saved ? "saved" : "refused", slot);
        return {};
    }

    // As the load screen does on a click: the header, then the mission rebuilt and the file read
    // over it. The file holds no random state, so the generator goes on as it stood.
    static Failure load(int slot) {
        if (!ReadSaveSlotInfo(slot - 1) || !ReadSaveHeader(slot - 1)) {
            std::printf("refused %d\n", slot);
            return {};
        }
        const std::uint32_t seed = RandomSeed();
        const bool loaded = LoadMissionRun(slot - 1);
        SeedRandom(seed);
        if (Failure f = gameFailed(LastRunError()); f.status != kScenarioDone) return f;
        std::printf("%s %d\n", loaded ? "loaded" : "refused", slot);
        return {};
    }

    Failure checksumSame() const {
        const std::uint64_t now = MissionChecksum();
        if (now == keptChecksum_) {
            std::printf("checksum same\n");
            return {};
        }
        return failed(Format("checksum kept %016" PRIx64 ", now %016" PRIx64, keptChecksum_, now));
    }

    // The line of the last print-out with the same first two words must have the same words.
    Failure expect(const std::vector<std::string>& words) {
        std::string wanted;
        for (const std::string& w : words) {
            if (!wanted.empty()) wanted += ' ';
            wanted += w;
        }
        const std::string key = LineKey(wanted);
        for (const std::string& line : printed_) {
            if (LineKey(line) != key) continue;
            if (line == wanted) return {};
            return failed(Format("expected: %s\nprinted:  %s", wanted.c_str(), line.c_str()));
        }
        return failed(
            Format("expected: %s\nprinted:  no line begins \"%s\"", wanted.c_str(), key.c_str()));
    }

    std::string_view name_;
    HeadlessBackend& backend_;
    std::vector<std::string> printed_;
    std::uint64_t keptChecksum_ = 0;  // the reader lets no "same" come before a "keep"
};

}  // namespace

int RunScenario(const Scenario& scenario, std::string_view name, HeadlessBackend& backend) {
    ScenarioRunner runner(name, backend);
    return runner.run(scenario);
}

}  // namespace kv::run
