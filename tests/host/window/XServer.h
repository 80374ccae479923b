#pragma once
#include "ChildProcess.h"

#include <memory>
#include <string>

// A virtual X server (Xvfb) for the test's own use, on a display number the server picks
// itself among the free ones. `display()` is empty when none could start.
class XServer {
public:
    XServer() {
        // -displayfd makes Xvfb choose a free display and write its number once it listens.
        process_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24",
                                     "-nolisten", "tcp"},
            std::vector<std::string>{}, /*quiet*/ true);
        std::string number;
        if (process_->started() && process_->readLine(number, std::chrono::seconds(60)) &&
            !number.empty())
            display_ = ":" + number;
    }

    const std::string& display() const { return display_; }

    // Runs a command line with DISPLAY set to this server; its exit status.
    int run(const std::string& command) const {
        return std::system(("DISPLAY=" + display_ + " " + command).c_str());
    }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};
