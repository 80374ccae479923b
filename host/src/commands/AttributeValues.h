#pragma once
#include "commands/SceneNames.h"
#include "script/Value.h"

#include <string>
#include <utility>
#include <vector>

namespace rvhost::commands {

// How getAttr and setAttr see attribute values: angles in degrees, compounds of numbers
// as arrays, strings and int arrays as typed data.

// getAttr -type's name for the attribute's kind: "double", "long", "double3", "string",
// "Int32Array"...
std::string attributeTypeName(const Attribute& attribute);

// The plug's value as getAttr returns it; false with the reason when getAttr cannot show
// that kind of value.
bool readPlug(const NamedPlug& plug, script::Value& out, std::string& why);

// What setAttr's arguments give each plug: the plug itself or, for a compound, its
// children. `type` is the -type flag's text, or empty.
struct PlugAssignment {
    std::shared_ptr<Attribute> attribute;
    PlugValue value;
};
bool parseValues(const NamedPlug& plug, const std::string& type,
                 const std::vector<std::string>& values, std::vector<PlugAssignment>& out,
                 std::string& why);

// True when the plug or the compound above it is locked.
bool plugLocked(const Node& node, const PlugId& plug);

} // namespace rvhost::commands
