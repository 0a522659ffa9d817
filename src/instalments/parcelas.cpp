#include "instalments/parcelas.h"

#include <cmath>
#include <optional>

#include "core/money.h"
#include "core/ptbr.h"

namespace tavrel {
namespace {

constexpr int kMaximoParcelas = 999;

// Applies one percentage fee: the running amount grows by the rate, and the fee's kept amount is
// the rate on the grown amount.
void aplicaTaxa(bool aplicada, double taxa, double& parcela, double& guardado) {
    guardado = 0;
    if (aplicada) {
        parcela = parcela * (1 + taxa);
        guardado = taxa * parcela;
    }
}

// A money amount as typed, with or without the currency symbol.
std::optional<double> leValor(const QString& texto) {
    QString limpo = texto.trimmed();
    if (limpo.startsWith(QStringLiteral("R$"))) {
        limpo = limpo.mid(2).trimmed();
    }
    return parseNumber(limpo);
}

// The value of a checked fee's box; nothing when the box is empty, unreadable or negative. The
// fee multipliers are rates (any dot refused); the enquiry fee is an amount.
std::optional<double> leTaxa(bool marcada, const QString& texto, NumberKind tipo) {
    if (!marcada) {
        return 0.0;
    }
    const std::optional<double> valor = parseNumber(texto, tipo);
    if (!valor || *valor < 0 || !std::isfinite(*valor)) {
        return std::nullopt;
    }
    return valor;
}

QString taxaInvalida(const QString& nome) {
    return QStringLiteral("VALOR DA TAXA %1 INVÁLIDO! PREENCHA O VALOR OU DESMARQUE A TAXA.")
        .arg(nome);
}

}  // namespace

CalculoParcela calculaParcela(const DadosParcelas& dados) {
    CalculoParcela c;
    const double pv = dados.credito;
    const double i = dados.juros / 100;
    const double n = dados.parcelas;
    // A rate so small that 1 + i is 1 leaves the formula 0 / 0: its limit is PV / n.
    const double desconto = 1 - std::pow(1 + i, -n);
    c.parcelaBase = i == 0 || desconto == 0 ? pv / n : (i * pv) / desconto;
    c.amortizacao = pv / n;

    const TaxasParcela& t = dados.taxas;
    double r = c.parcelaBase;
    if (t.st_consulta) {
        r = r + t.vl_consulta;
        c.consulta = t.vl_consulta;
    }
    aplicaTaxa(t.st_cpmf, t.vl_cpmf, r, c.cpmf);
    aplicaTaxa(t.st_iof, t.vl_iof, r, c.iof);
    aplicaTaxa(t.st_tacper, t.vl_tacper, r, c.tac);
    c.parcela = r;
    return c;
}

std::variant<DadosParcelas, QString> leDadosParcelas(const TextosParcelas& textos) {
    if (textos.parcelas.trimmed().isEmpty()) {
        return QStringLiteral("NUMERO DE PARCELAS NÃO PODE ESTAR VAZIO!!!");
    }
    if (textos.juros.trimmed().isEmpty()) {
        return QStringLiteral("O CAMPO JUROS NÃO PODE ESTAR VAZIO!!!");
    }
    DadosParcelas dados;
    const std::optional<double> parcelas = parseNumber(textos.parcelas);
    if (!parcelas || *parcelas != std::floor(*parcelas) || *parcelas < 1 ||
        *parcelas > kMaximoParcelas) {
        return QStringLiteral("NÚMERO DE PARCELAS INVÁLIDO! DIGITE UM NÚMERO INTEIRO DE 1 A 999.");
    }
    dados.parcelas = static_cast<int>(*parcelas);
    const std::optional<double> juros = parseNumber(textos.juros, NumberKind::Rate);
    if (!juros || *juros < 0 || !std::isfinite(*juros)) {
        return QStringLiteral("JUROS INVÁLIDO! DIGITE UM PERCENTUAL IGUAL OU MAIOR QUE ZERO.");
    }
    dados.juros = *juros;
    const std::optional<double> credito = leValor(textos.credito);
    if (!credito || *credito <= 0 || !std::isfinite(*credito)) {
        return QStringLiteral("VALOR DO CRÉDITO INVÁLIDO! DIGITE UM VALOR MAIOR QUE ZERO.");
    }
    dados.credito = *credito;

    // Each checked fee needs a readable value; an unchecked one counts as 0.
    const auto leTaxaMarcada = [](bool marcada, const QString& texto, bool& st, double& vl,
                                  NumberKind tipo = NumberKind::Rate) {
        const std::optional<double> valor = leTaxa(marcada, texto, tipo);
        st = marcada;
        vl = valor.value_or(0);
        return valor.has_value();
    };
    TaxasParcela& t = dados.taxas;
    if (!leTaxaMarcada(textos.st_consulta, textos.vl_consulta, t.st_consulta, t.vl_consulta,
                       NumberKind::Amount)) {
        return taxaInvalida(QStringLiteral("CONSULTA DE CHEQUES"));
    }
    if (!leTaxaMarcada(textos.st_cpmf, textos.vl_cpmf, t.st_cpmf, t.vl_cpmf)) {
        return taxaInvalida(QStringLiteral("CPMF"));
    }
    if (!leTaxaMarcada(textos.st_iof, textos.vl_iof, t.st_iof, t.vl_iof)) {
        return taxaInvalida(QStringLiteral("IOF"));
    }
    if (!leTaxaMarcada(textos.st_tacper, textos.vl_tacper, t.st_tacper, t.vl_tacper)) {
        return taxaInvalida(QStringLiteral("TAC PERCENTUAL"));
    }
    return dados;
}

QList<QDate> vencimentosParcelas(const QDate& inicio, int parcelas) {
    QList<QDate> datas;
    datas.reserve(parcelas);
    for (int k = 0; k < parcelas; ++k) {
        datas.append(inicio.addDays(30LL * k));
    }
    return datas;
}

std::variant<Plano, QString> calculaPlano(const TextosParcelas& textos) {
    const std::variant<DadosParcelas, QString> lido = leDadosParcelas(textos);
    if (const QString* problema = std::get_if<QString>(&lido)) {
        return *problema;
    }
    Plano plano{std::get<DadosParcelas>(lido), {}};
    plano.calculo = calculaParcela(plano.dados);
    const CalculoParcela& c = plano.calculo;
    for (const double valor :
         {c.parcela, c.parcelaBase, c.amortizacao, c.consulta, c.cpmf, c.iof, c.tac}) {
        if (!std::isfinite(valor)) {
            return QStringLiteral(
                "VALORES GRANDES DEMAIS PARA O CÁLCULO! CONFIRA O CRÉDITO, OS JUROS E AS TAXAS.");
        }
    }
    return plano;
}

double valorParcela(const Plano& plano) {
    return roundMoney(plano.calculo.parcela);
}

QList<LinhaParcela> linhasParcelas(const Plano& plano, const QDate& inicio) {
    QList<LinhaParcela> linhas;
    const QList<QDate> datas = vencimentosParcelas(inicio, plano.dados.parcelas);
    linhas.reserve(datas.size());
    for (const QDate& data : datas) {
        linhas.append({data, valorParcela(plano), plano.dados.credito, plano.dados.juros,
                       plano.dados.parcelas});
    }
    return linhas;
}

}  // namespace tavrel
