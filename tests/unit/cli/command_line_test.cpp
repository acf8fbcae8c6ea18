#include <gtest/gtest.h>

#include "cli/command_line.h"

namespace remvana {
namespace {

struct ParseCase {
    std::vector<std::string> arguments;
    CliAction action;
    std::string reportPath;
};

TEST(CommandLine, EachOptionBecomesItsRequest) {
    const std::vector<ParseCase> cases = {
        {{}, CliAction::Window, ""},
        {{"--list"}, CliAction::List, ""},
        {{"--json"}, CliAction::Json, ""},
        {{"--tsv"}, CliAction::Tsv, ""},
        {{"--version"}, CliAction::Version, ""},
        {{"--version", "x"}, CliAction::Invalid, ""},
        {{"--help"}, CliAction::Help, ""},
        {{"/?"}, CliAction::Help, ""},
        {{"--report", "-"}, CliAction::Report, "-"},
        {{"--report", "C:\\audit files\\a.txt"}, CliAction::Report, "C:\\audit files\\a.txt"},
        // Options are what they are spelled: scripts must not depend on a lucky guess.
        {{"--LIST"}, CliAction::Invalid, ""},
        {{"list"}, CliAction::Invalid, ""},
        {{"--report"}, CliAction::Invalid, ""},
        {{"--report", ""}, CliAction::Invalid, ""},
        {{"--list", "--json"}, CliAction::Invalid, ""},
        {{"--report", "a.txt", "b.txt"}, CliAction::Invalid, ""},
        {{"--restore", "b.reg"}, CliAction::Restore, ""},
        {{"--restore"}, CliAction::Invalid, ""},
        {{"--restore", ""}, CliAction::Invalid, ""},
        {{"--restore", "a.reg", "b.reg"}, CliAction::Invalid, ""},
    };
    for (const ParseCase& c : cases) {
        const CliRequest request = parseCommandLine(c.arguments);
        const std::string shown = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(c.action, request.action) << shown;
        EXPECT_EQ(c.reportPath, request.reportPath) << shown;
        EXPECT_EQ(c.action == CliAction::Invalid, !request.problem.empty()) << shown;
    }
    EXPECT_EQ("C:\\my backups\\b.reg",
              parseCommandLine({"--restore", "C:\\my backups\\b.reg"}).restorePath);
}

TEST(CommandLine, UninstallTakesKeysAStoreAndQuietInAnyOrder) {
    struct Case {
        std::vector<std::string> arguments;
        StoreChoice store;
        bool quiet;
        std::vector<std::string> keys;
    };
    for (const Case& c : {
             Case{{"--uninstall", "{A}"}, StoreChoice::Any, false, {"{A}"}},
             Case{{"--uninstall", "Quill", "--quiet", "--store", "HKCU"},
                  StoreChoice::User,
                  true,
                  {"Quill"}},
             Case{{"--uninstall", "Quill", "--store", "HKLM32"},
                  StoreChoice::Machine32,
                  false,
                  {"Quill"}},
             Case{{"--uninstall", "Quill", "--store", "HKLM64", "--quiet"},
                  StoreChoice::Machine64,
                  true,
                  {"Quill"}},
             Case{{"--uninstall", "--quiet", "k1", "k2", "--store", "HKCU", "k3"},
                  StoreChoice::User,
                  true,
                  {"k1", "k2", "k3"}},
         }) {
        const CliRequest request = parseCommandLine(c.arguments);
        ASSERT_EQ(CliAction::Uninstall, request.action) << request.problem;
        EXPECT_EQ(c.keys, request.uninstallKeys);
        EXPECT_EQ(c.store, request.store);
        EXPECT_EQ(c.quiet, request.quiet);
    }
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {"--uninstall"},
             {"--uninstall", "--quiet"},
             {"--uninstall", "Quill", "--store"},
             {"--uninstall", "Quill", "--store", "hklm"},
             {"--uninstall", "Quill", "--store", "HKCU", "--store", "HKCU"},
             {"--uninstall", "Quill", "--quiet", "--quiet"},
             {"--uninstall", "Quill", "--other"},
             {"--uninstall", "Quill", ""},
             {"--uninstall", "Quill", "k2", "quill"},
         })
        EXPECT_EQ(CliAction::Invalid, parseCommandLine(wrong).action)
            << ::testing::PrintToString(wrong);
}

TEST(CommandLine, AProblemNamesTheArgument) {
    EXPECT_EQ("unknown argument: --frobnicate", parseCommandLine({"--frobnicate"}).problem);
    EXPECT_EQ("unexpected argument: extra", parseCommandLine({"--tsv", "extra"}).problem);
}

} // namespace
} // namespace remvana
