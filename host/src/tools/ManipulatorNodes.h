#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <string>
#include <vector>

class MPxManipulatorNode;

namespace rvhost {

// The manipulator nodes alive in the host: their creation and deletion, the ones that
// asked for mouse moves, and the ones the view draws for the current tool.
class ManipulatorNodes {
public:
    // Builds a node of a registered manipulator type (outside the scene) and runs its
    // postConstructor. Null with a failure status for other types.
    static MPxManipulatorNode* create(const std::string& typeName, MObject& node, MStatus& status);
    static MPxManipulatorNode* userNode(const MObject& node);
    static bool isManipulator(const MObject& node) { return userNode(node) != nullptr; }
    // Drops the plug-in's object behind the node; handles to the node stay valid but name
    // no manipulator.
    static void destroy(const MObject& node);
    // Destroys every manipulator of a node type whose plug-in is being unloaded, before its
    // code goes away.
    static void destroyOfType(const std::string& typeName);

    static void listen(MPxManipulatorNode* manipulator);
    static void stopListening(MPxManipulatorNode* manipulator);
    // doMove on every listener, in the order they registered; a listener that is deleted
    // during delivery is skipped. A listener asking for a refresh gets one.
    static std::vector<MStatus> deliverMove();

    // Tells the view to draw the current tool's manipulators. Called once at host start.
    static void installViewHook();
};

} // namespace rvhost
