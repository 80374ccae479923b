#include "sculpt/RVMeshData.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MGlobal.h>
#include <maya/MItMeshVertex.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iostream>
#include <utility>

void reportMeshDataError(int line, const MStatus& status) {
    std::cerr << "\nAPI error detected in RVMeshData at line " << line << "\n"
              << status.errorString().asChar();
}

namespace {
// A host call a point costs more than a whole write once a sixteenth of the mesh changes.
bool worthAWholeWrite(size_t changed, size_t n) {
    return changed > n / 16;
}

void checkedResize(MPointArray& array, unsigned int n, int line) {
    const MStatus status = array.setLength(n);
    if (!status) reportMeshDataError(line, status);
}
} // namespace

namespace {
template <class T, class Source> void copyValues(size_t first, size_t n, T* out, Source source) {
    for (size_t k = 0; k < n; ++k)
        out[k] = source(first + k);
}
} // namespace

MStatus SculptHistory::pushSnapshot(const MDagPath& livePath, const std::vector<bool>& maskFlags,
                                    const std::vector<double>& maskWeights) {
    // After a redo the live mesh is the entry at the cursor: the new snapshot takes its
    // place, so that the next undo goes back past it and not onto it again.
    if (lastStep == 2 && cursor >= 0 && cursor < static_cast<int>(entries.size()))
        entries.erase(entries.begin() + cursor, entries.end());
    else if (cursor >= 0 && cursor < static_cast<int>(entries.size()) - 1)
        entries.erase(entries.begin() + cursor + 1, entries.end());
    HistoryEntry entry;
    MStatus status;
    MFnMesh live(livePath, &status);
    const float* raw = status ? live.getRawPoints(&status) : nullptr;
    const size_t n = raw ? static_cast<size_t>(live.numVertices()) : 0;
    entry.points.assign(
        n,
        [raw](size_t first, size_t count, KVFloat3* out) {
            std::memcpy(out, raw + 3 * first, count * sizeof(KVFloat3));
        },
        latest.points);
    MFloatVectorArray normals;
    if (raw) live.getNormals(normals, MSpace::kObject);
    entry.normals.assign(
        normals.length(),
        [&normals](size_t first, size_t count, KVFloat3* out) {
            copyValues(first, count, out, [&normals](size_t v) {
                const MFloatVector& nv = normals[static_cast<unsigned int>(v)];
                return KVFloat3{nv.x, nv.y, nv.z};
            });
        },
        latest.normals);
    entry.livePath = livePath;
    entry.maskFlags.assign(
        maskFlags.size(),
        [&maskFlags](size_t first, size_t count, std::uint8_t* out) {
            copyValues(first, count, out,
                       [&maskFlags](size_t v) { return std::uint8_t(maskFlags[v] ? 1 : 0); });
        },
        latest.maskFlags);
    entry.maskWeights.assign(
        maskWeights.size(),
        [&maskWeights](size_t first, size_t count, double* out) {
            std::memcpy(out, maskWeights.data() + first, count * sizeof(double));
        },
        latest.maskWeights);
    latest = entry;
    entries.push_back(std::move(entry));
    if (!unlimited)
        while (static_cast<int>(entries.size()) > maxLength)
            entries.erase(entries.begin());
    lastStep = 0;
    cursor = static_cast<int>(entries.size()) - 1;
    return status;
}

const HistoryEntry* SculptHistory::stepBack() {
    if (cursor < 0 || entries.empty()) return nullptr;
    if (lastStep == 2 && --cursor < 0) return nullptr;
    const HistoryEntry* entry = &entries[cursor];
    cursor -= 1;
    lastStep = 1;
    return entry;
}

const HistoryEntry* SculptHistory::stepForward() {
    if (entries.empty()) return nullptr;
    const int last = static_cast<int>(entries.size()) - 1;
    if (cursor >= last)
        cursor = last;
    else
        cursor = std::min(cursor + (lastStep == 1 ? 2 : 1), last);
    lastStep = 2;
    return &entries[cursor];
}

size_t SculptHistory::storageBytes() const {
    std::unordered_set<const void*> seen;
    size_t bytes = entries.capacity() * sizeof(HistoryEntry);
    for (const HistoryEntry& entry : entries)
        bytes += entry.points.addStorage(seen) + entry.normals.addStorage(seen) +
                 entry.maskFlags.addStorage(seen) + entry.maskWeights.addStorage(seen);
    return bytes;
}

RVMeshData::RVMeshData() {
    UuidCreate(&identifier);
}

void RVMeshData::resetStrokeAmounts(int n) {
    // Zeroed in place: the array keeps its memory from stroke to stroke.
    strokeAmount.setLength(static_cast<unsigned int>(n));
    for (int v = 0; v < n; ++v)
        strokeAmount[v] = 0.0;
}

MStatus RVMeshData::buildMeshRecord() {
    MStatus status;
    MFnMesh mesh(meshPath, &status);
    meshNode = meshPath.node();
    mesh.getPoints(points, MSpace::kObject);
    objectToWorld = meshPath.inclusiveMatrix();
    worldToObject = objectToWorld.inverse();
    const int n = static_cast<int>(points.length());
    if (n == vertexCount) {
        // Only the vertices the stroke touched hold stroke data.
        for (int v : touchedVertices)
            strokeTouched[v] = false;
        resetVertexRecords();
        refreshWorldNormals();
    } else {
        rebuildTopology(n);
    }
    resetStrokeAmounts(n);
    if (n == 0) return MS::kFailure; // the old world arrays stay
    fillWorldPoints();
    return MS::kSuccess;
}

void RVMeshData::rebuildTopology(int n) {
    vertexRecords.reset(n);
    touchedVertices.clear();
    strokeTouched.assign(n, false);
    maskFlag.resize(n, false);
    maskWeight.resize(n, 1.0);
    MFnMesh mesh(meshPath);
    mesh.getVertices(polygonCounts, polygonConnects);
    rebuildNeighbours();
    refreshWorldNormals();
    readyRayIndex();
    dabTouchCount.assign(n, 0);
    dabDelta.clear(); // only the whole-mesh loop gathers into it, and sizes it then
    vertexCount = n;
}

void RVMeshData::readyRayIndex() {
    MFnMesh mesh(meshPath);
    MFloatPoint hit;
    MMeshIsectAccelParams params = MFnMesh::autoUniformGridParams();
    mesh.closestIntersection(MFloatPoint(0.0f, 0.0f, 0.0f), MFloatVector(0.0f, 1.0f, 0.0f), nullptr,
                             nullptr, false, MSpace::kObject, 1.0f, false, &params, hit, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
}

void RVMeshData::fillWorldPoints() {
    checkedResize(worldPoints, static_cast<unsigned int>(vertexCount), __LINE__);
    for (int v = 0; v < vertexCount; ++v)
        worldPoints[v] = points[v] * objectToWorld;
    worldPointsChanged();
    objectPointsPending_ = false;
    settledOnce_ = false;
    unsettled_.clear();
    hostHasSettledPoints_ = true; // the points were just read from it
    unwritten_.clear();
}

MStatus RVMeshData::rebuildNeighbours() {
    MStatus status;
    MItMeshVertex it(meshPath, MObject::kNullObj, &status);
    if (!status) return status;
    const int n = it.count();
    // A closed mesh has as many neighbour entries as polygon corners; an open one a few
    // more (each border edge counts twice but lies in one polygon).
    neighbours.list.clear();
    neighbours.list.reserve(polygonConnects.length() + polygonConnects.length() / 16);
    neighbours.offsets.assign(static_cast<size_t>(n) + 1, 0);
    MIntArray ring;
    for (int v = 0; !it.isDone(); it.next(), ++v) {
        // The iterator visits the vertices in index order.
        it.getConnectedVertices(ring);
        for (unsigned int k = 0; k < ring.length(); ++k)
            neighbours.list.push_back(ring[k]);
        neighbours.offsets[static_cast<size_t>(v) + 1] = static_cast<int>(neighbours.list.size());
    }
    if (neighbours.list.capacity() > neighbours.list.size() + neighbours.list.size() / 8)
        neighbours.list.shrink_to_fit();
    return MS::kSuccess;
}

MStatus RVMeshData::refreshWorldNormals() {
    MStatus status;
    MFnMesh mesh(meshPath, &status);
    if (!status) return status;
    // One read of every vertex normal, not a walk of the vertices.
    MFloatVectorArray normals;
    status = mesh.getVertexNormals(false, normals, MSpace::kObject);
    if (!status) return status;
    const unsigned int n = normals.length();
    worldVertexNormals.setLength(n);
    for (unsigned int v = 0; v < n; ++v)
        worldVertexNormals[v] = MVector(normals[v]) * objectToWorld;
    return MS::kSuccess;
}

bool RVMeshData::readTopologyIfChanged() {
    MIntArray counts, connects;
    if (!MFnMesh(meshPath).getVertices(counts, connects)) return false;
    const auto same = [](const MIntArray& a, const MIntArray& b) {
        if (a.length() != b.length()) return false;
        for (unsigned int k = 0; k < a.length(); ++k)
            if (a[k] != b[k]) return false;
        return true;
    };
    if (same(counts, polygonCounts) && same(connects, polygonConnects)) return false;
    polygonCounts = counts;
    polygonConnects = connects;
    rebuildNeighbours();
    return true;
}

MStatus RVMeshData::writeBackPoints() {
    writePointsToMesh();
    return buildMeshRecord();
}

void RVMeshData::writePointsToMesh() {
    settleObjectPoints();
    keepPointsFinite();
    MFnMesh mesh(meshPath);
    mesh.setPoints(points, MSpace::kObject);
    mesh.updateSurface();
}

namespace {
// The mesh keeps single-precision points: a double beyond their range would become inf.
bool fitsTheMesh(double coordinate) {
    return std::fabs(coordinate) <= FLT_MAX; // false for NaN too
}
} // namespace

// Settings at the edge of the arithmetic (a huge pinch or smear) can give inf or NaN; such
// a vertex keeps the position the mesh has, so no bad point ever reaches the user's mesh.
void RVMeshData::keepPointsFinite() {
    keepPointsFiniteAmong(nullptr);
}

// Every point, or only the listed vertices.
void RVMeshData::keepPointsFiniteAmong(const std::vector<int>* vertices) {
    MPointArray current;
    unsigned int kept = 0;
    const size_t count = vertices ? vertices->size() : points.length();
    for (size_t k = 0; k < count; ++k) {
        const unsigned int v = vertices ? static_cast<unsigned int>((*vertices)[k])
                                        : static_cast<unsigned int>(k);
        const MPoint& p = points[v];
        if (fitsTheMesh(p.x) && fitsTheMesh(p.y) && fitsTheMesh(p.z)) continue;
        if (kept++ == 0) MFnMesh(meshPath).getPoints(current, MSpace::kObject);
        points[v] = v < current.length() ? current[v] : MPoint();
        if (v < worldPoints.length()) worldPoints[v] = points[v] * objectToWorld;
    }
    if (kept == 0) return;
    worldPointsChanged();
    MGlobal::displayWarning(MString("Ravelin: ") + static_cast<int>(kept) +
                            " vertices would have moved to an infinite or undefined position; "
                            "they were left where they were.");
}

bool RVMeshData::isStale() const {
    MStatus status;
    MFnMesh mesh(meshPath, &status);
    return !status || mesh.numVertices() != static_cast<int>(points.length());
}

bool RVMeshData::inModel() const {
    MStatus status;
    MFnDagNode node(meshPath, &status);
    return status && node.inModel();
}

MStatus RVMeshData::snapshotForStroke() {
    int infinite = 0;
    int length = 0;
    MGlobal::executeCommand("undoInfo -q -infinity", infinite);
    MGlobal::executeCommand("undoInfo -q -length", length);
    history.unlimited = infinite != 0;
    history.maxLength = length;
    return history.pushSnapshot(meshPath, maskFlag, maskWeight);
}

bool RVMeshData::undoStep() {
    // A stroke since the last snapshot: keep the state after it for redo.
    if (history.cursor == static_cast<int>(history.entries.size()) - 1 && history.lastStep == 0) {
        history.pushSnapshot(meshPath, maskFlag, maskWeight);
        history.cursor -= 1;
    }
    const HistoryEntry* entry = history.stepBack();
    if (entry) restore(*entry);
    return entry != nullptr;
}

bool RVMeshData::redoStep() {
    const HistoryEntry* entry = history.stepForward();
    if (entry) restore(*entry);
    return entry != nullptr;
}

// The entry's points to the live mesh. Where it has as many vertices and few differ, only
// those are written, with the floats a whole write would give them; else the whole array.
void RVMeshData::restorePoints(MFnMesh& live, const HistoryEntry& entry) {
    const size_t n = entry.points.size();
    const float* held = live.getRawPoints(nullptr);
    if (held && static_cast<size_t>(live.numVertices()) == n) {
        std::vector<std::pair<int, KVFloat3>> differing;
        entry.points.read([&](size_t first, size_t count, const KVFloat3* values) {
            const float* current = held + 3 * first;
            if (std::memcmp(values, current, count * sizeof(KVFloat3)) == 0) return;
            for (size_t k = 0; k < count; ++k)
                if (std::memcmp(&values[k], current + 3 * k, sizeof(KVFloat3)) != 0)
                    differing.emplace_back(static_cast<int>(first + k), values[k]);
        });
        if (!worthAWholeWrite(differing.size(), n)) {
            for (const auto& point : differing)
                live.setPoint(point.first, MPoint(point.second.x, point.second.y, point.second.z),
                              MSpace::kObject);
            return;
        }
    }
    MPointArray points(static_cast<unsigned int>(n));
    entry.points.read([&points](size_t first, size_t count, const KVFloat3* values) {
        for (size_t k = 0; k < count; ++k)
            points[static_cast<unsigned int>(first + k)] = MPoint(values[k].x, values[k].y, values[k].z);
    });
    live.setPoints(points, MSpace::kObject);
}

void RVMeshData::restore(const HistoryEntry& entry) {
    MFnMesh live(meshPath);
    restorePoints(live, entry);
    MFloatVectorArray normals(static_cast<unsigned int>(entry.normals.size()));
    entry.normals.read([&normals](size_t first, size_t n, const KVFloat3* values) {
        for (size_t k = 0; k < n; ++k)
            normals[static_cast<unsigned int>(first + k)] =
                MFloatVector(values[k].x, values[k].y, values[k].z);
    });
    live.setNormals(normals, MSpace::kObject);
    maskFlag.assign(entry.maskFlags.size(), false);
    entry.maskFlags.read([this](size_t first, size_t n, const std::uint8_t* values) {
        for (size_t k = 0; k < n; ++k)
            maskFlag[first + k] = values[k] != 0;
    });
    maskWeight.resize(entry.maskWeights.size());
    entry.maskWeights.read([this](size_t first, size_t n, const double* values) {
        std::copy(values, values + n, maskWeight.begin() + static_cast<std::ptrdiff_t>(first));
    });
    history.latest = entry;
    buildMeshRecord();
    live.updateSurface();
}

void RVMeshData::settleObjectPoints() {
    const auto settle = [this](unsigned int v) {
        MPoint& p = worldPoints[v];
        p.x += 0.0; // the zero displacement the whole-mesh loop adds
        p.y += 0.0;
        p.z += 0.0;
        points[v] = timesMatrix(p, worldToObject);
    };
    if (objectPointsPending_) {
        const unsigned int n = worldPoints.length();
        for (unsigned int v = 0; v < n; ++v)
            settle(v);
        objectPointsPending_ = false;
        settledOnce_ = true;
        unsettled_.clear();
        hostHasSettledPoints_ = false;
        unwritten_.clear();
        return;
    }
    for (int v : unsettled_)
        settle(static_cast<unsigned int>(v));
    if (hostHasSettledPoints_) unwritten_.insert(unwritten_.end(), unsettled_.begin(), unsettled_.end());
    unsettled_.clear();
}

void RVMeshData::markObjectPointsPending(const std::vector<int>& moved) {
    if (!settledOnce_)
        objectPointsPending_ = true;
    else if (!objectPointsPending_)
        unsettled_.insert(unsettled_.end(), moved.begin(), moved.end());
}

MStatus RVMeshData::writeDabToMesh() {
    return writeChangesToMesh(nullptr);
}

MStatus RVMeshData::writeGrabToMesh() {
    return writeChangesToMesh(&touchedVertices);
}

MStatus RVMeshData::writeChangesToMesh(const std::vector<int>* alsoMoved) {
    MStatus status;
    MFnMesh mesh(meshPath, &status);
    if (!status) return status;
    settleObjectPoints();
    std::vector<int> moved;
    if (hostHasSettledPoints_) {
        moved.swap(unwritten_);
        if (alsoMoved) moved.insert(moved.end(), alsoMoved->begin(), alsoMoved->end());
        // One dab's vertices come in order: only lists of several need the sort.
        if (!std::is_sorted(moved.begin(), moved.end())) std::sort(moved.begin(), moved.end());
        moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    } else {
        moved = pointsTheHostLacks(mesh);
    }
    hostHasSettledPoints_ = true;
    unwritten_.clear();
    if (worthAWholeWrite(moved.size(), points.length())) {
        keepPointsFinite();
        mesh.setPoints(points, MSpace::kObject);
    } else {
        keepPointsFiniteAmong(&moved);
        for (int v : moved)
            mesh.setPoint(v, points[static_cast<unsigned int>(v)], MSpace::kObject);
    }
    return mesh.updateSurface();
}

// The whole settle may have changed any point, if only by the rounding of the trip through
// world space: those whose single-precision value differs from the host's.
std::vector<int> RVMeshData::pointsTheHostLacks(MFnMesh& mesh) const {
    const int n = static_cast<int>(points.length());
    std::vector<int> lacking;
    const float* held = mesh.getRawPoints(nullptr);
    const bool comparable = held && mesh.numVertices() == n;
    for (int v = 0; v < n; ++v) {
        const MPoint& p = points[static_cast<unsigned int>(v)];
        const float mine[3] = {static_cast<float>(p.x), static_cast<float>(p.y),
                               static_cast<float>(p.z)};
        if (!comparable || std::memcmp(mine, held + 3 * static_cast<size_t>(v), sizeof(mine)) != 0)
            lacking.push_back(v);
    }
    return lacking;
}

void RVMeshData::worldPointsChanged() {
    const unsigned int n = worldPoints.length();
    const bool inSync = dabIndexInSync && dabStartSlot.size() == n && grid.pointCount() == n;
    if (inSync) {
        // The buffers are zero but where the index's lists say; the grid takes the points
        // that moved.
        for (int v : lastDabVertices)
            dabTouchCount[v] = 0;
        syncDabStart();
        catchUpGrid();
        for (unsigned int v = 0; v < n; ++v)
            grid.move(static_cast<int>(v), worldPoints);
    } else {
        grid.build(worldPoints);
        std::fill(dabTouchCount.begin(), dabTouchCount.end(), 0);
        std::fill(dabDelta.begin(), dabDelta.end(), MVector());
        dabStartSlot.assign(n, -1);
        dabStartSaved.clear();
    }
    staleDabStart.clear();
    lastDabVertices.clear();
    dabIndexInSync = true;
    gridLagsTouched = false;
}

void RVMeshData::catchUpGrid() {
    if (!gridLagsTouched) return;
    for (int v : touchedVertices)
        grid.move(v, worldPoints);
    gridLagsTouched = false;
}

void RVMeshData::syncDabStart() {
    for (int v : staleDabStart)
        dabStartSlot[v] = -1;
    staleDabStart.clear();
    dabStartSaved.clear();
}

void RVMeshData::resetVertexRecords() {
    vertexRecords.reset(vertexCount);
    touchedVertices.clear();
}

const VertexStrokeRecord KVVertexRecords::kFresh;

KVVertexRecords& KVVertexRecords::operator=(const KVVertexRecords& other) {
    if (this == &other) return *this;
    pages_.clear();
    pages_.resize(other.pages_.size());
    for (size_t p = 0; p < pages_.size(); ++p)
        if (other.pages_[p]) pages_[p].reset(new Page(*other.pages_[p]));
    return *this;
}

size_t KVVertexRecords::storageBytes() const {
    size_t bytes = pages_.capacity() * sizeof(pages_[0]);
    for (const std::unique_ptr<Page>& page : pages_) {
        if (!page) continue;
        bytes += sizeof(Page);
        for (const VertexStrokeRecord& record : *page)
            bytes += record.slots.capacity() * sizeof(VertexSlot);
    }
    return bytes;
}
