#include <maya/MSelectionList.h>

#include "scene/Component.h"
#include "scene/Report.h"
#include "scene/Scene.h"

#include <algorithm>
#include <climits>
#include <regex>

using rvhost::Component;
using rvhost::DagNode;
using rvhost::Node;
using rvhost::reported;

namespace {

struct ComponentKind {
    const char* name;
    MFn::Type type;
};
constexpr ComponentKind kComponentKinds[] = {{"vtx", MFn::kMeshVertComponent},
                                             {"e", MFn::kMeshEdgeComponent},
                                             {"f", MFn::kMeshPolygonComponent}};

const char* componentName(MFn::Type type) {
    for (const ComponentKind& kind : kComponentKinds)
        if (kind.type == type) return kind.name;
    return "";
}

// A component as a name spells it: "vtx[3]", "f[2:5]", "e[*]".
struct ComponentText {
    MFn::Type type = MFn::kInvalid;
    bool complete = false;
    long long first = 0, last = 0;
};

// Digits beyond any index a shape can have saturate rather than overflow.
long long indexOf(const std::string& digits) {
    long long value = 0;
    for (char c : digits)
        value = std::min(value * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    return value;
}

// False when the text is no component.
bool parseComponent(const std::string& text, ComponentText& out) {
    static const std::regex form(R"(^(\w+)\[(\*|(\d+)(?::(\d+))?)\]$)");
    std::smatch m;
    if (!std::regex_match(text, m, form)) return false;
    auto kind = std::find_if(std::begin(kComponentKinds), std::end(kComponentKinds),
                             [&](const ComponentKind& k) { return m[1] == k.name; });
    if (kind == std::end(kComponentKinds)) return false;
    out.type = kind->type;
    out.complete = m[2] == "*";
    if (!out.complete) {
        const long long a = indexOf(m[3]), b = m[4].matched ? indexOf(m[4]) : a;
        out.first = std::min(a, b);
        out.last = std::max(a, b);
    }
    return true;
}

// The component of one shape: a range is limited to the elements the shape has (so a
// range such as [0:2147483647] costs what the mesh holds); null when nothing is left.
MObject componentOn(const ComponentText& text, const Node& shape) {
    auto component = std::make_shared<Component>(text.type);
    if (text.complete) {
        component->complete = true;
        return MObject(component);
    }
    const long long last = std::min<long long>(text.last, shape.componentCount(text.type) - 1LL);
    if (text.first > last) return MObject();
    for (long long i = text.first; i <= last; ++i)
        component->add(static_cast<int>(i));
    return MObject(component);
}

// Shell-style match with '*' and '?'.
bool wildcardMatch(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*')
        return wildcardMatch(pattern + 1, text) || (*text && wildcardMatch(pattern, text + 1));
    return *text && (*pattern == '?' || *pattern == *text) && wildcardMatch(pattern + 1, text + 1);
}

std::vector<std::shared_ptr<Node>> nodesMatching(const std::string& pattern) {
    rvhost::Scene& scene = rvhost::Scene::instance();
    if (pattern.find_first_of("*?") == std::string::npos) {
        auto node = scene.find(pattern);
        return node ? std::vector<std::shared_ptr<Node>>{node}
                    : std::vector<std::shared_ptr<Node>>{};
    }
    std::vector<std::shared_ptr<Node>> found;
    bool byPath = pattern.find('|') != std::string::npos;
    for (const auto& node : scene.nodes()) {
        const DagNode* dag = node->asDag();
        std::string name = byPath && dag ? dag->fullPathName() : node->name();
        if (wildcardMatch(pattern.c_str(), name.c_str())) found.push_back(node);
    }
    return found;
}

// Consecutive runs as the host writes them: 1,2,3,7 gives "[1:3]" and "[7]".
std::vector<std::string> rangesOf(std::vector<int> elements) {
    std::sort(elements.begin(), elements.end());
    std::vector<std::string> ranges;
    for (size_t i = 0; i < elements.size();) {
        size_t j = i;
        while (j + 1 < elements.size() && elements[j + 1] == elements[j] + 1)
            ++j;
        std::string range = std::to_string(elements[i]);
        if (j > i) range += ":" + std::to_string(elements[j]);
        ranges.push_back("[" + range + "]");
        i = j + 1;
    }
    return ranges;
}

// The same node, plug and kind of component (none, vertices, edges or faces).
bool sameObject(const MSelectionList::Item& a, const MSelectionList::Item& b) {
    return a.node == b.node && a.plug == b.plug && a.component.apiType() == b.component.apiType();
}

} // namespace

MStatus MSelectionList::add(const MString& matchString, bool) {
    const std::string text = matchString.str();
    size_t dot = text.find('.');
    std::string objectPart = text.substr(0, dot);
    std::string rest = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    auto nodes = nodesMatching(objectPart);
    if (nodes.empty()) return MS::kInvalidParameter;
    ComponentText componentText;
    const bool isComponent = !rest.empty() && parseComponent(rest, componentText);
    for (const auto& node : nodes) {
        Item item;
        item.node = node->handle();
        if (auto dag = std::dynamic_pointer_cast<DagNode>(node)) item.path = MDagPath::of(dag);
        if (isComponent) {
            if (!item.path.extendToShape() || !item.path.hasFn(MFn::kMesh))
                return MS::kInvalidParameter;
            item.node = item.path.node();
            item.component = componentOn(componentText, *rvhost::nodeOf(item.node));
            if (item.component.isNull()) return MS::kInvalidParameter;
        } else if (!rest.empty()) {
            auto attribute = node->findAttribute(rest);
            if (!attribute) return MS::kInvalidParameter;
            item.plug = MPlug(node->handle(), attribute->handle());
        }
        addItem(std::move(item), true);
    }
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MObject& object, bool mergeWithExisting) {
    auto node = rvhost::nodeOf(object);
    if (!node) return MS::kInvalidParameter;
    Item item;
    item.node = object;
    if (auto dag = std::dynamic_pointer_cast<DagNode>(node)) item.path = MDagPath::of(dag);
    addItem(std::move(item), mergeWithExisting);
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& path, const MObject& component,
                            bool mergeWithExisting) {
    if (path.length() == 0) return MS::kInvalidParameter;
    if (!component.isNull() && !rvhost::componentOf(component)) return MS::kInvalidParameter;
    Item item;
    item.path = path;
    item.node = path.node();
    if (!component.isNull())
        item.component = MObject(std::make_shared<Component>(*rvhost::componentOf(component)));
    addItem(std::move(item), mergeWithExisting);
    return MS::kSuccess;
}

MStatus MSelectionList::add(const MPlug& plug, bool mergeWithExisting) {
    if (plug.isNull()) return MS::kInvalidParameter;
    Item item;
    item.node = plug.node();
    item.plug = plug;
    addItem(std::move(item), mergeWithExisting);
    return MS::kSuccess;
}

// An object already present is not added again; components of the same shape merge.
void MSelectionList::addItem(Item item, bool) {
    for (Item& existing : items_) {
        if (!sameObject(existing, item)) continue;
        if (!item.component.isNull())
            rvhost::componentOf(existing.component)->merge(*rvhost::componentOf(item.component));
        return;
    }
    items_.push_back(std::move(item));
}

MStatus MSelectionList::merge(const MSelectionList& other, MergeStrategy strategy) {
    for (const Item& item : other.items_) {
        auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const Item& mine) { return sameObject(mine, item); });
        bool present = found != items_.end();
        if (strategy == kMergeNormal || (strategy == kXORWithList && !present))
            addItem(item, true);
        else if (present)
            items_.erase(found);
    }
    return MS::kSuccess;
}

MStatus MSelectionList::remove(unsigned int index) {
    if (index >= items_.size()) return MS::kInvalidParameter;
    items_.erase(items_.begin() + index);
    return MS::kSuccess;
}

MStatus MSelectionList::clear() {
    items_.clear();
    return MS::kSuccess;
}

unsigned int MSelectionList::length(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, true, static_cast<unsigned int>(items_.size()));
}

bool MSelectionList::isEmpty(MStatus* ReturnStatus) const {
    return reported(ReturnStatus, true, items_.empty());
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& path) const {
    if (index >= items_.size() || items_[index].path.length() == 0) return MS::kFailure;
    path = items_[index].path;
    return MS::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& path, MObject& component) const {
    MStatus status = getDagPath(index, path);
    if (status) component = items_[index].component;
    return status;
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& node) const {
    if (index >= items_.size()) return MS::kFailure;
    node = items_[index].node;
    return MS::kSuccess;
}

MStatus MSelectionList::getPlug(unsigned int index, MPlug& plug) const {
    if (index >= items_.size() || items_[index].plug.isNull()) return MS::kFailure;
    plug = items_[index].plug;
    return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(unsigned int index, MStringArray& strings) const {
    if (index >= items_.size()) return MS::kFailure;
    const Item& item = items_[index];
    auto node = rvhost::nodeOf(item.node);
    if (!item.plug.isNull()) return strings.append(item.plug.name());
    if (item.component.isNull()) return strings.append(MString(node->name()));
    // Components are named after the shape's transform, as the host lists them.
    auto owner = node->asDag()->parent();
    std::string base = (owner && !owner->isWorld() ? owner->name() : node->name()) + "." +
                       componentName(item.component.apiType());
    const Component& c = *rvhost::componentOf(item.component);
    if (c.complete) return strings.append(MString(base + "[*]"));
    for (const std::string& range : rangesOf(c.elements()))
        strings.append(MString(base + range));
    return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& strings) const {
    strings.clear();
    for (unsigned int i = 0; i < items_.size(); ++i)
        getSelectionStrings(i, strings);
    return MS::kSuccess;
}

bool MSelectionList::hasItem(const MDagPath& path, const MObject& component,
                             MStatus* ReturnStatus) const {
    bool found = std::any_of(items_.begin(), items_.end(), [&](const Item& item) {
        return item.path == path && item.component.isNull() == component.isNull();
    });
    return reported(ReturnStatus, true, found);
}

bool MSelectionList::hasItem(const MObject& object, MStatus* ReturnStatus) const {
    bool found = std::any_of(items_.begin(), items_.end(),
                             [&](const Item& item) { return item.node == object; });
    return reported(ReturnStatus, true, found);
}

MSelectionList MSelectionList::live() const {
    MSelectionList result;
    for (const Item& item : items_) {
        auto node = rvhost::nodeOf(item.node);
        if (node && node->inModel()) result.items_.push_back(item);
    }
    return result;
}
