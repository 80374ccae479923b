#include <maya/MFnIntArrayData.h>

#include "scene/Data.h"
#include "scene/Report.h"

using rvhost::IntArrayData;
using rvhost::report;
using rvhost::reported;

namespace {
IntArrayData* dataOf(const MObject& object) {
    return dynamic_cast<IntArrayData*>(object.object().get());
}
} // namespace

MFnIntArrayData::MFnIntArrayData(const MObject& object, MStatus* ReturnStatus) {
    report(ReturnStatus, setObject(object));
}

MObject MFnIntArrayData::create(const MIntArray& values, MStatus* ReturnStatus) {
    object_ = MObject(std::make_shared<IntArrayData>());
    set(values);
    return reported(ReturnStatus, true, object_);
}

MObject MFnIntArrayData::create(MStatus* ReturnStatus) {
    return create(MIntArray(), ReturnStatus);
}

MIntArray MFnIntArrayData::array(MStatus* ReturnStatus) const {
    MIntArray values;
    report(ReturnStatus, copyTo(values));
    return values;
}

MStatus MFnIntArrayData::set(const MIntArray& values) {
    IntArrayData* data = dataOf(object_);
    if (!data) return MS::kFailure;
    data->values.assign(values.items().begin(), values.items().end());
    return MS::kSuccess;
}

MStatus MFnIntArrayData::copyTo(MIntArray& values) const {
    IntArrayData* data = dataOf(object_);
    if (!data) return MS::kFailure;
    values.items().assign(data->values.begin(), data->values.end());
    return MS::kSuccess;
}

unsigned int MFnIntArrayData::length(MStatus* ReturnStatus) const {
    IntArrayData* data = dataOf(object_);
    return reported(ReturnStatus, data, data ? static_cast<unsigned int>(data->values.size()) : 0u);
}

int MFnIntArrayData::operator[](unsigned int index) const {
    IntArrayData* data = dataOf(object_);
    return data && index < data->values.size() ? data->values[index] : 0;
}
