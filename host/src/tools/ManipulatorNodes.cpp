#include "tools/ManipulatorNodes.h"

#include "view/ViewHooks.h"

namespace rvhost {

MPxManipulatorNode* ManipulatorNodes::create(const std::string&, MObject&, MStatus& status) {
    status = MS::kNotImplemented;
    return nullptr;
}

MPxManipulatorNode* ManipulatorNodes::userNode(const MObject&) {
    return nullptr;
}

void ManipulatorNodes::destroy(const MObject&) {}

void ManipulatorNodes::listen(MPxManipulatorNode*) {}

void ManipulatorNodes::stopListening(MPxManipulatorNode*) {}

std::vector<MStatus> ManipulatorNodes::deliverMove() {
    return {};
}

void ManipulatorNodes::installViewHook() {}

} // namespace rvhost
