#pragma once
// The registry as the rest of the program sees it: an accessor holding a root, an access
// mask and at most one open key, over the 8-bit (ANSI) registry interface.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace remvana {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

// Which of the machine's two registry views a key is reached through. On 64-bit Windows the
// 32-bit programs' machine-wide keys live apart (under Wow6432Node); Default is the
// process's own view.
enum class RegView { Default, Bits64, Bits32 };

// Access rights with the values advapi32 uses, so the Win32 accessor passes them through.
namespace reg_access {
inline constexpr std::uint32_t QueryValue = 0x0001;
inline constexpr std::uint32_t SetValue = 0x0002;
inline constexpr std::uint32_t CreateSubKey = 0x0004;
inline constexpr std::uint32_t EnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t Notify = 0x0010;
inline constexpr std::uint32_t Delete = 0x10000;
inline constexpr std::uint32_t Read = 0x20019;
inline constexpr std::uint32_t AllAccess = 0xF003F;
// The view flags (KEY_WOW64_64KEY, KEY_WOW64_32KEY), carried in an accessor's access.
inline constexpr std::uint32_t View64 = 0x0100;
inline constexpr std::uint32_t View32 = 0x0200;
inline constexpr std::uint32_t ViewMask = View64 | View32;
// What a read-only open tries, in this order.
inline constexpr std::uint32_t ReadOnlyAttempts[] = {Read, Read & ~Notify, QueryValue};
} // namespace reg_access

// The registry's own type codes of stored values.
namespace reg_type {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t String = 1;
inline constexpr std::uint32_t ExpandString = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t Dword = 4;
inline constexpr std::uint32_t DwordBigEndian = 5;
inline constexpr std::uint32_t MultiString = 7;
inline constexpr std::uint32_t Qword = 11;
} // namespace reg_type

enum class ValueKind { Absent, String, ExpandString, Integer, Binary, Other };

ValueKind valueKindOfType(std::uint32_t type);

// The access flag that selects the view (none for Default).
std::uint32_t viewAccessOf(RegView view);

// Why the last open, write or delete of an accessor failed: the system's own text, and
// whether it was a missing right.
struct RegFailure {
    bool accessDenied = false;
    std::string reason;
};

// What a deletion of a key with its subtree achieved.
enum class DeleteOutcome { Removed, NotRemoved, Partial };

// Every registry failure the user may see; the message is the exact text shown.
class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
    static RegistryError invalidDataType(const std::string& valueName);
    static RegistryError getDataFailed(const std::string& valueName);
    static RegistryError setDataFailed(const std::string& valueName);
    static RegistryError createKeyFailed(const std::string& keyPath);
};

// One value as stored: its kind and raw bytes (text still carries its terminator, if any).
struct RegValue {
    std::string name;
    ValueKind kind = ValueKind::Absent;
    std::vector<std::uint8_t> data;
    // The registry's own type code, which tells apart the kinds grouped as Other.
    std::uint32_t type = reg_type::None;
};

// A direct subkey and when its key was last written (a FILETIME, UTC): a value set or deleted
// in it, or a subkey added or removed directly below it, moves the time.
struct SubkeyStamp {
    std::string name;
    std::int64_t lastWrite = 0;
};

// What a key holds, without reading it: its number of values and the length of its longest
// value name (in the registry's own UTF-16 units; ASCII names are as long in characters).
struct ValueCounts {
    std::size_t values = 0;
    std::size_t longestName = 0;
};

// Decoding shared by every accessor and by callers of readAllValues, so a value reads the
// same whichever way it was fetched. Text: cut at the first NUL (kind not checked).
// Integer: little-endian, zero-filled when shorter than 4 bytes; nothing when longer.
std::string textOfValue(const std::vector<std::uint8_t>& data);
bool integerOfValue(const std::vector<std::uint8_t>& data, std::int32_t& out);

class Registry {
  public:
    virtual ~Registry() = default;

    // Never creates. A leading "\" starts from the root, otherwise from the open key (or the
    // root when none is open); a trailing "\" is allowed. The new key replaces the open one.
    virtual bool openKey(const std::string& path) = 0;
    // As openKey, trying KEY_READ, then KEY_READ without notify, then KEY_QUERY_VALUE alone;
    // the first that succeeds becomes this accessor's access.
    virtual bool openKeyReadOnly(const std::string& path) = 0;
    virtual void closeKey() = 0;
    // A direct subkey of the open key, opened relative to it (so no path length limit of the
    // whole path applies) as a new accessor with `rights` in this accessor's view; the open
    // key here stays open. Null when there is no open key or the subkey cannot be opened.
    virtual std::unique_ptr<Registry> openSubkey(const std::string& name, std::uint32_t rights) = 0;
    virtual bool hasOpenKey() const = 0;
    virtual std::uint32_t access() const = 0;

    // Names of the open key's direct subkeys, in enumeration order.
    virtual std::vector<std::string> subkeyNames() = 0;
    // The same enumeration with each subkey's last-write time, which it carries at no extra
    // cost: what lets a refresh re-read only the subkeys that changed.
    virtual std::vector<SubkeyStamp> subkeyStamps() = 0;
    // Absent when the value does not exist or no key is open.
    virtual ValueKind valueKind(const std::string& name) = 0;
    bool valueExists(const std::string& name) { return valueKind(name) != ValueKind::Absent; }

    // String or expandable string, unexpanded, cut at the first NUL.
    virtual std::string readText(const std::string& name) = 0;
    virtual std::int32_t readInteger(const std::string& name) = 0;
    // Copies the stored bytes into the buffer and returns the stored length; a value longer
    // than the buffer is "Invalid data type".
    virtual std::size_t readBinary(const std::string& name, void* buffer, std::size_t size) = 0;
    // Every value of the open key in one sweep (empty when no key is open); lets a caller
    // that wants many values of one key avoid a query per value.
    virtual std::vector<RegValue> readAllValues() = 0;
    // The open key's value counts in one query. Nothing when no key is open or the open key
    // can no longer be read (deleted since it was opened, for one).
    virtual std::optional<ValueCounts> valueCounts() = 0;
    // One value with its kind and bytes as readAllValues gives it, in one query: for a
    // caller that wants a single value of any kind. Kind Absent when there is no such value
    // or no open key.
    virtual RegValue readValue(const std::string& name) = 0;

    // Stores a REG_SZ in the open key.
    virtual void writeText(const std::string& name, const std::string& value) = 0;
    // Stores a value of any type code with exactly these bytes (string types in the ANSI
    // code page, as the reads give them); "Failed to set data" when that fails.
    virtual void writeValue(const std::string& name, std::uint32_t type,
                            const std::vector<std::uint8_t>& data) = 0;
    // Deletes a value of the open key; false when it was not there.
    virtual bool deleteValue(const std::string& name) = 0;
    // Creates the key (and its missing parents) and opens it; false on failure.
    virtual bool createKey(const std::string& path) = 0;
    // Deletes the key with all its subkeys, deepest first, subkeys enumerated from the last
    // index down; a subkey that cannot be enumerated is skipped. Paths as for openKey.
    // Partial: something below the key went, the key itself stays.
    virtual DeleteOutcome deleteKey(const std::string& path) = 0;
    // Why the last failing open, write or delete failed.
    virtual RegFailure lastFailure() const = 0;
};

class RegistryFactory {
  public:
    virtual ~RegistryFactory() = default;
    // `access` may carry a view flag; every key the accessor opens is then in that view.
    virtual std::unique_ptr<Registry> create(RegRoot root, std::uint32_t access) = 0;
    // False on 32-bit Windows, where the machine has one view and the view flags are ignored.
    virtual bool hasSeparate32BitView() = 0;
    // Whether the process runs with administrator rights in force (an elevated token).
    virtual bool elevated() = 0;
};

} // namespace remvana
