#include "view/MeshDrawCache.h"

#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include "mesh/MeshGeometry.h"
#include "mesh/MeshShape.h"
#include "mesh/MeshTopology.h"
#include "view/ClusteredMesh.h"
#include "view/GLApi.h"
#include "view/SceneMeshes.h"
#include "view/ViewPort.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rvhost {

namespace {

// Dirty corners closer than this are sent as one run: fewer calls for a little more data.
constexpr int kRunGap = 64;
// Triangles are bounded, culled and drawn in runs of this many (in index order, which keeps
// neighbours together in generated and most loaded meshes).
constexpr int kChunk = 256;

enum Buffer { kPositions, kNormals, kIndices, kBufferCount };

// A stand-in's cubes are this many pixels across at the mesh's middle. Its triangles (half
// a cube on a regular surface) then cover 2 pixels facing the eye, about one at an angle.
const double kCellPixels = 2.0;
// A stand-in is made again when the view wants cubes more than this many times larger or
// smaller than those it has (a dolly, a resize).
constexpr double kCellSlack = 2.0;
// A stand-in with more than this share of the mesh's triangles is not worth drawing.
constexpr double kWorthwhileShare = 0.5;

// Sends a corner list into new contents of three buffers, made when `buffers` has none.
void upload(const GLApi& g, GLuint* buffers, const ShadedMesh& corners, GLenum usage) {
    if (!buffers[0]) g.glGenBuffers(kBufferCount, buffers);
    const auto bytes = [](const auto& v) { return GLsizeiptr(v.size() * sizeof(v[0])); };
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kPositions]);
    g.glBufferData(GL_ARRAY_BUFFER, bytes(corners.positions), corners.positions.data(), usage);
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kNormals]);
    g.glBufferData(GL_ARRAY_BUFFER, bytes(corners.normals), corners.normals.data(), usage);
    g.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[kIndices]);
    g.glBufferData(GL_ELEMENT_ARRAY_BUFFER, bytes(corners.indices), corners.indices.data(),
                   GL_STATIC_DRAW);
    g.glBindBuffer(GL_ARRAY_BUFFER, 0);
    g.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void bind(const GLApi& g, const GLuint* buffers) {
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kPositions]);
    g.glVertexPointer(3, GL_FLOAT, 0, nullptr);
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kNormals]);
    g.glNormalPointer(GL_FLOAT, 0, nullptr);
    g.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[kIndices]);
}

void releaseBuffers(const GLApi& g, GLuint* buffers) {
    if (buffers[0]) g.glDeleteBuffers(kBufferCount, buffers);
    std::fill(buffers, buffers + kBufferCount, 0u);
}

void store(std::vector<float>& to, int corner, double x, double y, double z) {
    float* p = &to[3 * static_cast<size_t>(corner)];
    p[0] = float(x);
    p[1] = float(y);
    p[2] = float(z);
}

// Sends the corners listed (ascending) from `from` into the bound buffer, in runs.
void sendCorners(const GLApi& g, GLenum target, const std::vector<float>& from,
                 const std::vector<int>& corners) {
    size_t i = 0;
    while (i < corners.size()) {
        size_t j = i;
        while (j + 1 < corners.size() && corners[j + 1] - corners[j] <= kRunGap)
            ++j;
        const size_t first = size_t(corners[i]), count = size_t(corners[j]) - first + 1;
        g.glBufferSubData(target, GLintptr(first * 3 * sizeof(float)),
                          GLsizeiptr(count * 3 * sizeof(float)), &from[3 * first]);
        i = j + 1;
    }
}

} // namespace

struct MeshDrawCache::Entry {
    // What the buffers were built from; any change but moved points builds them anew.
    const int* counts = nullptr;
    const int* connects = nullptr;
    int vertices = 0;
    int polygons = 0;
    MMatrix world;
    MMatrix normalMatrix;
    bool flat = false;

    std::vector<float> objectPoints; // the points the corners show
    std::vector<Vec3> areaVectors;   // each polygon's Newell vector, object space
    ShadedMesh corners;
    GLuint buffers[kBufferCount] = {0, 0, 0};
    int triangles = 0;
    bool seen = false;
    // World bounds of each run of kChunk triangles.
    std::vector<WorldBox> chunkBoxes;

    // The stand-in drawn while the camera moves, made on demand for cubes of `standInCell`
    // and dropped whenever the corners change; `standInTriangles` < 0 when it was not worth
    // making at that size.
    GLuint standIn[kBufferCount] = {0, 0, 0};
    double standInCell = 0;
    int standInTriangles = 0;

    // Per-frame scratch, kept to spare the allocations: marks of polygons and vertices
    // already taken this frame (equal to `stamp`), and the lists they make.
    unsigned stamp = 0;
    std::vector<unsigned> polygonMarks, vertexMarks;

    bool matches(const MeshGeometry& mesh, const MMatrix& w, bool f) const {
        return counts == mesh.counts().data() && connects == mesh.connects().data() &&
               vertices == mesh.numVertices() && polygons == mesh.numPolygons() && world == w &&
               flat == f;
    }

    MVector worldNormal(const Vec3& n) const {
        return (MVector(n.x, n.y, n.z) * normalMatrix).normal();
    }
    MPoint worldPoint(int v) const {
        const float* p = &objectPoints[3 * static_cast<size_t>(v)];
        return MPoint(p[0], p[1], p[2]) * world;
    }

    void build(const GLApi& g, const MeshGeometry& mesh, const MMatrix& w, bool f);
    // Corners sent; `changed` grows round the changed triangles, before and after.
    size_t update(const GLApi& g, const MeshGeometry& mesh, WorldBox& changed);

    int cornerOf(const MeshGeometry& mesh, int triangle, int k) const {
        return flat ? 3 * triangle + k : mesh.triangles()[triangle].v[k];
    }
    void addCorner(WorldBox& box, int corner) const {
        const float* p = &corners.positions[3 * size_t(corner)];
        box.add(p[0], p[1], p[2]);
    }
    void boundChunk(const MeshGeometry& mesh, int chunk) {
        WorldBox box;
        const int last = std::min(triangles, (chunk + 1) * kChunk);
        for (int t = chunk * kChunk; t < last; ++t)
            for (int k = 0; k < 3; ++k)
                addCorner(box, cornerOf(mesh, t, k));
        chunkBoxes[chunk] = box;
    }
    // The box round the triangles of the polygons listed, at their corners' present places.
    WorldBox boxOf(const MeshGeometry& mesh, const std::vector<int>& polygons) const {
        WorldBox box;
        for (int p : polygons) {
            const int first = mesh.firstTriangle(p), last = first + mesh.polygonSize(p) - 2;
            for (int t = first; t < last; ++t)
                for (int k = 0; k < 3; ++k)
                    addCorner(box, cornerOf(mesh, t, k));
        }
        return box;
    }
    void release(const GLApi& g) {
        releaseBuffers(g, buffers);
        dropStandIn(g);
    }
    void dropStandIn(const GLApi& g) {
        releaseBuffers(g, standIn);
        standInCell = 0;
        standInTriangles = 0;
    }
    WorldBox bounds() const {
        WorldBox box;
        for (const WorldBox& chunk : chunkBoxes)
            box.add(chunk);
        return box;
    }
    // Keeps a stand-in for cubes of about `cell`; false when the whole mesh is to be drawn.
    bool prepareStandIn(const GLApi& g, const MeshGeometry& mesh, double cell);

private:
    std::vector<int> movedVertices(const MeshGeometry& mesh) const;
    std::vector<int> polygonsAround(const MeshTopology& topology, const std::vector<int>& moved);
    std::vector<int> smoothCorners(const MeshGeometry& mesh, const std::vector<int>& moved,
                                   const std::vector<int>& polygons);
    std::vector<int> flatCorners(const MeshGeometry& mesh, const std::vector<int>& polygons);
};

void MeshDrawCache::Entry::build(const GLApi& g, const MeshGeometry& mesh, const MMatrix& w,
                                 bool f) {
    counts = mesh.counts().data();
    connects = mesh.connects().data();
    vertices = mesh.numVertices();
    polygons = mesh.numPolygons();
    world = w;
    normalMatrix = w.inverse().transpose();
    flat = f;
    objectPoints = mesh.points();
    areaVectors.resize(size_t(polygons));
    for (int p = 0; p < polygons; ++p)
        areaVectors[p] = mesh.polygonAreaVector(p);
    polygonMarks.assign(size_t(polygons), 0);
    vertexMarks.assign(size_t(vertices), 0);
    stamp = 0;
    corners = ShadedMesh();
    appendShadedMesh(mesh, w, f, corners);
    triangles = mesh.numTriangles();
    chunkBoxes.assign(size_t((triangles + kChunk - 1) / kChunk), WorldBox());
    for (int c = 0; c < int(chunkBoxes.size()); ++c)
        boundChunk(mesh, c);

    upload(g, buffers, corners, GL_DYNAMIC_DRAW);
    // The indices stay in their buffer; the host keeps no second copy of them.
    std::vector<unsigned int>().swap(corners.indices);
    dropStandIn(g);
}

bool MeshDrawCache::Entry::prepareStandIn(const GLApi& g, const MeshGeometry& mesh, double cell) {
    const bool sized =
        standInCell > 0 && cell <= standInCell * kCellSlack && cell >= standInCell / kCellSlack;
    if (!sized) {
        dropStandIn(g);
        standInCell = cell;
        // Clustering wants a position and a normal a vertex, which smooth corners are.
        ShadedMesh smooth;
        if (flat) appendShadedMesh(mesh, world, false, smooth);
        const ShadedMesh& source = flat ? smooth : corners;
        ClusteredMesh reduced =
            ClusteredMesh::build(source.positions, source.normals, mesh.triangles(), cell, flat);
        // A stand-in with no triangle left (a mesh within a cube) would not show at all.
        if (reduced.triangles == 0 || reduced.triangles > kWorthwhileShare * triangles) {
            standInTriangles = -1;
        } else {
            standInTriangles = reduced.triangles;
            upload(g, standIn, reduced.mesh, GL_STATIC_DRAW);
        }
    }
    return standInTriangles >= 0;
}

std::vector<int> MeshDrawCache::Entry::movedVertices(const MeshGeometry& mesh) const {
    std::vector<int> moved;
    const float* now = mesh.points().data();
    const float* was = objectPoints.data();
    for (int v = 0; v < vertices; ++v) {
        const size_t i = 3 * size_t(v);
        if (now[i] != was[i] || now[i + 1] != was[i + 1] || now[i + 2] != was[i + 2])
            moved.push_back(v);
    }
    return moved;
}

std::vector<int> MeshDrawCache::Entry::polygonsAround(const MeshTopology& topology,
                                                      const std::vector<int>& moved) {
    std::vector<int> around;
    for (int v : moved)
        for (int p : topology.vertexFaces(v))
            if (polygonMarks[p] != stamp) {
                polygonMarks[p] = stamp;
                around.push_back(p);
            }
    return around;
}

// Smooth shading: a corner a vertex. Positions change where vertices moved, normals
// wherever a polygon around the vertex changed shape.
std::vector<int> MeshDrawCache::Entry::smoothCorners(const MeshGeometry& mesh,
                                                     const std::vector<int>& moved,
                                                     const std::vector<int>& around) {
    for (int v : moved) {
        const MPoint p = worldPoint(v);
        store(corners.positions, v, p.x, p.y, p.z);
    }
    std::vector<int> touched;
    for (int p : around)
        for (int i = 0; i < mesh.polygonSize(p); ++i) {
            const int v = mesh.polygonVertex(p, i);
            if (vertexMarks[v] == stamp) continue;
            vertexMarks[v] = stamp;
            touched.push_back(v);
        }
    const MeshTopology& topology = mesh.topology();
    for (int v : touched) {
        // The sum vertexNormals makes, in the same order, unless normals were set by hand.
        Vec3 sum;
        if (mesh.normalsLocked())
            sum = mesh.vertexNormal(v);
        else
            for (int p : topology.vertexFaces(v))
                sum = sum + areaVectors[p];
        const MVector n = worldNormal(normalized(sum));
        store(corners.normals, v, n.x, n.y, n.z);
    }
    std::sort(touched.begin(), touched.end());
    return touched;
}

// Flat shading: three corners a triangle, with its polygon's normal.
std::vector<int> MeshDrawCache::Entry::flatCorners(const MeshGeometry& mesh,
                                                   const std::vector<int>& around) {
    std::vector<int> touched;
    const std::vector<TriangleRef>& triangles = mesh.triangles();
    for (int p : around) {
        const MVector n = worldNormal(normalized(areaVectors[p]));
        const int first = mesh.firstTriangle(p), last = first + mesh.polygonSize(p) - 2;
        for (int t = first; t < last; ++t)
            for (int k = 0; k < 3; ++k) {
                const int corner = 3 * t + k;
                const MPoint q = worldPoint(triangles[t].v[k]);
                store(corners.positions, corner, q.x, q.y, q.z);
                store(corners.normals, corner, n.x, n.y, n.z);
                touched.push_back(corner);
            }
    }
    std::sort(touched.begin(), touched.end());
    return touched;
}

size_t MeshDrawCache::Entry::update(const GLApi& g, const MeshGeometry& mesh, WorldBox& changed) {
    const std::vector<int> moved = movedVertices(mesh);
    if (moved.empty()) return 0;
    dropStandIn(g);
    if (++stamp == 0) { // the marks wrapped round: start them again
        std::fill(polygonMarks.begin(), polygonMarks.end(), 0u);
        std::fill(vertexMarks.begin(), vertexMarks.end(), 0u);
        stamp = 1;
    }
    const float* now = mesh.points().data();
    for (int v : moved)
        std::copy_n(now + 3 * size_t(v), 3, &objectPoints[3 * size_t(v)]);
    const std::vector<int> around = polygonsAround(mesh.topology(), moved);
    for (int p : around)
        areaVectors[p] = mesh.polygonAreaVector(p);
    changed.add(boxOf(mesh, around));
    const std::vector<int> touched =
        flat ? flatCorners(mesh, around) : smoothCorners(mesh, moved, around);
    changed.add(boxOf(mesh, around));
    // A vertex normal that changed shades every triangle at that vertex, one ring further.
    if (!flat) changed.add(boxOf(mesh, polygonsAround(mesh.topology(), touched)));
    std::vector<int> chunks;
    for (int p : around) {
        const int first = mesh.firstTriangle(p), last = first + mesh.polygonSize(p) - 2;
        for (int t = first; t < last; ++t)
            chunks.push_back(t / kChunk);
    }
    std::sort(chunks.begin(), chunks.end());
    chunks.erase(std::unique(chunks.begin(), chunks.end()), chunks.end());
    for (int c : chunks)
        boundChunk(mesh, c);
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kPositions]);
    sendCorners(g, GL_ARRAY_BUFFER, corners.positions, touched);
    g.glBindBuffer(GL_ARRAY_BUFFER, buffers[kNormals]);
    sendCorners(g, GL_ARRAY_BUFFER, corners.normals, touched);
    g.glBindBuffer(GL_ARRAY_BUFFER, 0);
    return touched.size();
}

void MeshDrawCache::WorldBox::add(double x, double y, double z) {
    const double p[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        min[i] = empty ? p[i] : std::min(min[i], p[i]);
        max[i] = empty ? p[i] : std::max(max[i], p[i]);
    }
    empty = false;
}

void MeshDrawCache::WorldBox::add(const WorldBox& other) {
    if (other.empty) return;
    add(other.min[0], other.min[1], other.min[2]);
    add(other.max[0], other.max[1], other.max[2]);
}

bool MeshDrawCache::portRect(const ViewPort& view, const WorldBox& box, int margin,
                             PortRect& rect) {
    if (box.empty) return false;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const MPoint p((corner & 1 ? box.max : box.min)[0], (corner & 2 ? box.max : box.min)[1],
                       (corner & 4 ? box.max : box.min)[2]);
        const ViewPort::Projected q = view.project(p);
        if (!q.inFront) return false;
        x0 = corner ? std::min(x0, q.x) : q.x;
        x1 = corner ? std::max(x1, q.x) : q.x;
        y0 = corner ? std::min(y0, q.y) : q.y;
        y1 = corner ? std::max(y1, q.y) : q.y;
    }
    // Port coordinates are corner-based: pixel i spans [i, i + 1]. Off the port, the
    // rectangle comes out empty.
    rect.x0 = std::max(0, int(std::floor(x0)) - margin);
    rect.y0 = std::max(0, int(std::floor(y0)) - margin);
    rect.x1 = std::min(view.width() - 1, int(std::floor(x1)) + margin);
    rect.y1 = std::min(view.height() - 1, int(std::floor(y1)) + margin);
    return true;
}

MeshDrawCache& MeshDrawCache::instance() {
    static MeshDrawCache cache;
    return cache;
}

// The buffers belong to the off-screen context, which lives as long as the process.
MeshDrawCache::~MeshDrawCache() = default;

bool MeshDrawCache::sync(const GLApi& g, bool flat) {
    cornersSent_ = 0;
    rebuilt_ = false;
    changed_ = WorldBox();
    drawn_.clear();
    for (auto& [key, entry] : entries_)
        entry->seen = false;
    std::map<const MeshShape*, int> occurrences;
    forEachVisibleMesh([&](const MeshShape& shape, const MMatrix& world) {
        // A shape under two parents is drawn twice, each with buffers of its own.
        std::unique_ptr<Entry>& entry = entries_[{&shape, occurrences[&shape]++}];
        if (!entry) entry = std::make_unique<Entry>();
        entry->seen = true;
        const MeshGeometry& mesh = shape.geometry();
        if (!entry->matches(mesh, world, flat)) {
            entry->build(g, mesh, world, flat);
            cornersSent_ += entry->corners.positions.size() / 3;
            rebuilt_ = true;
        } else {
            cornersSent_ += entry->update(g, mesh, changed_);
        }
        drawn_.emplace_back(entry.get(), &mesh);
    });
    bool dropped = false;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second->seen) {
            ++it;
            continue;
        }
        it->second->release(g);
        it = entries_.erase(it);
        dropped = true;
    }
    rebuilt_ = rebuilt_ || dropped;
    return cornersSent_ > 0 || dropped;
}

void MeshDrawCache::draw(const GLApi& g, const ViewPort* view, const PortRect* within) const {
    trianglesDrawn_ = 0;
    g.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    g.glEnableClientState(GL_VERTEX_ARRAY);
    g.glEnableClientState(GL_NORMAL_ARRAY);
    for (const auto& [entry, mesh] : drawn_) {
        if (entry->triangles == 0) continue;
        bind(g, entry->buffers);
        if (!view || !within) {
            drawTriangles(g, 0, entry->triangles);
            continue;
        }
        // Neighbouring chunks that can reach the rectangle go in one call.
        int runStart = -1;
        const int chunks = int(entry->chunkBoxes.size());
        for (int c = 0; c <= chunks; ++c) {
            PortRect covered;
            const bool reaches =
                c < chunks &&
                (!portRect(*view, entry->chunkBoxes[c], 1, covered) || covered.meets(*within));
            if (reaches && runStart < 0) runStart = c;
            if (!reaches && runStart >= 0) {
                drawTriangles(g, runStart * kChunk, std::min(entry->triangles, c * kChunk));
                runStart = -1;
            }
        }
    }
    finishDrawing(g);
}

void MeshDrawCache::drawStandIns(const GLApi& g, const ViewPort& view) {
    trianglesDrawn_ = 0;
    standInsMade_ = 0;
    g.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    g.glEnableClientState(GL_VERTEX_ARRAY);
    g.glEnableClientState(GL_NORMAL_ARRAY);
    const Camera& camera = view.camera();
    for (const auto& [entry, mesh] : drawn_) {
        if (entry->triangles == 0) continue;
        // A pixel's size in the world at the mesh's middle.
        const WorldBox box = entry->bounds();
        const MPoint middle((box.min[0] + box.max[0]) / 2, (box.min[1] + box.max[1]) / 2,
                            (box.min[2] + box.max[2]) / 2);
        const double depth = camera.projection() == Camera::Projection::kPerspective
                                 ? middle.distanceTo(camera.eye())
                                 : 1.0;
        const double pixel = 2 * camera.halfExtent() * depth / view.width();
        const double had = entry->standInCell;
        if (entry->prepareStandIn(g, *mesh, kCellPixels * pixel)) {
            bind(g, entry->standIn);
            drawTriangles(g, 0, entry->standInTriangles);
        } else {
            bind(g, entry->buffers);
            drawTriangles(g, 0, entry->triangles);
        }
        if (entry->standInCell != had) ++standInsMade_;
    }
    finishDrawing(g);
}

void MeshDrawCache::drawTriangles(const GLApi& g, int first, int last) const {
    if (last <= first) return;
    g.glDrawElements(GL_TRIANGLES, GLsizei(3 * (last - first)), GL_UNSIGNED_INT,
                     reinterpret_cast<const void*>(size_t(first) * 3 * sizeof(GLuint)));
    trianglesDrawn_ += size_t(last - first);
}

void MeshDrawCache::finishDrawing(const GLApi& g) const {
    // Plug-ins draw from their own memory afterwards.
    g.glBindBuffer(GL_ARRAY_BUFFER, 0);
    g.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    g.glPopClientAttrib();
}

} // namespace rvhost
