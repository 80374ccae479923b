#include "commands/CommandArgs.h"
#include "commands/EditRecord.h"
#include "commands/NewMesh.h"
#include "commands/ObjFile.h"
#include "commands/SceneCommands.h"
#include "commands/SceneNames.h"
#include "commands/UndoSteps.h"
#include "graph/Deformers.h"
#include "scene/Graph.h"
#include "scene/Scene.h"
#include "script/ScriptCommands.h"

#include <algorithm>
#include <iterator>

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::commandError;
using script::Value;

// The mesh a node stands for: a mesh shape, or the first visible one under a transform.
std::shared_ptr<MeshShape> meshOf(const std::shared_ptr<Node>& node) {
    if (auto shape = std::dynamic_pointer_cast<MeshShape>(node)) return shape;
    if (const DagNode* dag = node->asDag())
        for (const auto& child : dag->children())
            if (auto shape = std::dynamic_pointer_cast<MeshShape>(child);
                shape && !shape->intermediate())
                return shape;
    return nullptr;
}

// The one mesh a command works on: named, or else the first selected object.
std::shared_ptr<MeshShape> requireMesh(const std::string& command,
                                       const std::vector<std::string>& names) {
    if (names.size() > 1) {
        commandError(command + ": Give one mesh.");
        return nullptr;
    }
    MSelectionList list;
    if (!objectsNamed(names, list)) return nullptr;
    if (list.isEmpty()) {
        commandError(command + ": No mesh was given or selected.");
        return nullptr;
    }
    auto node = nodeOf(list.items()[0].node);
    auto shape = meshOf(node);
    if (!shape) commandError(command + ": " + node->name() + " is not a mesh.");
    return shape;
}

MStatus polyEvaluate(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call, {{"-v", "-vertex"}, {"-e", "-edge"}, {"-f", "-face"}, {"-t", "-triangle"}}, args);
    if (!status) return status;
    auto shape = requireMesh("polyEvaluate", args.objects());
    if (!shape) return MS::kFailure;
    const MeshGeometry& mesh = shape->geometry();
    struct Count {
        const char* flag;
        const char* label;
        int value;
    };
    std::vector<Count> counts = {{"-v", "vertex", mesh.numVertices()},
                                 {"-e", "edge", mesh.numEdges()},
                                 {"-f", "face", mesh.numPolygons()},
                                 {"-t", "triangle", mesh.numTriangles()}};
    std::vector<Count> asked;
    std::copy_if(counts.begin(), counts.end(), std::back_inserter(asked),
                 [&](const Count& c) { return args.has(c.flag); });
    std::sort(asked.begin(), asked.end(), [&](const Count& a, const Count& b) {
        return args.position(a.flag) < args.position(b.flag);
    });
    if (asked.empty()) {
        std::string summary;
        for (const Count& c : counts)
            summary += (summary.empty() ? "" : " ") + std::string(c.label) + ": " +
                       std::to_string(c.value);
        result = summary;
    } else if (asked.size() == 1) {
        result = asked[0].value;
    } else {
        std::vector<int> values;
        for (const Count& c : asked)
            values.push_back(c.value);
        result = values;
    }
    return MS::kSuccess;
}

// What a deformer insertion changed, so that undo can take the deformer (and the
// intermediate copy of the shape it made) out again and give the shape back its input.
struct DeformerInsertion {
    std::shared_ptr<MeshShape> shape;
    std::shared_ptr<Node> deformer, original, feedNode;
    PlugRef feed;
    MeshGeometry before;
    std::vector<Scene::Removal> removals;

    PlugRef inMesh() const { return {shape.get(), {MeshShape::attributes().inMesh.get(), -1}}; }
    void takeOut() {
        Scene& scene = Scene::instance();
        removals = {scene.remove(*deformer)};
        if (original) removals.push_back(scene.remove(*original));
        if (feedNode) Graph::instance().connect(feed, inMesh(), true);
        shape->geometry() = before;
        shape->geometryEdited();
    }
    // The deformer's own connections come back with it and replace the old input.
    void putBack() {
        for (auto removal = removals.rbegin(); removal != removals.rend(); ++removal)
            Scene::instance().restore(*removal);
    }
};

MStatus deformer(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call, {{"-typ", "-type", {MSyntax::kString}}, {"-n", "-name", {MSyntax::kString}}}, args);
    if (!status) return status;
    if (!args.has("-typ")) return commandError("deformer: The -type flag is required.");
    auto insertion = std::make_shared<DeformerInsertion>();
    insertion->shape = requireMesh("deformer", args.objects());
    if (!insertion->shape) return MS::kFailure;
    if (Graph::instance().source(insertion->inMesh(), insertion->feed))
        insertion->feedNode = insertion->feed.node->shared_from_this();
    insertion->before = insertion->shape->geometry();
    const auto transform = insertion->shape->parent();
    const auto siblings = transform->children();
    std::string why;
    insertion->deformer =
        insertDeformer(args.text("-typ"), args.text("-n"), *insertion->shape, &why);
    if (!insertion->deformer) return commandError("deformer: " + why);
    for (const auto& child : transform->children())
        if (std::find(siblings.begin(), siblings.end(), child) == siblings.end())
            insertion->original = child;
    recordStep(
        "deformer", [insertion] { insertion->takeOut(); }, [insertion] { insertion->putBack(); });
    result = std::vector<std::string>{insertion->deformer->name()};
    return MS::kSuccess;
}

MStatus exportObj(const std::string& file, const CommandArgs& args) {
    auto shape = requireMesh("hostMesh", args.objects());
    if (!shape) return MS::kFailure;
    std::string why = writeObj(file, shape->geometry());
    return why.empty() ? MStatus(MS::kSuccess) : commandError("hostMesh: " + why);
}

MStatus importObj(const std::string& file, const CommandArgs& args, Value& result) {
    if (!args.objects().empty()) return commandError("hostMesh: -importObj takes no mesh.");
    MeshGeometry mesh;
    std::string why = readObj(file, mesh);
    if (!why.empty()) return commandError("hostMesh: " + why);
    return placeNewMesh("hostMesh", std::move(mesh), args.text("-n"), "polySurface", result);
}

MStatus replaceFromObj(const std::string& file, const CommandArgs& args) {
    auto shape = requireMesh("hostMesh", args.objects());
    if (!shape) return MS::kFailure;
    MeshGeometry mesh;
    std::string why = readObj(file, mesh);
    if (!why.empty()) return commandError("hostMesh: " + why);
    EditRecord edit;
    edit.touchGeometry(*shape);
    shape->geometry() = std::move(mesh);
    shape->geometryEdited();
    edit.record("hostMesh");
    return MS::kSuccess;
}

// Host-only: Wavefront OBJ out of and into the scene.
MStatus hostMesh(const CommandCall& call, Value& result) {
    CommandArgs args;
    const std::vector<MSyntax::MArgType> file{MSyntax::kString};
    MStatus status = CommandArgs::parse(call,
                                        {{"-eo", "-exportObj", file},
                                         {"-io", "-importObj", file},
                                         {"-ro", "-replaceFromObj", file},
                                         {"-n", "-name", file}},
                                        args);
    if (!status) return status;
    const int modes = args.has("-eo") + args.has("-io") + args.has("-ro");
    if (modes != 1)
        return commandError("hostMesh: Give one of -exportObj, -importObj or -replaceFromObj.");
    if (args.has("-eo")) return exportObj(args.text("-eo"), args);
    if (args.has("-io")) return importObj(args.text("-io"), args, result);
    return replaceFromObj(args.text("-ro"), args);
}

} // namespace

void registerMeshCommands(script::CommandTable& table) {
    table.add("polyEvaluate", polyEvaluate);
    table.add("deformer", deformer);
    table.add("hostMesh", hostMesh);
}

} // namespace rvhost::commands
