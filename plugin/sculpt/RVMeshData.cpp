#include "sculpt/RVMeshData.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnMeshData.h>
#include <maya/MGlobal.h>
#include <maya/MItMeshVertex.h>

#include <cfloat>
#include <cmath>
#include <iostream>

void reportMeshDataError(int line, const MStatus& status) {
    std::cerr << "\nAPI error detected in RVMeshData at line " << line << "\n"
              << status.errorString().asChar();
}

namespace {
void checkedResize(MPointArray& array, unsigned int n, int line) {
    const MStatus status = array.setLength(n);
    if (!status) reportMeshDataError(line, status);
}
} // namespace

MStatus SculptHistory::pushSnapshot(const MDagPath& livePath, const std::vector<bool>& maskFlags,
                                    const std::vector<double>& maskWeights) {
    if (cursor >= 0 && cursor < static_cast<int>(entries.size()) - 1)
        entries.erase(entries.begin() + cursor + 1, entries.end());
    HistoryEntry entry;
    MFnMeshData data;
    entry.meshCopy = data.create();
    MFnMesh copier;
    MStatus status;
    copier.copy(livePath.node(), entry.meshCopy, &status);
    entry.livePath = livePath;
    entry.maskFlags = maskFlags;
    entry.maskWeights = maskWeights;
    entries.push_back(std::move(entry));
    if (!unlimited)
        while (static_cast<int>(entries.size()) > maxLength)
            entries.erase(entries.begin());
    lastStep = 0;
    cursor = static_cast<int>(entries.size()) - 1;
    return status;
}

RVMeshData::RVMeshData() {
    UuidCreate(&identifier);
}

void RVMeshData::resetStrokeAmounts(int n) {
    strokeAmount.clear();
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
        strokeTouched.assign(n, false);
        vertexRecords.assign(n, VertexStrokeRecord());
        touchedVertices.clear();
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
    vertexRecords.assign(n, VertexStrokeRecord());
    touchedVertices.clear();
    strokeTouched.assign(n, false);
    maskFlag.resize(n, false);
    maskWeight.resize(n, 1.0);
    MFnMesh mesh(meshPath);
    mesh.getNormals(objectNormals, MSpace::kObject);
    mesh.getVertices(polygonCounts, polygonConnects);
    strokeStartPoints = points;
    rebuildNeighbours();
    dabTouchCount.assign(n, 0);
    dabDelta.assign(n, MVector());
    vertexCount = n;
}

void RVMeshData::fillWorldPoints() {
    checkedResize(worldPoints, static_cast<unsigned int>(vertexCount), __LINE__);
    for (int v = 0; v < vertexCount; ++v)
        worldPoints[v] = points[v] * objectToWorld;
    worldPointsChanged();
    objectPointsPending_ = false;
}

MStatus RVMeshData::rebuildNeighbours() {
    MStatus status;
    MItMeshVertex it(meshPath, MObject::kNullObj, &status);
    if (!status) return status;
    const unsigned int n = static_cast<unsigned int>(it.count());
    neighbours.assign(n, MIntArray());
    worldVertexNormals.setLength(n);
    for (; !it.isDone(); it.next()) {
        const int v = it.index();
        it.getConnectedVertices(neighbours[v]);
        MVector normal;
        it.getNormal(normal, MSpace::kObject);
        worldVertexNormals[v] = normal * objectToWorld;
    }
    return MS::kSuccess;
}

MStatus RVMeshData::refreshWorldNormals() {
    MStatus status;
    MItMeshVertex it(meshPath, MObject::kNullObj, &status);
    if (!status) return status;
    worldVertexNormals.setLength(static_cast<unsigned int>(it.count()));
    for (; !it.isDone(); it.next()) {
        MVector normal;
        it.getNormal(normal, MSpace::kObject);
        worldVertexNormals[it.index()] = normal * objectToWorld;
    }
    return MS::kSuccess;
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
    MPointArray current;
    unsigned int kept = 0;
    for (unsigned int v = 0; v < points.length(); ++v) {
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

void RVMeshData::settleObjectPoints() {
    if (!objectPointsPending_) return;
    const unsigned int n = worldPoints.length();
    for (unsigned int v = 0; v < n; ++v) {
        MPoint& p = worldPoints[v];
        p.x += 0.0; // the zero displacement the whole-mesh loop adds
        p.y += 0.0;
        p.z += 0.0;
        points[v] = timesMatrix(p, worldToObject);
    }
    objectPointsPending_ = false;
}

void RVMeshData::worldPointsChanged() {
    dabStartWorldPoints = worldPoints;
    grid.build(worldPoints);
    std::fill(dabTouchCount.begin(), dabTouchCount.end(), 0);
    std::fill(dabDelta.begin(), dabDelta.end(), MVector());
    staleDabStart.clear();
    dabStartStale.assign(worldPoints.length(), false);
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
    for (int v : staleDabStart) {
        dabStartWorldPoints[v] = worldPoints[v];
        dabStartStale[v] = false;
    }
    staleDabStart.clear();
}

void RVMeshData::rebaseDabStart() {
    if (dabIndexInSync)
        syncDabStart();
    else
        dabStartWorldPoints = worldPoints;
}

void RVMeshData::resetVertexRecords() {
    for (int v : touchedVertices)
        vertexRecords[v] = VertexStrokeRecord();
    touchedVertices.clear();
}
