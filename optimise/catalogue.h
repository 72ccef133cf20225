// The fixed list of registry optimisations offered in the check list.
#pragma once
#include <cstdint>

#include "system/registry_path.h"

enum class ActionKind {
  WriteNumber,      // REG_DWORD from `number`
  WriteNumberText,  // REG_DWORD from `text` read as a decimal number at the moment of the write
  WriteText,        // REG_SZ `text`
  Delete,           // the value, or else the subkey-free key, named by `path`
};

struct RegistryAction {
  int item;
  RootKey root;
  const char* path;  // key, backslash, value name
  ActionKind kind;
  std::int64_t number;
  const char* text;
};

struct OptimisationItem {
  const char* caption;
  const RegistryAction* actions;  // in the order the run performs them
  int actionCount;
};

// A view over a catalogue: the real one, or a small one a test builds.
struct Catalogue {
  const OptimisationItem* items;
  int count;
  const OptimisationItem& operator[](int index) const { return items[index]; }
};

constexpr int kOptimisationCount = 37;

const Catalogue& OptimisationCatalogue();

// Every action of the real catalogue, in item order (111 rows).
const RegistryAction* AllCatalogueActions(int* count);

// What a write action stores; `kind` must not be Delete.
RegistryValue ActionValue(const RegistryAction& action);
