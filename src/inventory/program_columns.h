#pragma once
// The columns the program list can show, and the text of each column's cell for an entry.
// Windows 10 and 11 hardly ever write the usage records behind Size, Last Used and
// Frequency, so the list can also show what every registration carries.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/program_inventory.h"
#include "platform/clock.h"
#include "platform/locale.h"

namespace remvana {

enum class ProgramColumn {
    Name,
    Size,
    LastUsed,
    Frequency,
    Publisher,
    Version,
    InstalledOn,
    RegisteredFor
};

struct ProgramColumnSpec {
    ProgramColumn column;
    const char* caption;
    // The column's name in the stored column choice; never changes once released.
    const char* key;
    int defaultWidth; // at 96 DPI
    bool rightAligned;
};

inline constexpr std::array<ProgramColumnSpec, 8> kProgramColumns{{
    {ProgramColumn::Name, "Application Name", "name", 240, false},
    {ProgramColumn::Size, "Size", "size", 70, true},
    {ProgramColumn::LastUsed, "Last Used", "lastused", 100, true},
    {ProgramColumn::Frequency, "Frequency", "frequency", 70, true},
    {ProgramColumn::Publisher, "Publisher", "publisher", 150, false},
    {ProgramColumn::Version, "Version", "version", 90, false},
    {ProgramColumn::InstalledOn, "Installed On", "installedon", 80, true},
    {ProgramColumn::RegisteredFor, "Registered for", "registeredfor", 110, false},
}};

const ProgramColumnSpec& specOf(ProgramColumn column);

// The size the list shows and sorts by, in bytes: the usage record's when it has one above
// 0, else the installer's estimate (kilobytes) times 1,024; 0 when neither is known.
std::int64_t listedSizeOf(const ListedEntry& entry);

// "InstallDate" as the date it names when stored as yyyymmdd, the way installers write it.
std::optional<SystemTime> installDateOf(const std::string& stored);

// The cell of `column` for the entry: Size and Last Used as the list always showed them
// (Size with the estimate's fallback), Installed On as the user's short date when it is one
// and as stored otherwise, Registered for as the store's audience.
std::string programCellText(ProgramColumn column, const ListedEntry& entry, Clock& clock,
                            Locale& locale);

// A row's texts after its caption: the cell of every column but the name, in the table's
// order, so that a column can be shown or hidden without filling the rows again.
std::vector<std::string> programRowTexts(const ListedEntry& entry, Clock& clock, Locale& locale);

} // namespace remvana
