#include "actions/removal_texts.h"

#include "actions/command_outcome.h"

namespace remvana {
namespace {

std::string count(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

const char* howItRuns(const QueuedRemoval& removal) {
    if (!removal.commandLine) return " (has no uninstaller; left alone)";
    return removal.quiet ? " (runs quietly)" : " (shows its own uninstaller)";
}

// A line each for the first 15, then "and N more".
std::string listLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kLongestRemovalList; ++i)
        text += lines[i] + "\n";
    if (lines.size() > kLongestRemovalList)
        text += "and " + std::to_string(lines.size() - kLongestRemovalList) + " more\n";
    return text;
}

} // namespace

std::string removalConfirmationText(const std::vector<QueuedRemoval>& removals) {
    std::size_t quiet = 0, shown = 0;
    std::vector<std::string> lines;
    for (const QueuedRemoval& removal : removals) {
        if (removal.commandLine) ++(removal.quiet ? quiet : shown);
        lines.push_back(removal.programName + howItRuns(removal));
    }
    std::string text = "Remove these " + count(removals.size(), "program", "programs") +
                       ", one after another?\n\n" + listLines(lines) + "\n";
    if (quiet > 0) text += count(quiet, "runs", "run") + " quietly, without a window. ";
    if (shown > 0)
        text += count(shown, "shows its", "show their") +
                " own uninstaller: answer it, and the next one starts once it has ended. ";
    if (const std::size_t none = removals.size() - quiet - shown; none > 0)
        text += count(none, "has", "have") + " no uninstaller and " + (none == 1 ? "is" : "are") +
                " left alone.";
    while (text.back() == ' ')
        text.pop_back();
    return text;
}

std::string deleteEntriesConfirmationText(const std::vector<std::string>& programNames) {
    return "This will remove the uninstall entries of these " +
           std::to_string(programNames.size()) +
           " programs from the registry. It will not uninstall the applications. Are you sure "
           "you want to do this?\n\n" +
           listLines(programNames);
}

std::string removalResultLine(const QueuedRemoval& removal, const RemovalResult& result) {
    const std::string& name = removal.programName;
    switch (result.state) {
    case RemovalState::Removed:
        return name + ": removed." +
               exitCodeSentence(result.exitCode, ExitCodeMention::WhenNotZero);
    case RemovalState::StillRegistered:
        return name + ": still registered." +
               exitCodeSentence(result.exitCode, ExitCodeMention::WhenNotZero);
    case RemovalState::NotStarted:
        return name + ": could not start. " + result.reason;
    case RemovalState::Running:
        return name + ": still running.";
    case RemovalState::Waiting:
    case RemovalState::Stopped:
        break;
    }
    return name + ": stopped before it ran.";
}

std::string removalSummaryText(const RemovalQueue& queue) {
    const auto& removals = queue.removals();
    const auto& results = queue.results();
    std::size_t removed = 0;
    std::string lines;
    for (std::size_t i = 0; i < removals.size(); ++i) {
        if (results[i].state == RemovalState::Removed) ++removed;
        lines += removalResultLine(removals[i], results[i]) + "\n";
    }
    return std::to_string(removed) + " of " +
           count(removals.size(), "program was", "programs were") + " removed.\n" + lines;
}

} // namespace remvana
