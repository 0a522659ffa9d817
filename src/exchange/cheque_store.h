#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

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

    // The document's history and next sequence number, in one indexed query.
    HistoricoEmitente historico(const QString& documento);

    // Writes the row; returns its id.
    qint64 insere(const NovoCheque& cheque);

    // Reads the row's amounts and deletes it; the caller then gives the amounts to
    // TotaisTroca::remove, so the totals change only once the row is gone. Throws AppError when
    // there is no such row.
    ValoresCheque removeCheque(qint64 id);

    // The number of a new exchange: the highest CD_TROCA (text order) plus one, read from the
    // end of its index. Nothing is reserved: asking twice before a cheque is added gives the
    // same number.
    ProximaTroca proximaTroca();

private:
    QSqlDatabase db_;
    QSqlQuery liquidez_;
    QSqlQuery historico_;
    QSqlQuery insere_;
    QSqlQuery ultimaTroca_;
};

// CalculaLiquidez for one call (prepares its statement each time).
float CalculaLiquidez(const QSqlDatabase& db, const QString& documento);

// The double stored for a single-precision liquidity: its shortest decimal form, so 66.67f is
// stored as 66.67 and not as 66.66999816894531.
double liquidezArmazenada(float liquidez);

}  // namespace tavrel
