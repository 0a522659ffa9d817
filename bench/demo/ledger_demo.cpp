#include "demo/ledger_demo.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/ptbr.h"
#include "data/codes.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "demo/prepared.h"
#include "ledger/saldos.h"

namespace tavrel::demo {
namespace {

struct Description {
    const char* text;
    char type;  // 'C' credit, 'D' debit
    int weight;
    double median;
};

const Description kDescriptions[] = {
    {"APORTE DE CAPITAL", 'C', 0, 0},  // the first entry of each account
    {"DEPÓSITO DE CHEQUES COMPENSADOS", 'C', 30, 8000},
    {"RECEBIMENTO DE RECOMPRA", 'C', 6, 1200},
    {"JUROS E TARIFAS RECEBIDOS", 'C', 10, 600},
    {"PAGAMENTO DE TROCA", 'D', 30, 6000},
    {"TARIFAS BANCÁRIAS", 'D', 8, 45},
    {"DESPESAS ADMINISTRATIVAS", 'D', 8, 400},
    {"RETIRADA DOS SÓCIOS", 'D', 3, 3000},
    {"CHEQUE DEVOLVIDO", 'D', 5, 900},
};

const char* const kAccounts[] = {"CAIXA GERAL", "BANCO DO BRASIL C/C", "ITAÚ C/C", "BRADESCO C/C"};

struct Entry {
    QString code;
    QString account;
    int description;
    QString note;
    double amount;
    QDate date;
};

double amountAround(Random& random, double median) {
    const double value = std::exp(random.normal(std::log(median), 0.7));
    return std::round(std::clamp(value, 5.0, 500000.0) * 100) / 100;
}

}  // namespace

LedgerCounts generateLedger(const QSqlDatabase& caixa, Random& random, int entryCount,
                            const QDate& from, const QDate& to) {
    TransactionGuard transaction(caixa);
    LedgerCounts counts;

    QStringList accountCodes;
    for (const char* name : kAccounts) {
        const QString code =
            nextCode(caixa, QStringLiteral("CONTAS"), QStringLiteral("CD_CONTA"), 3);
        runSql(caixa, QStringLiteral("INSERT INTO CONTAS (CD_CONTA, DS_CONTA) VALUES (?, ?)"),
               {code, QString::fromUtf8(name)});
        accountCodes << code;
        ++counts.accounts;
    }
    QStringList descriptionCodes;
    QList<int> weights;
    for (const Description& d : kDescriptions) {
        const QString code =
            nextCode(caixa, QStringLiteral("HISTORICOS"), QStringLiteral("CD_HISTORICO"), 5);
        runSql(caixa,
               QStringLiteral("INSERT INTO HISTORICOS (CD_HISTORICO, DS_HISTORICO, CD_TIPO) "
                              "VALUES (?, ?, ?)"),
               {code, QString::fromUtf8(d.text), QString(QLatin1Char(d.type))});
        descriptionCodes << code;
        weights << d.weight;
        ++counts.descriptions;
    }

    // Entries are typed day by day; now and then one is typed late, with an earlier date.
    const int span = static_cast<int>(from.daysTo(to));
    QList<QDate> dates;
    for (int i = 0; i < entryCount; ++i) {
        QDate date = from.addDays(random.between(0, span));
        if (date.dayOfWeek() > Qt::Friday) {
            date = date.addDays(Qt::Friday - date.dayOfWeek());  // the cash is shut at weekends
        }
        dates << date;
    }
    std::sort(dates.begin(), dates.end());
    QList<Entry> entries;
    long long code = 0;
    for (const QString& account : accountCodes) {
        entries.append({formatCode(++code, 10), account, 0, QStringLiteral("CAPITAL INICIAL"),
                        account == accountCodes.first() ? 50000.0 : 250000.0, from});
    }
    for (QDate date : dates) {
        if (random.chance(0.05)) {
            date = std::max(from, date.addDays(-random.between(1, 10)));
        }
        const int description = random.weighted(weights);
        const QString note =
            description == 4 ? QStringLiteral("TROCA DO DIA %1").arg(formatDate(date)) : QString();
        entries.append({formatCode(++code, 10), random.pick(accountCodes), description, note,
                        amountAround(random, kDescriptions[description].median), date});
    }

    // Running balance per account in the order date, then code, as the ledger screen keeps it.
    QList<int> order(entries.size());
    for (int i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const Entry& x = entries[a];
        const Entry& y = entries[b];
        return std::tie(x.account, x.date, x.code) < std::tie(y.account, y.date, y.code);
    });
    QList<double> saldo(entries.size());
    for (auto first = order.cbegin(); first != order.cend();) {
        const QString& account = entries[*first].account;
        const auto last =
            std::find_if(first, order.cend(), [&](int i) { return entries[i].account != account; });
        std::vector<Movimento> movimentos;
        for (auto i = first; i != last; ++i) {
            const Entry& e = entries[*i];
            movimentos.push_back({e.amount, kDescriptions[e.description].type == 'C'
                                                ? Sentido::Credito
                                                : Sentido::Debito});
        }
        const std::vector<double> saldos = RecalculaSaldos(movimentos);
        for (auto i = first; i != last; ++i) {
            saldo[*i] = saldos[static_cast<size_t>(i - first)];
        }
        first = last;
    }

    Prepared insert(
        caixa, QStringLiteral("INSERT INTO LANCAMENTOS (CD_lancamento, CD_CONTA, CD_HISTORICO, "
                              "DS_complemento, VL_LANCAMENTO, DT_LANCAMENTO, CD_STATUS, VL_SALDO) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const QVariantList values = {e.code,
                                     e.account,
                                     descriptionCodes[e.description],
                                     e.note,
                                     e.amount,
                                     storageDate(e.date),
                                     QString(QLatin1Char(kDescriptions[e.description].type)),
                                     saldo[i]};
        insert.run(values);
        ++counts.entries;
    }
    transaction.commit();
    return counts;
}

}  // namespace tavrel::demo
