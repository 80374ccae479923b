#include "view/DrawOverrideRegistry.h"

#include "scene/Node.h"

#include <algorithm>
#include <sstream>

namespace rvhost {

namespace {

bool classificationHas(const std::string& nodeClassification, const std::string& wanted) {
    std::istringstream entries(nodeClassification);
    std::string entry;
    while (std::getline(entries, entry, ':'))
        if (entry == wanted) return true;
    return false;
}

} // namespace

DrawOverrideRegistry::Instance::~Instance() {
    delete data;
}

// Never destroyed: the overrides' code belongs to plug-ins that may be gone by the time
// statics are torn down; a plug-in that unloads deregisters (and so deletes) its own.
DrawOverrideRegistry& DrawOverrideRegistry::instance() {
    static DrawOverrideRegistry* registry = new DrawOverrideRegistry;
    return *registry;
}

MStatus DrawOverrideRegistry::add(const std::string& classification, const std::string& registrant,
                                  MHWRender::MDrawRegistry::DrawOverrideCreator creator) {
    if (!creator || classification.empty()) return MS::kInvalidParameter;
    for (const auto& c : creators_)
        if (c->classification == classification && c->registrant == registrant) return MS::kFailure;
    creators_.push_back(std::make_unique<Creator>(Creator{classification, registrant, creator}));
    return MS::kSuccess;
}

MStatus DrawOverrideRegistry::remove(const std::string& classification,
                                     const std::string& registrant) {
    auto it = std::find_if(creators_.begin(), creators_.end(), [&](const auto& c) {
        return c->classification == classification && c->registrant == registrant;
    });
    if (it == creators_.end()) return MS::kNotFound;
    const Creator* gone = it->get();
    // The plug-in may be unloaded right after: its overrides must die while its code exists.
    made_.erase(std::remove_if(made_.begin(), made_.end(),
                               [&](const Made& m) { return m.creator == gone; }),
                made_.end());
    creators_.erase(it);
    return MS::kSuccess;
}

std::vector<DrawOverrideRegistry::Instance*>
DrawOverrideRegistry::overridesFor(const MObject& node, const std::string& nodeClassification) {
    std::vector<Instance*> found;
    for (const auto& c : creators_) {
        if (!classificationHas(nodeClassification, c->classification)) continue;
        auto it = std::find_if(made_.begin(), made_.end(), [&](const Made& m) {
            return m.creator == c.get() && m.node == node;
        });
        if (it == made_.end()) {
            auto instance = std::make_unique<Instance>();
            instance->override.reset(c->make(node));
            if (!instance->override) continue;
            made_.push_back({c.get(), node, std::move(instance)});
            it = made_.end() - 1;
        }
        found.push_back(it->instance.get());
    }
    return found;
}

void DrawOverrideRegistry::dropDeleted() {
    made_.erase(std::remove_if(made_.begin(), made_.end(),
                               [](const Made& m) {
                                   auto node = std::dynamic_pointer_cast<Node>(m.node.object());
                                   return !node || !node->inModel();
                               }),
                made_.end());
}

} // namespace rvhost
