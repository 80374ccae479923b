// The script language: the lexer and parser on any text, then a run of it bounded in
// steps, with only the language's own commands present (nothing that touches files).
#include "script/CommandTable.h"
#include "script/Interpreter.h"
#include "script/Output.h"
#include "script/ScriptCommands.h"

#include <cstddef>
#include <cstdint>
#include <sstream>

namespace {
std::ostringstream sink;

void setUp() {
    using rvhost::script::CommandTable;
    rvhost::script::Output::redirect(&sink, &sink);
    rvhost::script::registerLanguageCommands(CommandTable::instance());
    CommandTable::instance().remove("source");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = (setUp(), true);
    (void)ready;
    sink.str("");
    auto& interpreter = rvhost::script::Interpreter::instance();
    interpreter.reset();
    interpreter.setStepLimit(20000);
    const std::string text(reinterpret_cast<const char*>(data), size);
    interpreter.isComplete(text);
    interpreter.execute(text);
    return 0;
}
