#include <gtest/gtest.h>

#include "core/errors.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

using TransactionTest = test::AppFixture;

TEST_F(TransactionTest, CommitKeepsEveryRow) {
    Connection connection = connect();
    {
        TransactionGuard transaction(connection.db());
        runSql(connection.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)", {"2026-12-25"});
        runSql(connection.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)", {"2027-01-01"});
        transaction.commit();
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM FERIADOS").toInt(), 2);
}

TEST_F(TransactionTest, AFailureHalfWayKeepsNothing) {
    Connection connection = connect();
    try {
        TransactionGuard transaction(connection.db());
        runSql(connection.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)", {"2026-12-25"});
        runSql(connection.db(), "INSERT INTO NO_SUCH_TABLE VALUES (1)");
        transaction.commit();
        FAIL() << "the bad statement did not throw";
    } catch (const DataError& error) {
        EXPECT_TRUE(error.statement().contains("NO_SUCH_TABLE"));
        EXPECT_FALSE(error.driverMessage().isEmpty());
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM FERIADOS").toInt(), 0);
}

// An immediate transaction holds the write lock from its start: another connection cannot
// write until it ends, and it commits or rolls back like any other.
TEST_F(TransactionTest, AnImmediateTransactionLocksOutOtherWritersUntilItEnds) {
    Connection connection = connect();
    Connection other = connect();
    runSql(other.db(), "PRAGMA busy_timeout = 0");
    {
        TransactionGuard transaction(connection.db(), TransactionGuard::Lock::Immediate);
        EXPECT_THROW(runSql(other.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES ('2026-12-24')"),
                     DataError);
        runSql(connection.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)", {"2026-12-25"});
        transaction.commit();
    }
    {
        TransactionGuard transaction(connection.db(), TransactionGuard::Lock::Immediate);
        runSql(connection.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)", {"2027-01-01"});
    }
    runSql(other.db(), "INSERT INTO FERIADOS (DT_FERIADO) VALUES ('2026-12-24')");
    EXPECT_EQ(rows("SELECT DT_FERIADO FROM FERIADOS ORDER BY DT_FERIADO"),
              (QList<QVariantList>{{"2026-12-24"}, {"2026-12-25"}}));
}

TEST_F(TransactionTest, BoundTextIsNeverReadAsSql) {
    const QString name = QStringLiteral("D'Ávila'); DROP TABLE CLIENTES; --");
    exec("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES (?, ?)", {"00001", name});
    EXPECT_EQ(value("SELECT NM_CLIENTE FROM CLIENTES WHERE CD_CLIENTE = ?", {"00001"}).toString(),
              name);
}

TEST(EscapeLike, EscapesWildcardsAndTheEscape) {
    EXPECT_EQ(escapeLike("50%_a\\b"), "50\\%\\_a\\\\b");
}

}  // namespace
}  // namespace tavrel
