#pragma once

#include <QString>
#include <optional>

class QSqlDatabase;

namespace tavrel {

// The cheque a return is recorded on, as the returned-cheques screen shows it.
struct ChequeDevolvivel {
    qlonglong id = 0;
    QString cd_documento;
    double vl_cheque = 0;
    QString cd_status;
    QString cd_alinea;
    bool jaDevolvido() const { return cd_status == QStringLiteral("C"); }
};

// The cheque with that id, or nothing when there is none.
std::optional<ChequeDevolvivel> leChequeDevolvivel(const QSqlDatabase& db, qlonglong id);

// What the operator answered before the return is written.
struct Devolucao {
    qlonglong chequeId = 0;
    QString alinea;               // the return reason, stored as typed (also when empty)
    bool negativar = false;       // put the issuer's document on the blacklist
    bool lancarRecompra = false;  // charge the cheque back to the client (only with negativar)
};

enum class ResultadoDevolucao { Devolvido, JaDevolvido, NaoEncontrado };

struct DevolucaoFeita {
    ResultadoDevolucao resultado = ResultadoDevolucao::NaoEncontrado;
    bool negativou = false;  // a blacklist row was added (false when the document was listed)
    QString lancamento;      // the repurchase entry made, empty when none
};

// Records the return in one transaction: the blacklist row (when asked and the document is not
// listed yet, named "CHEQUE DEVOLVIDO"), the repurchase entry with the cheque's client,
// exchange, value, rate and dates, and the cheque's return reason and status "C". A cheque
// already returned is refused and nothing changes: returning it again would charge the client
// twice. Throws DataError; then nothing changes either.
DevolucaoFeita devolveCheque(const QSqlDatabase& db, const Devolucao& devolucao);

}  // namespace tavrel
