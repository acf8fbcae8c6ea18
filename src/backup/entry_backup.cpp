#include "backup/entry_backup.h"

#include <algorithm>
#include <cstdio>

#include "actions/commands.h"

namespace remvana {
namespace {

constexpr const char* kBackupsBelowAppData = "\\Kelvane\\Remvana\\Backups";
constexpr int kMostCopies = 9;
constexpr std::size_t kLongestKeyPart = 80;

// The open key and everything below it, parents before children. Subkeys are opened
// relative to their parent, so no limit on the length of a whole path applies.
void captureTree(Registry& key, const std::string& exportPath, std::vector<RegFileSection>& out) {
    out.push_back(RegFileSection{exportPath, false, key.readAllValues()});
    for (const std::string& name : key.subkeyNames()) {
        const std::string childPath = exportPath + "\\" + name;
        if (!isSingleKeyName(name))
            throw BackupError("The key \"" + childPath + "\" cannot be saved");
        const std::unique_ptr<Registry> child = key.openSubkey(name, reg_access::Read);
        if (!child) throw BackupError("The key \"" + childPath + "\" cannot be read");
        captureTree(*child, childPath, out);
    }
}

// "[-key]" first, so that restoring replaces whatever the key holds by then; then the key
// with its contents.
void captureKey(RegistryFactory& registries, const UninstallStore& store, EntryKeyKind kind,
                const std::string& keyName, bool keepAbsence, std::vector<RegFileSection>& out) {
    const auto exportPath = exportPathOf(store, kind, keyName);
    if (!exportPath) throw BackupError("The key name \"" + keyName + "\" cannot be saved");
    auto storeKey = storeRegistry(registries, store, reg_access::Read);
    const bool storeOpen = storeKey->openKey(storeKeyPath(kind));
    const auto key = storeOpen ? storeKey->openSubkey(keyName, reg_access::Read) : nullptr;
    const bool absent = !key && !(storeOpen && storeListsKey(*storeKey, keyName));
    if (!key && !absent) throw BackupError("The key \"" + *exportPath + "\" cannot be read");
    // An entry key that is not there is kept as "[-key]" alone: the change that follows
    // creates nothing, and restoring gives that state back. A missing usage record is left
    // out, since no action touches it.
    if (absent && !keepAbsence) return;
    out.push_back(RegFileSection{*exportPath, true, {}});
    if (key) captureTree(*key, *exportPath, out);
}

std::string twoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

} // namespace

std::vector<RegFileSection> captureEntry(RegistryFactory& registries, const UninstallStore& store,
                                         const std::string& keyName, bool keepAbsentUsageRecord) {
    const UninstallStore named = namedStoreOf(store, registries);
    std::vector<RegFileSection> sections;
    captureKey(registries, named, EntryKeyKind::Uninstall, keyName, true, sections);
    // Most entries have no usage record.
    captureKey(registries, named, EntryKeyKind::UsageRecord, keyName, keepAbsentUsageRecord,
               sections);
    return sections;
}

std::string backupFolder(FileSystem& files) {
    const std::string appData = files.localAppDataFolder();
    if (appData.empty()) throw BackupError("The local application data folder is not known");
    return appData + kBackupsBelowAppData;
}

std::string backupFileName(const SystemTime& at, const std::string& keyName, int copy) {
    std::string name = std::to_string(at.year) + "-" + twoDigits(at.month) + "-" +
                       twoDigits(at.day) + " " + twoDigits(at.hour) + "-" + twoDigits(at.minute) +
                       "-" + twoDigits(at.second) + " ";
    std::string key = keyName.substr(0, kLongestKeyPart);
    for (char& c : key)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = '_';
    name += key;
    if (copy > 1) name += " (" + std::to_string(copy) + ")";
    return name + ".reg";
}

std::string saveEntryBackup(RegistryFactory& registries, FileSystem& files, Clock& clock,
                            const UninstallStore& store, const std::string& keyName) {
    const std::vector<std::uint8_t> bytes = formatRegFile(captureEntry(registries, store, keyName));
    const std::string folder = backupFolder(files);
    if (!files.createFolders(folder))
        throw BackupError("The folder \"" + folder + "\" cannot be created");
    const SystemTime now = clock.now();
    std::string reason;
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const std::string path = folder + "\\" + backupFileName(now, keyName, copy);
        const auto failure = files.writeNewFile(path, bytes);
        if (!failure) {
            // Read back, so a backup is only trusted once it is on disk as it was meant.
            std::string readReason;
            if (files.readFile(path, readReason) == bytes) return path;
            throw BackupError("The file \"" + path + "\" does not read back as written");
        }
        reason = "Cannot create file \"" + path + "\". " + *failure;
        // Nothing is left behind by a failed write: a file there now is one that took the
        // name first. Any other failure (a full disk) is the reason to tell.
        std::string unused;
        if (!files.readFile(path, unused)) break;
    }
    throw BackupError(reason);
}

RestorePlan planOfBackup(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    if (bytes.size() > kLargestBackupFile)
        throw BackupError("\"" + path + "\" is refused: at " + std::to_string(bytes.size() >> 20) +
                          " MB it is far larger than any backup Remvana writes");
    std::vector<RegFileSection> sections;
    try {
        sections = parseRegFile(bytes);
    } catch (const BackupError& e) {
        throw BackupError("\"" + path + "\" is not a Remvana backup: " + e.what());
    }
    try {
        return planRestore(std::move(sections));
    } catch (const BackupError& e) {
        throw BackupError("\"" + path + "\" is refused: " + e.what());
    }
}

std::vector<std::uint8_t> readBackup(FileSystem& files, const std::string& path) {
    std::string reason;
    auto bytes = files.readFile(path, reason);
    if (!bytes) throw BackupError("Cannot read \"" + path + "\". " + reason);
    return std::move(*bytes);
}

void restoreBackupFile(RegistryFactory& registries, FileSystem& files, const std::string& path) {
    carryOutRestore(registries, planOfBackup(readBackup(files, path), path));
}

} // namespace remvana
