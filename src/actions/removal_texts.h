#pragma once
// What the person reads before and after removing several programs in one go: one question
// listing them, and one summary with a line per program, so that nothing fails silently.
#include <string>
#include <vector>

#include "actions/removal_queue.h"

namespace remvana {

// The most programs the question names before "and N more".
inline constexpr std::size_t kLongestRemovalList = 15;

// The question of the "Confirm" box: the programs (the first 15, then "and N more"), which
// run quietly and which show their own uninstaller, and which have none and are left alone.
std::string removalConfirmationText(const std::vector<QueuedRemoval>& removals);

// Delete Entry's question for several programs: the same warning, and the list.
std::string deleteEntriesConfirmationText(const std::vector<std::string>& programNames);

// One line per program: "Orrery Atlas: removed.", "...: still registered.", "...: could not
// start. <reason>", "...: stopped before it ran.", each with its exit code when it is not 0.
std::string removalResultLine(const QueuedRemoval& removal, const RemovalResult& result);

// "2 of 3 programs were removed." followed by every program's line, lines ended by "\n".
std::string removalSummaryText(const RemovalQueue& queue);

} // namespace remvana
