#include <gtest/gtest.h>

#include "core/errors.h"
#include "data/codes.h"
#include "data/sql.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

class CodesTest : public test::AppFixture {
protected:
    QString nextClientCode() {
        Connection connection = connect();
        return nextCode(connection.db(), QStringLiteral("CLIENTES"), QStringLiteral("CD_CLIENTE"),
                        code_width::kCliente);
    }
    void addClient(const QString& code) {
        exec(QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES (?, ?)"),
             {code, QStringLiteral("Cliente ") + code});
    }
};

TEST_F(CodesTest, FirstCodeOfAnEmptyTableIsOne) {
    EXPECT_EQ(nextClientCode(), "00001");
}

TEST_F(CodesTest, NextCodeFollowsTheHighestEvenWithGaps) {
    for (const char* code : {"00001", "00002", "00004", "00005", "00006", "00007"}) {
        addClient(QString::fromLatin1(code));
    }
    EXPECT_EQ(nextClientCode(), "00008");
}

TEST_F(CodesTest, DeletedHighestCodeIsGivenAgain) {
    addClient(QStringLiteral("00006"));
    addClient(QStringLiteral("00007"));
    exec(QStringLiteral("DELETE FROM CLIENTES WHERE CD_CLIENTE = ?"), {QStringLiteral("00007")});
    EXPECT_EQ(nextClientCode(), "00007");
}

TEST_F(CodesTest, CodesAreComparedAsText) {
    addClient(QStringLiteral("00001"));
    EXPECT_FALSE(value(QStringLiteral("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = ?"), {1})
                     .isValid());
    EXPECT_TRUE(value(QStringLiteral("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = ?"),
                      {QStringLiteral("00001")})
                    .isValid());
}

TEST_F(CodesTest, CodesKeepCountingPastTheirWidth) {
    // As text "1000" sorts before "999", which would give out "1000" for ever.
    Connection connection = connect(DatabaseKind::Caixa);
    auto next = [&] {
        return nextCode(connection.db(), QStringLiteral("CONTAS"), QStringLiteral("CD_CONTA"),
                        code_width::kConta);
    };
    runSql(connection.db(), QStringLiteral("INSERT INTO CONTAS (CD_CONTA) VALUES ('998')"));
    runSql(connection.db(), QStringLiteral("INSERT INTO CONTAS (CD_CONTA) VALUES ('999')"));
    EXPECT_EQ(next(), "1000");
    runSql(connection.db(), QStringLiteral("INSERT INTO CONTAS (CD_CONTA) VALUES ('1000')"));
    EXPECT_EQ(next(), "1001");
    runSql(connection.db(), QStringLiteral("INSERT INTO CONTAS (CD_CONTA) VALUES ('1001')"));
    runSql(connection.db(), QStringLiteral("INSERT INTO CONTAS (CD_CONTA) VALUES ('0500')"));
    EXPECT_EQ(next(), "1002");
}

TEST_F(CodesTest, ACodeTooLongToCountOnIsRefused) {
    addClient(QStringLiteral("1234567890123456789"));
    EXPECT_THROW(nextClientCode(), AppError);
}

TEST(CodeValue, ReadsTheLeadingWholeNumber) {
    EXPECT_EQ(codeValue(QStringLiteral("00007")), 7);
    EXPECT_EQ(codeValue(QStringLiteral("")), 0);
    EXPECT_EQ(codeValue(QStringLiteral("12ab")), 12);
    EXPECT_EQ(formatCode(8, 10), "0000000008");
}

}  // namespace
}  // namespace tavrel
