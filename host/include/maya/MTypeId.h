#pragma once
#include <maya/MTypes.h>

// The 32-bit identifier of a node type.
class OPENMAYA_EXPORT MTypeId {
public:
    MTypeId() = default;
    explicit MTypeId(unsigned int id) : id_(id) {}
    MTypeId(unsigned int prefix, unsigned int id) : id_((prefix << 8) | (id & 0xff)) {}

    unsigned int id() const { return id_; }
    bool operator==(const MTypeId& other) const { return id_ == other.id_; }
    bool operator!=(const MTypeId& other) const { return id_ != other.id_; }

private:
    unsigned int id_ = 0;
};
