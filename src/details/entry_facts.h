#pragma once
// The read-only part of the details panel, below the editable properties: what is wrong
// with the registration, and what it points at. Nothing here is an editor; the install
// location is an anchor without an editor class, so a click on it opens the folder.
#include <string>

#include "inventory/app_info.h"
#include "platform/locale.h"

namespace remvana {

inline constexpr const char* kInstallLocationHref = "InstallLocation";

// Each health mark in words, then one line per fact the entry has: install location,
// install date, uninstall and modify commands, estimated size (only without a usage record
// size, which the list shows already). The key name is shown with the entry's store.
std::string entryFactsMarkup(const TAppInfo& entry, Locale& locale);

// A stored "yyyymmdd" that names a real date as "yyyy-mm-dd"; any other text as stored.
std::string installDateText(const std::string& stored);

} // namespace remvana
