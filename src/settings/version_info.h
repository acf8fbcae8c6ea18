#pragma once
// TVersionInfo: answers lookups of the strings of a module's version block ("ProductName",
// "FileVersion", ...). The block is parsed on first lookup; every read is bounds-checked,
// so a damaged block fails lookups instead of reading past its end.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/locale.h"

namespace remvana {

class VersionInfoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kKeyNotFound = "Key not found";
inline constexpr const char* kInvalidVersionResource = "Invalid version resource";
inline constexpr const char* kUnableToLoadVersionInfo = "Unable to load version info resource";

struct TVersionStringValue {
    std::string value;
    int language = 0;
    int codePage = 0;
};

class TVersionInfo {
  public:
    // block: the module's version block (a copy); locale: compares names ignoring case.
    TVersionInfo(std::vector<std::uint8_t> block, Locale& locale);
    virtual ~TVersionInfo();
    TVersionInfo(const TVersionInfo&) = delete;
    TVersionInfo& operator=(const TVersionInfo&) = delete;

    // The value of the first string named `name` (any case) in block order. Throws
    // VersionInfoError "Key not found" when there is none or the block cannot be parsed.
    std::string lookup(const std::string& name);

  private:
    struct Entry {
        std::string name;
        std::unique_ptr<TVersionStringValue> value;
    };
    enum class ParseState { NotParsed, Parsed, Failed };

    void parse();

    std::vector<std::uint8_t> block_;
    Locale& locale_;
    std::vector<Entry> strings_;
    std::vector<std::uint32_t> translations_;
    std::size_t fixedPartOffset_ = 0; // 0: no fixed part seen (it never starts at 0)
    ParseState state_ = ParseState::NotParsed;
};

// The reader of the program's own version block, created with the window; it lives until
// the process ends.
extern std::unique_ptr<TVersionInfo> VersionInfo;

} // namespace remvana
