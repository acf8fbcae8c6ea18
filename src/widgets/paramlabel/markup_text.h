#pragma once
// Text-level steps of the markup engine: the pre-processing of the joined markup and the
// decoding of one text run, kept apart from layout so each can be checked on its own.
#include <string>

namespace remvana {

// Prepares joined markup for layout: entities decoded in one left-to-right sweep ("&amp;"
// becomes "&&", which the text drawing shows as one "&"), the first "<#" construct turned
// into plain text, line feeds dropped and carriage returns turned into "<BR>". "&nbsp;",
// "&lt;" and "&gt;" stay for decodeTextRun.
std::string preprocessMarkup(const std::string& markup);

// Decodes "&nbsp;", "&lt;" and "&gt;" in one run of text. A doubled "&&" is an escaped
// ampersand and is kept as it is, so "&&lt;" still shows as the literal "&lt;".
std::string decodeTextRun(const std::string& run);

} // namespace remvana
