#pragma once
// What the evaluation screen shows after a won mission: up to five result lines, each a text and
// a percentage, the efficiency and the points. The mission's evaluation hook fills them by one
// rule for every mission, with the mission's own step per death, time limits, money goal and
// divisor; the helpers below are the pieces of that rule.

#include <array>
#include <cstdint>

namespace kv {

struct ResultLine {
    std::uint16_t percent = 0;
    std::array<char, 80> text{};  // zero-terminated; an empty text is not shown
};

inline constexpr int kResultLineCount = 5;
extern std::array<ResultLine, kResultLineCount> ResultLines;
// The mission's weighted mean of the line percentages.
extern std::int32_t EvaluationEfficiency;
extern std::int32_t EvaluationPoints;

// The pixels from one result line to the next, and the y of the first line's bar.
struct ResultLineLayout {
    std::int16_t step = 0;
    std::int16_t firstBarY = 0;
};
extern ResultLineLayout EvaluationLineLayout;
// The layout every mission sets.
inline constexpr ResultLineLayout kResultLineLayout = {60, 122};

// The percentages, each in 0..100: per death k off 100; 100 up to t1 ticks, falling to 0 at t2;
// money up to the goal m in proportion.
std::uint16_t DeadPercent(std::uint32_t dead, std::int32_t k);
std::uint16_t TimePercent(std::uint32_t ticks, std::uint32_t t1, std::uint32_t t2);
std::uint16_t MoneyPercent(std::int32_t money, std::int32_t m);
// efficiency x 500 / 100 + money x 500 / d, each quotient on its own; d is the mission's divisor.
std::int32_t PointsFor(std::int32_t efficiency, std::int32_t money, std::int32_t d);

// The lines of the rule, written from the mission's counters, clock and money; each gives its
// percentage. "Tote: %d", "Zeit: %02d:%02d" (minutes and seconds of the ticks), "Geld: %d".
std::uint16_t WriteDeadLine(ResultLine& line, std::int32_t k);
std::uint16_t WriteTimeLine(ResultLine& line, std::uint32_t t1, std::uint32_t t2);
std::uint16_t WriteMoneyLine(ResultLine& line, std::int32_t m);
// The points from the efficiency already set and the money, and the layout.
void FinishEvaluation(std::int32_t d);

// Five empty lines at 0 %, efficiency and points 0, no layout.
void ResetEvaluation();

}  // namespace kv
