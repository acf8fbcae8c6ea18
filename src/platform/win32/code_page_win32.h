#pragma once
// The process's ANSI code page as a CodePage: UTF-8 when the manifest's setting is
// honoured, otherwise the system's legacy code page, converted without best-fit guesses.
#include <string>
#include <string_view>

#include "platform/ansi_text.h"
#include "platform/code_page.h"

namespace remvana {

const CodePage& processCodePage();

// Process code page text as the wide calls take it (GDI text, exact key names).
std::wstring ansiToWide(std::string_view text);

} // namespace remvana
