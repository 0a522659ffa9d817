// Checks a generated demo data folder against the rules of the exchange, re-deriving every
// computed column from the row itself, the parameters row and the holidays, without the
// program's calculation. TAVREL_DEMO_CHECK_CHEQUES sets the size (5000 by default).
#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "core/errors.h"
#include "core/money.h"
#include "core/password.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/sql.h"
#include "demo/demo_data.h"
#include "demo/holidays_br.h"
#include "demo/people.h"

namespace tavrel {
namespace {

const QDate kToday(2026, 12, 8);

int chequesToCheck() {
    const int fromEnvironment = qEnvironmentVariableIntValue("TAVREL_DEMO_CHECK_CHEQUES");
    return fromEnvironment > 0 ? fromEnvironment : 5000;
}

// The parameters row, read here column by column.
struct Config {
    explicit Config(const QSqlDatabase& db) {
        QSqlQuery q = runSql(db, QStringLiteral("SELECT * FROM CONFIG"));
        EXPECT_TRUE(q.next());
        for (int i = 0; i < q.record().count(); ++i) {
            values[q.record().fieldName(i).toLower()] = q.value(i).toDouble();
        }
    }
    bool on(const char* name) const { return values.value(QLatin1String(name)) != 0; }
    double operator[](const char* name) const { return values.value(QLatin1String(name)); }
    QHash<QString, double> values;
};

QList<QVariantList> readRows(const QSqlDatabase& db, const QString& sql) {
    QList<QVariantList> rows;
    QSqlQuery q = runSql(db, sql);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i) {
            row << q.value(i);
        }
        rows << row;
    }
    return rows;
}

class DemoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<QTemporaryDir>();
        demo::DemoOptions options;
        options.folder = QDir(folder->path()).filePath(QStringLiteral("dados"));
        options.cheques = chequesToCheck();
        options.clients = 60;
        options.seed = 42;
        options.password = QStringLiteral("senha-demo");
        options.today = kToday;
        summary = demo::generateDemoData(options);
        dataFolder = options.folder;
    }
    static void TearDownTestSuite() { folder.reset(); }

    static Connection open(DatabaseKind kind) {
        return Connection(QDir(dataFolder).filePath(databaseFileName(kind)), kind);
    }

    static inline std::unique_ptr<QTemporaryDir> folder;
    static inline QString dataFolder;
    static inline demo::DemoSummary summary;
};

// The four tests of the deposit date shift, once each.
QDate shifted(QDate d, const QSet<QDate>& holidays) {
    if (holidays.contains(d))
        d = d.addDays(1);
    if (d.dayOfWeek() == 7)
        d = d.addDays(1);
    if (d.dayOfWeek() == 6)
        d = d.addDays(2);
    if (holidays.contains(d))
        d = d.addDays(1);
    return d;
}

TEST_F(DemoDataTest, EveryChequeAgreesWithTheCalculation) {
    Connection connection = open(DatabaseKind::Cheques);
    const QSqlDatabase db = connection.db();
    const Config c(db);
    QSet<QDate> holidays;
    for (const QVariantList& row :
         readRows(db, QStringLiteral("SELECT DT_FERIADO FROM FERIADOS"))) {
        holidays.insert(fromStorageDate(row[0]));
    }
    const QList<QVariantList> rows = readRows(
        db, QStringLiteral("SELECT id, CD_TROCA, DT_TROCA, DT_DEPOSITO, VL_CHEQUE, VL_TAXA, "
                           "VL_DEBITOS, NR_DIAS, VL_JUROS, VL_CPMF, VL_CUSTODIA, VL_ADVALOREM, "
                           "VL_IOF, VL_TAC, VL_CONSULTA, VL_LIQUIDO, CD_STATUS FROM CHEQUES "
                           "ORDER BY id"));
    ASSERT_EQ(rows.size(), summary.cheques);

    QSet<QString> exchangesSeen;
    int checked = 0;
    int open = 0;
    int mismatches = 0;
    for (const QVariantList& r : rows) {
        const bool first = !exchangesSeen.contains(r[1].toString());
        exchangesSeen.insert(r[1].toString());
        const QDate troca = fromStorageDate(r[2]);
        const QDate deposito = fromStorageDate(r[3]);
        const double valor = r[4].toDouble();
        const double taxa = r[5].toDouble();
        const double debitos = r[6].toDouble();

        const double d = static_cast<double>(troca.daysTo(deposito));
        double dias = d;
        if (c.on("cr_numerodias") && d <= c["vl_diasminimo"]) {
            dias = c["vl_diasminimo"];
        } else if (c.on("st_incluirdias")) {
            dias = d + c["vl_dmais"] + (c.on("st_dia") ? 1 : 0);
        } else if (c.on("st_dia")) {
            dias = d + 1;
        }
        const double juros = roundMoney(dias * (taxa / 100 * valor / 30));
        const double cpmf = c.on("st_cpmf") ? valor * c["vl_cpmf"] : 0;
        const double custodia = c.on("st_custodia") ? c["vl_custodia"] : 0;
        const double advalorem = c.on("st_advalorem") ? valor * c["vl_advalorem"] : 0;
        const double iof = c.on("st_iof") ? roundMoney(juros * (dias * c["vl_iof"])) : 0;
        double tac = c.on("st_tac") && first ? c["vl_tac"] : 0;
        if (c.on("st_tacper")) {
            tac = c["vl_tacper"] * valor;
        }
        const double consulta = c.on("st_consulta") ? c["vl_consulta"] : 0;
        const double liquido =
            valor - (juros + debitos + iof + cpmf + consulta + tac + custodia + advalorem);

        const QList<double> expected = {dias, juros, cpmf,     custodia, advalorem,
                                        iof,  tac,   consulta, liquido};
        bool same = true;
        for (int i = 0; i < expected.size(); ++i) {
            same = same && r[7 + i].toDouble() == expected[i];
        }
        // The stored date is one the shift gives for some date typed at most four days before.
        bool reachable = false;
        for (int back = 0; back <= 4 && !reachable; ++back) {
            reachable = shifted(deposito.addDays(-back), holidays) == deposito;
        }
        if (!same || !reachable) {
            if (++mismatches <= 5) {
                ADD_FAILURE() << "cheque id " << r[0].toLongLong() << " of exchange "
                              << r[1].toString().toStdString() << " does not agree";
            }
        }
        ++checked;
        open += r[16].toString() == QLatin1String("A") ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(checked, summary.cheques);
    EXPECT_EQ(open, summary.open);
    EXPECT_GT(open, 0);
    std::printf("checked %d cheques (%d open) against the calculation\n", checked, open);
}

TEST_F(DemoDataTest, IssuerHistoryAndKeysFollowTheEarlierCheques) {
    Connection connection = open(DatabaseKind::Cheques);
    const QList<QVariantList> rows = readRows(
        connection.db(),
        QStringLiteral("SELECT CD_DOCUMENTO, NR_SEQUENCIAL, VL_CHEQUE, VL_ACUMULADO, VL_ABERTO, "
                       "NM_EMITENTE, VL_LIQUIDEZ, CD_CHAVE, CD_BANCO || CD_AGENCIA || CD_CONTA, "
                       "DT_TROCA, DT_DEPOSITO FROM CHEQUES ORDER BY id"));
    struct Seen {
        int count = 0;
        double total = 0;
        QString name;
    };
    QHash<QString, Seen> issuers;
    int wrong = 0;
    for (const QVariantList& r : rows) {
        Seen& seen = issuers[r[0].toString()];
        const bool ok =
            r[1].toString() == QStringLiteral("%1").arg(seen.count + 1, 5, 10, QLatin1Char('0')) &&
            std::fabs(r[3].toDouble() - seen.total) < 1e-6 &&
            r[4].toDouble() <= r[3].toDouble() + 1e-6 && r[4].toDouble() >= 0 &&
            (seen.count == 0 || r[5].toString() == seen.name) && r[6].toDouble() >= 0 &&
            r[6].toDouble() <= 100 && r[7].toString() == r[8].toString() &&
            r[7].toString().size() == 17 && fromStorageDate(r[10]) >= fromStorageDate(r[9]) &&
            demo::documentCheckDigitsValid(r[0].toString());
        if (!ok && ++wrong <= 5) {
            ADD_FAILURE() << "issuer " << r[0].toString().toStdString() << " cheque "
                          << r[1].toString().toStdString() << " is inconsistent";
        }
        if (seen.count == 0) {
            seen.name = r[5].toString();
        }
        ++seen.count;
        seen.total += r[2].toDouble();
    }
    EXPECT_EQ(wrong, 0);
    // Some issuers come back again and again; most are seen a few times.
    int repeated = 0;
    for (const Seen& seen : std::as_const(issuers)) {
        repeated += seen.count > 1 ? 1 : 0;
    }
    EXPECT_GT(repeated, 0);
}

TEST_F(DemoDataTest, StatusesFollowTheDepositDates) {
    Connection connection = open(DatabaseKind::Cheques);
    const QSqlDatabase db = connection.db();
    const QString today = storageDate(kToday);
    auto count = [&](const char* sql) {
        return scalarSql(db, QString::fromLatin1(sql), {today}).toInt();
    };
    EXPECT_EQ(count("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS = 'A' AND DT_DEPOSITO < ?"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS <> 'A' AND DT_DEPOSITO >= ?"), 0);
    EXPECT_EQ(scalarSql(db, QStringLiteral("SELECT COUNT(*) FROM CHEQUES WHERE (CD_STATUS = 'C') "
                                           "<> (CD_ALINEA <> '000')"))
                  .toInt(),
              0);
    EXPECT_GT(summary.settled, summary.open);
    EXPECT_GT(summary.returned, 0);
    EXPECT_EQ(summary.open + summary.settled + summary.returned, summary.cheques);

    // Exchanges are numbered from 00001 in date order, one client, rate, date and debits each.
    EXPECT_EQ(scalarSql(db, QStringLiteral("SELECT COUNT(DISTINCT CD_TROCA) FROM CHEQUES")).toInt(),
              summary.exchanges);
    EXPECT_EQ(scalarSql(db, QStringLiteral("SELECT MAX(CD_TROCA) FROM CHEQUES")).toString(),
              QStringLiteral("%1").arg(summary.exchanges, 5, 10, QLatin1Char('0')));
    EXPECT_EQ(scalarSql(db, QStringLiteral("SELECT COUNT(*) FROM (SELECT CD_TROCA FROM CHEQUES "
                                           "GROUP BY CD_TROCA HAVING COUNT(DISTINCT CD_CLIENTE "
                                           "|| '/' || VL_TAXA || '/' || DT_TROCA || '/' || "
                                           "VL_DEBITOS) > 1)"))
                  .toInt(),
              0);
    QDate previous;
    for (const QVariantList& exchange :
         readRows(db, QStringLiteral("SELECT CD_TROCA, MIN(DT_TROCA) FROM CHEQUES "
                                     "GROUP BY CD_TROCA ORDER BY CD_TROCA"))) {
        const QDate date = fromStorageDate(exchange[1]);
        EXPECT_GE(date, previous) << exchange[0].toString().toStdString();
        previous = date;
    }
}

TEST_F(DemoDataTest, RepurchasesComeFromReturnedChequesWithTheirInterest) {
    Connection connection = open(DatabaseKind::Cheques);
    const QSqlDatabase db = connection.db();
    const QList<QVariantList> entries = readRows(
        db, QStringLiteral("SELECT r.CD_STATUS, r.VL_CHEQUE, r.VL_TAXA, r.DT_DEPOSITO, "
                           "r.VL_JUROS, (SELECT COUNT(*) FROM CHEQUES c WHERE c.CD_TROCA = "
                           "r.CD_TROCA AND c.CD_CLIENTE = r.CD_CLIENTE AND c.VL_CHEQUE = "
                           "r.VL_CHEQUE AND c.DT_DEPOSITO = r.DT_DEPOSITO AND c.CD_STATUS = 'C' "
                           "AND c.CD_DOCUMENTO IN (SELECT CD_DOCUMENTO FROM LISTANEGRA)) "
                           "FROM RECOMPRA r ORDER BY r.CD_lancamento"));
    ASSERT_EQ(entries.size(), summary.repurchasesOpen + summary.repurchasesSettled);
    ASSERT_FALSE(entries.isEmpty());
    for (const QVariantList& e : entries) {
        EXPECT_GE(e[5].toInt(), 1) << "a repurchase without its returned cheque";
        if (e[0].toString() == QLatin1String("A")) {
            const double days = static_cast<double>(fromStorageDate(e[3]).daysTo(kToday));
            EXPECT_EQ(e[4].toDouble(),
                      roundMoney(days * (e[2].toDouble() / 100 * e[1].toDouble() / 30)));
        } else {
            EXPECT_FALSE(e[4].isNull()) << "settled with its interest of that day";
        }
    }
    EXPECT_EQ(scalarSql(db, QStringLiteral("SELECT COUNT(*) - COUNT(DISTINCT CD_DOCUMENTO) "
                                           "FROM LISTANEGRA"))
                  .toInt(),
              0);
}

TEST_F(DemoDataTest, LedgerBalancesRunInDateAndCodeOrder) {
    Connection connection = open(DatabaseKind::Caixa);
    const QList<QVariantList> rows = readRows(
        connection.db(),
        QStringLiteral("SELECT l.CD_CONTA, l.VL_LANCAMENTO, l.CD_STATUS, l.VL_SALDO, h.CD_TIPO "
                       "FROM LANCAMENTOS l JOIN HISTORICOS h ON h.CD_HISTORICO = l.CD_HISTORICO "
                       "ORDER BY l.CD_CONTA, l.DT_LANCAMENTO, l.CD_lancamento"));
    ASSERT_EQ(rows.size(), summary.entries);
    QHash<QString, double> balance;
    for (const QVariantList& r : rows) {
        EXPECT_EQ(r[2].toString(), r[4].toString());
        balance[r[0].toString()] +=
            r[2].toString() == QLatin1String("C") ? r[1].toDouble() : -r[1].toDouble();
        EXPECT_NEAR(r[3].toDouble(), balance[r[0].toString()], 1e-6);
    }
    EXPECT_EQ(balance.size(), summary.accounts);
}

TEST_F(DemoDataTest, SupervisorLogsInWithThePrintedPassword) {
    Connection connection = open(DatabaseKind::Cheques);
    const QList<QVariantList> users = readRows(
        connection.db(), QStringLiteral("SELECT CD_usuario, USUARIO, SENHA FROM USUARIOS"));
    ASSERT_EQ(users.size(), 1);
    EXPECT_EQ(users[0][0].toString(), "001");
    EXPECT_EQ(users[0][1].toString(), "Supervisor");
    EXPECT_NE(users[0][2].toString(), summary.password);
    EXPECT_TRUE(verifyPassword(summary.password, users[0][2].toString()));
    EXPECT_EQ(summary.password, "senha-demo");
}

TEST_F(DemoDataTest, HolidaysOfFiveYearsWithTheMovableFeasts) {
    Connection connection = open(DatabaseKind::Cheques);
    const QSqlDatabase db = connection.db();
    EXPECT_EQ(summary.holidays, 5 * 13);
    for (const char* date : {"2024-01-01", "2026-02-16", "2026-02-17", "2026-04-03", "2026-06-04",
                             "2026-11-20", "2027-03-26", "2028-12-25"}) {
        EXPECT_EQ(
            scalarSql(db, QStringLiteral("SELECT COUNT(*) FROM FERIADOS WHERE DT_FERIADO = ?"),
                      {QString::fromLatin1(date)})
                .toInt(),
            1)
            << date;
    }
    EXPECT_EQ(
        scalarSql(db, QStringLiteral("SELECT MIN(DT_FERIADO) || MAX(DT_FERIADO) FROM FERIADOS"))
            .toString(),
        "2024-01-012028-12-25");
}

TEST(DemoHolidays, EasterAndTheFeastsThatFollowIt) {
    EXPECT_EQ(demo::easterSunday(2024), QDate(2024, 3, 31));
    EXPECT_EQ(demo::easterSunday(2025), QDate(2025, 4, 20));
    EXPECT_EQ(demo::easterSunday(2026), QDate(2026, 4, 5));
    EXPECT_EQ(demo::easterSunday(2027), QDate(2027, 3, 28));
    EXPECT_EQ(demo::easterSunday(2038), QDate(2038, 4, 25));
    const QList<demo::Holiday> y2023 = demo::brazilianHolidays(2023);
    EXPECT_EQ(y2023.size(), 12);                   // before the 20th of November became national
    EXPECT_EQ(y2023[1].date, QDate(2023, 2, 20));  // Carnival Monday
}

TEST(DemoDocuments, CheckDigits) {
    EXPECT_TRUE(demo::documentCheckDigitsValid(QStringLiteral("52998224725")));
    EXPECT_FALSE(demo::documentCheckDigitsValid(QStringLiteral("52998224726")));
    EXPECT_TRUE(demo::documentCheckDigitsValid(QStringLiteral("11444777000161")));
    EXPECT_FALSE(demo::documentCheckDigitsValid(QStringLiteral("11444777000162")));
}

// The same seed gives the same data; a folder that holds data is refused and left as it was.
TEST(DemoData, SameSeedSameDataAndNoOverwrite) {
    QTemporaryDir dir;
    auto make = [&](const QString& name) {
        demo::DemoOptions options;
        options.folder = QDir(dir.path()).filePath(name);
        options.cheques = 400;
        options.clients = 5;
        options.seed = 7;
        options.today = kToday;
        demo::generateDemoData(options);
        Connection c(QDir(options.folder).filePath(QStringLiteral("cheques.db")),
                     DatabaseKind::Cheques);
        return scalarSql(c.db(), QStringLiteral("SELECT group_concat(CD_DOCUMENTO || VL_LIQUIDO "
                                                "|| CD_STATUS, ',') FROM CHEQUES"))
            .toString();
    };
    const QString first = make(QStringLiteral("a"));
    EXPECT_EQ(make(QStringLiteral("b")), first);

    const QString file = QDir(dir.path()).filePath(QStringLiteral("a/cheques.db"));
    const QDateTime before = QFileInfo(file).lastModified();
    demo::DemoOptions again;
    again.folder = QDir(dir.path()).filePath(QStringLiteral("a"));
    again.today = kToday;
    EXPECT_THROW(demo::generateDemoData(again), AppError);
    EXPECT_EQ(QFileInfo(file).lastModified(), before);
}

}  // namespace
}  // namespace tavrel
