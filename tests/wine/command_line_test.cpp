// The real remvana.exe started with arguments as a child process, its standard output and
// error redirected, against entries seeded in the real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>

#include "actions/win32/audit_report_file.h"
#include "backup/reg_file.h"
#include "installers.h"
#include "list_view_probe.h"
#include "machine_keys.h"
#include "platform/win32/locale_win32.h"
#include "settings/win32/version_info_win32.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string& kStore = testing::kUninstallStore;
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";
const std::string kAlphaKey = "RemvanaCli Alpha";
const std::string kCafeKey = "RemvanaCli Cafe";
const std::string kProductKey = "{5E1A9C2B-0D3F-4A6E-9B7C-8D2E1F0A3B4C}";
const std::string kUnnamedKey = "RemvanaCli Unnamed";
// 2024-03-01 12:00:00 UTC.
constexpr std::int64_t kLastUsed = 133537680000000000;

struct ChildResult {
    DWORD exitCode = 0;
    std::string out;
    std::string error;
};

// Starts the program with its output and error caught and waits for it to end.
ChildResult runRemvana(const std::string& arguments) {
    const std::string commandLine = testing::ownProgramCommand("remvana.exe", arguments);
    testing::ChildProcess child(commandLine, testing::ChildOutput::Captured);
    EXPECT_TRUE(child.started()) << commandLine;
    ChildResult result;
    if (!child.started()) return result;
    child.waitOrEnd(60000);
    result.exitCode = child.exitCode();
    result.out = child.output();
    result.error = child.errors();
    return result;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::uint8_t> usageRecord(std::int64_t size, std::int64_t lastUsed, int timesUsed) {
    std::vector<std::uint8_t> bytes(552, 0);
    for (int i = 0; i < 8; ++i) {
        bytes[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        bytes[16 + i] = static_cast<std::uint8_t>(lastUsed >> (8 * i));
    }
    bytes[24] = static_cast<std::uint8_t>(timesUsed);
    return bytes;
}

void setMachineBinary(const std::string& path, const char* name,
                      const std::vector<std::uint8_t>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

class CommandLine : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::setMachineString(kStore + kAlphaKey, "DisplayName", "Cli Alpha"));
        ASSERT_TRUE(
            testing::setMachineString(kStore + kAlphaKey, "Comments", "two\r\n\"lines\"\t"));
        ASSERT_TRUE(
            testing::setMachineString(kStore + kAlphaKey, "UninstallString", "alpha.exe /x"));
        ASSERT_NO_FATAL_FAILURE(setMachineBinary(kCache + kAlphaKey, "SlowInfoCache",
                                                 usageRecord(1500000, kLastUsed, 12)));
        // "Cli Café" in the process code page, UTF-8.
        ASSERT_TRUE(testing::setMachineString(kStore + kCafeKey, "DisplayName", "Cli Caf\xC3\xA9"));
        ASSERT_TRUE(testing::setMachineString(kStore + kProductKey, "DisplayName", "Cli Beta"));
        ASSERT_TRUE(testing::setMachineNumber(kStore + kProductKey, "WindowsInstaller", 1));
        ASSERT_TRUE(testing::setMachineString(kStore + kUnnamedKey, "Publisher", "nobody"));
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        setAuditReportPathChooser({});
        for (const std::string& key : {kAlphaKey, kCafeKey, kProductKey, kUnnamedKey})
            testing::deleteMachineTree(kStore + key);
        testing::deleteMachineTree(kCache + kAlphaKey);
    }

    // The report as the window's "Save to file ..." writes it.
    std::string reportSavedByTheWindow() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        const std::string path = std::string(temp) + "remvana-cli-report.txt";
        setAuditReportPathChooser(
            [&](HWND, const std::string&) { return std::optional<std::string>(path); });
        testing::clickControl(controlOf(form(), layout::kSavetofileButtonId));
        std::string text = testing::readFile(path);
        DeleteFileA(path.c_str());
        return text;
    }
};

TEST_F(CommandLine, ListPrintsWhatTheWindowListsInItsOrder) {
    const ChildResult child = runRemvana("--list");
    EXPECT_EQ(0u, child.exitCode);
    EXPECT_EQ("", child.error);

    openWindow();
    std::vector<std::string> names;
    for (const std::string& line : linesOf(child.out)) {
        const std::size_t bar = line.find("|||");
        ASSERT_NE(std::string::npos, bar) << line;
        names.push_back(line.substr(bar + 3));
    }
    EXPECT_EQ(testing::listColumnTexts(controlOf(form(), layout::kListViewId), 0), names);
    // Whole lines only, the first one included.
    const std::string lines = "\r\n" + child.out;
    const auto lineOf = [&](const std::string& line) { return lines.find("\r\n" + line + "\r\n"); };
    EXPECT_NE(std::string::npos, lineOf(kAlphaKey + "|||Cli Alpha"));
    EXPECT_LT(lineOf(kAlphaKey + "|||Cli Alpha"), lineOf(kProductKey + "|||Cli Beta"));
    EXPECT_LT(lineOf(kProductKey + "|||Cli Beta"), lineOf(kCafeKey + "|||Cli Caf\xC3\xA9"));
    EXPECT_EQ(std::string::npos, child.out.find(kUnnamedKey));
}

TEST_F(CommandLine, ReportToStandardOutputIsWhatSaveToFileWrites) {
    openWindow();
    // The report carries the minute it was made; one of the two around the child matches.
    const std::string before = reportSavedByTheWindow();
    const ChildResult child = runRemvana("--report -");
    const std::string after = reportSavedByTheWindow();
    EXPECT_EQ(0u, child.exitCode);
    EXPECT_EQ("", child.error);
    ASSERT_NE(std::string::npos, before.find("Cli Alpha\r\nSize: 1.50 Mb\r\n"));
    EXPECT_TRUE(child.out == before || child.out == after) << child.out;
    EXPECT_TRUE(errors.empty());
}

TEST_F(CommandLine, JsonReadsBackWithTheStoredValues) {
    const ChildResult child = runRemvana("--json");
    EXPECT_EQ(0u, child.exitCode);
    EXPECT_EQ("", child.error);
    const auto programs = nlohmann::json::parse(child.out);
    std::map<std::string, nlohmann::json> byKey;
    for (const auto& program : programs)
        byKey[program["key_name"]] = program;
    EXPECT_EQ(0u, byKey.count(kUnnamedKey));

    const auto& alpha = byKey.at(kAlphaKey);
    EXPECT_EQ("Cli Alpha", alpha["name"]);
    EXPECT_EQ("HKLM64", alpha["store"]);
    EXPECT_EQ("two\r\n\"lines\"\t", alpha["comments"]);
    EXPECT_EQ("alpha.exe /x", alpha["uninstall_string"]);
    EXPECT_EQ(1500000, alpha["size"]);
    EXPECT_EQ("frequently", alpha["frequency"]);
    EXPECT_EQ("", alpha["identifying_number"]);
    // Local time with its offset: taken back by the offset, the stored UTC stamp.
    const std::string lastUsed = alpha["last_used"];
    SYSTEMTIME local{};
    char sign = 0;
    int offsetHours = 0, offsetMinutes = 0;
    ASSERT_EQ(9, std::sscanf(lastUsed.c_str(), "%hu-%hu-%huT%hu:%hu:%hu%c%d:%d", &local.wYear,
                             &local.wMonth, &local.wDay, &local.wHour, &local.wMinute,
                             &local.wSecond, &sign, &offsetHours, &offsetMinutes))
        << lastUsed;
    FILETIME localStamp{};
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localStamp));
    const std::int64_t offset =
        (sign == '-' ? -1 : 1) * (offsetHours * 60 + offsetMinutes) * 600000000LL;
    EXPECT_EQ(kLastUsed,
              (std::int64_t(localStamp.dwHighDateTime) << 32 | localStamp.dwLowDateTime) - offset)
        << lastUsed;

    EXPECT_EQ("Cli Caf\u00e9", byKey.at(kCafeKey)["name"]);
    EXPECT_EQ(kProductKey, byKey.at(kProductKey)["identifying_number"]);
    EXPECT_EQ(1, byKey.at(kProductKey)["windows_installer"]);
}

// A store key with a security descriptor that grants nobody anything (its owner may still
// put the old one back), for the life of the object. An absent store stays absent.
class UnreadableStore {
  public:
    UnreadableStore(HKEY root, REGSAM view) : root_(root), view_(view) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, kStorePath, 0, READ_CONTROL | WRITE_DAC | view_, &key) !=
            ERROR_SUCCESS)
            return;
        DWORD size = 0;
        RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        saved_.resize(size);
        if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data(), &size) ==
            ERROR_SUCCESS) {
            SECURITY_DESCRIPTOR denyAll{};
            InitializeSecurityDescriptor(&denyAll, SECURITY_DESCRIPTOR_REVISION);
            alignas(DWORD) BYTE aclBuffer[64] = {};
            auto* acl = reinterpret_cast<PACL>(aclBuffer);
            InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
            SetSecurityDescriptorDacl(&denyAll, TRUE, acl, FALSE);
            applied_ = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &denyAll) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
    }
    ~UnreadableStore() {
        HKEY key = nullptr;
        if (!applied_ ||
            RegOpenKeyExA(root_, kStorePath, 0, WRITE_DAC | view_, &key) != ERROR_SUCCESS)
            return;
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved_.data());
        RegCloseKey(key);
    }
    UnreadableStore(const UnreadableStore&) = delete;
    UnreadableStore& operator=(const UnreadableStore&) = delete;

    bool refusesReading() const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, kStorePath, 0, KEY_QUERY_VALUE | view_, &key) != ERROR_SUCCESS)
            return true;
        RegCloseKey(key);
        return false;
    }

  private:
    static constexpr const char* kStorePath =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    HKEY root_;
    REGSAM view_;
    std::vector<BYTE> saved_;
    bool applied_ = false;
};

TEST_F(CommandLine, ExitCodesTellSuccessUsageAndRegistryErrors) {
    const ChildResult help = runRemvana("--help");
    EXPECT_EQ(0u, help.exitCode);
    EXPECT_EQ(0u, help.out.find("Usage: remvana.exe"));

    const ChildResult unknown = runRemvana("--frobnicate");
    EXPECT_EQ(2u, unknown.exitCode);
    EXPECT_EQ("", unknown.out);
    EXPECT_EQ("remvana: unknown argument: --frobnicate\r\n" + help.out, unknown.error);

    // Only when no store at all can be read is it an error.
    UnreadableStore machine64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
    UnreadableStore machine32(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
    UnreadableStore user(HKEY_CURRENT_USER, 0);
    ASSERT_TRUE(machine64.refusesReading() && machine32.refusesReading() && user.refusesReading());
    for (const char* option : {"--list", "--json"}) {
        const ChildResult child = runRemvana(option);
        EXPECT_EQ(1u, child.exitCode) << option;
        EXPECT_EQ("", child.out) << option;
        EXPECT_EQ("Registry Error\r\n", child.error) << option;
    }
    // The version comes from the program's version block (the suite carries the same one),
    // so it needs no store.
    Win32Locale locale;
    const auto block = createVersionInfo(GetModuleHandleA(nullptr), locale);
    const ChildResult version = runRemvana("--version");
    EXPECT_EQ(0u, version.exitCode);
    EXPECT_EQ("KV Remvana " + block->lookup("ProductVersion") + "\r\n", version.out);
    EXPECT_EQ("", version.error);
}

// --restore writes a backup back into the real registry, and refuses a file that reaches
// outside the uninstall entries without writing any of it.
TEST(CommandLineRestore, RestoresABackupAndRefusesOneReachingOutside) {
    const std::string key = "RemvanaCli Restored";
    const std::string entry = std::string("HKEY_LOCAL_MACHINE\\").append(kStore).append(key);
    const RegValue name{"DisplayName", ValueKind::String, {'R', 0}, reg_type::String};
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    auto write = [&](const std::string& file, const std::vector<RegFileSection>& sections) {
        const std::vector<std::uint8_t> bytes = formatRegFile(sections);
        const std::string path = std::string(temp).append(file);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        // Appended piece by piece: GCC 12 warns falsely about "literal" + std::string here.
        return std::string(1, '"').append(path).append(1, '"');
    };
    const std::string outside = write(
        "remvana-outside.reg",
        {{entry, false, {name}}, {"HKEY_CURRENT_USER\\SOFTWARE\\RemvanaCli Outside", false, {}}});
    const std::string good = write("remvana-good.reg", {{entry, true, {}}, {entry, false, {name}}});

    const ChildResult refused = runRemvana("--restore " + outside);
    EXPECT_EQ(1u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.error.find("RemvanaCli Outside")) << refused.error;
    EXPECT_FALSE(testing::machineKeyExists(kStore + key));

    const ChildResult restored = runRemvana("--restore " + good);
    EXPECT_EQ(0u, restored.exitCode) << restored.error;
    EXPECT_TRUE(testing::machineKeyExists(kStore + key));
    testing::deleteMachineTree(kStore + key);
    DeleteFileA((std::string(temp) + "remvana-outside.reg").c_str());
    DeleteFileA((std::string(temp) + "remvana-good.reg").c_str());
}

bool userKeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Real installers, removed from the command line without a window: NSIS machine-wide and
// per-user, and a Windows Installer product, one after another in one run.
TEST(CommandLineUninstall, QuietRemovalOfNsisProgramsAndAWindowsInstallerProductInOneRun) {
    ASSERT_EQ(0u, testing::installQuillmarkNotes());
    ASSERT_EQ(0u, testing::installOrreryAtlas());
    ASSERT_EQ(0u, testing::installTallyportLedger());
    const std::string product = kStore + testing::kLedgerProduct;
    ASSERT_TRUE(testing::machineKeyExists(product, KEY_WOW64_64KEY) ||
                testing::machineKeyExists(product, KEY_WOW64_32KEY));
    ASSERT_TRUE(userKeyExists(kStore + testing::kOrreryKey));

    const ChildResult removed = runRemvana("--uninstall --quiet " + testing::kQuillmarkKey + " " +
                                           testing::kOrreryKey + " " + testing::kLedgerProduct);
    EXPECT_EQ(0u, removed.exitCode) << removed.out << removed.error;
    EXPECT_EQ("Quillmark Notes was removed. Exit code 0.\r\n"
              "Orrery Atlas was removed. Exit code 0.\r\n"
              "Tallyport Ledger was removed. Exit code 0.\r\n",
              removed.out);
    EXPECT_FALSE(testing::machineKeyExists(kStore + testing::kQuillmarkKey, KEY_WOW64_64KEY));
    EXPECT_FALSE(userKeyExists(kStore + testing::kOrreryKey));
    EXPECT_FALSE(testing::machineKeyExists(product, KEY_WOW64_64KEY));
    EXPECT_FALSE(testing::machineKeyExists(product, KEY_WOW64_32KEY));
}

} // namespace
} // namespace remvana
