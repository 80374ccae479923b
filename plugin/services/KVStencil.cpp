#include "services/KVStencil.h"

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MGlobal.h>
#include <maya/MMeshIsectAccelParams.h>
#include <maya/MSelectionList.h>

#include <cmath>
#include <iostream>

namespace {
KVStencil theStencil;

const int kOpenPlaneLine = 119;

void reportApiError(int line, const MStatus& status) {
    std::cerr << "\nAPI error detected in KVStencil at line " << line << "\n";
    status.perror("");
}

// Made on first use and kept for every ray test after it.
MMeshIsectAccelParams& intersectionParams() {
    static MMeshIsectAccelParams params = MFnMesh::autoUniformGridParams();
    return params;
}

// The whole-number part of `scaled`, kept inside [0, count - 1].
int clampedIndex(double scaled, int count) {
    if (scaled <= 0.0) return 0;
    if (scaled >= count - 1) return count - 1;
    return static_cast<int>(scaled);
}

void readString(const char* name, MString& field) {
    bool exists = false;
    const MString text = MGlobal::optionVarStringValue(name, &exists);
    if (exists) field = text;
}
} // namespace

KVStencil& KVStencil::instance() {
    return theStencil;
}

void KVStencil::loadSettings() {
    bool exists = false;
    const int use = MGlobal::optionVarIntValue("RVOption_useStencil", &exists);
    if (exists) useStencil = use != 0;
    readString("RVOption_stencilImageFile", imageFile);
    readString("RVOption_stencilPolyNode", planeName);
}

MStatus KVStencil::loadPicture() {
    const MStatus status = load();
    if (!status) {
        MString message = "Ravelin stencil: could not load \"" + fileName + "\"";
        for (unsigned int k = 0; k < errors.length(); ++k)
            message += MString(" ") + errors[k];
        MGlobal::displayWarning(message);
    }
    errors.clear();
    return status;
}

MStatus KVStencil::setupStencil(const MString& plane, const MString& image) {
    MSelectionList list;
    MStatus status = list.add(plane);
    if (!status) return status;
    planeName = plane;
    list.getDagPath(0, stencilPlane);
    sampling_ = false;
    unsigned int shapes = 0;
    stencilPlane.numberOfShapesDirectlyBelow(shapes);
    if (shapes > 0) {
        status = stencilPlane.extendToShape();
        if (!status) {
            ready = false;
            return status;
        }
    }
    if (image.length() > 0) fileName = image;
    if (fileName.length() > 0) ready = static_cast<bool>(loadPicture());
    return MS::kSuccess;
}

MStatus KVStencil::reloadStencilImage() {
    if (imageFile.length() == 0) return MS::kFailure;
    fileName = imageFile;
    // A failed load leaves no picture to read, so the stencil cannot stay ready on it.
    if (!loadPicture()) {
        ready = false;
        return MS::kFailure;
    }
    return flipVertical();
}

MStatus KVStencil::changeImage(const MString& image, bool reload) {
    imageFile = image;
    if (!reload || !ready) return MS::kSuccess;
    fileName = imageFile;
    const MStatus status = loadPicture();
    if (!status) ready = false;
    return status;
}

MStatus KVStencil::prepareForSetup() {
    if (!useStencil) return MS::kNotImplemented;
    if (!ready) {
        if (planeName.length() == 0 || imageFile.length() == 0) return MS::kFailure;
        return setupStencil(planeName, imageFile);
    }
    if (imageFile.length() > 0 && imageFile != fileName) return changeImage(imageFile, true);
    return MS::kSuccess;
}

void KVStencil::beginSampling() {
    sampling_ = true;
    toPlane_ = stencilPlane.inclusiveMatrixInverse();
    view_ = M3dView::active3dView();
    const MStatus status = planeMesh_.setObject(stencilPlane);
    if (!status) reportApiError(kOpenPlaneLine, status);
}

double KVStencil::stencilFactor(const MPoint& world) {
    if (!ready) return 1.0;
    if (!sampling_) beginSampling();
    short x = 0, y = 0;
    if (!view_.worldToView(world, x, y)) return 0.0;
    MPoint source;
    MVector direction;
    view_.viewToObjectSpace(x, y, toPlane_, source, direction);
    MFloatPoint hit;
    int hitFace = -1, hitTriangle = -1;
    if (!planeMesh_.anyIntersection(MFloatPoint(source), MFloatVector(direction), nullptr,
                                    nullptr, false, MSpace::kObject, 999.0f, true,
                                    &intersectionParams(), hit, nullptr, &hitFace, &hitTriangle,
                                    nullptr, nullptr, 0.01f))
        return 0.0;
    MPoint hitPoint(hit);
    float2 uv = {0.0f, 0.0f};
    if (!planeMesh_.getUVAtPoint(hitPoint, uv, MSpace::kObject)) return 0.0;
    return greyAt(uv[0], uv[1]);
}

double KVStencil::greyAt(double u, double v) const {
    if (!ready) return 1.0;
    const int rows = static_cast<int>(heightVals.size());
    if (rows == 0 || !std::isfinite(u) || !std::isfinite(v)) return 0.0;
    const MDoubleArray& row = heightVals[clampedIndex(rows * (1.0 - v), rows)];
    const int columns = static_cast<int>(row.length());
    if (columns == 0) return 0.0;
    return row[clampedIndex(columns * u, columns)];
}

void KVStencil::reset() {
    static_cast<KVImage&>(*this) = KVImage();
    stencilPlane = MDagPath();
    sampling_ = false;
    ready = false;
    useStencil = false;
    imageFile = MString();
    planeName = MString();
}
