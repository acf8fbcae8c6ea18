#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/program_outputs.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_locale.h"

namespace remvana {
namespace {

// 2024-03-01 12:00:00 UTC.
constexpr std::int64_t kNoonFileTime = 133537680000000000;

void putUsage(TAppInfo& info, std::int64_t size, std::int64_t lastUsed) {
    for (int i = 0; i < 8; ++i) {
        info.UsageRecord.bytes[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        info.UsageRecord.bytes[16 + i] = static_cast<std::uint8_t>(lastUsed >> (8 * i));
    }
}

// Values an installer may well register: quotes, backslashes, tabs, line breaks, text beyond
// ASCII, a stray byte that is no UTF-8 (it must not make the JSON invalid), and nothing.
TAppInfo awkwardEntry() {
    TAppInfo info;
    info.KeyName = "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}";
    info.WindowsInstaller = 1;
    info.DisplayName = "Caf\xC3\xA9 \"Tools\"\t2";
    info.Comments = "line one\r\nline two\\n";
    info.UninstallString = "\"C:\\Program Files\\Caf\xE9\\uninst.exe\" /S";
    info.Language = -1;
    info.FrequencyText = "rarely";
    putUsage(info, 1500000, kNoonFileTime);
    return info;
}

class ProgramOutputs : public testing::Test {
  protected:
    FakeClock clock;
    FakeLocale locale;
};

TEST_F(ProgramOutputs, JsonCarriesEveryValueAsUtf8AndParsesBack) {
    clock.utcOffsetMinutes = 60;
    TAppInfo bare;
    bare.KeyName = "Bare";
    bare.DisplayName = "Bare";
    const auto parsed = nlohmann::json::parse(
        programsJson({programRecordOf(awkwardEntry(), clock), programRecordOf(bare, clock)}));

    ASSERT_EQ(2u, parsed.size());
    const auto& awkward = parsed[0];
    EXPECT_EQ(programRecordNames().size(), awkward.size());
    EXPECT_EQ("Caf\u00e9 \"Tools\"\t2", awkward["name"]);
    EXPECT_EQ("line one\r\nline two\\n", awkward["comments"]);
    EXPECT_EQ("\"C:\\Program Files\\Caf\ufffd\\uninst.exe\" /S", awkward["uninstall_string"]);
    EXPECT_EQ("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}", awkward["identifying_number"]);
    EXPECT_EQ(-1, awkward["language"]);
    EXPECT_EQ(1500000, awkward["size"]);
    EXPECT_EQ("2024-03-01T13:00:00+01:00", awkward["last_used"]);
    EXPECT_EQ("rarely", awkward["frequency"]);
    // Nothing registered: empty texts, zero numbers, no size and no time.
    const auto& empty = parsed[1];
    EXPECT_EQ("", empty["publisher"]);
    EXPECT_EQ("", empty["identifying_number"]);
    EXPECT_EQ(0, empty["no_remove"]);
    EXPECT_TRUE(empty["size"].is_null());
    EXPECT_TRUE(empty["last_used"].is_null());
}

TEST_F(ProgramOutputs, TsvKeepsEveryRecordOnOneLineWithOneFieldPerColumn) {
    const std::string tsv = programsTsv({programRecordOf(awkwardEntry(), clock)});
    const std::size_t headerEnd = tsv.find("\r\n");
    ASSERT_NE(std::string::npos, headerEnd);
    const std::string header = tsv.substr(0, headerEnd);
    const std::string row = tsv.substr(headerEnd + 2);
    ASSERT_EQ(row.size() - 2, row.find("\r\n")) << "one line per record";
    const auto columns = [](const std::string& line) {
        return std::count(line.begin(), line.end(), '\t') + 1;
    };
    EXPECT_EQ(static_cast<long>(programRecordNames().size()), columns(header));
    EXPECT_EQ(columns(header), columns(row));
    EXPECT_EQ(0u, header.find("key_name\tstore\tname\tversion\tpublisher\t"));
    EXPECT_NE(std::string::npos, row.find("\tCaf\u00e9 \"Tools\"\\t2\t"));
    EXPECT_NE(std::string::npos, row.find("\tline one\\r\\nline two\\\\n\t"));
}

TEST_F(ProgramOutputs, LastUsedIsLocalTimeWithTheOffsetItWasComputedWith) {
    const struct {
        int offsetMinutes;
        std::int64_t fileTime;
        std::optional<std::string> text;
    } cases[] = {
        {0, kNoonFileTime, "2024-03-01T12:00:00+00:00"},
        {-330, kNoonFileTime, "2024-03-01T06:30:00-05:30"},
        {600, kNoonFileTime + 7 * 10000000LL, "2024-03-01T22:00:07+10:00"},
        {0, 0, std::nullopt},
        {0, -5, std::nullopt},
        // Beyond the year 9999: a damaged record, no time rather than a wrong one.
        {0, 0x7FFFFFFFFFFFFFFF, std::nullopt},
    };
    for (const auto& c : cases) {
        clock.utcOffsetMinutes = c.offsetMinutes;
        EXPECT_EQ(c.text, isoLocalTimeOf(c.fileTime, clock)) << c.fileTime;
    }
}

TEST_F(ProgramOutputs, OnlyAWindowsInstallerProductCodeIsAnIdentifyingNumber) {
    const struct {
        std::string key;
        std::int32_t windowsInstaller;
        bool isCode;
    } cases[] = {
        {"{0A1B2C3D-4E5F-6071-8293-a4b5c6d7e8f9}", 1, true},
        {"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}", 0, false},
        {"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}_is1", 1, false},
        {"{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}", 1, false},
        {"{0A1B2C3D4-E5F-6071-8293-A4B5C6D7E8F9}", 1, false},
        {"Tool Suite", 1, false},
    };
    for (const auto& c : cases) {
        TAppInfo info;
        info.KeyName = c.key;
        info.WindowsInstaller = c.windowsInstaller;
        EXPECT_EQ(c.isCode ? c.key : "", productCodeOf(info)) << c.key;
    }
}

TEST_F(ProgramOutputs, OnlyListedProgramsInListOrder) {
    InventoryArray inventory(4);
    inventory[0].KeyName = "k1";
    inventory[0].DisplayName = "beta";
    inventory[1].KeyName = "k2"; // no display name: not listed
    inventory[2].KeyName = "k3";
    inventory[2].DisplayName = "Alpha";
    inventory[3].KeyName = "k4";
    inventory[3].DisplayName = "beta";
    EXPECT_EQ("k3|||Alpha\r\nk1|||beta\r\nk4|||beta\r\n", programListLines(inventory, locale));
    const auto records = listedProgramRecords(inventory, locale, clock);
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ("k3", std::get<std::string>(records[0][0].value));
    EXPECT_EQ("[]\n", programsJson({}));
}

TEST_F(ProgramOutputs, TheListWritesLineBreaksInsideNamesAsSpaces) {
    InventoryArray inventory(1);
    inventory[0].KeyName = "k\r\nforged|||";
    inventory[0].DisplayName = "a\nb";
    EXPECT_EQ("k  forged||||||a b\r\n", programListLines(inventory, locale));
}

} // namespace
} // namespace remvana
