#include "inventory/program_filter.h"

#include <algorithm>

#include "inventory/list_fill.h"

namespace remvana {

namespace {

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsFolded(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return foldAscii(a) == foldAscii(b); }) != text.end();
}

} // namespace

bool matchesProgramFilter(const TAppInfo& entry, const std::string& filterText) {
    if (filterText.empty()) return true;
    return containsFolded(entry.DisplayName, filterText) ||
           containsFolded(entry.Publisher, filterText) || containsFolded(entry.KeyName, filterText);
}

std::string programCountText(int shown, int total, bool filtered) {
    if (!filtered) return programCountText(total);
    return std::to_string(shown) + " of " + programCountText(total);
}

} // namespace remvana
