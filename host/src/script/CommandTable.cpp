#include "script/CommandTable.h"

namespace rvhost::script {

CommandTable& CommandTable::instance() {
    static CommandTable table;
    return table;
}

void CommandTable::add(const std::string& name, CommandHandler handler) {
    handlers_[name] = std::move(handler);
}

bool CommandTable::remove(const std::string& name) {
    return handlers_.erase(name) > 0;
}

const CommandHandler* CommandTable::find(const std::string& name) const {
    auto it = handlers_.find(name);
    return it == handlers_.end() ? nullptr : &it->second;
}

} // namespace rvhost::script
