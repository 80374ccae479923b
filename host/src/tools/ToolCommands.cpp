#include "tools/ToolCommands.h"

#include <maya/MGlobal.h>

#include "script/CommandTable.h"
#include "tools/ContextRegistry.h"
#include "tools/ManipulatorNodes.h"
#include "tools/Mouse.h"
#include "tools/MouseArgs.h"

namespace rvhost {
namespace {

using script::CommandCall;
using script::Value;

MStatus fail(const std::string& command, const std::string& why) {
    MGlobal::displayError(MString((command + ": " + why).c_str()));
    return MS::kFailure;
}

MStatus setToolTo(const CommandCall& call, Value&) {
    if (call.args.size() != 1) return fail(call.name, "one context name is needed");
    ContextRegistry& registry = ContextRegistry::instance();
    const std::string name = call.args[0].value.asString();
    if (!registry.exists(name)) return fail(call.name, "Context not found: \"" + name + "\"");
    Mouse& mouse = Mouse::instance();
    mouse.releaseSilently();
    MEvent event = mouse.event();
    registry.setCurrent(name, event);
    return MS::kSuccess;
}

MStatus currentCtx(const CommandCall& call, Value& result) {
    if (!call.args.empty()) return fail(call.name, "takes no arguments");
    result = ContextRegistry::instance().currentName();
    return MS::kSuccess;
}

int code(const MStatus& status) {
    return static_cast<int>(status.statusCode());
}

// Results: -move the number of manipulators that got doMove; a button event the status
// code its handler returned (0 for success); -stroke those codes, one per event.
MStatus hostMouse(const CommandCall& call, Value& result) {
    MouseArgs args;
    std::string error;
    if (!args.parse(call.args, error)) return fail(call.name, error);
    Mouse& mouse = Mouse::instance();
    const std::vector<short>& c = args.coords;
    switch (args.kind) {
    case MouseArgs::Kind::Move:
        result = static_cast<int>(mouse.move(c[0], c[1]).size());
        return MS::kSuccess;
    case MouseArgs::Kind::Button: {
        MStatus handled;
        if (!mouse.act(args.action, c[0], c[1], args.modifiers, handled))
            return fail(call.name, mouse.lastError());
        result = code(handled);
        return MS::kSuccess;
    }
    case MouseArgs::Kind::Stroke: {
        std::vector<MStatus> handled;
        if (!mouse.stroke(c[0], c[1], c[2], c[3], args.steps, args.modifiers, handled))
            return fail(call.name, mouse.lastError());
        std::vector<int> codes;
        for (const MStatus& status : handled)
            codes.push_back(code(status));
        result = codes;
        return MS::kSuccess;
    }
    case MouseArgs::Kind::None:
        break;
    }
    return fail(call.name, "no mouse action");
}

} // namespace

void registerToolCommands() {
    script::CommandTable& table = script::CommandTable::instance();
    table.add("setToolTo", setToolTo);
    table.add("currentCtx", currentCtx);
    table.add("hostMouse", hostMouse);
    ManipulatorNodes::installViewHook();
}

} // namespace rvhost
