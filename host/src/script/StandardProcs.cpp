#include "script/ScriptCommands.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fnmatch.h>
#include <regex>

namespace rvhost::script {

namespace {
using Handler = CommandHandler;

bool bothInts(const Value& a, const Value& b) {
    return a.type() == Value::Type::Int && b.type() == Value::Type::Int;
}

// A procedure of fixed arity whose body maps argument values to a result.
Handler fixed(std::size_t count, std::function<Value(const std::vector<Value>&)> body) {
    return [count, body](const CommandCall& call, Value& result) {
        MStatus status = checkArgumentCount(call, count, count);
        if (!status) return status;
        std::vector<Value> args;
        for (const Argument& a : call.args)
            args.push_back(a.value);
        result = body(args);
        return MStatus(MS::kSuccess);
    };
}

Handler floatFunction(double (*f)(double)) {
    return fixed(1, [f](const std::vector<Value>& a) { return Value(f(a[0].asFloat())); });
}

Handler caseFunction(int (*f)(int)) {
    return fixed(1, [f](const std::vector<Value>& a) {
        std::string text = a[0].asString();
        std::transform(text.begin(), text.end(), text.begin(),
                       [f](unsigned char c) { return static_cast<char>(f(c)); });
        return Value(text);
    });
}

Value abs(const std::vector<Value>& a) {
    if (a[0].type() == Value::Type::Int) return std::abs(a[0].asInt());
    return std::fabs(a[0].asFloat());
}

Value minimum(const std::vector<Value>& a) {
    if (bothInts(a[0], a[1])) return std::min(a[0].asInt(), a[1].asInt());
    return std::min(a[0].asFloat(), a[1].asFloat());
}

Value maximum(const std::vector<Value>& a) {
    if (bothInts(a[0], a[1])) return std::max(a[0].asInt(), a[1].asInt());
    return std::max(a[0].asFloat(), a[1].asFloat());
}

// clamp(low, high, value)
Value clamp(const std::vector<Value>& a) {
    return std::min(std::max(a[2].asFloat(), a[0].asFloat()), a[1].asFloat());
}

// substring(text, start, end): 1-based, both ends included, clipped to the text.
Value substring(const std::vector<Value>& a) {
    std::string text = a[0].asString();
    int start = std::max(a[1].asInt(), 1);
    int end = std::min(a[2].asInt(), static_cast<int>(text.size()));
    if (start > end) return std::string();
    return text.substr(start - 1, end - start + 1);
}

Value strcmp(const std::vector<Value>& a) {
    int c = a[0].asString().compare(a[1].asString());
    return (c > 0) - (c < 0);
}

Value gmatch(const std::vector<Value>& a) {
    return fnmatch(a[1].asString().c_str(), a[0].asString().c_str(), 0) == 0 ? 1 : 0;
}

bool search(const std::string& pattern, const std::string& text, std::smatch& match) {
    return std::regex_search(text, match, std::regex(pattern, std::regex::extended));
}

// match(pattern, text): the first part of text that the regular expression matches.
Value match(const std::vector<Value>& a) {
    std::string text = a[1].asString();
    std::smatch m;
    return search(a[0].asString(), text, m) ? m.str(0) : std::string();
}

// substitute(pattern, text, replacement): replaces the first match, literally.
Value substitute(const std::vector<Value>& a) {
    std::string text = a[1].asString();
    std::smatch m;
    if (!search(a[0].asString(), text, m)) return text;
    return m.prefix().str() + a[2].asString() + m.suffix().str();
}

Value strip(const std::vector<Value>& a) {
    std::string text = a[0].asString();
    auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto begin = std::find_if_not(text.begin(), text.end(), blank);
    auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return begin < end ? std::string(begin, end) : std::string();
}

Value startsWith(const std::vector<Value>& a) {
    return a[0].asString().rfind(a[1].asString(), 0) == 0 ? 1 : 0;
}

Value endsWith(const std::vector<Value>& a) {
    std::string text = a[0].asString(), end = a[1].asString();
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0
               ? 1
               : 0;
}

Value power(const std::vector<Value>& a) {
    return std::pow(a[0].asFloat(), a[1].asFloat());
}

// A bad regular expression is the script's error, not the host's.
Handler regexFunction(std::size_t count, Value (*f)(const std::vector<Value>&)) {
    Handler inner = fixed(count, f);
    return [inner](const CommandCall& call, Value& result) {
        try {
            return inner(call, result);
        } catch (const std::regex_error& e) {
            return commandError(call.name + ": invalid regular expression (" + e.what() + ").");
        }
    };
}
} // namespace

void registerStandardProcs(CommandTable& table) {
    table.add("abs", fixed(1, abs));
    table.add("min", fixed(2, minimum));
    table.add("max", fixed(2, maximum));
    table.add("clamp", fixed(3, clamp));
    table.add("sqrt", floatFunction(std::sqrt));
    table.add("floor", floatFunction(std::floor));
    table.add("ceil", floatFunction(std::ceil));
    table.add("pow", fixed(2, power));
    table.add("toupper", caseFunction(std::toupper));
    table.add("tolower", caseFunction(std::tolower));
    table.add("substring", fixed(3, substring));
    table.add("strcmp", fixed(2, strcmp));
    table.add("gmatch", fixed(2, gmatch));
    table.add("match", regexFunction(2, match));
    table.add("substitute", regexFunction(3, substitute));
    table.add("strip", fixed(1, strip));
    table.add("startsWith", fixed(2, startsWith));
    table.add("endsWith", fixed(2, endsWith));
}

} // namespace rvhost::script
