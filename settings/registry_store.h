// The settings keys and the two operations the histories store through.
#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"

inline const std::string MakerKeyPath = "Software\\Brindlecote";
inline const std::string SettingsKeyPath = "Software\\Brindlecote\\Quorvel";

// Makes sure the maker and product keys exist under both hives; failures
// (typically the machine-wide hive without rights) are ignored.
void CreateSettingsKeys();

// Reads a REG_SZ or REG_EXPAND_SZ value (taken literally) into `text`, up to
// its first NUL byte. On failure, or for a value of another type, `text`
// gets the default when one is given. Returns a Win32 error code.
long ReadStringValue(HKEY hive, const std::string& keyPath, const std::string& valueName,
                     std::string& text, const std::optional<std::string>& defaultText = {});

// Writes `text` as REG_SZ without a terminating NUL, into an existing key only.
void WriteStringValue(HKEY hive, const std::string& keyPath, const std::string& valueName,
                      const std::string& text);
