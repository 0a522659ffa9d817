#pragma once

#include <QDate>
#include <QString>
#include <variant>

#include "lifecycle/recompra.h"

class QSqlDatabase;

namespace tavrel {

// A repurchase entry as the operator typed it on the repurchase register.
struct RecompraDigitada {
    QString nomeCliente;  // the client box's text
    QString cd_cliente;   // the client it names, empty when it names none
    QString deposito;     // "dd/MM/yyyy"
    QString taxa;
    QString valor;
    QDate troca;
};

// Checks every field before anything is written. Either the entry to add (exchange "00000")
// or the message that names the field to correct.
std::variant<NovaRecompra, QString> confereRecompra(const RecompraDigitada& digitada);

// Adds a typed entry in one transaction, checking there that its client is still registered.
// Returns the new entry number, empty (adding nothing) when the client is gone.
QString gravaRecompraManual(const QSqlDatabase& db, const NovaRecompra& entrada);

}  // namespace tavrel
