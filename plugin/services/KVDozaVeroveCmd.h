#pragma once
// The context command RavelinContext: creating it makes the sculpt context. An edit
// re-creates the manipulator, reloads the settings and ramps, then carries out its flags
// (stencil, adding meshes, mask clearing and inversion, the cache and link management);
// a query answers whether two surfaces are linked, the newest release number, or
// publishes the sculpt meshes to scripts.
#include <maya/MPxContextCommand.h>
#include <maya/MStatus.h>

class KVDozaVerove;
class MArgParser;

class KVDozaVeroveCmd : public MPxContextCommand {
public:
    static const char* const commandName;
    static void* creator();

    MStatus doEditFlags() override;
    MStatus doQueryFlags() override;
    MPxContext* makeObj() override;
    MStatus appendSyntax() override;

private:
    void editStencil(const MArgParser& parser);
    void editMask(const MArgParser& parser);
    void editCache(const MArgParser& parser);

    KVDozaVerove* context_ = nullptr;
};
