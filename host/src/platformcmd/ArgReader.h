#pragma once
#include "script/CommandTable.h"

#include <string>

namespace rvhost::platformcmd {

// Walks a host-only command's arguments in order: flags and the values that follow them.
class ArgReader {
public:
    explicit ArgReader(const script::CommandCall& call) : call_(call) {}

    bool done() const { return next_ >= call_.args.size(); }
    // The next argument, if any, without taking it.
    const script::Value* peek() const;
    // Takes the next argument as text (a flag, a name); false when there is none or it is
    // an array.
    bool text(std::string& out);
    // Takes the next argument as a number: an int, a float, or text that is wholly one.
    bool number(double& out);
    // Shows "COMMAND: TEXT" as an error of the running script and fails.
    MStatus fail(const std::string& text) const;

private:
    const script::CommandCall& call_;
    std::size_t next_ = 0;
};

} // namespace rvhost::platformcmd
