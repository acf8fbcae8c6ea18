#pragma once
// What the main window and its panes share: the services the handlers reach the platform
// through, and the messages posted to the window to run work after the current message.
#include <windows.h>

#include "platform/clock.h"
#include "platform/command_jobs.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

class StringTable;

// Posted to the window, after a fill, for each slice of the reading that follows it: the
// rest of the next entries of Inventory read and their health checked (wParam: the
// reading's generation).
inline constexpr UINT kReadingSliceMessage = WM_APP + 0x52;
// Posted once when several rows are selected, so that a range selected row by row is
// summed up once it is complete.
inline constexpr UINT kSeveralSelectedMessage = WM_APP + 0x54;
// Posted by the job service's thread when a Remove, Change or Repair started from the window
// has ended; wParam is the exit code of the process the command started.
inline constexpr UINT kCommandEndedMessage = WM_APP + 0x56;
// Posted by the store watch's thread after other programs changed the stores.
inline constexpr UINT kStoresChangedMessage = WM_APP + 0x57;
// Posted by the Refresh's reading thread when its progress is due to be shown and once the
// read has ended.
inline constexpr UINT kRefreshReadMessage = WM_APP + 0x58;
// The window's timer that asks again for the Refresh's new list while a value is typed.
inline constexpr UINT_PTR kRefreshAfterEditTimer = 0x5201;
inline constexpr UINT kRefreshAfterEditMilliseconds = 200;

// What the handlers reach the platform through. The window does not own them.
struct FormServices {
    RegistryFactory* registry = nullptr;
    Shell* shell = nullptr;
    Clock* clock = nullptr;
    Locale* locale = nullptr;
    StringTable* strings = nullptr;
    FileSystem* files = nullptr; // where backups are written and read
    CommandJobs* jobs = nullptr; // runs Remove, Change and Repair to their end
};

} // namespace remvana
