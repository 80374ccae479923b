#include "sculpt/KVSculptRegistry.h"

#include "sculpt/KVSculptServices.h"

#include <maya/MFnDagNode.h>
#include <maya/MFnData.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>
#include <maya/MFnTypedAttribute.h>
#include <maya/MGlobal.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>

#include <cstring>
#include <string>

namespace {
// The stencil plane is scenery, never sculpted, whether its transform or its shape is
// selected.
bool isStencilPlane(const MDagPath& path) {
    const MDagPath plane = KVSculptServices::current().stencilPlane();
    if (!plane.isValid()) return false;
    MDagPath shape = path;
    unsigned int shapes = 0;
    shape.numberOfShapesDirectlyBelow(shapes);
    if (shapes > 0) shape.extendToShape();
    return path == plane || shape == plane;
}

KVSculptRegistry theRegistry;

const char* const kTagName = "RavelinSculptID";
const char* const kTagShortName = "rvId";
const char* const kGeoLinkWarning =
    "Ravelin: cannot sculpt a GeoLink Child Mesh; remove the link first.";

bool sameId(const UUID& a, const UUID& b) {
    return std::memcmp(&a, &b, sizeof(UUID)) == 0;
}

bool inModel(const MDagPath& path) {
    return MFnDagNode(path).inModel();
}

bool nameMatches(const MDagPath& path, const MString& name) {
    return path.partialPathName() == name || path.fullPathName() == name;
}

MStatus resolve(const MString& name, MDagPath& path) {
    MSelectionList list;
    MStatus status = list.add(name);
    if (!status) return status;
    return list.getDagPath(0, path);
}

void extendToShapeBelow(MDagPath& path) {
    unsigned int shapes = 0;
    path.numberOfShapesDirectlyBelow(shapes);
    if (shapes > 0) path.extendToShape();
}

bool hasLink(const RVMeshData& record, const MDagPath& parent, const MDagPath& child) {
    for (const SurfaceLink& link : record.links)
        if (link.parent == parent && link.child == child) return true;
    return false;
}

// "$gNAME[i] = \"TEXT\"; "
std::string element(const char* array, int index, const MString& text) {
    return std::string("$") + array + "[" + std::to_string(index) + "] = \"" + text.asChar() +
           "\"; ";
}
} // namespace

MString identifierText(const UUID& id) {
    RPC_CSTR text = nullptr;
    UUID copy = id; // the Windows headers take a non-const UUID
    UuidToStringA(&copy, &text);
    MString result(reinterpret_cast<const char*>(text));
    RpcStringFreeA(&text);
    return result;
}

UUID identifierFromText(const MString& text) {
    UUID id{};
    UuidFromStringA(reinterpret_cast<RPC_CSTR>(const_cast<char*>(text.asChar())), &id);
    return id;
}

KVSculptRegistry& KVSculptRegistry::instance() {
    return theRegistry;
}

int KVSculptRegistry::registerMesh(const MDagPath& meshPath) {
    MFnDependencyNode node(meshPath.node());
    const bool tagged = node.hasAttribute(kTagName);
    int index = 0;
    const bool found = findRecordByTag(meshPath, index);
    if (found) current_ = index;
    if (found) {
        if (records_[index].isStale()) rebuildAt(index);
    } else {
        RVMeshData record;
        record.meshPath = meshPath;
        rebuildRecord(record);
        if (!tagged) {
            MFnTypedAttribute typed;
            MObject attr = typed.create(kTagName, kTagShortName, MFnData::kString);
            typed.setReadable(true);
            typed.setWritable(true);
            typed.setStorable(true);
            typed.setHidden(true);
            node.addAttribute(attr);
        }
        node.findPlug(kTagName).setValue(identifierText(record.identifier));
        record.history.pushSnapshot(meshPath, record.maskFlag, record.maskWeight);
        records_.push_back(std::move(record));
        current_ = size() - 1;
    }
    publishToScripts();
    return current_;
}

MStatus KVSculptRegistry::addMesh(MDagPath path) {
    if (!path.hasFn(MFn::kTransform) && !path.hasFn(MFn::kMesh)) return MS::kFailure;
    extendToShapeBelow(path);
    if (path.apiType() != MFn::kMesh) return MS::kFailure;
    if (isGeoLinkedChild(path)) {
        MGlobal::displayWarning(kGeoLinkWarning);
        return MS::kFailure;
    }
    const int before = size();
    const int index = registerMesh(path);
    if (size() > before) builtForRefresh_.push_back(records_[index].identifier);
    KVPSCtxData::instance().meshesReady = true;
    return MS::kSuccess;
}

MStatus KVSculptRegistry::addSelected() {
    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    MStatus status = MS::kFailure;
    for (unsigned int i = 0; i < selection.length(); ++i) {
        MDagPath path;
        status = selection.getDagPath(i, path);
        if (status && !isStencilPlane(path)) status = addMesh(path);
    }
    MGlobal::clearSelectionList();
    return status;
}

RVMeshData* KVSculptRegistry::currentRecord() {
    if (records_.empty()) return nullptr;
    RVMeshData& record = records_[current_];
    if (!inModel(record.meshPath)) return nullptr;
    if (record.isStale()) rebuildRecord(record);
    return &record;
}

MStatus KVSculptRegistry::selectRecordById(const UUID& id) {
    if (!records_.empty() && sameId(records_[current_].identifier, id)) return MS::kSuccess;
    bool matched = false;
    for (int i = 0; i < size(); ++i)
        if (sameId(records_[i].identifier, id)) {
            current_ = i;
            matched = true;
        }
    return matched ? MS::kSuccess : MS::kNotFound;
}

bool KVSculptRegistry::findRecordById(const UUID& id, int& index) const {
    index = 0;
    for (int i = 0; i < size(); ++i)
        if (sameId(records_[i].identifier, id)) {
            index = i;
            return true;
        }
    return false;
}

MStatus KVSculptRegistry::findIndexByPath(const MDagPath& path, int& index) const {
    if (!records_.empty() && records_[current_].meshPath == path) {
        index = current_;
        return MS::kSuccess;
    }
    for (int i = 0; i < size(); ++i)
        if (records_[i].meshPath == path) {
            index = i;
            return MS::kSuccess;
        }
    return MS::kNotFound;
}

int KVSculptRegistry::countByPath(const MDagPath& path) const {
    int count = 0;
    for (const RVMeshData& record : records_)
        if (record.meshPath == path) ++count;
    return count;
}

bool KVSculptRegistry::anyInModel() const {
    for (const RVMeshData& record : records_)
        if (inModel(record.meshPath)) return true;
    return false;
}

MStatus KVSculptRegistry::rebuildRecord(RVMeshData& record) {
    MStatus status;
    MFnMesh mesh(record.meshPath, &status);
    if (!status) return status;
    record.name = record.meshPath.fullPathName();
    const int countBefore = record.vertexCount;
    record.buildMeshRecord();
    record.intersectionParams = MFnMesh::autoUniformGridParams();
    // A build that met a new vertex count read the polygons and neighbours already; with
    // the same count the polygons may still have changed.
    if (record.vertexCount == countBefore) record.readTopologyIfChanged();
    return status;
}

MStatus KVSculptRegistry::rebuildAt(int index) {
    if (index < 0 || index >= size() || !inModel(records_[index].meshPath)) return MS::kFailure;
    return rebuildRecord(records_[index]);
}

void KVSculptRegistry::refreshAll() {
    std::vector<UUID> built;
    built.swap(builtForRefresh_);
    if (records_.empty()) return;
    const auto justBuilt = [&built](const RVMeshData& record) {
        for (const UUID& id : built)
            if (sameId(id, record.identifier)) return true;
        return false;
    };
    for (RVMeshData& record : records_)
        if (inModel(record.meshPath) && !justBuilt(record)) rebuildRecord(record);
    publishToScripts();
}

MStatus KVSculptRegistry::removeByPath(const MDagPath& path) {
    if (size() == 1 && records_[0].meshPath == path) {
        removeAll();
        return MS::kSuccess;
    }
    bool removed = false;
    for (int i = 0; i < size();) {
        if (records_[i].meshPath == path) {
            records_.erase(records_.begin() + i);
            clampCurrent();
            removed = true;
        } else {
            ++i;
        }
    }
    publishToScripts();
    return removed ? MS::kSuccess : MS::kNotFound;
}

MStatus KVSculptRegistry::removeByName(const MString& name) {
    const int index = findByName(name);
    if (index < 0) return MS::kNotFound;
    records_.erase(records_.begin() + index);
    if (index == current_) --current_;
    if (current_ < 0 || current_ >= size()) current_ = empty() ? 0 : size() - 1;
    publishToScripts();
    return MS::kSuccess;
}

void KVSculptRegistry::removeAll() {
    records_.clear();
    current_ = 0;
    publishToScripts();
}

MStatus KVSculptRegistry::renameCache(const MString& oldName, const MString& newName) {
    const int index = findByName(oldName);
    if (index < 0) return MS::kNotFound;
    MDagPath renamed;
    if (!resolve(newName, renamed)) return MS::kNotFound;
    extendToShapeBelow(renamed);
    if (renamed.apiType() != MFn::kMesh) return MS::kNotFound;
    const MDagPath oldPath = records_[index].meshPath;
    removeByPath(oldPath);
    registerMesh(renamed);
    publishToScripts();
    return MS::kSuccess;
}

MStatus KVSculptRegistry::linkSurface(const MString& parentName, const MString& childName) {
    MDagPath parent, child;
    MStatus status = resolve(parentName, parent);
    if (!status) return status;
    status = resolve(childName, child);
    if (!status) return status;
    if (parent == child) return MS::kFailure;
    int index = 0;
    if (!findRecordByTag(parent, index)) index = registerMesh(parent);
    const UUID parentId = records_[index].identifier;
    if (countByPath(child) > 0) removeByPath(child);
    findRecordById(parentId, index);
    RVMeshData& record = records_[index];
    if (!hasLink(record, parent, child)) record.links.push_back(SurfaceLink{child, parent});
    return MS::kSuccess;
}

MStatus KVSculptRegistry::unlinkSurface(const MString& parentName, const MString& childName) {
    if (!isLinked(parentName, childName)) return MS::kNotFound;
    MDagPath parent, child;
    resolve(parentName, parent);
    resolve(childName, child);
    if (!MFnDependencyNode(parent.node()).hasAttribute(kTagName)) return MS::kFailure;
    int index = 0;
    if (!findRecordByTag(parent, index)) return MS::kNotFound;
    auto& links = records_[index].links;
    for (auto it = links.begin(); it != links.end(); ++it)
        if (it->parent == parent && it->child == child) {
            links.erase(it);
            break;
        }
    return MS::kSuccess;
}

bool KVSculptRegistry::isLinked(const MString& parentName, const MString& childName) {
    MDagPath parent, child;
    if (!resolve(parentName, parent) || !resolve(childName, child)) return false;
    int index = 0;
    if (!findIndexByPath(parent, index)) return false;
    return hasLink(records_[index], parent, child);
}

bool KVSculptRegistry::isGeoLinkedChild(const MDagPath& path) const {
    bool exists = false;
    MString name = MGlobal::optionVarStringValue("RVNameRef_isLinkedChildAttr", &exists);
    if (!exists) name = "isGeoLinkedChild";
    MFnDependencyNode node(path.node());
    if (!node.hasAttribute(name)) return false;
    return node.findPlug(name).asBool();
}

void KVSculptRegistry::publishToScripts() const {
    std::string text = "global string $gRVSculptMeshes[]; clear($gRVSculptMeshes); "
                       "global string $gRVAllCachedMeshes[]; clear($gRVAllCachedMeshes); "
                       "global string $gRVAllCachedGUIDs[]; clear($gRVAllCachedGUIDs); ";
    int sculptable = 0;
    for (int i = 0; i < size(); ++i) {
        const MDagPath& path = records_[i].meshPath;
        const MString name = path.fullPathName();
        text += element("gRVAllCachedMeshes", i, name);
        text += element("gRVAllCachedGUIDs", i, identifierText(records_[i].identifier));
        if (inModel(path)) text += element("gRVSculptMeshes", sculptable++, name);
    }
    MString result;
    MGlobal::executeCommand(MString(text.c_str()), result, false, false);
}

bool KVSculptRegistry::findRecordByTag(const MDagPath& path, int& index) const {
    MFnDependencyNode node(path.node());
    if (!node.hasAttribute(kTagName)) return false;
    // A duplicate or pasted copy carries another mesh's tag: that record is not the copy's.
    return findRecordById(identifierFromText(node.findPlug(kTagName).asString()), index) &&
           records_[index].meshPath == path;
}

int KVSculptRegistry::findByName(const MString& name) const {
    for (int i = 0; i < size(); ++i)
        if (nameMatches(records_[i].meshPath, name)) return i;
    return -1;
}

void KVSculptRegistry::clampCurrent() {
    if (current_ > size() - 1) current_ = size() - 1;
    if (current_ < 0) current_ = 0;
}
