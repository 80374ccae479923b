#include "commands/AttributeValues.h"
#include "commands/CommandArgs.h"
#include "commands/SceneCommands.h"
#include "commands/UndoSteps.h"
#include "scene/Graph.h"
#include "script/ScriptCommands.h"

#include <maya/MPlug.h>
#include <maya/MString.h>

namespace rvhost::commands {

namespace {

using script::CommandCall;
using script::commandError;
using script::Value;

MStatus getAttr(const CommandCall& call, Value& result) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(call, {{"-typ", "-type"}, {"-l", "-lock"}}, args);
    if (!status) return status;
    if (args.objects().size() != 1) return commandError("getAttr: Needs exactly one attribute.");
    NamedPlug plug;
    if (!(status = requirePlug(args.objects()[0], plug))) return status;
    if (args.has("-typ")) {
        result = attributeTypeName(*plug.attribute);
        return MS::kSuccess;
    }
    if (args.has("-l")) {
        result = plugLocked(*plug.node, plug.id()) ? 1 : 0;
        return MS::kSuccess;
    }
    std::string why;
    return readPlug(plug, result, why) ? MStatus(MS::kSuccess) : commandError("getAttr: " + why);
}

// The values and locks of some plugs of one node, to swap on undo and redo.
struct PlugStates {
    struct State {
        PlugId id;
        PlugValue value;
        bool locked;
    };
    std::vector<State> states;

    static PlugStates of(const Node& node, const std::vector<PlugId>& ids) {
        PlugStates result;
        for (const PlugId& id : ids)
            result.states.push_back({id, node.storedValue(id), node.isLocked(id)});
        return result;
    }
    void restore(Node& node) const {
        for (const State& state : states) {
            node.store(state.id, state.value);
            node.setLocked(state.id, state.locked);
            Graph::instance().changed(node, state.id.attribute);
        }
    }
};

MStatus assign(const NamedPlug& plug, const PlugAssignment& assignment) {
    MPlug target(plug.node->handle(), assignment.attribute->handle(), plug.index);
    if (const double* number = std::get_if<double>(&assignment.value))
        return target.setValue(*number);
    if (const std::string* text = std::get_if<std::string>(&assignment.value))
        return target.setValue(MString(text->c_str()));
    return target.setValue(std::get<MObject>(assignment.value));
}

MStatus lockedError(const NamedPlug& plug) {
    return commandError("setAttr: The attribute '" + plug.text +
                        "' is locked or connected and cannot be modified.");
}

// Unlocking comes before the new value and locking after it, so that "-lock false" with a
// value sets a locked plug and "-lock true" with a value sets it before locking.
MStatus setAttr(const CommandCall& call, Value&) {
    CommandArgs args;
    MStatus status = CommandArgs::parse(
        call, {{"-typ", "-type", {MSyntax::kString}}, {"-l", "-lock", {MSyntax::kBoolean}}}, args);
    if (!status) return status;
    if (args.objects().empty()) return commandError("setAttr: Needs an attribute.");
    NamedPlug plug;
    if (!(status = requirePlug(args.objects()[0], plug))) return status;
    const std::vector<std::string> values(args.objects().begin() + 1, args.objects().end());
    const bool lockGiven = args.has("-l");
    const bool lock = args.integer("-l", 0) != 0;
    if (values.empty() && !lockGiven) return commandError("setAttr: Not enough data was provided.");
    std::vector<PlugAssignment> assignments;
    std::string why;
    if (!values.empty() && !parseValues(plug, args.text("-typ"), values, assignments, why))
        return commandError("setAttr: " + why);
    std::vector<PlugId> ids{plug.id()};
    for (const PlugAssignment& a : assignments)
        ids.push_back({a.attribute.get(), plug.index});
    Node& node = *plug.node;
    const PlugStates before = PlugStates::of(node, ids);
    if (!values.empty() && plugLocked(node, plug.id()) && !(lockGiven && !lock))
        return lockedError(plug);
    if (lockGiven && !lock) node.setLocked(plug.id(), false);
    for (const PlugAssignment& a : assignments) {
        if (!assign(plug, a)) {
            before.restore(node);
            return lockedError(plug);
        }
    }
    if (lockGiven && lock) node.setLocked(plug.id(), true);
    const PlugStates after = PlugStates::of(node, ids);
    auto held = plug.node;
    recordStep(
        "setAttr", [held, before] { before.restore(*held); },
        [held, after] { after.restore(*held); });
    return MS::kSuccess;
}

// The attribute kinds addAttr makes from -attributeType or -dataType.
bool kindFor(const std::string& type, bool data, Attribute::Kind& kind) {
    using K = Attribute::Kind;
    static const std::vector<std::pair<std::string, K>> numeric = {
        {"bool", K::Bool},         {"short", K::Short},     {"long", K::Int},
        {"int", K::Int},           {"float", K::Float},     {"double", K::Double},
        {"doubleAngle", K::Angle}, {"message", K::Message}, {"double3", K::Compound}};
    static const std::vector<std::pair<std::string, K>> typed = {
        {"string", K::String}, {"Int32Array", K::IntArray}, {"mesh", K::Mesh}};
    for (const auto& [name, k] : data ? typed : numeric)
        if (name == type) return kind = k, true;
    return false;
}

std::shared_ptr<Attribute> makeDynamic(const CommandArgs& args, Attribute::Kind kind,
                                       const std::string& longName, const std::string& shortName) {
    const double fallback = args.number("-dv", 0.0);
    auto attribute = kind == Attribute::Kind::Compound
                         ? makeTriple(longName, shortName, Attribute::Kind::Double, fallback)
                         : makeAttribute(longName, shortName, kind);
    attribute->defaultNumber = fallback;
    if (args.has("-min")) attribute->min = args.number("-min", 0.0);
    if (args.has("-max")) attribute->max = args.number("-max", 0.0);
    attribute->storable = args.integer("-s", 1) != 0;
    attribute->keyable = args.integer("-k", 0) != 0;
    attribute->hidden = args.integer("-h", 0) != 0;
    attribute->readable = args.integer("-r", 1) != 0;
    attribute->writable = args.integer("-w", 1) != 0;
    attribute->array = args.has("-m");
    return attribute;
}

MStatus addAttr(const CommandCall& call, Value&) {
    CommandArgs args;
    const std::vector<MSyntax::MArgType> text{MSyntax::kString}, number{MSyntax::kDouble},
        flag{MSyntax::kBoolean};
    MStatus status = CommandArgs::parse(call,
                                        {{"-ln", "-longName", text},
                                         {"-sn", "-shortName", text},
                                         {"-at", "-attributeType", text},
                                         {"-dt", "-dataType", text},
                                         {"-s", "-storable", flag},
                                         {"-k", "-keyable", flag},
                                         {"-h", "-hidden", flag},
                                         {"-r", "-readable", flag},
                                         {"-w", "-writable", flag},
                                         {"-uaf", "-usedAsFilename"},
                                         {"-m", "-multi"},
                                         {"-dv", "-defaultValue", number},
                                         {"-min", "-minValue", number},
                                         {"-max", "-maxValue", number}},
                                        args);
    if (!status) return status;
    std::string longName = args.text("-ln"), shortName = args.text("-sn");
    if (longName.empty() && shortName.empty())
        return commandError(
            "addAttr: New attribute needs either a long (-ln) or short (-sn) attribute name.");
    if (longName.empty()) longName = shortName;
    if (shortName.empty()) shortName = longName;
    const bool data = args.has("-dt");
    const std::string type = data ? args.text("-dt") : args.text("-at", "double");
    Attribute::Kind kind = Attribute::Kind::Double;
    if (!kindFor(type, data, kind))
        return commandError("addAttr: Unknown " + std::string(data ? "data" : "attribute") +
                            " type: " + type);
    MSelectionList list;
    if (!(status = objectsNamed(args.objects(), list))) return status;
    if (list.isEmpty()) return commandError("addAttr: No object was given or selected.");
    std::vector<std::pair<std::shared_ptr<Node>, std::shared_ptr<Attribute>>> added;
    for (const MSelectionList::Item& item : list.items()) {
        auto node = nodeOf(item.node);
        auto attribute = makeDynamic(args, kind, longName, shortName);
        if (!node->addAttribute(attribute)) {
            for (const auto& [n, a] : added)
                n->removeAttribute(*a);
            return commandError("addAttr: '" + node->name() + "' already has an attribute named '" +
                                longName + "' or '" + shortName + "'.");
        }
        added.emplace_back(node, attribute);
    }
    recordStep(
        "addAttr",
        [added] {
            for (const auto& [n, a] : added)
                n->removeAttribute(*a);
        },
        [added] {
            for (const auto& [n, a] : added)
                n->addAttribute(a);
        });
    return MS::kSuccess;
}

} // namespace

void registerAttributeCommands(script::CommandTable& table) {
    table.add("getAttr", getAttr);
    table.add("setAttr", setAttr);
    table.add("addAttr", addAttr);
}

} // namespace rvhost::commands
