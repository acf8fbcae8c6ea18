// The window's creation and activation: the version reader, the first refresh, the caption,
// the language setting and the version text of the status bar.
#include "app/win32/main_form.h"
#include "settings/settings_store.h"
#include "settings/win32/version_info_win32.h"

namespace remvana {

void T_mainForm::FormCreate(HWND) {
    // The reader lives for the whole process, past this window.
    VersionInfo = createVersionInfo(instance(), *services().locale);
    // The rest of each entry is read after the window first shows the list.
    refreshList(ScanDepth::ListFirst);
    // From here on the list follows other programs' changes to the stores.
    startWatchingStores();
}

void T_mainForm::FormActivate(HWND) {
    // A program built without a version block has no caption and no version text; the
    // language setting is still kept tidy.
    if (VersionInfo) setCaption(VersionInfo->lookup("ProductName"));
    RegistryFactory& registry = *services().registry;
    const std::int32_t language = ReadLanguage(registry, kSettingsKey);
    SaveLanguage(registry, kSettingsKey, language);
    UpdateLang(language);
}

void T_mainForm::UpdateLang(int language) {
    if (!VersionInfo) return;
    const std::string label = LangString(*services().strings, language, 1);
    setStatusText(0, label + " " + VersionInfo->lookup("FileVersion"));
}

} // namespace remvana
