#pragma once
#include "script/CommandTable.h"

#include <string>

namespace rvhost::script {

// Adds the language's own commands (print, eval, source, optionVar, the string and math
// procedures...) to the command table. Called once at host start.
void registerScriptCommands();

void registerLanguageCommands(CommandTable& table);
void registerStandardProcs(CommandTable& table);
void registerOptionVarCommand(CommandTable& table);

// Shared by command handlers: shows "TEXT" as an error of the running script and fails.
MStatus commandError(const std::string& text);
// Fails with the language's message unless the call has between min and max arguments.
MStatus checkArgumentCount(const CommandCall& call, std::size_t min, std::size_t max);

} // namespace rvhost::script
