#include <maya/MFnData.h>
#include <maya/MFnStringData.h>

#include "scene/Data.h"
#include "scene/Report.h"

MFnData::MFnData(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

MFnStringData::MFnStringData(const MObject& object, MStatus* ReturnStatus) {
    rvhost::report(ReturnStatus, setObject(object));
}

MObject MFnStringData::create(const MString& text, MStatus* ReturnStatus) {
    object_ = MObject(std::make_shared<rvhost::StringData>(text.str()));
    return rvhost::reported(ReturnStatus, true, object_);
}

MObject MFnStringData::create(MStatus* ReturnStatus) {
    return create(MString(), ReturnStatus);
}

MString MFnStringData::string(MStatus* ReturnStatus) const {
    auto data = std::dynamic_pointer_cast<rvhost::StringData>(object_.object());
    return rvhost::reported(ReturnStatus, data != nullptr, data ? MString(data->text) : MString());
}

MStatus MFnStringData::set(const MString& text) {
    auto data = std::dynamic_pointer_cast<rvhost::StringData>(object_.object());
    if (!data) return MS::kFailure;
    data->text = text.str();
    return MS::kSuccess;
}
