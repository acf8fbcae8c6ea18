// Backups and Undo in the real window against the real registry: Delete Entry and Modify
// Properties are taken back byte for byte, the backup file imports with the system's own
// registry editor, and an action whose backup cannot be written does nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/layout.h"
#include "dialog_answerer.h"
#include "machine_keys.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::wstring kStoreW = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kUsageW =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const std::wstring kKeyW = L"RemvanaUndo \"Beta\"";
const std::string kName = "Undo beta tool \xC3\xA9";

void setRaw(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size,
            REGSAM view = 0) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS | view, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

void setText(const std::wstring& path, const wchar_t* name, DWORD type, const std::wstring& text,
             REGSAM view = 0) {
    setRaw(path, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2), view);
}

// Every value (type and stored bytes, through the wide API so nothing is converted) and
// every key below `path`, in one text.
std::string dump(const std::wstring& path, REGSAM view = KEY_WOW64_64KEY) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return "(absent)\n";
    std::string text(1, '[');
    text.append(path.begin(), path.end()).append("]\n");
    std::vector<std::wstring> values, subkeys;
    wchar_t name[512];
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        values.emplace_back(name, length);
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = 512;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.emplace_back(name, length);
    }
    std::sort(values.begin(), values.end());
    std::sort(subkeys.begin(), subkeys.end());
    for (const std::wstring& value : values) {
        BYTE data[4096];
        DWORD type = 0, size = sizeof data;
        RegQueryValueExW(key, value.c_str(), nullptr, &type, data, &size);
        text += std::string(value.begin(), value.end()) + " " + std::to_string(type) + ":";
        char hex[4];
        for (DWORD b = 0; b < size; ++b) {
            std::snprintf(hex, sizeof hex, "%02x", data[b]);
            text += hex;
        }
        text += "\n";
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys)
        text += dump(path + L"\\" + subkey, view);
    return text;
}

class MainFormUndo : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        const std::wstring entry = kStoreW + kKeyW;
        setText(entry, L"DisplayName", REG_SZ, L"Undo beta tool \u00E9");
        setText(entry, L"Publisher", REG_SZ, L"Kelvane \"Labs\" C:\\x");
        setText(entry, L"", REG_SZ, L"default");
        setText(entry, L"DisplayIcon", REG_EXPAND_SZ, L"%SystemRoot%\\b.ico");
        setRaw(entry, L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);
        const DWORD number = 0xFFFFFFFE;
        setRaw(entry, L"NoModify", REG_DWORD, &number, 4);
        setRaw(entry, L"Odd", REG_DWORD, "\1\2\3", 3);
        setRaw(entry, L"Qword", REG_QWORD, "\1\2\3\4\5\6\7\x08", 8);
        setRaw(entry, L"Blob", REG_BINARY, "\xAB\0\xCD", 3);
        setRaw(entry, L"Nothing", REG_NONE, nullptr, 0);
        setText(entry + L"\\Components\\Core", L"Path", REG_SZ, L"C:\\Beta\\core.dll");
        setRaw(entry + L"\\Features", L"Empty", REG_BINARY, nullptr, 0);
        const std::vector<BYTE> usage(552, 7);
        setRaw(kUsageW + kKeyW, L"SlowInfoCache", REG_BINARY, usage.data(), 552);
        before = state();
        openWindow();
        selectRow(kName);
    }

    void TearDown() override {
        MainWindowFixture::TearDown();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kStoreW + kKeyW).c_str());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kUsageW + kKeyW).c_str());
        HKEY store32 = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kStoreW.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          &store32) == ERROR_SUCCESS) {
            RegDeleteTreeW(store32, kKeyW.c_str());
            RegCloseKey(store32);
        }
    }

    static std::string state() { return dump(kStoreW + kKeyW) + dump(kUsageW + kKeyW); }
    std::string undoTip() {
        return controlTooltip(form().tooltips(), controlOf(form(), layout::kUndoButtonId));
    }
    void deleteEntry() {
        testing::DialogAnswerer user("Confirm", IDOK);
        testing::clickControl(controlOf(form(), layout::kDeleteEntryButtonId));
        ASSERT_TRUE(user.answered());
        waitForRefresh();
    }

    std::string before;
};

TEST_F(MainFormUndo, DeleteEntryThenUndoRestoresTheWholeEntryByteForByte) {
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kUndoButtonId)));
    ASSERT_NO_FATAL_FAILURE(deleteEntry());
    EXPECT_EQ("(absent)\n", dump(kStoreW + kKeyW));
    EXPECT_EQ(-1, rowOf(kName));
    ASSERT_EQ(1u, files.backups().size());
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kUndoButtonId)));
    EXPECT_EQ("Undo: Delete Entry \"" + kName + "\" (Ctrl+Z)", undoTip());
    testing::saveScreenshot(window(), "undo_enabled");

    testing::clickControl(controlOf(form(), layout::kUndoButtonId));
    waitForRefresh();
    EXPECT_EQ(before, state());
    EXPECT_GE(rowOf(kName), 0);
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kUndoButtonId)));
    EXPECT_EQ(1u, files.backups().size()) << "the backup stays where the user can find it";
    EXPECT_TRUE(errors.empty());
}

// Three entries deleted after one question; one Undo gives all of them back byte for byte.
TEST_F(MainFormUndo, DeleteEntryOfThreeThenOneUndoRestoresThemAll) {
    const std::wstring gamma = kStoreW + L"RemvanaUndo Gamma",
                       delta = kStoreW + L"RemvanaUndo Delta";
    setText(gamma, L"DisplayName", REG_SZ, L"Undo gamma");
    setText(gamma, L"QuietUninstallString", REG_SZ, L"gamma.exe /S");
    setText(delta + L"\\Sub", L"V", REG_EXPAND_SZ, L"%TEMP%");
    setText(delta, L"DisplayName", REG_SZ, L"Undo delta");
    const std::string all = state() + dump(gamma) + dump(delta);
    refreshAndWait();
    selectRow(kName);
    addToSelection("Undo gamma");
    addToSelection("Undo delta");
    {
        testing::DialogAnswerer user("Confirm", IDOK);
        testing::clickControl(controlOf(form(), layout::kDeleteEntryButtonId));
        ASSERT_TRUE(user.answered());
        EXPECT_NE(std::string::npos, user.messageText().find("these 3 programs"))
            << user.messageText();
    }
    EXPECT_EQ("(absent)\n(absent)\n(absent)\n", dump(kStoreW + kKeyW) + dump(gamma) + dump(delta));
    EXPECT_EQ(3u, files.backups().size());
    EXPECT_EQ("Undo: Delete Entry (3 programs) (Ctrl+Z)", undoTip());

    testing::clickControl(controlOf(form(), layout::kUndoButtonId));
    EXPECT_EQ(all, state() + dump(gamma) + dump(delta));
    EXPECT_GE(rowOf("Undo gamma"), 0);
    EXPECT_TRUE(errors.empty());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, gamma.c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, delta.c_str());
}

TEST_F(MainFormUndo, ModifyPropertiesThenUndoPutsBackTheOldValues) {
    std::string publisher = "Changed";
    form().ParamLabelParamEditDone(controlOf(form(), layout::kParamLabelId), "Publisher",
                                   publisher);
    std::string name = "Renamed";
    form().ParamLabelParamEditDone(controlOf(form(), layout::kParamLabelId), "DisplayName", name);
    testing::clickControl(controlOf(form(), layout::kModifyPropertiesButtonId));
    ASSERT_NE(before, state());
    EXPECT_EQ("Undo: Modify Properties \"" + kName + "\" (Ctrl+Z)", undoTip());

    testing::clickControl(controlOf(form(), layout::kUndoButtonId));
    waitForRefresh();
    EXPECT_EQ(before, state());
    EXPECT_GE(rowOf(kName), 0);
    EXPECT_EQ(-1, rowOf("Renamed"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormUndo, TheBackupImportsWithTheSystemsRegistryEditor) {
    ASSERT_NO_FATAL_FAILURE(deleteEntry());
    ASSERT_EQ(1u, files.backups().size());
    testing::ChildProcess regedit("regedit.exe /S \"" + files.backups()[0] + "\"");
    ASSERT_TRUE(regedit.started());
    EXPECT_TRUE(regedit.waitOrEnd(60000));
    EXPECT_EQ(before, state());
}

// The 32-bit twin of the entry is backed up and restored in its own view, named under
// Wow6432Node; the 64-bit entry of the same key name is not touched.
TEST_F(MainFormUndo, AnEntryOfThe32BitStoreComesBackInItsOwnView) {
    setText(kStoreW + kKeyW, L"DisplayName", REG_SZ, L"Undo 32", KEY_WOW64_32KEY);
    setText(kStoreW + kKeyW + L"\\Sub", L"V", REG_SZ, L"x", KEY_WOW64_32KEY);
    const std::string twin32 = dump(kStoreW + kKeyW, KEY_WOW64_32KEY);
    refreshAndWait();
    selectRow("Undo 32");
    ASSERT_NO_FATAL_FAILURE(deleteEntry());
    EXPECT_EQ("(absent)\n", dump(kStoreW + kKeyW, KEY_WOW64_32KEY));
    ASSERT_EQ(1u, files.backups().size());
    std::ifstream file(files.backups()[0], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    std::string wide; // the ASCII of the UTF-16 text
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        wide += bytes[i];
    EXPECT_NE(std::string::npos,
              wide.find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft"));

    testing::clickControl(controlOf(form(), layout::kUndoButtonId));
    EXPECT_EQ(twin32, dump(kStoreW + kKeyW, KEY_WOW64_32KEY));
    EXPECT_EQ(before, state());
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainFormUndo, ADeletionWhoseBackupCannotBeWrittenDoesNothing) {
    // The folder cannot be made below a file.
    const std::string blocker = files.appData + "-file";
    std::ofstream(blocker) << "x";
    files.appData = blocker;
    ASSERT_NO_FATAL_FAILURE(deleteEntry());
    DeleteFileA(blocker.c_str());
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Delete Entry did nothing: no complete backup of \"" + kName +
                                 "\" could be written. The folder "))
        << errors[0];
    EXPECT_EQ(before, state());
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kUndoButtonId)));
}

// A file put where the backup was is not what this run saved: Undo refuses it and writes
// nothing, even though it is a sound backup of uninstall entries.
TEST_F(MainFormUndo, AChangedBackupFileIsRefusedByUndoWithNothingWritten) {
    ASSERT_NO_FATAL_FAILURE(deleteEntry());
    ASSERT_EQ(1u, files.backups().size());
    const std::string path = files.backups()[0];
    {
        std::ifstream file(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), {});
        // The same file with one more key: the key name's UTF-16 "Beta" becomes "Bets".
        const std::string beta("B\0e\0t\0a\0", 8);
        const std::size_t at = bytes.find(beta);
        ASSERT_NE(std::string::npos, at);
        bytes[at + 6] = 's';
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    const std::string deleted = state();
    testing::clickControl(controlOf(form(), layout::kUndoButtonId));
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ("The backup \"" + path + "\" was changed since it was written; nothing was restored.",
              errors[0]);
    EXPECT_EQ(deleted, state());
    EXPECT_EQ("(absent)\n", dump(kStoreW + L"RemvanaUndo \"Bets\""));
    EXPECT_TRUE(IsWindowEnabled(controlOf(form(), layout::kUndoButtonId))) << "the step stays";
}

TEST_F(MainFormUndo, TheNarrowestWindowStillShowsEveryToolButton) {
    const Rect undo = testing::placeOf(controlOf(form(), layout::kUndoButtonId));
    const Rect deleteEntry = testing::placeOf(controlOf(form(), layout::kDeleteEntryButtonId));
    EXPECT_EQ(deleteEntry.top, undo.top);
    EXPECT_EQ(deleteEntry.width(), undo.width());
    EXPECT_EQ(deleteEntry.height(), undo.height());
    EXPECT_EQ(deleteEntry.right + 4, undo.left);
    resizeWindow(500, 677);
    EXPECT_EQ(layout::kMinWindowWidth, testing::windowRectOf(window()).width());
    EXPECT_LT(undo.right, testing::placeOf(controlOf(form(), layout::kRefreshButtonId)).left);
    EXPECT_EQ(359, testing::placeOf(controlOf(form(), layout::kDeleteEntryButtonId)).left);
    testing::saveScreenshot(window(), "narrowest_window");
}

} // namespace
} // namespace remvana
