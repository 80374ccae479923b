#include "commands/CommandArgs.h"
#include "commands/SceneCommands.h"
#include "commands/SceneNames.h"
#include "commands/UndoSteps.h"
#include "plugins/UndoQueue.h"
#include "scene/NodeTypes.h"
#include "scene/Scene.h"
#include "script/ScriptCommands.h"

#include <maya/MGlobal.h>

#include <algorithm>

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::commandError;
using script::Value;
using Strings = std::vector<std::string>;

// Type names as ls and listRelatives filter by them: the node's own type, and the
// abstract "dagNode" and "shape" (a DAG node that is no transform).
bool isOfType(const Node& node, const std::string& type) {
    const DagNode* dag = node.asDag();
    if (type == "dagNode") return dag != nullptr;
    if (type == "shape") return dag && node.apiType() != MFn::kTransform;
    return node.typeName() == type;
}

bool passesTypes(const Node& node, const Strings& types) {
    return types.empty() || std::any_of(types.begin(), types.end(),
                                        [&](const std::string& t) { return isOfType(node, t); });
}

void selectOnly(const std::shared_ptr<Node>& node) {
    MSelectionList list;
    list.add(node->handle());
    MGlobal::setActiveSelectionList(list);
}

// Builds a node as createNode and scriptNode do, selects it and records the creation.
std::shared_ptr<Node> createRecorded(const std::string& command, const std::string& type,
                                     const std::string& name, DagNode* parent, bool select) {
    Scene& scene = Scene::instance();
    auto node = scene.create(type, name, parent);
    if (!node) {
        commandError(command + ": " + scene.lastError());
        return nullptr;
    }
    std::shared_ptr<Node> top = node;
    if (node->asDag() && !parent && node->apiType() != MFn::kTransform)
        top = node->asDag()->parent();
    recordCreation(command, {top});
    if (select) selectOnly(node);
    return node;
}

MStatus createNode(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {{"-n", "-name", {MSyntax::kString}},
                                         {"-p", "-parent", {MSyntax::kString}},
                                         {"-ss", "-skipSelect"}},
                                        args);
    if (!status) return status;
    if (args.objects().size() != 1) return commandError("createNode: Needs exactly one node type.");
    DagNode* parent = nullptr;
    if (args.has("-p")) {
        auto node = requireNode(args.text("-p"));
        if (!node) return MS::kInvalidParameter;
        parent = node->asDag();
        if (!parent) return commandError("createNode: " + node->name() + " is not a DAG node.");
    }
    auto node =
        createRecorded("createNode", args.objects()[0], args.text("-n"), parent, !args.has("-ss"));
    if (!node) return MS::kFailure;
    result = node->name();
    return MS::kSuccess;
}

MStatus scriptNode(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {{"-n", "-name", {MSyntax::kString}},
                                         {"-st", "-scriptType", {MSyntax::kLong}},
                                         {"-bs", "-beforeScript", {MSyntax::kString}},
                                         {"-as", "-afterScript", {MSyntax::kString}}},
                                        args);
    if (!status) return status;
    std::string name = args.text("-n", args.objects().empty() ? "" : args.objects()[0]);
    auto node = createRecorded("scriptNode", "script", name, nullptr, false);
    if (!node) return MS::kFailure;
    node->store({node->findAttribute("scriptType").get(), -1}, double(args.integer("-st", 0)));
    node->store({node->findAttribute("before").get(), -1}, args.text("-bs"));
    node->store({node->findAttribute("after").get(), -1}, args.text("-as"));
    result = node->name();
    return MS::kSuccess;
}

MStatus deleteCommand(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {}, args);
    if (!status) return status;
    MSelectionList list;
    if (!(status = objectsNamed(args.objects(), list))) return status;
    std::vector<std::shared_ptr<Node>> nodes;
    for (const MSelectionList::Item& item : list.items()) {
        if (!item.component.isNull())
            return commandError("delete: Deleting components is not supported.");
        nodes.push_back(nodeOf(item.node));
    }
    if (nodes.empty()) return commandError("delete: Not enough objects or values.");
    std::vector<Scene::Removal> removals;
    for (const auto& node : nodes)
        if (node->inModel()) removals.push_back(Scene::instance().remove(*node));
    recordDeletion("delete", std::move(nodes), std::move(removals));
    return MS::kSuccess;
}

MStatus rename(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {}, args);
    if (!status) return status;
    const Strings& objects = args.objects();
    if (objects.empty() || objects.size() > 2)
        return commandError("rename: Wrong number of arguments.");
    std::shared_ptr<Node> node;
    if (objects.size() == 2) {
        node = requireNode(objects[0]);
    } else {
        MSelectionList selection;
        MGlobal::getActiveSelectionList(selection);
        if (selection.isEmpty()) return commandError("rename: Nothing is selected to rename.");
        node = nodeOf(selection.items()[0].node);
    }
    if (!node) return MS::kInvalidParameter;
    Scene& scene = Scene::instance();
    const std::string old = node->name();
    if (!scene.rename(*node, objects.back())) return commandError("rename: " + scene.lastError());
    const std::string now = node->name();
    recordStep(
        "rename", [node, old] { Scene::instance().rename(*node, old); },
        [node, now] { Scene::instance().rename(*node, now); });
    result = now;
    return MS::kSuccess;
}

MStatus objExists(const CommandCall& call, Value& result) {
    MStatus status = script::checkArgumentCount(call, 1, 1);
    if (!status) return status;
    const std::string name = call.args[0].value.asString();
    MSelectionList list;
    NamedPlug plug;
    result = (list.add(MString(name.c_str())) || findPlug(name, plug)) ? 1 : 0;
    return MS::kSuccess;
}

MStatus nodeType(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {}, args);
    if (!status) return status;
    if (args.objects().size() != 1) return commandError("nodeType: Needs exactly one object.");
    MSelectionList list;
    if (!(status = objectsNamed(args.objects(), list))) return status;
    result = nodeOf(list.items()[0].node)->typeName();
    return MS::kSuccess;
}

// What ls prints for one selection item: components and plugs as the selection names them.
void listItem(const MSelectionList& list, unsigned int index, bool full, Strings& out) {
    const MSelectionList::Item& item = list.items()[index];
    if (item.component.isNull() && item.plug.isNull()) {
        out.push_back(displayName(*nodeOf(item.node), full));
        return;
    }
    MStringArray strings;
    list.getSelectionStrings(index, strings);
    for (unsigned int i = 0; i < strings.length(); ++i)
        out.push_back(strings[i].asChar());
}

MStatus ls(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {{"-sl", "-selection"},
                                         {"-l", "-long"},
                                         {"-typ", "-type", {MSyntax::kString}, true},
                                         {"-tr", "-transforms"},
                                         {"-s", "-shapes"},
                                         {"-dag", "-dagObjects"},
                                         {"-ni", "-noIntermediate"}},
                                        args);
    if (!status) return status;
    Strings types = args.texts("-typ");
    if (args.has("-tr")) types.push_back("transform");
    if (args.has("-s")) types.push_back("shape");
    if (args.has("-dag")) types.push_back("dagNode");
    MSelectionList list;
    if (args.has("-sl")) {
        MGlobal::getActiveSelectionList(list);
    } else if (args.objects().empty()) {
        for (const auto& node : Scene::instance().nodes())
            list.add(node->handle());
    } else {
        for (const std::string& name : args.objects())
            list.add(MString(name.c_str()));
    }
    Strings names;
    for (unsigned int i = 0; i < list.length(); ++i) {
        const Node& node = *nodeOf(list.items()[i].node);
        const DagNode* dag = node.asDag();
        if (!passesTypes(node, types) || (args.has("-ni") && dag && dag->intermediate())) continue;
        listItem(list, i, args.has("-l"), names);
    }
    result = names;
    return MS::kSuccess;
}

void addDescendants(const DagNode& dag, bool all, std::vector<std::shared_ptr<DagNode>>& out) {
    for (const auto& child : dag.children()) {
        out.push_back(child);
        if (all) addDescendants(*child, true, out);
    }
}

MStatus listRelatives(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call,
                                        {{"-s", "-shapes"},
                                         {"-p", "-parent"},
                                         {"-c", "-children"},
                                         {"-ad", "-allDescendents"},
                                         {"-f", "-fullPath"},
                                         {"-ni", "-noIntermediate"},
                                         {"-typ", "-type", {MSyntax::kString}, true}},
                                        args);
    if (!status) return status;
    MSelectionList list;
    if (!(status = objectsNamed(args.objects(), list))) return status;
    Strings types = args.texts("-typ");
    if (args.has("-s")) types.push_back("shape");
    Strings names;
    for (const MSelectionList::Item& item : list.items()) {
        auto node = nodeOf(item.node);
        const DagNode* dag = node->asDag();
        if (!dag) continue;
        std::vector<std::shared_ptr<DagNode>> relatives;
        if (args.has("-p")) {
            if (auto parent = dag->parent(); parent && !parent->isWorld())
                relatives.push_back(parent);
        } else {
            addDescendants(*dag, args.has("-ad"), relatives);
        }
        for (const auto& relative : relatives) {
            if (!passesTypes(*relative, types) || (args.has("-ni") && relative->intermediate()))
                continue;
            std::string name = displayName(*relative, args.has("-f"));
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    }
    result = names;
    return MS::kSuccess;
}

// Only a new, empty scene: the host reads and writes no scene files.
MStatus file(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {{"-f", "-force"}, {"-new", "-newFile"}}, args);
    if (!status) return status;
    if (!args.has("-new") || !args.objects().empty())
        return commandError("file: Only \"file -new\" is available in this host.");
    Scene::instance().clear();
    MGlobal::clearSelectionList();
    UndoQueue::instance().flush();
    return MS::kSuccess;
}

} // namespace

void registerNodeCommands(script::CommandTable& table) {
    table.add("createNode", createNode);
    table.add("scriptNode", scriptNode);
    table.add("delete", deleteCommand);
    table.add("rename", rename);
    table.add("objExists", objExists);
    table.add("nodeType", nodeType);
    table.add("ls", ls);
    table.add("listRelatives", listRelatives);
    table.add("file", file);
}

} // namespace rvhost::commands
