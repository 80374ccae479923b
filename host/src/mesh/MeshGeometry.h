#pragma once
#include "mesh/MeshTopology.h"
#include "mesh/TriangleTests.h"
#include "mesh/Vec3.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

class MeshBvh;

// The geometry of a polygon mesh: points (single precision, three floats a vertex, as the
// host application keeps them), polygons as counts and vertex lists, optional UVs per
// face-vertex, and what derives from them, built when first asked for: vertex normals,
// edges and adjacency, and the ray-cast hierarchy. Moving points keeps the topology and
// refits the hierarchy; replacing the mesh drops everything derived.
class MeshGeometry {
public:
    MeshGeometry();
    ~MeshGeometry();
    // Copies the mesh itself; what derives from it is rebuilt on demand.
    MeshGeometry(const MeshGeometry& other);
    MeshGeometry& operator=(const MeshGeometry& other);

    // Replaces points and polygons. Every polygon needs at least three distinct vertices of
    // the point list. Returns an error text, empty on success; on error nothing changes.
    std::string setMesh(std::vector<float> xyz, std::vector<int> counts, std::vector<int> connects);
    // UVs: `uvIds` gives one UV index per face-vertex. Same error rule as setMesh.
    std::string setUVs(std::vector<float> us, std::vector<float> vs, std::vector<int> uvIds);

    int numVertices() const { return static_cast<int>(points_.size() / 3); }
    int numPolygons() const { return static_cast<int>(counts_.size()); }
    int numFaceVertices() const { return static_cast<int>(connects_.size()); }
    int numTriangles() const { return static_cast<int>(triangles_.size()); }
    int numEdges() const { return topology().numEdges(); }

    const std::vector<float>& points() const { return points_; }
    Vec3 point(int v) const { return loadVec3(&points_[3 * static_cast<size_t>(v)]); }
    // False (and no change) when the count differs from the vertex count.
    bool setPoints(std::vector<float> xyz);
    void setPoint(int v, const Vec3& p);

    const std::vector<int>& counts() const { return counts_; }
    const std::vector<int>& connects() const { return connects_; }
    int polygonStart(int f) const { return starts_[f]; }
    int polygonSize(int f) const { return counts_[f]; }
    int polygonVertex(int f, int i) const { return connects_[starts_[f] + i]; }
    // The fixed triangulation (TriangleRef): polygon f owns the triangles from
    // firstTriangle(f), counts_[f] - 2 of them.
    const std::vector<TriangleRef>& triangles() const { return triangles_; }
    int firstTriangle(int f) const { return starts_[f] - 2 * f; }

    // Newell's normal of a polygon, unit length (zero for a degenerate polygon).
    Vec3 polygonNormal(int f) const { return normalized(newellVector(f)); }
    Vec3 polygonCentre(int f) const;

    // Vertex normals, three floats a vertex: the area-weighted mean of the normals of the
    // polygons around the vertex, recomputed after points move, unless set by hand.
    const std::vector<float>& vertexNormals() const;
    Vec3 vertexNormal(int v) const {
        return loadVec3(&vertexNormals()[3 * static_cast<size_t>(v)]);
    }
    // Sets (and locks) the normals; false when the count differs from the vertex count.
    bool setVertexNormals(std::vector<float> xyz);
    bool normalsLocked() const { return normalsLocked_; }

    bool hasUVs() const { return !uvIds_.empty(); }
    const std::vector<float>& us() const { return us_; }
    const std::vector<float>& vs() const { return vs_; }
    int uvId(int faceVertex) const { return uvIds_[faceVertex]; }

    const MeshTopology& topology() const;

    // Accelerated queries; the every-triangle versions are in MeshQueries.h.
    bool castRay(const RayQuery& query, RayHit& hit) const;
    bool nearestPoint(const Vec3& query, SurfacePoint& nearest) const;
    // Frees the hierarchy; the next query builds it again.
    void dropAccelerator() const;

private:
    Vec3 newellVector(int f) const;
    void pointsMoved();
    void topologyChanged();
    const MeshBvh& bvh() const;

    std::vector<float> points_;
    std::vector<int> counts_, connects_, starts_;
    std::vector<TriangleRef> triangles_;
    std::vector<float> us_, vs_;
    std::vector<int> uvIds_;
    bool normalsLocked_ = false;

    mutable std::vector<float> normals_;
    mutable bool normalsStale_ = true;
    mutable std::unique_ptr<MeshTopology> topology_;
    mutable std::unique_ptr<MeshBvh> bvh_;
    mutable bool bvhStale_ = false;
};

} // namespace rvhost
