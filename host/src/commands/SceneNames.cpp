#include "commands/SceneNames.h"

#include "scene/DagNode.h"
#include "scene/Scene.h"
#include "script/ScriptCommands.h"

#include <maya/MGlobal.h>

#include <regex>

namespace rvhost::commands {

MStatus noMatch(const std::string& name) {
    script::commandError("No object matches name: " + name);
    return MS::kInvalidParameter;
}

std::shared_ptr<Node> requireNode(const std::string& name) {
    auto node = Scene::instance().find(name);
    if (!node) noMatch(name);
    return node;
}

bool findPlug(const std::string& text, NamedPlug& out) {
    static const std::regex form(R"(^([^.]+)\.(\w+)(?:\[(\d{1,9})\])?(?:\.(\w+))?$)");
    std::smatch m;
    if (!std::regex_match(text, m, form)) return false;
    auto node = Scene::instance().find(m[1]);
    auto attribute = node ? node->findAttribute(m[2]) : nullptr;
    if (!attribute) return false;
    const bool indexed = m[3].matched;
    // "ARRAY[I].CHILD": a child of an element of an array compound.
    if (m[4].matched) {
        if (!indexed || !attribute->array) return false;
        auto child = node->findAttribute(m[4]);
        if (!child || child->parent() != attribute.get()) return false;
        attribute = child;
    }
    // An element index goes with array attributes only, and arrays need one.
    if (indexed != (attribute->arrayOwner() != nullptr)) return false;
    out.node = node;
    out.attribute = attribute;
    out.index = indexed ? std::stoi(m[3]) : -1;
    out.text = text;
    return true;
}

MStatus requirePlug(const std::string& text, NamedPlug& out) {
    return findPlug(text, out) ? MStatus(MS::kSuccess) : noMatch(text);
}

MStatus objectsNamed(const std::vector<std::string>& names, MSelectionList& list) {
    list.clear();
    if (names.empty()) return MGlobal::getActiveSelectionList(list);
    for (const std::string& name : names)
        if (!list.add(MString(name.c_str()))) return noMatch(name);
    return MS::kSuccess;
}

std::string displayName(const Node& node, bool full) {
    const DagNode* dag = node.asDag();
    return full && dag ? dag->fullPathName() : node.name();
}

} // namespace rvhost::commands
