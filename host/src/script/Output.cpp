#include "script/Output.h"

#include <iostream>

namespace rvhost::script {

namespace {
struct State {
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    int quiet = 0;
    unsigned long errors = 0;
};

State& state() {
    static State s;
    return s;
}

void writeLine(const char* prefix, const std::string& text) {
    if (state().quiet > 0) return;
    Output::err() << prefix << text << '\n';
    Output::err().flush();
}
} // namespace

std::ostream& Output::out() {
    return state().out ? *state().out : std::cout;
}

std::ostream& Output::err() {
    return state().err ? *state().err : std::cerr;
}

void Output::redirect(std::ostream* out, std::ostream* err) {
    state().out = out;
    state().err = err;
}

void Output::print(const std::string& text) {
    out() << text;
    out().flush();
}

void Output::warning(const std::string& text) {
    writeLine("// Warning: ", text);
}

void Output::error(const std::string& text) {
    ++state().errors;
    writeLine("// Error: ", text);
}

unsigned long Output::errorCount() {
    return state().errors;
}

Output::Quiet::Quiet() {
    ++state().quiet;
}

Output::Quiet::~Quiet() {
    --state().quiet;
}

} // namespace rvhost::script
