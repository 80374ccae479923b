#pragma once
#include "plugins/ParsedArgs.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost {

// Reads an argument list against a syntax: flags (with -query/-edit when enabled), then
// command arguments, then objects. On failure error() holds a message for the user.
class SyntaxParser {
public:
    SyntaxParser(std::shared_ptr<const SyntaxData> syntax, const std::vector<script::Value>& args);

    bool parse(ParsedArgs& out);
    const std::string& error() const { return error_; }

private:
    bool isFlagWord(std::size_t i) const;
    bool isDeclaredFlag(std::size_t i) const;
    bool isModeFlag(std::size_t i) const;
    bool readModes(ParsedArgs& out);
    bool readFlag(const FlagSpec& flag, std::size_t& i, ParsedArgs& out);
    bool readFlagArgs(const FlagSpec& flag, std::size_t i, FlagUse& use);
    bool readPositionals(const std::vector<std::size_t>& at, ParsedArgs& out);
    bool fail(const std::string& message);

    std::shared_ptr<const SyntaxData> syntax_;
    const std::vector<script::Value>& args_;
    bool query_ = false;
    std::string error_;
};

} // namespace rvhost
