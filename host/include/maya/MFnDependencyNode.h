#pragma once
#include <maya/MFnBase.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

#include <memory>

class MPxNode;
namespace rvhost {
class Node;
}

// Function set on any dependency node: names, type, attributes and plugs.
class OPENMAYA_EXPORT MFnDependencyNode : public MFnBase {
public:
    enum MAttrClass { kLocalDynamicAttr = 1, kNormalAttr, kExtensionAttr, kInvalidAttr };

    MFnDependencyNode() = default;
    MFnDependencyNode(const MObject& object, MStatus* ReturnStatus = nullptr);
    MFn::Type type() const override { return MFn::kDependencyNode; }

    // Creates a node of a registered type (built-in or plug-in) named after the type.
    MObject create(const MTypeId& typeId, MStatus* ReturnStatus = nullptr);
    MObject create(const MTypeId& typeId, const MString& name, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& type, MStatus* ReturnStatus = nullptr);
    MObject create(const MString& type, const MString& name, MStatus* ReturnStatus = nullptr);

    MString name(MStatus* ReturnStatus = nullptr) const;
    // Returns the name given, which differs from the wanted one on a clash.
    MString setName(const MString& name, bool createNamespace = false,
                    MStatus* ReturnStatus = nullptr);
    MString typeName(MStatus* ReturnStatus = nullptr) const;
    MTypeId typeId(MStatus* ReturnStatus = nullptr) const;
    MPxNode* userNode(MStatus* ReturnStatus = nullptr) const;
    bool isFromReferencedFile(MStatus* ReturnStatus = nullptr) const;
    bool isLocked(MStatus* ReturnStatus = nullptr) const;

    unsigned int attributeCount(MStatus* ReturnStatus = nullptr) const;
    MObject attribute(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MObject attribute(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
    bool hasAttribute(const MString& name, MStatus* ReturnStatus = nullptr) const;
    MStatus addAttribute(const MObject& attr, MAttrClass type = kLocalDynamicAttr);
    MStatus removeAttribute(const MObject& attr, MAttrClass type = kLocalDynamicAttr);
    MAttrClass attributeClass(const MObject& attr, MStatus* ReturnStatus = nullptr) const;

    MPlug findPlug(const MString& attrName, bool wantNetworkedPlug,
                   MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MString& attrName, MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MObject& attr, bool wantNetworkedPlug,
                   MStatus* ReturnStatus = nullptr) const;
    MPlug findPlug(const MObject& attr, MStatus* ReturnStatus = nullptr) const;

protected:
    // The node the set is attached to; reports failure through ReturnStatus when none.
    std::shared_ptr<rvhost::Node> node(MStatus* ReturnStatus) const;
};
