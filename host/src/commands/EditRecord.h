#pragma once
#include "mesh/MeshShape.h"
#include "scene/Node.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace rvhost::commands {

// The state of the nodes a command edits in place, before and after, so that undo and redo
// swap them: every numeric value of a node (a transform's placement, plain attributes) or
// the whole geometry of a mesh. Touch each object before changing it, then record.
class EditRecord {
public:
    void touchValues(Node& node);
    void touchGeometry(MeshShape& shape);
    // Takes the after-states and puts the step on the undo queue.
    void record(const std::string& name);

private:
    using Values = std::vector<std::pair<PlugId, PlugValue>>;
    struct ValueState {
        std::shared_ptr<Node> node;
        Values before, after;
    };
    struct GeometryState {
        std::shared_ptr<MeshShape> shape;
        MeshGeometry before, after;
    };
    static Values numericValues(const Node& node);
    static void restore(Node& node, const Values& values);

    std::vector<ValueState> values_;
    std::vector<GeometryState> geometries_;
};

} // namespace rvhost::commands
