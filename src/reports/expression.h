#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

#include "reports/value_format.h"

namespace tavrel {

// Functions that total a value over the rows of a group or of the whole report.
enum class Aggregate { Sum, Count, Average, Minimum, Maximum, First, Last };

// One node of a template expression: values of the row, numbers, texts, + - * / and, in
// totals, the aggregate functions sum, count, avg, min, max, first and last.
struct ExprNode {
    enum class Kind { Constant, Column, RowNumber, Negate, Binary, Total };
    Kind kind = Kind::Constant;
    QVariant constant;      // Constant
    QString table, column;  // Column, as written in the template
    int field = -1;         // Column: its place in the query's row, set when the report binds
    int line = 0;           // Column: the template line it was written on, for messages
    QChar op;               // Binary: + - * /
    Aggregate aggregate{};  // Total
    int slot = -1;          // Total: its accumulator, set by the report builder
    std::shared_ptr<ExprNode> left;   // Negate, Binary, Total (empty for count())
    std::shared_ptr<ExprNode> right;  // Binary
    // Levels and nodes of the tree under this node, a shared node counted at each use. The
    // parser keeps both within limits, so walking and evaluating a tree always ends soon.
    int depth = 1;
    int weight = 1;
};
using Expr = std::shared_ptr<ExprNode>;

// Fields a template defines once and uses by name ({tarifas}); upper-case name -> expression.
using FieldDefinitions = QHash<QString, Expr>;

// Parses an expression such as "{CHEQUES.VL_CHEQUE} - {CHEQUES.VL_JUROS}" or
// "sum({CHEQUES.VL_CHEQUE})". Totals are refused unless allowed. Throws SyntaxError.
Expr parseExpression(const QString& text, const FieldDefinitions& fields, bool allowTotals);

// Every column node, and every total node, of an expression (shared nodes may come twice).
void forEachColumn(const Expr& expr, const std::function<void(ExprNode&)>& visit);
void forEachTotal(const Expr& expr, const std::function<void(ExprNode&)>& visit);

// A running total of one aggregate function.
class Accumulator {
public:
    explicit Accumulator(Aggregate aggregate) : aggregate_(aggregate) {}
    // A null value counts for nothing (count() passes a non-null one for every row).
    void add(const QVariant& value);
    QVariant result() const;

private:
    Aggregate aggregate_;
    qint64 count_ = 0;
    double sum_ = 0;
    QVariant first_, last_, minimum_, maximum_;
};

// What an expression is evaluated against: the row (null values when there is none), its
// number in the report, and the accumulators of the totals.
struct EvalScope {
    const QVariantList* row = nullptr;
    qint64 rowNumber = 0;
    const std::vector<Accumulator>* totals = nullptr;
};

// Arithmetic takes a null as 0; a division by zero gives a null.
QVariant evaluate(const ExprNode& node, const EvalScope& scope);

// A text with values in braces: "Troca: {CHEQUES.CD_TROCA}", "{CHEQUES.DT_TROCA:dd/MM/yyyy}",
// and the names page, pages, date, time, title and count where the place allows them.
struct TextPart {
    enum class Kind { Literal, Value, Page, Pages, Date, Time, Title, Count };
    Kind kind = Kind::Literal;
    QString literal;
    Expr value;
    ValueFormat format;
};
struct TextTemplate {
    QVector<TextPart> parts;
    bool isEmpty() const { return parts.isEmpty(); }
};

enum class TextPlace { ReportHeader, PageBand, GroupHeader, GroupFooter, Totals };

// Throws SyntaxError.
TextTemplate parseText(const QString& text, const FieldDefinitions& fields, TextPlace place);
void forEachColumn(const TextTemplate& text, const std::function<void(ExprNode&)>& visit);

// What the names in a text stand for when it is written.
struct TextValues {
    EvalScope scope;
    qint64 count = 0;
    QString title;
    QString date;  // the printing date, dd/MM/yyyy
    QString time;  // hh:mm
};

// Writes the text. Page numbers stay as "{page}" and "{pages}", for the page painter.
QString renderText(const TextTemplate& text, const TextValues& values);

}  // namespace tavrel
