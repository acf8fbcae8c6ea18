#include "backup/entry_backup.h"

#include <algorithm>
#include <cstdio>

namespace remvana {
namespace {

constexpr const char* kBackupsBelowAppData = "\\Kelvane\\Remvana\\Backups";
constexpr int kMostCopies = 9;
constexpr std::size_t kLongestKeyPart = 80;

// The key and everything below it, parents before children, each as "[-key]" followed by
// its contents only for the key itself (removing it removes the rest).
void captureTree(Registry& registry, const EntryStore& store, EntryKeyKind kind,
                 const std::string& keyName, const std::string& below,
                 std::vector<RegFileSection>& out) {
    const auto exportPath = exportPathOf(store, kind, keyName, below);
    if (!exportPath) throw BackupError("The key name \"" + below + "\" cannot be saved");
    const auto scoped = scopedKeyOf(*exportPath);
    if (!scoped || !registry.openKey(scoped->accessorPath))
        throw BackupError("The key \"" + *exportPath + "\" cannot be read");
    out.push_back(RegFileSection{*exportPath, false, registry.readAllValues()});
    for (const std::string& name : registry.subkeyNames())
        captureTree(registry, store, kind, keyName, below.empty() ? name : below + "\\" + name,
                    out);
}

// Whether the store key lists the entry's key: tells a key that is not there from one that
// is there but cannot be read.
bool listed(Registry& registry, const std::string& storePath, const std::string& keyName) {
    if (!registry.openKey(storePath)) return false;
    const std::vector<std::string> names = registry.subkeyNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return sameKeyName(name, keyName); });
}

void captureKey(Registry& registry, const EntryStore& store, EntryKeyKind kind,
                const std::string& keyName, bool mayBeAbsent, std::vector<RegFileSection>& out) {
    const auto exportPath = exportPathOf(store, kind, keyName);
    if (!exportPath) throw BackupError("The key name \"" + keyName + "\" cannot be saved");
    const std::string accessorPath = scopedKeyOf(*exportPath)->accessorPath;
    if (mayBeAbsent && !registry.openKey(accessorPath)) {
        const std::string storePath = accessorPath.substr(0, accessorPath.rfind('\\'));
        if (!listed(registry, storePath, keyName)) return; // nothing there to keep
    }
    out.push_back(RegFileSection{*exportPath, true, {}});
    captureTree(registry, store, kind, keyName, {}, out);
}

std::string twoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

bool keyStillThere(RegistryFactory& registries, const ScopedKey& key) {
    return entryStoreRegistry(registries, key.store, reg_access::Read)->openKey(key.accessorPath);
}

} // namespace

std::vector<RegFileSection> captureEntry(RegistryFactory& registries, const EntryStore& store,
                                         const std::string& keyName) {
    auto registry = entryStoreRegistry(registries, store, reg_access::Read);
    std::vector<RegFileSection> sections;
    captureKey(*registry, store, EntryKeyKind::Uninstall, keyName, false, sections);
    // Most entries have no usage record.
    captureKey(*registry, store, EntryKeyKind::UsageRecord, keyName, true, sections);
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
                            const EntryStore& store, const std::string& keyName) {
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
    }
    throw BackupError(reason);
}

std::vector<RegFileSection> loadBackup(FileSystem& files, const std::string& path) {
    std::string reason;
    const auto bytes = files.readFile(path, reason);
    if (!bytes) throw BackupError("Cannot read \"" + path + "\". " + reason);
    std::vector<RegFileSection> sections;
    try {
        sections = parseRegFile(*bytes);
    } catch (const BackupError& e) {
        throw BackupError("\"" + path + "\" is not a Remvana backup: " + e.what());
    }
    for (const RegFileSection& section : sections)
        if (!scopedKeyOf(section.keyPath))
            throw BackupError("\"" + path + "\" is refused: the key \"" + section.keyPath +
                              "\" lies outside the uninstall entries a backup may restore");
    return sections;
}

void restoreSections(RegistryFactory& registries, const std::vector<RegFileSection>& sections) {
    for (const RegFileSection& section : sections) {
        const ScopedKey key = *scopedKeyOf(section.keyPath);
        auto registry = entryStoreRegistry(registries, key.store, reg_access::AllAccess);
        if (section.removeKey) {
            registry->deleteKey(key.accessorPath);
            if (keyStillThere(registries, key))
                throw BackupError("The key \"" + section.keyPath + "\" cannot be replaced");
            continue;
        }
        if (!registry->createKey(key.accessorPath))
            throw RegistryError::createKeyFailed(section.keyPath);
        for (const RegValue& value : section.values)
            registry->writeValue(value.name, value.type, value.data);
    }
}

void restoreBackupFile(RegistryFactory& registries, FileSystem& files, const std::string& path) {
    restoreSections(registries, loadBackup(files, path));
}

} // namespace remvana
