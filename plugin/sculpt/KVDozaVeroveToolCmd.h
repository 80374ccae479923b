#pragma once
// One finished stroke in the host's undo queue. The stroke is already on the meshes when
// the command is first done; undo and redo step every mesh's snapshot history.
#include <maya/MArgList.h>
#include <maya/MPxToolCommand.h>
#include <maya/MStatus.h>

class KVDozaVeroveToolCmd : public MPxToolCommand {
public:
    static const char* const commandName;

    KVDozaVeroveToolCmd();
    static void* creator();

    MStatus doIt(const MArgList& args) override;
    MStatus undoIt() override;
    MStatus redoIt() override;
    bool isUndoable() const override;
    MStatus finalize() override;
};
