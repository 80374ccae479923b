#include "plugins/SyntaxParser.h"

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

#include "plugins/ArgConvert.h"

#include <cctype>

namespace rvhost {

using script::Value;

const std::vector<FlagUse>* ParsedArgs::usesOf(const std::string& flag) const {
    const std::string name = !flag.empty() && flag[0] != '-' ? "-" + flag : flag;
    const FlagSpec* known = syntax->find(name);
    if (!known) return nullptr;
    auto it = uses.find(known->shortName);
    return it == uses.end() ? nullptr : &it->second;
}

namespace {

std::string quoted(const Value& value) {
    return "\"" + value.asString() + "\"";
}

std::vector<std::string> selectedNames() {
    MSelectionList selection;
    MStringArray names;
    MGlobal::getActiveSelectionList(selection);
    selection.getSelectionStrings(names);
    std::vector<std::string> out;
    for (unsigned int i = 0; i < names.length(); ++i)
        out.push_back(names[i].str());
    return out;
}

std::string plural(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

} // namespace

SyntaxParser::SyntaxParser(std::shared_ptr<const SyntaxData> syntax, const std::vector<Value>& args)
    : syntax_(std::move(syntax)), args_(args) {}

bool SyntaxParser::fail(const std::string& message) {
    error_ = message;
    return false;
}

// A word such as -w or -width: a dash and a letter. Negative numbers are values.
bool SyntaxParser::isFlagWord(std::size_t i) const {
    if (args_[i].type() != Value::Type::String) return false;
    const std::string& text = args_[i].get<std::string>();
    return text.size() >= 2 && text[0] == '-' && std::isalpha(static_cast<unsigned char>(text[1]));
}

bool SyntaxParser::isModeFlag(std::size_t i) const {
    if (!isFlagWord(i)) return false;
    const std::string& text = args_[i].get<std::string>();
    return (syntax_->query && (text == "-q" || text == "-query")) ||
           (syntax_->edit && (text == "-e" || text == "-edit"));
}

bool SyntaxParser::isDeclaredFlag(std::size_t i) const {
    return isModeFlag(i) || (isFlagWord(i) && syntax_->find(args_[i].get<std::string>()));
}

// -query and -edit change how flag arguments are read, so they are found first.
bool SyntaxParser::readModes(ParsedArgs& out) {
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (!isModeFlag(i)) continue;
        const char mode = args_[i].get<std::string>()[1];
        (mode == 'q' ? out.query : out.edit) = true;
    }
    if (out.query && out.edit) return fail("Cannot use -query and -edit together");
    query_ = out.query;
    return true;
}

bool SyntaxParser::parse(ParsedArgs& out) {
    out = ParsedArgs();
    out.syntax = syntax_;
    if (!readModes(out)) return false;
    std::vector<std::size_t> positionals;
    for (std::size_t i = 0; i < args_.size(); ++i) {
        if (isModeFlag(i)) continue;
        if (!isFlagWord(i)) {
            positionals.push_back(i);
            continue;
        }
        const FlagSpec* flag = syntax_->find(args_[i].get<std::string>());
        if (!flag) return fail("Invalid flag: " + args_[i].get<std::string>());
        if (!readFlag(*flag, i, out)) return false;
    }
    return readPositionals(positionals, out);
}

// Reads one use of a flag at i and leaves i on its last argument.
bool SyntaxParser::readFlag(const FlagSpec& flag, std::size_t& i, ParsedArgs& out) {
    std::vector<FlagUse>& uses = out.uses[flag.shortName];
    if (!uses.empty() && !flag.multiUse)
        return fail("Flag " + args_[i].get<std::string>() + " may be used only once");
    FlagUse use;
    use.position = static_cast<unsigned int>(i);
    if (!readFlagArgs(flag, i, use)) return false;
    i += use.args.size();
    uses.push_back(use);
    return true;
}

// In query mode the arguments are optional: taken when all of them are there and read.
bool SyntaxParser::readFlagArgs(const FlagSpec& flag, std::size_t i, FlagUse& use) {
    const std::string& name = args_[i].get<std::string>();
    const std::size_t count = flag.args.size();
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = i + 1 + k;
        Value value;
        if (at >= args_.size() || isDeclaredFlag(at)) {
            if (query_) break;
            return fail("Flag " + name + " needs " +
                        (count == 1 ? std::string("an argument") : plural(count, "argument")));
        }
        if (!readAs(flag.args[k], args_[at], value)) {
            if (query_) break;
            return fail("Flag " + name + " needs " + describe(flag.args[k]) + ", not " +
                        quoted(args_[at]));
        }
        use.args.push_back(value);
    }
    if (use.args.size() != count) use.args.clear();
    return true;
}

bool SyntaxParser::readPositionals(const std::vector<std::size_t>& at, ParsedArgs& out) {
    const std::vector<MSyntax::MArgType>& types = syntax_->commandArgs;
    if (at.size() < types.size())
        return fail("Needs " + plural(types.size(), "argument") + ", got " +
                    std::to_string(at.size()));
    for (std::size_t k = 0; k < types.size(); ++k) {
        Value value;
        if (!readAs(types[k], args_[at[k]], value))
            return fail("Argument " + std::to_string(k + 1) + " needs " + describe(types[k]) +
                        ", not " + quoted(args_[at[k]]));
        out.commandArgs.push_back(value);
    }
    for (std::size_t k = types.size(); k < at.size(); ++k) {
        if (syntax_->objectFormat == MSyntax::kNone)
            return fail("Unexpected argument: " + quoted(args_[at[k]]));
        out.objects.push_back(args_[at[k]].asString());
    }
    if (out.objects.empty() && syntax_->selectionAsDefault) out.objects = selectedNames();
    const std::size_t n = out.objects.size();
    if (n > syntax_->maxObjects)
        return fail("Too many objects: at most " + std::to_string(syntax_->maxObjects) +
                    " allowed, got " + std::to_string(n));
    if (n < syntax_->minObjects)
        return fail("Not enough objects: at least " + std::to_string(syntax_->minObjects) +
                    " needed, got " + std::to_string(n));
    return true;
}

} // namespace rvhost
