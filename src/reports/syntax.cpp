#include "reports/syntax.h"

#include <QDate>
#include <QRegularExpression>

namespace tavrel {
namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isName(const QString& text) {
    if (text.isEmpty() || !isNameStart(text.front())) {
        return false;
    }
    for (QChar c : text) {
        if (!isNameChar(c)) {
            return false;
        }
    }
    return true;
}

Token readColumn(const QString& text, int& i) {
    const int start = i;
    const int close = text.indexOf(QLatin1Char('}'), i);
    if (close < 0) {
        throw SyntaxError{start, QStringLiteral("falta o \"}\" que fecha a coluna")};
    }
    const QString inside = text.mid(i + 1, close - i - 1).trimmed();
    i = close + 1;
    Token token{TokenKind::Column, text.mid(start, i - start), start, {}, {}};
    const int dot = inside.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        token.column = inside;
    } else {
        token.table = inside.left(dot).trimmed();
        token.column = inside.mid(dot + 1).trimmed();
    }
    if ((dot >= 0 && !isName(token.table)) || !isName(token.column)) {
        throw SyntaxError{start, QStringLiteral("coluna mal escrita: %1").arg(token.text)};
    }
    return token;
}

Token readText(const QString& text, int& i) {
    const int start = i;
    const QChar quote = text[i];
    QString value;
    ++i;
    while (true) {
        if (i >= text.size()) {
            throw SyntaxError{start, QStringLiteral("texto sem a aspa de fechamento")};
        }
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                value += quote;
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        value += text[i++];
    }
    return Token{TokenKind::Text, value, start, {}, {}};
}

Token readDate(const QString& text, int& i) {
    const int start = i;
    const int close = text.indexOf(QLatin1Char('#'), i + 1);
    if (close < 0) {
        throw SyntaxError{start, QStringLiteral("data sem o \"#\" de fechamento")};
    }
    QString inside = text.mid(i + 1, close - i - 1);
    inside.remove(QLatin1Char(' '));
    i = close + 1;
    // Year, month and day; the separator is the regional one, a slash on our machines.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{4})[/.-](\d{1,2})[/.-](\d{1,2})$)"));
    const QRegularExpressionMatch match = pattern.match(inside);
    const QDate date =
        match.hasMatch()
            ? QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt())
            : QDate();
    if (!date.isValid()) {
        throw SyntaxError{
            start,
            QStringLiteral("data inválida: %1 (use #AAAA/MM/DD#)").arg(text.mid(start, i - start))};
    }
    return Token{TokenKind::Date, date.toString(Qt::ISODate), start, {}, {}};
}

Token readNumber(const QString& text, int& i) {
    const int start = i;
    while (i < text.size() && text[i].isDigit())
        ++i;
    if (i + 1 < text.size() && text[i] == QLatin1Char('.') && text[i + 1].isDigit()) {
        ++i;
        while (i < text.size() && text[i].isDigit())
            ++i;
    }
    if (i < text.size() && isNameChar(text[i])) {
        throw SyntaxError{start, QStringLiteral("número mal escrito")};
    }
    return Token{TokenKind::Number, text.mid(start, i - start), start, {}, {}};
}

}  // namespace

std::vector<Token> tokenize(const QString& text) {
    std::vector<Token> tokens;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('{')) {
            tokens.push_back(readColumn(text, i));
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            tokens.push_back(readText(text, i));
        } else if (c == QLatin1Char('#')) {
            tokens.push_back(readDate(text, i));
        } else if (c.isDigit()) {
            tokens.push_back(readNumber(text, i));
        } else if (isNameStart(c)) {
            const int start = i;
            while (i < text.size() && isNameChar(text[i]))
                ++i;
            tokens.push_back(Token{TokenKind::Word, text.mid(start, i - start), start, {}, {}});
        } else if (c == QLatin1Char('(')) {
            tokens.push_back(Token{TokenKind::LeftParen, QStringLiteral("("), i++, {}, {}});
        } else if (c == QLatin1Char(')')) {
            tokens.push_back(Token{TokenKind::RightParen, QStringLiteral(")"), i++, {}, {}});
        } else if (c == QLatin1Char(',')) {
            tokens.push_back(Token{TokenKind::Comma, QStringLiteral(","), i++, {}, {}});
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>')) {
            const int start = i++;
            QString op(c);
            if (i < text.size() && (text[i] == QLatin1Char('=') ||
                                    (c == QLatin1Char('<') && text[i] == QLatin1Char('>')))) {
                op += text[i++];
            }
            tokens.push_back(Token{TokenKind::Operator, op, start, {}, {}});
        } else if (QStringLiteral("=+-*/").contains(c)) {
            tokens.push_back(Token{TokenKind::Operator, QString(c), i++, {}, {}});
        } else {
            throw SyntaxError{i, QStringLiteral("caractere inesperado \"%1\"").arg(c)};
        }
    }
    tokens.push_back(Token{TokenKind::End, {}, static_cast<int>(text.size()), {}, {}});
    return tokens;
}

QString describeToken(const Token& token) {
    switch (token.kind) {
        case TokenKind::End:
            return QStringLiteral("o fim do texto");
        case TokenKind::Text:
            return QStringLiteral("o texto '%1'").arg(token.text);
        case TokenKind::Column:
            return QStringLiteral("a coluna %1").arg(token.text);
        case TokenKind::Date:
            return QStringLiteral("a data %1").arg(token.text);
        default:
            return QStringLiteral("\"%1\"").arg(token.text);
    }
}

void throwTooDeep(int position) {
    throw SyntaxError{position, QStringLiteral("aninhamento demais: o limite é de %1 níveis de "
                                               "parênteses e operadores")
                                    .arg(kMaxNesting)};
}

}  // namespace tavrel
