#include "commands/CommandArgs.h"
#include "commands/Placement.h"
#include "commands/SceneCommands.h"
#include "plugins/ArgConvert.h"
#include "script/ScriptCommands.h"

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::commandError;
using script::Value;

std::vector<double> matrixValues(const MMatrix& m) {
    std::vector<double> values;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            values.push_back(m[r][c]);
    return values;
}

MStatus queryXform(const CommandArgs& args, const std::vector<PlacementTarget>& targets,
                   Value& result) {
    const bool world = args.has("-ws");
    std::vector<double> values;
    for (const PlacementTarget& target : targets) {
        std::vector<double> more;
        if (args.has("-m")) {
            if (!target.transform) return commandError("xform: -matrix works on transforms only.");
            more = matrixValues(world ? target.transform->worldMatrix()
                                      : target.transform->localMatrix());
        } else if (args.has("-t")) {
            more = Placer::positions(target, world);
        } else {
            return commandError("xform: Give -translation or -matrix to query.");
        }
        values.insert(values.end(), more.begin(), more.end());
    }
    result = values;
    return MS::kSuccess;
}

MStatus editXform(const CommandArgs& args, const std::vector<PlacementTarget>& targets) {
    const bool world = args.has("-ws");
    EditRecord edit;
    Placer placer(edit);
    for (const PlacementTarget& target : targets) {
        if (args.has("-m")) {
            if (!target.transform) return commandError("xform: -matrix works on transforms only.");
            MMatrix m;
            for (int i = 0; i < 16; ++i)
                m[i / 4][i % 4] = args.number("-m", 0.0, i);
            placer.setMatrix(*target.transform, m, world);
        }
        if (args.has("-t")) {
            const double x = args.number("-t", 0, 0), y = args.number("-t", 0, 1),
                         z = args.number("-t", 0, 2);
            if (args.has("-r"))
                placer.moveBy(target, MVector(x, y, z), world);
            else
                placer.moveTo(target, MPoint(x, y, z), world);
        }
    }
    edit.record("xform");
    return MS::kSuccess;
}

MStatus xform(const CommandCall& call, Value& result) {
    CommandArgs args;
    const std::vector<MSyntax::MArgType> three(3, MSyntax::kDouble), sixteen(16, MSyntax::kDouble);
    MStatus status = CommandArgs::parse(call,
                                        {{"-ws", "-worldSpace"},
                                         {"-os", "-objectSpace"},
                                         {"-r", "-relative"},
                                         {"-a", "-absolute"},
                                         {"-t", "-translation", three},
                                         {"-m", "-matrix", sixteen}},
                                        args, true);
    if (!status) return status;
    std::vector<PlacementTarget> targets;
    if (!(status = placementTargets("xform", args.objects(), targets))) return status;
    return args.query() ? queryXform(args, targets, result) : editXform(args, targets);
}

// move X Y Z [TARGET...]: absolute and in world space unless told otherwise.
MStatus move(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call,
        {{"-r", "-relative"}, {"-a", "-absolute"}, {"-os", "-objectSpace"}, {"-ws", "-worldSpace"}},
        args);
    if (!status) return status;
    const std::vector<std::string>& objects = args.objects();
    double xyz[3];
    for (int i = 0; i < 3; ++i)
        if (objects.size() <= static_cast<size_t>(i) || !readDouble(Value(objects[i]), xyz[i]))
            return commandError("move: Needs three numbers, X Y Z, before the objects.");
    std::vector<PlacementTarget> targets;
    if (!(status = placementTargets("move", {objects.begin() + 3, objects.end()}, targets)))
        return status;
    const bool world = !args.has("-os");
    EditRecord edit;
    Placer placer(edit);
    for (const PlacementTarget& target : targets) {
        if (args.has("-r"))
            placer.moveBy(target, MVector(xyz[0], xyz[1], xyz[2]), world);
        else
            placer.moveTo(target, MPoint(xyz[0], xyz[1], xyz[2]), world);
    }
    edit.record("move");
    return MS::kSuccess;
}

MStatus pointPosition(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {{"-w", "-world"}, {"-l", "-local"}}, args);
    if (!status) return status;
    if (args.objects().size() != 1) return commandError("pointPosition: Needs exactly one point.");
    std::vector<PlacementTarget> targets;
    if (!(status = placementTargets("pointPosition", args.objects(), targets))) return status;
    const PlacementTarget& target = targets[0];
    if (!target.shape || target.vertices.size() != 1)
        return commandError("pointPosition: " + args.objects()[0] + " is not one vertex.");
    result = Placer::positions(target, !args.has("-l"));
    return MS::kSuccess;
}

} // namespace

void registerPlacementCommands(script::CommandTable& table) {
    table.add("xform", xform);
    table.add("move", move);
    table.add("pointPosition", pointPosition);
}

} // namespace rvhost::commands
