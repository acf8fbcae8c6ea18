// Names and values outside every legacy code page, in the real window against the real
// registry: keys are seeded and values read back through the wide API, so the test sees
// exactly the characters the registry holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "actions/win32/audit_report_file.h"

#include "inventory/app_info.h"
#include "inventory/program_inventory.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "platform/utf8.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::wstring kStoreW = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kChineseKey = L"RemvanaU \u4E2D\u6587";
const std::wstring kFullwidthKey = L"RemvanaU \uFF34\uFF25\uFF33\uFF34";
const std::wstring kVictimKey = L"RemvanaU Victim";
const std::wstring kLookAlikeKey = L"RemvanaU Victim\uFF3CSub"; // fullwidth reverse solidus
const std::wstring kLoneSurrogateKey = L"RemvanaU Lone \xD800";
const std::wstring kEverything = L"Caf\u00E9 \u20AC \u0101 \u03A9 \u65E5\u672C\u8A9E \U0001F600";

std::string utf8(const std::wstring& wide) {
    return utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

bool setWide(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kStoreW + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc =
        RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

std::wstring readWide(const std::wstring& key, const wchar_t* name) {
    wchar_t data[256] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, (kStoreW + key).c_str(), name, RRF_RT_REG_SZ, nullptr,
                     data, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return data;
}

const TAppInfo* entryNamed(const std::string& keyName) {
    const InventoryArray& all = Inventory.completeAll();
    auto found = std::find_if(all.begin(), all.end(),
                              [&](const TAppInfo& e) { return e.KeyName == keyName; });
    return found == all.end() ? nullptr : &*found;
}

class UnicodeNames : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(setWide(kChineseKey, L"DisplayName", L"\u4E2D\u6587\u7A0B\u5E8F \U0001F600"));
        ASSERT_TRUE(setWide(kChineseKey, L"Publisher", L"old"));
        ASSERT_TRUE(setWide(kFullwidthKey, L"DisplayName", L"Fullwidth Test"));
        ASSERT_TRUE(setWide(kVictimKey, L"DisplayName", L"Victim Parent"));
        ASSERT_TRUE(setWide(kVictimKey + L"\\Sub", L"DisplayName", L"NESTED KEY"));
        ASSERT_TRUE(setWide(kVictimKey + L"\\Sub", L"UninstallString", L"nested-uninstall.exe"));
        ASSERT_TRUE(setWide(kLookAlikeKey, L"DisplayName", L"Look-alike Entry"));
        openWindow();
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        for (const std::wstring& key :
             {kChineseKey, kFullwidthKey, kVictimKey, kLookAlikeKey, kLoneSurrogateKey})
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kStoreW + key).c_str());
    }
    // Clicks the anchor where the label drew it; the editor it opened, or nullptr.
    TPopupEdit* openEditor(TParamLabel& label, const std::string& href) {
        std::optional<Rect> r = label.anchorRectOf(ParamAnchorIndex(label.markupText(), href) + 1);
        if (!r) return nullptr;
        LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
        SendMessageA(label.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(label.hwnd(), WM_LBUTTONUP, 0, at);
        testing::pumpMessages(10);
        TPopupEdit* editor = label.textEditor_.get();
        return editor && editor->visible() ? editor : nullptr;
    }
    void pressReturn(TPopupEdit& editor) {
        SendMessageW(editor.editWindow(), WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(editor.editWindow(), WM_KEYUP, VK_RETURN, 1);
        testing::pumpMessages(10);
    }
};

TEST_F(UnicodeNames, EveryEntryIsListedUnderItsOwnKey) {
    const std::string chineseName = utf8(L"\u4E2D\u6587\u7A0B\u5E8F \U0001F600");
    EXPECT_GE(rowOf(chineseName), 0);
    EXPECT_GE(rowOf("Fullwidth Test"), 0);
    EXPECT_GE(rowOf("Look-alike Entry"), 0);
    EXPECT_NE(nullptr, entryNamed(utf8(kChineseKey)));
    EXPECT_NE(nullptr, entryNamed(utf8(kFullwidthKey)));

    // The look-alike name never reaches the nested key "Victim\Sub" of another entry.
    const TAppInfo* lookAlike = entryNamed(utf8(kLookAlikeKey));
    ASSERT_NE(nullptr, lookAlike);
    EXPECT_EQ("Look-alike Entry", lookAlike->DisplayName);
    EXPECT_EQ("", lookAlike->UninstallString);
    EXPECT_EQ(-1, rowOf("NESTED KEY"));
    selectRow("Look-alike Entry");
    const std::string markup =
        TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))->htmlLine(0);
    EXPECT_NE(std::string::npos, markup.find("Look-alike Entry"));
    EXPECT_EQ(std::string::npos, markup.find("NESTED"));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kRemoveButtonId)));
    EXPECT_TRUE(errors.empty());
}

TEST_F(UnicodeNames, AnEditRoundTripsThroughEditorRegistryAndDetails) {
    const std::string chineseName = utf8(L"\u4E2D\u6587\u7A0B\u5E8F \U0001F600");
    selectRow(chineseName);
    TParamLabel* label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
    ASSERT_NE(nullptr, label);
    TPopupEdit* editor = openEditor(*label, "Publisher");
    ASSERT_NE(nullptr, editor);
    // Typed as a keyboard delivers it: one character message per UTF-16 unit.
    for (wchar_t unit : kEverything)
        SendMessageW(editor->editWindow(), WM_CHAR, unit, 1);
    testing::pumpMessages(10);
    testing::saveScreenshot(GetDesktopWindow(), "unicode_editor_open");
    pressReturn(*editor);
    testing::clickControl(controlOf(form(), layout::kModifyPropertiesButtonId));
    testing::pumpMessages(20);

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(kEverything, readWide(kChineseKey, L"Publisher"));
    // Read back by a fresh selection: the details show the stored text itself.
    selectRow("Fullwidth Test");
    selectRow(chineseName);
    EXPECT_NE(std::string::npos, label->htmlLine(0).find(utf8(kEverything)));
    testing::saveScreenshot(GetDesktopWindow(), "unicode_details");
}

// Even UTF-8 cannot hold a lone surrogate: such an edit is refused with a message naming the
// value, and nothing is recorded or shown in its place.
TEST_F(UnicodeNames, AnEditTheCodePageCannotHoldIsRefusedNamingTheValue) {
    selectRow(utf8(L"\u4E2D\u6587\u7A0B\u5E8F \U0001F600"));
    TParamLabel* label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
    ASSERT_NE(nullptr, label);
    const std::string before = label->htmlLine(0);
    TPopupEdit* editor = openEditor(*label, "Publisher");
    ASSERT_NE(nullptr, editor);
    SendMessageW(editor->editWindow(), WM_CHAR, L'x', 1);
    SendMessageW(editor->editWindow(), WM_CHAR, 0xD800, 1);
    pressReturn(*editor);
    // Refused, with the editor still open to put the text right; Escape then drops it.
    EXPECT_TRUE(editor->visible());
    SendMessageW(editor->editWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    testing::pumpMessages(10);
    EXPECT_FALSE(editor->visible());
    EXPECT_EQ((std::vector<std::string>{"The new text for 'Publisher' has characters this "
                                        "system's code page cannot store; it was not changed."}),
              errors);
    EXPECT_EQ(before, label->htmlLine(0));
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kModifyPropertiesButtonId)));
    EXPECT_EQ(L"old", readWide(kChineseKey, L"Publisher"));
}

TEST_F(UnicodeNames, TheReportAndTheUninstallCommandCarryTheTextExactly) {
    const std::string recordFile = testing::ownFolder() + "record_command_line.txt";
    DeleteFileA(recordFile.c_str());
    std::string command = "\"";
    command += testing::ownFolder();
    command += "record_command_line.exe\" /uninstall ";
    command += utf8(kEverything);
    ASSERT_TRUE(testing::setMachineString(testing::kUninstallStore + utf8(kChineseKey),
                                          "UninstallString", command));
    refreshAndWait();
    const std::string chineseName = utf8(L"\u4E2D\u6587\u7A0B\u5E8F \U0001F600");
    selectRow(chineseName);
    testing::clickControl(controlOf(form(), layout::kRemoveButtonId));
    EXPECT_EQ(command + "\n", testing::waitForFile(recordFile));
    DeleteFileA(recordFile.c_str());

    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string reportPath = std::string(temp) + "remvana-unicode-report.txt";
    setAuditReportPathChooser([&](HWND, const std::string&) { return reportPath; });
    testing::clickControl(controlOf(form(), layout::kSavetofileButtonId));
    testing::pumpMessages(20);
    setAuditReportPathChooser({});
    const std::string report = testing::readFile(reportPath);
    DeleteFileA(reportPath.c_str());
    // UTF-8 without a byte-order mark: the first line starts at the first byte.
    EXPECT_EQ(0u, report.find("Software Audit Report for: "));
    EXPECT_NE(std::string::npos,
              report.find("\r\n" + chineseName + "\r\nUninstall Command: " + command + "\r\n"));
    EXPECT_TRUE(errors.empty());
}

// A name not even UTF-8 can hold (a lone surrogate) is listed by what can be shown, marked,
// and offers nothing that would use it to reach a key.
TEST_F(UnicodeNames, ANameTheCodePageCannotHoldIsListedMarkedAndReadOnly) {
    ASSERT_TRUE(setWide(kLoneSurrogateKey, L"DisplayName", L"Lone Surrogate"));
    refreshAndWait();
    const std::string shown =
        utf8(L"RemvanaU Lone \uFFFD [name not supported by this system's code page]");
    ASSERT_GE(rowOf(shown), 0);
    selectRow(shown);
    EXPECT_FALSE(IsWindowEnabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_EQ(std::string::npos, TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId))
                                     ->htmlLine(0)
                                     .find("class=\"EDIT\""));
    EXPECT_EQ(L"Lone Surrogate", readWide(kLoneSurrogateKey, L"DisplayName"));
}

} // namespace
} // namespace remvana
