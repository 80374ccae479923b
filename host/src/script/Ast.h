#pragma once
#include "script/Value.h"

#include <memory>
#include <string>
#include <vector>

namespace rvhost::script {

struct Expr;
struct Stmt;
using ExprPtr = std::unique_ptr<Expr>;
using StmtPtr = std::unique_ptr<Stmt>;

struct Expr {
    enum class Kind {
        Literal,       // value
        Variable,      // name ($x)
        Index,         // operands: array, index
        Component,     // operands: vector; name: x, y or z
        VectorLiteral, // operands: x, y, z
        ArrayLiteral,  // operands: elements
        Cast,          // operands: value; castType
        Unary,         // op: - ! +; operands: value
        Binary,        // op; operands: left, right
        Ternary,       // operands: condition, then, else
        Assign,        // op: = += -= *= /=; operands: target, value
        IncDec,        // op: ++ --; prefix; operands: target
        Call,          // name; operands: arguments; words: which were bare words
        Catch,         // quiet; operands: the guarded expression
        Clear          // operands: the array variable
    };
    Kind kind = Kind::Literal;
    int line = 1;
    Value value;
    std::string name;
    std::string op;
    Value::Type castType = Value::Type::None;
    bool prefix = false;
    bool quiet = false;
    bool functionForm = false;
    std::vector<ExprPtr> operands;
    std::vector<bool> words;
};

struct Declarator {
    std::string name;
    bool array = false;
    ExprPtr size; // declared array size, ignored but evaluated as the language does
    ExprPtr init;
    int line = 1;
};

struct Parameter {
    Value::Type type = Value::Type::None;
    std::string name;
};

// A procedure as parsed; shared so that it outlives the text that defined it.
struct ProcDef {
    std::string name;
    bool global = false;
    Value::Type returnType = Value::Type::None;
    std::vector<Parameter> params;
    StmtPtr body;
    std::string unit; // the file (or "") whose statements defined it
};

struct SwitchCase {
    ExprPtr value; // null for default
    std::vector<StmtPtr> body;
};

struct Stmt {
    enum class Kind {
        Empty,
        Expression,  // expr
        Declaration, // global, declType, declarators
        Block,       // body
        If,          // expr; body: then [, else]
        While,       // expr; body: loop
        DoWhile,     // expr; body: loop
        For,         // init; expr (may be null); step; body: loop
        ForIn,       // name (loop variable); expr (collection); body: loop
        Switch,      // expr; cases
        Break,
        Continue,
        Return, // expr (may be null)
        Proc    // proc
    };
    Kind kind = Kind::Empty;
    int line = 1;
    ExprPtr expr;
    std::vector<StmtPtr> body;
    std::vector<StmtPtr> init;
    std::vector<ExprPtr> step;
    bool global = false;
    Value::Type declType = Value::Type::None;
    std::vector<Declarator> declarators;
    std::string name;
    std::vector<SwitchCase> cases;
    std::shared_ptr<ProcDef> proc;
};

} // namespace rvhost::script
