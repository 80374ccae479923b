#pragma once
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

// Base of every function set: the object it is attached to and its compatibility test.
class OPENMAYA_EXPORT MFnBase {
public:
    MFnBase() = default;
    virtual ~MFnBase() = default;

    // The function-set type; an object is compatible when its type includes this one.
    virtual MFn::Type type() const { return MFn::kBase; }
    bool hasObj(MFn::Type type) const;
    bool hasObj(const MObject& object) const;
    MObject object(MStatus* ReturnStatus = nullptr) const;
    // Attaches to a compatible object; an incompatible one leaves the set empty and fails.
    virtual MStatus setObject(const MObject& object);

protected:
    MObject object_;
};
