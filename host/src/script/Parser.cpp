#include "script/Parser.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace rvhost::script {

namespace {
// Far deeper than any script a person writes, far shallower than the stack allows.
constexpr int kMaxNesting = 256;

const std::vector<std::vector<const char*>> kBinaryLevels = {
    {"||"}, {"&&"}, {"==", "!="}, {"<", "<=", ">", ">="}, {"+", "-"}, {"*", "/", "%", "^"}};

const char* const kKeywords[] = {"if",     "else",    "for",   "while",    "do",     "switch",
                                 "case",   "default", "break", "continue", "return", "proc",
                                 "global", "int",     "float", "string",   "vector", "in"};

bool isKeyword(const std::string& word) {
    for (const char* k : kKeywords)
        if (word == k) return true;
    return false;
}

// The language's constant words in expressions.
bool booleanWord(const std::string& word, int& value) {
    if (word == "true" || word == "on" || word == "yes") return (value = 1), true;
    if (word == "false" || word == "off" || word == "no") return (value = 0), true;
    return false;
}

// An int literal's value, negated when a minus sign stands before it (the most negative
// int can only be written so); false when it does not fit the language's 32-bit int.
bool intValue(const std::string& text, bool negative, int& value) {
    errno = 0;
    const long long magnitude = std::strtoll(text.c_str(), nullptr, 0);
    if (errno == ERANGE) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT_MIN || signedValue > INT_MAX) return false;
    value = static_cast<int>(signedValue);
    return true;
}

// A bare command word that spells a whole number is passed as that number.
bool wordNumber(const std::string& word, Value& value) {
    const char* begin = word.c_str();
    char* end = nullptr;
    errno = 0;
    long long asLong = std::strtoll(begin, &end, 10);
    // A whole number too large for an int is passed as the float it spells.
    if (end != begin && *end == '\0' && errno != ERANGE && asLong >= INT_MIN && asLong <= INT_MAX) {
        value = static_cast<int>(asLong);
        return true;
    }
    double asDouble = std::strtod(begin, &end);
    bool numeric = end != begin && *end == '\0' &&
                   (std::isdigit(static_cast<unsigned char>(word.back())) || word.back() == '.');
    if (numeric) value = asDouble;
    return numeric;
}
} // namespace

Parser::Parser(const std::string& text, std::string unit)
    : text_(text), unit_(std::move(unit)), lexer_(text_) {
    advance();
}

std::vector<StmtPtr> Parser::parseProgram() {
    std::vector<StmtPtr> program;
    while (cur_.kind != Token::Kind::End)
        program.push_back(statement());
    return program;
}

void Parser::advance(Lexer::Mode mode) {
    cur_ = lexer_.next(mode);
}

void Parser::relex(Lexer::Mode mode) {
    lexer_.seek(cur_.begin, cur_.line);
    bool space = cur_.spaceBefore;
    advance(mode);
    cur_.spaceBefore = cur_.spaceBefore || space;
}

bool Parser::accept(const char* symbol) {
    if (!cur_.isSymbol(symbol)) return false;
    advance();
    return true;
}

void Parser::expect(const char* symbol) {
    if (!accept(symbol)) fail(std::string("Syntax error: expected \"") + symbol + "\".");
}

// A token the lexer could not read is reported as such, whatever was expected instead.
void Parser::fail(const std::string& message) const {
    if (cur_.kind == Token::Kind::Invalid)
        throw ParseError{"Syntax error: " + cur_.text, cur_.line, false};
    throw ParseError{message, cur_.line, cur_.kind == Token::Kind::End};
}

ExprPtr Parser::node(Expr::Kind kind, int line) const {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->line = line;
    return e;
}

StmtPtr Parser::stmt(Stmt::Kind kind, int line) const {
    auto s = std::make_unique<Stmt>();
    s->kind = kind;
    s->line = line;
    return s;
}

// ---- statements -------------------------------------------------------------------

// Every nested statement passes through statement() and every nested expression through
// unary(); each holds one of these, so hostile text cannot recurse the parser (or, later,
// the interpreter) off the end of the stack.
class Parser::Nesting {
public:
    explicit Nesting(Parser& parser) : parser_(parser) {
        if (++parser_.nesting_ <= kMaxNesting) return;
        --parser_.nesting_;
        parser_.fail("Syntax error: statements or expressions nested more than " +
                     std::to_string(kMaxNesting) + " deep.");
    }
    ~Nesting() { --parser_.nesting_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    Parser& parser_;
};

StmtPtr Parser::statement() {
    Nesting nesting(*this);
    int line = cur_.line;
    if (cur_.kind == Token::Kind::End) fail("Syntax error: unexpected end of input.");
    if (accept(";")) return stmt(Stmt::Kind::Empty, line);
    if (cur_.isSymbol("{")) return block();
    if (cur_.kind != Token::Kind::Identifier) return expressionStatement(expression());
    if (atKeyword("global")) {
        advance();
        if (atKeyword("proc")) return procDefinition(true);
        if (!atType()) fail("Syntax error: \"global\" must be followed by a type or \"proc\".");
        return declaration(true);
    }
    if (atKeyword("proc")) return procDefinition(false);
    if (atType()) return declaration(false);
    if (atKeyword("if")) return ifStatement();
    if (atKeyword("while")) return whileStatement();
    if (atKeyword("do")) return doWhileStatement();
    if (atKeyword("for")) return forStatement();
    if (atKeyword("switch")) return switchStatement();
    if (atKeyword("break")) return jump(Stmt::Kind::Break);
    if (atKeyword("continue")) return jump(Stmt::Kind::Continue);
    if (atKeyword("return")) {
        advance();
        auto s = stmt(Stmt::Kind::Return, line);
        if (!cur_.isSymbol(";") && cur_.kind != Token::Kind::End) s->expr = expression();
        endOfStatement();
        return s;
    }
    if (isKeyword(cur_.text)) fail("Syntax error: unexpected \"" + cur_.text + "\".");
    Lexer probe = lexer_;
    Token after = probe.next();
    if (after.isSymbol("(") && !after.spaceBefore) return expressionStatement(expression());
    Token name = cur_;
    advance();
    return expressionStatement(call(name));
}

StmtPtr Parser::expressionStatement(ExprPtr expr) {
    auto s = stmt(Stmt::Kind::Expression, expr->line);
    s->expr = postfix(std::move(expr));
    endOfStatement();
    return s;
}

// A statement ends at ";"; the last one of a text may also end at the end of the text.
void Parser::endOfStatement() {
    if (cur_.kind == Token::Kind::End) return;
    if (!accept(";")) fail("Syntax error: expected \";\" before \"" + cur_.text + "\".");
}

StmtPtr Parser::block() {
    auto s = stmt(Stmt::Kind::Block, cur_.line);
    expect("{");
    while (!cur_.isSymbol("}"))
        s->body.push_back(statement());
    advance();
    return s;
}

bool Parser::atType() const {
    return atKeyword("int") || atKeyword("float") || atKeyword("string") || atKeyword("vector");
}

Value::Type Parser::typeName(bool allowArray) {
    if (!atType()) fail("Syntax error: expected a type.");
    Value::Type type = cur_.text == "int"      ? Value::Type::Int
                       : cur_.text == "float"  ? Value::Type::Float
                       : cur_.text == "string" ? Value::Type::String
                                               : Value::Type::Vector;
    advance();
    if (allowArray && cur_.isSymbol("[")) {
        advance();
        expect("]");
        type = Value::arrayType(type);
    }
    return type;
}

StmtPtr Parser::declaration(bool global) {
    auto s = stmt(Stmt::Kind::Declaration, cur_.line);
    s->global = global;
    s->declType = typeName(false);
    do {
        if (cur_.kind != Token::Kind::Variable) fail("Syntax error: expected a variable name.");
        Declarator d;
        d.name = cur_.text;
        d.line = cur_.line;
        advance();
        if (accept("[")) {
            d.array = true;
            if (!cur_.isSymbol("]")) d.size = expression();
            expect("]");
        }
        if (accept("=")) d.init = expression();
        s->declarators.push_back(std::move(d));
    } while (accept(","));
    endOfStatement();
    return s;
}

StmtPtr Parser::procDefinition(bool global) {
    int line = cur_.line;
    if (procDepth_ > 0) fail("Syntax error: procedures cannot be defined inside a block.");
    advance();
    auto proc = std::make_shared<ProcDef>();
    proc->global = global;
    proc->unit = unit_;
    if (atType()) proc->returnType = typeName(true);
    if (cur_.kind != Token::Kind::Identifier) fail("Syntax error: expected a procedure name.");
    proc->name = cur_.text;
    advance();
    expect("(");
    while (!cur_.isSymbol(")")) {
        Parameter p;
        p.type = typeName(false);
        if (cur_.kind != Token::Kind::Variable) fail("Syntax error: expected a parameter name.");
        p.name = cur_.text;
        advance();
        if (accept("[")) {
            expect("]");
            p.type = Value::arrayType(p.type);
        }
        proc->params.push_back(p);
        if (!cur_.isSymbol(")")) expect(",");
    }
    advance();
    if (!cur_.isSymbol("{")) fail("Syntax error: expected \"{\" to open the procedure body.");
    ++procDepth_;
    proc->body = block();
    --procDepth_;
    auto s = stmt(Stmt::Kind::Proc, line);
    s->proc = std::move(proc);
    return s;
}

StmtPtr Parser::ifStatement() {
    auto s = stmt(Stmt::Kind::If, cur_.line);
    advance();
    s->expr = parenthesised();
    s->body.push_back(statement());
    if (atKeyword("else")) {
        advance();
        s->body.push_back(statement());
    }
    return s;
}

StmtPtr Parser::whileStatement() {
    auto s = stmt(Stmt::Kind::While, cur_.line);
    advance();
    s->expr = parenthesised();
    s->body.push_back(statement());
    return s;
}

StmtPtr Parser::doWhileStatement() {
    auto s = stmt(Stmt::Kind::DoWhile, cur_.line);
    advance();
    s->body.push_back(statement());
    if (!atKeyword("while")) fail("Syntax error: expected \"while\" after the \"do\" body.");
    advance();
    s->expr = parenthesised();
    endOfStatement();
    return s;
}

StmtPtr Parser::forStatement() {
    int line = cur_.line;
    advance();
    expect("(");
    if (cur_.kind == Token::Kind::Variable) {
        Lexer probe = lexer_;
        if (probe.next().is(Token::Kind::Identifier, "in")) return forInStatement(line);
    }
    auto s = stmt(Stmt::Kind::For, line);
    if (atType()) {
        s->init.push_back(declaration(false));
    } else {
        while (!cur_.isSymbol(";")) {
            auto e = stmt(Stmt::Kind::Expression, cur_.line);
            e->expr = expression();
            s->init.push_back(std::move(e));
            if (!cur_.isSymbol(";")) expect(",");
        }
        expect(";");
    }
    if (!cur_.isSymbol(";")) s->expr = expression();
    expect(";");
    while (!cur_.isSymbol(")")) {
        s->step.push_back(expression());
        if (!cur_.isSymbol(")")) expect(",");
    }
    advance();
    s->body.push_back(statement());
    return s;
}

StmtPtr Parser::forInStatement(int line) {
    auto s = stmt(Stmt::Kind::ForIn, line);
    s->name = cur_.text;
    advance();
    advance(); // in
    s->expr = expression();
    expect(")");
    s->body.push_back(statement());
    return s;
}

StmtPtr Parser::switchStatement() {
    auto s = stmt(Stmt::Kind::Switch, cur_.line);
    advance();
    s->expr = parenthesised();
    expect("{");
    while (!accept("}")) {
        SwitchCase c;
        if (atKeyword("case")) {
            advance();
            c.value = expression();
        } else if (!atKeyword("default")) {
            fail("Syntax error: expected \"case\" or \"default\".");
        } else {
            advance();
        }
        expect(":");
        while (!atKeyword("case") && !atKeyword("default") && !cur_.isSymbol("}"))
            c.body.push_back(statement());
        s->cases.push_back(std::move(c));
    }
    return s;
}

StmtPtr Parser::jump(Stmt::Kind kind) {
    auto s = stmt(kind, cur_.line);
    advance();
    endOfStatement();
    return s;
}

// ---- expressions ------------------------------------------------------------------

ExprPtr Parser::expression() {
    return assignment();
}

ExprPtr Parser::assignment() {
    ExprPtr target = ternary();
    for (const char* op : {"=", "+=", "-=", "*=", "/="}) {
        if (!cur_.isSymbol(op)) continue;
        if (target->kind != Expr::Kind::Variable && target->kind != Expr::Kind::Index)
            fail("Syntax error: only a variable or an array element can be assigned.");
        auto e = node(Expr::Kind::Assign, cur_.line);
        e->op = op;
        advance();
        e->operands.push_back(std::move(target));
        e->operands.push_back(assignment());
        return e;
    }
    return target;
}

ExprPtr Parser::ternary() {
    ExprPtr condition = binary(0);
    if (!cur_.isSymbol("?")) return condition;
    auto e = node(Expr::Kind::Ternary, cur_.line);
    advance();
    e->operands.push_back(std::move(condition));
    e->operands.push_back(assignment());
    expect(":");
    e->operands.push_back(assignment());
    return e;
}

ExprPtr Parser::binary(int level) {
    if (level == static_cast<int>(kBinaryLevels.size())) return unary();
    ExprPtr left = binary(level + 1);
    for (;;) {
        const char* found = nullptr;
        for (const char* op : kBinaryLevels[level])
            if (cur_.isSymbol(op)) found = op;
        if (!found) return left;
        auto e = node(Expr::Kind::Binary, cur_.line);
        e->op = found;
        advance();
        e->operands.push_back(std::move(left));
        e->operands.push_back(binary(level + 1));
        left = std::move(e);
    }
}

ExprPtr Parser::unary() {
    Nesting nesting(*this);
    for (const char* op : {"-", "!", "+", "++", "--"}) {
        if (!cur_.isSymbol(op)) continue;
        bool incDec = op[1] != '\0';
        auto e = node(incDec ? Expr::Kind::IncDec : Expr::Kind::Unary, cur_.line);
        e->op = op;
        e->prefix = true;
        advance();
        if (e->op == "-" && cur_.kind == Token::Kind::Int) return postfix(literal(true));
        e->operands.push_back(unary());
        if (incDec && e->operands[0]->kind != Expr::Kind::Variable &&
            e->operands[0]->kind != Expr::Kind::Index)
            fail("Syntax error: \"" + e->op + "\" needs a variable.");
        return e;
    }
    return postfix(primary());
}

ExprPtr Parser::postfix(ExprPtr expr) {
    for (;;) {
        if (cur_.isSymbol("[") && !cur_.spaceBefore) {
            auto e = node(Expr::Kind::Index, cur_.line);
            advance();
            e->operands.push_back(std::move(expr));
            e->operands.push_back(expression());
            expect("]");
            expr = std::move(e);
        } else if (cur_.isSymbol(".") && !cur_.spaceBefore) {
            auto e = node(Expr::Kind::Component, cur_.line);
            advance();
            if (cur_.text != "x" && cur_.text != "y" && cur_.text != "z")
                fail("Syntax error: a vector has only the components x, y and z.");
            e->name = cur_.text;
            advance();
            e->operands.push_back(std::move(expr));
            expr = std::move(e);
        } else if ((cur_.isSymbol("++") || cur_.isSymbol("--")) &&
                   (expr->kind == Expr::Kind::Variable || expr->kind == Expr::Kind::Index)) {
            auto e = node(Expr::Kind::IncDec, cur_.line);
            e->op = cur_.text;
            advance();
            e->operands.push_back(std::move(expr));
            expr = std::move(e);
        } else {
            return expr;
        }
    }
}

ExprPtr Parser::literal(bool negative) {
    auto e = node(Expr::Kind::Literal, cur_.line);
    if (cur_.kind == Token::Kind::String) {
        e->value = cur_.text;
    } else if (cur_.kind == Token::Kind::Float) {
        e->value = std::strtod(cur_.text.c_str(), nullptr);
    } else {
        int value = 0;
        if (!intValue(cur_.text, negative, value))
            fail("Syntax error: the integer " + std::string(negative ? "-" : "") + cur_.text +
                 " does not fit in an int.");
        e->value = value;
    }
    advance();
    return e;
}

ExprPtr Parser::primary() {
    int line = cur_.line;
    switch (cur_.kind) {
    case Token::Kind::Int:
    case Token::Kind::Float:
    case Token::Kind::String: {
        return literal(false);
    }
    case Token::Kind::Variable: {
        auto e = node(Expr::Kind::Variable, line);
        e->name = cur_.text;
        advance();
        return e;
    }
    case Token::Kind::Identifier:
        return identifierExpression();
    case Token::Kind::End:
        fail("Syntax error: unexpected end of input.");
    default:
        break;
    }
    if (cur_.isSymbol("(")) return parenthesised();
    if (cur_.isSymbol("{")) return listLiteral(Expr::Kind::ArrayLiteral, "}");
    if (cur_.isSymbol("<<")) return listLiteral(Expr::Kind::VectorLiteral, ">>");
    if (cur_.isSymbol("`")) return backQuoted();
    fail("Syntax error: unexpected \"" + cur_.text + "\".");
}

ExprPtr Parser::identifierExpression() {
    Token name = cur_;
    int constant = 0;
    if (booleanWord(name.text, constant)) {
        auto e = node(Expr::Kind::Literal, name.line);
        e->value = constant;
        advance();
        return e;
    }
    if (isKeyword(name.text)) fail("Syntax error: unexpected \"" + name.text + "\".");
    advance();
    if (name.text == "catch" || name.text == "catchQuiet" || name.text == "clear")
        return specialForm(name);
    if (!cur_.isSymbol("("))
        fail("Syntax error: \"" + name.text +
             "\" needs \"(\" in an expression; use back quotes for a command.");
    return functionCall(name);
}

// "(expr)", or a cast such as "(int)$x".
ExprPtr Parser::parenthesised() {
    int line = cur_.line;
    expect("(");
    if (atType()) {
        auto e = node(Expr::Kind::Cast, line);
        e->castType = typeName(true);
        expect(")");
        e->operands.push_back(unary());
        return e;
    }
    ExprPtr inner = expression();
    expect(")");
    return inner;
}

ExprPtr Parser::listLiteral(Expr::Kind kind, const char* close) {
    auto e = node(kind, cur_.line);
    advance();
    while (!cur_.isSymbol(close)) {
        e->operands.push_back(kind == Expr::Kind::VectorLiteral ? binary(0) : expression());
        if (!cur_.isSymbol(close)) expect(",");
    }
    advance();
    if (kind == Expr::Kind::VectorLiteral && e->operands.size() != 3)
        fail("Syntax error: a vector has three components.");
    return e;
}

ExprPtr Parser::backQuoted() {
    advance();
    if (cur_.kind != Token::Kind::Identifier) fail("Syntax error: expected a command after \"`\".");
    Token name = cur_;
    advance();
    bool outer = inBackQuotes_;
    inBackQuotes_ = true;
    ExprPtr e = call(name);
    inBackQuotes_ = outer;
    if (!cur_.isSymbol("`")) fail("Syntax error: expected the closing \"`\".");
    advance();
    return e;
}

// ---- calls ------------------------------------------------------------------------

ExprPtr Parser::call(const Token& name) {
    if (name.text == "catch" || name.text == "catchQuiet" || name.text == "clear")
        return specialForm(name);
    if (cur_.isSymbol("(") && !cur_.spaceBefore) return functionCall(name);
    return commandCall(name);
}

ExprPtr Parser::specialForm(const Token& name) {
    auto e = node(name.text == "clear" ? Expr::Kind::Clear : Expr::Kind::Catch, name.line);
    e->quiet = name.text == "catchQuiet";
    e->operands.push_back(unary());
    if (e->kind == Expr::Kind::Clear && e->operands[0]->kind != Expr::Kind::Variable)
        fail("Syntax error: clear needs an array variable.");
    return e;
}

ExprPtr Parser::functionCall(const Token& name) {
    auto e = node(Expr::Kind::Call, name.line);
    e->name = name.text;
    e->functionForm = true;
    expect("(");
    while (!cur_.isSymbol(")")) {
        e->operands.push_back(expression());
        e->words.push_back(false);
        if (!cur_.isSymbol(")")) expect(",");
    }
    advance();
    return e;
}

bool Parser::commandArgumentsEnd() const {
    return cur_.kind == Token::Kind::End || cur_.isSymbol(";") ||
           (inBackQuotes_ && cur_.isSymbol("`")) || cur_.isSymbol(")") || cur_.isSymbol("}");
}

ExprPtr Parser::commandCall(const Token& name) {
    auto e = node(Expr::Kind::Call, name.line);
    e->name = name.text;
    for (relex(Lexer::Mode::CommandArgument); !commandArgumentsEnd();
         relex(Lexer::Mode::CommandArgument)) {
        bool word = cur_.kind == Token::Kind::Word;
        e->operands.push_back(word ? commandWord() : postfix(primary()));
        e->words.push_back(word);
    }
    return e;
}

ExprPtr Parser::commandWord() {
    auto e = node(Expr::Kind::Literal, cur_.line);
    if (!wordNumber(cur_.text, e->value)) e->value = cur_.text;
    advance();
    return e;
}

} // namespace rvhost::script
