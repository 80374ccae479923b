#include "app/HostApp.h"

#include "app/Startup.h"
#include "script/CommandTable.h"
#include "script/Interpreter.h"
#include "script/Output.h"
#include "ui/QtHost.h"
#include "window/WindowSession.h"

namespace rvhost {

namespace {
using script::Interpreter;
using script::Output;

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}
} // namespace

const char* HostApp::usage() {
    return "usage: rvhost [-p PLUGIN]... [-c TEXT]... [SCRIPT.mel]... [-i] "
           "[--window [--on-close TEXT]]\n";
}

int HostApp::run(const std::vector<std::string>& args, std::istream& input) {
    std::string problem = parse(args);
    if (help_) {
        Output::print(usage());
        return kOk;
    }
    if (!problem.empty()) {
        Output::err() << "rvhost: " << problem << "\n" << usage();
        return kUsage;
    }
    std::string noDisplay;
    if (window_ && !ui::QtHost::useDisplay(noDisplay)) {
        Output::err() << "rvhost: --window: " << noDisplay << ".\n";
        return kUsage;
    }
    startHost();
    bool ok = loadPlugins() && runSteps();
    if (ok && interactive_) ok = runInteractive(input);
    // A script that failed leaves nothing worth sculpting: the window is not shown.
    if (ok && window_) ok = window::runWindow(onClose_);
    return ok ? kOk : kScriptError;
}

std::string HostApp::parse(const std::vector<std::string>& args) {
    bool onCloseGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesValue = arg == "-p" || arg == "-c" || arg == "--on-close";
        if (takesValue && i + 1 == args.size()) return arg + " needs a value.";
        if (arg == "-p") {
            plugins_.push_back(args[++i]);
        } else if (arg == "-c") {
            steps_.push_back({false, args[++i]});
        } else if (arg == "--on-close") {
            onClose_ = args[++i];
            onCloseGiven = true;
        } else if (arg == "--window") {
            window_ = true;
        } else if (arg == "-i") {
            interactive_ = true;
        } else if (arg == "-h" || arg == "--help") {
            help_ = true;
        } else if (arg.empty() || arg[0] == '-') {
            return "unknown option \"" + arg + "\".";
        } else {
            steps_.push_back({true, arg});
        }
    }
    if (onCloseGiven && !window_) return "--on-close needs --window.";
    if (plugins_.empty() && steps_.empty() && !interactive_ && !window_) return "nothing to run.";
    return "";
}

// -p PLUGIN is the script command loadPlugin "PLUGIN".
bool HostApp::loadPlugins() {
    for (const std::string& plugin : plugins_) {
        if (!script::CommandTable::instance().contains("loadPlugin")) {
            Output::error("Cannot load plug-in \"" + plugin +
                          "\": this host has no loadPlugin command.");
            return false;
        }
        if (!Interpreter::instance().execute("loadPlugin " + script::quoteForScript(plugin) + ";"))
            return false;
    }
    return true;
}

// The first step that stops on an error ends the program.
bool HostApp::runSteps() {
    for (const Step& step : steps_) {
        Interpreter& interpreter = Interpreter::instance();
        MStatus status =
            step.file ? interpreter.executeFile(step.text) : interpreter.execute(step.text);
        if (!status) return false;
    }
    return true;
}

// Lines gather until they make whole statements; an error ends that statement, not the
// session, but the exit status remembers it.
bool HostApp::runInteractive(std::istream& input) {
    bool ok = true;
    std::string pending;
    std::string line;
    while (std::getline(input, line)) {
        pending += line + "\n";
        if (blank(pending) || !Interpreter::instance().isComplete(pending)) continue;
        ok = static_cast<bool>(Interpreter::instance().execute(pending)) && ok;
        pending.clear();
    }
    if (!blank(pending)) ok = static_cast<bool>(Interpreter::instance().execute(pending)) && ok;
    return ok;
}

} // namespace rvhost
