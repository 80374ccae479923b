#include <maya/MArgDatabase.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

namespace {

// Adds every name; fails, leaving `result` as it was, when one does not resolve.
MStatus select(const MStringArray& names, MSelectionList& result) {
    MSelectionList list;
    for (unsigned int i = 0; i < names.length(); ++i)
        if (!list.add(names[i])) return MS::kInvalidParameter;
    result = list;
    return MS::kSuccess;
}

MStatus selectOne(MStatus read, const MString& name, MSelectionList& result) {
    if (!read) return read;
    MStringArray names;
    names.append(name);
    return select(names, result);
}

} // namespace

MStatus MArgDatabase::getObjects(MSelectionList& result) const {
    MStringArray names;
    getObjects(names);
    return select(names, result);
}

MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index,
                                      MSelectionList& result) const {
    MString name;
    return selectOne(getFlagArgument(flag, index, name), name, result);
}

MStatus MArgDatabase::getCommandArgument(unsigned int index, MSelectionList& result) const {
    MString name;
    return selectOne(getCommandArgument(index, name), name, result);
}
