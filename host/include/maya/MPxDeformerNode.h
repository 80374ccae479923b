#pragma once
#include <maya/MDataBlock.h>
#include <maya/MItGeometry.h>
#include <maya/MMatrix.h>
#include <maya/MPxNode.h>

// Base of plug-in deformers. The host's compute copies each input geometry to its output
// and calls deform on it; a failing deform leaves the output as the input was.
class OPENMAYA_EXPORT MPxDeformerNode : public MPxNode {
public:
    MPxDeformerNode() = default;
    ~MPxDeformerNode() override;

    Type type() const override { return kDeformerNode; }
    MStatus compute(const MPlug& plug, MDataBlock& dataBlock) override;
    virtual MStatus deform(MDataBlock& block, MItGeometry& iter, const MMatrix& matrix,
                           unsigned int multiIndex);

    // input[i] (inputGeometry, groupId), outputGeometry[i], envelope.
    static MObject input;
    static MObject inputGeom;
    static MObject groupId;
    static MObject outputGeom;
    static MObject envelope;
};
