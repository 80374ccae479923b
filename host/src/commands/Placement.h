#pragma once
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "commands/EditRecord.h"
#include "mesh/MeshShape.h"
#include "scene/Transform.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost::commands {

// What move and xform act on: a transform, or vertices of a mesh (edges and faces stand
// for their vertices).
struct PlacementTarget {
    std::shared_ptr<Transform> transform;
    std::shared_ptr<MeshShape> shape;
    std::vector<int> vertices;
};

// The targets named, or selected when no name is given; a shape stands for its transform.
// Shows the error and fails for a name that is neither.
MStatus placementTargets(const std::string& command, const std::vector<std::string>& names,
                         std::vector<PlacementTarget>& out);

// Reads and moves targets in world space or in their own space (a transform's parent
// space, a mesh's object space), recording each change in an EditRecord.
class Placer {
public:
    explicit Placer(EditRecord& edit) : edit_(edit) {}

    // A transform's translation, or each vertex's position, three numbers each.
    static std::vector<double> positions(const PlacementTarget& target, bool world);
    void moveTo(const PlacementTarget& target, const MPoint& point, bool world);
    void moveBy(const PlacementTarget& target, const MVector& offset, bool world);
    // The transform's local matrix, or its world matrix when `world`.
    void setMatrix(Transform& transform, const MMatrix& matrix, bool world);

private:
    void translateBy(Transform& transform, const MVector& parentOffset);
    static MMatrix parentMatrix(const Transform& transform);

    EditRecord& edit_;
};

} // namespace rvhost::commands
