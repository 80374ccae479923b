#pragma once
#include <maya/MCursor.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#include <memory>

class MEvent;
class MPxToolCommand;
class MDoubleArray;
class MIntArray;

namespace MHWRender {
class MUIDrawManager;
class MFrameContext;
} // namespace MHWRender

namespace rvhost {
struct ContextState;
}

// Base of a plug-in's interactive tool. The host owns every context: a context command
// makes one, `setToolTo` makes it current, and the mouse events of the current tool arrive
// here. Under the legacy renderer the host calls the classic event entries; under
// Viewport 2.0 it calls the entries that take a draw manager and frame context, and falls
// back to the classic ones where those report kNotImplemented (the default).
class OPENMAYA_EXPORT MPxContext {
public:
    enum ImageIndex { kImage1 = 0, kImage2, kImage3 };

    MPxContext();
    virtual ~MPxContext();
    MPxContext(const MPxContext&) = delete;
    MPxContext& operator=(const MPxContext&) = delete;

    virtual void toolOnSetup(MEvent& event);
    virtual void toolOffCleanup();

    virtual MStatus doPress(MEvent& event);
    virtual MStatus doRelease(MEvent& event);
    virtual MStatus doDrag(MEvent& event);
    virtual MStatus doHold(MEvent& event);
    virtual MStatus doEnterRegion(MEvent& event);

    virtual MStatus doPress(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                            const MHWRender::MFrameContext& context);
    virtual MStatus doRelease(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                              const MHWRender::MFrameContext& context);
    virtual MStatus doDrag(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                           const MHWRender::MFrameContext& context);
    virtual MStatus doHold(MEvent& event, MHWRender::MUIDrawManager& drawMgr,
                           const MHWRender::MFrameContext& context);
    virtual MStatus drawFeedback(MHWRender::MUIDrawManager& drawMgr,
                                 const MHWRender::MFrameContext& context);

    virtual MStatus helpStateHasChanged(MEvent& event);
    virtual void deleteAction();
    virtual void completeAction();
    virtual void abortAction();
    virtual bool processNumericalInput(const MDoubleArray& values, const MIntArray& flags,
                                       bool isAbsolute);
    virtual bool feedbackNumericalInput() const;
    virtual MSyntax::MArgType argTypeNumericalInput(unsigned int index) const;
    virtual void getClassName(MString& name) const;
    virtual MString stringClassName() const;

    // Manipulators belong to the context once added; deleteManipulators deletes them all.
    virtual MStatus addManipulator(const MObject& manipulator);
    virtual MStatus deleteManipulators();

    MStatus setHelpString(const MString& str);
    MStatus setTitleString(const MString& str);
    MStatus setImage(const MString& image, ImageIndex index);
    MString image(ImageIndex index, MStatus* ReturnStatus = nullptr) const;
    MStatus setCursor(const MCursor& cursor);
    MCursor cursor(MStatus* ReturnStatus = nullptr) const;

    // A new tool command of the type registered with the context command that made this
    // context; null when that command registered none.
    virtual MPxToolCommand* newToolCommand();

    // Host side only.
    rvhost::ContextState& hostState() { return *state_; }
    const rvhost::ContextState& hostState() const { return *state_; }

private:
    std::unique_ptr<rvhost::ContextState> state_;
};
