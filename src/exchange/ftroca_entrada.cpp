// The exchange screen's cheque entry: the reader line, the document and its checks, the value
// and its limits, the deposit date, and adding the cheque to the exchange.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/codes.h"
#include "data/connection.h"
#include "data/row.h"
#include "data/sql.h"
#include "exchange/calcula_cheque.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/ftroca.h"
#include "exchange/ftroca_estado.h"
#include "exchange/leitora.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "ui/formatted_query_model.h"

namespace tavrel {

namespace {

void avisa(Context& context, const QString& texto) {
    context.dialogs->inform(texto, {}, DialogIcon::None);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The reader line and the document

void FTROCA::saiLeitora() {
    markLocation();
    chave->clear();
    const LinhaLeitora lida = interpretaLinhaLeitora(Text1->text());
    chave->setText(lida.chave);
    cd_banco->setText(lida.banco);
    cd_agencia->setText(lida.agencia);
    cd_conta->setText(lida.conta);

    std::optional<Row> anterior;
    step([&] {
        anterior = fetchRow(estado_->conexao->db(),
                            QStringLiteral("SELECT CD_DOCUMENTO, NM_EMITENTE FROM CHEQUES "
                                           "WHERE CD_CHAVE = ? ORDER BY id LIMIT 1"),
                            {lida.chave});
    });
    if (!anterior) {
        cd_documento->setFocus();
        return;
    }
    // A cheque of the same account was taken before: the issuer is known.
    dt_deposito->setFocus();
    const QString documento = anterior->text(QStringLiteral("CD_DOCUMENTO"));
    cd_documento->setText(documento);
    NM_EMITENTE->setText(anterior->text(QStringLiteral("NM_EMITENTE")));
    if (!verificaListaNegra(documento)) {
        return;
    }
    avisaDocumentoDeCliente(documento);
    lerHistorico(documento, false);
}

void FTROCA::saiDocumento() {
    markLocation();
    const QString documento = cd_documento->text();
    if (!verificaListaNegra(documento)) {
        return;
    }
    avisaDocumentoDeCliente(documento);
    lerHistorico(documento, true);
}

bool FTROCA::verificaListaNegra(const QString& documento) {
    bool listado = false;
    step([&] {
        listado =
            scalarSql(estado_->conexao->db(),
                      QStringLiteral("SELECT 1 FROM LISTANEGRA WHERE CD_DOCUMENTO = ? LIMIT 1"),
                      {documento})
                .isValid();
    });
    if (!listado) {
        return true;
    }
    avisa(context(), QStringLiteral("DOCUMENTO CONSTA NA LISTA NEGRA! NAO ACEITAR ESTE CHEQUE"));
    if (!context().dialogs->askYesNo(QStringLiteral("Deseja Realmente Aceita-lo"),
                                     QStringLiteral("ALERTA LISTA NEGRA!!!!!!!!!!"))) {
        cd_documento->clear();
        cd_documento->setFocus();
        return false;
    }
    return true;  // accepted: the issuer's history is still read for this cheque
}

void FTROCA::avisaDocumentoDeCliente(const QString& documento) {
    bool deCliente = false;
    step([&] {
        deCliente =
            scalarSql(estado_->conexao->db(),
                      QStringLiteral("SELECT 1 FROM CLIENTES WHERE CD_DOCUMENTO = ? LIMIT 1"),
                      {documento})
                .isValid();
    });
    if (deCliente) {
        avisa(context(), QStringLiteral("ESTE DOCUMENTO PERTENCE A UM CLIENTE DA EMPRESA"));
    }
}

void FTROCA::lerHistorico(const QString& documento, bool comTotaisPorStatus) {
    std::optional<HistoricoEmitente> historico;
    step([&] { historico = estado_->cheques->historico(documento); });
    if (!historico) {
        return;
    }
    if (historico->cheques == 0) {
        return;
    }
    NM_EMITENTE->setText(historico->nm_emitente);
    vl_acumulado->setText(formatNumber(historico->vl_acumulado));
    if (comTotaisPorStatus) {
        VL_ABERTO->setText(historico->abertos > 0 ? formatNumber(historico->vl_aberto) : QString());
        VL_BAIXADO->setText(formatNumber(historico->vl_baixado));
    }
}

void FTROCA::saiConta() {
    if (chave->text().isEmpty()) {
        chave->setText(chaveDigitada(cd_banco->text(), cd_agencia->text(), cd_conta->text()));
    }
}

// ---------------------------------------------------------------------------------------------
// The value and the client's limits

void FTROCA::saiValor() {
    markLocation();
    if (vl_cheque->text().trimmed().isEmpty())
        vl_cheque->setText(QStringLiteral("0"));
    if (VL_ABERTO->text().trimmed().isEmpty())
        VL_ABERTO->setText(QStringLiteral("0"));
    double valor = 0;
    double aberto = 0;
    if (!step([&] {
            valor = toNumber(vl_cheque->text());
            aberto = toNumber(VL_ABERTO->text());
        })) {
        return;
    }
    std::optional<Row> cliente;
    step([&] {
        cliente = fetchRow(estado_->conexao->db(),
                           QStringLiteral("SELECT LM_CHEQUE, LM_CONCENTRACAO FROM CLIENTES "
                                          "WHERE CD_CLIENTE = ? LIMIT 1"),
                           {codigoCliente()});
    });
    if (!cliente) {
        return;
    }
    const double porCheque = cliente->value(QStringLiteral("LM_CHEQUE")).toDouble();
    if (porCheque > 0 && valor > porCheque) {
        avisa(context(), QStringLiteral("Valor do Cheque superior ao limite do cliente!!"));
        if (!context().dialogs->askYesNo(QStringLiteral("Aceitar esse Cheque? "),
                                         QStringLiteral("LIMITE SUPERIOR ESTOURADO!! "))) {
            vl_cheque->setText(QStringLiteral("0"));
            valor = 0;
            vl_cheque->setFocus();
        }
    }
    const double concentracao = cliente->value(QStringLiteral("LM_CONCENTRACAO")).toDouble();
    if (concentracao > 0 && aberto + valor > concentracao) {
        avisa(context(), QStringLiteral("Concentracao no  Documento Estourado"));
        if (!context().dialogs->askYesNo(QStringLiteral("Aceitar esse Cheque? "),
                                         QStringLiteral("CONCENTRAÇÃO ESTOURADA "))) {
            vl_cheque->setText(QStringLiteral("0"));
            vl_cheque->setFocus();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The deposit date

std::optional<QDate> FTROCA::vencimentoDigitado() const {
    return parseDate(dt_deposito->text());
}

void FTROCA::saiVencimento() {
    markLocation();
    QString digitos = dt_deposito->text();
    digitos.remove(QLatin1Char('/'));
    if (digitos.trimmed().isEmpty()) {
        return;  // an empty date stays empty
    }
    const std::optional<QDate> digitada = vencimentoDigitado();
    if (!digitada) {
        avisa(context(), QStringLiteral("DATA ERRADA ! CONFIRA"));
        recolocaMascara();
        dt_deposito->setFocus();
        return;
    }
    if (*digitada < context().clock->today()) {
        avisa(context(), QStringLiteral("DATA DO CHEQUE NAO PODE SER MENOR QUE A DATA DA TROCA"));
        recolocaMascara();
        dt_deposito->setFocus();
        return;
    }
    QDate ajustada = *digitada;
    step([&] { ajustada = AjustaVencimento(*digitada, *estado_->feriados); });
    dt_deposito->setInputMask(QString());
    dt_deposito->setText(formatDate(ajustada));
}

// ---------------------------------------------------------------------------------------------
// "&ADICIONAR CHEQUE"

void FTROCA::adicionaCheque() {
    markLocation();
    // A cheque is stored only with a client, a value and a deposit date that can be read: the
    // calculation would otherwise store made-up days and amounts.
    const QString cliente = codigoCliente();
    if (cliente.isEmpty()) {
        avisa(context(), QStringLiteral("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE"));
        NM_CLIENTE->setFocus();
        return;
    }
    const std::optional<double> valor = parseNumber(vl_cheque->text());
    if (!valor || *valor <= 0) {
        avisa(context(), QStringLiteral("VALOR DO CHEQUE INVÁLIDO! INFORME O VALOR"));
        vl_cheque->setFocus();
        return;
    }
    const std::optional<QDate> deposito = vencimentoDigitado();
    if (!deposito) {
        avisa(context(), QStringLiteral("DATA ERRADA ! CONFIRA"));
        recolocaMascara();
        dt_deposito->setFocus();
        return;
    }
    double taxa = 0;
    if (!vl_taxa->text().trimmed().isEmpty() || !estado_->parametros.st_jzero) {
        const std::optional<double> digitada = parseNumber(vl_taxa->text(), NumberKind::Rate);
        if (!digitada || (*digitada == 0 && !estado_->parametros.st_jzero)) {
            avisa(context(), QStringLiteral("TAXA NÃO PODE ESTAR ZERADA"));
            vl_taxa->setFocus();
            return;
        }
        taxa = *digitada;
    }

    const QString documento = cd_documento->text();
    float liquidez = 100;
    step([&] { liquidez = estado_->cheques->liquidez(documento); });

    NovoCheque cheque;
    cheque.cd_troca = numeroTrocaDigitado(CD_TROCA->text());
    cheque.cd_cliente = cliente;
    cheque.cd_destino = cliente;
    cheque.vl_taxa = taxa;
    cheque.cd_documento = documento;
    cheque.vl_cheque = *valor;
    cheque.cd_banco = cd_banco->text();
    cheque.cd_agencia = cd_agencia->text();
    cheque.cd_conta = cd_conta->text();
    cheque.nr_cheque = NR_CHEQUE->text();
    cheque.vl_acumulado = parseNumber(vl_acumulado->text()).value_or(0);
    cheque.vl_aberto = parseNumber(VL_ABERTO->text()).value_or(0);
    cheque.dt_troca = dt_troca->date();
    cheque.dt_deposito = *deposito;
    cheque.vl_liquidez = liquidez;
    cheque.nm_emitente = NM_EMITENTE->text();
    cheque.cd_chave = chave->text();

    // The sequence number comes from the document's history as it is now, so a cheque whose
    // document was accepted from the blacklist, or typed without leaving the field, still gets
    // its own number. Without the history there is no right number to store.
    if (!step([&] {
            cheque.nr_sequencial = formatCode(
                estado_->cheques->historico(documento).proximoSequencial, code_width::kSequencial);
        })) {
        return;
    }

    // Work on a copy of the totals: they change only once the row is saved.
    TotaisTroca totais = estado_->totais;
    const bool gravado = step([&] {
        ChequeEntrada entrada{cheque.dt_troca, cheque.dt_deposito, cheque.vl_cheque, taxa};
        cheque.calculo = CalculaCheque(entrada, estado_->parametros, totais);
        estado_->cheques->insere(cheque);
    });
    step([this] { mostraTroca(numeroTrocaDigitado(CD_TROCA->text())); });
    if (gravado) {
        totais.adiciona(cheque.vl_cheque, cheque.calculo);
        estado_->totais = totais;
        mostraTotais();
    }
    NR_CHEQUE->clear();
    limpaEntrada();
    Text1->clear();
    chave->clear();
    if (Option1->isChecked()) {
        Text1->setFocus();
    } else {
        cd_documento->setFocus();
    }
}

}  // namespace tavrel
