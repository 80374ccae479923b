#pragma once
#include "mesh/MeshGeometry.h"
#include "scene/Data.h"

#include <memory>

namespace rvhost {

// A mesh held as a value (MFn::kMeshData): what MFnMeshData::create makes, what mesh
// plugs carry, and what a copy of a mesh lives in.
class MeshData : public Data {
public:
    MeshData() = default;
    explicit MeshData(MeshGeometry geometry) : geometry(std::move(geometry)) {}
    MFn::Type apiType() const override { return MFn::kMeshData; }
    std::shared_ptr<Data> clone() const override { return std::make_shared<MeshData>(*this); }

    MeshGeometry geometry;
};

} // namespace rvhost
