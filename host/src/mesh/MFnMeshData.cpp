#include <maya/MFnMeshData.h>

#include "mesh/MeshData.h"
#include "scene/Report.h"

MFnMeshData::MFnMeshData(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

MObject MFnMeshData::create(MStatus* ReturnStatus) {
    object_ = MObject(std::make_shared<rvhost::MeshData>());
    rvhost::report(ReturnStatus, MS::kSuccess);
    return object_;
}
