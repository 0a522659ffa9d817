#include "exchange/leitora.h"

#include "data/codes.h"

namespace tavrel {

LinhaLeitora interpretaLinhaLeitora(const QString& linha) {
    LinhaLeitora lida;
    lida.chave = linha.mid(0, 10) + linha.mid(23, 12);
    lida.banco = lida.chave.mid(1, 3);
    lida.agencia = lida.chave.mid(4, 4);
    lida.conta = lida.chave.mid(10, 10);
    return lida;
}

QString chaveDigitada(const QString& banco, const QString& agencia, const QString& conta) {
    return banco + agencia + conta;
}

bool teclaAceitaNoValor(QChar tecla) {
    return tecla.isDigit() || tecla == QLatin1Char('+') || tecla == QLatin1Char(',') ||
           tecla == QLatin1Char('.') || tecla == QLatin1Char(' ');
}

QString numeroTrocaDigitado(const QString& texto) {
    const QString limpo = texto.trimmed();
    bool numero = false;
    const long long valor = limpo.toLongLong(&numero);
    if (!numero || valor < 0) {
        return {};
    }
    return formatCode(valor, code_width::kTroca);
}

}  // namespace tavrel
