// The exchange screen's cheque entry: the reader line, the document and its checks, the value
// and its limits, the deposit date, and adding the cheque to the exchange.
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/row.h"
#include "data/sql.h"
#include "exchange/adiciona_cheque.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/ftroca.h"
#include "exchange/ftroca_estado.h"
#include "exchange/leitora.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"

namespace tavrel {

// ---------------------------------------------------------------------------------------------
// The reader line and the document

void FTROCA::saiLeitora() {
    if (!dadosAbertos() || Text1->text().isEmpty()) {
        return;  // no line read: the typed fields stay as they are
    }
    markLocation();
    chave->clear();
    const LinhaLeitora lida = interpretaLinhaLeitora(Text1->text());
    estado_->linhaLida = lida;
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
    estado_->emitenteDoHistorico = documento;
    estado_->temDocumentoConferido = false;
    if (!verificaListaNegra(documento)) {
        return;
    }
    avisaDocumentoDeCliente(documento);
    mostraHistorico(documento, false);
    estado_->documentoConferido = documento;
    estado_->origemDocumento = OrigemDocumento::Leitora;
    estado_->temDocumentoConferido = true;
}

void FTROCA::saiDocumento() {
    if (!dadosAbertos()) {
        return;
    }
    confereDocumento(cd_documento->text());
}

// The checks of a typed document: the blacklist (refused: false), a client's own document, the
// issuer's history.
bool FTROCA::confereDocumento(const QString& documento) {
    markLocation();
    estado_->temDocumentoConferido = false;
    if (!verificaListaNegra(documento)) {
        return false;
    }
    avisaDocumentoDeCliente(documento);
    mostraHistorico(documento, true);
    estado_->documentoConferido = documento;
    estado_->origemDocumento = OrigemDocumento::Digitado;
    estado_->temDocumentoConferido = true;
    return true;
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
    avisa(QStringLiteral("DOCUMENTO CONSTA NA LISTA NEGRA! NAO ACEITAR ESTE CHEQUE"));
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
        avisa(QStringLiteral("ESTE DOCUMENTO PERTENCE A UM CLIENTE DA EMPRESA"));
    }
}

// The issuer's name and totals, always those of `documento`: a document never seen shows none,
// not those of the document entered before it.
void FTROCA::mostraHistorico(const QString& documento, bool comTotaisPorStatus) {
    std::optional<HistoricoEmitente> historico;
    step([&] { historico = estado_->cheques->historico(documento); });
    if (!historico) {
        return;
    }
    for (QLineEdit* zero : {vl_acumulado, VL_BAIXADO, VL_ABERTO})
        zero->setText(QStringLiteral("0"));
    if (historico->cheques == 0) {
        if (!estado_->emitenteDoHistorico.isEmpty() && estado_->emitenteDoHistorico != documento) {
            NM_EMITENTE->clear();  // the name of another issuer
            estado_->emitenteDoHistorico.clear();
        }
        return;
    }
    NM_EMITENTE->setText(historico->nm_emitente);
    estado_->emitenteDoHistorico = documento;
    vl_acumulado->setText(formatNumber(historico->vl_acumulado));
    if (comTotaisPorStatus) {
        VL_ABERTO->setText(historico->abertos > 0 ? formatNumber(historico->vl_aberto) : QString());
        VL_BAIXADO->setText(formatNumber(historico->vl_baixado));
    }
}

// The reader's key while bank, branch and account are still the line's; otherwise the typed
// key of what the fields hold now.
QString FTROCA::chaveDoCheque() const {
    const LinhaLeitora& lida = estado_->linhaLida;
    if (!lida.chave.isEmpty() && cd_banco->text() == lida.banco &&
        cd_agencia->text() == lida.agencia && cd_conta->text() == lida.conta) {
        return lida.chave;
    }
    return chaveDigitada(cd_banco->text(), cd_agencia->text(), cd_conta->text());
}

void FTROCA::saiConta() {
    chave->setText(chaveDoCheque());
}

// ---------------------------------------------------------------------------------------------
// The value and the client's limits

void FTROCA::saiValor() {
    if (!dadosAbertos()) {
        return;
    }
    confereValor();
}

bool FTROCA::confereValor() {
    markLocation();
    if (vl_cheque->text().trimmed().isEmpty())
        vl_cheque->setText(QStringLiteral("0"));
    if (VL_ABERTO->text().trimmed().isEmpty())
        VL_ABERTO->setText(QStringLiteral("0"));
    const QString cliente = codigoCliente();
    auto respondido = [&] {
        return cliente + QLatin1Char('|') + vl_cheque->text() + QLatin1Char('|') +
               VL_ABERTO->text();
    };
    if (respondido() == estado_->valorConferido) {
        return true;  // these limits were answered already
    }
    double valor = 0;
    double aberto = 0;
    if (!step([&] {
            valor = toNumber(vl_cheque->text());
            aberto = toNumber(VL_ABERTO->text());
        })) {
        return false;
    }
    std::optional<Row> limites;
    step([&] {
        limites = fetchRow(estado_->conexao->db(),
                           QStringLiteral("SELECT LM_CHEQUE, LM_CONCENTRACAO FROM CLIENTES "
                                          "WHERE CD_CLIENTE = ? LIMIT 1"),
                           {cliente});
    });
    if (!limites) {
        return true;
    }
    bool aceito = true;
    const double porCheque = limites->value(QStringLiteral("LM_CHEQUE")).toDouble();
    if (porCheque > 0 && valor > porCheque) {
        avisa(QStringLiteral("Valor do Cheque superior ao limite do cliente!!"));
        if (!context().dialogs->askYesNo(QStringLiteral("Aceitar esse Cheque? "),
                                         QStringLiteral("LIMITE SUPERIOR ESTOURADO!! "))) {
            vl_cheque->setText(QStringLiteral("0"));
            valor = 0;
            vl_cheque->setFocus();
            aceito = false;
        }
    }
    const double concentracao = limites->value(QStringLiteral("LM_CONCENTRACAO")).toDouble();
    if (concentracao > 0 && aberto + valor > concentracao) {
        avisa(QStringLiteral("Concentracao no  Documento Estourado"));
        if (!context().dialogs->askYesNo(QStringLiteral("Aceitar esse Cheque? "),
                                         QStringLiteral("CONCENTRAÇÃO ESTOURADA "))) {
            vl_cheque->setText(QStringLiteral("0"));
            vl_cheque->setFocus();
            aceito = false;
        }
    }
    estado_->valorConferido = respondido();
    return aceito;
}

// ---------------------------------------------------------------------------------------------
// The deposit date

void FTROCA::saiVencimento() {
    if (!dadosAbertos()) {
        return;
    }
    confereVencimento(false);
}

// Not before today, then moved off holidays and weekends once. An empty date passes when the
// field is left; a cheque cannot be added without one.
bool FTROCA::confereVencimento(bool obrigatoria) {
    markLocation();
    const QString texto = dt_deposito->text();
    if (!estado_->vencimentoConferido.isEmpty() && texto == estado_->vencimentoConferido) {
        return true;  // already checked and moved: moving it again could shift it further
    }
    QString digitos = texto;
    digitos.remove(QLatin1Char('/'));
    if (digitos.trimmed().isEmpty() && !obrigatoria) {
        return true;  // an empty date stays empty
    }
    const std::optional<QDate> digitada = parseDate(texto);
    if (!digitada) {
        avisa(QStringLiteral("DATA ERRADA ! CONFIRA"));
        recolocaMascara();
        dt_deposito->setFocus();
        return false;
    }
    if (*digitada < context().clock->today()) {
        avisa(QStringLiteral("DATA DO CHEQUE NAO PODE SER MENOR QUE A DATA DA TROCA"));
        recolocaMascara();
        dt_deposito->setFocus();
        return false;
    }
    QDate ajustada = *digitada;
    if (!step([&] { ajustada = AjustaVencimento(*digitada, *estado_->feriados); })) {
        return false;
    }
    dt_deposito->setInputMask(QString());
    dt_deposito->setText(formatDate(ajustada));
    estado_->vencimentoConferido = dt_deposito->text();
    return true;
}

// ---------------------------------------------------------------------------------------------
// "&ADICIONAR CHEQUE"

void FTROCA::adicionaCheque() {
    if (!dadosAbertos()) {
        return;
    }
    markLocation();
    // Whatever route reached this command (a click, Alt+A, Enter, a call), every check the
    // leaving procedures make is made again here for what was not checked yet, and the cheque
    // is stored only with a client, an exchange number, a value and a deposit date.
    const QString numero = numeroTroca();
    if (numero.isEmpty()) {
        avisa(QStringLiteral("FAVOR CLICAR NO BOTÃO NOVO ANTES DE COMECAR UMA TROCA"));
        INCLUIR->setFocus();
        return;
    }
    if (!estado_->parametrosLidos) {
        avisa(
            QStringLiteral("OS PARÂMETROS NÃO PUDERAM SER LIDOS. A TROCA NÃO PODE SER "
                           "INICIADA."));
        return;
    }
    const QString cliente = codigoCliente();
    if (cliente.isEmpty()) {
        avisa(QStringLiteral("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE"));
        NM_CLIENTE->setFocus();
        return;
    }
    if (cliente != estado_->clienteCarregado) {
        saiCliente();  // the client typed but not left: its rate and debits
    }
    const QString documento = cd_documento->text();
    if (!estado_->temDocumentoConferido || estado_->documentoConferido != documento) {
        if (!confereDocumento(documento)) {
            return;
        }
    }
    const std::optional<double> valor = parseNumber(vl_cheque->text());
    if (!valor || *valor <= 0) {
        avisa(QStringLiteral("VALOR DO CHEQUE INVÁLIDO! INFORME O VALOR"));
        vl_cheque->setFocus();
        return;
    }
    if (!confereVencimento(true) || !confereValor()) {
        return;
    }
    double taxa = 0;
    if (!vl_taxa->text().trimmed().isEmpty() || !estado_->parametros.st_jzero) {
        const std::optional<double> digitada = parseNumber(vl_taxa->text(), NumberKind::Rate);
        if (!digitada || (*digitada == 0 && !estado_->parametros.st_jzero)) {
            avisa(QStringLiteral("TAXA NÃO PODE ESTAR ZERADA"));
            vl_taxa->setFocus();
            return;
        }
        taxa = *digitada;
    }

    NovoCheque cheque;
    cheque.cd_troca = numero;
    cheque.cd_cliente = cliente;
    cheque.cd_destino = cliente;
    cheque.vl_taxa = taxa;
    cheque.cd_documento = documento;
    cheque.vl_cheque = *valor;
    cheque.cd_banco = cd_banco->text();
    cheque.cd_agencia = cd_agencia->text();
    cheque.cd_conta = cd_conta->text();
    cheque.nr_cheque = NR_CHEQUE->text();
    cheque.dt_troca = dt_troca->date();
    cheque.dt_deposito = parseDate(dt_deposito->text()).value_or(QDate());
    cheque.nm_emitente = NM_EMITENTE->text();
    cheque.cd_chave = chaveDoCheque();

    // The issuer's history and liquidity, the exchange number and the row in one transaction.
    ChequeAdicionado adicionado;
    const bool gravado = step([&] {
        adicionado = gravaChequeNaTroca(*estado_->cheques, cheque, estado_->origemDocumento,
                                        numero == estado_->numeroProposto, estado_->parametros,
                                        estado_->totais);
    });
    if (gravado) {
        estado_->numeroProposto.clear();
        if (adicionado.numeroMudou) {
            CD_TROCA->setText(adicionado.cheque.cd_troca);
        }
    }
    step([this] { mostraTroca(numeroTroca()); });
    if (!gravado) {
        recalculaTotais();
        return;  // what the operator typed stays for another try
    }
    // The totals of the rows before it, with the row just written: the rows' totals, without
    // reading them back.
    estado_->totais = adicionado.totais;
    mostraTotais();
    if (adicionado.numeroMudou) {
        avisa(QStringLiteral("O NÚMERO DE TROCA %1 FOI USADO EM OUTRA TELA. ESTA TROCA PASSOU A "
                             "SER A %2.")
                  .arg(numero, adicionado.cheque.cd_troca));
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
