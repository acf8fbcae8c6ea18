#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "actions/win32/audit_report_file.h"
#include "dialog_answerer.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/shell_win32.h"

namespace remvana {
namespace {

// The real shell, with the documents folder moved to a scratch folder of the test's own so
// that the dialog starts there and no report lands in the user's documents.
class ScratchDocumentsShell : public Win32Shell {
  public:
    std::string documentsFolder() override { return folder; }
    std::string folder;
};

// The real clock's time zone, but a time that stands still, so that two reports compare.
class StillClock : public Win32Clock {
  public:
    SystemTime now() override { return {2025, 3, 4, 17, 8, 0, 0}; }
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TAppInfo program(const std::string& keyName, const std::string& displayName) {
    TAppInfo entry;
    entry.KeyName = keyName;
    entry.DisplayName = displayName;
    return entry;
}

class AuditReportFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        folder = std::string(temp) + "remvana-report-" + std::to_string(GetCurrentProcessId()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder.c_str(), nullptr);
        shell.folder = folder;

        TAppInfo sized = program("Alpha", "Alpha Editor");
        const std::int64_t size = 1'500'000;
        for (int i = 0; i < 8; ++i)
            sized.UsageRecord.bytes[8 + i] = (size >> (8 * i)) & 0xFF;
        sized.FrequencyText = "occasionally";
        sized.UninstallString = "\"C:\\Program Files\\Alpha\\uninst.exe\"";
        inventory = {sized, program("Beta", ""), program("Gamma", "Gamma Tools")};
    }
    void TearDown() override {
        setAuditReportPathChooser({});
        for (const char* name : {"\\audit.txt", "\\twice.txt", "\\locked.txt"})
            DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
    ScratchDocumentsShell shell;
    StillClock clock;
    Win32Locale locale;
    AuditReportServices services{shell, clock, locale};
    InventoryArray inventory;
};

TEST_F(AuditReportFile, TheDialogStartsInDocumentsAndAddsTheDefaultExtension) {
    testing::DialogAnswerer user("Save Software Audit Report", IDOK, "audit");
    const auto saved = saveAuditReport(nullptr, inventory, services);
    ASSERT_TRUE(user.answered());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(folder + "\\audit.txt", *saved);
    EXPECT_EQ(folder, user.folderPath());

    const std::string bytes = readFile(folder + "\\audit.txt");
    EXPECT_EQ(auditReportText(inventory, services), bytes);
    EXPECT_NE(std::string::npos, bytes.find("\r\nAlpha Editor\r\nSize: 1"));
    EXPECT_NE(std::string::npos, bytes.find("Generated on  2025-03-04 17"));
}

TEST_F(AuditReportFile, CancellingTouchesNoFile) {
    testing::DialogAnswerer user("Save Software Audit Report", IDCANCEL, "audit");
    EXPECT_EQ(std::nullopt, saveAuditReport(nullptr, inventory, services));
    ASSERT_TRUE(user.answered());
    EXPECT_FALSE(fileExists(folder + "\\audit.txt"));
}

TEST_F(AuditReportFile, SavingAgainReplacesTheFileWithoutAsking) {
    const std::string path = folder + "\\twice.txt";
    setAuditReportPathChooser([&](HWND, const std::string& initialFolder) {
        EXPECT_EQ(folder, initialFolder);
        return std::optional<std::string>(path);
    });
    ASSERT_EQ(path, saveAuditReport(nullptr, inventory, services));
    inventory.resize(1); // a shorter report must not keep the tail of the longer one
    ASSERT_EQ(path, saveAuditReport(nullptr, inventory, services));
    EXPECT_EQ(auditReportText(inventory, services), readFile(path));
}

TEST_F(AuditReportFile, AFileThatCannotBeCreatedNamesPathAndReason) {
    const std::string missing = folder + "\\no such folder\\audit.txt";
    try {
        writeAuditReportFile(missing, inventory, services);
        FAIL() << "no error";
    } catch (const FileCreateError& error) {
        const std::string prefix = "Cannot create file \"" + missing + "\". ";
        EXPECT_EQ(prefix, std::string(error.what()).substr(0, prefix.size()));
        EXPECT_GT(std::string(error.what()).size(), prefix.size()) << "the system's reason";
    }

    // A file another program holds open is not replaced either.
    const std::string locked = folder + "\\locked.txt";
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    DWORD written = 0;
    WriteFile(holder, "kept", 4, &written, nullptr);
    EXPECT_THROW(writeAuditReportFile(locked, inventory, services), FileCreateError);
    CloseHandle(holder);
    EXPECT_EQ("kept", readFile(locked));
}

} // namespace
} // namespace remvana
