#pragma once
// A scenario file: one command a line, words separated by blanks, '#' starting a comment.
// Reading checks everything that can be checked without the map (the commands and their word
// counts, every number's form and range, the place of "mission" and of the houses before it), so
// that a malformed file is
// refused before anything runs.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::run {

enum class Verb : std::uint8_t {
    Mission,
    Seed,
    House,
    Empty,
    Person,
    Vehicle,
    Bought,
    Object,
    Seat,
    Contaminate,
    Order,
    Append,
    Goals,
    Ignite,
    Heat,
    Tick,
    Frame,
    Mouse,
    Press,
    Release,
    RPress,
    Key,
    KeyUp,
    Select,
    Player,
    Hover,
    State,
    Cell,
    Expect,
    Save,
    Load,
    ChecksumKeep,
    ChecksumSame,
};

enum class UnitKind : std::uint8_t { Person, Vehicle };

struct ScenarioCommand {
    int line = 0;
    Verb verb = Verb::State;
    UnitKind kind = UnitKind::Person;  // order, append, goals, select, player
    // The numbers in the order the command takes them, checked for form and range; the optional
    // ones not given are left out. A whole number is exact in a double.
    std::vector<double> numbers;
    std::vector<std::string> words;  // expect: the words to find
};

struct Scenario {
    // Without a "mission" line, mission 1 is put in before the first command that needs the map.
    std::vector<ScenarioCommand> commands;
};

// The file's commands; nullopt with error set to "<name>:<line>: <what is wrong>".
std::optional<Scenario> ReadScenario(std::string_view text, std::string_view name,
                                     std::string& error);

// The words a "state" or "cell" line is found by: its first two.
std::string LineKey(std::string_view line);

}  // namespace kv::run
