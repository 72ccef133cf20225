// Registry access by root code and one-text path ("Key\\Sub\\ValueName").
// Each call opens what it needs and closes it before returning; nothing is cached.
#pragma once
#include <string>
#include <string_view>

#include "system/registry_path.h"

// Creates the key (and every missing level above it) when needed, then sets the
// value, replacing whatever was there. True when the value was set.
bool WriteRegistryValue(RootKey root, std::string_view path, const RegistryValue& value);

// Removes the named value or, when there is no such value, the key named by the
// whole path, but only a key without subkeys (never recursive). True when
// something was removed.
bool DeleteRegistryItem(RootKey root, std::string_view path);

// The REG_SZ text (REG_EXPAND_SZ expanded) up to its first zero byte, never past
// the stored bytes; empty for any other type or any failure.
std::string ReadRegistryText(RootKey root, std::string_view path);

// True when the named value exists, whatever its type. Never true for a key.
bool RegistryItemExists(RootKey root, std::string_view path);
