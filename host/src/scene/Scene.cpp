#include "scene/Scene.h"

#include "scene/NodeTypes.h"
#include "scene/Transform.h"

#include <algorithm>
#include <cctype>

namespace rvhost {

Scene::Scene() : world_(std::make_shared<DagNode>("world", MFn::kDagNode)) {
    world_->world_ = true;
    world_->name_ = "world";
    world_->inModel_ = true;
}

Scene& Scene::instance() {
    static Scene scene;
    return scene;
}

MStatus Scene::fail(MStatus status, std::string why) {
    lastError_ = std::move(why);
    return status;
}

bool Scene::isValidName(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

std::string Scene::uniqueName(const std::string& wanted, const Node* self) const {
    auto isFree = [&](const std::string& name) {
        auto it = names_.find(name);
        return it == names_.end() || it->second == self;
    };
    size_t hash = wanted.find('#');
    if (hash == std::string::npos) {
        if (isFree(wanted)) return wanted;
        size_t end = wanted.find_last_not_of("0123456789");
        std::string base = wanted.substr(0, end + 1);
        for (unsigned long n = 1;; ++n)
            if (isFree(base + std::to_string(n))) return base + std::to_string(n);
    }
    for (unsigned long n = 1;; ++n) {
        std::string name = wanted.substr(0, hash) + std::to_string(n) + wanted.substr(hash + 1);
        if (isFree(name)) return name;
    }
}

void Scene::link(DagNode& child, DagNode& parent, size_t position) {
    child.parent_ = std::static_pointer_cast<DagNode>(parent.shared_from_this());
    auto& siblings = parent.children_;
    position = std::min(position, siblings.size());
    siblings.insert(siblings.begin() + static_cast<long>(position),
                    std::static_pointer_cast<DagNode>(child.shared_from_this()));
}

void Scene::unlink(DagNode& child) {
    if (auto parent = child.parent()) {
        auto& siblings = parent->children_;
        siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                      [&](const auto& c) { return c.get() == &child; }),
                       siblings.end());
    }
}

void Scene::adopt(const std::shared_ptr<Node>& node, const std::string& name) {
    node->name_ = uniqueName(name, node.get());
    node->inModel_ = true;
    names_[node->name_] = node.get();
    auto at = std::lower_bound(nodes_.begin(), nodes_.end(), node->sequence_,
                               [](const auto& n, unsigned long s) { return n->sequence_ < s; });
    nodes_.insert(at, node);
}

MStatus Scene::insert(const std::shared_ptr<Node>& node, const std::string& name, DagNode* parent) {
    if (!node || node->inModel_ || node->sequence_ != 0)
        return fail(MS::kInvalidParameter, "The node is already in the scene.");
    std::string wanted = name.empty() ? node->typeName() + "#" : name;
    if (!isValidName(uniqueName(wanted)))
        return fail(MS::kInvalidParameter, "Invalid name: '" + name + "'.");
    DagNode* dag = node->asDag();
    if (parent && (!dag || !parent->inModel()))
        return fail(MS::kInvalidParameter, "Cannot parent '" + wanted + "' there.");
    static unsigned long sequence = 0;
    node->sequence_ = ++sequence;
    if (dag) link(*dag, parent ? *parent : *world_, SIZE_MAX);
    adopt(node, wanted);
    return MS::kSuccess;
}

std::shared_ptr<Node> Scene::create(const std::string& typeName, const std::string& name,
                                    DagNode* parent, MStatus* status) {
    auto report = [&](MStatus s) {
        if (status) *status = s;
    };
    const NodeType* type = NodeTypes::instance().find(typeName);
    if (!type) {
        report(fail(MS::kInvalidParameter, "Unknown object type: " + typeName));
        return nullptr;
    }
    std::string wanted = name.empty() ? type->defaultName + "#" : name;
    if (!isValidName(uniqueName(wanted))) {
        report(fail(MS::kInvalidParameter, "Invalid name: '" + name + "'."));
        return nullptr;
    }
    if (parent && !type->dag) {
        report(fail(MS::kInvalidParameter, "A " + typeName + " node cannot have a parent."));
        return nullptr;
    }
    std::shared_ptr<Node> made;
    if (type->dag && !type->transform && !parent) {
        made = create("transform", {}, nullptr, status);
        parent = made->asDag();
    }
    auto node = type->make();
    MStatus inserted = node ? insert(node, wanted, parent) : MStatus(MS::kFailure);
    if (!inserted) {
        if (made) remove(*made);
        report(inserted);
        return nullptr;
    }
    if (type->created) type->created(*node);
    report(MS::kSuccess);
    return node;
}

std::shared_ptr<Node> Scene::findPath(const std::string& path) const {
    bool absolute = path[0] == '|';
    std::vector<std::string> parts;
    for (size_t start = absolute ? 1 : 0; start <= path.size();) {
        size_t bar = path.find('|', start);
        if (bar == std::string::npos) bar = path.size();
        parts.push_back(path.substr(start, bar - start));
        start = bar + 1;
    }
    auto node = find(parts.back());
    auto dag = node ? std::static_pointer_cast<DagNode>(node) : nullptr;
    if (!node || !node->asDag()) return nullptr;
    auto up = dag;
    for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
        if (!up || up->isWorld() || up->name() != *part) return nullptr;
        up = up->parent();
    }
    return (!absolute || (up && up->isWorld())) ? node : nullptr;
}

std::shared_ptr<Node> Scene::find(const std::string& nameOrPath) const {
    if (nameOrPath.empty()) return nullptr;
    if (nameOrPath.find('|') != std::string::npos) return findPath(nameOrPath);
    auto it = names_.find(nameOrPath);
    return it == names_.end() ? nullptr : it->second->shared_from_this();
}

std::vector<std::shared_ptr<Node>> Scene::nodes() const {
    return nodes_;
}

MStatus Scene::rename(Node& node, const std::string& wanted) {
    if (!node.inModel_ || &node == world_.get())
        return fail(MS::kInvalidParameter, "Cannot rename '" + node.name() + "'.");
    if (!isValidName(uniqueName(wanted, &node)))
        return fail(MS::kInvalidParameter, "Invalid name: '" + wanted + "'.");
    names_.erase(node.name_);
    node.name_ = uniqueName(wanted, &node);
    names_[node.name_] = &node;
    return MS::kSuccess;
}

MStatus Scene::reparent(DagNode& node, DagNode* parent) {
    DagNode& target = parent ? *parent : *world_;
    if (!node.inModel_ || node.world_ || !target.inModel_)
        return fail(MS::kInvalidParameter, "Cannot parent '" + node.name() + "'.");
    for (const DagNode* up = &target; up; up = up->parent().get())
        if (up == &node)
            return fail(MS::kInvalidParameter,
                        "Cannot parent '" + node.name() + "' under itself or its child.");
    unlink(node);
    link(node, target, SIZE_MAX);
    return MS::kSuccess;
}

void Scene::takeOut(const std::shared_ptr<Node>& node, Removal& removal) {
    node->inModel_ = false;
    for (auto& connection : Graph::instance().disconnectAll(*node))
        removal.connections.push_back(connection);
    names_.erase(node->name_);
    nodes_.erase(std::find(nodes_.begin(), nodes_.end(), node));
    if (const DagNode* dag = node->asDag())
        for (const auto& child : dag->children_)
            takeOut(child, removal);
    removal.entries.push_back({node, {}, 0});
}

Scene::Removal Scene::remove(Node& node) {
    Removal removal;
    if (!node.inModel_ || &node == world_.get()) return removal;
    auto held = node.shared_from_this();
    Removal::Entry top{held, {}, 0};
    if (DagNode* dag = held->asDag()) {
        auto parent = dag->parent();
        auto& siblings = parent->children_;
        top.parent = parent;
        top.position = static_cast<size_t>(std::find(siblings.begin(), siblings.end(), held) -
                                           siblings.begin());
        unlink(*dag);
    }
    takeOut(held, removal);
    removal.entries.back() = top;
    return removal;
}

void Scene::restore(const Removal& removal) {
    // Removed children first, their subtree root last: restore in the reverse order.
    for (auto entry = removal.entries.rbegin(); entry != removal.entries.rend(); ++entry) {
        if (entry->node->inModel_) continue;
        if (DagNode* dag = entry->node->asDag(); dag && entry == removal.entries.rbegin()) {
            auto parent = entry->parent.lock();
            if (!parent || !parent->inModel_) parent = world_;
            link(*dag, *parent, entry->position);
        }
        adopt(entry->node, entry->node->name_);
    }
    Graph::instance().reconnect(removal.connections);
}

void Scene::clear() {
    while (!nodes_.empty())
        remove(*nodes_.back());
}

} // namespace rvhost
