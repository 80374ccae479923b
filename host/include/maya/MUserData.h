#pragma once
#include <maya/MTypes.h>

namespace MHWRender {

// Data a draw override prepares for its draw callback. The host deletes it after the draw
// when deleteAfterUse is true; otherwise it hands it back on the next prepare and deletes
// it with the override.
class OPENMAYA_EXPORT MUserData {
public:
    explicit MUserData(bool deleteAfterUse) : deleteAfterUse_(deleteAfterUse) {}
    virtual ~MUserData() = default;
    bool deleteAfterUse() const { return deleteAfterUse_; }
    void setDeleteAfterUse(bool deleteAfterUse) { deleteAfterUse_ = deleteAfterUse; }

private:
    bool deleteAfterUse_;
};

} // namespace MHWRender
