#include <gtest/gtest.h>

#include "actions/audit_report.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_shell.h"

namespace remvana {
namespace {

// 2023-01-02 03:04:05 UTC as a FILETIME.
constexpr std::int64_t kJan2nd2023 = 133171022450000000LL;

void putInt64(ArpCacheRecord& record, std::size_t offset, std::int64_t value) {
    for (int i = 0; i < 8; ++i)
        record.bytes[offset + i] =
            static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

TAppInfo program(const std::string& keyName, const std::string& displayName) {
    TAppInfo entry;
    entry.KeyName = keyName;
    entry.DisplayName = displayName;
    return entry;
}

class AuditReport : public ::testing::Test {
  protected:
    std::string header() const {
        return "Software Audit Report for: WORKSTATION\r\n"
               "Generated on  2024-05-17 09:30\r\n"
               "By Kv Remvana!\r\n"
               "Copyright (c) 2026 Kelvane. All rights reserved.\r\n"
               "\r\n"
               "INSTALLED PROGRAMS:\r\n"
               "\r\n";
    }
    std::string report(const InventoryArray& inventory) {
        return auditReportText(inventory, services);
    }

    FakeShell shell;
    FakeClock clock;
    FakeLocale locale;
    AuditReportServices services{shell, clock, locale};
};

TEST_F(AuditReport, WithoutNamedProgramsItIsTheSevenHeaderLinesOnly) {
    EXPECT_EQ(header(), report({}));

    // Entries without a display name leave no trace, whatever else they carry.
    TAppInfo unnamed = program("Orphan", "");
    unnamed.UninstallString = "orphan.exe /remove";
    unnamed.FrequencyText = "rarely";
    putInt64(unnamed.UsageRecord, 8, 1'500'000);
    EXPECT_EQ(header(), report({unnamed, program("Another", "")}));
}

TEST_F(AuditReport, HeaderTakesTheComputerNowAndTheLocaleTimeSeparator) {
    shell.computerNameValue = "BUILD-07";
    clock.fixedNow = {2009, 12, 31, 23, 5, 59, 999};
    locale.time = '.';
    EXPECT_EQ("Software Audit Report for: BUILD-07\r\n"
              "Generated on  2009-12-31 23.05\r\n"
              "By Kv Remvana!\r\n"
              "Copyright (c) 2026 Kelvane. All rights reserved.\r\n"
              "\r\n"
              "INSTALLED PROGRAMS:\r\n"
              "\r\n",
              report({}));
}

TEST_F(AuditReport, ANameAloneGivesTheNameAndAnEmptyLine) {
    EXPECT_EQ(header() + "Notepad Plus\r\n\r\n", report({program("NotepadPlus", "Notepad Plus")}));
}

TEST_F(AuditReport, AFullBlockHasEveryLineInOrder) {
    TAppInfo entry = program("Tool", "Tool Suite 4");
    putInt64(entry.UsageRecord, 8, 1'500'000);
    putInt64(entry.UsageRecord, 16, kJan2nd2023);
    entry.FrequencyText = "frequently";
    entry.UninstallString = "\"C:\\Program Files\\Tool\\uninst.exe\" /S";
    clock.utcOffsetMinutes = 120;
    EXPECT_EQ(header() + "Tool Suite 4\r\n"
                         "Size: 1.50 Mb\r\n"
                         "Last Used On: 2023-01-02 05:04\r\n"
                         "Frequency: frequently\r\n"
                         "Uninstall Command: \"C:\\Program Files\\Tool\\uninst.exe\" /S\r\n"
                         "\r\n",
              report({entry}));
}

// A crafted name or command cannot forge report lines: its line breaks become spaces.
TEST_F(AuditReport, LineBreaksInsideTheTextsAreWrittenAsSpaces) {
    TAppInfo entry = program("Tool", "Tool\r\nForged Program");
    entry.UninstallString = "un.exe\n\r\nUninstall Command: x";
    EXPECT_EQ(header() + "Tool  Forged Program\r\n"
                         "Uninstall Command: un.exe   Uninstall Command: x\r\n"
                         "\r\n",
              report({entry}));
}

TEST_F(AuditReport, UnmeasuredSizesAndTimesAreLeftOut) {
    TAppInfo zero = program("Zero", "Zero");
    TAppInfo negative = program("Negative", "Negative");
    putInt64(negative.UsageRecord, 8, -1);
    putInt64(negative.UsageRecord, 16, -5);
    TAppInfo small = program("Small", "Small");
    putInt64(small.UsageRecord, 8, 1023);
    EXPECT_EQ(header() + "Negative\r\n\r\nSmall\r\nSize: 1023 b\r\n\r\nZero\r\n\r\n",
              report({zero, negative, small}));
}

TEST_F(AuditReport, FollowsTheProgramListNotTheKeyNames) {
    // Inventory is in key-name order (over all stores); the list, and so the report, goes by
    // the names shown.
    const std::string text =
        report({program("a-key", "Zulu"), program("b-key", ""), program("c-key", "Alpha")});
    EXPECT_EQ(header() + "Alpha\r\n\r\nZulu\r\n\r\n", text);
}

TEST_F(AuditReport, AnUnencodableDateIsLeftOutAndTheReportGoesOn) {
    TAppInfo broken = program("B", "Broken");
    putInt64(broken.UsageRecord, 16, INT64_MAX); // far beyond the year 9999
    putInt64(broken.UsageRecord, 8, 1'500'000);
    std::vector<std::string> pieces;
    writeAuditReport({program("A", "After"), broken, program("C", "Fine")}, services,
                     [&pieces](const std::string& p) { pieces.push_back(p); });
    EXPECT_EQ((std::vector<std::string>{header(), "After\r\n\r\n",
                                        "Broken\r\nSize: 1.50 Mb\r\n\r\n", "Fine\r\n\r\n"}),
              pieces);
}

TEST(ReportSaving, DialogFilterBecomesNulSeparatedPairs) {
    const std::string filter = win32DialogFilter("Txt Files (*.txt)|*.txt");
    EXPECT_EQ(std::string("Txt Files (*.txt)\0*.txt\0", 24), filter);
    // c_str() supplies the list's closing NUL.
    EXPECT_EQ('\0', filter.c_str()[filter.size()]);
}

TEST(ReportSaving, FileCreateErrorNamesThePathAndTheReason) {
    const FileCreateError error("C:\\Reports\\audit.txt", "Access denied");
    EXPECT_STREQ("Cannot create file \"C:\\Reports\\audit.txt\". Access denied", error.what());
}

} // namespace
} // namespace remvana
