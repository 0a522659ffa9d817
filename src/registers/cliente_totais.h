#pragma once

#include <QString>

class QSqlDatabase;

namespace tavrel {

// What a client has in cheques: the face value of the open ("A") and of the settled ("B")
// ones. Returned cheques and any other status count in neither.
struct ClienteTotais {
    double aberto = 0;
    double compensado = 0;
};

// One aggregate query over the client's cheques (served by the index on client and status).
ClienteTotais totaisDoCliente(const QSqlDatabase& db, const QString& codigoCliente);

}  // namespace tavrel
