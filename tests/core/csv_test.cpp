#include <gtest/gtest.h>

#include "core/csv.h"

namespace tavrel {
namespace {

TEST(Csv, FieldsWithSeparatorsQuotesAndLineBreaksComeBackAsWritten) {
    const QList<QStringList> rows{
        {"123.456.789-00", "Fulano D'Ávila"},
        {"1;2", "Nome \"Apelido\""},
        {"99", "duas\r\nlinhas"},
        {"", ""},
        {"7", ""},
    };
    const QString text = csvText(rows);
    EXPECT_TRUE(
        text.startsWith("123.456.789-00;Fulano D'Ávila\r\n\"1;2\";\"Nome \"\"Apelido\"\"\"\r\n"));
    EXPECT_EQ(parseCsv(text), rows);
}

TEST(Csv, ReadsWhatASpreadsheetOrAnEditorWrites) {
    EXPECT_EQ(parseCsv(QStringLiteral("\xFEFF") + "a;b\n\nc;d\r\ne\n"),
              (QList<QStringList>{{"a", "b"}, {"c", "d"}, {"e"}}));
    EXPECT_EQ(parseCsv("a;b"), (QList<QStringList>{{"a", "b"}})) << "no line end at the end";
    EXPECT_EQ(parseCsv(""), QList<QStringList>{});
    EXPECT_FALSE(parseCsv("a;\"never closed\nb;c\n")) << "an unclosed quote is no file of rows";
}

}  // namespace
}  // namespace tavrel
