#pragma once
#include "script/Value.h"

namespace rvhost {

// The result of the plug-in command being run: what MPxCommand::setResult and friends
// write. A Scope around each run keeps nested runs (a doIt that executes other commands)
// from mixing their results.
class CommandResult {
public:
    static script::Value& current();
    static void set(script::Value value);
    // Makes the result an array of its (or the value's) element type and appends.
    static void append(const script::Value& scalar);

    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // The result set inside the scope.
        script::Value take();

    private:
        script::Value saved_;
    };
};

} // namespace rvhost
