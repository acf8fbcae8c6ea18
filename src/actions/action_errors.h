#pragma once
// The failures of the actions, worded for the error box: each names the program, entry or
// file concerned and the system's reason, so no failure looks like success.
#include <stdexcept>
#include <string>

#include "platform/registry.h"

namespace remvana {

struct UninstallStore;

class ActionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "Cannot start "<command line>". <reason>".
ActionError commandStartError(const std::string& commandLine, const std::string& reason);

// The key-name guard refused an entry whose name could reach the store itself or a key
// outside it.
ActionError entryGuardError(const std::string& keyName);

// Delete Entry did not remove the entry, or removed only part of it.
std::string entryNotRemovedText(const std::string& keyName, bool partly, const std::string& reason);

// Delete Entry found the entry gone already: another program removed it meanwhile.
std::string entryAlreadyGoneText(const std::string& keyName);

// "The report "<path>" is incomplete and was removed. <reason>".
ActionError reportIncompleteError(const std::string& path, const std::string& reason);

// The sentence to add when a change to a machine-wide store was refused for a missing right
// while the program runs without administrator rights in force; empty otherwise.
std::string rightsAdvice(const RegFailure& failure, const UninstallStore& store,
                         RegistryFactory& registries);

// "<text>." unless it already ends a sentence, so pieces join cleanly.
std::string asSentence(std::string text);

} // namespace remvana
