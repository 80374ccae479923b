#pragma once
// Function-set type codes. kTransform and kMesh carry the host's documented values; the
// other codes are this host's own and only need to be distinct.

class MFn {
public:
    enum Type {
        kInvalid = 0,
        kBase = 1,
        kNamedObject = 2,
        kDependencyNode = 4,
        kDagNode = 107,
        kTransform = 110,
        kShape = 248,
        kCamera = 250,
        kGeometryFilt = 334,
        kWeightGeometryFilt = 346,
        kMesh = 296,
        kScript = 626,
        kPluginDependNode = 449,
        kPluginDeformerNode = 612,
        kPluginManipulatorNode = 1018,
        // Components.
        kComponent = 524,
        kSingleIndexedComponent = 533,
        kMeshEdgeComponent = 548,
        kMeshPolygonComponent = 549,
        kMeshVertComponent = 550,
        // Attributes.
        kAttribute = 555,
        kNumericAttribute = 565,
        kTypedAttribute = 566,
        kCompoundAttribute = 567,
        kEnumAttribute = 568,
        // Data objects.
        kData = 577,
        kIntArrayData = 584,
        kMeshData = 589,
        kStringData = 593,
        kPointArrayData = 594,
        kDoubleArrayData = 595,
        kPluginData = 596,
        kPlugin = 597,
    };
};
