#include <gtest/gtest.h>

#include "core/errors.h"
#include "data/background_query.h"
#include "data/sql.h"
#include "data/text_functions.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class TextFunctionsTest : public test::AppFixture {
protected:
    TextFunctionsTest() {
        for (const char* name :
             {"ÉDSON ÁVILA", "édson Ávila", "EDSON", "D'ÁVILA 10% _X", "D'ÁVILA 10x", "Ñandu"}) {
            exec(QStringLiteral("INSERT INTO CHEQUES (NM_EMITENTE) VALUES (?)"),
                 {QString::fromUtf8(name)});
        }
        exec(QStringLiteral("INSERT INTO CHEQUES (NM_EMITENTE) VALUES (NULL)"));
    }
    // Issuers starting with `prefix`, letter case ignored.
    QStringList startingWith(const QString& prefix) {
        QStringList names;
        for (const QVariantList& row :
             rows(QStringLiteral("SELECT NM_EMITENTE FROM CHEQUES WHERE "
                                 "tavrel_starts(NM_EMITENTE, ?) ORDER BY id"),
                  {foldCase(prefix)})) {
            names << row.value(0).toString();
        }
        return names;
    }
};

TEST_F(TextFunctionsTest, PrefixesIgnoreLetterCaseAccentsIncluded) {
    EXPECT_EQ(startingWith(QStringLiteral("édson")),
              (QStringList{QStringLiteral("ÉDSON ÁVILA"), QStringLiteral("édson Ávila")}));
    EXPECT_EQ(startingWith(QStringLiteral("ÉDSON á")), startingWith(QStringLiteral("édson Á")));
    EXPECT_EQ(startingWith(QStringLiteral("edson")), (QStringList{"EDSON"}))
        << "an accent is a different letter";
    EXPECT_EQ(startingWith(QStringLiteral("ñ")), (QStringList{QStringLiteral("Ñandu")}));
    EXPECT_EQ(startingWith(QString()).size(), 6) << "every issuer that has a name";
}

TEST_F(TextFunctionsTest, QuotesPercentAndUnderscoreAreLiteral) {
    EXPECT_EQ(startingWith(QStringLiteral("d'ávila 10%")),
              (QStringList{QStringLiteral("D'ÁVILA 10% _X")}));
    EXPECT_EQ(startingWith(QStringLiteral("D'ÁVILA 10% _")),
              (QStringList{QStringLiteral("D'ÁVILA 10% _X")}));
    EXPECT_TRUE(startingWith(QStringLiteral("D'ÁVILA 1_x")).isEmpty());
    EXPECT_TRUE(startingWith(QStringLiteral("%")).isEmpty());
    EXPECT_EQ(value(QStringLiteral("SELECT tavrel_starts(NULL, 'a') IS NULL")).toInt(), 1);
}

TEST_F(TextFunctionsTest, BackgroundStatementsHandBackTheLatestResultOrItsFailure) {
    BackgroundQuery query(context.dataPath(QStringLiteral("cheques.db")), DatabaseKind::Cheques);
    QVariantList answer;
    QString failure;
    auto done = [&](const QList<QVariantList>& rows) { answer = rows.value(0); };
    auto failed = [&](const AppError& error) { failure = error.description(); };
    query.start(QStringLiteral("SELECT COUNT(*), 1"), {}, done, failed);
    query.start(QStringLiteral("SELECT COUNT(*) FROM CHEQUES WHERE NM_EMITENTE = ?"),
                {QStringLiteral("EDSON")}, done, failed);
    waitForBackgroundQueries();
    EXPECT_EQ(answer, (QVariantList{1})) << "only the statement started last answers";
    EXPECT_FALSE(query.pending());

    query.start(QStringLiteral("SELECT * FROM NO_SUCH_TABLE"), {}, done, failed);
    query.wait();
    EXPECT_TRUE(failure.contains(QStringLiteral("NO_SUCH_TABLE"))) << failure.toStdString();

    answer.clear();
    query.start(QStringLiteral("SELECT 7"), {}, done, failed);
    query.cancel();
    query.wait();
    EXPECT_TRUE(answer.isEmpty()) << "a cancelled statement hands nothing back";
}

}  // namespace
}  // namespace tavrel
