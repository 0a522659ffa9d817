#include "data/schema.h"

#include <QSqlQuery>
#include <QStringList>
#include <vector>

#include "core/errors.h"
#include "data/open_failure.h"
#include "data/sql.h"
#include "data/transaction.h"

namespace tavrel {
namespace {

using Migration = QStringList;  // statements that take the schema one version up

// Version 1 of the main database.
const Migration kChequesV1 = {
    QStringLiteral(R"(CREATE TABLE CHEQUES (
        id INTEGER PRIMARY KEY,
        CD_TROCA TEXT, CD_CLIENTE TEXT, CD_DESTINO TEXT, VL_TAXA REAL,
        CD_DOCUMENTO TEXT, NR_SEQUENCIAL TEXT, VL_CHEQUE REAL,
        CD_BANCO TEXT, CD_AGENCIA TEXT, CD_CONTA TEXT, NR_CHEQUE TEXT,
        VL_ACUMULADO REAL, VL_ABERTO REAL, DT_TROCA TEXT, NR_DIAS INTEGER, VL_JUROS REAL,
        DT_DEPOSITO TEXT, VL_CPMF REAL, VL_CUSTODIA REAL, VL_ADVALOREM REAL, VL_IOF REAL,
        VL_TAC REAL DEFAULT 0, VL_CONSULTA REAL, VL_DEBITOS REAL, CD_STATUS TEXT,
        VL_LIQUIDEZ REAL, CD_ALINEA TEXT DEFAULT '000', NM_EMITENTE TEXT, CD_CHAVE TEXT,
        VL_LIQUIDO REAL))"),
    QStringLiteral("CREATE INDEX cheques_troca ON CHEQUES (CD_TROCA)"),
    QStringLiteral("CREATE INDEX cheques_documento ON CHEQUES (CD_DOCUMENTO, NR_SEQUENCIAL)"),
    QStringLiteral("CREATE INDEX cheques_chave ON CHEQUES (CD_CHAVE)"),
    QStringLiteral("CREATE INDEX cheques_status_deposito ON CHEQUES (CD_STATUS, DT_DEPOSITO)"),
    QStringLiteral("CREATE INDEX cheques_deposito ON CHEQUES (DT_DEPOSITO)"),
    QStringLiteral("CREATE INDEX cheques_cliente ON CHEQUES (CD_CLIENTE, CD_STATUS)"),
    QStringLiteral("CREATE INDEX cheques_destino ON CHEQUES (CD_DESTINO)"),
    QStringLiteral(R"(CREATE TABLE CLIENTES (
        id INTEGER PRIMARY KEY,
        CD_CLIENTE TEXT, NM_CLIENTE TEXT, NR_TELEFONES TEXT,
        ds_endereco TEXT, ds_bairro TEXT, ds_cidade TEXT, cd_cpf TEXT, cd_cnpj TEXT,
        CD_DOCUMENTO TEXT, ds_obs TEXT, VL_LIMITE REAL DEFAULT 0, LM_CHEQUE REAL DEFAULT 0,
        LM_CONCENTRACAO REAL DEFAULT 0, VL_TAXA REAL DEFAULT 0, VL_DEVOLVIDOS REAL DEFAULT 0))"),
    QStringLiteral("CREATE UNIQUE INDEX clientes_codigo ON CLIENTES (CD_CLIENTE)"),
    QStringLiteral("CREATE INDEX clientes_nome ON CLIENTES (NM_CLIENTE)"),
    QStringLiteral("CREATE INDEX clientes_documento ON CLIENTES (CD_DOCUMENTO)"),
    QStringLiteral(R"(CREATE TABLE CONFIG (
        id INTEGER PRIMARY KEY,
        cr_numerodias INTEGER DEFAULT 0, vl_diasminimo REAL DEFAULT 0,
        st_incluirdias INTEGER DEFAULT 0, vl_dmais REAL DEFAULT 0,
        st_dia INTEGER DEFAULT 0,
        st_cpmf INTEGER DEFAULT 0, vl_cpmf REAL DEFAULT 0,
        st_iof INTEGER DEFAULT 0, vl_iof REAL DEFAULT 0,
        st_advalorem INTEGER DEFAULT 0, vl_advalorem REAL DEFAULT 0,
        st_custodia INTEGER DEFAULT 0, vl_custodia REAL DEFAULT 0,
        st_tac INTEGER DEFAULT 0, vl_tac REAL DEFAULT 0,
        st_tacper INTEGER DEFAULT 0, vl_tacper REAL DEFAULT 0,
        st_consulta INTEGER DEFAULT 0, vl_consulta REAL DEFAULT 0,
        st_jzero INTEGER DEFAULT 0, vl_concentracao REAL DEFAULT 0))"),
    QStringLiteral("INSERT INTO CONFIG (id) VALUES (1)"),
    QStringLiteral(R"(CREATE TABLE USUARIOS (
        id INTEGER PRIMARY KEY, CD_usuario TEXT, USUARIO TEXT, SENHA TEXT))"),
    QStringLiteral("CREATE UNIQUE INDEX usuarios_codigo ON USUARIOS (CD_usuario)"),
    QStringLiteral("CREATE INDEX usuarios_nome ON USUARIOS (USUARIO)"),
    QStringLiteral(R"(CREATE TABLE LISTANEGRA (
        id INTEGER PRIMARY KEY, CD_DOCUMENTO TEXT, NM_PESSOA TEXT))"),
    QStringLiteral("CREATE INDEX listanegra_documento ON LISTANEGRA (CD_DOCUMENTO)"),
    QStringLiteral("CREATE TABLE FERIADOS (id INTEGER PRIMARY KEY, DT_FERIADO TEXT)"),
    QStringLiteral("CREATE INDEX feriados_data ON FERIADOS (DT_FERIADO)"),
    QStringLiteral(R"(CREATE TABLE RECOMPRA (
        id INTEGER PRIMARY KEY,
        CD_lancamento TEXT, CD_CLIENTE TEXT, CD_TROCA TEXT, VL_CHEQUE REAL, VL_TAXA REAL,
        DT_DEPOSITO TEXT, DT_TROCA TEXT, VL_JUROS REAL, CD_STATUS TEXT))"),
    QStringLiteral("CREATE UNIQUE INDEX recompra_codigo ON RECOMPRA (CD_lancamento)"),
    QStringLiteral("CREATE INDEX recompra_cliente ON RECOMPRA (CD_CLIENTE, CD_STATUS)"),
    QStringLiteral(R"(CREATE TABLE PARCELAS (
        id INTEGER PRIMARY KEY, DT_VENCIMENTO TEXT, VL_PARCELA REAL, VL_FINANCIADO REAL,
        JUROSOPERACAO REAL, PARCELAS INTEGER))"),
};

// Version 2 of the main database: the exchange's issuer lookups (liquidity, history and next
// sequence number) read the document's status and value from the index alone, without a visit
// to the table per cheque. The new index starts with the old one's columns, which it replaces.
const Migration kChequesV2 = {
    QStringLiteral("CREATE INDEX cheques_emitente ON CHEQUES "
                   "(CD_DOCUMENTO, NR_SEQUENCIAL, id, CD_STATUS, VL_CHEQUE)"),
    QStringLiteral("DROP INDEX cheques_documento"),
};

// Version 3: the next exchange number is the highest number, not the last text. Past 99999 the
// text order puts "99999" after "100000", and every new exchange would otherwise be given
// "100000" again and mixed with the cheques already under it. Ordering by length first, then by
// text, is the number order of zero-padded codes, and this index answers it in one probe.
const Migration kChequesV3 = {
    QStringLiteral("CREATE INDEX cheques_troca_numero ON CHEQUES (LENGTH(CD_TROCA), CD_TROCA)"),
};

// Version 4: the next code of a register is its highest code by number (longest, then highest
// text). These indexes answer that in one probe instead of a walk of the codes, which matters
// for the repurchase entries, numbered on every return of a cheque.
const Migration kChequesV4 = {
    QStringLiteral("CREATE INDEX recompra_numero ON RECOMPRA "
                   "(LENGTH(CD_lancamento), CD_lancamento)"),
    QStringLiteral("CREATE INDEX clientes_numero ON CLIENTES (LENGTH(CD_CLIENTE), CD_CLIENTE)"),
    QStringLiteral("CREATE INDEX usuarios_numero ON USUARIOS (LENGTH(CD_usuario), CD_usuario)"),
};

// Version 5: the lists of cheques to settle group a day's or a period's cheques by deposit date
// with the sums of value and interest; carrying the two amounts in the deposit-date indexes
// answers the groups from the indexes alone, without a visit to the table per cheque. The
// indexes keep their names (the demo data's bulk load keeps the status one by name).
const Migration kChequesV5 = {
    QStringLiteral("DROP INDEX cheques_status_deposito"),
    QStringLiteral("CREATE INDEX cheques_status_deposito ON CHEQUES "
                   "(CD_STATUS, DT_DEPOSITO, VL_CHEQUE, VL_JUROS)"),
    QStringLiteral("DROP INDEX cheques_deposito"),
    QStringLiteral("CREATE INDEX cheques_deposito ON CHEQUES (DT_DEPOSITO, VL_CHEQUE, VL_JUROS)"),
};

const Migration kCaixaV1 = {
    QStringLiteral("CREATE TABLE CONTAS (id INTEGER PRIMARY KEY, CD_CONTA TEXT, DS_CONTA TEXT)"),
    QStringLiteral("CREATE UNIQUE INDEX contas_codigo ON CONTAS (CD_CONTA)"),
    QStringLiteral(R"(CREATE TABLE HISTORICOS (
        id INTEGER PRIMARY KEY, CD_HISTORICO TEXT, DS_HISTORICO TEXT, CD_TIPO TEXT))"),
    QStringLiteral("CREATE UNIQUE INDEX historicos_codigo ON HISTORICOS (CD_HISTORICO)"),
    QStringLiteral(R"(CREATE TABLE LANCAMENTOS (
        id INTEGER PRIMARY KEY, CD_lancamento TEXT, CD_CONTA TEXT, CD_HISTORICO TEXT,
        DS_complemento TEXT, VL_LANCAMENTO REAL, DT_LANCAMENTO TEXT, CD_STATUS TEXT,
        VL_SALDO REAL))"),
    QStringLiteral("CREATE UNIQUE INDEX lancamentos_codigo ON LANCAMENTOS (CD_lancamento)"),
    QStringLiteral("CREATE INDEX lancamentos_conta ON LANCAMENTOS (CD_CONTA, DT_LANCAMENTO)"),
};

// Version 2 of the cash database: the ledger walks an account's entries in the order of date,
// then entry code, to rewrite their running balances, and its grid pages through them in that
// order. The amount and the status ride along so the account's totals are read from the index
// alone; the balance is left out, so rewriting it never touches the index.
const Migration kCaixaV2 = {
    QStringLiteral("CREATE INDEX lancamentos_conta_data ON LANCAMENTOS "
                   "(CD_CONTA, DT_LANCAMENTO, CD_lancamento, CD_STATUS, VL_LANCAMENTO)"),
    QStringLiteral("DROP INDEX lancamentos_conta"),
};

// Version 3: the next code by number in one probe, as in the main database's version 4; ledger
// entries are numbered on every entry typed.
const Migration kCaixaV3 = {
    QStringLiteral("CREATE INDEX lancamentos_numero ON LANCAMENTOS "
                   "(LENGTH(CD_lancamento), CD_lancamento)"),
    QStringLiteral("CREATE INDEX contas_numero ON CONTAS (LENGTH(CD_CONTA), CD_CONTA)"),
    QStringLiteral("CREATE INDEX historicos_numero ON HISTORICOS "
                   "(LENGTH(CD_HISTORICO), CD_HISTORICO)"),
};

// The main menu: groups and positions follow the screen's fixed table of positions.
Migration menuV1() {
    struct Entry {
        int grupo;
        const char* descricao;
        const char* tooltip;
    };
    static const Entry entries[] = {
        {1, "Clientes", "Cadastro de clientes"},
        {1, "Usuários", "Cadastro de usuários do sistema"},
        {1, "Tutorial", "Vídeos de treinamento do sistema"},
        {2, "Troca de Cheques", "Lançamento de trocas de cheques"},
        {2, "Lista Negra", "Documentos de emitentes bloqueados"},
        {2, "Cheques Devolvidos", "Registro de cheques devolvidos"},
        {2, "Cálculo de Parcelas", "Calculadora de financiamento em parcelas"},
        {2, "Feriados", "Cadastro de feriados"},
        {2, "Recompra", "Cheques devolvidos a cobrar dos clientes"},
        {3, "Por Cliente", "Movimento de cheques por cliente"},
        {3, "Por Documento", "Movimento de cheques por documento do emitente"},
        {3, "Por Período", "Movimento de cheques por período"},
        {4, "Relação de Clientes", "Imprime a relação de clientes"},
        {4, "Relatórios Financeiros", "Relatórios financeiros por período"},
        {4, "Relatórios por Cliente", "Relatórios de um cliente por período"},
        {5, "Parâmetros", "Taxas e tarifas usadas no cálculo da troca"},
        {5, "Log de Operação", "Consulta o registro de operações do usuário"},
        {6, "Históricos", "Cadastro de históricos do caixa"},
        {6, "Contas", "Cadastro de contas do caixa"},
        {6, "Lançamentos", "Lançamentos e saldo do caixa"},
        {7, "Cubo de Análise", "Análise dos cheques em cubo"},
    };
    Migration statements = {
        QStringLiteral(R"(CREATE TABLE CONFIG (
            id INTEGER PRIMARY KEY, GRUPO INTEGER, OPCAO INTEGER, opcoes INTEGER,
            descricao TEXT, ds_tootip TEXT))"),
        QStringLiteral("CREATE INDEX menu_ordem ON CONFIG (GRUPO, OPCAO)"),
    };
    int opcao = 0;
    int previousGroup = 0;
    for (const Entry& entry : entries) {
        opcao = entry.grupo == previousGroup ? opcao + 1 : 1;
        previousGroup = entry.grupo;
        int opcoes = 0;
        for (const Entry& other : entries)
            opcoes += other.grupo == entry.grupo ? 1 : 0;
        auto quoted = [](const char* text) {
            return QString::fromUtf8(text).replace(QLatin1Char('\''), QStringLiteral("''"));
        };
        statements << QStringLiteral(
                          "INSERT INTO CONFIG (GRUPO, OPCAO, opcoes, descricao, ds_tootip) "
                          "VALUES (%1, %2, %3, '%4', '%5')")
                          .arg(entry.grupo)
                          .arg(opcao)
                          .arg(opcoes)
                          .arg(quoted(entry.descricao), quoted(entry.tooltip));
    }
    return statements;
}

const Migration kTutorialV1 = {
    QStringLiteral(R"(CREATE TABLE filmes (
        id INTEGER PRIMARY KEY, CD_SISTEMA TEXT, cd_sequencial INTEGER, DS_MODULO TEXT,
        DS_SISTEMA TEXT, DS_LINK TEXT))"),
    QStringLiteral("CREATE INDEX filmes_sistema ON filmes (CD_SISTEMA, cd_sequencial)"),
};

// Every version of every kind, oldest first; a new version is appended, never edited.
std::vector<Migration> migrations(DatabaseKind kind) {
    switch (kind) {
        case DatabaseKind::Cheques:
            return {kChequesV1, kChequesV2, kChequesV3, kChequesV4, kChequesV5};
        case DatabaseKind::Caixa:
            return {kCaixaV1, kCaixaV2, kCaixaV3};
        case DatabaseKind::Menu:
            return {menuV1()};
        case DatabaseKind::Tutorial:
            return {kTutorialV1};
    }
    return {};
}

int pragmaInt(const QSqlDatabase& db, const char* pragma) {
    return scalarSql(db, QStringLiteral("PRAGMA %1").arg(QLatin1String(pragma))).toInt();
}

void runStatement(const QSqlDatabase& db, const QString& sql) {
    runSql(db, sql);
}

}  // namespace

int applicationId(DatabaseKind kind) {
    return 0x54564C00 + static_cast<int>(kind) + 1;  // "TVL" and the kind
}

int currentSchemaVersion(DatabaseKind kind) {
    return static_cast<int>(migrations(kind).size());
}

void openSchema(QSqlDatabase db, DatabaseKind kind, bool isNew) {
    // Read before anything is written: a foreign file must stay exactly as it is.
    const int foundId = pragmaInt(db, "application_id");
    if (!isNew && foundId != applicationId(kind)) {
        throw notOurDatabase(db.databaseName());
    }
    const int version = pragmaInt(db, "user_version");
    // Reading the table list parses the schema: a damaged file is found here, before any write.
    scalarSql(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    const std::vector<Migration> steps = migrations(kind);
    if (version > static_cast<int>(steps.size())) {
        throw AppError(error_number::kNotOurDatabase,
                       QStringLiteral("O arquivo %1 é de uma versão mais nova do sistema.")
                           .arg(db.databaseName()),
                       QStringLiteral("Banco de dados"));
    }

    runStatement(db, QStringLiteral("PRAGMA busy_timeout = 5000"));
    runStatement(db, QStringLiteral("PRAGMA journal_mode = WAL"));
    // A new file has nothing in it yet to protect: it is written without waiting for the disk.
    // Whoever creates it removes it if anything fails and makes it durable before using it.
    runStatement(db, isNew ? QStringLiteral("PRAGMA synchronous = OFF")
                           : QStringLiteral("PRAGMA synchronous = FULL"));

    if (version == static_cast<int>(steps.size())) {
        return;
    }
    TransactionGuard transaction(db);
    for (size_t v = static_cast<size_t>(version); v < steps.size(); ++v) {
        for (const QString& statement : steps[v]) {
            runStatement(db, statement);
        }
    }
    runStatement(db, QStringLiteral("PRAGMA application_id = %1").arg(applicationId(kind)));
    runStatement(db, QStringLiteral("PRAGMA user_version = %1").arg(steps.size()));
    transaction.commit();
}

}  // namespace tavrel
