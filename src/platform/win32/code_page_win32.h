#pragma once
// The process's ANSI code page as a CodePage: UTF-8 when the manifest's setting is
// honoured, otherwise the system's legacy code page, converted without best-fit guesses.
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace remvana {

const CodePage& processCodePage();

// Process code page text to UTF-16 and back, for the wide calls (GDI text, exact key names).
std::u16string ansiToUtf16(std::string_view text);
std::wstring ansiToWide(std::string_view text);

} // namespace remvana
