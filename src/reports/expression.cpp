#include "reports/expression.h"

#include <algorithm>

#include "reports/syntax.h"

namespace tavrel {
namespace {

struct FunctionName {
    const char* name;
    Aggregate aggregate;
};
const FunctionName kTotals[] = {
    {"sum", Aggregate::Sum},     {"count", Aggregate::Count}, {"avg", Aggregate::Average},
    {"min", Aggregate::Minimum}, {"max", Aggregate::Maximum}, {"first", Aggregate::First},
    {"last", Aggregate::Last},
};

Expr makeNode(ExprNode::Kind kind) {
    auto node = std::make_shared<ExprNode>();
    node->kind = kind;
    return node;
}

// Nodes one expression may stand for once its defined fields are expanded: a chain of fields
// each using the one before twice would otherwise take ages to evaluate.
constexpr int kMaxWeight = 10000;

class ExpressionParser {
public:
    ExpressionParser(const QString& text, const FieldDefinitions& fields, bool allowTotals)
        : tokens_(tokenize(text)), fields_(fields), allowTotals_(allowTotals) {}

    Expr parse() {
        if (peek().kind == TokenKind::End) {
            fail(QStringLiteral("expressão vazia"));
        }
        Expr result = parseAdditive();
        if (peek().kind != TokenKind::End) {
            fail(QStringLiteral("sobra %1 depois do fim da expressão").arg(describeToken(peek())));
        }
        return result;
    }

private:
    const Token& peek() const { return tokens_[next_]; }
    const Token& take() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }
    bool isOperator(const char* op) const {
        return peek().kind == TokenKind::Operator && peek().text == QLatin1String(op);
    }
    [[noreturn]] void fail(const QString& message) const {
        throw SyntaxError{peek().position, message};
    }
    void expect(TokenKind kind, const char* what) {
        if (peek().kind != kind) {
            fail(QStringLiteral("esperava \"%1\" e encontrou %2")
                     .arg(QLatin1String(what), describeToken(peek())));
        }
        take();
    }

    // Sets the node's depth and weight from its children; refuses a tree past the limits.
    Expr measured(Expr node, int position) const {
        for (const Expr& child : {node->left, node->right}) {
            if (child) {
                node->depth = std::max(node->depth, child->depth + 1);
                node->weight += child->weight;
            }
        }
        if (node->depth > kMaxNesting) {
            throwTooDeep(position);
        }
        if (node->weight > kMaxWeight) {
            throw SyntaxError{position,
                              QStringLiteral("expressão grande demais: mais de %1 valores e "
                                             "operações, contados os campos definidos")
                                  .arg(kMaxWeight)};
        }
        return node;
    }

    Expr binary(QChar op, Expr left, Expr right, int position) const {
        Expr node = makeNode(ExprNode::Kind::Binary);
        node->op = op;
        node->left = std::move(left);
        node->right = std::move(right);
        return measured(std::move(node), position);
    }

    Expr parseAdditive() {
        Expr left = parseMultiplicative();
        while (isOperator("+") || isOperator("-")) {
            const int position = peek().position;
            const QChar op = take().text.front();
            left = binary(op, left, parseMultiplicative(), position);
        }
        return left;
    }

    Expr parseMultiplicative() {
        Expr left = parseUnary();
        while (isOperator("*") || isOperator("/")) {
            const int position = peek().position;
            const QChar op = take().text.front();
            left = binary(op, left, parseUnary(), position);
        }
        return left;
    }

    Expr parseUnary() {
        if (isOperator("-")) {
            const int position = peek().position;
            const NestingLevel level(depth_, position);
            take();
            Expr node = makeNode(ExprNode::Kind::Negate);
            node->left = parseUnary();
            return measured(std::move(node), position);
        }
        return parsePrimary();
    }

    Expr parsePrimary() {
        const Token token = peek();
        switch (token.kind) {
            case TokenKind::Number: {
                take();
                Expr node = makeNode(ExprNode::Kind::Constant);
                node->constant = token.text.toDouble();
                return node;
            }
            case TokenKind::Text:
            case TokenKind::Date: {
                take();
                Expr node = makeNode(ExprNode::Kind::Constant);
                node->constant = token.text;
                return node;
            }
            case TokenKind::Column:
                take();
                return column(token);
            case TokenKind::LeftParen: {
                const NestingLevel level(depth_, token.position);
                take();
                Expr inner = parseAdditive();
                expect(TokenKind::RightParen, ")");
                return inner;
            }
            case TokenKind::Word:
                take();
                return function(token);
            default:
                fail(QStringLiteral("esperava um valor e encontrou %1").arg(describeToken(token)));
        }
    }

    Expr column(const Token& token) {
        if (token.table.isEmpty()) {
            const Expr defined = fields_.value(token.column.toUpper());
            if (!defined) {
                throw SyntaxError{token.position, QStringLiteral("o campo %1 não foi definido "
                                                                 "(field name=...)")
                                                      .arg(token.text)};
            }
            return defined;  // a row value: definitions hold no totals
        }
        Expr node = makeNode(ExprNode::Kind::Column);
        node->table = token.table;
        node->column = token.column;
        return node;
    }

    Expr function(const Token& name) {
        expect(TokenKind::LeftParen, "(");
        if (name.text.compare(QLatin1String("row"), Qt::CaseInsensitive) == 0) {
            expect(TokenKind::RightParen, ")");
            return makeNode(ExprNode::Kind::RowNumber);
        }
        for (const FunctionName& total : kTotals) {
            if (name.text.compare(QLatin1String(total.name), Qt::CaseInsensitive) != 0) {
                continue;
            }
            if (!allowTotals_) {
                throw SyntaxError{
                    name.position,
                    QStringLiteral("%1() só pode ser usado em totais (summary)").arg(name.text)};
            }
            if (insideTotal_) {
                throw SyntaxError{name.position,
                                  QStringLiteral("%1() dentro de outro total").arg(name.text)};
            }
            Expr node = makeNode(ExprNode::Kind::Total);
            node->aggregate = total.aggregate;
            if (peek().kind == TokenKind::RightParen && total.aggregate == Aggregate::Count) {
                take();
                return node;
            }
            const NestingLevel level(depth_, name.position);
            insideTotal_ = true;
            node->left = parseAdditive();
            insideTotal_ = false;
            expect(TokenKind::RightParen, ")");
            return measured(std::move(node), name.position);
        }
        throw SyntaxError{name.position, QStringLiteral("função desconhecida: %1").arg(name.text)};
    }

    std::vector<Token> tokens_;
    size_t next_ = 0;
    const FieldDefinitions& fields_;
    bool allowTotals_;
    bool insideTotal_ = false;
    int depth_ = 0;
};

double number(const QVariant& value) {
    return value.isNull() ? 0.0 : value.toDouble();
}

// The order values compare in for min and max: numbers as numbers, anything else as text.
bool less(const QVariant& a, const QVariant& b) {
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    if (aNumber && bNumber) {
        return x < y;
    }
    return a.toString() < b.toString();
}

}  // namespace

Expr parseExpression(const QString& text, const FieldDefinitions& fields, bool allowTotals) {
    return ExpressionParser(text, fields, allowTotals).parse();
}

void forEachColumn(const Expr& expr, const std::function<void(ExprNode&)>& visit) {
    if (!expr) {
        return;
    }
    if (expr->kind == ExprNode::Kind::Column) {
        visit(*expr);
    }
    forEachColumn(expr->left, visit);
    forEachColumn(expr->right, visit);
}

void forEachTotal(const Expr& expr, const std::function<void(ExprNode&)>& visit) {
    if (!expr) {
        return;
    }
    if (expr->kind == ExprNode::Kind::Total) {
        visit(*expr);
        return;
    }
    forEachTotal(expr->left, visit);
    forEachTotal(expr->right, visit);
}

void Accumulator::add(const QVariant& value) {
    if (value.isNull()) {
        return;
    }
    ++count_;
    sum_ += number(value);
    if (!first_.isValid()) {
        first_ = minimum_ = maximum_ = value;
    }
    last_ = value;
    if (less(value, minimum_)) {
        minimum_ = value;
    }
    if (less(maximum_, value)) {
        maximum_ = value;
    }
}

QVariant Accumulator::result() const {
    switch (aggregate_) {
        case Aggregate::Sum:
            return sum_;
        case Aggregate::Count:
            return count_;
        case Aggregate::Average:
            return count_ == 0 ? QVariant() : QVariant(sum_ / static_cast<double>(count_));
        case Aggregate::Minimum:
            return minimum_;
        case Aggregate::Maximum:
            return maximum_;
        case Aggregate::First:
            return first_;
        case Aggregate::Last:
            return last_;
    }
    return {};
}

QVariant evaluate(const ExprNode& node, const EvalScope& scope) {
    switch (node.kind) {
        case ExprNode::Kind::Constant:
            return node.constant;
        case ExprNode::Kind::Column:
            if (scope.row == nullptr || node.field < 0 || node.field >= scope.row->size()) {
                return {};
            }
            return scope.row->at(node.field);
        case ExprNode::Kind::RowNumber:
            return scope.rowNumber;
        case ExprNode::Kind::Negate:
            return -number(evaluate(*node.left, scope));
        case ExprNode::Kind::Binary: {
            const double left = number(evaluate(*node.left, scope));
            const double right = number(evaluate(*node.right, scope));
            switch (node.op.unicode()) {
                case '+':
                    return left + right;
                case '-':
                    return left - right;
                case '*':
                    return left * right;
                default:
                    return right == 0.0 ? QVariant() : QVariant(left / right);
            }
        }
        case ExprNode::Kind::Total:
            if (scope.totals == nullptr || node.slot < 0 ||
                node.slot >= static_cast<int>(scope.totals->size())) {
                return {};
            }
            return (*scope.totals)[static_cast<size_t>(node.slot)].result();
    }
    return {};
}

TextTemplate parseText(const QString& text, const FieldDefinitions& fields, TextPlace place) {
    TextTemplate result;
    int i = 0;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty()) {
            TextPart part;
            part.literal = literal;
            result.parts << part;
            literal.clear();
        }
    };
    while (i < text.size()) {
        if (text[i] != QLatin1Char('{')) {
            literal += text[i++];
            continue;
        }
        const int close = text.indexOf(QLatin1Char('}'), i);
        if (close < 0) {
            throw SyntaxError{i, QStringLiteral("falta o \"}\" que fecha o valor")};
        }
        const QString inside = text.mid(i + 1, close - i - 1).trimmed();
        const int colon = inside.indexOf(QLatin1Char(':'));
        const QString name = (colon < 0 ? inside : inside.left(colon)).trimmed();
        TextPart part;
        struct Special {
            const char* name;
            TextPart::Kind kind;
            bool allowed;
        };
        const bool page = place == TextPlace::PageBand;
        const bool footer = place == TextPlace::GroupFooter || place == TextPlace::Totals;
        const Special specials[] = {
            {"page", TextPart::Kind::Page, page},   {"pages", TextPart::Kind::Pages, page},
            {"date", TextPart::Kind::Date, true},   {"time", TextPart::Kind::Time, true},
            {"title", TextPart::Kind::Title, true}, {"count", TextPart::Kind::Count, footer},
        };
        bool special = false;
        for (const Special& s : specials) {
            if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) {
                if (!s.allowed) {
                    throw SyntaxError{i, QStringLiteral("{%1} não pode ser usado aqui").arg(name)};
                }
                part.kind = s.kind;
                special = true;
            }
        }
        if (!special) {
            if (place == TextPlace::Totals) {
                throw SyntaxError{i, QStringLiteral("o texto dos totais gerais não mostra colunas; "
                                                    "use summary")};
            }
            try {
                part.kind = TextPart::Kind::Value;
                part.value =
                    parseExpression(QLatin1Char('{') + name + QLatin1Char('}'), fields, false);
                if (colon >= 0) {
                    part.format = parseValueFormat(inside.mid(colon + 1));
                }
            } catch (const SyntaxError& error) {
                throw SyntaxError{i, error.message};
            }
        }
        flush();
        result.parts << part;
        i = close + 1;
    }
    flush();
    return result;
}

void forEachColumn(const TextTemplate& text, const std::function<void(ExprNode&)>& visit) {
    for (const TextPart& part : text.parts) {
        forEachColumn(part.value, visit);
    }
}

QString renderText(const TextTemplate& text, const TextValues& values) {
    QString result;
    for (const TextPart& part : text.parts) {
        switch (part.kind) {
            case TextPart::Kind::Literal:
                result += part.literal;
                break;
            case TextPart::Kind::Value:
                result += formatValue(evaluate(*part.value, values.scope), part.format);
                break;
            case TextPart::Kind::Page:
                result += QStringLiteral("{page}");
                break;
            case TextPart::Kind::Pages:
                result += QStringLiteral("{pages}");
                break;
            case TextPart::Kind::Date:
                result += values.date;
                break;
            case TextPart::Kind::Time:
                result += values.time;
                break;
            case TextPart::Kind::Title:
                result += values.title;
                break;
            case TextPart::Kind::Count:
                result += QString::number(values.count);
                break;
        }
    }
    return result;
}

}  // namespace tavrel
