#pragma once
#include <maya/MDGContext.h>
#include <maya/MFloatArray.h>
#include <maya/MIntArray.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <cstdint>
#include <memory>

// A handle on one node's curve ramp attribute: entries of (position, value, interpolation),
// each with an index the host assigns. Reading or editing through an unbound handle fails.
class OPENMAYA_EXPORT MRampAttribute {
public:
    enum MInterpolation { kNone = 0, kLinear = 1, kSmooth = 2, kSpline = 3 };

    MRampAttribute() = default;
    MRampAttribute(const MPlug& plug, MStatus* ReturnStatus = nullptr);
    MRampAttribute(const MObject& node, const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MRampAttribute& operator=(const MRampAttribute& other) = default;
    MRampAttribute(const MRampAttribute& other) = default;

    static MObject createCurveRamp(const MString& attrLongName, const MString& attrShortName,
                                   MStatus* ReturnStatus = nullptr);

    bool isCurveRamp(MStatus* ReturnStatus = nullptr) const;
    bool isColorRamp(MStatus* ReturnStatus = nullptr) const;
    unsigned int getNumEntries(MStatus* ReturnStatus = nullptr);
    // Entries in index order.
    void getEntries(MIntArray& indexes, MFloatArray& positions, MFloatArray& values,
                    MIntArray& interps, MStatus* ReturnStatus = nullptr);
    void addEntries(MFloatArray& positions, MFloatArray& values, MIntArray& interps,
                    MStatus* ReturnStatus = nullptr);
    void deleteEntries(MIntArray& indexes, MStatus* ReturnStatus = nullptr);
    void setValueAtIndex(float value, unsigned int index, MStatus* ReturnStatus = nullptr);
    void setPositionAtIndex(float position, unsigned int index, MStatus* ReturnStatus = nullptr);
    void setInterpolationAtIndex(MRampAttribute::MInterpolation interp, unsigned int index,
                                 MStatus* ReturnStatus = nullptr);
    void getValueAtPosition(float position, float& value, MStatus* ReturnStatus = nullptr,
                            MDGContext& ctx = MDGContext::fsNormal);

private:
    MPlug plug_;
    // The curve last read through this handle, and the host's count of value changes when
    // it was read: a brush that looks its ramp up for every vertex reads the graph once.
    std::shared_ptr<const void> curve_;
    std::uint64_t curveGeneration_ = 0;
};
