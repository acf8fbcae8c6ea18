#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "inventory/icons.h"
#include "inventory/row_icons.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

const char* const kLibrary = "C:\\windows\\system32\\SHELL32.DLL";

// The row images as the list holds them: where each appended icon came from.
class RecordingImages : public RowImageStore {
  public:
    explicit RecordingImages(FakeShell& shell) : shell_(shell) {}
    int addImage(IconHandle icon) override {
        sources.push_back(shell_.iconSource(icon));
        return static_cast<int>(sources.size()); // image 0 is the generic one
    }
    // The source behind a row image, "" for image 0.
    std::string sourceOf(int image) const {
        return image > 0 ? sources.at(static_cast<std::size_t>(image - 1)) : "";
    }
    std::vector<std::string> sources;

  private:
    FakeShell& shell_;
};

TAppInfo program(const std::string& icon, std::int32_t hasName = 0,
                 const std::string& usedPath = "") {
    TAppInfo info;
    info.DisplayName = "Program";
    info.DisplayIcon = icon;
    info.UsageRecord.bytes[4] = static_cast<std::uint8_t>(hasName);
    for (std::size_t i = 0; i < usedPath.size(); ++i)
        info.UsageRecord.bytes[28 + 2 * i] = static_cast<std::uint8_t>(usedPath[i]);
    return info;
}

class RowIconsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int index : {0, 2, 70})
            shell.addIcon(kLibrary, index);
        shell.addIcon("C:\\Apps\\one.exe", 0);
        shell.addIcon("C:\\Apps\\two.dll", 4);
        shell.addIcon("C:\\Icons\\text.dll", 3);
        shell.addIcon("C:\\Apps\\used.exe", 0);
        shell.addFile("C:\\Apps\\blank.dat");
        shell.setTypeName("C:\\Links\\app.lnk", "Shortcut");
        registry.setString(RegRoot::ClassesRoot, ".TXT", "", "txtfile");
        registry.setString(RegRoot::ClassesRoot, "txtfile\\DefaultIcon", "",
                           "C:\\Icons\\text.dll,3");
    }

    // What the eager lookup of the fill chose for the row: the large icon of GetFileIcon for
    // its DisplayIcon, else for the existing program its usage record names.
    std::string eagerSource(const TAppInfo& info) {
        std::string iconString = info.DisplayIcon;
        if (iconString.empty()) {
            if (!info.UsageRecord.hasName() || !shell.fileExists(info.UsageRecord.imagePath()))
                return "";
            iconString = info.UsageRecord.imagePath();
        }
        IconHandle large = 0;
        try {
            GetFileIcon(shell, registry, iconString, &large, nullptr);
        } catch (const ConversionError&) {
            return "";
        }
        const std::string source = shell.iconSource(large);
        if (large) shell.destroyIcon(large);
        return source;
    }

    FakeShell shell;
    FakeRegistryFactory registry;
    RecordingImages images{shell};
    RowIcons icons{images, shell, registry};
};

} // namespace

TEST_F(RowIconsTest, EachRowGetsTheIconTheEagerLookupChose) {
    const std::vector<TAppInfo> rows{
        program("C:\\Apps\\one.exe"),                // the program's own file
        program("C:\\Apps\\two.dll,4"),              // an index after the comma
        program("C:\\Apps\\gone.exe"),               // missing: the generic program icon
        program("C:\\Apps\\gone.exe,0"),             // missing with an index: icon 0
        program("C:\\Docs\\readme.txt"),             // the file class's icon
        program("C:\\Apps\\blank.dat"),              // no icon anywhere: image 0
        program("C:\\Links\\app.lnk"),               // a shortcut has no large icon
        program("C:\\Program Files\\A, B\\app.exe"), // the index is no number: image 0
        program("", 1, "C:\\Apps\\used.exe"),        // the usage record's program
        program("", 1, "C:\\Apps\\gone.exe"),        // ... which is gone
        program("", 0, "C:\\Apps\\used.exe"),        // a record without a name
        program("C:\\Apps\\blank.dat", 1, "C:\\Apps\\used.exe"), // DisplayIcon wins
    };
    for (const TAppInfo& row : rows) {
        const std::string wanted = eagerSource(row);
        EXPECT_EQ(wanted, images.sourceOf(icons.imageOf(row))) << row.DisplayIcon;
        // Asked again (a repaint), the row gets the same image without a new extraction.
        const std::size_t extractions = shell.extractCalls.size();
        EXPECT_EQ(wanted, images.sourceOf(icons.imageOf(row))) << row.DisplayIcon;
        EXPECT_EQ(extractions, shell.extractCalls.size());
    }
    EXPECT_EQ(0u, shell.liveIconCount());
    EXPECT_EQ(0, shell.badDestroys);
}

TEST_F(RowIconsTest, ASourceSharedByAThousandRowsIsExtractedOnce) {
    const TAppInfo shared = program("C:\\Apps\\one.exe");
    const int first = icons.imageOf(shared);
    for (int i = 0; i < 999; ++i)
        EXPECT_EQ(first, icons.imageOf(program("C:\\Apps\\one.exe")));
    EXPECT_EQ(1u, shell.extractCalls.size());
    EXPECT_EQ(1u, images.sources.size());

    // A thousand missing programs: each own file tried once, the generic icon taken once.
    shell.extractCalls.clear();
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(
            "C:\\windows\\system32\\SHELL32.DLL,2",
            images.sourceOf(icons.imageOf(program("C:\\Gone\\p" + std::to_string(i) + ".exe"))));
    EXPECT_EQ(1001u, shell.extractCalls.size());
    EXPECT_EQ(2u, images.sources.size());
    EXPECT_EQ(0u, shell.liveIconCount());
}

TEST_F(RowIconsTest, ForgottenImagesAreExtractedAgain) {
    icons.imageOf(program("C:\\Apps\\one.exe"));
    icons.forget();
    images.sources.clear();
    EXPECT_EQ(1, icons.imageOf(program("C:\\Apps\\one.exe")));
    EXPECT_EQ(2u, shell.extractCalls.size());
}

} // namespace remvana
