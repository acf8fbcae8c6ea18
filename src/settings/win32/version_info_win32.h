#pragma once
#include <windows.h>

#include <memory>

#include "settings/version_info.h"

namespace remvana {

// A reader over the version block (resource 1 of type 16) of a loaded module. Throws
// VersionInfoError "Unable to load version info resource" when the module has none.
std::unique_ptr<TVersionInfo> createVersionInfo(HMODULE module, Locale& locale);

} // namespace remvana
