#include "reports/report_template.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <cmath>

#include "core/errors.h"
#include "reports/syntax.h"

namespace tavrel {
namespace {

using Attributes = QHash<QString, QString>;  // lower-case name -> value

constexpr int kMaxColumnWidth = 1000;  // column widths are relative: shares of the line

struct Directive {
    QString name;  // lower case
    Attributes attributes;
    int line = 0;
};

// Reads `name attr=value attr="value with blanks"`. A quote inside quotes is doubled.
Directive readDirective(const QString& text, int line) {
    Directive directive;
    directive.line = line;
    int i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i].isSpace())
            ++i;
    };
    auto readWord = [&] {
        const int start = i;
        while (i < text.size() && !text[i].isSpace() && text[i] != QLatin1Char('='))
            ++i;
        return text.mid(start, i - start);
    };
    skipBlanks();
    directive.name = readWord().toLower();
    while (true) {
        skipBlanks();
        if (i >= text.size()) {
            break;
        }
        const QString name = readWord().toLower();
        if (name.isEmpty() || i >= text.size() || text[i] != QLatin1Char('=')) {
            throw SyntaxError{i, QStringLiteral("esperava nome=valor depois de \"%1\"")
                                     .arg(name.isEmpty() ? directive.name : name)};
        }
        ++i;
        QString value;
        if (i < text.size() && text[i] == QLatin1Char('"')) {
            ++i;
            while (true) {
                if (i >= text.size()) {
                    throw SyntaxError{i,
                                      QStringLiteral("o valor de %1 não fecha as aspas").arg(name)};
                }
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
        } else {
            const int start = i;
            while (i < text.size() && !text[i].isSpace())
                ++i;
            value = text.mid(start, i - start);
        }
        if (directive.attributes.contains(name)) {
            throw SyntaxError{i, QStringLiteral("%1 aparece duas vezes").arg(name)};
        }
        directive.attributes.insert(name, value);
    }
    return directive;
}

class TemplateParser {
public:
    explicit TemplateParser(QString name) : name_(std::move(name)) {}

    ReportTemplate parse(const QString& source) {
        const QStringList lines = QString(source)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                      .split(QLatin1Char('\n'));
        bool footerGiven = false;
        for (int n = 0; n < lines.size(); ++n) {
            const QString trimmed = lines[n].trimmed();
            if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
                continue;
            }
            line_ = n + 1;
            try {
                const Directive directive = readDirective(trimmed, line_);
                apply(directive);
                footerGiven = footerGiven || directive.name == QLatin1String("pagefooter");
            } catch (const SyntaxError& error) {
                fail(error.message);
            }
        }
        line_ = 0;
        if (result_.from.isEmpty()) {
            fail(QStringLiteral("falta a tabela principal (from table=...)"));
        }
        if (result_.columns.isEmpty()) {
            fail(QStringLiteral("o relatório não tem colunas (column ...)"));
        }
        if (!footerGiven) {
            result_.pageFooter.left =
                text(QStringLiteral("Impresso em {date} às {time}"), TextPlace::PageBand);
            result_.pageFooter.right =
                text(QStringLiteral("Página {page} de {pages}"), TextPlace::PageBand);
        }
        for (const TemplateColumn& column : result_.columns) {
            result_.totals = result_.totals || column.total.has_value();
        }
        if (result_.totals && result_.totalsText.isEmpty()) {
            result_.totalsText = text(QStringLiteral("Total geral"), TextPlace::Totals);
        }
        return result_;
    }

private:
    [[noreturn]] void fail(const QString& message) const {
        throwTemplateError(name_, line_, message);
    }

    // The attribute, checked against the names the directive takes.
    QString take(Attributes& attributes, const char* name, bool required = false) {
        const QString key = QLatin1String(name);
        if (required && !attributes.contains(key)) {
            throw SyntaxError{0, QStringLiteral("falta %1=").arg(key)};
        }
        return attributes.take(key);
    }

    void noMore(const Directive& directive, const Attributes& left) {
        if (!left.isEmpty()) {
            throw SyntaxError{
                0,
                QStringLiteral("%1 não aceita %2=").arg(directive.name, left.keys().constFirst())};
        }
    }

    void markLine(ExprNode& node) const {
        if (node.line == 0) {
            node.line = line_;
        }
    }

    Expr expression(const QString& source, bool allowTotals) {
        try {
            Expr expr = parseExpression(source, result_.fields, allowTotals);
            tavrel::forEachColumn(expr, [this](ExprNode& node) { markLine(node); });
            return expr;
        } catch (const SyntaxError& error) {
            throw SyntaxError{0, QStringLiteral("%1 (posição %2 de \"%3\")")
                                     .arg(error.message)
                                     .arg(error.position + 1)
                                     .arg(source)};
        }
    }

    Expr columnExpression(const QString& source, const char* what) {
        Expr expr = expression(source, false);
        if (expr->kind != ExprNode::Kind::Column) {
            throw SyntaxError{
                0,
                QStringLiteral("%1 deve ser uma coluna: {tabela.coluna}").arg(QLatin1String(what))};
        }
        return expr;
    }

    TextTemplate text(const QString& source, TextPlace place) {
        try {
            TextTemplate parsed = parseText(source, result_.fields, place);
            tavrel::forEachColumn(parsed, [this](ExprNode& node) { markLine(node); });
            return parsed;
        } catch (const SyntaxError& error) {
            throw SyntaxError{0, QStringLiteral("%1 (posição %2 de \"%3\")")
                                     .arg(error.message)
                                     .arg(error.position + 1)
                                     .arg(source)};
        }
    }

    ValueFormat format(const QString& source) {
        try {
            return parseValueFormat(source);
        } catch (const SyntaxError& error) {
            throw SyntaxError{0, error.message};
        }
    }

    void once(bool& seen, const Directive& directive) {
        if (seen) {
            throw SyntaxError{0, QStringLiteral("%1 aparece duas vezes").arg(directive.name)};
        }
        seen = true;
    }

    void apply(const Directive& directive) {
        Attributes a = directive.attributes;
        const QString& d = directive.name;
        if (d == QLatin1String("report")) {
            once(reportSeen_, directive);
            result_.title = take(a, "title");
            const QString orientation = take(a, "orientation").toLower();
            if (orientation == QLatin1String("landscape") ||
                orientation == QLatin1String("paisagem")) {
                result_.orientation = Orientation::Landscape;
            } else if (!orientation.isEmpty() && orientation != QLatin1String("portrait") &&
                       orientation != QLatin1String("retrato")) {
                throw SyntaxError{0, QStringLiteral("orientation deve ser portrait ou landscape")};
            }
            const QString font = take(a, "font");
            if (!font.isEmpty()) {
                bool ok = false;
                result_.fontSize = font.toInt(&ok);
                if (!ok || result_.fontSize < 6 || result_.fontSize > 16) {
                    throw SyntaxError{0, QStringLiteral("font deve ser um número de 6 a 16")};
                }
            }
        } else if (d == QLatin1String("from")) {
            once(fromSeen_, directive);
            result_.from = take(a, "table", true);
            result_.fromLine = line_;
        } else if (d == QLatin1String("join")) {
            TemplateJoin join;
            join.table = take(a, "table", true);
            join.alias = take(a, "as");
            join.condition = take(a, "on", true);
            const QString type = take(a, "type").toLower();
            if (type == QLatin1String("inner")) {
                join.left = false;
            } else if (!type.isEmpty() && type != QLatin1String("left")) {
                throw SyntaxError{0, QStringLiteral("type deve ser left ou inner")};
            }
            join.line = line_;
            result_.joins << join;
        } else if (d == QLatin1String("where")) {
            once(whereSeen_, directive);
            result_.where = take(a, "condition", true);
            result_.whereLine = line_;
        } else if (d == QLatin1String("field")) {
            const QString name = take(a, "name", true);
            static const QStringList reserved = {QStringLiteral("PAGE"),  QStringLiteral("PAGES"),
                                                 QStringLiteral("DATE"),  QStringLiteral("TIME"),
                                                 QStringLiteral("TITLE"), QStringLiteral("COUNT")};
            if (name.isEmpty() || name.contains(QLatin1Char('.')) ||
                reserved.contains(name.toUpper()) || result_.fields.contains(name.toUpper())) {
                throw SyntaxError{
                    0, QStringLiteral("nome de campo inválido ou repetido: %1").arg(name)};
            }
            result_.fields.insert(name.toUpper(), expression(take(a, "value", true), false));
        } else if (d == QLatin1String("sort")) {
            sort(take(a, "by", true));
        } else if (d == QLatin1String("header")) {
            result_.header << text(take(a, "text", true), TextPlace::ReportHeader);
        } else if (d == QLatin1String("group")) {
            TemplateGroup group;
            group.by = columnExpression(take(a, "by", true), "by");
            const QString order = take(a, "order");
            if (!order.isEmpty()) {
                group.order = columnExpression(order, "order");
            }
            group.header = text(take(a, "header"), TextPlace::GroupHeader);
            const QString footer = take(a, "footer");
            group.footer = text(footer.isEmpty() ? QStringLiteral("Subtotal ({count})") : footer,
                                TextPlace::GroupFooter);
            group.line = line_;
            result_.groups << group;
        } else if (d == QLatin1String("column")) {
            column(a);
        } else if (d == QLatin1String("totals")) {
            result_.totals = true;
            result_.totalsText = text(take(a, "text", true), TextPlace::Totals);
        } else if (d == QLatin1String("summary")) {
            TemplateSummary summary;
            summary.caption = take(a, "caption", true);
            summary.value = expression(take(a, "value", true), true);
            summary.format = format(take(a, "format"));
            summary.bold = yes(take(a, "bold"));
            result_.summaries << summary;
        } else if (d == QLatin1String("pageheader") || d == QLatin1String("pagefooter")) {
            PageBand& band =
                d == QLatin1String("pageheader") ? result_.pageHeader : result_.pageFooter;
            band.left = text(take(a, "left"), TextPlace::PageBand);
            band.center = text(take(a, "center"), TextPlace::PageBand);
            band.right = text(take(a, "right"), TextPlace::PageBand);
        } else {
            throw SyntaxError{0, QStringLiteral("instrução desconhecida: %1").arg(d)};
        }
        noMore(directive, a);
    }

    static bool yes(const QString& value) {
        const QString v = value.toLower();
        if (v.isEmpty() || v == QLatin1String("no") || v == QLatin1String("nao") ||
            v == QStringLiteral("não")) {
            return false;
        }
        if (v == QLatin1String("yes") || v == QLatin1String("sim")) {
            return true;
        }
        throw SyntaxError{0, QStringLiteral("esperava yes ou no e encontrou \"%1\"").arg(value)};
    }

    void column(Attributes& a) {
        TemplateColumn column;
        column.caption = take(a, "caption");
        column.value = expression(take(a, "value", true), false);
        column.format = format(take(a, "format"));
        const QString width = take(a, "width");
        if (!width.isEmpty()) {
            bool ok = false;
            column.width = width.toDouble(&ok);
            // Widths are shares of the line: nan, infinity or a share so large that the sum
            // overflows would leave the columns without a place.
            if (!ok || !std::isfinite(column.width) || column.width <= 0 ||
                column.width > kMaxColumnWidth) {
                throw SyntaxError{0, QStringLiteral("width deve ser um número maior que zero e "
                                                    "até %1")
                                         .arg(kMaxColumnWidth)};
            }
        }
        const QString align = take(a, "align").toLower();
        const bool numeric = column.format.kind == ValueFormat::Kind::Decimals ||
                             column.format.kind == ValueFormat::Kind::Grouped ||
                             column.format.kind == ValueFormat::Kind::Currency;
        if (align.isEmpty()) {
            column.align = numeric ? Alignment::Right : Alignment::Left;
        } else if (align == QLatin1String("left")) {
            column.align = Alignment::Left;
        } else if (align == QLatin1String("center")) {
            column.align = Alignment::Center;
        } else if (align == QLatin1String("right")) {
            column.align = Alignment::Right;
        } else {
            throw SyntaxError{0, QStringLiteral("align deve ser left, center ou right")};
        }
        const QString total = take(a, "total").toLower();
        static const QHash<QString, Aggregate> totals = {
            {QStringLiteral("sum"), Aggregate::Sum},
            {QStringLiteral("count"), Aggregate::Count},
            {QStringLiteral("avg"), Aggregate::Average},
            {QStringLiteral("min"), Aggregate::Minimum},
            {QStringLiteral("max"), Aggregate::Maximum},
        };
        if (!total.isEmpty()) {
            if (!totals.contains(total)) {
                throw SyntaxError{0, QStringLiteral("total deve ser sum, count, avg, min ou max")};
            }
            column.total = totals.value(total);
        }
        result_.columns << column;
    }

    void sort(const QString& source) {
        try {
            const std::vector<Token> tokens = tokenize(source);
            size_t i = 0;
            while (tokens[i].kind != TokenKind::End) {
                if (tokens[i].kind != TokenKind::Column) {
                    throw SyntaxError{tokens[i].position,
                                      QStringLiteral("esperava uma coluna e encontrou %1")
                                          .arg(describeToken(tokens[i]))};
                }
                SortKey key;
                key.column = expression(tokens[i].text, false);
                if (key.column->kind != ExprNode::Kind::Column) {
                    throw SyntaxError{tokens[i].position,
                                      QStringLiteral("ordene por colunas: {tabela.coluna}")};
                }
                ++i;
                if (tokens[i].kind == TokenKind::Word) {
                    const QString word = tokens[i].text.toLower();
                    if (word != QLatin1String("desc") && word != QLatin1String("asc")) {
                        throw SyntaxError{tokens[i].position,
                                          QStringLiteral("esperava asc ou desc e encontrou %1")
                                              .arg(tokens[i].text)};
                    }
                    key.descending = word == QLatin1String("desc");
                    ++i;
                }
                result_.sort << key;
                if (tokens[i].kind == TokenKind::Comma) {
                    ++i;
                } else if (tokens[i].kind != TokenKind::End) {
                    throw SyntaxError{tokens[i].position, QStringLiteral("esperava \",\" entre "
                                                                         "as colunas")};
                }
            }
        } catch (const SyntaxError& error) {
            throw SyntaxError{0, QStringLiteral("%1 (posição %2 de \"%3\")")
                                     .arg(error.message)
                                     .arg(error.position + 1)
                                     .arg(source)};
        }
    }

    QString name_;
    int line_ = 0;
    bool reportSeen_ = false;
    bool fromSeen_ = false;
    bool whereSeen_ = false;
    ReportTemplate result_;
};

}  // namespace

void ReportTemplate::forEachColumn(const std::function<void(ExprNode&)>& visit) const {
    for (const SortKey& key : sort)
        tavrel::forEachColumn(key.column, visit);
    for (const TextTemplate& line : header)
        tavrel::forEachColumn(line, visit);
    for (const TemplateGroup& group : groups) {
        tavrel::forEachColumn(group.by, visit);
        tavrel::forEachColumn(group.order, visit);
        tavrel::forEachColumn(group.header, visit);
        tavrel::forEachColumn(group.footer, visit);
    }
    for (const TemplateColumn& column : columns)
        tavrel::forEachColumn(column.value, visit);
    for (const TemplateSummary& summary : summaries)
        tavrel::forEachColumn(summary.value, visit);
    for (const PageBand* band : {&pageHeader, &pageFooter}) {
        tavrel::forEachColumn(band->left, visit);
        tavrel::forEachColumn(band->center, visit);
        tavrel::forEachColumn(band->right, visit);
    }
}

void throwTemplateError(const QString& templateName, int line, const QString& message) {
    const QString where = line > 0 ? QStringLiteral(", linha %1").arg(line) : QString();
    throw AppError(
        error_number::kReport,
        QStringLiteral("Modelo de relatório inválido (%1%2): %3").arg(templateName, where, message),
        templateName);
}

ReportTemplate parseTemplate(const QString& text, const QString& templateName) {
    return TemplateParser(templateName).parse(text);
}

QString findTemplateFile(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile()) {
        return info.filePath();
    }
    const QDir folder = info.dir();
    const QStringList files = folder.entryList(QDir::Files);
    for (const QString& file : files) {
        if (file.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
            return folder.filePath(file);
        }
    }
    return {};
}

ReportTemplate readTemplate(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const QString found = findTemplateFile(path);
    if (found.isEmpty()) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("Modelo de relatório não encontrado: %1").arg(path), name);
    }
    QFile file(found);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("Não foi possível ler o modelo de relatório %1: %2")
                           .arg(found, file.errorString()),
                       name);
    }
    const QByteArray bytes = file.readAll();
    // Templates are UTF-8; one saved by an editor in the old Windows code page still reads.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
    }
    return parseTemplate(text, name);
}

}  // namespace tavrel
