#pragma once
#include <maya/MDGContext.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class MPlugArray;
class MIntArray;

// One attribute of one node, or one element of an array attribute. Reading a plug
// evaluates it: a connected input gives its source's value, a dirty output is computed.
class OPENMAYA_EXPORT MPlug {
public:
    MPlug() = default;
    MPlug(const MObject& node, const MObject& attribute);

    bool isNull(MStatus* ReturnStatus = nullptr) const;
    MObject node(MStatus* ReturnStatus = nullptr) const;
    MObject attribute(MStatus* ReturnStatus = nullptr) const;
    // "node.attr[3]" with the attributes' short names; partialName without the node.
    MString name(MStatus* ReturnStatus = nullptr) const;
    MString partialName(bool includeNodeName = false, bool includeNonMandatoryIndices = false,
                        bool includeInstancedIndices = false, bool useAlias = false,
                        bool useFullAttributePath = false, bool useLongNames = false,
                        MStatus* ReturnStatus = nullptr) const;
    MString info(MStatus* ReturnStatus = nullptr) const { return name(ReturnStatus); }

    bool isArray(MStatus* ReturnStatus = nullptr) const;
    bool isElement(MStatus* ReturnStatus = nullptr) const;
    bool isCompound(MStatus* ReturnStatus = nullptr) const;
    bool isChild(MStatus* ReturnStatus = nullptr) const;
    bool isDynamic(MStatus* ReturnStatus = nullptr) const;
    bool isLocked(MStatus* ReturnStatus = nullptr) const;
    MStatus setLocked(bool locked);

    // Arrays: elements exist once set or connected; the physical index counts existing
    // elements in ascending logical order.
    unsigned int numElements(MStatus* ReturnStatus = nullptr) const;
    unsigned int evaluateNumElements(MStatus* ReturnStatus = nullptr) const;
    MPlug elementByLogicalIndex(unsigned int logicalIndex, MStatus* ReturnStatus = nullptr) const;
    MPlug elementByPhysicalIndex(unsigned int physicalIndex, MStatus* ReturnStatus = nullptr) const;
    MPlug operator[](unsigned int physicalIndex) const {
        return elementByPhysicalIndex(physicalIndex);
    }
    unsigned int logicalIndex(MStatus* ReturnStatus = nullptr) const;
    int getExistingArrayAttributeIndices(MIntArray& indices, MStatus* ReturnStatus = nullptr);
    MPlug array(MStatus* ReturnStatus = nullptr) const;
    unsigned int numChildren(MStatus* ReturnStatus = nullptr) const;
    MPlug child(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MPlug child(const MObject& attr, MStatus* ReturnStatus = nullptr) const;
    MPlug parent(MStatus* ReturnStatus = nullptr) const;

    // Connections (the dependency graph).
    bool isConnected(MStatus* ReturnStatus = nullptr) const;
    bool isSource(MStatus* ReturnStatus = nullptr) const;
    bool isDestination(MStatus* ReturnStatus = nullptr) const;
    bool connectedTo(MPlugArray& array, bool asDst, bool asSrc,
                     MStatus* ReturnStatus = nullptr) const;
    // The element of this array plug that is the physicalIndex-th among the connected
    // ones, in ascending logical order.
    MPlug connectionByPhysicalIndex(unsigned int physicalIndex,
                                    MStatus* ReturnStatus = nullptr) const;
    unsigned int numConnectedElements(MStatus* ReturnStatus = nullptr) const;

    bool asBool(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    char asChar(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    short asShort(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    int asInt(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    float asFloat(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    double asDouble(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    MString asString(MDGContext& ctx = MDGContext::fsNormal, MStatus* ReturnStatus = nullptr) const;
    MObject asMObject(MDGContext& ctx = MDGContext::fsNormal,
                      MStatus* ReturnStatus = nullptr) const;

    MStatus getValue(bool& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(int& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(short& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(float& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(double& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MString& value, MDGContext& ctx = MDGContext::fsNormal) const;
    MStatus getValue(MObject& value, MDGContext& ctx = MDGContext::fsNormal) const;

    // Setting a locked plug, a value of the wrong kind or an unwritable plug fails.
    MStatus setValue(bool value);
    MStatus setValue(char value);
    MStatus setValue(short value);
    MStatus setValue(int value);
    MStatus setValue(float value);
    MStatus setValue(double value);
    MStatus setValue(const MString& value);
    MStatus setValue(const char* value) { return setValue(MString(value)); }
    MStatus setValue(const MObject& value);

    MStatus setBool(bool value) { return setValue(value); }
    MStatus setInt(int value) { return setValue(value); }
    MStatus setShort(short value) { return setValue(value); }
    MStatus setFloat(float value) { return setValue(value); }
    MStatus setDouble(double value) { return setValue(value); }
    MStatus setString(const MString& value) { return setValue(value); }
    MStatus setMObject(const MObject& value) { return setValue(value); }

    bool operator==(const MPlug& other) const;
    bool operator!=(const MPlug& other) const { return !(*this == other); }

    // Host side: the element index (-1 when the plug is no element).
    MPlug(const MObject& node, const MObject& attribute, int index);
    int index() const { return index_; }

private:
    MObject node_;
    MObject attribute_;
    int index_ = -1;
};
