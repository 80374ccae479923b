#include "sculpt/KVPSCtxData.h"

#include "sculpt/KVSculptServices.h"

#include <maya/MGlobal.h>

#include <cfloat>
#include <cmath>

namespace {
KVPSCtxData theSculptState;

MString option(const char* name) {
    return MString("RVOption_") + name;
}

// A setting of inf or NaN ("inf" typed into an option variable) would spread into every
// point a brush touches: it is refused, and the field keeps the value it had.
bool finiteSetting(const MString& variable, double v, double limit) {
    if (std::isfinite(v) && std::fabs(v) <= limit) return true;
    MGlobal::displayWarning("Ravelin: option variable " + variable +
                            " is not a finite number; the setting keeps its value.");
    return false;
}

// Each reader leaves the field alone when the variable does not exist.
void readDouble(const char* name, double& field) {
    bool exists = false;
    const double v = MGlobal::optionVarDoubleValue(option(name), &exists);
    if (exists && finiteSetting(option(name), v, DBL_MAX)) field = v;
}
void readFloat(const char* name, float& field) {
    bool exists = false;
    const double v = MGlobal::optionVarDoubleValue(option(name), &exists);
    if (exists && finiteSetting(option(name), v, FLT_MAX)) field = static_cast<float>(v);
}
void readInt(const char* name, int& field) {
    bool exists = false;
    const int v = MGlobal::optionVarIntValue(option(name), &exists);
    if (exists) field = v;
}
void readFlag(const char* name, bool& field) {
    bool exists = false;
    const int v = MGlobal::optionVarIntValue(option(name), &exists);
    if (exists) field = v != 0;
}
// R decides: without it the colour keeps all three channels.
void readColour(const char* prefix, MColor& colour) {
    bool exists = false;
    const MString base = option(prefix);
    const double r = MGlobal::optionVarDoubleValue(base + "R", &exists);
    if (!exists) return;
    const double g = MGlobal::optionVarDoubleValue(base + "G");
    const double b = MGlobal::optionVarDoubleValue(base + "B");
    if (!finiteSetting(base, std::fabs(r) + std::fabs(g) + std::fabs(b), FLT_MAX)) return;
    colour = MColor(float(r), float(g), float(b), 1.0f);
}
} // namespace

KVPSCtxData::KVPSCtxData() {
    pen[1].mode = 1; // radius and spacing add by default
    pen[2].mode = 1;
}

KVPSCtxData& KVPSCtxData::instance() {
    return theSculptState;
}

int KVPSCtxData::reflectionCode(bool first, bool second, bool third) {
    if (first && second && third) return 7;
    if (second && third) return 6;
    if (first && third) return 5;
    if (first && second) return 4;
    if (third) return 3;
    if (second) return 2;
    return first ? 1 : 0;
}

void KVPSCtxData::loadNumbers() {
    readDouble("radius", radius);
    readDouble("fallOff", fallOff);
    readDouble("value", value);
    readDouble("hValue", hValue);
    readDouble("accumCapValue", accumCapValue);
    readDouble("spacing", spacing);
    readDouble("smoothScale", smoothScale);
    readDouble("pinchScale", pinchScale);
    readDouble("smearScale", smearScale);
    readDouble("maskScale", maskScale);
    readDouble("flatScale", flatScale);
    readDouble("bulgeScale", bulgeScale);
    readDouble("tabletPressureValueScale", pen[0].scale);
    readDouble("tabletPressureRadiusScale", pen[1].scale);
    readDouble("tabletPressureSpacingScale", pen[2].scale);
    readDouble("tabletPressureMaskScale", pen[3].scale);
    readDouble("dSubdivAreaTolerance", dSubdivAreaTolerance);
    readDouble("valueEnvelopeTime", valueEnvelopeTime);
    readDouble("radiusEnvelopeTime", radiusEnvelopeTime);
    readDouble("valueEnvelopeDistance", valueEnvelopeDistance);
    readDouble("radiusEnvelopeDistance", radiusEnvelopeDistance);
    readDouble("continuousThreshold", continuousThreshold);
}

void KVPSCtxData::loadColours() {
    readColour("vertexColor", vertexColor);
    readColour("maskColor", maskColor);
    readColour("grabRotateColor", grabRotateColor);
    readFloat("vertexSize", vertexSize);
    readFloat("normalDisplayScale", normalDisplayScale);
    int radiusPixels = cursorRadius;
    readInt("cursorRadius", radiusPixels);
    cursorRadius = static_cast<short>(radiusPixels & 0xffff);
    readInt("centerNormalStackSize", centerNormalStackSize);
    readInt("valueEnvelopeMode", valueEnvelopeMode);
    readInt("radiusEnvelopeMode", radiusEnvelopeMode);
    readInt("mode", mode);
    readInt("vertexAreaSelection", vertexAreaSelection);
    readInt("vectorType", vectorType);
    readInt("reflectSpace", reflectSpace);
    readInt("grabRotateAxis", grabRotateAxis);
    readInt("vertexSearchArea", vertexSearchArea);
    readInt("tabletPressureModeValue", pen[0].mode);
    readInt("tabletPressureModeRadius", pen[1].mode);
    readInt("tabletPressureModeSpacing", pen[2].mode);
    readInt("tabletPressureModeMask", pen[3].mode);
    readInt("tabletAssignAttrValue", pen[0].source);
    readInt("tabletAssignAttrRadius", pen[1].source);
    readInt("tabletAssignAttrSpacing", pen[2].source);
    readInt("tabletAssignAttrMask", pen[3].source);
    readInt("tabletAssignEraserTool", tabletAssignEraserTool);
}

void KVPSCtxData::loadFlags() {
    readFlag("useAccumulation", useAccumulation);
    readFlag("useAccumCap", useAccumCap);
    readFlag("useMask", useMask);
    readFlag("realtimeUpdate", realtimeUpdate);
    readFlag("reflectAxisX", reflectAxisX);
    readFlag("reflectAxisY", reflectAxisY);
    readFlag("reflectAxisZ", reflectAxisZ);
    // Z before Y: reflectAxisZ mirrors y and reflectAxisY mirrors z.
    reflectCode = reflectionCode(reflectAxisX, reflectAxisZ, reflectAxisY);
    readFlag("grabScaleAxisX", grabScaleAxisX);
    readFlag("grabScaleAxisY", grabScaleAxisY);
    readFlag("grabScaleAxisZ", grabScaleAxisZ);
    grabScaleCode = reflectionCode(grabScaleAxisX, grabScaleAxisY, grabScaleAxisZ);
    readFlag("flipReflectedGrabRotation", flipReflectedGrabRotation);
    readFlag("projectReflection", projectReflection);
    readFlag("useRadiusEnvelope", useRadiusEnvelope);
    readFlag("useValueEnvelope", useValueEnvelope);
    readFlag("displayCenterNormal", displayCenterNormal);
    readFlag("continuousMouse", continuousMouse);
    readFlag("tabletPressureToValue", pen[0].enabled);
    readFlag("tabletPressureToRadius", pen[1].enabled);
    readFlag("tabletPressureToSpacing", pen[2].enabled);
    readFlag("tabletPressureToMask", pen[3].enabled);
}

void KVPSCtxData::deriveAndBase() {
    baseValue = value;
    baseHValue = hValue;
    baseFallOff = fallOff;
    baseRadius = radius;
    baseSpacing = spacing;
    baseMaskScale = maskScale;
    brushDiameter = 2.0 * radius;
    baseMode = mode;
    baseVectorType = vectorType;
}

MStatus KVPSCtxData::loadSculptSettings() {
    loadNumbers();
    loadColours();
    loadFlags();
    // The stencil keeps its own three settings.
    KVSculptServices::current().loadStencilSettings();
    deriveAndBase();
    return MS::kSuccess;
}

void KVPSCtxData::restoreWorkingSettings() {
    radius = baseRadius;
    value = baseValue;
    spacing = baseSpacing;
    maskScale = baseMaskScale;
    mode = baseMode;
    vectorType = baseVectorType;
}
