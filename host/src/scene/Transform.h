#pragma once
#include <maya/MTransformationMatrix.h>

#include "scene/DagNode.h"

namespace rvhost {

// A transform node: translate, rotate (radians, XYZ order), scale, the pivots and their
// balancing translations as ordinary attributes, so plugs, getAttr and setAttr reach them, and the
// matrix composed from them by MTransformationMatrix.
class Transform : public DagNode {
public:
    Transform();

    struct Attributes {
        std::shared_ptr<Attribute> translate, rotate, scale, rotatePivot, scalePivot;
        std::shared_ptr<Attribute> rotatePivotTranslate, scalePivotTranslate, visibility;
    };
    // The static attributes every transform shares.
    static const Attributes& attributes();

    MTransformationMatrix transformation() const;
    // Writes the parts of `matrix` back into the attributes (rotation as XYZ angles).
    void setTransformation(const MTransformationMatrix& matrix);
    MMatrix localMatrix() const override { return transformation().asMatrix(); }

    MVector triple(const Attribute& compound) const;
    void setTriple(const Attribute& compound, const MVector& value);
};

} // namespace rvhost
