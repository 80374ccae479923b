#include <maya/MObject.h>

#include "core/Object.h"

const MObject MObject::kNullObj;

namespace rvhost {

namespace {
struct TypeInfo {
    MFn::Type type;
    MFn::Type parent;
    const char* name;
};

constexpr TypeInfo kTypes[] = {
    {MFn::kBase, MFn::kInvalid, "kBase"},
    {MFn::kNamedObject, MFn::kBase, "kNamedObject"},
    {MFn::kDependencyNode, MFn::kNamedObject, "kDependencyNode"},
    {MFn::kDagNode, MFn::kDependencyNode, "kDagNode"},
    {MFn::kTransform, MFn::kDagNode, "kTransform"},
    {MFn::kShape, MFn::kDagNode, "kShape"},
    {MFn::kCamera, MFn::kShape, "kCamera"},
    {MFn::kMesh, MFn::kShape, "kMesh"},
    {MFn::kGeometryFilt, MFn::kDependencyNode, "kGeometryFilt"},
    {MFn::kWeightGeometryFilt, MFn::kGeometryFilt, "kWeightGeometryFilt"},
    {MFn::kPluginDeformerNode, MFn::kWeightGeometryFilt, "kPluginDeformerNode"},
    {MFn::kPluginDependNode, MFn::kDependencyNode, "kPluginDependNode"},
    {MFn::kPluginManipulatorNode, MFn::kDagNode, "kPluginManipulatorNode"},
    {MFn::kScript, MFn::kDependencyNode, "kScript"},
    {MFn::kComponent, MFn::kBase, "kComponent"},
    {MFn::kSingleIndexedComponent, MFn::kComponent, "kSingleIndexedComponent"},
    {MFn::kMeshEdgeComponent, MFn::kSingleIndexedComponent, "kMeshEdgeComponent"},
    {MFn::kMeshPolygonComponent, MFn::kSingleIndexedComponent, "kMeshPolygonComponent"},
    {MFn::kMeshVertComponent, MFn::kSingleIndexedComponent, "kMeshVertComponent"},
    {MFn::kAttribute, MFn::kBase, "kAttribute"},
    {MFn::kNumericAttribute, MFn::kAttribute, "kNumericAttribute"},
    {MFn::kTypedAttribute, MFn::kAttribute, "kTypedAttribute"},
    {MFn::kCompoundAttribute, MFn::kAttribute, "kCompoundAttribute"},
    {MFn::kEnumAttribute, MFn::kAttribute, "kEnumAttribute"},
    {MFn::kData, MFn::kBase, "kData"},
    {MFn::kIntArrayData, MFn::kData, "kIntArrayData"},
    {MFn::kMeshData, MFn::kData, "kMeshData"},
    {MFn::kStringData, MFn::kData, "kStringData"},
    {MFn::kPointArrayData, MFn::kData, "kPointArrayData"},
    {MFn::kDoubleArrayData, MFn::kData, "kDoubleArrayData"},
    {MFn::kPluginData, MFn::kData, "kPluginData"},
    {MFn::kPlugin, MFn::kBase, "kPlugin"},
};

const TypeInfo* find(MFn::Type type) {
    for (const TypeInfo& info : kTypes)
        if (info.type == type) return &info;
    return nullptr;
}
} // namespace

MFn::Type parentType(MFn::Type type) {
    const TypeInfo* info = find(type);
    return info ? info->parent : MFn::kInvalid;
}

bool typeIncludes(MFn::Type actual, MFn::Type wanted) {
    for (MFn::Type t = actual; t != MFn::kInvalid; t = parentType(t))
        if (t == wanted) return true;
    return false;
}

const char* typeName(MFn::Type type) {
    const TypeInfo* info = find(type);
    return info ? info->name : "kInvalid";
}

} // namespace rvhost

MFn::Type MObject::apiType() const {
    return object_ ? object_->apiType() : MFn::kInvalid;
}

const char* MObject::apiTypeStr() const {
    return rvhost::typeName(apiType());
}

bool MObject::hasFn(MFn::Type type) const {
    return object_ && rvhost::typeIncludes(object_->apiType(), type);
}
