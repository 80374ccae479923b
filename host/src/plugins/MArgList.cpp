#include <maya/MArgList.h>
#include <maya/MDoubleArray.h>
#include <maya/MIntArray.h>
#include <maya/MPoint.h>
#include <maya/MStringArray.h>
#include <maya/MVector.h>

#include "plugins/ArgConvert.h"
#include "plugins/ArgValues.h"

#include <limits>

using rvhost::ArgValues;
using rvhost::script::Value;

const unsigned int MArgList::kInvalidArgIndex = std::numeric_limits<unsigned int>::max();

namespace {

MStatus report(bool ok, MStatus* status) {
    const MStatus result = ok ? MS::kSuccess : MS::kFailure;
    if (status) *status = result;
    return result;
}

const Value* at(const ArgValues& values, unsigned int index) {
    return index < values.items.size() ? &values.items[index] : nullptr;
}

// Reads `count` doubles from index on; the index moves only on success.
bool readComponents(const ArgValues& values, unsigned int& index, unsigned int count, double* out) {
    if (count > 4 || index > values.items.size() || count > values.items.size() - index)
        return false;
    for (unsigned int k = 0; k < count; ++k)
        if (!rvhost::readDouble(values.items[index + k], out[k])) return false;
    index += count;
    return true;
}

// Reads a count and that many elements; the index moves only on success.
template <class Array, class Element, class Read>
bool readArray(const ArgValues& values, unsigned int& index, Array& ret, Read read) {
    unsigned int count = 0;
    if (index >= values.items.size() || !rvhost::readUnsigned(values.items[index], count) ||
        count > values.items.size() - index - 1)
        return false;
    Array result;
    for (unsigned int k = 0; k < count; ++k) {
        Element element{};
        if (!read(values.items[index + 1 + k], element)) return false;
        result.append(element);
    }
    ret = result;
    index += count + 1;
    return true;
}

} // namespace

MArgList::MArgList() : values_(std::make_unique<ArgValues>()) {}

MArgList::MArgList(const MArgList& other) : values_(std::make_unique<ArgValues>(*other.values_)) {}

MArgList& MArgList::operator=(const MArgList& other) {
    *values_ = *other.values_;
    return *this;
}

MArgList::~MArgList() = default;

unsigned int MArgList::length(MStatus* ReturnStatus) const {
    report(true, ReturnStatus);
    return static_cast<unsigned int>(values_->items.size());
}

MStatus MArgList::get(unsigned int index, bool& ret) const {
    return rvhost::readInto(at(*values_, index), ret, rvhost::readBool);
}

MStatus MArgList::get(unsigned int index, int& ret) const {
    return rvhost::readInto(at(*values_, index), ret, rvhost::readInt);
}

MStatus MArgList::get(unsigned int index, unsigned int& ret) const {
    return rvhost::readInto(at(*values_, index), ret, rvhost::readUnsigned);
}

MStatus MArgList::get(unsigned int index, double& ret) const {
    return rvhost::readInto(at(*values_, index), ret, rvhost::readDouble);
}

MStatus MArgList::get(unsigned int index, MString& ret) const {
    return rvhost::readInto(at(*values_, index), ret, rvhost::readText);
}

MStatus MArgList::get(unsigned int& index, MVector& ret, unsigned int numElements) const {
    double c[4] = {0, 0, 0, 0};
    if (numElements > 3 || !readComponents(*values_, index, numElements, c)) return MS::kFailure;
    ret = MVector(c[0], c[1], c[2]);
    return MS::kSuccess;
}

MStatus MArgList::get(unsigned int& index, MPoint& ret, unsigned int numElements) const {
    double c[4] = {0, 0, 0, 1};
    if (!readComponents(*values_, index, numElements, c)) return MS::kFailure;
    ret = MPoint(c[0], c[1], c[2], c[3]);
    return MS::kSuccess;
}

MStatus MArgList::get(unsigned int& index, MIntArray& ret) const {
    return report(readArray<MIntArray, int>(*values_, index, ret, rvhost::readInt), nullptr);
}

MStatus MArgList::get(unsigned int& index, MDoubleArray& ret) const {
    return report(readArray<MDoubleArray, double>(*values_, index, ret, rvhost::readDouble),
                  nullptr);
}

MStatus MArgList::get(unsigned int& index, MStringArray& ret) const {
    return report(readArray<MStringArray, MString>(*values_, index, ret, rvhost::readText),
                  nullptr);
}

bool MArgList::asBool(unsigned int index, MStatus* ReturnStatus) const {
    bool v = false;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

int MArgList::asInt(unsigned int index, MStatus* ReturnStatus) const {
    int v = 0;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

double MArgList::asDouble(unsigned int index, MStatus* ReturnStatus) const {
    double v = 0;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

MString MArgList::asString(unsigned int index, MStatus* ReturnStatus) const {
    MString v;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

MVector MArgList::asVector(unsigned int& index, unsigned int numElements,
                           MStatus* ReturnStatus) const {
    MVector v;
    report(get(index, v, numElements) == MS::kSuccess, ReturnStatus);
    return v;
}

MPoint MArgList::asPoint(unsigned int& index, unsigned int numElements,
                         MStatus* ReturnStatus) const {
    MPoint v;
    report(get(index, v, numElements) == MS::kSuccess, ReturnStatus);
    return v;
}

MIntArray MArgList::asIntArray(unsigned int& index, MStatus* ReturnStatus) const {
    MIntArray v;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

MDoubleArray MArgList::asDoubleArray(unsigned int& index, MStatus* ReturnStatus) const {
    MDoubleArray v;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

MStringArray MArgList::asStringArray(unsigned int& index, MStatus* ReturnStatus) const {
    MStringArray v;
    report(get(index, v) == MS::kSuccess, ReturnStatus);
    return v;
}

unsigned int MArgList::flagIndex(const char* shortFlag, const char* longFlag) const {
    for (std::size_t i = 0; i < values_->items.size(); ++i) {
        const Value& item = values_->items[i];
        if (item.type() != Value::Type::String) continue;
        const std::string& text = item.get<std::string>();
        if ((shortFlag && text == shortFlag) || (longFlag && text == longFlag))
            return static_cast<unsigned int>(i);
    }
    return kInvalidArgIndex;
}

MArgList& MArgList::addArg(bool arg) {
    return addArg(arg ? 1 : 0);
}

MArgList& MArgList::addArg(int arg) {
    values_->items.emplace_back(arg);
    return *this;
}

MArgList& MArgList::addArg(double arg) {
    values_->items.emplace_back(arg);
    return *this;
}

MArgList& MArgList::addArg(const MString& arg) {
    values_->items.emplace_back(arg.str());
    return *this;
}

MArgList& MArgList::addArg(const MVector& arg) {
    return addArg(arg.x).addArg(arg.y).addArg(arg.z);
}

MArgList& MArgList::addArg(const MPoint& arg) {
    return addArg(arg.x).addArg(arg.y).addArg(arg.z);
}

namespace {
template <class Array> void addArray(MArgList& list, const Array& array) {
    list.addArg(static_cast<int>(array.length()));
    for (unsigned int i = 0; i < array.length(); ++i)
        list.addArg(array[i]);
}
} // namespace

MArgList& MArgList::addArg(const MIntArray& arg) {
    addArray(*this, arg);
    return *this;
}

MArgList& MArgList::addArg(const MDoubleArray& arg) {
    addArray(*this, arg);
    return *this;
}

MArgList& MArgList::addArg(const MStringArray& arg) {
    addArray(*this, arg);
    return *this;
}
