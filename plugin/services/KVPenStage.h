#pragma once
// The pen stage of the multiplier update: pressure or tilt scales the working value,
// radius, spacing and mask scale, each as its own settings say.
class KVPSCtxData;
class RavelinManipNode;
struct KVPenSetting;

// The pen's factor for one quantity: pressure x scale (source 0), the larger tilt over 60
// degrees x scale (source 1); 1 for any other source.
double penMultiplier(const KVPenSetting& setting, const RavelinManipNode& pen);

// One running value after the pen: multiplied (mode 0) or raised by its own multiple
// (mode 1) while the pen touches; with no pen contact mode 0 gives 0. Disabled settings
// and other modes leave it.
double penScaled(const KVPenSetting& setting, const RavelinManipNode& pen, double running);

// The stage for value, radius, spacing and mask scale, in that order, read from the
// manipulator's pen state; without a manipulator nothing changes.
void applyPenStage(const KVPSCtxData& data, const RavelinManipNode* manipulator,
                   double (&running)[4]);
