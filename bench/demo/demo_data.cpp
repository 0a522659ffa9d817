#include "demo/demo_data.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <queue>

#include "core/errors.h"
#include "core/money.h"
#include "core/password.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/connection.h"
#include "data/data_folder.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "demo/holidays_br.h"
#include "demo/ledger_demo.h"
#include "demo/people.h"
#include "demo/prepared.h"
#include "demo/random.h"
#include "exchange/calcula_cheque.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "lifecycle/recompra.h"

namespace tavrel::demo {
namespace {

struct Client {
    QString code;
    double rate;
    int weight;
};

// A person or company who writes cheques: one document, one account.
struct Issuer {
    QString document;
    QString name;
    QString bank;
    QString branch;
    QString account;
    int nextChequeNumber;
};

// A cheque that the bank will send back on `when`.
struct PendingReturn {
    QDate when;
    qint64 id;
    QString client;
    QString exchange;
    QString document;
    double value;
    double rate;
    QDate deposit;
    QDate exchangeDate;

    bool operator>(const PendingReturn& other) const { return when > other.when; }
};

// Banks that still clear many cheques, weighted roughly by their share.
const QList<QString> kBanks = {"001", "237", "341", "104", "033", "756", "748", "041", "422"};
const QList<int> kBankWeights = {22, 20, 20, 15, 10, 5, 4, 2, 2};

// Return reasons of the clearing system and how often they come up.
const QList<QString> kAlineas = {"011", "012", "013", "014", "020",
                                 "021", "022", "028", "031", "044"};
const QList<int> kAlineaWeights = {40, 22, 5, 3, 4, 10, 4, 5, 3, 4};

class Generator {
public:
    Generator(const DemoOptions& options, const QSqlDatabase& db, Random& random)
        : options_(options),
          db_(db),
          random_(random),
          parametros_(demoParametros()),
          store_(db),
          settle_(db, QStringLiteral("UPDATE CHEQUES SET CD_STATUS = 'B' "
                                     "WHERE CD_STATUS = 'A' AND DT_DEPOSITO < ?")),
          markReturned_(db, QStringLiteral("UPDATE CHEQUES SET CD_STATUS = 'C', CD_ALINEA = ? "
                                           "WHERE id = ?")),
          blacklist_(db, QStringLiteral("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) "
                                        "VALUES (?, ?)")),
          repurchase_(db, QStringLiteral("INSERT INTO RECOMPRA (CD_lancamento, CD_CLIENTE, "
                                         "CD_TROCA, VL_CHEQUE, VL_TAXA, DT_DEPOSITO, DT_TROCA, "
                                         "CD_STATUS) VALUES (?, ?, ?, ?, ?, ?, ?, 'A')")) {}

    DemoSummary run() {
        const QDate today = options_.today;
        const QDate from = today.addDays(-options_.historyDays);
        gravaParametros(db_, parametros_);
        addUser();
        addHolidays(today.year() - 2, today.year() + 2);
        addClients();
        makeIssuers();
        makeExchanges(businessDays(from, today));
        advanceTo(today);
        for (const QString& client : std::as_const(owingClients_)) {
            atualizaRecompraEmTransacao(db_, client, today);
        }
        addManualBlacklist();
        return summary_;
    }

private:
    void addUser() {
        runSql(db_,
               QStringLiteral("INSERT INTO USUARIOS (CD_usuario, USUARIO, SENHA) VALUES (?, ?, ?)"),
               {nextCode(db_, QStringLiteral("USUARIOS"), QStringLiteral("CD_usuario"), 3),
                QStringLiteral("Supervisor"), hashPassword(options_.password)});
        summary_.user = QStringLiteral("Supervisor");
        summary_.password = options_.password;
    }

    void addHolidays(int firstYear, int lastYear) {
        Prepared insert(db_, QStringLiteral("INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)"));
        for (int year = firstYear; year <= lastYear; ++year) {
            for (const Holiday& holiday : brazilianHolidays(year)) {
                insert.run({storageDate(holiday.date)});
                holidays_.add(holiday.date);
                ++summary_.holidays;
            }
        }
    }

    void addClients() {
        Prepared insert(
            db_, QStringLiteral("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, NR_TELEFONES, "
                                "ds_endereco, ds_bairro, ds_cidade, cd_cpf, cd_cnpj, ds_obs, "
                                "VL_LIMITE, LM_CHEQUE, LM_CONCENTRACAO, VL_TAXA, VL_DEVOLVIDOS) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"));
        for (int i = 0; i < options_.clients; ++i) {
            const QString code = nextCode(db_, QStringLiteral("CLIENTES"),
                                          QStringLiteral("CD_CLIENTE"), code_width::kCliente);
            const bool company = random_.chance(0.75);
            const double limit = 10000.0 * random_.between(2, 50);
            const double rate = random_.between(25, 60) / 10.0;
            insert.run({code, company ? companyName(random_) : personName(random_),
                        phoneNumbers(random_), streetAddress(random_), district(random_),
                        city(random_), company ? QString() : randomCpf(random_),
                        company ? randomCnpj(random_) : QString(),
                        random_.chance(0.2)
                            ? QStringLiteral("Cliente desde %1").arg(random_.between(1998, 2022))
                            : QString(),
                        limit, random_.chance(0.8) ? 1000.0 * random_.between(3, 30) : 0.0,
                        random_.chance(0.7) ? limit / 5 : 0.0, rate});
            clients_.append({code, rate, random_.between(1, 10)});
            clientWeights_.append(clients_.last().weight);
        }
        summary_.clients = options_.clients;
    }

    void makeIssuers() {
        const int count = std::max(30, options_.cheques / 6);
        QSet<QString> documents;
        while (issuers_.size() < count) {
            const bool company = random_.chance(0.2);
            const QString document = company ? randomCnpj(random_) : randomCpf(random_);
            if (documents.contains(document)) {
                continue;
            }
            documents.insert(document);
            issuers_.append(
                {document, (company ? companyName(random_) : personName(random_)).toUpper(),
                 kBanks[random_.weighted(kBankWeights)], formatCode(random_.between(1, 9999), 4),
                 formatCode(random_.between(1000, 99999999), 10), random_.between(100, 900000)});
        }
        // A few issuers (companies paying their suppliers) write many of the cheques.
        frequentIssuers_ = std::max(5, count / 50);
    }

    Issuer& pickIssuer() {
        const int index = random_.chance(0.1)
                              ? random_.between(0, frequentIssuers_ - 1)
                              : random_.between(0, static_cast<int>(issuers_.size()) - 1);
        return issuers_[index];
    }

    QList<QDate> businessDays(const QDate& from, const QDate& to) const {
        QList<QDate> days;
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            if (day.dayOfWeek() < Qt::Saturday && !holidays_.isHoliday(day)) {
                days << day;
            }
        }
        return days;
    }

    // Settles what was due before `day` (the main menu's settle command, run every morning),
    // then records the returns the bank has sent back by then.
    void advanceTo(const QDate& day) {
        if (day <= simulatedDay_) {
            return;
        }
        settle_.run({storageDate(day)});
        while (!returns_.empty() && returns_.top().when <= day) {
            recordReturn(returns_.top());
            returns_.pop();
        }
        simulatedDay_ = day;
    }

    // As the returns screen does it: blacklist the document (most of the time), charge the
    // cheque back to the client (on the blacklisting path only), mark it returned.
    void recordReturn(const PendingReturn& r) {
        if (random_.chance(0.7)) {
            if (!blacklisted_.contains(r.document)) {
                blacklist_.run({r.document, QStringLiteral("CHEQUE DEVOLVIDO")});
                blacklisted_.insert(r.document);
            }
            if (random_.chance(0.85)) {
                repurchase_.run({nextRepurchaseCode(), r.client, r.exchange, r.value, r.rate,
                                 storageDate(r.deposit), storageDate(r.exchangeDate)});
                owingClients_.insert(r.client);
            }
        }
        markReturned_.run({kAlineas[random_.weighted(kAlineaWeights)], r.id});
    }

    // The next repurchase entry number, as the program gives it: the first from the table, the
    // rest counted on here (the table's highest by number is read with a scan of its codes, too
    // slow to repeat for every return of a long history).
    QString nextRepurchaseCode() {
        if (lastRepurchase_ < 0) {
            lastRepurchase_ =
                codeValue(nextCode(db_, QStringLiteral("RECOMPRA"), QStringLiteral("CD_lancamento"),
                                   code_width::kLancamento)) -
                1;
        }
        return formatCode(++lastRepurchase_, code_width::kLancamento);
    }

    // The client's open repurchases, brought up to date and settled out of this exchange
    // (the repurchase settlement screen), become its debits.
    double settleRepurchases(const QString& client, const QDate& day) {
        if (!owingClients_.contains(client) || !random_.chance(0.6)) {
            return 0;
        }
        const double debt = atualizaRecompraEmTransacao(db_, client, day);
        runSql(db_,
               QStringLiteral("UPDATE RECOMPRA SET CD_STATUS = 'B' "
                              "WHERE CD_CLIENTE = ? AND CD_STATUS = 'A'"),
               {client});
        owingClients_.remove(client);
        return roundMoney(debt);
    }

    int chequeTerm() {
        const int kind = random_.weighted({3, 57, 40});
        if (kind == 0) {
            return 0;  // deposited at once
        }
        if (kind == 1) {
            return std::max(1, 30 * random_.between(1, 4) + random_.between(-3, 3));
        }
        return random_.between(1, 150);
    }

    double chequeValue() {
        double value = std::exp(random_.normal(std::log(900.0), 0.9));
        value = std::clamp(value, 20.0, 80000.0);
        if (random_.chance(0.25)) {
            return std::max(50.0, std::round(value / 50) * 50);
        }
        return std::round(value * 100) / 100;
    }

    void makeExchanges(const QList<QDate>& days) {
        // Cheques per exchange, 1 to 15, until the total is reached.
        QList<int> sizes;
        for (int left = options_.cheques; left > 0;) {
            const int size = std::min(left, random_.between(1, 15));
            sizes << size;
            left -= size;
        }
        QList<QDate> dates;
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            dates << days[random_.between(0, static_cast<int>(days.size()) - 1)];
        }
        std::sort(dates.begin(), dates.end());
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            makeExchange(dates[i], sizes[i]);
        }
        summary_.exchanges = static_cast<int>(sizes.size());
        if (!dates.isEmpty()) {
            summary_.firstExchange = dates.first();
            summary_.lastExchange = dates.last();
        }
    }

    void makeExchange(const QDate& day, int cheques) {
        advanceTo(day);
        const Client& client = clients_[random_.weighted(clientWeights_)];
        const double rate = random_.chance(0.2)
                                ? std::max(1.0, client.rate + random_.between(-5, 5) / 10.0)
                                : client.rate;
        const QString exchange = store_.proximaTroca().cd_troca;
        TotaisTroca totais = TotaisTroca::inicio(parametros_);
        totais.vl_debitos = settleRepurchases(client.code, day);

        for (int n = 0; n < cheques; ++n) {
            Issuer& issuer = pickIssuer();
            const QDate deposit = AjustaVencimento(day.addDays(chequeTerm()), holidays_);
            const ChequeEntrada entrada{day, deposit, chequeValue(), rate};

            NovoCheque row;
            row.vl_liquidez = store_.liquidez(issuer.document);
            const HistoricoEmitente history = store_.historico(issuer.document);
            row.cd_troca = exchange;
            row.cd_cliente = client.code;
            row.cd_destino = client.code;
            row.vl_taxa = rate;
            row.cd_documento = issuer.document;
            row.nr_sequencial = history.nr_sequencial();
            row.vl_cheque = entrada.vl_cheque;
            row.cd_banco = issuer.bank;
            row.cd_agencia = issuer.branch;
            row.cd_conta = issuer.account;
            row.nr_cheque = formatCode(issuer.nextChequeNumber++, 6);
            row.vl_acumulado = history.vl_acumulado;
            row.vl_aberto = history.vl_aberto;
            row.dt_troca = day;
            row.dt_deposito = deposit;
            row.nm_emitente = history.nm_emitente.isEmpty() ? issuer.name : history.nm_emitente;
            row.cd_chave = issuer.bank + issuer.branch + issuer.account;
            row.calculo = CalculaCheque(entrada, parametros_, totais);
            const qint64 id = store_.insere(row);
            totais.adiciona(entrada.vl_cheque, row.calculo);

            if (random_.chance(0.04)) {
                const QDate back = deposit.addDays(random_.between(2, 7));
                if (back <= options_.today) {
                    returns_.push({back, id, client.code, exchange, issuer.document,
                                   entrada.vl_cheque, rate, deposit, day});
                }
            }
        }
        summary_.cheques += cheques;
        if (options_.progress) {
            options_.progress(summary_.cheques);
        }
    }

    void addManualBlacklist() {
        for (int i = 0; i < 8; ++i) {
            const QString document = randomCpf(random_);
            if (blacklisted_.contains(document)) {
                continue;
            }
            blacklist_.run({document, personName(random_).toUpper()});
            blacklisted_.insert(document);
        }
    }

    const DemoOptions& options_;
    QSqlDatabase db_;
    Random& random_;
    Parametros parametros_;
    ChequeStore store_;
    Prepared settle_;
    Prepared markReturned_;
    Prepared blacklist_;
    Prepared repurchase_;
    MemoryHolidays holidays_;
    QList<Client> clients_;
    QList<int> clientWeights_;
    QList<Issuer> issuers_;
    int frequentIssuers_ = 0;
    QSet<QString> blacklisted_;
    QSet<QString> owingClients_;
    long long lastRepurchase_ = -1;
    std::priority_queue<PendingReturn, std::vector<PendingReturn>, std::greater<>> returns_;
    QDate simulatedDay_;
    DemoSummary summary_;
};

// Indexes of CHEQUES that the bulk load does not read are dropped while it runs and built again
// from their own definitions at the end, in the same transaction: one sort each instead of a
// random insert per row.
class DeferredIndexes {
public:
    explicit DeferredIndexes(const QSqlDatabase& db) : db_(db) {
        // Read by the load: the issuer lookups, the exchange number and the settling.
        const QStringList used = {
            QStringLiteral("cheques_emitente"), QStringLiteral("cheques_troca"),
            QStringLiteral("cheques_troca_numero"), QStringLiteral("cheques_status_deposito")};
        QSqlQuery query = runSql(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE "
                                                    "type = 'index' AND tbl_name = 'CHEQUES' "
                                                    "AND sql IS NOT NULL"));
        while (query.next()) {
            if (!used.contains(query.value(0).toString())) {
                deferred_.append({query.value(0).toString(), query.value(1).toString()});
            }
        }
        query.finish();
        for (const auto& [name, sql] : std::as_const(deferred_)) {
            runSql(db_, QStringLiteral("DROP INDEX \"%1\"").arg(name));
        }
    }
    void rebuild() {
        for (const auto& [name, sql] : std::as_const(deferred_)) {
            runSql(db_, sql);
        }
    }

private:
    QSqlDatabase db_;
    QList<std::pair<QString, QString>> deferred_;
};

void checkOptions(const DemoOptions& options) {
    const QString source = QStringLiteral("Dados de demonstração");
    if (options.folder.isEmpty()) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("Informe a pasta dos dados (--out PASTA)."), source);
    }
    if (options.clients < 1 || options.cheques < 0 || options.historyDays < 1 ||
        !options.today.isValid()) {
        throw AppError(error_number::kTypeMismatch,
                       QStringLiteral("São precisos ao menos um cliente, um número de cheques "
                                      "não negativo e uma data válida."),
                       source);
    }
    if (hasMainDatabase(options.folder)) {
        throw AppError(error_number::kFileAccess,
                       QStringLiteral("A pasta %1 já contém dados; os dados de demonstração só "
                                      "são gerados numa pasta nova.")
                           .arg(options.folder),
                       source);
    }
}

}  // namespace

Parametros demoParametros() {
    Parametros p;
    p.cr_numerodias = true;
    p.vl_diasminimo = 10;
    p.st_incluirdias = true;
    p.vl_dmais = 2;  // clearing takes two working days
    p.st_dia = false;
    p.st_cpmf = false;  // extinct, kept at its last rate
    p.vl_cpmf = 0.0038;
    p.st_iof = true;
    p.vl_iof = 0.000041;  // 0.0041 % a day
    p.st_advalorem = true;
    p.vl_advalorem = 0.001;
    p.st_custodia = true;
    p.vl_custodia = 1.50;
    p.st_tac = true;
    p.vl_tac = 15;
    p.st_tacper = false;
    p.vl_tacper = 0.005;
    p.st_consulta = true;
    p.vl_consulta = 2.50;
    p.st_jzero = false;
    p.vl_concentracao = 50000;
    return p;
}

namespace {

QString databasePath(const DemoOptions& options, DatabaseKind kind) {
    return QDir(options.folder).filePath(databaseFileName(kind));
}

DemoSummary fillMainDatabase(const DemoOptions& options, Random& random) {
    Connection cheques(databasePath(options, DatabaseKind::Cheques), DatabaseKind::Cheques);
    const QSqlDatabase db = cheques.db();
    // A bulk load into a new file: the pages stay in memory and are written once, with the
    // rollback journal in memory; the program's own settings come back afterwards.
    runSql(db, QStringLiteral("PRAGMA cache_size = -1048576"));
    runSql(db, QStringLiteral("PRAGMA journal_mode = MEMORY"));
    runSql(db, QStringLiteral("PRAGMA synchronous = OFF"));
    DemoSummary summary;
    {
        TransactionGuard transaction(db);
        DeferredIndexes indexes(db);
        {
            Generator generator(options, db, random);
            summary = generator.run();
        }
        indexes.rebuild();
        transaction.commit();
    }
    runSql(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    runSql(db, QStringLiteral("PRAGMA synchronous = FULL"));
    auto count = [&](const char* sql) { return scalarSql(db, QString::fromLatin1(sql)).toInt(); };
    summary.open = count("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS = 'A'");
    summary.settled = count("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS = 'B'");
    summary.returned = count("SELECT COUNT(*) FROM CHEQUES WHERE CD_STATUS = 'C'");
    summary.repurchasesOpen = count("SELECT COUNT(*) FROM RECOMPRA WHERE CD_STATUS = 'A'");
    summary.repurchasesSettled = count("SELECT COUNT(*) FROM RECOMPRA WHERE CD_STATUS = 'B'");
    summary.blacklisted = count("SELECT COUNT(*) FROM LISTANEGRA");
    return summary;
}

void fillCashDatabase(const DemoOptions& options, Random& random, DemoSummary& summary) {
    Connection caixa(databasePath(options, DatabaseKind::Caixa), DatabaseKind::Caixa);
    const int entries = std::clamp(options.cheques / 20, 60, 50000);
    const LedgerCounts ledger = generateLedger(
        caixa.db(), random, entries, options.today.addDays(-options.historyDays), options.today);
    summary.accounts = ledger.accounts;
    summary.descriptions = ledger.descriptions;
    summary.entries = ledger.entries;
}

}  // namespace

DemoSummary generateDemoData(const DemoOptions& options) {
    checkOptions(options);
    QElapsedTimer timer;
    timer.start();
    QDir().mkpath(options.folder);
    const QStringList created =
        prepareDataFolder(options.folder, options.templatesFolder).createdDatabases;
    try {
        Random random(options.seed);
        DemoSummary summary = fillMainDatabase(options, random);
        fillCashDatabase(options, random, summary);
        summary.seconds = static_cast<double>(timer.elapsed()) / 1000.0;
        return summary;
    } catch (...) {
        // Leave the folder as it was found: a half-made data folder would be refused later.
        for (const QString& name : created) {
            for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
                QFile::remove(QDir(options.folder).filePath(name + QLatin1String(suffix)));
            }
        }
        throw;
    }
}

}  // namespace tavrel::demo
