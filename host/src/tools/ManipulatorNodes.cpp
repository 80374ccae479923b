#include "tools/ManipulatorNodes.h"

#include <maya/M3dView.h>
#include <maya/MDagPath.h>
#include <maya/MPxContext.h>
#include <maya/MPxManipulatorNode.h>

#include "scene/Node.h"
#include "scene/NodeTypes.h"
#include "tools/ContextRegistry.h"
#include "tools/ContextState.h"
#include "view/ViewHooks.h"

#include <algorithm>

namespace rvhost {
namespace {

// Never destroyed, like the contexts that hold the manipulators.
struct Live {
    std::vector<MObject> nodes;
    std::vector<MPxManipulatorNode*> listeners;
};

Live& live() {
    static Live* state = new Live;
    return *state;
}

bool listening(MPxManipulatorNode* manipulator) {
    const auto& listeners = live().listeners;
    return std::find(listeners.begin(), listeners.end(), manipulator) != listeners.end();
}

std::vector<ToolDrawItem> currentToolItems() {
    std::vector<ToolDrawItem> items;
    MPxContext* context = ContextRegistry::instance().current();
    if (!context) return items;
    for (const MObject& node : context->hostState().manipulators) {
        ToolDrawItem item;
        item.node = node;
        item.legacyDraw = [node](M3dView& view, M3dView::DisplayStyle style,
                                 M3dView::DisplayStatus status) {
            MPxManipulatorNode* manipulator = ManipulatorNodes::userNode(node);
            if (!manipulator) return;
            MDagPath path;
            if (node.hasFn(MFn::kDagNode)) MDagPath::getAPathTo(node, path);
            manipulator->draw(view, path, style, status);
        };
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

MPxManipulatorNode* ManipulatorNodes::create(const std::string& typeName, MObject& node,
                                             MStatus& status) {
    const NodeType* type = NodeTypes::instance().find(typeName);
    if (!type || type->pluginKind != MPxNode::kManipulatorNode) {
        status = MS::kInvalidParameter;
        return nullptr;
    }
    std::shared_ptr<Node> made = type->make();
    MObject handle = made ? made->handle() : MObject();
    MPxManipulatorNode* manipulator = userNode(handle);
    if (!manipulator) {
        status = MS::kFailure;
        return nullptr;
    }
    live().nodes.push_back(handle);
    if (type->created) type->created(*made);
    node = handle;
    status = MS::kSuccess;
    return manipulator;
}

MPxManipulatorNode* ManipulatorNodes::userNode(const MObject& node) {
    std::shared_ptr<Node> n = nodeOf(node);
    return n ? dynamic_cast<MPxManipulatorNode*>(n->userNode()) : nullptr;
}

void ManipulatorNodes::destroy(const MObject& node) {
    auto& nodes = live().nodes;
    nodes.erase(std::remove(nodes.begin(), nodes.end(), node), nodes.end());
    if (std::shared_ptr<Node> n = nodeOf(node)) n->setUserNode(nullptr);
}

void ManipulatorNodes::destroyOfType(const std::string& typeName) {
    std::vector<MObject> doomed;
    for (const MObject& node : live().nodes) {
        std::shared_ptr<Node> n = nodeOf(node);
        if (n && n->typeName() == typeName) doomed.push_back(node);
    }
    for (const MObject& node : doomed)
        destroy(node);
}

void ManipulatorNodes::listen(MPxManipulatorNode* manipulator) {
    if (!listening(manipulator)) live().listeners.push_back(manipulator);
}

void ManipulatorNodes::stopListening(MPxManipulatorNode* manipulator) {
    auto& listeners = live().listeners;
    listeners.erase(std::remove(listeners.begin(), listeners.end(), manipulator), listeners.end());
}

std::vector<MStatus> ManipulatorNodes::deliverMove() {
    std::vector<MStatus> statuses;
    const std::vector<MPxManipulatorNode*> listeners = live().listeners;
    for (MPxManipulatorNode* manipulator : listeners) {
        if (!listening(manipulator)) continue;
        M3dView view = M3dView::active3dView();
        bool refresh = false;
        statuses.push_back(manipulator->doMove(view, refresh));
        if (refresh) view.refresh();
    }
    return statuses;
}

void ManipulatorNodes::installViewHook() {
    ViewHooks::setToolItems(currentToolItems);
}

} // namespace rvhost
