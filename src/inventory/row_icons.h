#pragma once
// The icons of the program list's rows, looked up when the list first draws a row rather
// than during the fill: a list of thousands shows a few dozen rows at a time. Every icon
// extracted is kept by (file, icon index) until the rows go, so an icon many programs
// share, and the generic icon every missing file falls back to, are extracted once.
#include <map>
#include <optional>
#include <string>

#include "inventory/icons.h"
#include "inventory/program_inventory.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

// Where the row icons go: the list's row images.
class RowImageStore {
  public:
    virtual ~RowImageStore() = default;
    // Appends a copy of the icon and returns its index, or -1 when it could not be added.
    // The caller still owns (and releases) the icon.
    virtual int addImage(IconHandle icon) = 0;
};

// A row shows an icon only when one may come from its DisplayIcon or, lacking that, from the
// program its usage record names.
bool mayHaveRowIcon(const ListedEntry& info);

class RowIcons {
  public:
    RowIcons(RowImageStore& images, Shell& shell, RegistryFactory& registry)
        : images_(images), shell_(shell), registry_(registry) {}

    // The row image of a program: the icon GetFileIcon finds for its DisplayIcon, else for
    // the existing program its usage record names, appended to the row images the first
    // time it is needed; 0 (the generic program image) when there is none. An icon string
    // whose index is no number costs the row its icon, nothing more.
    int imageOf(const ListedEntry& info);

    // The row images are gone (the rows were cleared): forget every image index.
    void forget();
    // Icons are extracted at this size (the row images'); 0 is the system's large icon size.
    void setIconSize(int px) { iconSize_ = px; }

  private:
    // The image of one extraction, extracted once: nothing when the extraction fails (the
    // next source is tried), 0 when it gave no icon the row images could take.
    std::optional<int> imageOfSource(const IconPlan::Source& source);
    int imageOfIconString(const std::string& iconString);

    RowImageStore& images_;
    Shell& shell_;
    RegistryFactory& registry_;
    std::map<IconPlan::Source, std::optional<int>> extracted_;
    std::string library_; // the shell's icon library, once asked for
    int iconSize_ = 0;
};

} // namespace remvana
