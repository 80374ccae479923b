#include "script/Interpreter.h"

#include "script/CommandTable.h"
#include "script/Operators.h"
#include "script/Output.h"
#include "script/Parser.h"

#include <fstream>
#include <optional>
#include <sstream>

namespace rvhost::script {

namespace {
// Deep enough for any sane script, shallow enough to stop runaway recursion well before
// the process's own stack runs out.
constexpr std::size_t kMaxDepth = 200;
// Statements and expressions evaluated inside one another, procedure calls included: the
// parser bounds one text's nesting, this bounds nesting built up across calls.
constexpr std::size_t kMaxEvaluationDepth = 4000;
// Element assignment grows arrays; beyond this it is surely a mistake.
constexpr int kMaxArrayIndex = 1 << 24;

bool isArrayType(Value::Type type) {
    return Value::elementType(type) != type;
}

bool isLanguageProc(const std::string& name) {
    return name == "tokenize" || name == "catch" || name == "catchQuiet" || name == "clear";
}

std::vector<std::string> splitAtAny(const std::string& text, const std::string& delimiters) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        if (delimiters.find(c) == std::string::npos) {
            piece += c;
        } else if (!piece.empty()) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}
} // namespace

class Interpreter::FrameGuard {
public:
    FrameGuard(Interpreter& in, Frame frame) : in_(in) { in_.frames_.push_back(std::move(frame)); }
    ~FrameGuard() { in_.frames_.pop_back(); }
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;

private:
    Interpreter& in_;
};

class Interpreter::DepthGuard {
public:
    explicit DepthGuard(Interpreter& in) : in_(in) {
        if (in_.stepLimit_ && ++in_.steps_ > in_.stepLimit_)
            in_.raise("Script stopped: step limit reached.");
        if (++in_.depth_ <= kMaxEvaluationDepth) return;
        --in_.depth_;
        in_.raise("Script nested too deeply (more than " + std::to_string(kMaxEvaluationDepth) +
                  " levels of statements, expressions and calls).");
    }
    ~DepthGuard() { --in_.depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    Interpreter& in_;
};

class Interpreter::ScopeGuard {
public:
    explicit ScopeGuard(Interpreter& in) : in_(in) {
        in_.frames_.back().scopes.push_back(std::make_shared<Scope>());
    }
    ~ScopeGuard() { in_.frames_.back().scopes.pop_back(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    Interpreter& in_;
};

Interpreter& Interpreter::instance() {
    static Interpreter interpreter;
    return interpreter;
}

Interpreter::Interpreter() : session_(std::make_shared<Scope>()) {}

void Interpreter::reset() {
    session_ = std::make_shared<Scope>();
    globals_.clear();
    globalProcs_.clear();
    localProcs_.clear();
}

MStatus Interpreter::execute(const std::string& text, Value* result) {
    return run(text, "", session_, result);
}

MStatus Interpreter::executeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Output::error(location() + "Cannot open file \"" + path + "\" for reading.");
        return MS::kFailure;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return run(text.str(), path, std::make_shared<Scope>(), nullptr);
}

bool Interpreter::isComplete(const std::string& text) const {
    try {
        Parser(text, "").parseProgram();
        return true;
    } catch (const ParseError& e) {
        return !e.atEnd;
    }
}

MStatus Interpreter::run(const std::string& text, const std::string& unit, ScopePtr top,
                         Value* result) {
    if (frames_.size() >= kMaxDepth) {
        Output::error(location() + "Scripts nested too deeply.");
        return MS::kFailure;
    }
    FrameGuard frame(*this, Frame{{std::move(top)}, unit, 1});
    Value outer = std::move(lastResult_);
    lastResult_ = Value();
    MStatus status = MS::kSuccess;
    try {
        std::vector<StmtPtr> program = Parser(text, unit).parseProgram();
        defineProcs(program);
        for (const StmtPtr& s : program)
            if (exec(*s) == Flow::Return) break;
        if (result) *result = lastResult_;
    } catch (const ParseError& e) {
        at(e.line);
        Output::error(location() + e.message);
        status = MS::kFailure;
    } catch (const Stop&) {
        status = MS::kFailure;
    } catch (const std::exception& e) {
        Output::error(location() + "Internal error: " + e.what());
        status = MS::kFailure;
    }
    lastResult_ = std::move(outer);
    return status;
}

void Interpreter::defineProcs(const std::vector<StmtPtr>& program) {
    for (const StmtPtr& s : program)
        if (s->kind == Stmt::Kind::Proc) define(s->proc);
}

void Interpreter::define(const std::shared_ptr<ProcDef>& proc) {
    if (proc->global)
        globalProcs_[proc->name] = proc;
    else
        localProcs_[{proc->unit, proc->name}] = proc;
}

void Interpreter::raise(const std::string& message) {
    Output::error(location() + message);
    throw Stop{};
}

std::string Interpreter::location() const {
    if (frames_.empty()) return "";
    const Frame& f = frames_.back();
    std::string line = "line " + std::to_string(f.line) + ": ";
    return f.unit.empty() ? line : "file: " + f.unit + " " + line;
}

std::string Interpreter::currentFile() const {
    for (auto it = frames_.rbegin(); it != frames_.rend(); ++it)
        if (!it->unit.empty()) return it->unit;
    return "";
}

bool Interpreter::procExists(const std::string& name) const {
    return findProc(name) != nullptr || isLanguageProc(name);
}

const ProcDef* Interpreter::findProc(const std::string& name) const {
    std::string unit = frames_.empty() ? "" : frames_.back().unit;
    auto local = localProcs_.find({unit, name});
    if (local != localProcs_.end()) return local->second.get();
    auto global = globalProcs_.find(name);
    return global == globalProcs_.end() ? nullptr : global->second.get();
}

// ---- statements -------------------------------------------------------------------

Interpreter::Flow Interpreter::exec(const Stmt& s) {
    DepthGuard depth(*this);
    at(s.line);
    switch (s.kind) {
    case Stmt::Kind::Empty:
        return Flow::Next;
    case Stmt::Kind::Expression:
        lastResult_ = eval(*s.expr);
        return Flow::Next;
    case Stmt::Kind::Declaration:
        declare(s);
        return Flow::Next;
    case Stmt::Kind::Block:
        return execBlock(s.body);
    case Stmt::Kind::If:
        if (condition(*s.expr)) return exec(*s.body[0]);
        return s.body.size() > 1 ? exec(*s.body[1]) : Flow::Next;
    case Stmt::Kind::While:
    case Stmt::Kind::DoWhile:
        return loop(s);
    case Stmt::Kind::For:
        return forLoop(s);
    case Stmt::Kind::ForIn:
        return forIn(s);
    case Stmt::Kind::Switch:
        return switchOn(s);
    case Stmt::Kind::Break:
        return Flow::Break;
    case Stmt::Kind::Continue:
        return Flow::Continue;
    case Stmt::Kind::Return:
        returnValue_ = s.expr ? eval(*s.expr) : Value();
        return Flow::Return;
    case Stmt::Kind::Proc:
        define(s.proc);
        return Flow::Next;
    }
    return Flow::Next;
}

Interpreter::Flow Interpreter::execAll(const std::vector<StmtPtr>& body) {
    for (const StmtPtr& s : body) {
        Flow flow = exec(*s);
        if (flow != Flow::Next) return flow;
    }
    return Flow::Next;
}

Interpreter::Flow Interpreter::execBlock(const std::vector<StmtPtr>& body) {
    ScopeGuard scope(*this);
    return execAll(body);
}

void Interpreter::declare(const Stmt& s) {
    for (const Declarator& d : s.declarators) {
        at(d.line);
        Value::Type type = d.array ? Value::arrayType(s.declType) : s.declType;
        if (d.size) eval(*d.size);
        VariablePtr var;
        if (s.global) {
            VariablePtr& global = globals_[d.name];
            if (!global)
                global = std::make_shared<Variable>(Variable{type, Value::defaultOf(type)});
            if (global->type != type)
                raise("Invalid redeclaration of variable \"" + d.name + "\" as a different type.");
            frames_.back().scopes.back()->insert_or_assign(d.name, global);
            var = global;
        } else {
            var = bind(d.name, type);
        }
        if (d.init) var->value = convertFor(type, eval(*d.init));
    }
}

Interpreter::Flow Interpreter::loop(const Stmt& s) {
    bool first = s.kind == Stmt::Kind::DoWhile;
    while (first || condition(*s.expr)) {
        first = false;
        Flow flow = exec(*s.body[0]);
        if (flow == Flow::Break) break;
        if (flow == Flow::Return) return flow;
    }
    return Flow::Next;
}

// Variables the loop header declares stay after the loop, as the language has it.
Interpreter::Flow Interpreter::forLoop(const Stmt& s) {
    for (const StmtPtr& init : s.init)
        exec(*init);
    while (!s.expr || condition(*s.expr)) {
        Flow flow = exec(*s.body[0]);
        if (flow == Flow::Break) break;
        if (flow == Flow::Return) return flow;
        for (const ExprPtr& step : s.step)
            eval(*step);
    }
    return Flow::Next;
}

Interpreter::Flow Interpreter::forIn(const Stmt& s) {
    Value collection = eval(*s.expr);
    if (!collection.isArray()) raise("A for-in loop needs an array to walk.");
    VariablePtr var = lookup(s.name);
    if (!var) var = bind(s.name, Value::elementType(collection.type()));
    for (std::size_t i = 0; i < collection.size(); ++i) {
        var->value = convertFor(var->type, collection.element(i));
        Flow flow = exec(*s.body[0]);
        if (flow == Flow::Break) break;
        if (flow == Flow::Return) return flow;
    }
    return Flow::Next;
}

Interpreter::Flow Interpreter::switchOn(const Stmt& s) {
    Value subject = eval(*s.expr);
    std::optional<std::size_t> start;
    for (std::size_t i = 0; i < s.cases.size() && !start; ++i) {
        const ExprPtr& value = s.cases[i].value;
        if (value && checked([&] { return applyBinary("==", subject, eval(*value)); }).asInt())
            start = i;
    }
    for (std::size_t i = 0; i < s.cases.size() && !start; ++i)
        if (!s.cases[i].value) start = i;
    if (!start) return Flow::Next;
    ScopeGuard scope(*this);
    for (std::size_t i = *start; i < s.cases.size(); ++i) {
        Flow flow = execAll(s.cases[i].body);
        if (flow == Flow::Break) return Flow::Next;
        if (flow != Flow::Next) return flow;
    }
    return Flow::Next;
}

// ---- expressions ------------------------------------------------------------------

Value Interpreter::checked(const std::function<Value()>& operation) {
    try {
        return operation();
    } catch (const OperatorError& e) {
        raise(e.what());
    }
}

bool Interpreter::condition(const Expr& e) {
    Value value = eval(e);
    return checked([&] { return Value(isTrue(value) ? 1 : 0); }).asInt() != 0;
}

Value Interpreter::eval(const Expr& e) {
    DepthGuard depth(*this);
    switch (e.kind) {
    case Expr::Kind::Literal:
        return e.value;
    case Expr::Kind::Variable:
        return require(e.name)->value;
    case Expr::Kind::Index:
        return indexValue(e);
    case Expr::Kind::Component: {
        Vector3 v = eval(*e.operands[0]).asVector();
        return e.name == "x" ? v.x : e.name == "y" ? v.y : v.z;
    }
    case Expr::Kind::VectorLiteral:
        return Vector3{eval(*e.operands[0]).asFloat(), eval(*e.operands[1]).asFloat(),
                       eval(*e.operands[2]).asFloat()};
    case Expr::Kind::ArrayLiteral:
        return arrayLiteral(e);
    case Expr::Kind::Cast:
        return convertFor(e.castType, eval(*e.operands[0]));
    case Expr::Kind::Unary: {
        Value operand = eval(*e.operands[0]);
        return checked([&] { return applyUnary(e.op, operand); });
    }
    case Expr::Kind::Binary:
        return logical(e);
    case Expr::Kind::Ternary:
        return condition(*e.operands[0]) ? eval(*e.operands[1]) : eval(*e.operands[2]);
    case Expr::Kind::Assign:
        return assign(e);
    case Expr::Kind::IncDec:
        return incDec(e);
    case Expr::Kind::Call:
        return call(e);
    case Expr::Kind::Catch:
        return guarded(e);
    case Expr::Kind::Clear:
        return clearArray(e);
    }
    return Value();
}

// Binary operators; && and || do not evaluate their right side when the left decides.
Value Interpreter::logical(const Expr& e) {
    if (e.op == "&&" && !condition(*e.operands[0])) return 0;
    if (e.op == "||" && condition(*e.operands[0])) return 1;
    if (e.op == "&&" || e.op == "||") return condition(*e.operands[1]) ? 1 : 0;
    Value left = eval(*e.operands[0]);
    Value right = eval(*e.operands[1]);
    return checked([&] { return applyBinary(e.op, left, right); });
}

Value Interpreter::indexValue(const Expr& e) {
    const Expr& array = *e.operands[0];
    int index = eval(*e.operands[1]).asInt();
    if (index < 0) raise("Array index out of bounds.");
    // A variable is read in place: loops over big arrays must not copy them per element.
    if (array.kind == Expr::Kind::Variable) {
        VariablePtr var = require(array.name);
        if (!var->value.isArray()) raise("\"" + array.name + "\" is not an array.");
        return var->value.element(static_cast<std::size_t>(index));
    }
    Value value = eval(array);
    if (!value.isArray()) raise("Only an array can be indexed.");
    return value.element(static_cast<std::size_t>(index));
}

// The elements decide the array's type: any string makes a string array, else any vector
// a vector array, else any float a float array.
Value Interpreter::arrayLiteral(const Expr& e) {
    std::vector<Value> items;
    Value::Type type = Value::Type::Int;
    for (const ExprPtr& operand : e.operands) {
        items.push_back(eval(*operand));
        Value::Type t = items.back().type();
        if (items.back().isArray() || items.back().isNone())
            raise("An array can hold only single values.");
        if (t == Value::Type::String || type == Value::Type::String)
            type = Value::Type::String;
        else if (t == Value::Type::Vector || type == Value::Type::Vector)
            type = Value::Type::Vector;
        else if (t == Value::Type::Float)
            type = Value::Type::Float;
    }
    if (items.empty()) type = Value::Type::String;
    Value array = Value::defaultOf(Value::arrayType(type));
    for (std::size_t i = 0; i < items.size(); ++i)
        array.setElement(i, items[i]);
    return array;
}

Value Interpreter::assign(const Expr& e) {
    Value value = eval(*e.operands[1]);
    if (e.op != "=") {
        Value current = eval(*e.operands[0]);
        std::string op = e.op.substr(0, 1);
        value = checked([&] { return applyBinary(op, current, value); });
    }
    return store(*e.operands[0], value);
}

Value Interpreter::incDec(const Expr& e) {
    const Expr& target = *e.operands[0];
    Value before = eval(target);
    if (before.type() != Value::Type::Int && before.type() != Value::Type::Float)
        raise("\"" + e.op + "\" needs an int or a float.");
    Value after = checked([&] { return applyBinary(e.op == "++" ? "+" : "-", before, 1); });
    store(target, after);
    return e.prefix ? after : before;
}

// A variable assigned before any declaration is declared here with the value's type.
Value Interpreter::store(const Expr& target, const Value& value) {
    if (value.isNone()) raise("The value assigned has no type (a procedure returned nothing).");
    if (target.kind == Expr::Kind::Variable) {
        VariablePtr var = lookup(target.name);
        if (!var) var = bind(target.name, value.type());
        var->value = convertFor(var->type, value);
        return var->value;
    }
    const Expr& arrayExpr = *target.operands[0];
    if (arrayExpr.kind != Expr::Kind::Variable) raise("Only array variables have elements to set.");
    int index = eval(*target.operands[1]).asInt();
    if (index < 0 || index > kMaxArrayIndex) raise("Array index out of bounds.");
    if (value.isArray())
        raise("Cannot convert data of type " + Value::typeName(value.type()) +
              " to an array element.");
    VariablePtr var = lookup(arrayExpr.name);
    if (!var) var = bind(arrayExpr.name, Value::arrayType(value.type()));
    if (!var->value.isArray()) raise("\"" + arrayExpr.name + "\" is not an array.");
    var->value.setElement(static_cast<std::size_t>(index), value);
    return var->value.element(static_cast<std::size_t>(index));
}

Value Interpreter::guarded(const Expr& e) {
    std::optional<Output::Quiet> quiet;
    if (e.quiet) quiet.emplace();
    try {
        eval(*e.operands[0]);
        return 0;
    } catch (const Stop&) {
        return 1;
    }
}

Value Interpreter::clearArray(const Expr& e) {
    VariablePtr var = require(e.operands[0]->name);
    if (!isArrayType(var->type)) raise("\"" + e.operands[0]->name + "\" is not an array.");
    var->value = Value::defaultOf(var->type);
    return 0;
}

// ---- calls ------------------------------------------------------------------------

Value Interpreter::call(const Expr& e) {
    at(e.line);
    if (const ProcDef* proc = findProc(e.name)) return callProc(*proc, e);
    if (e.name == "tokenize") return tokenize(e);
    if (CommandTable::instance().contains(e.name)) return callCommand(e);
    raise("Cannot find procedure \"" + e.name + "\".");
}

// Array arguments that are variables of the parameter's type are passed by reference, as
// the language does; everything else is converted to the parameter's type.
Value Interpreter::callProc(const ProcDef& proc, const Expr& e) {
    if (e.operands.size() != proc.params.size())
        raise("Wrong number of arguments on call to " + proc.name + ".");
    if (frames_.size() >= kMaxDepth)
        raise("Procedure calls nested too deeply in " + proc.name + ".");
    auto scope = std::make_shared<Scope>();
    for (std::size_t i = 0; i < proc.params.size(); ++i) {
        const Parameter& p = proc.params[i];
        const Expr& arg = *e.operands[i];
        if (isArrayType(p.type) && arg.kind == Expr::Kind::Variable) {
            VariablePtr var = require(arg.name);
            if (var->type == p.type) {
                (*scope)[p.name] = var;
                continue;
            }
        }
        Value value = eval(arg);
        (*scope)[p.name] = std::make_shared<Variable>(Variable{p.type, convertFor(p.type, value)});
    }
    FrameGuard frame(*this, Frame{{scope}, proc.unit, e.line});
    returnValue_ = Value();
    Flow flow = exec(*proc.body);
    if (proc.returnType == Value::Type::None) return Value();
    if (flow != Flow::Return || returnValue_.isNone()) return Value::defaultOf(proc.returnType);
    return convertFor(proc.returnType, returnValue_);
}

// A command that fails has normally said why; if it did not, say which one failed.
Value Interpreter::callCommand(const Expr& e) {
    CommandCall commandCall;
    commandCall.name = e.name;
    commandCall.functionForm = e.functionForm;
    for (std::size_t i = 0; i < e.operands.size(); ++i)
        commandCall.args.push_back(Argument{eval(*e.operands[i]), e.words[i]});
    at(e.line);
    // A copy: the command may remove itself from the table (unloadPlugin).
    CommandHandler handler = *CommandTable::instance().find(e.name);
    unsigned long errorsBefore = Output::errorCount();
    Value result;
    MStatus status;
    try {
        status = handler(commandCall, result);
    } catch (const std::exception& x) {
        raise("Internal error in \"" + e.name + "\": " + x.what());
    }
    if (!status) {
        if (Output::errorCount() == errorsBefore) raise("\"" + e.name + "\" command failed.");
        throw Stop{};
    }
    return result;
}

// tokenize(text, [delimiters,] result[]): fills the array variable, returns the count.
Value Interpreter::tokenize(const Expr& e) {
    if (e.operands.size() != 2 && e.operands.size() != 3)
        raise("Wrong number of arguments on call to tokenize.");
    const Expr& out = *e.operands.back();
    if (out.kind != Expr::Kind::Variable) raise("tokenize needs a string array variable to fill.");
    std::string text = eval(*e.operands[0]).asString();
    std::string delimiters = e.operands.size() == 3 ? eval(*e.operands[1]).asString() : " ";
    std::vector<std::string> pieces = splitAtAny(text, delimiters);
    VariablePtr var = lookup(out.name);
    if (!var) var = bind(out.name, Value::Type::StringArray);
    var->value = convertFor(var->type, pieces);
    return static_cast<int>(pieces.size());
}

// ---- variables --------------------------------------------------------------------

Interpreter::VariablePtr Interpreter::lookup(const std::string& name) const {
    const std::vector<ScopePtr>& scopes = frames_.back().scopes;
    for (auto it = scopes.rbegin(); it != scopes.rend(); ++it) {
        auto found = (*it)->find(name);
        if (found != (*it)->end()) return found->second;
    }
    return nullptr;
}

Interpreter::VariablePtr Interpreter::require(const std::string& name) {
    VariablePtr var = lookup(name);
    if (!var) raise("\"" + name + "\" is an undeclared variable.");
    return var;
}

// Declares in the innermost scope; declaring again there with the same type starts over.
Interpreter::VariablePtr Interpreter::bind(const std::string& name, Value::Type type) {
    Scope& scope = *frames_.back().scopes.back();
    VariablePtr& var = scope[name];
    if (var && var->type != type)
        raise("Invalid redeclaration of variable \"" + name + "\" as a different type.");
    var = std::make_shared<Variable>(Variable{type, Value::defaultOf(type)});
    return var;
}

Value Interpreter::convertFor(Value::Type type, const Value& value) {
    if (value.isNone() || isArrayType(type) != value.isArray())
        raise("Cannot convert data of type " + Value::typeName(value.type()) + " to type " +
              Value::typeName(type) + ".");
    return value.convertedTo(type);
}

} // namespace rvhost::script
