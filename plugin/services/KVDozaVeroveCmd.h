#pragma once
// The context command RavelinContext: creating it makes the sculpt context; an edit
// re-creates the manipulator, reloads the settings and ramps, and registers meshes
// ("-addSelected", "-add NAME").
#include <maya/MPxContextCommand.h>
#include <maya/MStatus.h>

class KVDozaVerove;

class KVDozaVeroveCmd : public MPxContextCommand {
public:
    static const char* const commandName;
    static void* creator();

    MStatus doEditFlags() override;
    MPxContext* makeObj() override;
    MStatus appendSyntax() override;

private:
    KVDozaVerove* context_ = nullptr;
};
