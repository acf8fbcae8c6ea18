#include "inventory/program_columns.h"

#include "inventory/formatting.h"
#include "inventory/list_fill.h"
#include "inventory/listing.h"
#include "platform/conversion.h"
#include "platform/date_time_text.h"

namespace remvana {

namespace {
constexpr bool inColumnOrder() {
    for (std::size_t i = 0; i < kProgramColumns.size(); ++i)
        if (static_cast<std::size_t>(kProgramColumns[i].column) != i) return false;
    return true;
}
static_assert(inColumnOrder(), "specOf looks a column up by its number");
} // namespace

const ProgramColumnSpec& specOf(ProgramColumn column) {
    return kProgramColumns[static_cast<std::size_t>(column)];
}

std::int64_t listedSizeOf(const ListedEntry& entry) {
    const std::int64_t recorded = entry.usageRecord().installedSize();
    if (recorded > 0) return recorded;
    return static_cast<std::int64_t>(entry.estimatedSize()) * 1'024;
}

std::optional<SystemTime> installDateOf(const std::string& stored) {
    if (stored.size() != 8 || stored.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    SystemTime date;
    date.year = std::stoi(stored.substr(0, 4));
    date.month = std::stoi(stored.substr(4, 2));
    date.day = std::stoi(stored.substr(6, 2));
    try {
        EncodeDateTime(date); // only to know the calendar has that day
    } catch (const ConversionError&) {
        return std::nullopt;
    }
    return date;
}

namespace {

std::string installedOnText(const std::string& stored, Locale& locale) {
    const std::optional<SystemTime> date = installDateOf(stored);
    if (!date) return stored;
    DateTimeFormats formats;
    formats.shortDate = locale.shortDateFormat();
    return dateToStr(*date, formats);
}

} // namespace

std::string programCellText(ProgramColumn column, const ListedEntry& entry, Clock& clock,
                            Locale& locale) {
    switch (column) {
    case ProgramColumn::Name:
        return captionOf(entry);
    case ProgramColumn::Size:
        return sizeCellText(listedSizeOf(entry), locale);
    case ProgramColumn::LastUsed:
        return lastUsedCellText(entry.usageRecord().lastUsed(), clock, locale);
    case ProgramColumn::Frequency:
        return entry.frequencyText();
    case ProgramColumn::Publisher:
        return entry.publisher();
    case ProgramColumn::Version:
        return entry.displayVersion();
    case ProgramColumn::InstalledOn:
        return installedOnText(entry.installDate(), locale);
    case ProgramColumn::RegisteredFor:
        return std::string(storeAudience(entry.store()));
    }
    return {};
}

std::vector<std::string> programRowTexts(const ListedEntry& entry, Clock& clock, Locale& locale) {
    std::vector<std::string> texts;
    texts.reserve(kProgramColumns.size() - 1);
    for (std::size_t i = 1; i < kProgramColumns.size(); ++i)
        texts.push_back(programCellText(kProgramColumns[i].column, entry, clock, locale));
    return texts;
}

} // namespace remvana
