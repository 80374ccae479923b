#pragma once
#include <maya/MFn.h>
#include <maya/MTypes.h>

#include <memory>

namespace rvhost {
class Object;
}

// An opaque handle to a host object: a node, an attribute, a data block or a component.
// Handles compare equal when they name the same object.
class OPENMAYA_EXPORT MObject {
public:
    MObject() = default;

    bool isNull() const { return !object_; }
    MFn::Type apiType() const;
    const char* apiTypeStr() const;
    bool hasFn(MFn::Type type) const;
    bool operator==(const MObject& other) const { return object_ == other.object_; }
    bool operator!=(const MObject& other) const { return object_ != other.object_; }

    static const MObject kNullObj;

    // Host side only: the object behind the handle.
    explicit MObject(std::shared_ptr<rvhost::Object> object) : object_(std::move(object)) {}
    const std::shared_ptr<rvhost::Object>& object() const { return object_; }

private:
    std::shared_ptr<rvhost::Object> object_;
};
