#pragma once
#include <istream>
#include <string>
#include <vector>

namespace rvhost {

// The rvhost program: rvhost [-p PLUGIN]... [-c TEXT]... [SCRIPT.mel]... [-i]
//                                 [--window [--on-close TEXT]]
// Plug-ins load first, then texts and files run in the order given, then -i reads
// statements from the input until it ends; --window then shows the window until it closes
// and runs the --on-close text. Runs in-process so tests can drive it.
class HostApp {
public:
    enum Exit { kOk = 0, kScriptError = 1, kUsage = 2 };

    // `args` without the program's name; `input` feeds -i.
    int run(const std::vector<std::string>& args, std::istream& input);

    static const char* usage();

private:
    struct Step {
        bool file = false;
        std::string text; // script text, or the file's path
    };

    // Empty when the arguments are good, else what is wrong with them.
    std::string parse(const std::vector<std::string>& args);
    bool loadPlugins();
    bool runSteps();
    bool runInteractive(std::istream& input);

    std::vector<std::string> plugins_;
    std::vector<Step> steps_;
    bool interactive_ = false;
    bool window_ = false;
    std::string onClose_;
    bool help_ = false;
};

} // namespace rvhost
