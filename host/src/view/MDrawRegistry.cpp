#include <maya/MDrawRegistry.h>

#include "view/DrawOverrideRegistry.h"

namespace MHWRender {

MStatus MDrawRegistry::registerDrawOverrideCreator(const MString& drawClassification,
                                                   const MString& registrantId,
                                                   DrawOverrideCreator creatorFunction) {
    return rvhost::DrawOverrideRegistry::instance().add(drawClassification.asChar(),
                                                        registrantId.asChar(), creatorFunction);
}

MStatus MDrawRegistry::deregisterDrawOverrideCreator(const MString& drawClassification,
                                                     const MString& registrantId) {
    return rvhost::DrawOverrideRegistry::instance().remove(drawClassification.asChar(),
                                                           registrantId.asChar());
}

} // namespace MHWRender
