#include "mesh/MeshGeometry.h"

#include "mesh/MeshBvh.h"
#include "mesh/TwoThreads.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace rvhost {

namespace {

std::string checkPolygons(int numVertices, const std::vector<int>& counts,
                          const std::vector<int>& connects) {
    size_t total = 0;
    for (int count : counts) {
        if (count < 3) return "a polygon needs at least three vertices";
        total += static_cast<size_t>(count);
    }
    if (total != connects.size()) return "polygon counts do not add up to the vertex list";
    // A vertex may appear only once in a polygon: mark each with the polygon last seen.
    std::vector<int> seenIn(numVertices, -1);
    size_t fv = 0;
    for (int f = 0; f < static_cast<int>(counts.size()); ++f) {
        for (int i = 0; i < counts[f]; ++i, ++fv) {
            const int v = connects[fv];
            if (v < 0 || v >= numVertices) return "polygon vertex index out of range";
            if (seenIn[v] == f) return "a polygon uses the same vertex twice";
            seenIn[v] = f;
        }
    }
    return {};
}

} // namespace

// One empty layout serves every empty mesh, so that making one (or moving from one) needs
// no allocation.
std::shared_ptr<const MeshGeometry::Layout> MeshGeometry::emptyLayout() {
    static const std::shared_ptr<const Layout> empty = std::make_shared<Layout>();
    return empty;
}

MeshGeometry::MeshGeometry() : layout_(emptyLayout()) {}
MeshGeometry::~MeshGeometry() = default;

MeshGeometry::MeshGeometry(const MeshGeometry& other) {
    *this = other;
}

MeshGeometry& MeshGeometry::operator=(const MeshGeometry& other) {
    if (this == &other) return *this;
    points_ = other.points_;
    layout_ = other.layout_;
    us_ = other.us_;
    vs_ = other.vs_;
    uvIds_ = other.uvIds_;
    hasUVs_ = other.hasUVs_;
    normalsLocked_ = other.normalsLocked_;
    // Computed normals are cheap to redo; only normals set by hand travel.
    normals_ = normalsLocked_ ? other.normals_ : std::vector<float>();
    normalsStale_ = !normalsLocked_;
    bvh_.reset();
    bvhStale_ = false;
    movedForNormals_.clear();
    movedForBvh_.clear();
    return *this;
}

MeshGeometry::MeshGeometry(MeshGeometry&& other) noexcept : MeshGeometry() {
    *this = std::move(other);
}

MeshGeometry& MeshGeometry::operator=(MeshGeometry&& other) noexcept {
    if (this == &other) return *this;
    points_ = std::move(other.points_);
    layout_ = std::exchange(other.layout_, emptyLayout());
    us_ = std::move(other.us_);
    vs_ = std::move(other.vs_);
    uvIds_ = std::move(other.uvIds_);
    hasUVs_ = std::exchange(other.hasUVs_, false);
    normalsLocked_ = std::exchange(other.normalsLocked_, false);
    normals_ = std::move(other.normals_);
    normalsStale_ = std::exchange(other.normalsStale_, true);
    bvh_ = std::move(other.bvh_);
    bvhStale_ = std::exchange(other.bvhStale_, false);
    movedForNormals_ = std::move(other.movedForNormals_);
    movedForBvh_ = std::move(other.movedForBvh_);
    faceMarks_ = std::move(other.faceMarks_);
    vertexMarks_ = std::move(other.vertexMarks_);
    faceSlots_ = std::move(other.faceSlots_);
    other.points_.clear();
    other.us_.clear();
    other.vs_.clear();
    other.uvIds_.clear();
    other.normals_.clear();
    other.movedForNormals_.clear();
    other.movedForBvh_.clear();
    return *this;
}

std::string MeshGeometry::setMesh(std::vector<float> xyz, std::vector<int> counts,
                                  std::vector<int> connects) {
    if (xyz.size() % 3 != 0) return "point coordinates do not come in threes";
    std::string error = checkPolygons(static_cast<int>(xyz.size() / 3), counts, connects);
    if (!error.empty()) return error;
    auto layout = std::make_shared<Layout>();
    layout->starts.resize(counts.size());
    int start = 0;
    for (int f = 0; f < static_cast<int>(counts.size()); ++f) {
        layout->starts[f] = start;
        start += counts[f];
    }
    layout->counts = std::move(counts);
    layout->connects = std::move(connects);
    points_ = std::move(xyz);
    layout_ = std::move(layout);
    us_.clear();
    vs_.clear();
    uvIds_.clear();
    hasUVs_ = false;
    normalsLocked_ = false;
    normalsStale_ = true;
    bvh_.reset();
    bvhStale_ = false;
    movedForNormals_.clear();
    movedForBvh_.clear();
    return {};
}

std::string MeshGeometry::setUVs(std::vector<float> us, std::vector<float> vs,
                                 std::vector<int> uvIds) {
    if (us.size() != vs.size()) return "U and V lists differ in length";
    if (uvIds.size() != connects().size()) return "one UV index per face-vertex is needed";
    for (int id : uvIds)
        if (id < 0 || id >= static_cast<int>(us.size())) return "UV index out of range";
    us_ = std::move(us);
    vs_ = std::move(vs);
    uvIds_ = std::move(uvIds);
    if (uvIds_ == connects()) uvIds_ = std::vector<int>();
    hasUVs_ = !connects().empty();
    return {};
}

bool MeshGeometry::setPoints(std::vector<float> xyz) {
    if (xyz.size() != points_.size()) return false;
    std::vector<int> moved;
    const int n = numVertices();
    for (int v = 0; v < n; ++v)
        if (std::memcmp(&xyz[3 * static_cast<size_t>(v)], &points_[3 * static_cast<size_t>(v)],
                        3 * sizeof(float)) != 0)
            moved.push_back(v);
    points_ = std::move(xyz);
    pointsMoved(moved);
    return true;
}

void MeshGeometry::setPoint(int v, const Vec3& p) {
    float* dst = &points_[3 * static_cast<size_t>(v)];
    dst[0] = static_cast<float>(p.x);
    dst[1] = static_cast<float>(p.y);
    dst[2] = static_cast<float>(p.z);
    pointMoved(v);
}

Vec3 MeshGeometry::polygonCentre(int f) const {
    Vec3 sum;
    for (int i = 0; i < polygonSize(f); ++i)
        sum += point(polygonVertex(f, i));
    return sum * (1.0 / polygonSize(f));
}

Vec3 MeshGeometry::newellVector(int f) const {
    // Each corner read once; the sums in the same order as a walk from corner 0.
    const int* ids = &layout_->connects[layout_->starts[f]];
    const int count = layout_->counts[f];
    const float* xyz = points_.data();
    Vec3 n;
    Vec3 a = loadVec3(xyz + 3 * static_cast<size_t>(ids[0]));
    for (int i = 0; i < count; ++i) {
        const Vec3 b = loadVec3(xyz + 3 * static_cast<size_t>(ids[i + 1 == count ? 0 : i + 1]));
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
        a = b;
    }
    return n;
}

const std::vector<float>& MeshGeometry::vertexNormals() const {
    if (!normalsStale_) {
        if (!movedForNormals_.empty()) refreshNormalsAround(movedForNormals_);
        return normals_;
    }
    // Newell's vector is twice the polygon's area long, so summing it weights by area. Each
    // polygon's vector once, then each vertex adds up those of its polygons in polygon order
    // (as a sweep over the polygons would); both passes split over two threads.
    std::vector<Vec3> newell(static_cast<size_t>(numPolygons()));
    splitInTwo(numPolygons(), [&](int first, int last) {
        for (int f = first; f < last; ++f)
            newell[f] = newellVector(f);
    });
    const MeshTopology& t = topology();
    t.makeVertexFaces(); // here, not by two threads at once
    normals_.resize(points_.size());
    splitInTwo(numVertices(), [&](int first, int last) {
        for (int v = first; v < last; ++v) {
            Vec3 sum;
            for (int f : t.vertexFaces(v))
                sum += newell[f];
            const Vec3 n = normalized(sum);
            normals_[3 * static_cast<size_t>(v)] = static_cast<float>(n.x);
            normals_[3 * static_cast<size_t>(v) + 1] = static_cast<float>(n.y);
            normals_[3 * static_cast<size_t>(v) + 2] = static_cast<float>(n.z);
        }
    });
    normalsStale_ = false;
    return normals_;
}

bool MeshGeometry::setVertexNormals(std::vector<float> xyz) {
    if (xyz.size() != points_.size()) return false;
    movedForNormals_.clear();
    normals_ = std::move(xyz);
    normalsStale_ = false;
    normalsLocked_ = true;
    return true;
}

const std::vector<TriangleRef>& MeshGeometry::triangles() const {
    std::vector<TriangleRef>& list = layout_->triangles;
    if (list.empty() && numTriangles() > 0) {
        list.reserve(static_cast<size_t>(numTriangles()));
        for (int f = 0; f < numPolygons(); ++f)
            for (int k = 0; k + 2 < polygonSize(f); ++k)
                list.push_back(triangle(f, k));
    }
    return list;
}

const MeshTopology& MeshGeometry::topology() const {
    if (!layout_->topology)
        layout_->topology =
            std::make_unique<MeshTopology>(numVertices(), counts(), connects(), layout_->starts);
    return *layout_->topology;
}

const MeshBvh& MeshGeometry::bvh() const {
    if (!bvh_) {
        bvh_ = std::make_unique<MeshBvh>(*this);
    } else if (bvhStale_) {
        bvh_->refit(*this);
    } else if (!movedForBvh_.empty()) {
        refitAround(movedForBvh_);
    }
    bvhStale_ = false;
    movedForBvh_.clear();
    return *bvh_;
}

bool MeshGeometry::castRay(const RayQuery& query, RayHit& hit) const {
    return bvh().castRay(*this, query, hit);
}

bool MeshGeometry::nearestPoint(const Vec3& query, SurfacePoint& nearest) const {
    return bvh().nearestPoint(*this, query, nearest);
}

void MeshGeometry::dropAccelerator() const {
    bvh_.reset();
    movedForBvh_.clear();
}

void MeshGeometry::pointsMoved(const std::vector<int>& moved) {
    for (int v : moved)
        pointMoved(v);
}

void MeshGeometry::pointMoved(int v) {
    const size_t many = static_cast<size_t>(numVertices()) / 8 + 1;
    // Normals set by hand stay; stale ones are recomputed whole anyway.
    if (!normalsLocked_ && !normalsStale_) {
        movedForNormals_.push_back(v);
        if (movedForNormals_.size() > many) {
            normalsStale_ = true;
            movedForNormals_.clear();
        }
    }
    if (bvh_ && !bvhStale_) {
        movedForBvh_.push_back(v);
        if (movedForBvh_.size() > many) {
            bvhStale_ = true;
            movedForBvh_.clear();
        }
    }
}

std::vector<int> MeshGeometry::facesAround(std::vector<int>& moved) const {
    if (!moved.empty() && moved == lastMoved_ && lastMovedLayout_.lock() == layout_) {
        moved.clear();
        return lastFaces_;
    }
    faceMarks_.resize(static_cast<size_t>(numPolygons()), 0);
    std::vector<int> faces;
    for (int v : moved)
        for (int f : topology().vertexFaces(v))
            if (!faceMarks_[f]) {
                faceMarks_[f] = 1;
                faces.push_back(f);
            }
    for (int f : faces)
        faceMarks_[f] = 0;
    lastMoved_.swap(moved);
    moved.clear();
    lastFaces_ = faces;
    lastMovedLayout_ = layout_;
    return faces;
}

void MeshGeometry::refreshNormalsAround(std::vector<int>& moved) const {
    const std::vector<int> faces = facesAround(moved);
    // Each moved face's Newell vector once; faceSlots_ finds it (slot + 1, 0 for none).
    faceSlots_.resize(static_cast<size_t>(numPolygons()), 0);
    std::vector<Vec3> newell(faces.size());
    for (size_t k = 0; k < faces.size(); ++k) {
        newell[k] = newellVector(faces[k]);
        faceSlots_[faces[k]] = static_cast<int>(k) + 1;
    }
    vertexMarks_.resize(static_cast<size_t>(numVertices()), 0);
    std::vector<int> corners;
    for (int f : faces)
        for (int i = 0; i < polygonSize(f); ++i) {
            const int v = polygonVertex(f, i);
            if (vertexMarks_[v]) continue;
            vertexMarks_[v] = 1;
            corners.push_back(v);
        }
    // The sum in face order, as the whole recompute adds it up.
    for (int v : corners) {
        vertexMarks_[v] = 0;
        Vec3 sum;
        for (int f : topology().vertexFaces(v))
            sum += faceSlots_[f] ? newell[faceSlots_[f] - 1] : newellVector(f);
        const Vec3 n = normalized(sum);
        normals_[3 * static_cast<size_t>(v)] = static_cast<float>(n.x);
        normals_[3 * static_cast<size_t>(v) + 1] = static_cast<float>(n.y);
        normals_[3 * static_cast<size_t>(v) + 2] = static_cast<float>(n.z);
    }
    for (int f : faces)
        faceSlots_[f] = 0;
}

void MeshGeometry::refitAround(std::vector<int>& moved) const {
    bvh_->refitFaces(*this, facesAround(moved));
}

void MeshGeometry::pointsMoved() {
    if (!normalsLocked_) normalsStale_ = true;
    bvhStale_ = true;
    movedForNormals_.clear();
    movedForBvh_.clear();
}

} // namespace rvhost
