// Program entry: the command line when there are arguments; otherwise the application
// object, its title, the one window and the message loop.
#include <windows.h>

#include "app/win32/application.h"
#include "app/win32/main_form.h"
#include "cli/win32/standard_streams.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/command_jobs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "settings/win32/string_table_win32.h"
#include "settings/win32/version_info_win32.h"

using namespace remvana;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // With arguments the program does its work without a window and exits.
    const CliRequest request = parseCommandLine(processArguments());
    if (request.action != CliAction::Window) {
        return runCommandLineProcess(request, [instance] {
            Win32Locale locale;
            auto version = createVersionInfo(instance, locale);
            return version->lookup("ProductName") + " " + version->lookup("ProductVersion");
        });
    }

    Application.Title = "Remvana";
    Win32RegistryFactory registry;
    Win32Shell shell;
    Win32Clock clock;
    Win32Locale locale;
    Win32StringTable strings(instance);
    Win32FileSystem files;
    Win32CommandJobs jobs;

    T_mainForm form(instance, {&registry, &shell, &clock, &locale, &strings, &files, &jobs});
    HWND window = form.create();
    if (window == nullptr) return 1;
    Application.MainWindow = window;
    // The task-bar button of a window without a caption shows the application title.
    if (form.caption().empty()) SetWindowTextA(window, Application.Title.c_str());
    if (!Application.Terminated()) {
        form.show(showCommand);
        Application.Run();
    }
    return 0;
}
