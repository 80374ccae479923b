#pragma once
#include <maya/MDagPath.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

#include "mesh/MeshAccess.h"

#include <vector>

namespace rvhost {

// Where a mesh iterator stands: the mesh, the elements it walks (every vertex, polygon or
// edge, or those of a component) and the current one. Shared by the three iterators.
class MeshCursor {
public:
    enum class Element { Vertex, Polygon, Edge };

    MeshCursor(const MObject& mesh, const MObject& component, Element element);
    // The mesh a path names: its node, or the mesh shape below a transform.
    static MObject meshOf(const MDagPath& path);
    // Success, or kInvalidParameter when the object is no mesh.
    MStatus status() const { return valid() ? MS::kSuccess : MS::kInvalidParameter; }
    // The current element in `i`; failure when there is none.
    MStatus current(int& i) const;

    bool valid() const { return access_.valid(); }
    const MeshAccess& mesh() const { return access_; }
    MeshGeometry& geometry() const { return access_.geometry(); }

    bool isDone() const { return position_ >= count(); }
    void next() { ++position_; }
    void reset() { position_ = 0; }
    int count() const;
    // The current element's index, or -1 when done.
    int index() const;
    // Moves to element `index` of the mesh (not only of the component); gives the old one.
    MStatus setIndex(int index, int& previous);

private:
    int elementCount() const;

    MeshAccess access_;
    Element element_;
    bool all_ = true;
    std::vector<int> indices_; // the component's elements when !all_
    int position_ = 0;
};

// An adjacency list as the API hands it out.
inline MIntArray toIntArray(const MeshTopology::Range& range) {
    return MIntArray(range.first, static_cast<unsigned>(range.size()));
}

} // namespace rvhost
