#include "scene/Transform.h"

#include "scene/Graph.h"

namespace rvhost {

const Transform::Attributes& Transform::attributes() {
    static const Attributes attributes = [] {
        using K = Attribute::Kind;
        Attributes a;
        a.translate = makeTriple("translate", "t", K::Double, 0.0);
        a.rotate = makeTriple("rotate", "r", K::Angle, 0.0);
        a.scale = makeTriple("scale", "s", K::Double, 1.0);
        a.rotatePivot = makeTriple("rotatePivot", "rp", K::Double, 0.0);
        a.scalePivot = makeTriple("scalePivot", "sp", K::Double, 0.0);
        a.rotatePivotTranslate = makeTriple("rotatePivotTranslate", "rpt", K::Double, 0.0);
        a.scalePivotTranslate = makeTriple("scalePivotTranslate", "spt", K::Double, 0.0);
        a.visibility = makeAttribute("visibility", "v", K::Bool);
        a.visibility->defaultNumber = 1.0;
        for (auto* triple : {&a.translate, &a.rotate, &a.scale})
            for (const auto& child : (*triple)->children())
                child->keyable = true;
        a.visibility->keyable = true;
        return a;
    }();
    return attributes;
}

Transform::Transform() : DagNode("transform", MFn::kTransform) {
    const Attributes& a = attributes();
    for (const auto* attribute : {&a.translate, &a.rotate, &a.scale, &a.rotatePivot, &a.scalePivot,
                                  &a.rotatePivotTranslate, &a.scalePivotTranslate, &a.visibility})
        addAttribute(*attribute, false);
}

// Values as the graph gives them, so that connected channels drive the matrix.
MVector Transform::triple(const Attribute& compound) const {
    auto& self = const_cast<Transform&>(*this);
    double v[3];
    for (int i = 0; i < 3; ++i) {
        PlugValue value = Graph::instance().evaluate(self, {compound.children()[i].get(), -1});
        const double* number = std::get_if<double>(&value);
        v[i] = number ? *number : 0.0;
    }
    return MVector(v[0], v[1], v[2]);
}

void Transform::setTriple(const Attribute& compound, const MVector& value) {
    const double v[3] = {value.x, value.y, value.z};
    for (int i = 0; i < 3; ++i)
        store({compound.children()[i].get(), -1}, v[i]);
}

MTransformationMatrix Transform::transformation() const {
    const Attributes& a = attributes();
    MTransformationMatrix m;
    MVector s = triple(*a.scale), r = triple(*a.rotate);
    const double scale[3] = {s.x, s.y, s.z};
    const double rotation[3] = {r.x, r.y, r.z};
    m.setScalePivot(MPoint(triple(*a.scalePivot)), MSpace::kTransform, false);
    m.setScalePivotTranslation(triple(*a.scalePivotTranslate), MSpace::kTransform);
    m.setScale(scale, MSpace::kTransform);
    m.setRotatePivot(MPoint(triple(*a.rotatePivot)), MSpace::kTransform, false);
    m.setRotatePivotTranslation(triple(*a.rotatePivotTranslate), MSpace::kTransform);
    m.setRotation(rotation, MTransformationMatrix::kXYZ);
    m.setTranslation(triple(*a.translate), MSpace::kTransform);
    return m;
}

void Transform::setTransformation(const MTransformationMatrix& matrix) {
    const Attributes& a = attributes();
    MTransformationMatrix m = matrix;
    m.reorderRotation(MTransformationMatrix::kXYZ);
    double scale[3], rotation[3];
    MTransformationMatrix::RotationOrder order;
    m.getScale(scale, MSpace::kTransform);
    m.getRotation(rotation, order);
    setTriple(*a.translate, m.getTranslation(MSpace::kTransform));
    setTriple(*a.rotate, MVector(rotation[0], rotation[1], rotation[2]));
    setTriple(*a.scale, MVector(scale[0], scale[1], scale[2]));
    setTriple(*a.rotatePivot, MVector(m.rotatePivot(MSpace::kTransform)));
    setTriple(*a.scalePivot, MVector(m.scalePivot(MSpace::kTransform)));
    setTriple(*a.rotatePivotTranslate, m.rotatePivotTranslation(MSpace::kTransform));
    setTriple(*a.scalePivotTranslate, m.scalePivotTranslation(MSpace::kTransform));
}

} // namespace rvhost
