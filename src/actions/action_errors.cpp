#include "actions/action_errors.h"

#include "inventory/uninstall_store.h"

namespace remvana {

std::string asSentence(std::string text) {
    if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?')
        text += '.';
    return text;
}

ActionError commandStartError(const std::string& commandLine, const std::string& reason) {
    return ActionError("Cannot start \"" + commandLine + "\". " + asSentence(reason));
}

ActionError entryGuardError(const std::string& keyName) {
    return ActionError("The entry \"" + keyName +
                       "\" cannot be changed from here: its key name does not name one key "
                       "of the uninstall store, and acting on it could reach another key.");
}

std::string entryNotRemovedText(const std::string& keyName, bool partly,
                                const std::string& reason) {
    const std::string what =
        partly ? "The entry \"" + keyName +
                     "\" was only partly removed: some keys below it are gone, the entry "
                     "itself stays."
               : "The entry \"" + keyName + "\" was not removed.";
    return what + " " + asSentence(reason);
}

std::string entryAlreadyGoneText(const std::string& keyName) {
    return "The entry \"" + keyName +
           "\" was already gone: another program has removed it. The list now shows the "
           "programs as registered.";
}

ActionError reportIncompleteError(const std::string& path, const std::string& reason) {
    return ActionError("The report \"" + path + "\" is incomplete and was removed. " +
                       asSentence(reason));
}

std::string rightsAdvice(const RegFailure& failure, const UninstallStore& store,
                         RegistryFactory& registries) {
    // The user's own store needs no administrator; neither does an elevated program.
    if (!failure.accessDenied || store.root != RegRoot::LocalMachine || registries.elevated())
        return {};
    return " For this action, administrator rights are needed.";
}

} // namespace remvana
