#include "plugins/CommandResult.h"

#include <utility>

namespace rvhost {

using script::Value;

Value& CommandResult::current() {
    static Value result;
    return result;
}

void CommandResult::set(Value value) {
    current() = std::move(value);
}

void CommandResult::append(const Value& scalar) {
    Value& result = current();
    if (result.isNone())
        result = Value::defaultOf(Value::arrayType(scalar.type()));
    else if (!result.isArray())
        result = result.convertedTo(Value::arrayType(result.type()));
    switch (result.type()) {
    case Value::Type::IntArray:
        result.get<std::vector<int>>().push_back(scalar.asInt());
        break;
    case Value::Type::FloatArray:
        result.get<std::vector<double>>().push_back(scalar.asFloat());
        break;
    case Value::Type::VectorArray:
        result.get<std::vector<script::Vector3>>().push_back(scalar.asVector());
        break;
    default:
        result.get<std::vector<std::string>>().push_back(scalar.asString());
        break;
    }
}

CommandResult::Scope::Scope() : saved_(std::exchange(current(), Value())) {}

CommandResult::Scope::~Scope() {
    current() = std::move(saved_);
}

Value CommandResult::Scope::take() {
    return std::exchange(current(), Value());
}

} // namespace rvhost
