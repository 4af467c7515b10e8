// A per-user settings store in the registry's place: keys are nested folders
// under the configuration folders, each value a file of its own holding the
// value's type and its bytes. Functions return Win32 error codes.
#pragma once

#include <cstdint>
#include <string>

enum class HKEY { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };
using enum HKEY;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_WRITE_FAULT = 29;
inline constexpr long ERROR_BADDB = 1009;

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_DWORD = 4;

// The folder that stands for a hive: $XDG_CONFIG_HOME (else ~/.config) for
// the current user, the first of $XDG_CONFIG_DIRS (else /etc/xdg) for the machine.
std::string HiveFolder(HKEY hive);

// Creates the key (components separated by backslashes), or opens it when it exists.
long RegCreateKey(HKEY hive, const std::string& keyPath);
// Whether the key exists.
long RegOpenKey(HKEY hive, const std::string& keyPath);
// The value's type and data; ERROR_FILE_NOT_FOUND when it is not stored,
// ERROR_BADDB when its file is damaged.
long RegQueryValue(HKEY hive, const std::string& keyPath, const std::string& name,
                   std::uint32_t& type, std::string& data);
// Writes the value atomically: the previous value stays whole if this fails.
long RegSetValue(HKEY hive, const std::string& keyPath, const std::string& name, std::uint32_t type,
                 const std::string& data);
