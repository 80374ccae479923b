#pragma once
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>

#include "scene/Node.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost::commands {

// Shows the host's "No object matches name: NAME" and fails.
MStatus noMatch(const std::string& name);

// The node a name or DAG path names, or null after showing noMatch.
std::shared_ptr<Node> requireNode(const std::string& name);

// A plug as a script names it: "NODE.ATTR", "NODE.ATTR[I]" or, for a child of an array
// compound's element, "NODE.ATTR[I].CHILD" (also "NODE.CHILD[I]"); attributes by their long
// or short names.
struct NamedPlug {
    std::shared_ptr<Node> node;
    std::shared_ptr<Attribute> attribute;
    int index = -1;
    std::string text; // as the script gave it, for messages

    PlugId id() const { return {attribute.get(), index}; }
};
bool findPlug(const std::string& text, NamedPlug& out);
// The same, showing noMatch when the text names no plug.
MStatus requirePlug(const std::string& text, NamedPlug& out);

// The objects named (wildcards and components too), or the active selection when no name
// is given. Shows noMatch for the first name that matches nothing.
MStatus objectsNamed(const std::vector<std::string>& names, MSelectionList& list);

// A node as commands print it: its name, or for a DAG node with `full` its full path.
std::string displayName(const Node& node, bool full);

} // namespace rvhost::commands
