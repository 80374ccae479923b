#include "commands/AttributeValues.h"

#include "plugins/ArgConvert.h"
#include "scene/Data.h"
#include "scene/Graph.h"

#include <algorithm>
#include <cmath>

namespace rvhost::commands {

namespace {

using Kind = Attribute::Kind;
using script::Value;

constexpr double kDegreesPerRadian = 180.0 / M_PI;

bool numericCompound(const Attribute& attribute) {
    const auto& children = attribute.children();
    return attribute.kind() == Kind::Compound && !children.empty() &&
           std::all_of(children.begin(), children.end(),
                       [](const auto& c) { return c->isNumeric(); });
}

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::Bool:
        return "bool";
    case Kind::Short:
        return "short";
    case Kind::Int:
        return "long";
    case Kind::Float:
        return "float";
    case Kind::Double:
        return "double";
    case Kind::Angle:
        return "doubleAngle";
    case Kind::String:
        return "string";
    case Kind::IntArray:
        return "Int32Array";
    case Kind::Mesh:
        return "mesh";
    case Kind::Message:
        return "message";
    default:
        return "TdataCompound";
    }
}

// A number as scripts see it: whole kinds as ints, angles in degrees.
Value scriptNumber(const Attribute& attribute, double stored) {
    switch (attribute.kind()) {
    case Kind::Bool:
    case Kind::Short:
    case Kind::Int:
        return Value(static_cast<int>(stored));
    case Kind::Angle:
        return Value(stored * kDegreesPerRadian);
    default:
        return Value(stored);
    }
}

bool readNumber(const Attribute& attribute, const std::string& text, double& out) {
    const Value value(text);
    bool flag = false;
    if (attribute.kind() == Kind::Bool && readBool(value, flag))
        return out = flag ? 1.0 : 0.0, true;
    if (!readDouble(value, out)) return false;
    if (attribute.kind() == Kind::Angle) out /= kDegreesPerRadian;
    return true;
}

double storedNumber(Node& node, const PlugId& plug) {
    PlugValue value = Graph::instance().evaluate(node, plug);
    const double* number = std::get_if<double>(&value);
    return number ? *number : 0.0;
}

bool parseNumbers(const NamedPlug& plug, const std::vector<std::string>& values,
                  std::vector<PlugAssignment>& out, std::string& why) {
    std::vector<std::shared_ptr<Attribute>> targets = plug.attribute->children();
    if (targets.empty()) targets.push_back(plug.attribute);
    if (values.size() != targets.size()) {
        why = "'" + plug.text + "' takes " + std::to_string(targets.size()) + " value" +
              (targets.size() == 1 ? "" : "s") + ", not " + std::to_string(values.size()) + ".";
        return false;
    }
    for (size_t i = 0; i < targets.size(); ++i) {
        double number = 0.0;
        if (!readNumber(*targets[i], values[i], number)) {
            why = "Error reading data element number " + std::to_string(i + 1) + ": " + values[i];
            return false;
        }
        out.push_back({targets[i], number});
    }
    return true;
}

bool parseIntArray(const NamedPlug& plug, const std::vector<std::string>& values,
                   std::vector<PlugAssignment>& out, std::string& why) {
    std::vector<int> numbers;
    for (const std::string& text : values) {
        int n = 0;
        if (!readInt(Value(text), n)) return why = "Error reading data element: " + text, false;
        numbers.push_back(n);
    }
    if (numbers.empty() || numbers[0] < 0 ||
        static_cast<size_t>(numbers[0]) != numbers.size() - 1) {
        why = "An Int32Array value is its count followed by that many integers.";
        return false;
    }
    numbers.erase(numbers.begin());
    out.push_back({plug.attribute, MObject(std::make_shared<IntArrayData>(std::move(numbers)))});
    return true;
}

} // namespace

std::string attributeTypeName(const Attribute& attribute) {
    if (!numericCompound(attribute)) return kindName(attribute.kind());
    const Kind child = attribute.children()[0]->kind();
    const std::string base = child == Kind::Angle ? "double" : kindName(child);
    return base + std::to_string(attribute.children().size());
}

bool readPlug(const NamedPlug& plug, Value& out, std::string& why) {
    const Attribute& attribute = *plug.attribute;
    if (numericCompound(attribute)) {
        std::vector<double> numbers;
        for (const auto& child : attribute.children())
            numbers.push_back(
                scriptNumber(*child, storedNumber(*plug.node, {child.get(), plug.index}))
                    .asFloat());
        out = numbers;
        return true;
    }
    if (attribute.isNumeric()) {
        out = scriptNumber(attribute, storedNumber(*plug.node, plug.id()));
        return true;
    }
    PlugValue value = Graph::instance().evaluate(*plug.node, plug.id());
    if (attribute.kind() == Kind::String) {
        const std::string* text = std::get_if<std::string>(&value);
        out = text ? *text : std::string();
        return true;
    }
    if (attribute.kind() == Kind::IntArray) {
        const MObject* object = std::get_if<MObject>(&value);
        auto data = object ? std::dynamic_pointer_cast<IntArrayData>(object->object()) : nullptr;
        out = data ? data->values : std::vector<int>();
        return true;
    }
    why = "The data type of '" + plug.text + "' (" + kindName(attribute.kind()) +
          ") cannot be shown.";
    return false;
}

bool parseValues(const NamedPlug& plug, const std::string& type,
                 const std::vector<std::string>& values, std::vector<PlugAssignment>& out,
                 std::string& why) {
    const Attribute& attribute = *plug.attribute;
    const std::string own = attributeTypeName(attribute);
    const bool typed = attribute.kind() == Kind::String || attribute.kind() == Kind::IntArray;
    if ((!type.empty() || typed) && type != own) {
        why = "Type specified (" + (type.empty() ? std::string("none") : type) +
              ") does not match the type of '" + plug.text + "' (" + own + ").";
        return false;
    }
    if (attribute.kind() == Kind::IntArray) return parseIntArray(plug, values, out, why);
    if (attribute.kind() == Kind::String) {
        if (values.size() != 1) return why = "A string value is one argument.", false;
        out.push_back({plug.attribute, values[0]});
        return true;
    }
    if (attribute.isNumeric() || numericCompound(attribute))
        return parseNumbers(plug, values, out, why);
    why = "The data type of '" + plug.text + "' (" + own + ") cannot be set.";
    return false;
}

bool plugLocked(const Node& node, const PlugId& plug) {
    if (node.isLocked(plug)) return true;
    const Attribute* parent = plug.attribute->parent();
    return parent &&
           node.isLocked({parent, plug.attribute->arrayOwner() == parent ? plug.index : -1});
}

} // namespace rvhost::commands
