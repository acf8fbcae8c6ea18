#include "inventory/program_filter.h"

#include <algorithm>

#include "inventory/list_fill.h"
#include "platform/ascii.h"

namespace remvana {

namespace {

bool containsFolded(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return asciiLower(a) == asciiLower(b); }) != text.end();
}

} // namespace

bool matchesProgramFilter(const ListedEntry& entry, const std::string& filterText) {
    if (filterText.empty()) return true;
    return containsFolded(entry.displayName(), filterText) ||
           containsFolded(entry.publisher(), filterText) ||
           containsFolded(entry.displayVersion(), filterText) ||
           containsFolded(entry.keyName(), filterText);
}

std::string programCountText(int shown, int total, bool filtered) {
    if (!filtered) return programCountText(total);
    return std::to_string(shown) + " of " + programCountText(total);
}

} // namespace remvana
