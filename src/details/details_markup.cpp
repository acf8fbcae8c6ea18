#include "details/details_markup.h"

#include <array>
#include <string_view>

#include "actions/commands.h"
#include "details/entry_facts.h"
#include "details/property_edits.h"
#include "platform/code_page.h"
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

std::string buildDetailsMarkup(const TAppInfo& entry, EditsShown edits) {
    std::string markup = kPropertiesHeadingLine;
    // Nothing of such an entry can be written back, so nothing is offered for editing.
    if (isUnrepresentableKeyName(entry.KeyName))
        return markup + "<B>" + std::string(kPropertyLabels[0]) +
               "</B> : " + escapeParamValue(entry.DisplayName) + "<br>";
    for (std::size_t i = 0; i < kEditableProperties.size(); ++i) {
        const EditableProperty& property = kEditableProperties[i];
        const std::string& typed = entry.*property.pending;
        const std::string& value =
            edits == EditsShown::Typed && !typed.empty() ? typed : entry.*property.loaded;
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

DetailsSelection detailsForSelection(const TAppInfo* entry, bool selected, Locale& locale,
                                     EditsShown edits) {
    DetailsSelection selection;
    if (!selected || !entry) return selection;
    selection.markupLine0 = buildDetailsMarkup(*entry, edits) + entryFactsMarkup(*entry, locale);
    // Its name cannot address its key: deleting or running anything for it could only reach
    // another key or nothing.
    selection.buttons.deleteEntry = !isUnrepresentableKeyName(entry->KeyName);
    if (!*selection.buttons.deleteEntry) return selection;
    // Remove and Repair are offered exactly when their click has a command to start.
    selection.buttons.remove = removeCommandLine(entry).has_value();
    selection.buttons.change = entry->NoModify == 0;
    selection.buttons.repair = repairCommandLine(entry).has_value();
    return selection;
}

} // namespace remvana
