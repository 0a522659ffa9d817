#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>

#include "exchange/calcula_cheque.h"
#include "exchange/totais_troca.h"

namespace tavrel {

// The earlier cheques of one issuer document, as the exchange screen shows them when the
// document is entered. Rows are taken in sequence order; as many are summed as the last
// sequence number says (all of them when the numbers run 1, 2, 3...).
struct HistoricoEmitente {
    int cheques = 0;                  // rows of the document
    long long proximoSequencial = 1;  // last NR_SEQUENCIAL + 1; 1 for a new document
    double vl_acumulado = 0;          // value of the summed rows, whatever their status
    double vl_aberto = 0;             // of those, status "A"
    double vl_baixado = 0;            // of those, any other status
    int abertos = 0;                  // summed rows with status "A" (none: the screen shows
                                      // VL_ABERTO empty)
    QString nm_emitente;              // name on the first row

    QString nr_sequencial() const;  // proximoSequencial as "00000"
};

// One new CHEQUES row: what the screen identifies plus what the calculation gives.
// The row is written with status "A" and return reason "000".
struct NovoCheque {
    QString cd_troca;
    QString cd_cliente;
    QString cd_destino;  // the client again when the cheque is taken
    double vl_taxa = 0;
    QString cd_documento;
    QString nr_sequencial;
    double vl_cheque = 0;
    QString cd_banco;
    QString cd_agencia;
    QString cd_conta;
    QString nr_cheque;
    double vl_acumulado = 0;
    double vl_aberto = 0;
    QDate dt_troca;
    QDate dt_deposito;
    float vl_liquidez = 100;
    QString nm_emitente;
    QString cd_chave;
    ChequeCalculado calculo;
};

struct ProximaTroca {
    QString cd_troca;            // the last exchange number plus one, "00000"
    bool primeiraTroca = false;  // CHEQUES has no row at all
};

// The statements the exchange makes on CHEQUES, prepared once on one connection and reused
// (the exchange screen keeps one for its life; the demo data writes a million rows through
// one). Every lookup reads only the rows it needs through an index. Failures throw DataError.
class ChequeStore {
public:
    explicit ChequeStore(const QSqlDatabase& db);

    // CalculaLiquidez: the per cent of the document's cheques that are settled ("B"), rounded
    // to cents and held in single precision; 100 for a document never seen. One count over the
    // document's index entries; cheques of the document already added to the open exchange
    // count (as open) and lower the figure.
    float liquidez(const QString& documento);

    // The document's history and next sequence number, in one indexed query. An empty document
    // names no issuer and has no history (liquidity 100, sequence 1).
    HistoricoEmitente historico(const QString& documento);

    // Writes the row; returns its id.
    qint64 insere(const NovoCheque& cheque);

    // The stored amounts of the exchange's rows, in the order they were added.
    QList<ValoresCheque> linhasDaTroca(const QString& cd_troca);

    // Whether any cheque carries the exchange number.
    bool trocaExiste(const QString& cd_troca);

    // Removes an open ("A") cheque of the exchange in one transaction and returns its value;
    // nothing, changing nothing, when the row is not an open cheque of that exchange.
    // When the TAC is the exchange's fixed one (`tacDaTroca`), the cheque carried it and other
    // cheques remain, none of them with a TAC, the TAC moves to the first of them, whose net is
    // taken down by it, so the rows keep charging it once. Throws, changing nothing, when exactly
    // that row could not be deleted.
    std::optional<double> removeChequeAberto(qint64 id, const QString& cd_troca, bool tacDaTroca);

    // Deletes every cheque of the exchange, whatever its status, in one transaction; returns how
    // many.
    int removeTroca(const QString& cd_troca);

    // The number of a new exchange: the highest CD_TROCA (text order) plus one, read from the
    // end of its index. Nothing is reserved: asking twice before a cheque is added gives the
    // same number.
    ProximaTroca proximaTroca();

    const QSqlDatabase& db() const { return db_; }

private:
    QSqlDatabase db_;
    QSqlQuery liquidez_;
    QSqlQuery historico_;
    QSqlQuery insere_;
    QSqlQuery ultimaTroca_;
    QSqlQuery linhasDaTroca_;
};

// CalculaLiquidez for one call (prepares its statement each time).
float CalculaLiquidez(const QSqlDatabase& db, const QString& documento);

// The double stored for a single-precision liquidity: its shortest decimal form, so 66.67f is
// stored as 66.67 and not as 66.66999816894531.
double liquidezArmazenada(float liquidez);

}  // namespace tavrel
