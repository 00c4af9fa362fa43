#pragma once
// Recomputing the selection after the simulation changed a selected unit. The mission view owns
// the rule and installs it; the simulation only asks for it.

namespace kv {

// Recomputes SelectionMode and SelectedIndex from the selected flags of vehicles and persons.
// Nothing while no rule is installed.
void UpdateSelectionMode();
// Null removes the rule.
void SetUpdateSelectionModeHook(void (*hook)());

}  // namespace kv
