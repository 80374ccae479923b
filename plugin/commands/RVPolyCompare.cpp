#include "commands/RVPolyCompare.h"
#include "commands/RVNearestVertex.h"

#include <maya/MArgDatabase.h>
#include <maya/MDagPath.h>
#include <maya/MFnMesh.h>
#include <maya/MPointArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

namespace {

const char* const kVertexFlag = "-mvi";
const char* const kVertexFlagLong = "-matchingVertexIndex";
const char* const kAllFlag = "-mv";
const char* const kAllFlagLong = "-matchingVertices";

// A transform stands for the shape directly below it.
MDagPath shapePath(const MSelectionList& objects, unsigned int item) {
    MDagPath path;
    objects.getDagPath(item, path);
    unsigned int shapes = 0;
    path.numberOfShapesDirectlyBelow(shapes);
    if (shapes > 0) path.extendToShape();
    return path;
}

MStatus objectPoints(const MSelectionList& objects, unsigned int item, MPointArray& points) {
    MStatus status;
    MFnMesh mesh(shapePath(objects, item), &status);
    if (!status) return status;
    return mesh.getPoints(points, MSpace::kObject);
}

} // namespace

RVPolyCompare::~RVPolyCompare() = default;

void* RVPolyCompare::creator() {
    return new RVPolyCompare();
}

MSyntax RVPolyCompare::newSyntax() {
    MSyntax syntax;
    syntax.addFlag(kVertexFlag, kVertexFlagLong, MSyntax::kUnsigned);
    syntax.addFlag(kAllFlag, kAllFlagLong);
    syntax.setObjectType(MSyntax::kSelectionList, 2, 2);
    return syntax;
}

// "-mvi" wins over "-mv"; with neither there is nothing to do and no result.
MStatus RVPolyCompare::doIt(const MArgList& args) {
    MArgDatabase parsed(syntax(), args);
    MSelectionList objects;
    parsed.getObjects(objects);

    const bool oneVertex = parsed.isFlagSet(kVertexFlag);
    unsigned int vertex = 0;
    if (oneVertex) {
        const MStatus read = parsed.getFlagArgument(kVertexFlag, 0, vertex);
        if (!read) return read;
    } else if (!parsed.isFlagSet(kAllFlag)) {
        return MS::kSuccess;
    }

    MPointArray first, second;
    MStatus status = objectPoints(objects, 0, first);
    if (!status) return status;
    status = objectPoints(objects, 1, second);
    if (!status) return status;

    if (oneVertex) {
        if (vertex >= first.length()) {
            MString message("RVPolyCompare: vertex index ");
            message += vertex;
            message += " is out of range; the first mesh has ";
            message += first.length();
            message += " vertices.";
            displayError(message);
            return MS::kFailure;
        }
        setResult(static_cast<int>(RVNearestVertex::exhaustiveNearest(second, first[vertex])));
        return MS::kSuccess;
    }
    setResult(RVNearestVertex(second).nearestOfEach(first));
    return MS::kSuccess;
}
