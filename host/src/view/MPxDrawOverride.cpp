#include <maya/MDagPath.h>
#include <maya/MPxDrawOverride.h>

namespace MHWRender {

MPxDrawOverride::MPxDrawOverride(const MObject& obj, GeometryDrawOverrideCb callback,
                                 bool isAlwaysDirty)
    : object_(obj), callback_(callback), alwaysDirty_(isAlwaysDirty) {}

MPxDrawOverride::~MPxDrawOverride() = default;

DrawAPI MPxDrawOverride::supportedDrawAPIs() const {
    return kOpenGL;
}

bool MPxDrawOverride::hasUIDrawables() const {
    return false;
}

MMatrix MPxDrawOverride::transform(const MDagPath& objPath, const MDagPath&) const {
    return objPath.isValid() ? objPath.inclusiveMatrix() : MMatrix();
}

MBoundingBox MPxDrawOverride::boundingBox(const MDagPath&, const MDagPath&) const {
    return MBoundingBox();
}

bool MPxDrawOverride::isBounded(const MDagPath&, const MDagPath&) const {
    return false;
}

bool MPxDrawOverride::disableInternalBoundingBoxDraw() const {
    return false;
}

// This host has no draw manager or selection of its own for Viewport 2.0: the defaults add
// nothing and keep the path as it is.
void MPxDrawOverride::addUIDrawables(const MDagPath&, MUIDrawManager&, const MFrameContext&,
                                     const MUserData*) {}

bool MPxDrawOverride::refineSelectionPath(const MSelectionInfo&, const MRenderItem&, MDagPath&,
                                          MObject&, const MFrameContext&) {
    return true;
}

void MPxDrawOverride::updateSelectionGranularity(const MDagPath&, MSelectionContext&) {}

} // namespace MHWRender
