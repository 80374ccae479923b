// hostRegistry -set KEY NAME VALUE | -remove KEY [NAME] | -q KEY NAME: edits and reads the
// registry stand-in's file, the one RegOpenKeyExA and RegGetValueA read.
#include "platformcmd/ArgReader.h"
#include "platformcmd/PlatformCommands.h"

#include "rvplatform/RegistryFile.h"

#include <climits>

namespace rvhost::platformcmd {
namespace {

using rvplatform::RegistryFile;
using rvplatform::RegistryValue;
using script::Value;

const char kUsage[] = "use -set KEY NAME VALUE, -remove KEY [NAME] or -q KEY NAME";

// The file as it is now, refusing one with lines a rewrite would lose.
MStatus loadForEdit(const ArgReader& args, RegistryFile& file) {
    const std::string path = RegistryFile::defaultPath();
    file = RegistryFile::load(path);
    if (!file.errors().empty())
        return args.fail("the registry file has lines it cannot read; fix them first: " +
                         file.errors().front());
    return MS::kSuccess;
}

MStatus save(const ArgReader& args, const RegistryFile& file) {
    std::string error;
    if (!file.save(RegistryFile::defaultPath(), error)) return args.fail(error);
    return MS::kSuccess;
}

// An unquoted whole number is stored as REG_DWORD, anything else as REG_SZ.
MStatus readValue(ArgReader& args, RegistryValue& value) {
    const Value* v = args.peek();
    if (v && v->type() == Value::Type::Int) {
        if (v->asInt() < 0) return args.fail("a DWORD value cannot be negative");
        value.type = RegistryValue::Dword;
        value.number = static_cast<std::uint32_t>(v->asInt());
        double ignored;
        args.number(ignored);
        return MS::kSuccess;
    }
    value.type = RegistryValue::String;
    return args.text(value.text) ? MS::kSuccess : args.fail(kUsage);
}

MStatus setValue(ArgReader& args) {
    std::string key, name;
    RegistryValue value;
    if (!args.text(key) || !args.text(name)) return args.fail(kUsage);
    MStatus status = readValue(args, value);
    if (!status) return status;
    if (!args.done()) return args.fail(kUsage);
    RegistryFile file;
    status = loadForEdit(args, file);
    if (!status) return status;
    std::string error;
    if (!file.set(key, name, value, error)) return args.fail(error);
    return save(args, file);
}

// Gives 1 when something was removed and 0 when there was nothing to remove.
MStatus remove(ArgReader& args, Value& result) {
    std::string key, name;
    if (!args.text(key)) return args.fail(kUsage);
    const bool valueOnly = args.text(name);
    std::string error;
    if (!args.done()) return args.fail(kUsage);
    if (!RegistryFile::validKey(key, error)) return args.fail(error);
    RegistryFile file;
    MStatus status = loadForEdit(args, file);
    if (!status) return status;
    const bool removed = valueOnly ? file.removeValue(key, name) : file.removeKey(key);
    result = removed ? 1 : 0;
    return removed ? save(args, file) : MS::kSuccess;
}

// A string comes back as a string, a DWORD as an int (a float above the int range).
MStatus query(ArgReader& args, Value& result) {
    std::string key, name;
    if (!args.text(key) || !args.text(name) || !args.done()) return args.fail(kUsage);
    const RegistryFile file = RegistryFile::load(RegistryFile::defaultPath());
    const RegistryValue* value = file.find(key, name);
    if (!value) return args.fail("no value \"" + name + "\" under " + key);
    if (value->type == RegistryValue::String)
        result = value->text;
    else if (value->number <= static_cast<std::uint32_t>(INT_MAX))
        result = static_cast<int>(value->number);
    else
        result = static_cast<double>(value->number);
    return MS::kSuccess;
}

MStatus hostRegistry(const script::CommandCall& call, Value& result) {
    ArgReader args(call);
    std::string flag;
    args.text(flag);
    if (flag == "-set") return setValue(args);
    if (flag == "-remove") return remove(args, result);
    if (flag == "-q" || flag == "-query") return query(args, result);
    return args.fail(kUsage);
}

} // namespace

void registerRegistryCommand(script::CommandTable& table) {
    table.add("hostRegistry", hostRegistry);
}

} // namespace rvhost::platformcmd
