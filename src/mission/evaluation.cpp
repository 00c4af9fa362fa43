#include "mission/evaluation.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "core/campaign.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"

namespace kv {

std::array<ResultLine, kResultLineCount> ResultLines{};
std::int32_t EvaluationEfficiency = 0;
std::int32_t EvaluationPoints = 0;
ResultLineLayout EvaluationLineLayout;

namespace {

constexpr int kTicksPerSecond = 20;

// A percentage worked out in 64 bits, kept to 0..100 before it becomes a u16: a negative amount
// of money must not wrap to 65xxx.
std::uint16_t Percent(std::int64_t p) {
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(p, 0, 100));
}

// The text is cut to the line: a long mission's minutes can take more digits than planned.
template <class... Args>
void Format(ResultLine& line, const char* format, Args... values) {
    std::snprintf(line.text.data(), line.text.size(), format, values...);
}

}  // namespace

std::uint16_t DeadPercent(std::uint32_t dead, std::int32_t k) {
    return Percent(100 - std::int64_t{k} * dead);
}

std::uint16_t TimePercent(std::uint32_t ticks, std::uint32_t t1, std::uint32_t t2) {
    if (ticks <= t1) return 100;
    if (ticks >= t2) return 0;
    return Percent((std::int64_t{t2} - ticks) * 100 / (std::int64_t{t2} - t1));
}

std::uint16_t MoneyPercent(std::int32_t money, std::int32_t m) {
    if (money >= m) return 100;
    if (m <= 0) return 0;
    return Percent(std::int64_t{money} * 100 / m);
}

std::int32_t PointsFor(std::int32_t efficiency, std::int32_t money, std::int32_t d) {
    std::int64_t points = std::int64_t{efficiency} * 500 / 100;
    if (d > 0) points += std::int64_t{money} * 500 / d;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(points, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::uint16_t WriteDeadLine(ResultLine& line, std::int32_t k) {
    Format(line, "Tote: %d", static_cast<int>(ToteCount));
    line.percent = DeadPercent(ToteCount, k);
    return line.percent;
}

std::uint16_t WriteTimeLine(ResultLine& line, std::uint32_t t1, std::uint32_t t2) {
    const std::uint32_t seconds = TickCounter / kTicksPerSecond;
    Format(line, "Zeit: %02u:%02u", static_cast<unsigned>(seconds / 60),
           static_cast<unsigned>(seconds % 60));
    line.percent = TimePercent(TickCounter, t1, t2);
    return line.percent;
}

std::uint16_t WriteMoneyLine(ResultLine& line, std::int32_t m) {
    Format(line, "Geld: %d", static_cast<int>(Money));
    line.percent = MoneyPercent(Money, m);
    return line.percent;
}

void FinishEvaluation(std::int32_t d) {
    EvaluationPoints = PointsFor(EvaluationEfficiency, Money, d);
    EvaluationLineLayout = kResultLineLayout;
}

void ResetEvaluation() {
    ResultLines = {};
    EvaluationEfficiency = 0;
    EvaluationPoints = 0;
    EvaluationLineLayout = {};
}

}  // namespace kv
