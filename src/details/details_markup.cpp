#include "details/details_markup.h"

#include <array>
#include <string_view>

#include "actions/commands.h"
#include "details/property_edits.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {
namespace {

// Shown labels of the editable properties, in the order of kEditableProperties (the
// "Prduct Updates" spelling is what users of the program have always seen).
constexpr std::array<std::string_view, 7> kPropertyLabels{
    "Display Name",        "Publisher",         "Version",        "Contact",
    "Support Information", "Support Telephone", "Prduct Updates",
};
static_assert(kPropertyLabels.size() == std::tuple_size_v<decltype(kEditableProperties)>);

} // namespace

std::string buildDetailsMarkup(const TAppInfo& entry) {
    std::string markup = kDetailsHeading;
    for (std::size_t i = 0; i < kEditableProperties.size(); ++i) {
        const EditableProperty& property = kEditableProperties[i];
        const std::string& value = entry.*property.loaded;
        if (value.empty()) continue;
        markup += "<B>";
        markup += kPropertyLabels[i];
        markup += "</B> : <a href=\"";
        markup += property.valueName;
        markup += "\" class=\"EDIT\">";
        markup += escapeParamValue(value);
        markup += "</A><br>";
    }
    // Where the entry lives, shown but not editable: which store, under which key name.
    markup += "<br>Registered for: ";
    markup += storeAudience(entry.Store);
    markup += "<br>Key: ";
    markup += escapeParamValue(entry.KeyName);
    markup += "<br>";
    return markup;
}

DetailsSelection detailsForSelection(const TAppInfo* entry, bool selected) {
    DetailsSelection selection;
    if (!selected || !entry) return selection;
    selection.buttons.deleteEntry = true;
    // Remove and Repair are offered exactly when their click has a command to start.
    selection.buttons.remove = removeCommandLine(entry).has_value();
    selection.buttons.change = entry->NoModify == 0;
    selection.buttons.repair = repairCommandLine(entry).has_value();
    selection.markupLine0 = buildDetailsMarkup(*entry);
    return selection;
}

} // namespace remvana
