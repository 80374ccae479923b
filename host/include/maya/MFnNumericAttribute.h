#pragma once
#include <maya/MFnAttribute.h>
#include <maya/MFnNumericData.h>

// Attributes holding numbers: boolean, short, int, float, double, and triples of them.
class OPENMAYA_EXPORT MFnNumericAttribute : public MFnAttribute {
public:
    MFnNumericAttribute() = default;
    MFnNumericAttribute(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kNumericAttribute; }

    // Supported: kBoolean, kShort, kInt (kLong), kFloat, kDouble, k3Float, k3Double.
    MObject create(const MString& fullName, const MString& briefName, MFnNumericData::Type unitType,
                   double defaultValue = 0.0, MStatus* ReturnStatus = nullptr);
    MFnNumericData::Type unitType(MStatus* ReturnStatus = nullptr) const;

    MStatus setMin(double min);
    MStatus setMax(double max);
    MStatus setDefault(double value);
    MStatus setDefault(int value) { return setDefault(static_cast<double>(value)); }
    MStatus setDefault(bool value) { return setDefault(value ? 1.0 : 0.0); }
    bool hasMin(MStatus* ReturnStatus = nullptr) const;
    bool hasMax(MStatus* ReturnStatus = nullptr) const;
    MStatus getMin(double& min) const;
    MStatus getMax(double& max) const;
    MStatus getDefault(double& value) const;
};
