#include "tools/ContextRegistry.h"

#include <maya/MEvent.h>
#include <maya/MPxContext.h>

#include "scene/Scene.h"

#include <algorithm>

namespace rvhost {

// Never destroyed: at exit the plug-ins' own statics are already gone, so their contexts
// must not run; unloading a plug-in removes its contexts (removeMadeBy) instead.
ContextRegistry& ContextRegistry::instance() {
    static ContextRegistry* registry = new ContextRegistry;
    return *registry;
}

MStatus ContextRegistry::add(const std::string& name, Entry entry) {
    if (!Scene::isValidName(name)) {
        lastError_ = "Invalid context name: \"" + name + "\"";
        return MS::kInvalidParameter;
    }
    if (exists(name)) {
        lastError_ = "Context name is not unique: \"" + name + "\"";
        return MS::kFailure;
    }
    if (!entry.context) {
        lastError_ = "No context was made for \"" + name + "\"";
        return MS::kFailure;
    }
    ContextState& state = entry.context->hostState();
    state.name = name;
    state.makeToolCommand = std::move(entry.makeToolCommand);
    entries_.emplace_back(name, std::move(entry));
    return MS::kSuccess;
}

std::string ContextRegistry::uniqueName(const std::string& base) const {
    for (unsigned long n = 1;; ++n) {
        std::string name = base + std::to_string(n);
        if (!exists(name)) return name;
    }
}

MPxContext* ContextRegistry::find(const std::string& name) const {
    for (const auto& [entryName, entry] : entries_)
        if (entryName == name) return entry.context.get();
    return nullptr;
}

std::shared_ptr<void> ContextRegistry::companion(const std::string& name) const {
    for (const auto& [entryName, entry] : entries_)
        if (entryName == name) return entry.companion;
    return nullptr;
}

std::string ContextRegistry::commandNameOf(const std::string& name) const {
    for (const auto& [entryName, entry] : entries_)
        if (entryName == name) return entry.commandName;
    return {};
}

bool ContextRegistry::exists(const std::string& name) const {
    return name == kDefaultContext || find(name) != nullptr;
}

std::vector<std::string> ContextRegistry::names() const {
    std::vector<std::string> result{kDefaultContext};
    for (const auto& entry : entries_)
        result.push_back(entry.first);
    return result;
}

MStatus ContextRegistry::setCurrent(const std::string& name, MEvent& event) {
    if (!exists(name)) {
        lastError_ = "Context not found: \"" + name + "\"";
        return MS::kNotFound;
    }
    if (MPxContext* old = current()) old->toolOffCleanup();
    current_ = name;
    if (MPxContext* next = current()) next->toolOnSetup(event);
    return MS::kSuccess;
}

void ContextRegistry::removeMadeBy(const std::string& commandName) {
    std::vector<std::string> doomed;
    for (const auto& [name, entry] : entries_)
        if (entry.commandName == commandName) doomed.push_back(name);
    erase(std::move(doomed));
}

void ContextRegistry::clear() {
    std::vector<std::string> doomed;
    for (const auto& entry : entries_)
        doomed.push_back(entry.first);
    erase(std::move(doomed));
}

void ContextRegistry::erase(std::vector<std::string> doomed) {
    if (std::find(doomed.begin(), doomed.end(), current_) != doomed.end()) {
        MEvent event;
        setCurrent(kDefaultContext, event);
    }
    for (const std::string& name : doomed) {
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const auto& entry) { return entry.first == name; });
        // Moved out before it dies so that its destructor sees a consistent registry.
        Entry entry = std::move(it->second);
        entries_.erase(it);
        entry.context->deleteManipulators();
        entry.context.reset();
    }
}

} // namespace rvhost
