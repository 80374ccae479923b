#pragma once
// RVCheckVersion [-url ADDRESS]: asks the version server for the number of the newest
// release and returns it as an int (0, and failure, when the server cannot be reached).
//
// The default address is the option variable RVOption_versionCheckAddress, so that a site
// can point it at its own server; without it a placeholder that never resolves is used.
// RVOption_versionCheckTimeout (seconds, 1 to 60, default 10) bounds the wait for the
// connection and for each part of the reply.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MSyntax.h>

class RVCheckVersion : public MPxCommand {
public:
    static const char* const commandName;
    static void* creator();
    static MSyntax newSyntax();

    MStatus doIt(const MArgList& args) override;
    bool isUndoable() const override;

    // The address asked when no other is given.
    static MString defaultAddress();
    // GETs the address and gives the whole reply; false (reply unchanged) when the address
    // cannot be opened.
    static bool fetchVersion(const MString& address, MString& reply);
    // The default address's reply read as a number the way atoi reads it; 0 when the
    // server cannot be reached.
    static int newestReleaseNumber();
};
