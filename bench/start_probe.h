#pragma once
// The whole-process measure: starts a program that lists the installed programs and times
// how long it takes from the start until its list view, on screen, holds the expected
// number of rows. The list is read only through window messages, as any other program could
// read it, so Remvana and Wine's own Add/Remove Programs are timed alike.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace remvana::bench {

// Milliseconds from CreateProcess of `commandLine` until a visible window of another process
// shows a list view with at least `rows` rows; nothing when that does not happen within
// `timeoutMs`. The program is closed afterwards.
std::optional<double> startToFilledList(const std::string& commandLine, std::size_t rows,
                                        double timeoutMs);

// How the program answers keys over its start: from the moment its list holds `rows` rows,
// keys are posted to the list one after another (Home, then Down and Up in turn), each once
// the list acted on the last, for as long again as the list took to fill and one second
// more; a key is acted on when the list's selection moved as it asks.
struct KeysOverStart {
    double filledMs = 0;
    // Process start until the first of five keys in a row acted on within 50 ms each.
    double firstAcceptedMs = 0;
    double longestKeyMs = 0;
    std::size_t keys = 0;
    // With a `change`: after the start's keys the list is sorted by Size (a header click),
    // then the change is made (another process's write, as the program sees it), and keys go
    // on until the list shows one row more and a second after.
    double changeShownMs = 0; // from the change until the list held the new row
    double longestKeyOverChangeMs = 0;
    // With `refresh`: then F5 is pressed, and keys go on until the list is filled again (its
    // selection is gone) and a second after.
    double refreshShownMs = 0; // from F5 until the new list was shown
    double longestKeyOverRefreshMs = 0;
};
std::optional<KeysOverStart> keysOverStart(const std::string& commandLine, std::size_t rows,
                                           double timeoutMs,
                                           const std::function<void()>& change = {},
                                           bool refresh = false);

} // namespace remvana::bench
