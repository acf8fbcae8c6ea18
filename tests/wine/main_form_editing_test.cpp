// Editing a program's properties in the real window against the real registry: an anchor of
// the details label is clicked, the popup editor typed into and closed with a key, and
// "Modify Properties" clicked; the registry is then read back.
#include <windows.h>

#include <aclapi.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "inventory/app_info.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string& kStore = testing::kUninstallStore;
const std::string kAlphaKey = "RemvanaEdit Alpha";
const std::string kBetaKey = "RemvanaEdit Beta";

// The stored value's type and text, or "<absent>".
std::string storedValue(const std::string& keyPath, const char* name, DWORD* type = nullptr) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return "<absent>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD kind = 0;
    LONG rc = RegQueryValueExA(handle, name, nullptr, &kind, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    if (type) *type = kind;
    return rc == ERROR_SUCCESS ? std::string(data) : "<absent>";
}

// Gives the key a security descriptor that lets everyone read it and nobody change it.
// Returns whether the registry then refuses a full-access open, as Windows does.
bool allowOnlyReading(const std::string& keyPath) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, WRITE_DAC | KEY_READ, &handle) !=
        ERROR_SUCCESS)
        return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE aclBuffer[256] = {};
    auto* acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(handle);
    FreeSid(everyone);

    HKEY probe = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_ALL_ACCESS, &probe) ==
        ERROR_SUCCESS) {
        RegCloseKey(probe);
        return false;
    }
    return true;
}

void allowEverything(const std::string& keyPath) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, WRITE_DAC, &handle) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(handle);
}

class PropertyEditing : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::seedMachineEntry(
            kAlphaKey, {{"DisplayName", "Edit Alpha"}, {"Publisher", "old"}, {"Contact", "old"}}));
        ASSERT_TRUE(testing::seedMachineEntry(kBetaKey, {{"DisplayName", "Edit Beta"}}));
        openWindow();
        label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
        ASSERT_NE(nullptr, label);
        // Listen to the label's commits, handing each on to the window's own handler.
        auto windowHandler = label->events().OnParamEditDone;
        label->events().OnParamEditDone = [this, windowHandler](TParamLabel* sender,
                                                                const std::string& href,
                                                                std::string& value) {
            commits.push_back(href + "=" + value);
            windowHandler(sender, href, value);
        };
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        for (const std::string& key : {kAlphaKey, kBetaKey}) {
            allowEverything(kStore + key);
            testing::deleteMachineTree(kStore + key);
        }
    }

    // Clicks the anchor named href where the label drew it; returns the opened editor.
    TPopupEdit* clickAnchor(const std::string& href) {
        int number = ParamAnchorIndex(label->markupText(), href) + 1;
        std::optional<Rect> r = label->anchorRectOf(number);
        EXPECT_TRUE(r.has_value()) << href;
        if (!r) return nullptr;
        LPARAM at = MAKELPARAM((r->left + r->right) / 2, (r->top + r->bottom) / 2);
        SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, at);
        SendMessageA(label->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(label->hwnd(), WM_LBUTTONUP, 0, at);
        testing::pumpMessages(10);
        TPopupEdit* editor = label->textEditor_.get();
        EXPECT_TRUE(editor && editor->visible());
        return editor && editor->visible() ? editor : nullptr;
    }
    void typeText(TPopupEdit& editor, const std::string& text) {
        for (char c : text)
            SendMessageA(editor.editWindow(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    void pressKey(TPopupEdit& editor, WPARAM key, char character) {
        SendMessageA(editor.editWindow(), WM_KEYDOWN, key, 1);
        SendMessageA(editor.editWindow(), WM_CHAR, static_cast<WPARAM>(character), 1);
        SendMessageA(editor.editWindow(), WM_KEYUP, key, 1);
        testing::pumpMessages(10);
    }
    void edit(const std::string& href, const std::string& text) {
        TPopupEdit* editor = clickAnchor(href);
        ASSERT_NE(nullptr, editor);
        typeText(*editor, text);
        pressKey(*editor, VK_RETURN, '\r');
    }
    bool modifyEnabled() {
        return IsWindowEnabled(controlOf(form(), layout::kModifyPropertiesButtonId)) != FALSE;
    }
    void clickModify() {
        testing::clickControl(controlOf(form(), layout::kModifyPropertiesButtonId));
        testing::pumpMessages(20);
    }

    TParamLabel* label = nullptr;
    std::vector<std::string> commits;
};

TEST_F(PropertyEditing, TypedValueIsShownRecordedAndWrittenToTheProgramsSubkey) {
    selectRow("Edit Alpha");
    EXPECT_FALSE(modifyEnabled());
    TPopupEdit* editor = clickAnchor("Publisher");
    ASSERT_NE(nullptr, editor);
    typeText(*editor, "A & B");
    testing::saveScreenshot(GetDesktopWindow(), "property_editor_open");
    pressKey(*editor, VK_RETURN, '\r');

    EXPECT_FALSE(editor->visible());
    EXPECT_EQ((std::vector<std::string>{"Publisher=A & B"}), commits);
    const std::string markup = label->htmlLine(0);
    EXPECT_NE(std::string::npos, markup.find("<a href=\"Publisher\" class=\"EDIT\">A &amp; B</A>"));
    EXPECT_NE(std::string::npos, markup.find("<a href=\"Contact\" class=\"EDIT\">old</A>"));
    EXPECT_TRUE(modifyEnabled());
    EXPECT_EQ("old", storedValue(kStore + kAlphaKey, "Publisher")); // not written yet

    clickModify();
    DWORD type = 0;
    EXPECT_EQ("A & B", storedValue(kStore + kAlphaKey, "Publisher", &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ("old", storedValue(kStore + kAlphaKey, "Contact"));
    EXPECT_EQ("Edit Alpha", storedValue(kStore + kAlphaKey, "DisplayName"));
    EXPECT_FALSE(modifyEnabled());
    EXPECT_TRUE(errors.empty());
    ASSERT_NE(nullptr, form().selectedAppInfo());
    EXPECT_EQ("A & B", form().selectedAppInfo()->Publisher);

    // A cleared value shows "?" (the anchor stays clickable) and is written as empty text.
    edit("Contact", "\b"); // Backspace over the selected old text
    EXPECT_EQ("Contact=?", commits.back());
    clickModify();
    EXPECT_EQ("", storedValue(kStore + kAlphaKey, "Contact"));
}

// What is typed while a Refresh reads goes over to the new list, which waits for the
// editor to close, still to be written.
TEST_F(PropertyEditing, AnEditTypedWhileARefreshReadsStaysOnTheNewList) {
    selectRow("Edit Alpha");
    testing::clickControl(controlOf(form(), layout::kRefreshButtonId));
    ASSERT_TRUE(form().refreshing());
    TPopupEdit* editor = clickAnchor("Publisher"); // the read ends while the editor is open
    ASSERT_NE(nullptr, editor);
    testing::pumpMessages(100);
    EXPECT_TRUE(form().refreshing()) << "the new list came while a value was typed";
    typeText(*editor, "New Corp");
    pressKey(*editor, VK_RETURN, '\r');
    waitForRefresh();

    ASSERT_NE(nullptr, form().selectedAppInfo());
    EXPECT_EQ("Edit Alpha", form().selectedAppInfo()->DisplayName);
    EXPECT_NE(std::string::npos, label->htmlLine(0).find(">New Corp</A>"));
    EXPECT_TRUE(modifyEnabled());
    clickModify();
    EXPECT_EQ("New Corp", storedValue(kStore + kAlphaKey, "Publisher"));
    EXPECT_TRUE(errors.empty());
}

TEST_F(PropertyEditing, EscapeCommitsNothing) {
    selectRow("Edit Alpha");
    const std::string before = label->htmlLine(0);
    TPopupEdit* editor = clickAnchor("Publisher");
    ASSERT_NE(nullptr, editor);
    typeText(*editor, "zzz");
    pressKey(*editor, VK_ESCAPE, 0x1B);
    EXPECT_FALSE(editor->visible());
    EXPECT_EQ(label->hwnd(), GetFocus());
    EXPECT_TRUE(commits.empty());
    EXPECT_EQ(before, label->htmlLine(0));
    EXPECT_FALSE(modifyEnabled());
    EXPECT_EQ("", form().selectedAppInfo()->PendingPublisher);
    // Editing back to the loaded text records nothing either.
    edit("Publisher", "old");
    EXPECT_EQ((std::vector<std::string>{"Publisher=old"}), commits);
    EXPECT_FALSE(modifyEnabled());
}

TEST_F(PropertyEditing, ClickingElsewhereCommitsTheTypedText) {
    selectRow("Edit Alpha");
    TPopupEdit* editor = clickAnchor("Contact");
    ASSERT_NE(nullptr, editor);
    typeText(*editor, "Clicked Away");
    SetFocus(controlOf(form(), layout::kListViewId)); // where a click on the list puts the focus
    testing::pumpMessages(10);
    EXPECT_FALSE(editor->visible());
    EXPECT_EQ((std::vector<std::string>{"Contact=Clicked Away"}), commits);
    EXPECT_TRUE(modifyEnabled());
    EXPECT_EQ("Clicked Away", form().selectedAppInfo()->PendingContact);
}

TEST_F(PropertyEditing, NewDisplayNameRenamesTheRowAndTheListResorts) {
    ASSERT_LT(rowOf("Edit Alpha"), rowOf("Edit Beta"));
    selectRow("Edit Alpha");
    edit("DisplayName", "Edit Zulu");
    EXPECT_GE(rowOf("Edit Alpha"), 0); // the row keeps its name until written
    clickModify();
    EXPECT_EQ("Edit Zulu", storedValue(kStore + kAlphaKey, "DisplayName"));
    EXPECT_EQ(-1, rowOf("Edit Alpha"));
    ASSERT_GE(rowOf("Edit Zulu"), 0);
    EXPECT_GT(rowOf("Edit Zulu"), rowOf("Edit Beta"));
    EXPECT_FALSE(modifyEnabled());
}

TEST_F(PropertyEditing, KeysReachTheLabelThroughTheWindowsDialogKeyHandling) {
    selectRow("Edit Alpha");
    SetFocus(label->hwnd());
    auto dialogKey = [&](WPARAM key) {
        MSG message{label->hwnd(), WM_KEYDOWN, key, 1, GetTickCount(), {}};
        EXPECT_TRUE(IsDialogMessageA(window(), &message));
    };
    dialogKey(VK_DOWN);
    dialogKey(VK_UP);
    dialogKey(VK_UP); // wraps from the first anchor to the last
    EXPECT_EQ(2, label->interaction().focusedIndex());
    dialogKey(VK_LEFT);
    dialogKey(VK_RETURN);
    TPopupEdit* editor = label->textEditor_.get();
    ASSERT_TRUE(editor && editor->visible());
    EXPECT_EQ("Publisher", editor->href());
    typeText(*editor, "Keyed In");
    pressKey(*editor, VK_RETURN, '\r');
    // Recorded under the anchor's own name, so the window keeps it as a pending edit.
    EXPECT_EQ((std::vector<std::string>{"Publisher=Keyed In"}), commits);
    EXPECT_TRUE(modifyEnabled());
}

class UnwritableSubkey : public PropertyEditing {
  protected:
    void editTwoProperties() {
        selectRow("Edit Alpha");
        edit("Publisher", "New Corp");
        edit("Contact", "you");
        ASSERT_TRUE(modifyEnabled());
    }
    // The click fails on the first pending value, nothing is written anywhere, nothing of
    // the edits is lost, and the button stays for another try.
    void expectRefusedClickLosesNothing(const std::string& publisherLeftInTheSubkey) {
        clickModify();
        ASSERT_EQ(1u, errors.size());
        EXPECT_EQ("Failed to set data for 'Publisher'", errors[0]);
        EXPECT_TRUE(modifyEnabled());
        TAppInfo* entry = form().selectedAppInfo();
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ("New Corp", entry->PendingPublisher);
        EXPECT_EQ("you", entry->PendingContact);
        EXPECT_EQ("old", entry->Publisher);
        EXPECT_NE(std::string::npos, label->htmlLine(0).find(">New Corp</A>"));
        EXPECT_EQ(publisherLeftInTheSubkey, storedValue(kStore + kAlphaKey, "Publisher"));
        for (const std::string& elsewhere : {kStore, std::string()}) {
            EXPECT_EQ("<absent>", storedValue(elsewhere, "Publisher")) << elsewhere;
            EXPECT_EQ("<absent>", storedValue(elsewhere, "Contact")) << elsewhere;
        }
    }
    void expectRetryWritesBoth() {
        clickModify();
        EXPECT_EQ(1u, errors.size());
        EXPECT_EQ("New Corp", storedValue(kStore + kAlphaKey, "Publisher"));
        EXPECT_EQ("you", storedValue(kStore + kAlphaKey, "Contact"));
        EXPECT_FALSE(modifyEnabled());
    }
};

TEST_F(UnwritableSubkey, ReadOnlySecurityShowsTheErrorAndLosesNothing) {
    editTwoProperties();
    if (!allowOnlyReading(kStore + kAlphaKey))
        GTEST_SKIP() << "this registry does not enforce key security";
    expectRefusedClickLosesNothing("old");
    allowEverything(kStore + kAlphaKey);
    expectRetryWritesBoth();
}

TEST_F(UnwritableSubkey, RemovedSubkeyShowsTheErrorAndIsNotRecreatedOrWrittenElsewhere) {
    editTwoProperties();
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kStore + kAlphaKey).c_str()));
    expectRefusedClickLosesNothing("<absent>");
    EXPECT_FALSE(testing::machineKeyExists(kStore + kAlphaKey));
    ASSERT_TRUE(testing::seedMachineEntry(kAlphaKey, {{"DisplayName", "Edit Alpha"}}));
    expectRetryWritesBoth();
}

} // namespace
} // namespace remvana
