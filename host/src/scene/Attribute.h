#pragma once
#include <maya/MObject.h>

#include "core/Object.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rvhost {

// The definition of one attribute: its names, the kind of value it holds and its flags.
// Static attributes of a node type are shared by every node of that type (the same
// Attribute object, so an MObject of it works on any of them); dynamic ones belong to one
// node. Values live in the node (NodeValues), never here.
class Attribute : public Object, public std::enable_shared_from_this<Attribute> {
public:
    enum class Kind {
        Bool,
        Short,
        Int,
        Float,
        Double,
        Angle,    // a double in radians; scripts see degrees
        String,   // typed: string data, kept as text
        IntArray, // typed: IntArrayData
        Mesh,     // typed: mesh data (an object of the mesh room)
        Generic,  // typed: any data object
        Ramp,     // a curve ramp (RampData)
        Compound, // a parent of other attributes, e.g. translate over translateX/Y/Z
        Message,  // carries no value; only for connections
    };

    Attribute(std::string name, std::string shortName, Kind kind);

    MFn::Type apiType() const override;

    const std::string& name() const { return name_; }
    const std::string& shortName() const { return shortName_; }
    Kind kind() const { return kind_; }
    bool isNumeric() const { return kind_ <= Kind::Angle; }
    bool isTypedData() const { return kind_ >= Kind::String && kind_ <= Kind::Generic; }
    bool matches(const std::string& name) const { return name == name_ || name == shortName_; }

    // Flags with the defaults of the host: readable, writable, storable, connectable and
    // cached; not hidden, keyable or array.
    bool readable = true;
    bool writable = true;
    bool storable = true;
    bool connectable = true;
    bool cached = true;
    bool hidden = false;
    bool keyable = false;
    bool array = false;
    bool usesArrayDataBuilder = false;
    bool indexMatters = true;

    double defaultNumber = 0.0;
    std::optional<double> min, max;
    MObject defaultData; // typed attributes: the value of a plug never set

    const Attribute* parent() const { return parent_; }
    const std::vector<std::shared_ptr<Attribute>>& children() const { return children_; }
    // Makes `child` a child of this compound (a child belongs to one parent only).
    void addChild(const std::shared_ptr<Attribute>& child);
    // The array attribute whose element index a plug of this attribute needs: itself,
    // its parent, or none.
    const Attribute* arrayOwner() const;

    MObject handle() { return MObject(shared_from_this()); }

private:
    std::string name_, shortName_;
    Kind kind_;
    Attribute* parent_ = nullptr;
    std::vector<std::shared_ptr<Attribute>> children_;
};

// Attributes are always held by shared_ptr; make them with this.
std::shared_ptr<Attribute> makeAttribute(std::string name, std::string shortName,
                                         Attribute::Kind kind);
// The attribute behind a handle, or null when the handle names something else.
std::shared_ptr<Attribute> attributeOf(const MObject& object);

// A compound of three numbers with children NAME+"X"/"Y"/"Z" and SHORT+"x"/"y"/"z"
// (translate, scale, pivots, k3Double numeric attributes).
std::shared_ptr<Attribute> makeTriple(const std::string& name, const std::string& shortName,
                                      Attribute::Kind childKind, double defaultNumber);
} // namespace rvhost
