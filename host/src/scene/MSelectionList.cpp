#include <maya/MSelectionList.h>

#include "scene/Component.h"
#include "scene/Report.h"
#include "scene/Scene.h"

#include <algorithm>
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

// "vtx[3]", "f[2:5]", "e[*]" into a component; null when the text is no component.
MObject parseComponent(const std::string& text) {
    static const std::regex form(R"(^(\w+)\[(\*|(\d+)(?::(\d+))?)\]$)");
    std::smatch m;
    if (!std::regex_match(text, m, form)) return MObject();
    auto kind = std::find_if(std::begin(kComponentKinds), std::end(kComponentKinds),
                             [&](const ComponentKind& k) { return m[1] == k.name; });
    if (kind == std::end(kComponentKinds)) return MObject();
    auto component = std::make_shared<Component>(kind->type);
    if (m[2] == "*") {
        component->complete = true;
    } else {
        int first = std::stoi(m[3]);
        int last = m[4].matched ? std::stoi(m[4]) : first;
        for (int i = std::min(first, last); i <= std::max(first, last); ++i)
            component->add(i);
    }
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
    MObject component = rest.empty() ? MObject() : parseComponent(rest);
    for (const auto& node : nodes) {
        Item item;
        item.node = node->handle();
        if (auto dag = std::dynamic_pointer_cast<DagNode>(node)) item.path = MDagPath::of(dag);
        if (!component.isNull()) {
            if (!item.path.extendToShape() || !item.path.hasFn(MFn::kMesh))
                return MS::kInvalidParameter;
            item.node = item.path.node();
            auto copy = std::make_shared<Component>(*rvhost::componentOf(component));
            item.component = MObject(copy);
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
