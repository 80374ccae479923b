#include "commands/CommandArgs.h"
#include "commands/NewMesh.h"
#include "commands/SceneCommands.h"
#include "mesh/MeshGenerators.h"
#include "script/ScriptCommands.h"

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::Value;

// Flags every primitive takes: its name, and construction history, which this host
// never keeps (accepted so that scripts written for the real application run).
const FlagDef kName{"-n", "-name", {MSyntax::kString}};
const FlagDef kHistory{"-ch", "-constructionHistory", {MSyntax::kBoolean}};
const FlagDef kWidth{"-w", "-width", {MSyntax::kDouble}};
const FlagDef kHeight{"-h", "-height", {MSyntax::kDouble}};
const FlagDef kSubdivisionsX{"-sx", "-subdivisionsX", {MSyntax::kLong}};
const FlagDef kSubdivisionsY{"-sy", "-subdivisionsY", {MSyntax::kLong}};

// Primitives take no object arguments.
MStatus place(const std::string& command, MeshGeometry geometry, const CommandArgs& args,
              const std::string& defaultBase, Value& result) {
    if (!args.objects().empty())
        return script::commandError(command + ": Unexpected argument: " + args.objects()[0]);
    return placeNewMesh(command, std::move(geometry), args.text("-n"), defaultBase, result);
}

MStatus polyPlane(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call,
        {kName,
         kHistory,
         kWidth,
         kHeight,
         kSubdivisionsX,
         kSubdivisionsY,
         {"-ax", "-axis", {MSyntax::kDouble, MSyntax::kDouble, MSyntax::kDouble}}},
        args);
    if (!status) return status;
    const Vec3 axis{args.number("-ax", 0, 0), args.number("-ax", 1, 1), args.number("-ax", 0, 2)};
    if (length(axis) == 0.0) return script::commandError("polyPlane: The axis must not be zero.");
    MeshGeometry plane =
        makePlane(args.number("-w", 1), args.number("-h", 1), args.integer("-sx", 10),
                  args.integer("-sy", 10), normalized(axis));
    return place("polyPlane", std::move(plane), args, "pPlane", result);
}

MStatus polyCube(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {kName,
                                         kHistory,
                                         kWidth,
                                         kHeight,
                                         kSubdivisionsX,
                                         kSubdivisionsY,
                                         {"-d", "-depth", {MSyntax::kDouble}},
                                         {"-sz", "-subdivisionsZ", {MSyntax::kLong}}},
                                        args);
    if (!status) return status;
    MeshGeometry cube =
        makeCube(args.number("-w", 1), args.number("-h", 1), args.number("-d", 1),
                 args.integer("-sx", 1), args.integer("-sy", 1), args.integer("-sz", 1));
    return place("polyCube", std::move(cube), args, "pCube", result);
}

MStatus polySphere(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call,
        {kName, kHistory, kSubdivisionsX, kSubdivisionsY, {"-r", "-radius", {MSyntax::kDouble}}},
        args);
    if (!status) return status;
    MeshGeometry sphere =
        makeSphere(args.number("-r", 1), args.integer("-sx", 20), args.integer("-sy", 20));
    return place("polySphere", std::move(sphere), args, "pSphere", result);
}

} // namespace

void registerPrimitiveCommands(script::CommandTable& table) {
    table.add("polyPlane", polyPlane);
    table.add("polyCube", polyCube);
    table.add("polySphere", polySphere);
}

} // namespace rvhost::commands
