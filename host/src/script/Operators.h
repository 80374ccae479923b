#pragma once
#include "script/Value.h"

#include <stdexcept>
#include <string>

namespace rvhost::script {

// An operator applied to values it does not accept; the interpreter adds the location.
struct OperatorError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The language's arithmetic, comparison and logic on values. Throw OperatorError.
Value applyBinary(const std::string& op, const Value& left, const Value& right);
Value applyUnary(const std::string& op, const Value& operand);
bool isTrue(const Value& value);

} // namespace rvhost::script
