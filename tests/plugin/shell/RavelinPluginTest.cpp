// Loading and unloading the built plug-in through the host: the install folder from the
// registry stand-in, the option variables, the shelf scripts and the registrations.
#include "PluginHost.h"
#include "TempFolder.h"

#include <filesystem>

#include <dlfcn.h>

namespace {

const char* const kNotFound =
    "Ravelin error: Could not find install path within Registry, please re-install Ravelin.";
const char* const kNotRead =
    "Ravelin error: Could not get install path within Registry, please re-install Ravelin.";
const char* const kWarning =
    "Ravelin error: Could not find install path within Regitry, please re-install Ravelin.";

class RavelinPlugin : public PluginHostTest {
protected:
    void SetUp() override {
        unload();
        for (const char* name : {"TVRVInfo_ProgramInstallPath", "TVRVInfo_MLLVersion",
                                 "TVRVInfo_MLLBuildDate", "RVOption_radius", "RVOption_mode",
                                 "RVOption_fallOffRamp", "RVOption_grabScaleAxisX"})
            MGlobal::removeOptionVar(name);
        clearMessages();
    }
    void TearDown() override { unload(); }

    void unload() {
        if (loaded()) {
            EXPECT_TRUE(ok("unloadPlugin Ravelin")) << err();
        }
    }
    bool loaded() { return integer("pluginInfo -q -loaded Ravelin") == 1; }
    std::string option(const char* name) { return MGlobal::optionVarStringValue(name).asChar(); }
    bool optionExists(const char* name) {
        bool exists = false;
        MGlobal::optionVarStringValue(name, &exists);
        return exists;
    }
    bool commandExists(const char* name) { return integer(std::string("exists ") + name) == 1; }
};

TEST_F(RavelinPlugin, LoadsFromTheInstallFolderAndGreets) {
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
    EXPECT_EQ(out(), "Ravelin Sculpting Plugin Loaded OK.\n");
    EXPECT_EQ(option("TVRVInfo_ProgramInstallPath"), RAVELIN_STAGE_DIR "/");
    EXPECT_EQ(option("TVRVInfo_MLLVersion"), "v1.0050");
    EXPECT_EQ(option("TVRVInfo_MLLBuildDate"), "08-05-2015");
    EXPECT_EQ(text("pluginInfo -q -version Ravelin"), "v1.0050");
    EXPECT_TRUE(commandExists("KVHeightMap"));
    EXPECT_TRUE(commandExists("TVCreateShelfUI"));
    EXPECT_TRUE(commandExists("TVDeleteShelfUI"));
    EXPECT_TRUE(ok("TVCreateShelfUI; TVDeleteShelfUI;")) << err(); // nothing to build in batch
    EXPECT_EQ(diagnostics(), "");
    EXPECT_EQ(err(), "");
}

TEST_F(RavelinPlugin, TheShelfScriptGivesMissingSculptOptionsTheirDefaultsOnly) {
    MGlobal::setOptionVarValue("RVOption_radius", 5.0);
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err();
    EXPECT_EQ(MGlobal::optionVarDoubleValue("RVOption_radius"), 5.0); // the user's value stays
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_mode"), 0);
    EXPECT_TRUE(optionExists("RVOption_mode"));
    EXPECT_EQ(MGlobal::optionVarIntValue("RVOption_grabScaleAxisX"), 1);
    EXPECT_EQ(option("RVOption_fallOffRamp"), "1,0,2,0,1,2");
}

TEST_F(RavelinPlugin, UnloadingRemovesTheCommandsAndKeepsTheOptions) {
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err();
    ASSERT_TRUE(ok("unloadPlugin Ravelin")) << err();
    EXPECT_FALSE(loaded());
    EXPECT_FALSE(commandExists("KVHeightMap"));
    EXPECT_EQ(option("TVRVInfo_MLLVersion"), "v1.0050");
    EXPECT_EQ(diagnostics(), "");
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err(); // and loads again
    EXPECT_TRUE(commandExists("KVHeightMap"));
}

TEST_F(RavelinPlugin, ExportsItsEntryPointsAndApiVersionAsTheHostLooksThemUp) {
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err();
    void* module = dlopen(RAVELIN_STAGE_DIR "/lib/Ravelin.so", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(module, nullptr);
    const auto* version = static_cast<const char*>(dlsym(module, "MApiVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, "201602");
    EXPECT_NE(dlsym(module, "_Z16initializePlugin7MObject"), nullptr);
    EXPECT_NE(dlsym(module, "_Z18uninitializePlugin7MObject"), nullptr);
    EXPECT_EQ(dlsym(module, "_ZN7KVImage4loadEv"), nullptr); // the parts stay inside
    dlclose(module);
}

TEST_F(RavelinPlugin, ARegistryWithoutTheInstallPathStopsTheLoad) {
    const std::pair<std::string, const char*> cases[] = {
        {"-", kNotFound},                           // no key
        {"", kNotRead},                             // no value
        {"dword:5", kNotRead},                      // another type
        {"sz:" + std::string(1024, 'a'), kNotRead}, // 1024 characters: no room for the zero
    };
    for (const auto& [value, message] : cases) {
        setInstallValue(value);
        clearMessages();
        EXPECT_FALSE(ok("loadPlugin Ravelin")) << value;
        EXPECT_FALSE(loaded());
        EXPECT_TRUE(diagnostics().find(std::string(message) + ": ") == 0) << diagnostics();
        EXPECT_NE(err().find(std::string("Warning: ") + kWarning), std::string::npos) << err();
        EXPECT_FALSE(optionExists("TVRVInfo_ProgramInstallPath"));
        EXPECT_FALSE(optionExists("TVRVInfo_MLLVersion"));
        EXPECT_EQ(out(), "");
    }
    setInstallValue("sz:" RAVELIN_STAGE_DIR "/" +
                    std::string(1023 - sizeof(RAVELIN_STAGE_DIR), '/'));
    EXPECT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics(); // 1023 characters fit
}

TEST_F(RavelinPlugin, InstallPathsOfEitherPlatformBecomeOneFolderWithATrailingSlash) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/ravelin", "/opt/ravelin/"},
        {"/opt/ravelin/", "/opt/ravelin/"},
        {"\\opt\\ravelin\\", "/opt/ravelin/"},
        {"//opt//ravelin", "/opt/ravelin/"},
        {"C:\\Program Files\\Ravelin", "C:/Program Files/Ravelin/"},
        {"C:\\\\Program Files\\\\Ravelin\\\\", "C:/Program Files/Ravelin/"},
    };
    for (const auto& [value, folder] : cases) {
        setInstallValue(std::string("sz:") + value);
        clearMessages();
        // No shelf scripts there: the folder is recorded, then the load fails.
        EXPECT_FALSE(ok("loadPlugin Ravelin")) << value;
        EXPECT_EQ(option("TVRVInfo_ProgramInstallPath"), folder) << value;
        EXPECT_NE(diagnostics().find("Ravelin Sculpting Plugin Loading Error, Missing or Corrupt "
                                     "MEL Files: \n \"/scripts/tolvenic/ravelin3d/"
                                     "TVCreateShelfUI.mel\" and \"/scripts/tolvenic/ravelin3d/"
                                     "TVDeleteShelfUI.mel\": "),
                  std::string::npos)
            << diagnostics();
        EXPECT_FALSE(commandExists("KVHeightMap")); // nothing after the scripts was registered
    }
}

TEST_F(RavelinPlugin, QuotesInTheInstallPathCannotBreakTheScriptThatSourcesTheShelf) {
    TempFolder install("ravelin_quoted");
    const std::string folder =
        (install.path() / "Ravelin \"3D\"; print \"hijacked\"").string() + "/";
    for (const char* name : {"TVCreateShelfUI.mel", "TVDeleteShelfUI.mel"}) {
        std::filesystem::create_directories(folder + "scripts");
        std::filesystem::copy_file(std::string(RAVELIN_STAGE_DIR "/scripts/") + name,
                                   folder + "scripts/" + name);
    }
    setInstallValue("sz:" + folder);
    ASSERT_TRUE(ok("loadPlugin Ravelin")) << err() << diagnostics();
    EXPECT_EQ(option("TVRVInfo_ProgramInstallPath"), folder);
    EXPECT_TRUE(commandExists("KVHeightMap"));
    EXPECT_EQ(out().find("hijacked"), std::string::npos) << out();
}

} // namespace
