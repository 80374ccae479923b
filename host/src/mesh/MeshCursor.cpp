#include "mesh/MeshCursor.h"

#include "scene/Component.h"

namespace rvhost {

MeshCursor::MeshCursor(const MObject& mesh, const MObject& component, Element element)
    : access_(mesh), element_(element) {
    if (auto chosen = std::dynamic_pointer_cast<Component>(component.object());
        chosen && !chosen->complete) {
        all_ = false;
        for (int i : chosen->elements())
            if (i >= 0 && i < elementCount()) indices_.push_back(i);
    }
}

MObject MeshCursor::meshOf(const MDagPath& path) {
    MDagPath shape = path;
    if (!path.hasFn(MFn::kMesh)) shape.extendToShape();
    return shape.node();
}

MStatus MeshCursor::current(int& i) const {
    i = index();
    return i < 0 ? MS::kFailure : MS::kSuccess;
}

int MeshCursor::elementCount() const {
    if (!valid()) return 0;
    switch (element_) {
    case Element::Vertex:
        return geometry().numVertices();
    case Element::Polygon:
        return geometry().numPolygons();
    case Element::Edge:
        return geometry().numEdges();
    }
    return 0;
}

int MeshCursor::count() const {
    return all_ ? elementCount() : static_cast<int>(indices_.size());
}

int MeshCursor::index() const {
    if (isDone()) return -1;
    return all_ ? position_ : indices_[position_];
}

MStatus MeshCursor::setIndex(int index, int& previous) {
    previous = this->index();
    if (index < 0 || index >= elementCount()) return MS::kInvalidParameter;
    if (all_) {
        position_ = index;
        return MS::kSuccess;
    }
    for (size_t i = 0; i < indices_.size(); ++i) {
        if (indices_[i] == index) {
            position_ = static_cast<int>(i);
            return MS::kSuccess;
        }
    }
    return MS::kInvalidParameter;
}

} // namespace rvhost
