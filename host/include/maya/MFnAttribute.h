#pragma once
#include <maya/MFnBase.h>
#include <maya/MString.h>

#include <memory>

namespace rvhost {
class Attribute;
}

// Flags and names of an attribute.
class OPENMAYA_EXPORT MFnAttribute : public MFnBase {
public:
    MFnAttribute() = default;
    MFnAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kAttribute; }

    MString name(MStatus* ReturnStatus = nullptr) const;
    MString shortName(MStatus* ReturnStatus = nullptr) const;
    MObject parent(MStatus* ReturnStatus = nullptr) const;

    bool isReadable(MStatus* ReturnStatus = nullptr) const;
    bool isWritable(MStatus* ReturnStatus = nullptr) const;
    bool isConnectable(MStatus* ReturnStatus = nullptr) const;
    bool isStorable(MStatus* ReturnStatus = nullptr) const;
    bool isCached(MStatus* ReturnStatus = nullptr) const;
    bool isArray(MStatus* ReturnStatus = nullptr) const;
    bool isHidden(MStatus* ReturnStatus = nullptr) const;
    bool isKeyable(MStatus* ReturnStatus = nullptr) const;
    bool isIndexMatters(MStatus* ReturnStatus = nullptr) const;

    MStatus setReadable(bool state);
    MStatus setWritable(bool state);
    MStatus setConnectable(bool state);
    MStatus setStorable(bool state);
    MStatus setCached(bool state);
    MStatus setArray(bool state);
    MStatus setHidden(bool state);
    MStatus setKeyable(bool state);
    MStatus setIndexMatters(bool state);
    MStatus setUsesArrayDataBuilder(bool state);

protected:
    rvhost::Attribute* attribute() const;
    bool status(MStatus* ReturnStatus) const;
    MStatus setFlag(bool rvhost::Attribute::*flag, bool state);
    bool flag(bool rvhost::Attribute::*flag, MStatus* ReturnStatus) const;
    // Makes a new attribute, attaches the set to it and returns its handle.
    MObject adopt(const std::shared_ptr<rvhost::Attribute>& attribute, MStatus* ReturnStatus);
};
