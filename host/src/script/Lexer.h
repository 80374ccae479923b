#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace rvhost::script {

struct Token {
    enum class Kind { End, Identifier, Variable, Int, Float, String, Word, Symbol, Invalid };
    Kind kind = Kind::End;
    // Identifier and word text, the variable name with its '$', the symbol, the string's
    // unescaped contents or the number's spelling.
    std::string text;
    int line = 1;
    std::size_t begin = 0;
    bool spaceBefore = false;

    bool is(Kind k, std::string_view t) const { return kind == k && text == t; }
    bool isSymbol(std::string_view t) const { return is(Kind::Symbol, t); }
};

// Cuts script text into tokens. Command arguments are cut differently from expressions
// (a bare word such as -w, |pPlane1 or mesh.vtx[3] is one token), so the parser chooses the
// mode for every token and may re-read from an earlier token's start.
class Lexer {
public:
    enum class Mode { Expression, CommandArgument };

    explicit Lexer(std::string_view text) : text_(text) {}

    Token next(Mode mode = Mode::Expression);
    void seek(std::size_t position, int line) {
        pos_ = position;
        line_ = line;
    }

private:
    bool skipBlanksAndComments();
    Token number(Token token);
    Token string(Token token);
    Token variable(Token token);
    Token identifier(Token token);
    Token word(Token token);
    Token symbol(Token token);
    char peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace rvhost::script
