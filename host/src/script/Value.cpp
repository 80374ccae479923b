#include "script/Value.h"

#include <maya/MString.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace rvhost::script {

namespace {

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;

double length(const Vector3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

int truncateToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

Vector3 parseVector(const std::string& text) {
    std::istringstream in(text);
    Vector3 v;
    in >> v.x >> v.y >> v.z;
    return v;
}

std::string vectorText(const Vector3& v) {
    return formatFloat(v.x) + " " + formatFloat(v.y) + " " + formatFloat(v.z);
}

template <class T, class Convert> std::vector<T> mapElements(const Value& value, Convert convert) {
    std::vector<T> out;
    for (std::size_t i = 0; i < value.size(); ++i)
        out.push_back(convert(value.element(i)));
    return out;
}

} // namespace

std::string formatFloat(double value) {
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return MString().set(value).str();
}

std::string quoteForScript(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

int Value::asInt() const {
    return std::visit(Overload{[](std::monostate) { return 0; }, [](int v) { return v; },
                               [](double v) { return truncateToInt(v); },
                               [](const std::string& v) { return MString(v).asInt(); },
                               [](const Vector3& v) { return truncateToInt(length(v)); },
                               [this](const auto&) { return element(0).asInt(); }},
                      data_);
}

double Value::asFloat() const {
    return std::visit(Overload{[](std::monostate) { return 0.0; },
                               [](int v) { return static_cast<double>(v); },
                               [](double v) { return v; },
                               [](const std::string& v) { return MString(v).asDouble(); },
                               [](const Vector3& v) { return length(v); },
                               [this](const auto&) { return element(0).asFloat(); }},
                      data_);
}

std::string Value::asString() const {
    return std::visit(Overload{[](std::monostate) { return std::string(); },
                               [](int v) { return std::to_string(v); },
                               [](double v) { return formatFloat(v); },
                               [](const std::string& v) { return v; },
                               [](const Vector3& v) { return vectorText(v); },
                               [this](const auto&) {
                                   std::string out;
                                   for (std::size_t i = 0; i < size(); ++i)
                                       out += (i ? " " : "") + element(i).asString();
                                   return out;
                               }},
                      data_);
}

Vector3 Value::asVector() const {
    return std::visit(Overload{[](std::monostate) { return Vector3{}; },
                               [](int v) {
                                   double d = v;
                                   return Vector3{d, d, d};
                               },
                               [](double v) {
                                   return Vector3{v, v, v};
                               },
                               [](const std::string& v) { return parseVector(v); },
                               [](const Vector3& v) { return v; },
                               [this](const auto&) { return element(0).asVector(); }},
                      data_);
}

std::vector<int> Value::asIntArray() const {
    return mapElements<int>(*this, [](const Value& v) { return v.asInt(); });
}

std::vector<double> Value::asFloatArray() const {
    return mapElements<double>(*this, [](const Value& v) { return v.asFloat(); });
}

std::vector<std::string> Value::asStringArray() const {
    return mapElements<std::string>(*this, [](const Value& v) { return v.asString(); });
}

std::vector<Vector3> Value::asVectorArray() const {
    return mapElements<Vector3>(*this, [](const Value& v) { return v.asVector(); });
}

Value Value::convertedTo(Type type) const {
    switch (type) {
    case Type::None:
        return Value();
    case Type::Int:
        return asInt();
    case Type::Float:
        return asFloat();
    case Type::String:
        return asString();
    case Type::Vector:
        return asVector();
    case Type::IntArray:
        return asIntArray();
    case Type::FloatArray:
        return asFloatArray();
    case Type::StringArray:
        return asStringArray();
    case Type::VectorArray:
        return asVectorArray();
    }
    return Value();
}

std::size_t Value::size() const {
    return std::visit(Overload{[](std::monostate) { return std::size_t{0}; },
                               [](const auto& v) -> std::size_t {
                                   using T = std::decay_t<decltype(v)>;
                                   if constexpr (std::is_same_v<T, std::vector<int>> ||
                                                 std::is_same_v<T, std::vector<double>> ||
                                                 std::is_same_v<T, std::vector<std::string>> ||
                                                 std::is_same_v<T, std::vector<Vector3>>)
                                       return v.size();
                                   else
                                       return 1;
                               }},
                      data_);
}

Value Value::element(std::size_t index) const {
    return std::visit(Overload{[](std::monostate) { return Value(); },
                               [&](const auto& v) -> Value {
                                   using T = std::decay_t<decltype(v)>;
                                   if constexpr (std::is_same_v<T, std::vector<int>> ||
                                                 std::is_same_v<T, std::vector<double>> ||
                                                 std::is_same_v<T, std::vector<std::string>> ||
                                                 std::is_same_v<T, std::vector<Vector3>>) {
                                       if (index < v.size()) return Value(v[index]);
                                       return defaultOf(elementType(type()));
                                   } else {
                                       return index == 0 ? *this : Value();
                                   }
                               }},
                      data_);
}

void Value::setElement(std::size_t index, const Value& value) {
    auto store = [&](auto& items, auto converted) {
        if (items.size() <= index) items.resize(index + 1);
        items[index] = converted;
    };
    switch (type()) {
    case Type::IntArray:
        store(get<std::vector<int>>(), value.asInt());
        break;
    case Type::FloatArray:
        store(get<std::vector<double>>(), value.asFloat());
        break;
    case Type::StringArray:
        store(get<std::vector<std::string>>(), value.asString());
        break;
    case Type::VectorArray:
        store(get<std::vector<Vector3>>(), value.asVector());
        break;
    default:
        break;
    }
}

Value Value::defaultOf(Type type) {
    switch (type) {
    case Type::None:
        return Value();
    case Type::Int:
        return 0;
    case Type::Float:
        return 0.0;
    case Type::String:
        return std::string();
    case Type::Vector:
        return Vector3{};
    case Type::IntArray:
        return std::vector<int>{};
    case Type::FloatArray:
        return std::vector<double>{};
    case Type::StringArray:
        return std::vector<std::string>{};
    case Type::VectorArray:
        return std::vector<Vector3>{};
    }
    return Value();
}

Value::Type Value::elementType(Type arrayType) {
    switch (arrayType) {
    case Type::IntArray:
        return Type::Int;
    case Type::FloatArray:
        return Type::Float;
    case Type::StringArray:
        return Type::String;
    case Type::VectorArray:
        return Type::Vector;
    default:
        return arrayType;
    }
}

Value::Type Value::arrayType(Type elementType) {
    switch (elementType) {
    case Type::Int:
        return Type::IntArray;
    case Type::Float:
        return Type::FloatArray;
    case Type::String:
        return Type::StringArray;
    case Type::Vector:
        return Type::VectorArray;
    default:
        return elementType;
    }
}

std::string Value::typeName(Type type) {
    switch (type) {
    case Type::None:
        return "none";
    case Type::Int:
        return "int";
    case Type::Float:
        return "float";
    case Type::String:
        return "string";
    case Type::Vector:
        return "vector";
    default:
        return typeName(elementType(type)) + "[]";
    }
}

} // namespace rvhost::script
