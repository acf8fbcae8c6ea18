#include "inventory/column_order.h"

#include <algorithm>
#include <string_view>

#include "inventory/listing.h"
#include "platform/ascii.h"

namespace remvana {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// Any byte beyond ASCII counts as a letter: it belongs to a word of some code page.
bool isLetter(char c) {
    const char lower = asciiLower(c);
    return (lower >= 'a' && lower <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// The next run of digits or of letters from `at`, skipping separators; empty at the end.
std::string_view nextPart(const std::string& text, std::size_t& at) {
    while (at < text.size() && !isDigit(text[at]) && !isLetter(text[at]))
        ++at;
    const std::size_t begin = at;
    const bool digits = at < text.size() && isDigit(text[at]);
    while (at < text.size() && (digits ? isDigit(text[at]) : isLetter(text[at])))
        ++at;
    return std::string_view(text).substr(begin, at - begin);
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Digit runs of any length by value: without leading zeros the longer one is larger.
int compareNumberParts(std::string_view a, std::string_view b) {
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return sign(a.compare(b));
}

int compareWordParts(std::string_view a, std::string_view b) {
    if (lessIgnoringAsciiCase(a, b)) return -1;
    return lessIgnoringAsciiCase(b, a) ? 1 : 0;
}

std::int64_t storeRank(const UninstallStore& store) {
    if (store == kMachineStore64) return 0;
    if (store == kMachineStore32) return 1;
    return 2;
}

CellSortKey numberKey(std::int64_t number) {
    return CellSortKey{CellKeyKind::Number, number, {}};
}

CellSortKey textKey(const std::string& text) {
    if (text.empty()) return {};
    return CellSortKey{CellKeyKind::Text, 0, text};
}

CellSortKey positiveKey(std::int64_t number) {
    return number > 0 ? numberKey(number) : CellSortKey{};
}

CellSortKey installDateKey(const std::string& stored) {
    if (const auto date = installDateOf(stored))
        return numberKey((date->year * 100 + date->month) * 100 + date->day);
    return textKey(stored);
}

// Two keys of a column, neither of them empty, ascending.
int compareKeys(ProgramColumn column, const CellSortKey& a, const CellSortKey& b, Locale& locale) {
    if (a.kind != b.kind) return a.kind == CellKeyKind::Number ? -1 : 1;
    if (a.kind == CellKeyKind::Number) return (a.number > b.number) - (a.number < b.number);
    switch (column) {
    case ProgramColumn::Version:
        return compareVersionText(a.text, b.text);
    case ProgramColumn::Publisher:
        return sign(locale.compare(a.text, b.text));
    default:
        return sign(a.text.compare(b.text)); // unsigned bytes, the shorter text first
    }
}

} // namespace

int compareVersionText(const std::string& a, const std::string& b) {
    std::size_t atA = 0, atB = 0;
    while (true) {
        const std::string_view partA = nextPart(a, atA);
        const std::string_view partB = nextPart(b, atB);
        if (partA.empty() || partB.empty()) {
            if (!partA.empty() || !partB.empty()) return partA.empty() ? -1 : 1;
            return sign(a.compare(b));
        }
        const bool numberA = isDigit(partA.front()), numberB = isDigit(partB.front());
        if (numberA != numberB) return numberA ? -1 : 1;
        const int order =
            numberA ? compareNumberParts(partA, partB) : compareWordParts(partA, partB);
        if (order != 0) return order;
    }
}

CellSortKey cellSortKey(ProgramColumn column, const ListedEntry& entry) {
    switch (column) {
    case ProgramColumn::Name:
        return textKey(captionOf(entry));
    case ProgramColumn::Size:
        return positiveKey(listedSizeOf(entry));
    case ProgramColumn::LastUsed:
        return positiveKey(entry.usageRecord().lastUsed());
    case ProgramColumn::Frequency:
        // The frequency classes in the order of the uses they stand for.
        return entry.frequencyText().empty() ? CellSortKey{}
                                             : positiveKey(entry.usageRecord().timesUsed());
    case ProgramColumn::Publisher:
        return textKey(entry.publisher());
    case ProgramColumn::Version:
        return textKey(entry.displayVersion());
    case ProgramColumn::InstalledOn:
        return installDateKey(entry.installDate());
    case ProgramColumn::RegisteredFor:
        return numberKey(storeRank(entry.store()));
    }
    return {};
}

bool cellSortsBefore(ProgramColumn column, const CellSortKey& a, const CellSortKey& b,
                     bool descending, Locale& locale) {
    const bool emptyA = a.kind == CellKeyKind::Empty;
    const bool emptyB = b.kind == CellKeyKind::Empty;
    if (emptyA || emptyB) return !emptyA && emptyB;
    const int order = compareKeys(column, a, b, locale);
    return descending ? order > 0 : order < 0;
}

} // namespace remvana
