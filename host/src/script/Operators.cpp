#include "script/Operators.h"

#include <cmath>

namespace rvhost::script {

namespace {
using Type = Value::Type;

bool isNumber(const Value& v) {
    return v.type() == Type::Int || v.type() == Type::Float;
}
bool isString(const Value& v) {
    return v.type() == Type::String;
}
bool isVector(const Value& v) {
    return v.type() == Type::Vector;
}

[[noreturn]] void refuse(const std::string& op, const Value& left, const Value& right) {
    throw OperatorError("Illegal operation \"" + op + "\" on data of type " +
                        Value::typeName(left.type()) + " and " + Value::typeName(right.type()) +
                        ".");
}

Vector3 combine(const Vector3& a, const Vector3& b, double (*f)(double, double)) {
    return {f(a.x, b.x), f(a.y, b.y), f(a.z, b.z)};
}

double add(double a, double b) {
    return a + b;
}
double subtract(double a, double b) {
    return a - b;
}
double multiply(double a, double b) {
    return a * b;
}
double divide(double a, double b) {
    return a / b;
}

Value vectorArithmetic(const std::string& op, const Value& left, const Value& right) {
    Vector3 a = left.asVector(), b = right.asVector();
    if (op == "*" && isVector(left) && isVector(right)) return a.x * b.x + a.y * b.y + a.z * b.z;
    if (op == "^") {
        if (!isVector(left) || !isVector(right)) refuse(op, left, right);
        return Vector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
    if (op == "+") return combine(a, b, add);
    if (op == "-") return combine(a, b, subtract);
    if (op == "*") return combine(a, b, multiply);
    if (op == "/") return combine(a, b, divide);
    refuse(op, left, right);
}

Value intArithmetic(const std::string& op, long long a, long long b) {
    if ((op == "/" || op == "%") && b == 0) throw OperatorError("Division by zero.");
    long long r = op == "+"   ? a + b
                  : op == "-" ? a - b
                  : op == "*" ? a * b
                  : op == "/" ? a / b
                              : a % b;
    return static_cast<int>(r);
}

Value floatArithmetic(const std::string& op, double a, double b) {
    if (op == "+") return a + b;
    if (op == "-") return a - b;
    if (op == "*") return a * b;
    if (op == "/") return a / b;
    return std::fmod(a, b);
}

Value arithmetic(const std::string& op, const Value& left, const Value& right) {
    if (op == "+" && (isString(left) || isString(right))) return left.asString() + right.asString();
    if (isVector(left) || isVector(right) || op == "^") {
        if (!(isVector(left) || isNumber(left)) || !(isVector(right) || isNumber(right)))
            refuse(op, left, right);
        return vectorArithmetic(op, left, right);
    }
    if (!isNumber(left) || !isNumber(right)) refuse(op, left, right);
    if (left.type() == Type::Int && right.type() == Type::Int)
        return intArithmetic(op, left.asInt(), right.asInt());
    return floatArithmetic(op, left.asFloat(), right.asFloat());
}

// Strings compare as text when both sides are strings; otherwise as numbers.
int compare(const Value& left, const Value& right) {
    if (isString(left) && isString(right)) {
        int c = left.asString().compare(right.asString());
        return (c > 0) - (c < 0);
    }
    double a = left.asFloat(), b = right.asFloat();
    return (a > b) - (a < b);
}

bool equal(const Value& left, const Value& right) {
    if (isString(left) && isString(right)) return left.asString() == right.asString();
    if (isVector(left) || isVector(right)) return left.asVector() == right.asVector();
    return left.asFloat() == right.asFloat();
}
} // namespace

bool isTrue(const Value& value) {
    if (value.isArray()) throw OperatorError("An array cannot be used as a condition.");
    return value.asFloat() != 0.0;
}

Value applyBinary(const std::string& op, const Value& left, const Value& right) {
    if (left.isArray() || right.isArray()) refuse(op, left, right);
    if (op == "&&") return isTrue(left) && isTrue(right) ? 1 : 0;
    if (op == "||") return isTrue(left) || isTrue(right) ? 1 : 0;
    if (op == "==") return equal(left, right) ? 1 : 0;
    if (op == "!=") return equal(left, right) ? 0 : 1;
    if (op == "<") return compare(left, right) < 0 ? 1 : 0;
    if (op == "<=") return compare(left, right) <= 0 ? 1 : 0;
    if (op == ">") return compare(left, right) > 0 ? 1 : 0;
    if (op == ">=") return compare(left, right) >= 0 ? 1 : 0;
    return arithmetic(op, left, right);
}

Value applyUnary(const std::string& op, const Value& operand) {
    if (op == "!") return isTrue(operand) ? 0 : 1;
    // Negation wraps like the other int arithmetic: the most negative int stays itself.
    if (operand.type() == Type::Int)
        return op == "-" ? static_cast<int>(-static_cast<long long>(operand.asInt()))
                         : operand.asInt();
    if (operand.type() == Type::Float) return op == "-" ? -operand.asFloat() : operand.asFloat();
    if (isVector(operand)) return op == "-" ? arithmetic("*", operand, -1) : operand;
    throw OperatorError("Illegal operation \"" + op + "\" on data of type " +
                        Value::typeName(operand.type()) + ".");
}

} // namespace rvhost::script
