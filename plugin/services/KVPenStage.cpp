#include "services/KVPenStage.h"

#include "display/RavelinManipNode.h"
#include "sculpt/KVPSCtxData.h"

#include <algorithm>
#include <cstdlib>

double penMultiplier(const KVPenSetting& setting, const RavelinManipNode& pen) {
    switch (setting.source) {
    case 0:
        return pen.pressure * setting.scale;
    case 1:
        return static_cast<double>(std::max(std::abs(pen.xTilt), std::abs(pen.yTilt))) / 60.0 *
               setting.scale;
    default:
        return 1.0;
    }
}

double penScaled(const KVPenSetting& setting, const RavelinManipNode& pen, double running) {
    if (!setting.enabled) return running;
    if (!pen.tabletActive) return setting.mode == 0 ? 0.0 : running;
    const double factor = penMultiplier(setting, pen);
    if (setting.mode == 0) return running * factor;
    if (setting.mode == 1) return running + running * factor;
    return running;
}

void applyPenStage(const KVPSCtxData& data, const RavelinManipNode* manipulator,
                   double (&running)[4]) {
    if (!manipulator) return;
    for (int k = 0; k < 4; ++k)
        running[k] = penScaled(data.pen[k], *manipulator, running[k]);
}
