#include "cli/program_record.h"

#include <cstdio>

#include "actions/commands.h"
#include "inventory/formatting.h"

namespace remvana {
namespace {

constexpr std::int64_t kFileTimeUnitsPerMinute = 600000000;

RecordValue positiveOrNull(std::int64_t value) {
    if (value > 0) return value;
    return nullptr;
}

// Names do not depend on the time zone; an entry without a usage record never asks.
class UtcClock : public Clock {
  public:
    SystemTime now() override { return {}; }
    std::int64_t fileTimeToLocalFileTime(std::int64_t utc) override { return utc; }
};

} // namespace

std::optional<std::string> isoLocalTimeOf(std::int64_t fileTime, Clock& clock) {
    if (fileTime <= 0) return std::nullopt;
    const std::int64_t local = clock.fileTimeToLocalFileTime(fileTime);
    const SystemTime t = fileTimeToSystemTime(local);
    if (t.year < 1 || t.year > 9999) return std::nullopt;
    const std::int64_t offset = (local - fileTime) / kFileTimeUnitsPerMinute;
    const std::int64_t magnitude = offset < 0 ? -offset : offset;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, offset < 0 ? '-' : '+',
                  static_cast<int>(magnitude / 60), static_cast<int>(magnitude % 60));
    return std::string(text);
}

std::string storeNameOf(const UninstallStore& store) {
    if (store.root == RegRoot::CurrentUser) return "HKCU";
    return store.view == RegView::Bits32 ? "HKLM32" : "HKLM64";
}

std::string productCodeOf(const TAppInfo& info) {
    return isWindowsInstallerProduct(info) ? info.KeyName : std::string();
}

ProgramRecord programRecordOf(const TAppInfo& info, Clock& clock) {
    const auto integer = [](std::int32_t value) { return RecordValue(std::int64_t{value}); };
    const std::optional<std::string> lastUsed = isoLocalTimeOf(info.UsageRecord.lastUsed(), clock);
    return {
        {"key_name", info.KeyName},
        {"store", storeNameOf(info.Store)},
        {"name", info.DisplayName},
        {"version", info.DisplayVersion},
        {"publisher", info.Publisher},
        {"install_date", info.InstallDate},
        {"install_location", info.InstallLocation},
        {"install_source", info.InstallSource},
        {"language", integer(info.Language)},
        {"uninstall_string", info.UninstallString},
        {"identifying_number", productCodeOf(info)},
        {"comments", info.Comments},
        {"contact", info.Contact},
        {"display_icon", info.DisplayIcon},
        {"help_link", info.HelpLink},
        {"help_telephone", info.HelpTelephone},
        {"no_modify", integer(info.NoModify)},
        {"no_remove", integer(info.NoRemove)},
        {"no_repair", integer(info.NoRepair)},
        {"product_id", info.ProductID},
        {"read_me", info.ReadMe},
        {"reg_company", info.RegCompany},
        {"reg_owner", info.RegOwner},
        {"url_info_about", info.URLInfoAbout},
        {"url_update_info", info.URLUpdateInfo},
        // osquery's `version` is the display version; this is the registry's packed DWORD.
        {"version_dword", integer(info.Version)},
        {"version_major", integer(info.VersionMajor)},
        {"version_minor", integer(info.VersionMinor)},
        {"windows_installer", integer(info.WindowsInstaller)},
        {"modify_path", info.ModifyPath},
        {"size", positiveOrNull(info.UsageRecord.installedSize())},
        {"last_used", lastUsed ? RecordValue(*lastUsed) : RecordValue(nullptr)},
        {"frequency", info.FrequencyText},
    };
}

std::vector<std::string> programRecordNames() {
    std::vector<std::string> names;
    UtcClock clock;
    for (const RecordField& field : programRecordOf(TAppInfo{}, clock))
        names.emplace_back(field.name);
    return names;
}

} // namespace remvana
