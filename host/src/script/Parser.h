#pragma once
#include "script/Ast.h"
#include "script/Lexer.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace rvhost::script {

// A syntax error: its line, and whether the text simply ended too early (so that an
// interactive reader can ask for more lines).
struct ParseError {
    std::string message;
    int line = 1;
    bool atEnd = false;
};

// Turns script text into statements. Throws ParseError.
class Parser {
public:
    Parser(const std::string& text, std::string unit);

    std::vector<StmtPtr> parseProgram();

private:
    // Statements.
    StmtPtr statement();
    StmtPtr block();
    StmtPtr declaration(bool global);
    StmtPtr procDefinition(bool global);
    StmtPtr ifStatement();
    StmtPtr whileStatement();
    StmtPtr doWhileStatement();
    StmtPtr forStatement();
    StmtPtr forInStatement(int line);
    StmtPtr switchStatement();
    StmtPtr jump(Stmt::Kind kind);
    StmtPtr expressionStatement(ExprPtr expr);
    void endOfStatement();

    // Expressions, lowest precedence first.
    ExprPtr expression();
    ExprPtr assignment();
    ExprPtr ternary();
    ExprPtr binary(int level);
    ExprPtr unary();
    ExprPtr postfix(ExprPtr expr);
    ExprPtr primary();
    // The number or string literal at the cursor (an int negated when `negative`).
    ExprPtr literal(bool negative);
    ExprPtr parenthesised();
    ExprPtr listLiteral(Expr::Kind kind, const char* close);
    ExprPtr backQuoted();
    ExprPtr identifierExpression();

    // Calls in both forms, and the forms that take an expression rather than arguments.
    ExprPtr call(const Token& name);
    ExprPtr functionCall(const Token& name);
    ExprPtr commandCall(const Token& name);
    ExprPtr specialForm(const Token& name);
    bool commandArgumentsEnd() const;
    ExprPtr commandWord();

    // Types: "int", "string[]"...
    bool atType() const;
    Value::Type typeName(bool allowArray);

    void advance(Lexer::Mode mode = Lexer::Mode::Expression);
    void relex(Lexer::Mode mode);
    bool accept(const char* symbol);
    void expect(const char* symbol);
    bool atKeyword(const char* word) const { return cur_.is(Token::Kind::Identifier, word); }
    [[noreturn]] void fail(const std::string& message) const;
    ExprPtr node(Expr::Kind kind, int line) const;
    StmtPtr stmt(Stmt::Kind kind, int line) const;

    std::string text_;
    std::string unit_;
    Lexer lexer_;
    Token cur_;
    int procDepth_ = 0;
    bool inBackQuotes_ = false;
    // Statements and expressions being parsed inside one another.
    int nesting_ = 0;
    class Nesting;
};

} // namespace rvhost::script
