#include "scene/Attribute.h"

namespace rvhost {

Attribute::Attribute(std::string name, std::string shortName, Kind kind)
    : name_(std::move(name)), shortName_(std::move(shortName)), kind_(kind) {
    if (kind_ == Kind::Message) storable = false;
}

MFn::Type Attribute::apiType() const {
    switch (kind_) {
    case Kind::Bool:
    case Kind::Short:
    case Kind::Int:
    case Kind::Float:
    case Kind::Double:
    case Kind::Angle:
        return MFn::kNumericAttribute;
    case Kind::Compound: {
        // A triple of numbers (translate, a k3Double) is numeric, as in the host.
        bool numbers = !children_.empty();
        for (const auto& child : children_)
            numbers = numbers && child->isNumeric();
        return numbers ? MFn::kNumericAttribute : MFn::kCompoundAttribute;
    }
    case Kind::Ramp:
        return MFn::kCompoundAttribute;
    case Kind::Message:
        return MFn::kAttribute;
    default:
        return MFn::kTypedAttribute;
    }
}

void Attribute::addChild(const std::shared_ptr<Attribute>& child) {
    child->parent_ = this;
    children_.push_back(child);
}

const Attribute* Attribute::arrayOwner() const {
    if (array) return this;
    if (parent_ && parent_->array) return parent_;
    return nullptr;
}

std::shared_ptr<Attribute> makeAttribute(std::string name, std::string shortName,
                                         Attribute::Kind kind) {
    return std::make_shared<Attribute>(std::move(name), std::move(shortName), kind);
}

std::shared_ptr<Attribute> attributeOf(const MObject& object) {
    return std::dynamic_pointer_cast<Attribute>(object.object());
}

std::shared_ptr<Attribute> makeTriple(const std::string& name, const std::string& shortName,
                                      Attribute::Kind childKind, double defaultNumber) {
    auto parent = makeAttribute(name, shortName, Attribute::Kind::Compound);
    for (const char* axis : {"X", "Y", "Z"}) {
        std::string lower(1, static_cast<char>(axis[0] - 'A' + 'a'));
        auto child = makeAttribute(name + axis, shortName + lower, childKind);
        child->defaultNumber = defaultNumber;
        parent->addChild(child);
    }
    return parent;
}

} // namespace rvhost
