#include "script/Lexer.h"

#include <cctype>
#include <cstring>

namespace rvhost::script {

namespace {
bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Characters that end a bare command word, besides blanks.
bool endsWord(char c) {
    return c == '\0' || std::strchr(";`\"(){}", c) != nullptr;
}

const char* const kSymbols[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||", "++",
                                "--", "+=", "-=", "*=", "/=", "+",  "-",  "*",  "/",
                                "%",  "^",  "<",  ">",  "!",  "?",  ":",  "=",  "(",
                                ")",  "[",  "]",  "{",  "}",  ",",  ";",  ".",  "`"};
} // namespace

bool Lexer::skipBlanksAndComments() {
    bool skipped = false;
    for (;;) {
        char c = peek();
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++pos_;
        } else if (c == '/' && peek(1) == '/') {
            while (peek() != '\n' && peek() != '\0')
                ++pos_;
        } else if (c == '/' && peek(1) == '*') {
            pos_ += 2;
            while (peek() != '\0' && !(peek() == '*' && peek(1) == '/')) {
                if (peek() == '\n') ++line_;
                ++pos_;
            }
            if (peek() != '\0') pos_ += 2;
        } else {
            return skipped;
        }
        skipped = true;
    }
}

Token Lexer::next(Mode mode) {
    Token token;
    token.spaceBefore = skipBlanksAndComments() || pos_ == 0;
    token.line = line_;
    token.begin = pos_;
    char c = peek();
    if (c == '\0') return token;
    if (mode == Mode::CommandArgument && !endsWord(c) && c != '$' && !(c == '<' && peek(1) == '<'))
        return word(token);
    if (c == '"') return string(token);
    if (c == '$') return variable(token);
    if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return number(token);
    if (isIdentStart(c)) return identifier(token);
    return symbol(token);
}

Token Lexer::number(Token token) {
    token.kind = Token::Kind::Int;
    std::size_t start = pos_;
    if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
        pos_ += 2;
        while (std::isxdigit(static_cast<unsigned char>(peek())))
            ++pos_;
    } else {
        while (isDigit(peek()))
            ++pos_;
        if (peek() == '.' && !isIdentStart(peek(1))) {
            token.kind = Token::Kind::Float;
            ++pos_;
            while (isDigit(peek()))
                ++pos_;
        }
        bool signedExponent = (peek(1) == '+' || peek(1) == '-') && isDigit(peek(2));
        if ((peek() == 'e' || peek() == 'E') && (isDigit(peek(1)) || signedExponent)) {
            token.kind = Token::Kind::Float;
            pos_ += signedExponent ? 2 : 1;
            while (isDigit(peek()))
                ++pos_;
        }
    }
    token.text = std::string(text_.substr(start, pos_ - start));
    return token;
}

Token Lexer::string(Token token) {
    token.kind = Token::Kind::String;
    ++pos_;
    for (;;) {
        char c = peek();
        if (c == '\0') {
            token.kind = Token::Kind::Invalid;
            token.text = "Unterminated string.";
            return token;
        }
        ++pos_;
        if (c == '"') return token;
        if (c == '\n') ++line_;
        if (c != '\\') {
            token.text += c;
            continue;
        }
        char e = peek();
        ++pos_;
        switch (e) {
        case 'n':
            token.text += '\n';
            break;
        case 't':
            token.text += '\t';
            break;
        case 'r':
            token.text += '\r';
            break;
        case '\0':
            --pos_;
            break;
        default:
            token.text += e;
            break;
        }
    }
}

Token Lexer::variable(Token token) {
    token.kind = Token::Kind::Variable;
    std::size_t start = pos_++;
    while (isIdentChar(peek()))
        ++pos_;
    token.text = std::string(text_.substr(start, pos_ - start));
    if (token.text.size() == 1) {
        token.kind = Token::Kind::Invalid;
        token.text = "A variable name must follow \"$\".";
    }
    return token;
}

Token Lexer::identifier(Token token) {
    token.kind = Token::Kind::Identifier;
    std::size_t start = pos_;
    while (isIdentChar(peek()))
        ++pos_;
    token.text = std::string(text_.substr(start, pos_ - start));
    return token;
}

Token Lexer::word(Token token) {
    token.kind = Token::Kind::Word;
    std::size_t start = pos_;
    while (!endsWord(peek()) && !std::isspace(static_cast<unsigned char>(peek())))
        ++pos_;
    token.text = std::string(text_.substr(start, pos_ - start));
    return token;
}

Token Lexer::symbol(Token token) {
    for (const char* s : kSymbols) {
        if (text_.substr(pos_, std::strlen(s)) == s) {
            token.kind = Token::Kind::Symbol;
            token.text = s;
            pos_ += token.text.size();
            return token;
        }
    }
    token.kind = Token::Kind::Invalid;
    token.text = std::string("Unexpected character '") + peek() + "'.";
    ++pos_;
    return token;
}

} // namespace rvhost::script
