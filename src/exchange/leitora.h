#pragma once

#include <QString>

namespace tavrel {

// What the cheque reader's code line gives: the cheque key and, taken from the key, the bank,
// branch and account. Positions count from 1 on the line as the reader types it.
struct LinhaLeitora {
    QString chave;    // characters 1 to 10 and 24 to 35 of the line
    QString banco;    // key characters 2 to 4
    QString agencia;  // key characters 5 to 8
    QString conta;    // key characters 11 to 20
};

// A line shorter than a position gives a shorter or empty part.
LinhaLeitora interpretaLinhaLeitora(const QString& linha);

// A reader line this long holds every position the key needs: it is complete even before its
// ":" arrives.
inline constexpr int kLinhaLeitoraCompleta = 35;

// The key of a typed cheque: bank, branch and account joined without separators.
QString chaveDigitada(const QString& banco, const QString& agencia, const QString& conta);

// Keys the value field accepts: digits, "+", ",", ".", space, backspace, Enter and Escape.
bool teclaAceitaNoValor(QChar tecla);

// The exchange number an operator typed, as stored: "7" and "00007" are "00007"; text that is not
// a number names no exchange (empty).
QString numeroTrocaDigitado(const QString& texto);

}  // namespace tavrel
