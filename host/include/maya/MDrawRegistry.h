#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

namespace MHWRender {

class MPxDrawOverride;

// Where plug-ins say which draw override serves nodes of a draw classification
// ("drawdb/geometry/..."), as named in the node type's classification string.
class OPENMAYA_EXPORT MDrawRegistry {
public:
    typedef MPxDrawOverride* (*DrawOverrideCreator)(const MObject& obj);

    // Fails when the classification already has a creator from the same registrant.
    static MStatus registerDrawOverrideCreator(const MString& drawClassification,
                                               const MString& registrantId,
                                               DrawOverrideCreator creatorFunction);
    // Fails when no such registration exists. Overrides made by the creator are deleted.
    static MStatus deregisterDrawOverrideCreator(const MString& drawClassification,
                                                 const MString& registrantId);
};

} // namespace MHWRender
