#include "widgets/paramlabel/param_editors.h"

#include <algorithm>

#include "platform/ascii.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

std::vector<std::string> paramListValues(const std::string& props, bool sorted) {
    std::string decoded = decodeParamEntities(props);
    std::vector<std::string> values;
    std::size_t start = 0;
    while (true) {
        std::size_t bar = decoded.find('|', start);
        values.push_back(decoded.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (decoded.empty()) values.clear();
    if (sorted)
        std::stable_sort(
            values.begin(), values.end(),
            [](const std::string& a, const std::string& b) { return lessIgnoringAsciiCase(a, b); });
    return values;
}

std::optional<std::string> toggledValue(const std::vector<std::string>& values,
                                        const std::string& current) {
    if (values.size() < 2) return std::nullopt;
    return current == values[0] ? values[1] : values[0];
}

std::string menuItemCaption(const std::string& value) {
    std::string caption;
    for (char c : value) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

std::string menuChoiceValue(const std::string& caption) {
    std::string value;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            value += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            value += '&';
            ++i;
        }
    }
    return value;
}

int listItemIndex(const std::vector<std::string>& values, const std::string& value) {
    auto at = std::find(values.begin(), values.end(), value);
    return at == values.end() ? -1 : static_cast<int>(at - values.begin());
}

int listBoxWidth(int widestItem, bool scrolls, int scrollBarWidth) {
    return widestItem + 10 + (scrolls ? scrollBarWidth : 0);
}

int spinEditorWidth(int anchorWidth) {
    return std::max(16, anchorWidth) + 24;
}

int datePickerWidth(int anchorWidth) {
    return std::max(64, anchorWidth);
}

std::string folderBrowserStart(const std::string& value, const std::string& currentDirectory) {
    std::string folder = value.empty() ? currentDirectory : value;
    bool driveRoot = folder.size() == 3 && folder[1] == ':' && folder[2] == '\\';
    if (!driveRoot && folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    return folder;
}

Point folderBrowserPosition(Point below, Size dialog, const Rect& screen, int labelHeight) {
    Point at = below;
    if (at.x + dialog.cx > screen.right) at.x -= dialog.cx;
    if (at.y + dialog.cy > screen.bottom) at.y -= dialog.cy + labelHeight;
    at.x = std::max(at.x, screen.left);
    at.y = std::max(at.y, screen.top);
    return at;
}

} // namespace remvana
