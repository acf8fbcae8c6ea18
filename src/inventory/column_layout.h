#pragma once
// Which columns the program list shows, in which order and how wide: the user's choice,
// kept as one line of text in the settings. The name column is always there, and first.
#include <string>
#include <vector>

#include "inventory/program_columns.h"

namespace remvana {

struct ShownColumn {
    ProgramColumn column;
    int width; // at 96 DPI; the name column's is only a start, it takes what the others leave
    friend bool operator==(const ShownColumn&, const ShownColumn&) = default;
};

// The widest column a stored choice may give; a larger figure is not a width but damage.
inline constexpr int kMaxColumnWidth = 10'000;

class ColumnLayout {
  public:
    // Application Name, Size, Last Used and Frequency at their default widths.
    ColumnLayout();

    const std::vector<ShownColumn>& shown() const { return shown_; }
    bool isShown(ProgramColumn column) const;
    // The position of a shown column, or -1.
    int positionOf(ProgramColumn column) const;

    // Shows a hidden column after the others at its default width, or hides a shown one.
    // The name column cannot be hidden: false, and nothing changes.
    bool toggle(ProgramColumn column);
    // Puts the shown columns in this order, as the header reports it after a drag. Refused
    // (false) unless it names every shown column once with the name column first.
    bool reorder(const std::vector<ProgramColumn>& order);
    // `pixels` as seen at `dpi`, kept at 96 DPI so the choice fits any display.
    void setWidthAt(ProgramColumn column, int pixels, int dpi);
    int widthAt(ProgramColumn column, int dpi) const;

    // "name:240,size:70,...": each shown column's key and width, in order.
    std::string text() const;
    // The layout `text()` wrote. Anything else (empty, cut short, a column twice, no name
    // column first, a width that is no figure) gives the default layout; a key this version
    // does not know (written by a later one) is skipped.
    static ColumnLayout fromText(const std::string& text);

    friend bool operator==(const ColumnLayout&, const ColumnLayout&) = default;

  private:
    std::vector<ShownColumn> shown_;
};

// One item of the header's menu of columns: every column in the table's order, checked when
// shown; the name column checked and greyed, since it cannot be hidden.
struct ColumnMenuItem {
    ProgramColumn column;
    const char* caption;
    bool checked;
    bool enabled;
};
std::vector<ColumnMenuItem> columnMenuOf(const ColumnLayout& layout);

} // namespace remvana
