#pragma once
#include <maya/MBoundingBox.h>
#include <maya/MDrawContext.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MTypes.h>
#include <maya/MUserData.h>
#include <maya/MViewport2Renderer.h>

class MDagPath;
class MSelectionInfo;
class MSelectionContext;

namespace MHWRender {

class MUIDrawManager;
class MRenderItem;

typedef void (*GeometryDrawOverrideCb)(const MDrawContext& context, const MUserData* data);

// Base of a plug-in's Viewport 2.0 drawing for nodes of a draw classification. The host
// creates one per drawn node through the creator registered with MDrawRegistry, calls
// prepareForDraw, then the callback given here with the draw context.
class OPENMAYA_EXPORT MPxDrawOverride {
public:
    MPxDrawOverride(const MObject& obj, GeometryDrawOverrideCb callback, bool isAlwaysDirty = true);
    virtual ~MPxDrawOverride();

    virtual DrawAPI supportedDrawAPIs() const;
    virtual bool hasUIDrawables() const;
    virtual MMatrix transform(const MDagPath& objPath, const MDagPath& cameraPath) const;
    virtual MBoundingBox boundingBox(const MDagPath& objPath, const MDagPath& cameraPath) const;
    virtual bool isBounded(const MDagPath& objPath, const MDagPath& cameraPath) const;
    virtual bool disableInternalBoundingBoxDraw() const;
    virtual MUserData* prepareForDraw(const MDagPath& objPath, const MDagPath& cameraPath,
                                      const MFrameContext& frameContext, MUserData* oldData) = 0;
    virtual void addUIDrawables(const MDagPath& objPath, MUIDrawManager& drawManager,
                                const MFrameContext& frameContext, const MUserData* data);
    virtual bool refineSelectionPath(const MSelectionInfo& selectInfo, const MRenderItem& hitItem,
                                     MDagPath& path, MObject& geometry,
                                     const MFrameContext& frameContext);
    virtual void updateSelectionGranularity(const MDagPath& path,
                                            MSelectionContext& selectionContext);

    // Host side only.
    GeometryDrawOverrideCb drawCallback() const { return callback_; }
    bool isAlwaysDirty() const { return alwaysDirty_; }

private:
    MObject object_;
    GeometryDrawOverrideCb callback_;
    bool alwaysDirty_;
};

} // namespace MHWRender
