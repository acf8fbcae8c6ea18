#include "inventory/column_layout.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/display_scale.h"

namespace remvana {

namespace {

std::optional<ProgramColumn> columnOfKey(std::string_view key) {
    for (const ProgramColumnSpec& spec : kProgramColumns)
        if (key == spec.key) return spec.column;
    return std::nullopt;
}

std::optional<int> widthOf(std::string_view text) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    const int width = std::stoi(std::string(text));
    if (width > kMaxColumnWidth) return std::nullopt;
    return width;
}

} // namespace

ColumnLayout::ColumnLayout() {
    for (ProgramColumn column : {ProgramColumn::Name, ProgramColumn::Size, ProgramColumn::LastUsed,
                                 ProgramColumn::Frequency})
        shown_.push_back({column, specOf(column).defaultWidth});
}

int ColumnLayout::positionOf(ProgramColumn column) const {
    const auto at = std::find_if(shown_.begin(), shown_.end(),
                                 [column](const ShownColumn& c) { return c.column == column; });
    return at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
}

bool ColumnLayout::isShown(ProgramColumn column) const {
    return positionOf(column) >= 0;
}

bool ColumnLayout::toggle(ProgramColumn column) {
    if (column == ProgramColumn::Name) return false;
    if (const int at = positionOf(column); at >= 0)
        shown_.erase(shown_.begin() + at);
    else
        shown_.push_back({column, specOf(column).defaultWidth});
    return true;
}

bool ColumnLayout::reorder(const std::vector<ProgramColumn>& order) {
    if (order.size() != shown_.size() || order.front() != ProgramColumn::Name) return false;
    std::vector<ShownColumn> reordered;
    for (ProgramColumn column : order) {
        const int at = positionOf(column);
        const bool twice =
            std::any_of(reordered.begin(), reordered.end(),
                        [column](const ShownColumn& c) { return c.column == column; });
        if (at < 0 || twice) return false;
        reordered.push_back(shown_[static_cast<std::size_t>(at)]);
    }
    shown_ = std::move(reordered);
    return true;
}

void ColumnLayout::setWidthAt(ProgramColumn column, int pixels, int dpi) {
    const int at = positionOf(column);
    if (at < 0) return;
    shown_[static_cast<std::size_t>(at)].width =
        std::clamp(rescaled(pixels, dpi, kDesignDpi), 0, kMaxColumnWidth);
}

int ColumnLayout::widthAt(ProgramColumn column, int dpi) const {
    const int at = positionOf(column);
    return scaled(at < 0 ? specOf(column).defaultWidth : shown_[static_cast<std::size_t>(at)].width,
                  dpi);
}

std::string ColumnLayout::text() const {
    std::string text;
    for (const ShownColumn& c : shown_) {
        if (!text.empty()) text += ',';
        text += specOf(c.column).key;
        text += ':';
        text += std::to_string(c.width);
    }
    return text;
}

ColumnLayout ColumnLayout::fromText(const std::string& text) {
    ColumnLayout layout;
    layout.shown_.clear();
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        rest = comma == rest.npos ? std::string_view() : rest.substr(comma + 1);
        if (comma != std::string_view::npos && rest.empty()) return {}; // a trailing comma
        const std::size_t colon = item.find(':');
        const std::optional<int> width =
            colon == item.npos ? std::nullopt : widthOf(item.substr(colon + 1));
        if (!width) return {};
        const std::optional<ProgramColumn> column = columnOfKey(item.substr(0, colon));
        if (!column) continue;
        if (layout.isShown(*column) || layout.shown_.empty() != (*column == ProgramColumn::Name))
            return {};
        layout.shown_.push_back({*column, *width});
    }
    if (layout.shown_.empty()) return {};
    return layout;
}

std::vector<ColumnMenuItem> columnMenuOf(const ColumnLayout& layout) {
    std::vector<ColumnMenuItem> items;
    for (const ProgramColumnSpec& spec : kProgramColumns)
        items.push_back({spec.column, spec.caption, layout.isShown(spec.column),
                         spec.column != ProgramColumn::Name});
    return items;
}

} // namespace remvana
