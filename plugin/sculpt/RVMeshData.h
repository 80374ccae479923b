#pragma once
// The sculpt mesh record: one registered mesh's cached points (object and world space),
// normals, neighbours, mask, stroke buffers and undo snapshots. The stroke code works on
// these arrays; the host mesh is written only by writeBackPoints (and realtime updates).
#include "sculpt/KVBlockArray.h"
#include "sculpt/KVPSCtxData.h"
#include "sculpt/KVPointGrid.h"

#include <maya/MDagPath.h>
#include <maya/MDoubleArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MMatrix.h>
#include <maya/MMeshIsectAccelParams.h>
#include <maya/MObject.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MString.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>
#include <maya/MVectorArray.h>

#include <rpc.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// What one brush instance left on a vertex at the grab gather.
struct VertexSlot {
    int instance = 0;
    MVector vector;
    MPoint centre;
    MPoint offset;
    double distance = 0.0;
    MVector dragDirection;
    float falloff = 0.0f;
};

// Per-vertex data of a stroke. The slots grow as instances reach the vertex (at most one
// a brush instance), so the million records of a big mesh cost nothing until used.
struct VertexStrokeRecord {
    MPoint startPoint;
    double stencilFactor = 1.0;
    bool touched = false;
    std::vector<VertexSlot> slots;
};

// Stroke records in pages of kPageSize, a page made at the first write to one of its
// vertices: a stroke that reaches a small part of a big mesh costs pages for that part
// alone, and a reset drops the pages. Reading a vertex without a page gives a fresh record.
class KVVertexRecords {
public:
    static constexpr int kPageSize = 256;

    KVVertexRecords() = default;
    KVVertexRecords(const KVVertexRecords& other) { *this = other; }
    KVVertexRecords(KVVertexRecords&&) = default;
    KVVertexRecords& operator=(const KVVertexRecords& other);
    KVVertexRecords& operator=(KVVertexRecords&&) = default;

    void reset(int n) {
        pages_.clear();
        pages_.resize((static_cast<size_t>(n) + kPageSize - 1) / kPageSize);
    }
    const VertexStrokeRecord& operator[](int v) const {
        const Page* page = pages_[static_cast<size_t>(v) / kPageSize].get();
        return page ? (*page)[static_cast<size_t>(v) % kPageSize] : kFresh;
    }
    // The record to change, its page made if need be.
    VertexStrokeRecord& edit(int v) {
        std::unique_ptr<Page>& page = pages_[static_cast<size_t>(v) / kPageSize];
        if (!page) page.reset(new Page());
        return (*page)[static_cast<size_t>(v) % kPageSize];
    }
    // Bytes held now.
    size_t storageBytes() const;

private:
    using Page = std::array<VertexStrokeRecord, kPageSize>;
    static const VertexStrokeRecord kFresh; // what a vertex without a page reads
    std::vector<std::unique_ptr<Page>> pages_;
};

// Each vertex's neighbours as the host lists them, all in one flat list.
struct KVNeighbours {
    std::vector<int> offsets; // vertex v's run starts at offsets[v], ends at offsets[v + 1]
    std::vector<int> list;

    int count(int v) const { return offsets[v + 1] - offsets[v]; }
    const int* begin(int v) const { return list.data() + offsets[v]; }
};

// A point or normal as the host keeps it.
struct KVFloat3 {
    float x, y, z;
};

// One snapshot of a mesh for undo: its object-space points and vertex normals as the host
// keeps them, and the mask. Blocks equal to the previous snapshot's are shared with it, so
// a snapshot costs what changed since.
struct HistoryEntry {
    MPointArray sparePoints;
    KVBlockArray<KVFloat3> points;
    KVBlockArray<KVFloat3> normals;
    MDagPath livePath;
    KVBlockArray<std::uint8_t> maskFlags;
    KVBlockArray<double> maskWeights;
};

struct SculptHistory {
    std::vector<HistoryEntry> entries;
    int cursor = -1;
    int maxLength = 0;
    bool unlimited = true;
    int lastStep = 0; // 0 after a push, 1 after an undo step, 2 after a redo step

    // Appends a snapshot of the live mesh and the given mask; trims the redo branch and the
    // front beyond maxLength.
    MStatus pushSnapshot(const MDagPath& livePath, const std::vector<bool>& maskFlags,
                         const std::vector<double>& maskWeights);
    // The entry the next step restores, moving the cursor as the step does; null when there
    // is nothing to step to (the cursor then stays).
    const HistoryEntry* stepBack();
    const HistoryEntry* stepForward();
    // Bytes the entries hold, every shared block counted once.
    size_t storageBytes() const;
    // The entry last pushed or restored, which the live mesh most likely still matches:
    // the next snapshot shares its blocks.
    HistoryEntry latest;
};

// A (child, parent) surface link of the registry.
struct SurfaceLink {
    MDagPath child;
    MDagPath parent;
};

class RVMeshData {
public:
    RVMeshData();

    // (Re)reads the live mesh: points, matrices, and, when the vertex count changed,
    // topology, normals and mask sizes. Failure only for a mesh without points.
    MStatus buildMeshRecord();
    // Points to the host mesh (object space), then buildMeshRecord.
    MStatus writeBackPoints();
    void resetStrokeAmounts(int n);
    // Neighbours and world vertex normals from a vertex iterator over the mesh.
    MStatus rebuildNeighbours();
    // World vertex normals refreshed from the live mesh.
    MStatus refreshWorldNormals();
    // Reads the live mesh's polygons; where they differ from the record's (new polygons on
    // as many vertices) it keeps them and rebuilds the neighbours. True when they differed.
    bool readTopologyIfChanged();
    // The point count differs from the live mesh's vertex count.
    bool isStale() const;
    // Whether the mesh is in the model (takes part in undo snapshots).
    bool inModel() const;
    // Asks the host for its undo settings, then snapshots the mesh with the current mask.
    MStatus snapshotForStroke();
    // One step of the history back or forward: the live mesh and the mask take the entry's
    // points, normals and weights and the record is rebuilt. False (and no change) when
    // there is nothing to step to.
    bool undoStep();
    bool redoStep();

    // Fast dabs leave the object points to this call, and the zero move of unreached
    // vertices, as the whole-mesh loop does them: worldPoints[v] += 0, points[v] = world x
    // inverse. The first settle after a build does every vertex; as it leaves each one as a
    // second would, later ones do only the vertices dabs moved since.
    // Every reader of `points` calls it first; cheap when nothing is pending.
    void settleObjectPoints();
    // Settles the object points and writes them to the mesh, none of them inf or NaN.
    void writePointsToMesh();
    // A dab that went through the index moved these vertices (and no others).
    void markObjectPointsPending(const std::vector<int>& moved);
    // The settled points to the host mesh for a realtime update: those the host lacks after
    // a whole settle or walk, else only the vertices moved since; point by point while they
    // are few. The world normals stay as the build read them, as in a stroke without
    // realtime updates.
    MStatus writeDabToMesh();
    // The same for a grab sample: the dab-moved points and the touched vertices.
    MStatus writeGrabToMesh();
    // Every object point was just set without the settle's bookkeeping (the whole-mesh walk).
    void objectPointsSetWhole() { hostHasSettledPoints_ = false; }
    // Someone wrote worldPoints outside the dab code: the index, the dab-start copy and the
    // dab buffers are brought back in line with it (whole mesh).
    void worldPointsChanged();

    // ---- fields, in record order
    UUID identifier{};
    SculptHistory history;
    std::vector<SurfaceLink> links;
    MMeshIsectAccelParams intersectionParams;
    MString name;
    MDagPath meshPath;
    MObject meshNode;
    MMatrix objectToWorld;
    MMatrix worldToObject;
    std::vector<int> dabTouchCount;
    // What the whole-mesh loop gathers for each vertex in a dab; an indexed dab gathers in
    // registers and leaves it zero (and empty until the whole-mesh loop runs).
    std::vector<MVector> dabDelta;
    MPointArray points;
    // Nothing reads the points of the stroke's start: the press leaves this empty rather
    // than copy the mesh into it.
    MPointArray strokeStartPoints;
    MPointArray worldPoints;
    MPointArray sparePoints;
    MDoubleArray strokeAmount;
    // A byte a vertex, not a bit: a dab tests it for every vertex it reaches.
    std::vector<std::uint8_t> strokeTouched;
    std::vector<bool> maskFlag;
    std::vector<double> maskWeight;
    // Nothing reads the per-face-vertex normals: left empty.
    MFloatVectorArray objectNormals;
    KVNeighbours neighbours;
    MVectorArray worldVertexNormals;
    int instanceCount = 0;
    int vertexCount = 0;
    MIntArray polygonCounts;
    MIntArray spareInts1;
    MIntArray polygonConnects;
    MIntArray spareInts2;
    KVVertexRecords vertexRecords;
    int lowestGrabbedVertex = 0;
    MVectorArray instanceVectors;
    MVectorArray prevInstanceVectors;
    MPointArray instanceCentres;
    MPointArray prevInstanceCentres;
    MIntArray spareInts3;
    MIntArray spareInts4;
    MPoint hitPoint;
    MPoint prevDabCentre;
    MVector brushVector;
    MVector prevBrushVector;
    MVector strokeNormal;
    std::vector<MTransformationMatrix> instanceTransforms;
    MIntArray spareInts5;

    // ---- the dab index: where the points lie, and which dab-start points lag behind
    // The grid over worldPoints; indexed dabs move their points in it as they go.
    KVPointGrid grid;
    // The dab-start shape is worldPoints as they were at the last sync. A vertex moved
    // since keeps its old point in dabStartSaved (at dabStartSlot[v], else -1) and is listed
    // once in staleDabStart; the others read through to worldPoints.
    std::vector<int> staleDabStart;
    std::vector<int> dabStartSlot;
    std::vector<MPoint> dabStartSaved;
    // Vertices the last indexed dab reached: dabTouchCount is zero everywhere else.
    std::vector<int> lastDabVertices;
    // The grid (but for the touched vertices while gridLagsTouched) and the dab-start copy
    // (but for the stale list) match worldPoints, and the dab buffers are zero (but for
    // dabTouchCount at lastDabVertices). Whoever writes worldPoints outside the dab code
    // and the grab clears it.
    bool dabIndexInSync = false;
    // The grab moved the touched vertices without telling the grid: a whole gathered patch
    // changes cells at every sample, and nothing asks the grid until the next dab or the
    // rebuild at the stroke's end.
    bool gridLagsTouched = false;

    const MPoint& dabStartPoint(int v) const {
        const int slot = dabStartSlot[v];
        return slot < 0 ? worldPoints[v] : dabStartSaved[slot];
    }
    // Vertex v is about to move: its dab-start point is kept first.
    void keepDabStart(int v) {
        if (dabStartSlot[v] >= 0) return;
        dabStartSlot[v] = static_cast<int>(dabStartSaved.size());
        dabStartSaved.push_back(worldPoints[v]);
        staleDabStart.push_back(v);
    }
    // The dab-start shape becomes worldPoints.
    void syncDabStart();
    // Brings the grid up to worldPoints at the touched vertices the grab moved.
    void catchUpGrid();

    // Vertices whose stroke record is marked touched, each once, in the order marked: the
    // grab moves these without a walk over the whole mesh.
    std::vector<int> touchedVertices;
    void markTouched(int v) {
        vertexRecords.edit(v).touched = true;
        touchedVertices.push_back(v);
    }
    // Fresh stroke records everywhere: the pages go.
    void resetVertexRecords();

private:
    void keepPointsFinite();
    void keepPointsFiniteAmong(const std::vector<int>* vertices);
    void restore(const HistoryEntry& entry);
    static void restorePoints(MFnMesh& live, const HistoryEntry& entry);
    void rebuildTopology(int n);
    // One cast at the new mesh, so that the host lays out its ray index now and not at the
    // first press of a stroke.
    void readyRayIndex();
    void fillWorldPoints();
    MStatus writeChangesToMesh(const std::vector<int>* alsoMoved);
    std::vector<int> pointsTheHostLacks(MFnMesh& mesh) const;

    bool objectPointsPending_ = false; // every vertex waits to be settled
    bool settledOnce_ = false;         // a whole settle ran since the last build
    std::vector<int> unsettled_;       // else these vertices wait
    // The host holds every settled point but those in unwritten_.
    bool hostHasSettledPoints_ = false;
    std::vector<int> unwritten_;
};

// p x m for a row-vector point, inline: the stroke carries every moved vertex back to
// object space with it, and the reference loop and the settling pass use it too.
inline MPoint timesMatrix(const MPoint& p, const MMatrix& m) {
    return MPoint(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + p.w * m[3][0],
                  p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + p.w * m[3][1],
                  p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + p.w * m[3][2],
                  p.x * m[0][3] + p.y * m[1][3] + p.z * m[2][3] + p.w * m[3][3]);
}

// Writes "\nAPI error detected in RVMeshData at line N\n" and the status text to stderr.
void reportMeshDataError(int line, const MStatus& status);
