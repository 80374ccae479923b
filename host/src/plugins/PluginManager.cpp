#include "plugins/PluginManager.h"

#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MTypes.h>

#include "plugins/UndoQueue.h"
#include "scene/Scene.h"
#include "script/ScriptCommands.h"

#include <algorithm>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace fs = std::filesystem;

namespace rvhost {

namespace {

bool hasSoSuffix(const std::string& text) {
    return text.size() > 3 && text.compare(text.size() - 3, 3, ".so") == 0;
}

std::string pluginName(const std::string& path) {
    const std::string file = fs::path(path).filename().string();
    return hasSoSuffix(file) ? file.substr(0, file.size() - 3) : file;
}

std::vector<std::string> searchFolders() {
    std::vector<std::string> folders;
    const char* env = std::getenv("RVHOST_PLUGIN_PATH");
    std::string list = env ? env : "";
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) folders.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    folders.push_back(".");
    return folders;
}

// The library file for a path or name, or "" when there is none.
std::string resolve(const std::string& given) {
    std::vector<std::string> candidates;
    if (given.find('/') != std::string::npos) {
        candidates = {given, given + ".so"};
    } else {
        for (const std::string& folder : searchFolders())
            for (const std::string& file : {given, given + ".so"})
                candidates.push_back((fs::path(folder) / file).string());
    }
    std::error_code ec;
    for (const std::string& candidate : candidates)
        if (fs::is_regular_file(candidate, ec)) return fs::absolute(candidate, ec).string();
    return std::string();
}

// Entry points are looked up with C linkage first, then as C++ functions taking MObject.
void* entryPoint(void* handle, const char* cName, const char* cxxName) {
    void* symbol = dlsym(handle, cName);
    return symbol ? symbol : dlsym(handle, cxxName);
}

const std::string kHostApi = std::to_string(MAYA_API_VERSION);

// Plug-ins built for another year's API are refused.
bool compatibleApi(const char* version) {
    return std::string(version).substr(0, 4) == kHostApi.substr(0, 4);
}

} // namespace

PluginManager& PluginManager::instance() {
    static PluginManager manager;
    return manager;
}

std::shared_ptr<Plugin> PluginManager::find(const std::string& nameOrPath) const {
    for (const Library& library : libraries_) {
        const Plugin& plugin = *library.plugin;
        if (plugin.name() == nameOrPath || plugin.path() == nameOrPath ||
            plugin.name() + ".so" == nameOrPath || plugin.name() == pluginName(nameOrPath))
            return library.plugin;
    }
    return nullptr;
}

std::vector<std::string> PluginManager::names() const {
    std::vector<std::string> out;
    for (const Library& library : libraries_)
        out.push_back(library.plugin->name());
    return out;
}

MStatus PluginManager::open(const std::string& path, Library& library, EntryPoint& initialize) {
    const std::string name = pluginName(path);
    library.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library.handle)
        return script::commandError("Cannot load plug-in " + name + ": " + dlerror());
    const auto* version = static_cast<const char*>(dlsym(library.handle, "MApiVersion"));
    std::string problem;
    if (!version)
        problem = "it does not export MApiVersion";
    else if (!compatibleApi(version))
        problem = "it was built for API version " + std::string(version) +
                  " and this host provides " + kHostApi;
    initialize = reinterpret_cast<EntryPoint>(
        entryPoint(library.handle, "initializePlugin", "_Z16initializePlugin7MObject"));
    library.uninitialize = reinterpret_cast<EntryPoint>(
        entryPoint(library.handle, "uninitializePlugin", "_Z18uninitializePlugin7MObject"));
    if (problem.empty() && (!initialize || !library.uninitialize))
        problem = "it does not export initializePlugin and uninitializePlugin";
    if (problem.empty()) return MS::kSuccess;
    dlclose(library.handle);
    return script::commandError("Cannot load plug-in " + name + ": " + problem);
}

void PluginManager::forget(const Plugin& plugin) {
    libraries_.erase(std::find_if(libraries_.begin(), libraries_.end(),
                                  [&](const Library& l) { return l.plugin.get() == &plugin; }));
}

void PluginManager::close(Library& library) {
    library.plugin->removeAll();
    dlclose(library.handle);
}

MStatus PluginManager::load(const std::string& nameOrPath, std::string& name) {
    if (std::shared_ptr<Plugin> loaded = find(nameOrPath)) {
        name = loaded->name();
        return MS::kSuccess;
    }
    const std::string path = resolve(nameOrPath);
    if (path.empty()) return script::commandError("Plug-in not found: " + nameOrPath);
    Library library;
    EntryPoint initialize = nullptr;
    if (!open(path, library, initialize)) return MS::kFailure;
    library.plugin = std::make_shared<Plugin>(pluginName(path), path);
    libraries_.push_back(library);
    Plugin& plugin = *library.plugin;
    plugin.setInitializing(true);
    const MStatus status = initialize(MObject(library.plugin));
    plugin.setInitializing(false);
    if (!status) {
        forget(plugin);
        close(library);
        return script::commandError("initializePlugin function failed (" + plugin.name() +
                                    "): " + status.errorString().str());
    }
    name = plugin.name();
    if (!plugin.ui().createBatch.empty()) MGlobal::executeCommand(MString(plugin.ui().createBatch));
    return MS::kSuccess;
}

MStatus PluginManager::unload(const std::string& nameOrPath, bool force) {
    std::shared_ptr<Plugin> plugin = find(nameOrPath);
    if (!plugin) return script::commandError("Plug-in is not loaded: " + nameOrPath);
    UndoQueue::instance().flush();
    plugin->removeContexts();
    const auto inUse = plugin->nodesInUse();
    if (!inUse.empty() && !force)
        return script::commandError(
            "Plug-in " + plugin->name() + " is in use: " + std::to_string(inUse.size()) +
            " of its nodes are in the scene (unloadPlugin -force deletes them)");
    for (const auto& node : inUse)
        Scene::instance().remove(*node);
    if (!plugin->ui().removeBatch.empty())
        MGlobal::executeCommand(MString(plugin->ui().removeBatch));
    Library library = *std::find_if(libraries_.begin(), libraries_.end(),
                                    [&](const Library& l) { return l.plugin == plugin; });
    const MStatus status = library.uninitialize(MObject(plugin));
    if (!status)
        MGlobal::displayWarning(MString("uninitializePlugin function failed (" + plugin->name() +
                                        "): " + status.errorString().str() +
                                        "; unloading it anyway"));
    forget(*plugin);
    close(library);
    return MS::kSuccess;
}

} // namespace rvhost
