// Applying the ticked optimisations, and the select-all / clear-all / start-button rules.
#pragma once
#include <string>
#include <vector>

#include "optimise/catalogue.h"
#include "optimise/check_list.h"

// Called after each action with whether it took effect (for tests and diagnostics).
using ActionObserver = void (*)(const RegistryAction& action, bool succeeded, void* context);

// Performs one catalogue action. A delete that finds nothing to remove, or a key
// that still has subkeys, succeeds; it fails only when the named value is still there.
bool PerformAction(const RegistryAction& action);

// Runs the actions of every ticked item in catalogue order; a failing action stops
// nothing. Result: the items any of whose actions failed, in order.
std::vector<int> ApplyTickedOptimisations(const CheckList& list, const Catalogue& catalogue,
                                          ActionObserver observer = nullptr, void* context = nullptr);

struct RunReport {
  std::string text;
  std::string caption;
  unsigned style;  // MessageBoxA icon bits; the box is task-modal
};
RunReport OptimisationReport(const Catalogue& catalogue, const std::vector<int>& failedItems);

// The start button's handler: apply, clear the ticks of items 0 to 8, report.
void RunOptimisations(CheckList& list, const Catalogue& catalogue = OptimisationCatalogue());
void SelectAllOptimisations(CheckList& list, StartButton& start);
void ClearAllOptimisations(CheckList& list, StartButton& start);
// Enabled whenever an item is current, ticked or not.
void UpdateStartButton(const CheckList& list, StartButton& start);
