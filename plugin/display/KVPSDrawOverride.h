#pragma once
// The brush feedback in Viewport 2.0: a draw override for the manipulator's draw
// classification whose callback paints what the legacy draw paints, with OpenGL called
// directly and the draw context's matrices. It keeps no data: the callback reads the sculpt
// state, the current record and the current manipulator's fall-off ramp.
#include <maya/MBoundingBox.h>
#include <maya/MDrawContext.h>
#include <maya/MPxDrawOverride.h>
#include <maya/MString.h>
#include <maya/MUserData.h>

class KVPSDrawOverride : public MHWRender::MPxDrawOverride {
public:
    static const MString registrantId;

    static MHWRender::MPxDrawOverride* creator(const MObject& node);

    MHWRender::DrawAPI supportedDrawAPIs() const override;
    bool hasUIDrawables() const override;
    MBoundingBox boundingBox(const MDagPath& objPath, const MDagPath& cameraPath) const override;
    bool isBounded(const MDagPath& objPath, const MDagPath& cameraPath) const override;
    MHWRender::MUserData* prepareForDraw(const MDagPath& objPath, const MDagPath& cameraPath,
                                         const MHWRender::MFrameContext& frameContext,
                                         MHWRender::MUserData* oldData) override;

    static void draw(const MHWRender::MDrawContext& context, const MHWRender::MUserData* data);

private:
    explicit KVPSDrawOverride(const MObject& node);
};
