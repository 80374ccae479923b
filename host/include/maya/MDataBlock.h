#pragma once
#include <maya/MArrayDataHandle.h>
#include <maya/MDGContext.h>
#include <maya/MDataHandle.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>

// A node's values during a compute. Input values are evaluated (pulled through
// connections); output values are written into the node.
class OPENMAYA_EXPORT MDataBlock {
public:
    MDataHandle inputValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MDataHandle inputValue(const MPlug& plug, MStatus* ReturnStatus = nullptr);
    MDataHandle outputValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MDataHandle outputValue(const MPlug& plug, MStatus* ReturnStatus = nullptr);
    MArrayDataHandle inputArrayValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MArrayDataHandle outputArrayValue(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MStatus setClean(const MObject& attribute);
    MStatus setClean(const MPlug& plug);
    bool isClean(const MObject& attribute, MStatus* ReturnStatus = nullptr);
    MDGContext context() { return MDGContext(); }

    // Host side.
    explicit MDataBlock(rvhost::Node& node) : node_(&node) {}

private:
    MDataHandle handle(const MObject& attribute, int index, bool output, MStatus* ReturnStatus);
    MArrayDataHandle arrayHandle(const MObject& attribute, bool output, MStatus* ReturnStatus);

    rvhost::Node* node_;
};
