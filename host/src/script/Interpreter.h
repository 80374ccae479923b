#pragma once
#include <maya/MStatus.h>

#include "script/Ast.h"
#include "script/Value.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rvhost::script {

// Runs script text. One instance serves the whole host: executeCommand, the program's
// -c/-i/files, eval and source all come here. Errors are shown at once (with file and
// line) and stop the text being run; nothing escapes as an exception.
class Interpreter {
public:
    static Interpreter& instance();

    // Runs text in the session scope, whose top-level variables persist from one call to
    // the next (executeCommand, eval, -c, -i). `result` receives the last statement's value.
    MStatus execute(const std::string& text, Value* result = nullptr);
    // Runs a file in a top-level scope of its own. `path` is opened as given.
    MStatus executeFile(const std::string& path);
    // False when the text is a statement or block that has not ended yet.
    bool isComplete(const std::string& text) const;

    bool procExists(const std::string& name) const;
    // The file whose statements run now ("" for session text or nothing running).
    std::string currentFile() const;
    // "file: F line N: ", "line N: " or "" when nothing runs: the prefix of an error.
    std::string location() const;

    // Forgets every variable and procedure (tests start from a clean host with it).
    void reset();
    // Stops a script with an error after this many statements and expressions in all
    // (0, the default: no limit). Lets a caller run untrusted text to a bounded end.
    void setStepLimit(std::size_t steps) {
        stepLimit_ = steps;
        steps_ = 0;
    }

private:
    struct Variable {
        Value::Type type;
        Value value;
    };
    using VariablePtr = std::shared_ptr<Variable>;
    using Scope = std::map<std::string, VariablePtr>;
    using ScopePtr = std::shared_ptr<Scope>;
    struct Frame {
        std::vector<ScopePtr> scopes;
        std::string unit;
        int line = 1;
    };
    enum class Flow { Next, Break, Continue, Return };
    // Unwinds a stopped script; what stopped it has already been shown.
    struct Stop {};
    class FrameGuard;
    class ScopeGuard;
    class DepthGuard;

    Interpreter();

    MStatus run(const std::string& text, const std::string& unit, ScopePtr top, Value* result);
    void defineProcs(const std::vector<StmtPtr>& program);
    [[noreturn]] void raise(const std::string& message);
    void at(int line) { frames_.back().line = line; }

    // Statements.
    Flow exec(const Stmt& s);
    Flow execAll(const std::vector<StmtPtr>& body);
    Flow execBlock(const std::vector<StmtPtr>& body);
    void declare(const Stmt& s);
    Flow loop(const Stmt& s);
    Flow forLoop(const Stmt& s);
    Flow forIn(const Stmt& s);
    Flow switchOn(const Stmt& s);

    // Expressions.
    Value eval(const Expr& e);
    Value variableValue(const Expr& e);
    Value indexValue(const Expr& e);
    Value arrayLiteral(const Expr& e);
    Value cast(const Expr& e);
    Value logical(const Expr& e);
    Value assign(const Expr& e);
    Value incDec(const Expr& e);
    Value guarded(const Expr& e);
    Value clearArray(const Expr& e);
    Value store(const Expr& target, const Value& value);
    bool condition(const Expr& e);
    // Runs an operator, turning its refusal into a script error.
    Value checked(const std::function<Value()>& operation);

    // Calls.
    Value call(const Expr& e);
    Value callProc(const ProcDef& proc, const Expr& e);
    Value callCommand(const Expr& e);
    Value tokenize(const Expr& e);
    const ProcDef* findProc(const std::string& name) const;
    void define(const std::shared_ptr<ProcDef>& proc);

    // Variables.
    VariablePtr lookup(const std::string& name) const;
    VariablePtr require(const std::string& name);
    VariablePtr bind(const std::string& name, Value::Type type);
    Value convertFor(Value::Type type, const Value& value);

    std::deque<Frame> frames_;
    ScopePtr session_;
    Scope globals_;
    std::map<std::string, std::shared_ptr<ProcDef>> globalProcs_;
    std::map<std::pair<std::string, std::string>, std::shared_ptr<ProcDef>> localProcs_;
    Value lastResult_;
    Value returnValue_;
    std::size_t depth_ = 0;
    std::size_t steps_ = 0;
    std::size_t stepLimit_ = 0;
};

} // namespace rvhost::script
