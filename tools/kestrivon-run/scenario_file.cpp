#include "scenario_file.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <span>

#include "movement/befehl_opcodes.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/house_types.h"

namespace kv::run {

namespace {

enum class Form : std::uint8_t { Whole, Real };

struct Arg {
    const char* name;
    Form form;
    double min;
    double max;
};

constexpr double kI16Min = -32768;
constexpr double kI16Max = 32767;
constexpr double kI32Min = -2147483648.0;
constexpr double kI32Max = 2147483647.0;
constexpr double kU32Max = 4294967295.0;
constexpr double kRealMax = 1e9;

constexpr Arg kX{"X", Form::Whole, kI16Min, kI16Max};
constexpr Arg kY{"Y", Form::Whole, kI16Min, kI16Max};
constexpr Arg kDir{"DIR", Form::Whole, 0, 11};
constexpr Arg kCol{"COL", Form::Whole, kI32Min, kI32Max};
constexpr Arg kRow{"ROW", Form::Whole, kI32Min, kI32Max};
constexpr Arg kIndex{"INDEX", Form::Whole, 0, kI16Max};
constexpr Arg kOpcode{"OPCODE", Form::Whole, 0, 255};
constexpr Arg kScreenX{"X", Form::Whole, 0, 799};
constexpr Arg kScreenY{"Y", Form::Whole, 0, 599};
constexpr Arg kKeyCode{"CODE", Form::Whole, 0, 255};

constexpr std::size_t kMaxArgs = 5;

struct VerbRow {
    std::string_view word;
    Verb verb;
    std::string_view usage;
    std::size_t required;
    std::size_t count;
    std::array<Arg, kMaxArgs> args;
};

// The commands with a fixed list of numbers. order, append, goals, select, player and expect are
// read apart.
constexpr std::array<VerbRow, 25> kPlainVerbs = {{
    {"mission", Verb::Mission, "N", 1, 1, {{{"N", Form::Whole, 1, 30}}}},
    {"seed", Verb::Seed, "S", 1, 1, {{{"S", Form::Whole, 0, kU32Max}}}},
    {"house",
     Verb::House,
     "TYPE COL ROW",
     3,
     3,
     {{{"TYPE", Form::Whole, 0, kHouseTypCount - 1},
       {"COL", Form::Whole, kI16Min, kI16Max},
       {"ROW", Form::Whole, kI16Min, kI16Max}}}},
    {"empty", Verb::Empty, "", 0, 0, {}},
    {"person",
     Verb::Person,
     "TYPE X Y [STOREY [DIR]]",
     3,
     5,
     {{{"TYPE", Form::Whole, 0, kPersonTypCount - 1},
       kX,
       kY,
       {"STOREY", Form::Whole, -128, 127},
       kDir}}},
    {"vehicle",
     Verb::Vehicle,
     "TYPE X Y [DIR]",
     3,
     4,
     {{{"TYPE", Form::Whole, 0, kFahrzeugTypCount - 1}, kX, kY, kDir}}},
    {"bought",
     Verb::Bought,
     "TYPE [BASE]",
     1,
     2,
     {{{"TYPE", Form::Whole, 0, kFahrzeugTypCount - 1}, {"BASE", Form::Whole, 0, 5}}}},
    {"object", Verb::Object, "TYPE X Y", 3, 3, {{{"TYPE", Form::Whole, 0, kI16Max}, kX, kY}}},
    {"seat",
     Verb::Seat,
     "VEHICLE TYPE",
     2,
     2,
     {{{"VEHICLE", Form::Whole, 0, kI16Max}, {"TYPE", Form::Whole, 0, kPersonTypCount - 1}}}},
    {"contaminate",
     Verb::Contaminate,
     "PERSON KIND",
     2,
     2,
     {{{"PERSON", Form::Whole, 0, kI16Max}, {"KIND", Form::Whole, 0, 2}}}},
    {"ignite", Verb::Ignite, "COL ROW", 2, 2, {{kCol, kRow}}},
    {"heat", Verb::Heat, "COL ROW H", 3, 3, {{kCol, kRow, {"H", Form::Whole, kI32Min, kI32Max}}}},
    {"tick", Verb::Tick, "N", 1, 1, {{{"N", Form::Whole, 0, 100000000}}}},
    {"frame", Verb::Frame, "N", 1, 1, {{{"N", Form::Whole, 0, 1000000}}}},
    {"mouse", Verb::Mouse, "X Y", 2, 2, {{kScreenX, kScreenY}}},
    {"press", Verb::Press, "X Y", 2, 2, {{kScreenX, kScreenY}}},
    {"release", Verb::Release, "X Y", 2, 2, {{kScreenX, kScreenY}}},
    {"rpress", Verb::RPress, "X Y", 2, 2, {{kScreenX, kScreenY}}},
    {"key", Verb::Key, "CODE", 1, 1, {{kKeyCode}}},
    {"keyup", Verb::KeyUp, "CODE", 1, 1, {{kKeyCode}}},
    {"hover",
     Verb::Hover,
     "KIND [ID1 ID2 ID3 ID4]",
     1,
     5,
     {{{"KIND", Form::Whole, 0, 65535},
       {"ID1", Form::Whole, 0, 65535},
       {"ID2", Form::Whole, 0, 65535},
       {"ID3", Form::Whole, 0, 65535},
       {"ID4", Form::Whole, 0, 65535}}}},
    {"state", Verb::State, "", 0, 0, {}},
    {"cell", Verb::Cell, "COL ROW", 2, 2, {{kCol, kRow}}},
    {"save", Verb::Save, "N", 1, 1, {{{"N", Form::Whole, 1, 12}}}},
    {"load", Verb::Load, "N", 1, 1, {{{"N", Form::Whole, 1, 12}}}},
}};

// What the commands read apart take.
constexpr std::string_view kOrderUsage = "KIND INDEX OPCODE [A B C D E]";
constexpr std::string_view kGoalsUsage = "KIND INDEX OPCODE X1 Y1 [X2 Y2 ...]";
constexpr std::string_view kUnitUsage = "KIND INDEX";

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t end = i;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r')
            ++end;
        if (end > i) words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

// Strings joined by appending: the optimiser reads chains of operator+ on literals as
// overlapping copies.
template <class... Parts>
std::string Cat(const Parts&... parts) {
    std::string s;
    (s.append(std::string_view(parts)), ...);
    return s;
}

bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Reads the file one line at a time and keeps the first error.
class Reader {
  public:
    Reader(std::string_view name, std::string& error) : name_(name), error_(error) {}

    bool fail(int line, const std::string& what) {
        error_ = Cat(name_, ":", std::to_string(line), ": ", what);
        return false;
    }

    // A number as its argument wants it: decimal, a fraction only for a real, within the range.
    bool number(int line, std::string_view word, const Arg& arg, double& out) {
        const std::string_view digits = word.substr(word.starts_with('-') ? 1 : 0);
        const std::size_t point = digits.find('.');
        const bool wellFormed =
            point == std::string_view::npos
                ? IsDigits(digits)
                : IsDigits(digits.substr(0, point)) && IsDigits(digits.substr(point + 1));
        const std::string quoted = Cat("\"", word, "\"");
        if (!wellFormed) return fail(line, Cat(arg.name, " ", quoted, " is not a number"));
        if (point != std::string_view::npos && arg.form == Form::Whole)
            return fail(line, Cat(arg.name, " ", quoted, " is not a whole number"));
        const auto [end, ec] =
            std::from_chars(word.data(), word.data() + word.size(), out, std::chars_format::fixed);
        if (ec != std::errc{} || end != word.data() + word.size() || out < arg.min ||
            out > arg.max) {
            char range[64];
            std::snprintf(range, sizeof range, "%.0f..%.0f", arg.min, arg.max);
            return fail(line, Cat(arg.name, " ", word, " is out of range ", range));
        }
        return true;
    }

    bool plain(int line, const VerbRow& row, std::span<const std::string_view> args,
               ScenarioCommand& c) {
        const std::string usage =
            Cat("\"", row.word, "\" takes ", row.usage.empty() ? "no numbers" : row.usage);
        if (args.size() < row.required) return fail(line, Cat("missing number: ", usage));
        if (args.size() > row.count) return fail(line, Cat("too many words: ", usage));
        for (std::size_t n = 0; n < args.size(); ++n) {
            double v = 0;
            if (!number(line, args[n], row.args[n], v)) return false;
            c.numbers.push_back(v);
        }
        const bool vehicle = row.verb == Verb::Vehicle || row.verb == Verb::Bought;
        if (vehicle && static_cast<int>(c.numbers[0]) == kTypNone)
            return fail(line, Cat("vehicle type ", std::to_string(kTypNone), " names no vehicle"));
        return true;
    }

    bool kind(int line, std::string_view word, ScenarioCommand& c) {
        if (word == "person") {
            c.kind = UnitKind::Person;
        } else if (word == "vehicle") {
            c.kind = UnitKind::Vehicle;
        } else {
            return fail(line, Cat("KIND \"", word, "\" is neither person nor vehicle"));
        }
        return true;
    }

    // order and append: the arguments in the opcode's own form, the missing ones 0.
    bool order(int line, std::string_view verb, std::span<const std::string_view> args,
               ScenarioCommand& c) {
        const std::string usage = Cat("\"", verb, "\" takes ", kOrderUsage);
        if (args.size() < 3) return fail(line, Cat("missing number: ", usage));
        if (args.size() > 8) return fail(line, Cat("too many words: ", usage));
        if (!kind(line, args[0], c)) return false;
        double index = 0;
        double opcode = 0;
        if (!number(line, args[1], kIndex, index) || !number(line, args[2], kOpcode, opcode))
            return false;
        const auto op = static_cast<std::uint8_t>(opcode);
        const std::string opText = Cat("opcode ", std::to_string(op));
        if (op == kOpGoals || op == kOpGoalsCallback)
            return fail(line, Cat(opText, " carries a goal list: give it with \"goals\""));
        if (op == 55 || op == 178)
            return fail(line, Cat(opText, " carries a point list that a scenario cannot give"));
        const BefehlForm form = BefehlOpcode(op).form;
        const Arg whole{"", Form::Whole, kI32Min, kI32Max};
        const Arg real{"", Form::Real, -kRealMax, kRealMax};
        constexpr std::array<const char*, 5> kNames = {"A", "B", "C", "D", "E"};
        c.numbers = {index, opcode, 0, 0, 0, 0, 0};
        for (std::size_t n = 3; n < args.size(); ++n) {
            const std::size_t k = n - 3;
            Arg arg = k == 4 ? Arg{"", Form::Whole, 0, kU32Max} : whole;
            if (k < 4 && (form == BefehlForm::Move || form == BefehlForm::Route ||
                          (form == BefehlForm::Turn && k < 2)))
                arg = real;
            arg.name = kNames[k];
            if (!number(line, args[n], arg, c.numbers[n - 1])) return false;
        }
        return true;
    }

    // select and player: one unit.
    bool unit(int line, std::string_view verb, std::span<const std::string_view> args,
              ScenarioCommand& c) {
        const std::string usage = Cat("\"", verb, "\" takes ", kUnitUsage);
        if (args.size() < 2) return fail(line, Cat("missing number: ", usage));
        if (args.size() > 2) return fail(line, Cat("too many words: ", usage));
        double index = 0;
        if (!kind(line, args[0], c) || !number(line, args[1], kIndex, index)) return false;
        c.numbers = {index};
        return true;
    }

    bool goals(int line, std::span<const std::string_view> args, ScenarioCommand& c) {
        const std::string usage = Cat("\"goals\" takes ", kGoalsUsage);
        if (args.size() < 5) return fail(line, Cat("missing number: ", usage));
        if (!kind(line, args[0], c)) return false;
        double index = 0;
        double opcode = 0;
        if (!number(line, args[1], kIndex, index) || !number(line, args[2], kOpcode, opcode))
            return false;
        if (opcode != kOpGoals && opcode != kOpGoalsCallback)
            return fail(line, Cat("opcode ", args[2],
                                  " takes no goal list: \"goals\" gives opcodes 2 and 5"));
        if ((args.size() - 3) % 2 != 0) return fail(line, "missing number: every X needs its Y");
        c.numbers = {index, opcode};
        for (std::size_t n = 3; n < args.size(); ++n) {
            const Arg arg{(n - 3) % 2 == 0 ? "X" : "Y", Form::Real, -kRealMax, kRealMax};
            double v = 0;
            if (!number(line, args[n], arg, v)) return false;
            c.numbers.push_back(v);
        }
        return true;
    }

  private:
    std::string_view name_;
    std::string& error_;
};

const VerbRow* PlainVerb(std::string_view word) {
    for (const VerbRow& v : kPlainVerbs)
        if (v.word == word) return &v;
    return nullptr;
}

}  // namespace

std::optional<Scenario> ReadScenario(std::string_view text, std::string_view name,
                                     std::string& error) {
    Reader reader(name, error);
    const auto refuse = [&reader](int line, const std::string& what) {
        reader.fail(line, what);
        return std::nullopt;
    };
    Scenario scenario;
    int line = 0;
    int firstMapLine = 0;  // the first command that needs the map
    std::string firstMapWord;
    int missionLine = 0;
    bool printed = false;  // a state or cell comes before
    bool checksumKept = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view content = text.substr(start, end - start);
        start = end + 1;
        ++line;
        if (const std::size_t hash = content.find('#'); hash != std::string_view::npos)
            content = content.substr(0, hash);
        const std::vector<std::string_view> words = SplitWords(content);
        if (words.empty()) continue;
        const std::string_view verb = words[0];
        const std::span<const std::string_view> args = std::span(words).subspan(1);
        ScenarioCommand c;
        c.line = line;
        if (const VerbRow* row = PlainVerb(verb)) {
            c.verb = row->verb;
            if (!reader.plain(line, *row, args, c)) return std::nullopt;
        } else if (verb == "order" || verb == "append") {
            c.verb = verb == "order" ? Verb::Order : Verb::Append;
            if (!reader.order(line, verb, args, c)) return std::nullopt;
        } else if (verb == "select" || verb == "player") {
            c.verb = verb == "select" ? Verb::Select : Verb::Player;
            if (!reader.unit(line, verb, args, c)) return std::nullopt;
        } else if (verb == "goals") {
            c.verb = Verb::Goals;
            if (!reader.goals(line, args, c)) return std::nullopt;
        } else if (verb == "checksum") {
            if (args.size() != 1 || (args[0] != "keep" && args[0] != "same"))
                return refuse(line, "\"checksum\" takes keep or same");
            c.verb = args[0] == "keep" ? Verb::ChecksumKeep : Verb::ChecksumSame;
            if (c.verb == Verb::ChecksumKeep) checksumKept = true;
            if (c.verb == Verb::ChecksumSame && !checksumKept)
                return refuse(line, "\"checksum same\" before \"checksum keep\"");
        } else if (verb == "expect") {
            c.verb = Verb::Expect;
            if (args.empty()) return refuse(line, "\"expect\" takes the words of a line");
            if (!printed)
                return refuse(line,
                              "\"expect\" has nothing to compare with: no state or cell "
                              "before it");
            for (const std::string_view w : args) c.words.emplace_back(w);
        } else {
            return refuse(line, Cat("unknown command \"", verb, "\""));
        }
        // The mission's house set-up places the houses, so they come before it starts.
        if (c.verb == Verb::House && missionLine != 0)
            return refuse(line, Cat("\"house\" must come before \"mission\" on line ",
                                    std::to_string(missionLine)));
        if (c.verb == Verb::House && firstMapLine != 0)
            return refuse(line, Cat("\"house\" must come before \"", firstMapWord, "\" on line ",
                                    std::to_string(firstMapLine), ", which starts mission 1"));
        if (c.verb == Verb::State || c.verb == Verb::Cell) printed = true;
        if (c.verb == Verb::Mission) {
            if (missionLine != 0)
                return refuse(line, Cat("a second \"mission\": line ", std::to_string(missionLine),
                                        " starts one already"));
            if (firstMapLine != 0)
                return refuse(firstMapLine,
                              Cat("\"", firstMapWord, "\" needs the map, but \"mission\" comes ",
                                  "after it, on line ", std::to_string(line)));
            missionLine = line;
        }
        const bool needsMap =
            c.verb != Verb::Mission && c.verb != Verb::Seed && c.verb != Verb::House;
        if (needsMap && firstMapLine == 0) {
            firstMapLine = line;
            firstMapWord = verb;
            // Without a mission line before it, mission 1 starts here.
            if (missionLine == 0) {
                ScenarioCommand mission;
                mission.line = line;
                mission.verb = Verb::Mission;
                mission.numbers = {1};
                scenario.commands.push_back(mission);
            }
        }
        scenario.commands.push_back(std::move(c));
    }
    return scenario;
}

std::string LineKey(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(line);
    std::string key;
    for (std::size_t n = 0; n < words.size() && n < 2; ++n) {
        if (n > 0) key += ' ';
        key += words[n];
    }
    return key;
}

}  // namespace kv::run
