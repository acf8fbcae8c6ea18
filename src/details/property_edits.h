#pragma once
// The seven properties the details panel lets the user edit: an edit is kept as a pending
// value of the program's entry until "Modify Properties" writes the pending values to the
// program's subkey of the uninstall store.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "inventory/app_info.h"

namespace remvana {

class RegistryFactory;

struct EditableProperty {
    // The registry value name, which is also the anchor's href in the details markup.
    std::string_view valueName;
    std::string TAppInfo::*loaded;
    std::string TAppInfo::*pending;
};

// In the order the values are written.
extern const std::array<EditableProperty, 7> kEditableProperties;

// Records a finished edit of the property named by href (exact case) as pending when it
// differs from the value loaded from the registry. Returns true when something was recorded,
// which is when "Modify Properties" becomes worth pressing. No entry, an empty value or an
// unknown href record nothing. A value equal to the label's `emptyParam` placeholder is a
// cleared property: empty text is what gets written.
bool recordPropertyEdit(TAppInfo* entry, const std::string& href, const std::string& value,
                        std::string_view emptyParam = {});

// Writes every pending value of the entry as REG_SZ into its own subkey of its own store, in
// table order, copying each into the loaded field once written; renameRow runs as soon as a
// new DisplayName is written. A write that fails ends it with "Failed to set data for
// '<name>'": the values before it stay written and copied, it and those after it are
// neither. When the subkey cannot be opened for writing (gone or refused) nothing is written
// and the error names the first pending value, with the advice that administrator rights
// are needed when that is why; a name that does not denote one subkey of the store is
// refused with the guard's error. Writes never go through any other key. `written`, when
// given, counts the values written, also when a later one fails.
void writePendingProperties(RegistryFactory& registries, TAppInfo& entry,
                            const std::function<void(const std::string&)>& renameRow,
                            std::size_t* written = nullptr);

// Whether writePendingProperties would write anything for the entry.
bool hasPendingProperties(const TAppInfo& entry);
// Whether a pending value differs from what was loaded (or written) last: such an entry is
// kept as it is when another program changes its key (ProgramInventory::update), so no edit is
// lost.
bool hasUnsavedEdits(const TAppInfo& entry);
// Gives `to` the pending values of `from`, the same program read again: edits typed while a
// Refresh read the stores stay pending on the entry the new list shows.
void carryPendingEdits(const TAppInfo& from, TAppInfo& to);

} // namespace remvana
