#include "nodes/RVGeoLink.h"

#include <maya/MFnData.h>
#include <maya/MFnIntArrayData.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MIntArray.h>
#include <maya/MPlug.h>
#include <maya/MPointArray.h>

#include <iostream>

const MTypeId RVGeoLink::id(0x0011CE41);
const char* const RVGeoLink::typeName = "RVGeoLink";
MObject RVGeoLink::matchedVtxIdsIn;
MObject RVGeoLink::parentGeometryIn;

namespace {

const char* const kTooFewParentPoints =
    "RVGeoLink Error: Parent Geometry not connected or has less points than child.";
const char* const kIdCountMismatch =
    "RVGeoLink Error: Matching Parent Ids must be of same length as Child Vertices.";
const char* const kIdOutOfRange =
    "RVGeoLink Error: Matching Parent Ids must name vertices of the Parent Geometry.";

// Initializer steps that fail are reported and passed over.
void checked(const MStatus& status, int line) {
    if (status) return;
    std::cerr << "\nAPI error detected in RVGeoLink at line " << line << "\n";
    status.perror("");
}

MStatus failWith(const char* message) {
    const MStatus failure(MS::kFailure);
    failure.perror(message);
    return failure;
}

} // namespace

void* RVGeoLink::creator() {
    return new RVGeoLink();
}

MStatus RVGeoLink::initialize() {
    MFnTypedAttribute typed;
    matchedVtxIdsIn = typed.create("matchedVtxIdsIn", "mvi", MFnData::kIntArray);
    typed.setArray(true);
    checked(addAttribute(matchedVtxIdsIn), __LINE__);
    parentGeometryIn = typed.create("parentGeometryIn", "pgi", MFnData::kMesh);
    checked(addAttribute(parentGeometryIn), __LINE__);
    checked(attributeAffects(parentGeometryIn, outputGeom), __LINE__);
    checked(attributeAffects(matchedVtxIdsIn, outputGeom), __LINE__);
    return MS::kSuccess;
}

RVGeoLink::~RVGeoLink() = default;

// The n-th connected element of the matching list serves the geometry with multi index n,
// whatever its logical index. On any failure the child stays as it was received.
MStatus RVGeoLink::deform(MDataBlock& block, MItGeometry& iter, const MMatrix&,
                          unsigned int multiIndex) {
    const MObject self = thisMObject();
    const MPlug parentPlug(self, parentGeometryIn);
    const MPlug matched = MPlug(self, matchedVtxIdsIn).connectionByPhysicalIndex(multiIndex);
    if (!parentPlug.isConnected()) return MS::kFailure;
    if (!matched.isConnected()) return MS::kFailure;

    MStatus status;
    MDataHandle parentHandle = block.inputValue(parentPlug, &status);
    if (!status) return status;
    MDataHandle idsHandle = block.inputValue(matched, &status);
    if (!status) return status;
    MFnIntArrayData idData(idsHandle.data(), &status);
    if (!status) return status;
    MIntArray ids;
    status = idData.copyTo(ids);
    if (!status) return status;

    MItGeometry parentIter(parentHandle, true, &status);
    if (!status) return status;
    iter.reset();
    parentIter.reset();
    MPointArray childPoints, parentPoints;
    iter.allPositions(childPoints, MSpace::kObject);
    parentIter.allPositions(parentPoints, MSpace::kObject);

    const unsigned int childCount = childPoints.length();
    if (parentPoints.length() < childCount || childCount == 0) return failWith(kTooFewParentPoints);
    if (ids.length() != childCount) return failWith(kIdCountMismatch);

    // An id names a parent vertex only when it lies in [0, parent count); the child is
    // written back only once every id has.
    const unsigned int parentCount = parentPoints.length();
    for (unsigned int k = 0; k < childCount; ++k) {
        const unsigned int id = static_cast<unsigned int>(ids[k]); // negatives wrap past the end
        if (id >= parentCount) return failWith(kIdOutOfRange);
        childPoints[k] = parentPoints[id];
    }
    return iter.setAllPositions(childPoints, MSpace::kObject);
}
