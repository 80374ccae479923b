#pragma once
#include <maya/MPxCommand.h>

// A command a tool context builds up during an interaction and then hands to the undo
// queue with doFinalize, which passes ownership to the host.
class OPENMAYA_EXPORT MPxToolCommand : public MPxCommand {
public:
    MPxToolCommand();
    ~MPxToolCommand() override;

    MStatus doIt(const MArgList& args) override;
    virtual MStatus cancel();
    virtual MStatus finalize();

protected:
    // Enters this command into the undo queue under its command string (or, when that is
    // empty, the first argument of `command`). The host owns the command afterwards.
    MStatus doFinalize(MArgList& command);
};
