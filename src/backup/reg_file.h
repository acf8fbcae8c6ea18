#pragma once
// The registry editor's export format, as it imports it ("regedit /S file"): a UTF-16LE file
// with a byte-order mark and CR LF line ends, opened by "Windows Registry Editor Version
// 5.00", then sections "[key]" with one "name"=data line per value, or "[-key]" to remove a
// key with everything below it. Strings that survive quoting are written "like this";
// integers of four bytes as dword:; every other value as hex(N): with its exact bytes.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace remvana {

// A file that cannot be written or read as a backup; the message is shown to the user.
class BackupError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct RegFileSection {
    std::string keyPath; // as the registry editor names it: "HKEY_CURRENT_USER\..."
    bool removeKey = false;
    // Name ("" for the default value), type code and bytes; string types in the ANSI code
    // page, as the program's registry accessor reads and writes them.
    std::vector<RegValue> values;
};

inline constexpr const char* kRegFileHeader = "Windows Registry Editor Version 5.00";

// Throws BackupError for a name the format cannot carry (a line break or NUL in it).
std::vector<std::uint8_t> formatRegFile(const std::vector<RegFileSection>& sections);

// Throws BackupError naming the first line that is not part of such a file.
std::vector<RegFileSection> parseRegFile(const std::vector<std::uint8_t>& bytes);

} // namespace remvana
