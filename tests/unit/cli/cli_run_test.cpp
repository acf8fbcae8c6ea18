#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <stdexcept>

#include "backup/reg_file.h"
#include "cli/cli_run.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_command_jobs.h"
#include "fakes/fake_files.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

class RecordingConsole : public CliConsole {
  public:
    std::optional<std::string> writeOut(const std::string& text, TextEncoding encoding) override {
        if (out.size() + text.size() > room) {
            out += text.substr(0, room - out.size());
            return std::string("There is not enough space on the disk.");
        }
        out += text;
        encodings.push_back(encoding);
        return std::nullopt;
    }
    std::optional<std::string> finishOut() override { return flushFailure; }
    void writeError(const std::string& text) override { error += text; }
    void writeReportFile(const std::string& path, const InventoryArray& inventory,
                         AuditReportServices& services) override {
        if (path == "unwritable") throw FileCreateError(path, "Access is denied.");
        files[path] = auditReportText(inventory, services);
    }
    std::string out, error;
    std::vector<TextEncoding> encodings;
    std::size_t room = std::string::npos; // a full disk after this many bytes
    std::optional<std::string> flushFailure;
    std::map<std::string, std::string> files;
};

class CommandLineRun : public testing::Test {
  protected:
    void SetUp() override {
        reg.setString(HKLM, kStore + "b-key", "DisplayName", "beta");
        reg.setString(HKLM, kStore + "b-key", "Publisher", "Vendor");
        reg.setString(HKLM, kStore + "a-key", "DisplayName", "Zeta");
        reg.setString(HKLM, kStore + "a-key", "UninstallString", "zeta.exe /x");
        reg.setBinary(HKLM, kCache + "a-key", "SlowInfoCache", std::vector<std::uint8_t>(552, 1));
        reg.setDword(HKLM, kStore + "hidden", "NoRemove", 1);
        reg.setRaw(HKLM, kStore + "binary-name", "DisplayName", reg_type::Binary, {'X', 0});
    }
    int run(const std::vector<std::string>& arguments) {
        return runCommandLine(parseCommandLine(arguments), services, console);
    }

    FakeRegistryFactory reg;
    FakeLocale locale;
    FakeClock clock;
    FakeShell shell;
    FakeFileSystem files;
    FakeCommandJobs jobs;
    CliServices services{reg, locale, clock, shell, &files, &jobs};
    RecordingConsole console;
};

// Only --restore writes, and only when the whole file is a backup of uninstall entries.
TEST_F(CommandLineRun, RestorePutsBackABackupAndRefusesAnythingElse) {
    const std::string entry = "HKEY_LOCAL_MACHINE\\" + kStore + "gone";
    const RegValue name{"DisplayName", ValueKind::String, {'G', 0}, reg_type::String};
    files.files["C:\\good.reg"] = formatRegFile({{entry, false, {name}}});
    files.files["C:\\outside.reg"] =
        formatRegFile({{entry, false, {name}}, {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Run", true, {}}});

    EXPECT_EQ(kExitFailure, run({"--restore", "C:\\outside.reg"}));
    EXPECT_NE(std::string::npos, console.error.find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Run"));
    EXPECT_FALSE(reg.keyExists(HKLM, kStore + "gone"));
    EXPECT_EQ(kExitFailure, run({"--restore", "C:\\missing.reg"}));
    EXPECT_FALSE(reg.keyExists(HKLM, kStore + "gone"));

    console.error.clear();
    EXPECT_EQ(kExitSuccess, run({"--restore", "C:\\good.reg"}));
    EXPECT_EQ("G", reg.text(HKLM, kStore + "gone", "DisplayName"));
    EXPECT_EQ("", console.error);
}

TEST_F(CommandLineRun, ListReadsOnlyTheDisplayNames) {
    EXPECT_EQ(kExitSuccess, run({"--list"}));
    EXPECT_EQ("b-key|||beta\r\na-key|||Zeta\r\n", console.out);
    EXPECT_EQ("", console.error);
    // No usage record and no value sweep: one display-name lookup per key at most.
    EXPECT_EQ(0, reg.calls.sweeps);
    EXPECT_LE(reg.calls.valueQueries, 2 * 4);
}

TEST_F(CommandLineRun, ReportToStandardOutputIsTheWindowsReport) {
    ASSERT_EQ(kExitSuccess, run({"--report", "-"}));
    InventoryArray inventory;
    ASSERT_TRUE(rebuildInventory(reg, locale, inventory));
    AuditReportServices report{shell, clock, locale};
    EXPECT_EQ(auditReportText(inventory, report), console.out);
    EXPECT_NE(std::string::npos, console.out.find("Zeta\r\nSize: "));

    ASSERT_EQ(kExitSuccess, run({"--report", "audit.txt"}));
    EXPECT_EQ(auditReportText(inventory, report), console.files["audit.txt"]);
}

TEST_F(CommandLineRun, JsonAndTsvListTheSameProgramsInListOrderAsUtf8) {
    ASSERT_EQ(kExitSuccess, run({"--json"}));
    const auto programs = nlohmann::json::parse(console.out);
    ASSERT_EQ(2u, programs.size());
    EXPECT_EQ("beta", programs[0]["name"]);
    EXPECT_EQ("Vendor", programs[0]["publisher"]);
    EXPECT_EQ("Zeta", programs[1]["name"]);
    EXPECT_EQ("zeta.exe /x", programs[1]["uninstall_string"]);
    EXPECT_EQ(std::vector<TextEncoding>{TextEncoding::Utf8}, console.encodings);

    console.out.clear();
    ASSERT_EQ(kExitSuccess, run({"--tsv"}));
    EXPECT_EQ(3, std::count(console.out.begin(), console.out.end(), '\n'));
    EXPECT_LT(console.out.find("\r\nb-key\tHKLM64\tbeta\t"),
              console.out.find("\r\na-key\tHKLM64\tZeta\t"));
}

TEST_F(CommandLineRun, EveryRecordNamesItsStore) {
    reg.setString({HKLM, RegView::Bits32}, kStore + "b-key", "DisplayName", "beta");
    reg.setString(RegRoot::CurrentUser, kStore + "mine", "DisplayName", "Mine");
    ASSERT_EQ(kExitSuccess, run({"--json"}));
    std::vector<std::pair<std::string, std::string>> stores;
    for (const auto& program : nlohmann::json::parse(console.out))
        stores.emplace_back(program["key_name"], program["store"]);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {"b-key", "HKLM64"}, {"b-key", "HKLM32"}, {"mine", "HKCU"}, {"a-key", "HKLM64"}}),
              stores);
}

TEST_F(CommandLineRun, FailuresGoToStandardErrorWithTheirExitCode) {
    EXPECT_EQ(kExitFailure, run({"--report", "unwritable"}));
    EXPECT_EQ("Cannot create file \"unwritable\". Access is denied.\r\n", console.error);

    console.error.clear();
    EXPECT_EQ(kExitUsage, run({"--bogus"}));
    EXPECT_EQ("remvana: unknown argument: --bogus\r\n" + usageText(), console.error);

    console.error.clear();
    EXPECT_EQ(kExitSuccess, run({"--help"}));
    EXPECT_EQ(usageText(), console.out);
    EXPECT_EQ("", console.error);
}

// The version is the version block's, whatever the registry holds; a block that cannot be
// read is a failure, not an empty line.
TEST_F(CommandLineRun, VersionPrintsTheVersionBlocksNameAndVersion) {
    FakeRegistryFactory empty;
    CliServices noStore{
        empty, locale, clock, shell, nullptr, nullptr, [] { return "KV Remvana 9.8.7.6"; }};
    EXPECT_EQ(kExitSuccess, runCommandLine(parseCommandLine({"--version"}), noStore, console));
    EXPECT_EQ("KV Remvana 9.8.7.6\r\n", console.out);
    EXPECT_EQ("", console.error);

    services.programVersion = []() -> std::string {
        throw std::runtime_error("Unable to load version info resource");
    };
    console.out.clear();
    EXPECT_EQ(kExitFailure, run({"--version"}));
    EXPECT_EQ("", console.out);
    EXPECT_EQ("Unable to load version info resource\r\n", console.error);
}

// Output cut short by a full disk must not pass for the whole of it.
TEST_F(CommandLineRun, OutputThatCannotBeWrittenWholeExitsWithTheReason) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--list"}, {"--json"}, {"--tsv"}, {"--report", "-"}}) {
        SCOPED_TRACE(arguments[0]);
        RecordingConsole full;
        full.room = 10;
        EXPECT_EQ(kExitFailure, runCommandLine(parseCommandLine(arguments), services, full));
        EXPECT_EQ("Cannot write the output. There is not enough space on the disk.\r\n",
                  full.error);
        RecordingConsole unflushed;
        unflushed.flushFailure = "The device is not ready.";
        EXPECT_EQ(kExitFailure, runCommandLine(parseCommandLine(arguments), services, unflushed));
        EXPECT_EQ("Cannot write the output. The device is not ready.\r\n", unflushed.error);
    }
}

TEST_F(CommandLineRun, AStoreThatOnlyAllowsReadingGivesEveryOutput) {
    // What an unelevated user gets on a real machine: the command line asks for no more.
    reg.allowOnly(HKLM, kStore, reg_access::Read);
    reg.allowOnly(HKLM, kStore + "a-key", reg_access::Read);
    for (const char* option : {"--list", "--json", "--tsv"}) {
        RecordingConsole fresh;
        EXPECT_EQ(kExitSuccess, runCommandLine(parseCommandLine({option}), services, fresh));
        EXPECT_NE(std::string::npos, fresh.out.find("Zeta")) << option;
        EXPECT_EQ("", fresh.error) << option;
    }
}

TEST_F(CommandLineRun, AStoreThatCannotBeReadIsARegistryErrorForEveryOutput) {
    FakeRegistryFactory empty;
    CliServices noStore{empty, locale, clock, shell};
    for (const char* option : {"--list", "--json", "--tsv"}) {
        RecordingConsole fresh;
        EXPECT_EQ(kExitFailure, runCommandLine(parseCommandLine({option}), noStore, fresh));
        EXPECT_EQ("Registry Error\r\n", fresh.error) << option;
        EXPECT_EQ("", fresh.out) << option;
    }
}

// What --uninstall runs, what it prints and how it ends; the uninstaller of the fake job
// service deletes the key the way a real one would.
class CommandLineUninstall : public CommandLineRun {
  protected:
    void SetUp() override {
        CommandLineRun::SetUp();
        reg.setString(HKLM, kStore + "Quill", "DisplayName", "Quillmark Notes");
        reg.setString(HKLM, kStore + "Quill", "UninstallString", "\"C:\\Quill\\uninst.exe\"");
        reg.setString(HKLM, kStore + "Quill", "QuietUninstallString",
                      "\"C:\\Quill\\uninst.exe\" /S");
        reg.setString(HKLM, kStore + "Quill", "InstallLocation", "C:\\Quill");
        reg.setString(HKLM, kStore + kProduct, "DisplayName", "Tallyport Ledger");
        reg.setDword(HKLM, kStore + kProduct, "WindowsInstaller", 1);
        reg.setString(HKLM, kStore + kProduct, "UninstallString", "MsiExec.exe /I" + kProduct);
        jobs.runAtOnce = [this](const std::string& commandLine) {
            backupsAtStart.push_back(files.files.size());
            if (uninstallerWorks) {
                auto machine = reg.create(HKLM, reg_access::AllAccess);
                machine->deleteKey("\\" + kStore + keyOfCommand(commandLine));
            }
        };
    }
    std::string keyOfCommand(const std::string& commandLine) const {
        if (commandLine.find(kProduct) != std::string::npos) return kProduct;
        return commandLine.find("Quill") != std::string::npos ? "Quill" : "a-key";
    }
    int uninstall(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--uninstall");
        return run(arguments);
    }

    const std::string kProduct = "{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}";
    bool uninstallerWorks = true;
    std::vector<std::size_t> backupsAtStart;
};

TEST_F(CommandLineUninstall, QuietRemovalRunsTheQuietCommandAfterTheBackupAndWaits) {
    EXPECT_EQ(kExitSuccess, uninstall({"Quill", "--quiet"}));
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("\"C:\\Quill\\uninst.exe\" /S", jobs.started[0].commandLine);
    EXPECT_EQ(std::vector<std::size_t>{1}, backupsAtStart)
        << "the backup is taken before the uninstaller starts";
    EXPECT_EQ("Quillmark Notes was removed. Exit code 0.\r\n", console.out);

    EXPECT_EQ(kExitSuccess, uninstall({kProduct, "--quiet"}));
    EXPECT_EQ("MsiExec.exe /X" + kProduct + " /qn", jobs.started[1].commandLine);
    EXPECT_EQ(kExitSuccess, uninstall({"a-key"}));
    EXPECT_EQ("zeta.exe /x", jobs.started[2].commandLine);
}

TEST_F(CommandLineUninstall, AProgramStillRegisteredAfterwardsFailsAndSaysSo) {
    uninstallerWorks = false;
    jobs.exitCode = 1602;
    shell.addDirectory("C:\\Quill");
    EXPECT_EQ(kExitFailure, uninstall({"Quill"}));
    EXPECT_EQ("The uninstaller of Quillmark Notes has finished, but the program is still "
              "registered. It was cancelled (exit code 1602). Its install location "
              "\"C:\\Quill\" still exists.\r\n",
              console.out);
}

TEST_F(CommandLineUninstall, NothingIsRunInPlaceOfAMissingCommand) {
    // Without a quiet command the interactive one is not run instead.
    EXPECT_EQ(kExitFailure, uninstall({"a-key", "--quiet"}));
    EXPECT_EQ(kExitFailure, uninstall({"b-key"}));
    EXPECT_EQ(kExitFailure, uninstall({"no-such-key"}));
    EXPECT_TRUE(jobs.started.empty());
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(reg.keyExists(HKLM, kStore + "a-key"));
    EXPECT_NE(std::string::npos, console.error.find("Zeta has no quiet uninstall command"));

    jobs.startSucceeds = false;
    EXPECT_EQ(kExitFailure, uninstall({"Quill"}));
    EXPECT_NE(std::string::npos,
              console.error.find("Cannot start \"\"C:\\Quill\\uninst.exe\"\". The system cannot"));
}

// One after another, a line each; what cannot run is told and the rest still run.
TEST_F(CommandLineUninstall, SeveralKeysRunAsAQueueWithALineEach) {
    jobs.refusedCommandLine = "MsiExec.exe /X" + kProduct + " /qn";
    EXPECT_EQ(kExitFailure, uninstall({"--quiet", "missing", kProduct, "a-key", "Quill"}));
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("\"C:\\Quill\\uninst.exe\" /S", jobs.started[0].commandLine);
    EXPECT_EQ("Quillmark Notes was removed. Exit code 0.\r\n", console.out);
    EXPECT_EQ("No program is registered under the key \"missing\".\r\n"
              "Cannot start \"MsiExec.exe /X" +
                  kProduct +
                  " /qn\". The system cannot find the file specified.\r\n"
                  "Zeta has no quiet uninstall command (QuietUninstallString) and is no "
                  "Windows Installer product; nothing was run.\r\n",
              console.error);

    jobs.refusedCommandLine.clear();
    reg.setString(HKLM, kStore + "Quill", "DisplayName", "Quillmark Notes");
    reg.setString(HKLM, kStore + "Quill", "QuietUninstallString", "Quill.exe /S");
    console.out.clear();
    EXPECT_EQ(kExitSuccess, uninstall({kProduct, "--quiet", "Quill"}));
    EXPECT_EQ("Tallyport Ledger was removed. Exit code 0.\r\n"
              "Quillmark Notes was removed. Exit code 0.\r\n",
              console.out);
    EXPECT_EQ((std::vector<std::size_t>{2, 3, 4}), backupsAtStart)
        << "each backup just before its own uninstaller";
}

TEST_F(CommandLineUninstall, AKeyInTwoStoresNeedsTheStoreNamed) {
    reg.setString(RegRoot::CurrentUser, kStore + "Quill", "DisplayName", "Quillmark Notes");
    reg.setString(RegRoot::CurrentUser, kStore + "Quill", "UninstallString", "mine.exe");
    EXPECT_EQ(kExitUsage, uninstall({"a-key", "Quill"}));
    EXPECT_NE(std::string::npos, console.error.find("registered in HKLM64 and in HKCU"));
    EXPECT_TRUE(jobs.started.empty()) << "nothing runs, not even the key before it";

    uninstallerWorks = false; // the fake deletes only machine-wide keys
    EXPECT_EQ(kExitFailure, uninstall({"Quill", "--store", "HKCU"}));
    ASSERT_EQ(1u, jobs.started.size());
    EXPECT_EQ("mine.exe", jobs.started[0].commandLine);
}

} // namespace
} // namespace remvana
