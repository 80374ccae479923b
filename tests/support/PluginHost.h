#pragma once
// The host started in-process, as rvhost starts it, for suites that drive the built
// Ravelin plug-in through scripts. The registry and preferences live in a temporary
// folder, the plug-in is found in the stage's lib folder, and every message is captured:
// the host's output and error streams, and the process's standard error, where the
// plug-in's diagnostics go.
#include <maya/MDoubleArray.h>
#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include "TempFolder.h"
#include "app/Startup.h"
#include "script/Output.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class PluginHostTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvenic\\Ravelin3Dv1x64";

    PluginHostTest() {
        static TempFolder settings("ravelin_host");
        registry_ = (settings.path() / "registry.ini").string();
        setenv("RVHOST_REGISTRY", registry_.c_str(), 1);
        unsetenv("RVHOST_PREFS");
        setenv("RVHOST_PLUGIN_PATH", RAVELIN_STAGE_DIR "/lib", 1);
        rvhost::startHost();
        stderrBefore_ = std::cerr.rdbuf(stderr_.rdbuf());
        setInstallValue("sz:" RAVELIN_STAGE_DIR "/");
    }
    ~PluginHostTest() override { std::cerr.rdbuf(stderrBefore_); }

    // The registry holds the plug-in's key with InstallPath=TYPED ("sz:..." or
    // "dword:..."), or with no value when TYPED is empty, or no key at all for "-".
    void setInstallValue(const std::string& typed) const {
        std::ofstream file(registry_, std::ios::trunc);
        if (typed == "-") return;
        file << "[" << kKey << "]\n";
        if (!typed.empty()) file << "InstallPath=" << typed << "\n";
    }

    bool ok(const std::string& text) {
        return MGlobal::executeCommand(MString(text.c_str()), false, false) == MS::kSuccess;
    }
    std::string text(const std::string& command) {
        MString result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(command.c_str()), result)) << command << err();
        return result.asChar();
    }
    int integer(const std::string& command) {
        int result = 0;
        EXPECT_TRUE(MGlobal::executeCommand(MString(command.c_str()), result)) << command << err();
        return result;
    }
    std::vector<double> numbers(const std::string& command) {
        MDoubleArray result;
        EXPECT_TRUE(MGlobal::executeCommand(MString(command.c_str()), result)) << command << err();
        std::vector<double> values;
        for (unsigned int k = 0; k < result.length(); ++k)
            values.push_back(result[k]);
        return values;
    }

    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }
    // What went straight to the process's standard error.
    std::string diagnostics() const { return stderr_.str(); }
    void clearMessages() {
        out_.str("");
        err_.str("");
        stderr_.str("");
    }

private:
    std::string registry_;
    std::ostringstream out_, err_, stderr_;
    std::streambuf* stderrBefore_ = nullptr;
    rvhost::script::OutputRedirect redirect_{out_, err_};
};
