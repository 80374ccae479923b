#pragma once
#include "mesh/MeshTopology.h"
#include "mesh/TriangleTests.h"
#include "mesh/Vec3.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rvhost {

class MeshBvh;

// The geometry of a polygon mesh: points (single precision, three floats a vertex, as the
// host application keeps them), polygons as counts and vertex lists, optional UVs per
// face-vertex, and what derives from them, built when first asked for: vertex normals,
// edges and adjacency, and the ray-cast hierarchy. Moving points keeps the topology and
// refits the hierarchy; replacing the mesh drops everything derived. The polygons never
// change in place, so copies (undo snapshots) share them and their edges.
class MeshGeometry {
public:
    MeshGeometry();
    ~MeshGeometry();
    // Copies the mesh itself; what derives from it is rebuilt on demand.
    MeshGeometry(const MeshGeometry& other);
    MeshGeometry& operator=(const MeshGeometry& other);
    // Moves take everything, derived data included; the source is left empty.
    MeshGeometry(MeshGeometry&& other) noexcept;
    MeshGeometry& operator=(MeshGeometry&& other) noexcept;

    // Replaces points and polygons. Every polygon needs at least three distinct vertices of
    // the point list. Returns an error text, empty on success; on error nothing changes.
    std::string setMesh(std::vector<float> xyz, std::vector<int> counts, std::vector<int> connects);
    // UVs: `uvIds` gives one UV index per face-vertex. Same error rule as setMesh.
    std::string setUVs(std::vector<float> us, std::vector<float> vs, std::vector<int> uvIds);

    int numVertices() const { return static_cast<int>(points_.size() / 3); }
    int numPolygons() const { return static_cast<int>(layout_->counts.size()); }
    int numFaceVertices() const { return static_cast<int>(layout_->connects.size()); }
    int numTriangles() const { return numFaceVertices() - 2 * numPolygons(); }
    int numEdges() const { return topology().numEdges(); }

    const std::vector<float>& points() const { return points_; }
    Vec3 point(int v) const { return loadVec3(&points_[3 * static_cast<size_t>(v)]); }
    // False (and no change) when the count differs from the vertex count.
    bool setPoints(std::vector<float> xyz);
    // Moves every point in place: `write` gets the 3 * numVertices() floats to overwrite.
    template <class Write> void rewritePoints(Write write) {
        write(points_.data());
        pointsMoved();
    }
    void setPoint(int v, const Vec3& p);

    const std::vector<int>& counts() const { return layout_->counts; }
    const std::vector<int>& connects() const { return layout_->connects; }
    int polygonStart(int f) const { return layout_->starts[f]; }
    int polygonSize(int f) const { return layout_->counts[f]; }
    int polygonVertex(int f, int i) const { return layout_->connects[layout_->starts[f] + i]; }
    // The fixed triangulation (TriangleRef): polygon f owns the triangles from
    // firstTriangle(f), polygonSize(f) - 2 of them. triangle(f, k) works one out from the
    // polygon; the whole list is made on first use and kept (callers that walk every
    // triangle again and again, as the view does, want it; the queries do not).
    const std::vector<TriangleRef>& triangles() const;
    int firstTriangle(int f) const { return layout_->starts[f] - 2 * f; }
    TriangleRef triangle(int f, int k) const {
        const int* corner = &layout_->connects[layout_->starts[f]];
        return {{corner[0], corner[k + 1], corner[k + 2]}, f, k};
    }

    // Newell's normal of a polygon, unit length (zero for a degenerate polygon).
    Vec3 polygonNormal(int f) const { return normalized(newellVector(f)); }
    // Newell's vector itself, twice the polygon's area long: summed around a vertex it gives
    // the vertex normal's direction (see vertexNormals).
    Vec3 polygonAreaVector(int f) const { return newellVector(f); }
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

    bool hasUVs() const { return hasUVs_; }
    const std::vector<float>& us() const { return us_; }
    const std::vector<float>& vs() const { return vs_; }
    int uvId(int faceVertex) const {
        return uvIds_.empty() ? layout_->connects[faceVertex] : uvIds_[faceVertex];
    }

    const MeshTopology& topology() const;

    // Accelerated queries; the every-triangle versions are in MeshQueries.h.
    bool castRay(const RayQuery& query, RayHit& hit) const;
    bool nearestPoint(const Vec3& query, SurfacePoint& nearest) const;
    // Frees the hierarchy; the next query builds it again.
    void dropAccelerator() const;

private:
    // What the polygons alone decide. Never changed once made; shared by copies.
    struct Layout {
        std::vector<int> counts, connects, starts;
        mutable std::vector<TriangleRef> triangles;     // made on first use
        mutable std::unique_ptr<MeshTopology> topology; // built on first use
    };

    static std::shared_ptr<const Layout> emptyLayout();
    Vec3 newellVector(int f) const;
    void pointsMoved();
    // Only these vertices moved: where the normals and the hierarchy are current, the next
    // read brings them up to date about the moved vertices alone (through the faces about
    // each vertex, built then if need be), as a whole recompute would make them; many moved
    // vertices make them stale.
    void pointsMoved(const std::vector<int>& moved);
    void pointMoved(int v);
    // The faces about the listed vertices, each once; the list is emptied. The last answer
    // is kept: normals and hierarchy are brought up to date about the same moves, one after
    // the other.
    std::vector<int> facesAround(std::vector<int>& moved) const;
    void refreshNormalsAround(std::vector<int>& moved) const;
    void refitAround(std::vector<int>& moved) const;
    const MeshBvh& bvh() const;

    std::vector<float> points_;
    std::shared_ptr<const Layout> layout_;
    std::vector<float> us_, vs_;
    // Empty while every face-vertex's UV index equals its vertex index (as generated
    // primitives have it): the vertex list serves for both.
    std::vector<int> uvIds_;
    bool hasUVs_ = false;
    bool normalsLocked_ = false;

    mutable std::vector<float> normals_;
    mutable bool normalsStale_ = true;
    mutable std::unique_ptr<MeshBvh> bvh_;
    mutable bool bvhStale_ = false;
    // Vertices moved since the normals, or the hierarchy, were last brought up to date.
    mutable std::vector<int> movedForNormals_;
    mutable std::vector<int> movedForBvh_;
    // Scratch marks of the updates above; zero between them.
    mutable std::vector<std::uint8_t> faceMarks_;
    mutable std::vector<int> lastMoved_, lastFaces_;
    mutable std::weak_ptr<const Layout> lastMovedLayout_; // the polygons lastFaces_ is of
    mutable std::vector<std::uint8_t> vertexMarks_;
    mutable std::vector<int> faceSlots_;
};

} // namespace rvhost
