#pragma once
// Includes run one way: shell > services > {display, heightmap, commands, nodes} > sculpt.
// The GeoLink deformer: every vertex of the deformed (child) mesh takes the position of
// the parent vertex its matching list names. Nothing is blended, so the envelope and the
// weights play no part.
#include <maya/MDataBlock.h>
#include <maya/MItGeometry.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPxDeformerNode.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>

class RVGeoLink : public MPxDeformerNode {
public:
    static const MTypeId id;
    static const char* const typeName;
    // One integer array per deformed geometry, and the parent mesh.
    static MObject matchedVtxIdsIn;
    static MObject parentGeometryIn;

    static void* creator();
    static MStatus initialize();

    ~RVGeoLink() override;
    MStatus deform(MDataBlock& block, MItGeometry& iter, const MMatrix& matrix,
                   unsigned int multiIndex) override;
};
