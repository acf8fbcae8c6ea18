#pragma once
// The whole-process measure: starts a program that lists the installed programs and times
// how long it takes from the start until its list view, on screen, holds the expected
// number of rows. The list is read only through window messages, as any other program could
// read it, so Remvana and Wine's own Add/Remove Programs are timed alike.
#include <cstddef>
#include <optional>
#include <string>

namespace remvana::bench {

// Milliseconds from CreateProcess of `commandLine` until a visible window of another process
// shows a list view with at least `rows` rows; nothing when that does not happen within
// `timeoutMs`. The program is closed afterwards.
std::optional<double> startToFilledList(const std::string& commandLine, std::size_t rows,
                                        double timeoutMs);

} // namespace remvana::bench
