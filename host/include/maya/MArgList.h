#pragma once
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

#include <memory>

class MPoint;
class MVector;
class MIntArray;
class MDoubleArray;
class MStringArray;

namespace rvhost {
struct ArgValues;
}

// The arguments of one command call, in the order given. Scalar getters take the index by
// value; the getters of multi-element values take it by reference and move it past what
// they read. An array is stored as its element count followed by its elements.
class OPENMAYA_EXPORT MArgList {
public:
    MArgList();
    MArgList(const MArgList& other);
    MArgList& operator=(const MArgList& other);
    ~MArgList();

    unsigned int length(MStatus* ReturnStatus = nullptr) const;

    MStatus get(unsigned int index, bool& ret) const;
    MStatus get(unsigned int index, int& ret) const;
    MStatus get(unsigned int index, unsigned int& ret) const;
    MStatus get(unsigned int index, double& ret) const;
    MStatus get(unsigned int index, MString& ret) const;
    MStatus get(unsigned int& index, MVector& ret, unsigned int numElements = 3) const;
    MStatus get(unsigned int& index, MPoint& ret, unsigned int numElements = 3) const;
    MStatus get(unsigned int& index, MIntArray& ret) const;
    MStatus get(unsigned int& index, MDoubleArray& ret) const;
    MStatus get(unsigned int& index, MStringArray& ret) const;

    bool asBool(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    int asInt(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    double asDouble(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MString asString(unsigned int index, MStatus* ReturnStatus = nullptr) const;
    MVector asVector(unsigned int& index, unsigned int numElements = 3,
                     MStatus* ReturnStatus = nullptr) const;
    MPoint asPoint(unsigned int& index, unsigned int numElements = 3,
                   MStatus* ReturnStatus = nullptr) const;
    MIntArray asIntArray(unsigned int& index, MStatus* ReturnStatus = nullptr) const;
    MDoubleArray asDoubleArray(unsigned int& index, MStatus* ReturnStatus = nullptr) const;
    MStringArray asStringArray(unsigned int& index, MStatus* ReturnStatus = nullptr) const;

    // Index of the first argument equal to either flag, or kInvalidArgIndex.
    unsigned int flagIndex(const char* shortFlag, const char* longFlag = nullptr) const;

    MArgList& addArg(bool arg);
    MArgList& addArg(int arg);
    MArgList& addArg(double arg);
    MArgList& addArg(const MString& arg);
    MArgList& addArg(const MVector& arg);
    MArgList& addArg(const MPoint& arg);
    MArgList& addArg(const MIntArray& arg);
    MArgList& addArg(const MDoubleArray& arg);
    MArgList& addArg(const MStringArray& arg);

    static const unsigned int kInvalidArgIndex;

    // Host side: the scalar values behind the list.
    const rvhost::ArgValues& values() const { return *values_; }
    rvhost::ArgValues& values() { return *values_; }

private:
    std::unique_ptr<rvhost::ArgValues> values_;
};
