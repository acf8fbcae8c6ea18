#include "backup/restore_plan.h"

#include <algorithm>

#include "actions/action_errors.h"
#include "actions/commands.h"
#include "backup/entry_backup.h"

namespace remvana {
namespace {

std::size_t levelsOf(std::string_view path) {
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\')) + 1;
}

std::string firstComponent(const std::string& below) {
    return below.substr(0, below.find('\\'));
}

void checkNames(const RegFileSection& section, const EntryKeyAddress& key) {
    std::string_view rest = key.below;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\\'), rest.size());
        if (end > kLongestKeyNamePart)
            throw BackupError("the key \"" + section.keyPath + "\" has a name longer than " +
                              std::to_string(kLongestKeyNamePart) +
                              " characters, which the registry refuses");
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    // The store key's own levels count too: the root's subkey "SOFTWARE" is level 1.
    if (levelsOf(key.storePath.substr(0, key.storePath.size() - 1)) + levelsOf(key.below) >
        kDeepestKeyLevel)
        throw BackupError("the key \"" + section.keyPath.substr(0, 200) +
                          "...\" lies deeper than the registry's " +
                          std::to_string(kDeepestKeyLevel) + " levels");
    for (const RegValue& value : section.values)
        if (value.name.size() > kLongestValueName)
            throw BackupError("a value name of the key \"" + section.keyPath +
                              "\" is longer than the registry accepts");
}

// One key: "[-key]" removed deletes it with everything below, as Delete Entry does;
// otherwise the key is created and its values written.
void writeSection(RegistryFactory& registries, const RegFileSection& section) {
    const EntryKeyAddress key = *entryKeyAddressOf(section.keyPath);
    if (section.removeKey) {
        // Deleted relative to the store key opened for reading, as Delete Entry does: the
        // right to delete is asked for the entry's key alone.
        auto store = storeRegistry(registries, key.store, reg_access::Read);
        if (store->openKey(key.storePath)) store->deleteKey(key.below);
        auto check = storeRegistry(registries, key.store, reg_access::Read);
        if (check->openKey(key.storePath) && check->openKey(key.below))
            throw BackupError("The key \"" + section.keyPath + "\" cannot be replaced");
        return;
    }
    auto registry = storeRegistry(registries, key.store, reg_access::AllAccess);
    if (!registry->createKey("\\" + key.storePath) || !registry->createKey(key.below))
        throw RegistryError::createKeyFailed(section.keyPath);
    for (const RegValue& value : section.values)
        registry->writeValue(value.name, value.type, value.data);
}

void writeSections(RegistryFactory& registries, const std::vector<RegFileSection>& sections) {
    for (const RegFileSection& section : sections)
        writeSection(registries, section);
}

} // namespace

RestorePlan planRestore(std::vector<RegFileSection> sections) {
    std::optional<RestorePlan> plan;
    std::size_t values = 0;
    for (const RegFileSection& section : sections) {
        const auto key = entryKeyAddressOf(section.keyPath);
        if (!key)
            throw BackupError("the key \"" + section.keyPath +
                              "\" lies outside the uninstall entries a backup may restore");
        const std::string entry = firstComponent(key->below);
        if (!plan) plan = RestorePlan{key->store, entry, {}};
        if (!(key->store == plan->store) || !sameKeyName(entry, plan->keyName))
            throw BackupError("the key \"" + section.keyPath + "\" lies outside the entry \"" +
                              plan->keyName + "\" the backup is of");
        // The program removes only the entry's key and its usage record, and a usage record
        // has no keys below it.
        const bool usageRecord = key->storePath == storeKeyPath(EntryKeyKind::UsageRecord);
        if ((section.removeKey || usageRecord) && key->below != entry)
            throw BackupError("the key \"" + section.keyPath +
                              "\" is not one a Remvana backup writes");
        checkNames(section, *key);
        values += section.values.size();
        if (values > kMostBackupValues)
            throw BackupError("it holds more than " + std::to_string(kMostBackupValues) +
                              " values, far more than any entry's backup");
    }
    if (!plan) throw BackupError("it holds no registry keys");
    plan->sections = std::move(sections);
    return std::move(*plan);
}

bool entryKeyPresent(RegistryFactory& registries, const UninstallStore& store,
                     const std::string& keyName) {
    auto registry = storeRegistry(registries, store, reg_access::Read);
    if (!registry->openKey(kUninstallStorePath)) return false;
    return registry->openSubkey(keyName, reg_access::Read) || storeListsKey(*registry, keyName);
}

void carryOutRestore(RegistryFactory& registries, const RestorePlan& plan) {
    std::vector<RegFileSection> before;
    try {
        before = captureEntry(registries, plan.store, plan.keyName, true);
    } catch (const BackupError& e) {
        throw BackupError(asSentence(e.what()) + " Nothing was restored.");
    }
    try {
        writeSections(registries, plan.sections);
    } catch (const std::exception& e) {
        const std::string reason = asSentence(e.what());
        try {
            writeSections(registries, before);
        } catch (const std::exception& again) {
            throw BackupError(reason + " Putting the entry back as it was failed too: " +
                              asSentence(again.what()));
        }
        throw BackupError(reason + " The entry was put back as it was before the restore.");
    }
}

} // namespace remvana
