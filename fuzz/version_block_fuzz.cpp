// Feeds arbitrary bytes to the version block reader as the module's version block and looks
// up the names the program asks for. "Key not found" is the reader's one way to fail; any
// other exception, crash or sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fakes/fake_locale.h"
#include "settings/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace remvana;
    FakeLocale locale;
    TVersionInfo info(std::vector<std::uint8_t>(data, data + size), locale);
    for (const char* name : {"ProductName", "FileVersion", "CompanyName", ""}) {
        try {
            info.lookup(name);
        } catch (const VersionInfoError&) {
        }
    }
    return 0;
}
