#include "reports/selection_formula.h"

#include <vector>

#include "core/errors.h"
#include "reports/column_catalog.h"
#include "reports/syntax.h"

namespace tavrel {
namespace {

class ConditionParser {
public:
    ConditionParser(const QString& text, const ColumnScope& scope)
        : tokens_(tokenize(text)), scope_(scope) {}

    SqlCondition parse() {
        if (peek().kind == TokenKind::End) {
            return {};
        }
        SqlCondition result;
        result.sql = parseOr();
        if (peek().kind != TokenKind::End) {
            fail(QStringLiteral("sobra %1 depois do fim da condição").arg(describeToken(peek())));
        }
        result.values = values_;
        return result;
    }

private:
    const Token& peek() const { return tokens_[next_]; }
    const Token& take() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }

    bool takeWord(const char* word) {
        if (peek().kind == TokenKind::Word &&
            peek().text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) {
            ++next_;
            return true;
        }
        return false;
    }

    [[noreturn]] void fail(const QString& message) const {
        throw SyntaxError{peek().position, message};
    }

    QString parseOr() {
        QString left = parseAnd();
        while (takeWord("OR")) {
            left = QStringLiteral("(%1 OR %2)").arg(left, parseAnd());
        }
        return left;
    }

    QString parseAnd() {
        QString left = parseNot();
        while (takeWord("AND")) {
            left = QStringLiteral("(%1 AND %2)").arg(left, parseNot());
        }
        return left;
    }

    QString parseNot() {
        const NestingLevel level(depth_, peek().position);
        if (takeWord("NOT")) {
            return QStringLiteral("(NOT %1)").arg(parseNot());
        }
        if (peek().kind == TokenKind::LeftParen) {
            take();
            const QString inner = parseOr();
            if (peek().kind != TokenKind::RightParen) {
                fail(QStringLiteral("esperava \")\" e encontrou %1").arg(describeToken(peek())));
            }
            take();
            return inner;
        }
        return parseComparison();
    }

    QString parseComparison() {
        const QString left = parseOperand();
        const Token& op = peek();
        static const QStringList comparisons = {QStringLiteral("="), QStringLiteral("<>"),
                                                QStringLiteral("<"), QStringLiteral("<="),
                                                QStringLiteral(">"), QStringLiteral(">=")};
        if (op.kind != TokenKind::Operator || !comparisons.contains(op.text)) {
            fail(
                QStringLiteral("esperava um operador de comparação (= <> < <= > >=) e encontrou %1")
                    .arg(describeToken(op)));
        }
        const QString sqlOperator = take().text;
        const QString right = parseOperand();
        return QStringLiteral("%1 %2 %3").arg(left, sqlOperator, right);
    }

    QString parseOperand() {
        const Token& token = peek();
        switch (token.kind) {
            case TokenKind::Column: {
                if (token.table.isEmpty()) {
                    fail(QStringLiteral("a coluna %1 precisa da tabela: {tabela.coluna}")
                             .arg(token.text));
                }
                try {
                    const QString sql = scope_.resolve(token.table, token.column).sql();
                    take();
                    return sql;
                } catch (const SyntaxError& error) {
                    throw SyntaxError{token.position, error.message};
                }
            }
            case TokenKind::Text:
            case TokenKind::Date:
                values_ << take().text;
                return QStringLiteral("?");
            case TokenKind::Number:
                values_ << number(take().text, false);
                return QStringLiteral("?");
            case TokenKind::Operator:
                if (token.text == QLatin1String("-") &&
                    tokens_[next_ + 1].kind == TokenKind::Number) {
                    take();
                    values_ << number(take().text, true);
                    return QStringLiteral("?");
                }
                break;
            default:
                break;
        }
        fail(QStringLiteral("esperava uma coluna, um texto, uma data ou um número e encontrou %1")
                 .arg(describeToken(token)));
    }

    static QVariant number(const QString& text, bool negative) {
        bool whole = false;
        const qlonglong integer = text.toLongLong(&whole);
        if (whole) {
            return negative ? -integer : integer;
        }
        const double value = text.toDouble();  // decimals, or too long for an integer
        return negative ? -value : value;
    }

    std::vector<Token> tokens_;
    size_t next_ = 0;
    const ColumnScope& scope_;
    QVariantList values_;
    int depth_ = 0;
};

}  // namespace

SqlCondition parseCondition(const QString& formula, const ColumnScope& scope) {
    return ConditionParser(formula, scope).parse();
}

SqlCondition selectionCondition(const QString& formula, const ColumnScope& scope) {
    try {
        return parseCondition(formula, scope);
    } catch (const SyntaxError& error) {
        throw AppError(error_number::kReport,
                       QStringLiteral("Fórmula de seleção inválida (posição %1): %2. Fórmula: %3")
                           .arg(error.position + 1)
                           .arg(error.message, formula),
                       QStringLiteral("Fórmula de seleção"));
    }
}

}  // namespace tavrel
