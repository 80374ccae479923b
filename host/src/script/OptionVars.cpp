#include "script/OptionVars.h"

#include "script/Output.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rvhost::script {

namespace {
// File format: one variable a line, fields separated by tabs: kind, name, values. Kinds
// iv fv sv (one value) and iva fva sva (any number). Tabs, newlines and backslashes in
// strings are escaped.
std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.push_back("");
    return fields;
}

const char* kindOf(Value::Type type) {
    switch (type) {
    case Value::Type::Int:
        return "iv";
    case Value::Type::Float:
        return "fv";
    case Value::Type::String:
        return "sv";
    case Value::Type::IntArray:
        return "iva";
    case Value::Type::FloatArray:
        return "fva";
    case Value::Type::StringArray:
        return "sva";
    default:
        return nullptr;
    }
}

bool parseLine(const std::string& line, std::string& name, Value& value) {
    std::vector<std::string> f = splitTabs(line);
    if (f.size() < 2) return false;
    const std::string& kind = f[0];
    name = unescape(f[1]);
    std::vector<std::string> items;
    for (std::size_t i = 2; i < f.size(); ++i)
        items.push_back(unescape(f[i]));
    Value strings(items);
    if (kind == "iva")
        value = strings.convertedTo(Value::Type::IntArray);
    else if (kind == "fva")
        value = strings.convertedTo(Value::Type::FloatArray);
    else if (kind == "sva")
        value = strings;
    else if (items.size() != 1)
        return false;
    else if (kind == "iv")
        value = Value(items[0]).convertedTo(Value::Type::Int);
    else if (kind == "fv")
        value = Value(items[0]).convertedTo(Value::Type::Float);
    else if (kind == "sv")
        value = items[0];
    else
        return false;
    return true;
}
} // namespace

OptionVars& OptionVars::instance() {
    static OptionVars vars;
    return vars;
}

void OptionVars::reload() {
    loaded_ = false;
    loadOnce();
}

void OptionVars::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    values_.clear();
    const char* prefs = std::getenv("RVHOST_PREFS");
    file_ = prefs ? prefs : "";
    if (file_.empty()) return;
    std::ifstream in(file_);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::string name;
        Value value;
        if (parseLine(line, name, value))
            values_[name] = value;
        else if (!line.empty())
            Output::warning("Preferences file " + file_ + " line " + std::to_string(number) +
                            ": unreadable option variable skipped.");
    }
}

void OptionVars::save() const {
    if (file_.empty()) return;
    std::string temporary = file_ + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [name, value] : values_) {
            out << kindOf(value.type()) << '\t' << escape(name);
            for (std::size_t i = 0; i < value.size(); ++i)
                out << '\t' << escape(value.element(i).asString());
            out << '\n';
        }
        if (!out) {
            Output::warning("Cannot write the preferences file " + file_ + ".");
            return;
        }
    }
    if (std::rename(temporary.c_str(), file_.c_str()) != 0)
        Output::warning("Cannot write the preferences file " + file_ + ".");
}

const Value* OptionVars::find(const std::string& name) {
    loadOnce();
    auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

void OptionVars::set(const std::string& name, Value value) {
    loadOnce();
    if (!kindOf(value.type())) return;
    values_[name] = std::move(value);
    save();
}

void OptionVars::append(const std::string& name, const Value& element) {
    loadOnce();
    Value::Type arrayType = Value::arrayType(element.type());
    if (!kindOf(arrayType)) return;
    Value& array = values_[name];
    if (array.type() != arrayType) array = Value::defaultOf(arrayType);
    array.setElement(array.size(), element);
    save();
}

bool OptionVars::remove(const std::string& name) {
    loadOnce();
    bool removed = values_.erase(name) > 0;
    if (removed) save();
    return removed;
}

std::vector<std::string> OptionVars::names() {
    loadOnce();
    std::vector<std::string> out;
    for (const auto& entry : values_)
        out.push_back(entry.first);
    return out;
}

} // namespace rvhost::script
