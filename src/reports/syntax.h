#pragma once

#include <QString>
#include <vector>

namespace tavrel {

// A fault in a selection formula or a template expression, at a character position of its text
// (0-based). Turned into an AppError by whoever knows what the text was.
struct SyntaxError {
    int position;
    QString message;
};

enum class TokenKind {
    Column,    // {table.column}, or {name} for a field the template defines
    Text,      // 'text' or "text"; `text` holds the value without quotes
    Date,      // #YYYY/MM/DD#; `text` holds the storage form YYYY-MM-DD
    Number,    // 12, 12.5
    Word,      // AND, OR, NOT, function names
    Operator,  // = <> < <= > >= + - * /
    LeftParen,
    RightParen,
    Comma,
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    QString text;
    int position = 0;
    QString table;   // Column: the part before the dot (empty for a defined field)
    QString column;  // Column: the part after the dot, or the field name
};

// Splits a formula or expression into tokens; the last one is End. Blanks between tokens and
// inside {…} and #…# are ignored; a quote inside a text is written twice ('D''Ávila'). Throws
// SyntaxError for a character or a literal it cannot read.
std::vector<Token> tokenize(const QString& text);

// A short description of a token for messages: "'AND'", "o fim da fórmula".
QString describeToken(const Token& token);

// How deep a formula or an expression may nest (parentheses, NOT, signs, functions, chained
// operators). The parsers and the walks over what they build recurse once per level; a text
// nested deeper is refused instead of running the program out of stack.
inline constexpr int kMaxNesting = 200;

[[noreturn]] void throwTooDeep(int position);

// Counts one level for as long as it lives; refuses the level past kMaxNesting.
class NestingLevel {
public:
    NestingLevel(int& depth, int position) : depth_(depth) {
        if (depth_ >= kMaxNesting) {
            throwTooDeep(position);
        }
        ++depth_;
    }
    ~NestingLevel() { --depth_; }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;

private:
    int& depth_;
};

}  // namespace tavrel
