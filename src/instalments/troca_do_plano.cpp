#include "instalments/troca_do_plano.h"

#include <optional>

#include "core/money.h"

namespace tavrel {
namespace {

constexpr int kDigitosCheque = 10;
constexpr int kDigitosBanco = 3;
constexpr int kDigitosAgencia = 4;
constexpr long long kMaiorCheque = 9'999'999'999LL;

// A whole number written with 1 to `digitos` ASCII digits (blanks around it ignored).
std::optional<long long> leAlgarismos(const QString& texto, int digitos) {
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty() || limpo.size() > digitos) {
        return std::nullopt;
    }
    long long valor = 0;
    for (const QChar c : limpo) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        valor = valor * 10 + (c.unicode() - '0');
    }
    return valor;
}

// A kept amount as the row stores it: to cents when there is one, otherwise 0.
double montante(double valor) {
    return valor > 0 ? roundMoney(valor) : 0;
}

}  // namespace

std::variant<PrimeiroCheque, QString> lePrimeiroCheque(const TextosCheque& textos, int parcelas) {
    const std::optional<long long> numero = leAlgarismos(textos.cheque, kDigitosCheque);
    if (!numero) {
        return QStringLiteral(
            "NÚMERO DO 1o CHEQUE INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 10 ALGARISMOS.");
    }
    if (*numero + parcelas - 1 > kMaiorCheque) {
        return QStringLiteral(
            "OS NÚMEROS DOS CHEQUES PASSARIAM DE 10 ALGARISMOS! CONFIRA O NÚMERO DO 1o CHEQUE.");
    }
    const std::optional<long long> banco = leAlgarismos(textos.cd_banco, kDigitosBanco);
    if (!banco) {
        return QStringLiteral("BANCO INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 3 ALGARISMOS.");
    }
    const std::optional<long long> agencia = leAlgarismos(textos.cd_agencia, kDigitosAgencia);
    if (!agencia) {
        return QStringLiteral("AGÊNCIA INVÁLIDA! DIGITE SOMENTE NÚMEROS, COM ATÉ 4 ALGARISMOS.");
    }
    return PrimeiroCheque{*numero, formatZeroPadded(*banco, kDigitosBanco),
                          formatZeroPadded(*agencia, kDigitosAgencia), textos.cd_conta};
}

QList<ChequeDoPlano> chequesDoPlano(const Plano& plano, const PrimeiroCheque& primeiro,
                                    const QDate& hoje, const QDate& primeiroDeposito) {
    const CalculoParcela& c = plano.calculo;
    ChequeDoPlano modelo;
    modelo.cd_cliente = QString::fromLatin1(kClienteProvisorio);
    modelo.cd_destino = modelo.cd_cliente;
    modelo.vl_taxa = plano.dados.juros;
    modelo.cd_documento = QStringLiteral("00000000000");
    modelo.vl_cheque = valorParcela(plano);
    modelo.cd_banco = primeiro.cd_banco;
    modelo.cd_agencia = primeiro.cd_agencia;
    modelo.cd_conta = primeiro.cd_conta;
    modelo.dt_troca = hoje;
    modelo.vl_juros = roundMoney(c.parcelaBase - c.amortizacao);
    modelo.vl_cpmf = montante(c.cpmf);
    modelo.vl_iof = montante(c.iof);
    modelo.vl_tac = montante(c.tac);
    modelo.vl_consulta = montante(c.consulta);
    modelo.cd_status = QStringLiteral("A");
    modelo.cd_alinea = QStringLiteral("000");
    modelo.nm_emitente = QLatin1String("");

    const QList<QDate> depositos = vencimentosParcelas(primeiroDeposito, plano.dados.parcelas);
    QList<ChequeDoPlano> cheques;
    cheques.reserve(depositos.size());
    for (int k = 1; k <= depositos.size(); ++k) {
        ChequeDoPlano cheque = modelo;
        cheque.nr_cheque = formatZeroPadded(primeiro.numero + k - 1, kDigitosCheque);
        cheque.nr_dias = 30 * k;
        cheque.dt_deposito = depositos[k - 1];
        cheques.append(cheque);
    }
    return cheques;
}

}  // namespace tavrel
