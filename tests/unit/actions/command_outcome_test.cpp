#include <gtest/gtest.h>

#include "actions/command_outcome.h"
#include "inventory/app_info.h"

namespace remvana {
namespace {

TEST(CommandOutcome, RunningTextsNameTheCommandAndTheProgram) {
    EXPECT_EQ("Removing Quillmark Notes ...",
              commandRunningText(EntryCommand::Remove, "Quillmark Notes"));
    EXPECT_EQ("Changing Quillmark Notes ...",
              commandRunningText(EntryCommand::Change, "Quillmark Notes"));
    EXPECT_EQ("Repairing Tallyport Ledger ...",
              commandRunningText(EntryCommand::Repair, "Tallyport Ledger"));
}

TEST(CommandOutcome, TheEndSaysWhatHappenedAndNamesTheExitCode) {
    struct Case {
        EntryCommand command;
        std::uint32_t exitCode;
        bool stillRegistered;
        const char* text;
    };
    for (const Case& c : {
             Case{EntryCommand::Remove, 0, false, "Quillmark Notes was removed."},
             Case{EntryCommand::Remove, 0, true,
                  "The uninstaller of Quillmark Notes has finished, but the program is still "
                  "registered."},
             Case{EntryCommand::Remove, 1602, true,
                  "The uninstaller of Quillmark Notes has finished, but the program is still "
                  "registered. It was cancelled (exit code 1602)."},
             Case{EntryCommand::Remove, 3010, false,
                  "Quillmark Notes was removed. A restart is needed to complete it (exit code "
                  "3010)."},
             Case{EntryCommand::Repair, 0, true, "Repair of Quillmark Notes finished."},
             Case{EntryCommand::Repair, 1603, true,
                  "Repair of Quillmark Notes finished. Exit code 1603."},
             Case{EntryCommand::Change, 0xC0000005u, true,
                  "Change of Quillmark Notes finished. Exit code 0xC0000005."},
         }) {
        EXPECT_EQ(c.text,
                  commandOutcomeText({c.command, "Quillmark Notes", c.exitCode, c.stillRegistered}))
            << c.exitCode;
    }
    EXPECT_EQ("Quillmark Notes was removed. Exit code 0.",
              commandOutcomeText({EntryCommand::Remove, "Quillmark Notes", 0, false},
                                 ExitCodeMention::Always));
}

TEST(CommandOutcome, AProgramWithoutDisplayNameGoesByItsKeyName) {
    TAppInfo entry;
    entry.KeyName = "QuillmarkNotes";
    EXPECT_EQ("QuillmarkNotes", programNameOf(entry));
    entry.DisplayName = "Quillmark Notes";
    EXPECT_EQ("Quillmark Notes", programNameOf(entry));
}

TEST(CommandOutcome, TheInstallLocationLeftBehindIsNamed) {
    EXPECT_EQ("Its install location \"C:\\Quillmark\" still exists.",
              installLocationOutcomeText("C:\\Quillmark", true));
    EXPECT_EQ("Its install location \"C:\\Quillmark\" is gone.",
              installLocationOutcomeText("C:\\Quillmark", false));
    EXPECT_EQ("", installLocationOutcomeText("", true));
}

} // namespace
} // namespace remvana
