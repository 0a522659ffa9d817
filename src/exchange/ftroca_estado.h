#pragma once

#include <QString>
#include <memory>

#include "data/connection.h"
#include "exchange/adiciona_cheque.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/ftroca.h"
#include "exchange/leitora.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"

namespace tavrel {

// What the exchange screen keeps besides its controls.
struct FTROCA::Estado {
    std::unique_ptr<Connection> conexao;
    std::unique_ptr<ChequeStore> cheques;  // prepared once, after the connection
    std::unique_ptr<DatabaseHolidays> feriados;
    Parametros parametros;
    bool parametrosLidos = false;  // without them no exchange is started
    TotaisTroca totais;            // worked out from the exchange's rows after every change

    // The number "&NOVO" proposed, until the first cheque written confirms it.
    QString numeroProposto;
    // The client whose rate, debits and limit the screen shows.
    QString clienteCarregado;

    // What the entry checks accepted for the cheque being entered.
    QString documentoConferido;  // the document whose checks and history were done
    bool temDocumentoConferido = false;
    OrigemDocumento origemDocumento = OrigemDocumento::Digitado;
    QString emitenteDoHistorico;    // the document whose history filled NM_EMITENTE
    QString vencimentoConferido;    // the deposit date as its check left it
    QString valorConferido;         // client, value and open total whose limits were answered
    LinhaLeitora linhaLida;         // the parts of the last reader line
    bool esperaTerminador = false;  // a complete line was taken before its ":" arrived
};

}  // namespace tavrel
