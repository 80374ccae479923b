#pragma once
#include <maya/MStatus.h>

#include "plugins/Plugin.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// Loads and unloads plug-in libraries. Errors are shown through MGlobal::displayError.
class PluginManager {
public:
    static PluginManager& instance();

    // A path, or a name looked up in the folders of RVHOST_PLUGIN_PATH (colon-separated)
    // and then the current folder, with or without ".so". Loading a loaded plug-in again
    // does nothing. `name` receives the plug-in's name: its file name without ".so".
    MStatus load(const std::string& nameOrPath, std::string& name);
    // Flushes the undo queue (its steps may hold the plug-in's code) and deletes the
    // plug-in's contexts. Refuses while nodes of its types are in the scene, unless
    // `force`, which deletes them. Then runs the batch UI deletion procedure, calls
    // uninitializePlugin, takes back anything still registered and closes the library.
    MStatus unload(const std::string& nameOrPath, bool force = false);

    // By name, file name or path; null when not loaded.
    std::shared_ptr<Plugin> find(const std::string& nameOrPath) const;
    std::vector<std::string> names() const;

private:
    using EntryPoint = MStatus (*)(MObject);
    struct Library {
        std::shared_ptr<Plugin> plugin;
        void* handle = nullptr;
        EntryPoint uninitialize = nullptr;
    };

    PluginManager() = default;
    MStatus open(const std::string& path, Library& library, EntryPoint& initialize);
    void forget(const Plugin& plugin);
    static void close(Library& library);

    std::vector<Library> libraries_;
};

} // namespace rvhost
