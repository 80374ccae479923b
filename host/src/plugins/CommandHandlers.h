#pragma once
#include <maya/MArgList.h>
#include <maya/MArgParser.h>
#include <maya/MSyntax.h>
#include <maya/MTypes.h>

#include "script/CommandTable.h"

#include <string>
#include <vector>

namespace rvhost {

// The arguments of a script call as an MArgList: arrays expand into their elements.
MArgList argListOf(const std::vector<script::Argument>& args);

// Reads `args` against `syntax` into `out`; on failure shows "COMMAND: why" as an error.
bool parseArgs(const std::string& command, const MSyntax& syntax, const MArgList& args,
               MArgParser& out);

// The same for a script call, for built-in commands that read their flags through MSyntax.
bool parseCall(const script::CommandCall& call, const MSyntax& syntax, MArgParser& out);

// Script-command handlers for what plug-ins register: an MPxCommand (with a syntax when
// `syntaxCreator` is given), and a context command whose contexts make tool commands
// with `toolCreator`.
script::CommandHandler commandHandler(MCreatorFunction creator,
                                      MCreateSyntaxFunction syntaxCreator);
script::CommandHandler contextCommandHandler(MCreatorFunction creator,
                                             MCreatorFunction toolCreator);

} // namespace rvhost
