#pragma once
// Runs a scenario's commands in order on the game started by mission_run.h, printing what the
// commands print to stdout.

#include <string_view>

#include "platform/headless/headless_backend.h"
#include "scenario_file.h"

namespace kv::run {

// Exit statuses of a scenario run.
inline constexpr int kScenarioDone = 0;
inline constexpr int kScenarioFailed = 1;   // an expect line differs, or the game failed
inline constexpr int kScenarioRefused = 2;  // the file asks for what cannot be done

// The game must be started (StartGame) on the backend, through which the input commands arrive.
// Errors go to stderr as "<name>:<line>: <what>".
int RunScenario(const Scenario& scenario, std::string_view name, HeadlessBackend& backend);

}  // namespace kv::run
