#pragma once
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

namespace rvhost {
class Node;
class Attribute;
} // namespace rvhost

// The value of one plug inside a compute: read from an input, or written to an output.
// Setting an output handle stores the value in the node at once.
class OPENMAYA_EXPORT MDataHandle {
public:
    MDataHandle() = default;

    bool asBool() const { return number_ != 0.0; }
    char asChar() const { return static_cast<char>(number_); }
    short asShort() const { return static_cast<short>(number_); }
    int asInt() const { return static_cast<int>(number_); }
    float asFloat() const { return static_cast<float>(number_); }
    double asDouble() const { return number_; }
    const MString& asString() const { return text_; }
    MObject asMesh() const { return data_; }
    MObject data() const { return data_; }

    void set(bool value);
    void set(short value);
    void set(int value);
    void set(float value);
    void set(double value);
    void set(const MString& value);
    MStatus set(const MObject& value);
    void setMObject(const MObject& value) { set(value); }
    void setClean();

    MDataHandle child(const MObject& attribute);

    // Host side: a handle on node.attribute[index] holding the given values.
    MDataHandle(rvhost::Node* node, const rvhost::Attribute* attribute, int index, bool output);
    void load(double number, const MString& text, const MObject& data);

private:
    void store();

    rvhost::Node* node_ = nullptr;
    const rvhost::Attribute* attribute_ = nullptr;
    int index_ = -1;
    bool output_ = false;
    double number_ = 0.0;
    MString text_;
    MObject data_;
};
