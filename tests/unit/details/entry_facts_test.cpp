#include <gtest/gtest.h>

#include "details/entry_facts.h"
#include "fakes/fake_locale.h"

namespace remvana {
namespace {

TEST(EntryFacts, MarksInWordsThenEachFactThatIsPresent) {
    FakeLocale locale;
    TAppInfo entry;
    entry.KeyName = "App_is1";
    entry.InstallLocation = "C:\\R&D";
    entry.InstallDate = "20240315";
    entry.UninstallString = "\"C:\\R&D\\un.exe\" /S";
    entry.ModifyPath = "C:\\R&D\\setup.exe";
    entry.EstimatedSize = 500;
    entry.Health.checked = true;
    entry.Health.uninstallerMissing = true;
    entry.Health.displayIconMissing = true;
    entry.Health.installLocationIsFolder = true;
    EXPECT_EQ("<font color=\"#C00000\">The uninstaller of this program is missing: Delete Entry "
              "removes the leftover registration</font><br>"
              "<font color=\"#C00000\">The icon file does not exist</font><br>"
              "<B>Install Location</B> : <a href=\"InstallLocation\">C:\\R&amp;D</a><br>"
              "<B>Install Date</B> : 2024-03-15<br>"
              "<B>Uninstall Command</B> : &quot;C:\\R&amp;D\\un.exe&quot; /S<br>"
              "<B>Modify Command</B> : C:\\R&amp;D\\setup.exe<br>"
              "<B>Estimated Size</B> : 500 Kb<br>",
              entryFactsMarkup(entry, locale));
}

// A link would open what it names: a file there would run, so it is plain text.
TEST(EntryFacts, AnInstallLocationThatIsNoFolderIsPlainTextNotALink) {
    FakeLocale locale;
    TAppInfo entry;
    entry.InstallLocation = "C:\\Tools\\marker.bat";
    EXPECT_EQ("<B>Install Location</B> : C:\\Tools\\marker.bat<br>",
              entryFactsMarkup(entry, locale));
}

TEST(EntryFacts, EstimatedSizeOnlyWithoutAUsageRecordSize) {
    FakeLocale locale;
    TAppInfo entry;
    entry.EstimatedSize = 10;
    entry.UsageRecord.bytes[8] = 1; // installed size 1 byte: the list shows that one
    EXPECT_EQ("", entryFactsMarkup(entry, locale));
}

TEST(EntryFacts, InstallDateShowsAsADateOnlyWhenStoredAsOne) {
    EXPECT_EQ("2007-03-05", installDateText("20070305"));
    for (const char* kept :
         {"2007035", "2007-03-05", "20071305", "20070230", "2007030x", "3/5/2007"})
        EXPECT_EQ(kept, installDateText(kept));
}

} // namespace
} // namespace remvana
