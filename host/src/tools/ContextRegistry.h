#pragma once
#include <maya/MStatus.h>

#include "tools/ContextState.h"

#include <memory>
#include <string>
#include <vector>

class MEvent;
class MPxContext;

namespace rvhost {

// Every tool context by name, and the current tool. Contexts are made by context commands
// (MPxContextCommand::makeObj); the registry owns them from then on. The built-in
// "selectSuperContext" is current at start and whenever no plug-in tool is; it has no
// object and ignores the mouse.
class ContextRegistry {
public:
    static constexpr const char* kDefaultContext = "selectSuperContext";

    struct Entry {
        std::unique_ptr<MPxContext> context;
        // The context command that made the context, by its registered name.
        std::string commandName;
        // Its tool command, for MPxContext::newToolCommand.
        ToolCommandMaker makeToolCommand;
        // Anything that must live exactly as long as the context (the context command
        // instance that edits and queries it).
        std::shared_ptr<void> companion;
    };

    static ContextRegistry& instance();

    // Takes the context under `name`. Fails, and deletes the context, when the name is not
    // a valid object name or is taken; lastError() then says why.
    MStatus add(const std::string& name, Entry entry);
    // `base` followed by the lowest number from 1 that no context has.
    std::string uniqueName(const std::string& base) const;

    // Null for unknown names and for the built-in context.
    MPxContext* find(const std::string& name) const;
    std::shared_ptr<void> companion(const std::string& name) const;
    // The context command that made the named context; empty for unknown names.
    std::string commandNameOf(const std::string& name) const;
    bool exists(const std::string& name) const;
    std::vector<std::string> names() const;

    // setToolTo: cleans up the current tool, then sets up the new one with `event`. Naming
    // the current tool sets it up again. Fails for an unknown name and changes nothing.
    MStatus setCurrent(const std::string& name, MEvent& event);
    const std::string& currentName() const { return current_; }
    // The current plug-in tool; null while the built-in context is current.
    MPxContext* current() const { return find(current_); }

    // Deletes every context a context command made (the command is going away); the
    // current one is cleaned up first and the built-in context becomes current.
    void removeMadeBy(const std::string& commandName);
    // Deletes every context.
    void clear();

    const std::string& lastError() const { return lastError_; }

private:
    ContextRegistry() = default;
    void erase(std::vector<std::string> doomed);

    std::vector<std::pair<std::string, Entry>> entries_; // in the order made
    std::string current_ = kDefaultContext;
    std::string lastError_;
};

} // namespace rvhost
