#include "plugins/ArgConvert.h"

#include <cmath>
#include <limits>

namespace rvhost {

using script::Value;

namespace {

bool wholeDouble(double v) {
    return std::isfinite(v) && v == std::floor(v) &&
           v >= static_cast<double>(std::numeric_limits<int>::min()) &&
           v <= static_cast<double>(std::numeric_limits<int>::max());
}

} // namespace

bool readBool(const Value& value, bool& out) {
    switch (value.type()) {
    case Value::Type::Int:
        out = value.get<int>() != 0;
        return true;
    case Value::Type::Float:
        out = value.get<double>() != 0.0;
        return true;
    case Value::Type::String: {
        const MString text = MString(value.get<std::string>()).toLowerCase();
        for (const char* yes : {"true", "on", "yes", "1"})
            if (text == yes) return out = true, true;
        for (const char* no : {"false", "off", "no", "0"})
            if (text == no) return out = false, true;
        return false;
    }
    default:
        return false;
    }
}

bool readInt(const Value& value, int& out) {
    switch (value.type()) {
    case Value::Type::Int:
        out = value.get<int>();
        return true;
    case Value::Type::Float:
        if (!wholeDouble(value.get<double>())) return false;
        out = static_cast<int>(value.get<double>());
        return true;
    case Value::Type::String: {
        const MString text(value.get<std::string>());
        if (!text.isInt()) return false;
        out = text.asInt();
        return true;
    }
    default:
        return false;
    }
}

bool readUnsigned(const Value& value, unsigned int& out) {
    int v = 0;
    if (!readInt(value, v) || v < 0) return false;
    out = static_cast<unsigned int>(v);
    return true;
}

bool readDouble(const Value& value, double& out) {
    switch (value.type()) {
    case Value::Type::Int:
        out = value.get<int>();
        return true;
    case Value::Type::Float:
        out = value.get<double>();
        return true;
    case Value::Type::String: {
        const MString text(value.get<std::string>());
        if (!text.isFloat()) return false;
        out = text.asDouble();
        return true;
    }
    default:
        return false;
    }
}

std::string readString(const Value& value) {
    return value.asString();
}

bool readText(const Value& value, MString& out) {
    out = MString(value.asString());
    return true;
}

bool readAs(MSyntax::MArgType type, const Value& value, Value& out) {
    switch (type) {
    case MSyntax::kBoolean: {
        bool b = false;
        if (!readBool(value, b)) return false;
        out = Value(b ? 1 : 0);
        return true;
    }
    case MSyntax::kLong: {
        int i = 0;
        if (!readInt(value, i)) return false;
        out = Value(i);
        return true;
    }
    case MSyntax::kUnsigned: {
        unsigned int u = 0;
        if (!readUnsigned(value, u)) return false;
        out = Value(static_cast<int>(u));
        return true;
    }
    case MSyntax::kDouble:
    case MSyntax::kDistance:
    case MSyntax::kAngle:
    case MSyntax::kTime: {
        double d = 0;
        if (!readDouble(value, d)) return false;
        out = Value(d);
        return true;
    }
    case MSyntax::kString:
    case MSyntax::kSelectionItem:
        out = Value(readString(value));
        return true;
    default:
        return false;
    }
}

const char* describe(MSyntax::MArgType type) {
    switch (type) {
    case MSyntax::kBoolean:
        return "a boolean";
    case MSyntax::kLong:
        return "an integer";
    case MSyntax::kUnsigned:
        return "an unsigned integer";
    case MSyntax::kDouble:
    case MSyntax::kDistance:
    case MSyntax::kAngle:
    case MSyntax::kTime:
        return "a number";
    default:
        return "a string";
    }
}

void appendScalars(const Value& value, std::vector<Value>& out) {
    if (value.isNone()) return;
    if (value.type() == Value::Type::Vector || value.isArray()) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            const Value element = value.element(i);
            if (element.type() == Value::Type::Vector) {
                const script::Vector3 v = element.get<script::Vector3>();
                out.insert(out.end(), {Value(v.x), Value(v.y), Value(v.z)});
            } else {
                out.push_back(element);
            }
        }
        return;
    }
    out.push_back(value);
}

} // namespace rvhost
