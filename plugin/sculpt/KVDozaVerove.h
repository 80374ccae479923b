#pragma once
// The interactive sculpt tool: set up on the registered meshes when picked, it turns
// mouse presses, drags and releases into strokes, each handed to the undo queue as one
// tool command.
#include <maya/MEvent.h>
#include <maya/MPxContext.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

class KVDozaVeroveToolCmd;

class KVDozaVerove : public MPxContext {
public:
    KVDozaVerove();

    void toolOnSetup(MEvent& event) override;
    void toolOffCleanup() override;

    MStatus doPress(MEvent& event) override;
    MStatus doRelease(MEvent& event) override;
    MStatus doDrag(MEvent& event) override;
    MStatus doHold(MEvent& event) override;
    MStatus doPress(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                    const MHWRender::MFrameContext& context) override;
    MStatus doRelease(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                      const MHWRender::MFrameContext& context) override;
    MStatus doDrag(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                   const MHWRender::MFrameContext& context) override;
    MStatus doHold(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                   const MHWRender::MFrameContext& context) override;

    void getClassName(MString& name) const override;

    // Registers the selected meshes first when asked; with a usable mesh the tool is
    // readied (records refreshed, manipulator made, settings and ramps loaded).
    MStatus setup(bool addSelected);
    // A new brush cursor manipulator, made current and added to this context.
    MStatus createManipulator();

    virtual MStatus pressHandler(MEvent& event);
    virtual MStatus dragHandler(MEvent& event);
    virtual MStatus releaseHandler(MEvent& event);

    // Working settings back, every record written to its mesh and rebuilt.
    MStatus endStroke();

private:
    // The stroke ended and handed to the undo queue as one tool command.
    void finishStroke();

    KVDozaVeroveToolCmd* toolCommand_ = nullptr;
};
