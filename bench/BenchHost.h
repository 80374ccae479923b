#pragma once
// The host started in-process for a benchmark, with the built plug-in findable: its install
// folder (the stage) named through the registry stand-in, as an installed copy would be.
#include "app/Startup.h"

#include <cstdlib>
#include <fstream>
#include <string>

inline void startHostWithStagedPlugin() {
    rvhost::startHost();
    const std::string registry = std::string(RAVELIN_STAGE_DIR) + "/bench_registry.ini";
    std::ofstream(registry) << "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvenic\\Ravelin3Dv1x64]\n"
                            << "InstallPath=sz:" RAVELIN_STAGE_DIR "/\n";
    setenv("RVHOST_REGISTRY", registry.c_str(), 1);
    setenv("RVHOST_PLUGIN_PATH", RAVELIN_STAGE_DIR "/lib", 1);
}
