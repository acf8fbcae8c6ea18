#include "details/several_selected.h"

#include "actions/commands.h"
#include "inventory/formatting.h"
#include "inventory/program_columns.h"
#include "platform/code_page.h"

namespace remvana {

DetailsSelection detailsForSeveral(const std::vector<const TAppInfo*>& entries, std::size_t quiet,
                                   Locale& locale) {
    DetailsSelection selection;
    selection.buttons.deleteEntry = false;
    std::int64_t totalSize = 0;
    for (const TAppInfo* entry : entries) {
        totalSize += listedSizeOf(*entry);
        // A name that cannot address its key: nothing can be run or deleted for it.
        if (isUnrepresentableKeyName(entry->KeyName)) continue;
        selection.buttons.deleteEntry = true;
        if (removeCommandLine(entry)) selection.buttons.remove = true;
    }
    std::string markup = kPropertiesHeadingLine;
    markup += "<B>" + std::to_string(entries.size()) + " programs selected</B><br>";
    if (totalSize > 0)
        markup += "<B>Total Size</B> : " + FormatFileSize(totalSize, locale) + "<br>";
    markup += "<B>Can Be Removed Quietly</B> : " + std::to_string(quiet) + " of " +
              std::to_string(entries.size()) + "<br>";
    selection.markupLine0 = std::move(markup);
    return selection;
}

} // namespace remvana
