#pragma once
// The program's persistent settings under the current user's hive, and its localized
// strings. Each operation opens its own registry accessor and releases it before returning.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "settings/string_table.h"

namespace remvana {

// Where the language setting lives (from the root of HKEY_CURRENT_USER).
inline constexpr const char* kSettingsKey = "\\SOFTWARE\\Kelvane\\Remvana\\";
inline constexpr const char* kLanguageValue = "language";
// The program list's column choice, order and widths, as one line of text.
inline constexpr const char* kListColumnsValue = "columns";

// The integer stored as text, or the default when the key, the value or a number is
// missing. A value of another kind than text is "Invalid data type for '<name>'".
std::int32_t ReadRegInteger(RegistryFactory& registry, const std::string& keyPath,
                            const std::string& valueName, std::int32_t defaultValue);
// Stores the decimal text as REG_SZ, creating the key when needed.
void WriteRegInteger(RegistryFactory& registry, const std::string& keyPath,
                     const std::string& valueName, std::int32_t value);
// Deletes the value; a missing key or value is fine.
void DeleteRegValue(RegistryFactory& registry, const std::string& keyPath,
                    const std::string& valueName);
// A text setting, read with read access only; nothing when the key or the value is missing or
// the value is not text, so that a damaged setting reads as never set.
std::optional<std::string> ReadRegText(RegistryFactory& registry, const std::string& keyPath,
                                       const std::string& valueName);
// Stores the text as REG_SZ, creating the key when needed.
void WriteRegText(RegistryFactory& registry, const std::string& keyPath,
                  const std::string& valueName, const std::string& value);
// The stored language offset (0 when absent). A "language" value that is not text (a
// DWORD, binary) is deleted and 0 used, once, instead of failing at every activation.
std::int32_t ReadLanguage(RegistryFactory& registry, const std::string& keyPath);
// Below 1 removes the "language" value, otherwise stores it.
void SaveLanguage(RegistryFactory& registry, const std::string& keyPath, std::int32_t language);
// The string id + language, or the built-in string id when that one is empty.
std::string LangString(StringTable& strings, std::int32_t language, std::int32_t id);

} // namespace remvana
