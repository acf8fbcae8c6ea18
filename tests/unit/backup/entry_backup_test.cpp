#include <gtest/gtest.h>

#include "backup/entry_backup.h"
#include "backup/undo_history.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_files.h"
#include "fakes/fake_registry.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kUsage =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const std::string kHklmStore = "HKEY_LOCAL_MACHINE\\" + kStore;

std::string dump(const FakeRegistryFactory& registry, RegRoot root, const std::string& path) {
    return registry.treeText(root, path);
}

class EntryBackup : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& r = registry;
        const RegRoot hklm = RegRoot::LocalMachine;
        r.setString(hklm, kStore + "Beta", "DisplayName", "beta tool");
        r.setExpandString(hklm, kStore + "Beta", "DisplayIcon", "%TEMP%\\b.ico");
        r.setDword(hklm, kStore + "Beta", "NoModify", 1);
        r.setRaw(hklm, kStore + "Beta", "Odd", reg_type::Dword, {1, 2, 3});
        r.setRaw(hklm, kStore + "Beta", "Qword", reg_type::Qword, {1, 2, 3, 4, 5, 6, 7, 8});
        r.setMultiString(hklm, kStore + "Beta", "Multi", {"a", "b"});
        r.setBinary(hklm, kStore + "Beta\\Components\\Core", "Blob", {});
        r.createKey(hklm, kStore + "Beta\\Features");
        r.setBinary(hklm, kUsage + "Beta", "SlowInfoCache", std::vector<std::uint8_t>(552, 3));
        r.setString(hklm, kStore + "Beta2", "DisplayName", "neighbour");
    }

    std::string entryState() {
        return dump(registry, RegRoot::LocalMachine, kStore + "Beta") +
               dump(registry, RegRoot::LocalMachine, kUsage + "Beta") +
               dump(registry, RegRoot::LocalMachine, kStore + "Beta2");
    }
    std::string save() { return saveEntryBackup(registry, files, clock, kMachineStore64, "Beta"); }
    UndoStep step(const std::string& action, const std::string& name) {
        const std::string path = save();
        return UndoStep{action, {{name, path, files.files[path]}}};
    }
    // The message of the BackupError that restoring the file throws; empty when none does.
    std::string refusal(const std::string& path) {
        try {
            restoreBackupFile(registry, files, path);
        } catch (const BackupError& e) {
            return e.what();
        }
        return {};
    }
    void writeFile(const std::string& path, const std::vector<RegFileSection>& sections) {
        files.folders.insert(path.substr(0, path.rfind('\\')));
        files.files[path] = formatRegFile(sections);
    }

    FakeRegistryFactory registry;
    FakeFileSystem files;
    FakeClock clock;
};

TEST_F(EntryBackup, RestoringAfterADeletionOrAnEditGivesBackExactlyWhatWasSaved) {
    const std::string before = entryState();
    const std::string path = save();
    EXPECT_EQ("C:\\Users\\tester\\AppData\\Local\\Kelvane\\Remvana\\Backups\\"
              "2024-05-17 09-30-00 Beta.reg",
              path);

    // An edit that changes one value and adds another, and a new subkey.
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "renamed");
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "Contact", "new");
    registry.createKey(RegRoot::LocalMachine, kStore + "Beta\\Added");
    restoreBackupFile(registry, files, path);
    EXPECT_EQ(before, entryState());

    registry.create(RegRoot::LocalMachine, reg_access::AllAccess)
        ->deleteKey("\\" + kStore + "Beta");
    restoreBackupFile(registry, files, path);
    EXPECT_EQ(before, entryState());
}

TEST_F(EntryBackup, AnEntryWithoutUsageRecordLeavesThatKeyAlone) {
    registry.create(RegRoot::LocalMachine, reg_access::AllAccess)
        ->deleteKey("\\" + kUsage + "Beta");
    const std::string path = save();
    registry.setBinary(RegRoot::LocalMachine, kUsage + "Beta", "SlowInfoCache", {1});
    restoreBackupFile(registry, files, path);
    EXPECT_TRUE(registry.value(RegRoot::LocalMachine, kUsage + "Beta", "SlowInfoCache"));
}

// A key removed by someone else since the list was read: the backup records its absence,
// so the change that follows (which then fails) can still be taken back.
TEST_F(EntryBackup, AnEntryKeyThatIsGoneIsSavedAsGone) {
    const std::string path = saveEntryBackup(registry, files, clock, kMachineStore64, "Gone");
    const auto sections = parseRegFile(files.files[path]);
    ASSERT_EQ(1u, sections.size());
    EXPECT_TRUE(sections[0].removeKey);
    registry.setString(RegRoot::LocalMachine, kStore + "Gone", "DisplayName", "late");
    restoreBackupFile(registry, files, path);
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Gone"));
}

TEST_F(EntryBackup, TwoBackupsOfOneKeyWithinASecondGetTwoFiles) {
    const std::string first = save();
    const std::string second = save();
    EXPECT_NE(first, second);
    EXPECT_EQ(" (2).reg", second.substr(second.size() - 8));
}

TEST_F(EntryBackup, ABackupThatCannotBeWrittenLeavesNoFile) {
    files.writesFail = true;
    // The failing write's own reason, not the last of nine names tried.
    try {
        save();
        ADD_FAILURE() << "no error";
    } catch (const BackupError& e) {
        EXPECT_EQ("Cannot create file \"C:\\Users\\tester\\AppData\\Local\\Kelvane\\Remvana\\"
                  "Backups\\2024-05-17 09-30-00 Beta.reg\". There is not enough space on the disk",
                  std::string(e.what()));
    }
    files.writesFail = false;
    files.foldersRefused = true;
    EXPECT_THROW(save(), BackupError);
    files.appData.clear();
    EXPECT_THROW(save(), BackupError);
    EXPECT_TRUE(files.files.empty());
}

TEST_F(EntryBackup, AKeyThatCannotBeReadStopsTheBackup) {
    registry.allowOnly(RegRoot::LocalMachine, kStore + "Beta\\Features", 0);
    EXPECT_THROW(save(), BackupError);
    registry.allowOnly(RegRoot::LocalMachine, kUsage + "Beta", 0); // listed, but unreadable
    registry.allowOnly(RegRoot::LocalMachine, kStore + "Beta\\Features", 0xFFFFFFFFu);
    EXPECT_THROW(save(), BackupError);
    EXPECT_TRUE(files.files.empty());
}

TEST_F(EntryBackup, NamesTheFileByTimeAndKeyWithUnsafeCharactersReplaced) {
    EXPECT_EQ("2026-01-02 03-04-05 a_b_c_ _.reg",
              backupFileName({2026, 1, 2, 3, 4, 5, 0}, "a/b:c? \x01"));
    EXPECT_EQ("2026-01-02 03-04-05 k (3).reg", backupFileName({2026, 1, 2, 3, 4, 5, 0}, "k", 3));
}

TEST(BackupScope, NamesEachStoreAsTheRegistryEditorDoes) {
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\"
              "Uninstall\\b\\c",
              exportPathOf(kMachineStore32, EntryKeyKind::Uninstall, "b", "c"));
    EXPECT_EQ("HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\"
              "ARPCache\\b",
              exportPathOf(kUserStore, EntryKeyKind::UsageRecord, "b"));
    EXPECT_FALSE(exportPathOf(kMachineStore64, EntryKeyKind::Uninstall, ".."));
    // A neighbour whose name only begins like the store's is no part of it.
    EXPECT_FALSE(entryKeyAddressOf("HKEY_LOCAL_MACHINE\\" + kStore.substr(0, kStore.size() - 1) +
                                   "_evil\\Beta"));
    const auto scoped = entryKeyAddressOf(
        "hkey_local_machine\\software\\WOW6432NODE\\Microsoft\\Windows\\CurrentVersion\\"
        "Uninstall\\b\\c");
    ASSERT_TRUE(scoped);
    EXPECT_EQ(kMachineStore32, scoped->store);
    EXPECT_EQ(kStore, scoped->storePath);
    EXPECT_EQ("b\\c", scoped->below);
}

// The 32-bit store's keys are named under Wow6432Node and go back to that view only; on a
// machine with one view the same store carries no Wow6432Node in its names.
TEST_F(EntryBackup, AnEntryOfThe32BitStoreIsSavedAndRestoredInItsOwnView) {
    const FakeHive bits32{RegRoot::LocalMachine, RegView::Bits32};
    registry.setString(bits32, kStore + "Beta", "DisplayName", "beta 32");
    const std::string path = saveEntryBackup(registry, files, clock, kMachineStore32, "Beta");
    const auto sections = parseRegFile(files.files[path]);
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\" + kStore.substr(9) + "Beta",
              sections.at(1).keyPath);
    const std::string twin = entryState();
    registry.create(RegRoot::LocalMachine, reg_access::AllAccess | reg_access::View32)
        ->deleteKey("\\" + kStore + "Beta");
    restoreBackupFile(registry, files, path);
    EXPECT_EQ("beta 32", registry.text(bits32, kStore + "Beta", "DisplayName"));
    EXPECT_EQ(twin, entryState()) << "the 64-bit twin is untouched";

    registry.separate32BitView = false;
    const std::string single = saveEntryBackup(registry, files, clock, kMachineStore32, "Beta");
    EXPECT_EQ(kHklmStore + "Beta", parseRegFile(files.files[single]).at(1).keyPath);
}

TEST_F(EntryBackup, AFileReachingOutsideTheEntriesIsRefusedAndChangesNothing) {
    const std::string before = entryState();
    const std::vector<std::string> outside = {
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Beta",
        "HKEY_LOCAL_MACHINE\\" + kStore.substr(0, kStore.size() - 1), // the store itself
        kHklmStore,
        kHklmStore + "..",
        kHklmStore + "Beta\\..\\..\\Run",
        kHklmStore + "Beta\\\\x",
        // A neighbour whose name only begins like the store's.
        "HKEY_LOCAL_MACHINE\\" + kStore.substr(0, kStore.size() - 1) + "_evil\\Beta",
        "HKEY_USERS\\.DEFAULT\\" + kStore + "Beta",
    };
    for (const std::string& key : outside) {
        SCOPED_TRACE(key);
        const std::string path = "C:\\b\\outside.reg";
        // The first sections are in scope: nothing of them may be written either.
        writeFile(path, {{kHklmStore + "Beta", true, {}},
                         {kHklmStore + "Beta2", false, {{"X", ValueKind::Binary, {1}, 3}}},
                         {key, true, {}}});
        EXPECT_THROW(restoreBackupFile(registry, files, path), BackupError);
        EXPECT_EQ(before, entryState());
    }
    files.files["C:\\b\\text.reg"] = {'h', 'i'};
    EXPECT_THROW(restoreBackupFile(registry, files, "C:\\b\\text.reg"), BackupError);
    EXPECT_THROW(restoreBackupFile(registry, files, "C:\\b\\missing.reg"), BackupError);
    EXPECT_EQ(before, entryState());
}

TEST_F(EntryBackup, UndoRestoresNewestFirstAndKeepsAStepWhoseRestoreFailed) {
    const std::string original = entryState();
    UndoHistory history;
    history.push(step("Modify Properties", "beta tool"));
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "second");
    const std::string afterFirst = entryState();
    clock.fixedNow.second = 1;
    history.push(step("Delete Entry", "second"));
    registry.create(RegRoot::LocalMachine, reg_access::AllAccess)
        ->deleteKey("\\" + kStore + "Beta");
    EXPECT_EQ("Undo: Delete Entry \"second\"", undoTooltip(history.newest()));

    registry.allowOnly(RegRoot::LocalMachine, kStore, reg_access::Read);
    EXPECT_THROW(history.undoNewest(registry, files, clock), BackupError);
    EXPECT_EQ("Delete Entry", history.newest().action);
    EXPECT_EQ(2u, files.files.size());

    registry.allowOnly(RegRoot::LocalMachine, kStore, 0xFFFFFFFFu);
    history.undoNewest(registry, files, clock);
    EXPECT_EQ(afterFirst, entryState());
    history.undoNewest(registry, files, clock);
    EXPECT_EQ(original, entryState());
    EXPECT_TRUE(history.empty());
}

// Every file here would have changed more than the one entry, or left it half-replaced, or
// run for minutes: each is refused before anything is written.
TEST_F(EntryBackup, ARestoreOfAnythingButOneEntrysShapeIsRefusedBeforeAnyWrite) {
    const std::string entry = kHklmStore + "Beta";
    const std::string usage = "HKEY_LOCAL_MACHINE\\" + kUsage + "Beta";
    const RegValue one{"DisplayName", ValueKind::String, {'x', 0}, reg_type::String};
    std::string deep = entry;
    for (int level = 0; level < 600; ++level)
        deep += "\\a";
    const std::vector<RegValue> many(kMostBackupValues + 1, one);
    RegValue longName = one;
    longName.name.assign(kLongestValueName + 1, 'v');
    struct Case {
        const char* what;
        std::vector<RegFileSection> sections;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"another entry of the store",
         {{entry, true, {}}, {kHklmStore + "Beta2", true, {}}},
         "lies outside the entry \"Beta\""},
        {"the entry in another store",
         {{entry, true, {}}, {"HKEY_CURRENT_USER\\" + kStore + "Beta", false, {one}}},
         "lies outside the entry \"Beta\""},
        {"a removal below the entry",
         {{entry + "\\Components", true, {}}},
         "is not one a Remvana backup writes"},
        {"a key below the usage record",
         {{usage + "\\x", false, {one}}},
         "is not one a Remvana backup writes"},
        {"a key name too long",
         {{entry, true, {}},
          {entry, false, {one}},
          {entry + "\\" + std::string(300, 'k'), false, {}}},
         "longer than 255 characters"},
        {"a key too deep",
         {{entry, true, {}}, {entry, false, {one}}, {deep, false, {}}},
         "deeper than the registry's 512 levels"},
        {"a value name too long",
         {{entry, true, {}}, {entry, false, {longName}}},
         "is longer than the registry accepts"},
        {"too many values", {{entry, true, {}}, {entry, false, many}}, "more than 20000 values"},
    };
    const std::string before = entryState();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("C:\\b\\shape.reg", c.sections);
        EXPECT_NE(std::string::npos, refusal("C:\\b\\shape.reg").find(c.reason))
            << refusal("C:\\b\\shape.reg");
        EXPECT_EQ(before, entryState());
    }
    files.files["C:\\b\\huge.reg"] = std::vector<std::uint8_t>(kLargestBackupFile + 2, 0);
    EXPECT_NE(std::string::npos, refusal("C:\\b\\huge.reg").find("far larger than any backup"));
    EXPECT_EQ(before, entryState());
}

// A write the registry still refuses part-way: the entry is put back as it was just before.
TEST_F(EntryBackup, AWriteThatFailsPartWayPutsTheEntryBackAsItWas) {
    const std::string path = save();
    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "edited");
    registry.setString(RegRoot::LocalMachine, kStore + "Beta\\Added", "X", "y");
    auto key = registry.create(RegRoot::LocalMachine, reg_access::AllAccess);
    ASSERT_TRUE(key->openKey("\\" + kStore + "Beta") && key->deleteValue("Qword"));
    const std::string edited = entryState();
    // Written after DisplayName and NoModify; the state before the restore has none.
    registry.calls.refusedValueName = "Qword";
    EXPECT_EQ("Failed to set data for 'Qword'. The entry was put back as it was before the "
              "restore.",
              refusal(path));
    EXPECT_EQ(edited, entryState());
}

TEST_F(EntryBackup, UndoRefusesABackupFileChangedSinceItWasWritten) {
    UndoHistory history;
    history.push(step("Delete Entry", "beta tool"));
    const std::string path = history.newest().entries[0].backupFile;
    registry.create(RegRoot::LocalMachine, reg_access::AllAccess)
        ->deleteKey("\\" + kStore + "Beta");
    const std::string deleted = entryState();
    // A sound backup of another entry, put in the file's place.
    files.files[path] =
        formatRegFile({{kHklmStore + "Beta2", true, {}}, {kHklmStore + "Planted", false, {}}});
    try {
        history.undoNewest(registry, files, clock);
        ADD_FAILURE() << "a changed file was restored";
    } catch (const BackupError& e) {
        EXPECT_EQ("The backup \"" + path +
                      "\" was changed since it was written; nothing was restored.",
                  e.what());
    }
    EXPECT_EQ(deleted, entryState());
    EXPECT_FALSE(registry.keyExists(RegRoot::LocalMachine, kStore + "Planted"));
    EXPECT_FALSE(history.empty());
}

TEST_F(EntryBackup, UndoOfADeletionAsksBeforeReplacingANewerRegistrationAndBacksItUpFirst) {
    UndoHistory history;
    const std::string original = entryState();
    UndoStep deletion = step("Delete Entry", "beta tool");
    deletion.entries[0].entryRemoved = true;
    history.push(std::move(deletion));
    registry.create(RegRoot::LocalMachine, reg_access::AllAccess)
        ->deleteKey("\\" + kStore + "Beta");
    EXPECT_EQ(std::nullopt, history.replaceQuestion(registry)) << "nothing registered since";

    registry.setString(RegRoot::LocalMachine, kStore + "Beta", "DisplayName", "newer");
    EXPECT_EQ("beta tool is registered again since it was deleted. Replace that registration "
              "with the one from the backup?",
              history.replaceQuestion(registry));
    clock.fixedNow.second = 1;
    history.undoNewest(registry, files, clock);
    EXPECT_EQ(original, entryState());
    ASSERT_EQ(2u, files.files.size());
    const auto newer = parseRegFile(std::prev(files.files.end())->second);
    EXPECT_EQ("newer", textOfValue(newer.at(1).values.at(0).data)) << "the newer one is kept";
}

} // namespace
} // namespace remvana
