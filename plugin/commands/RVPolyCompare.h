#pragma once
// RVPolyCompare: for the vertices of a first mesh, the index of the nearest vertex of a
// second mesh, each measured in its own object space. Run with a child mesh first and its
// parent second, "-mv" gives the matching list the GeoLink deformer reads.
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStatus.h>
#include <maya/MSyntax.h>

class RVPolyCompare : public MPxCommand {
public:
    ~RVPolyCompare() override;
    MStatus doIt(const MArgList& args) override;

    static void* creator();
    static MSyntax newSyntax();
};
