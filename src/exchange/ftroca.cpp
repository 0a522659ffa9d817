// The exchange screen's procedures: starting an exchange, the client, adding and removing
// cheques, cancelling and printing.
#include "exchange/ftroca.h"
#include "exchange/ftroca_estado.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/row.h"
#include "data/sql.h"
#include "exchange/cheque_store.h"
#include "exchange/feriados.h"
#include "exchange/grid_troca.h"
#include "exchange/leitora.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "lifecycle/recompra.h"
#include "reports/print_report.h"

#include "ui/clickable_label.h"
#include "ui/field_events.h"
#include "ui/formatted_query_model.h"
#include "ui/screen_factory.h"

namespace tavrel {

namespace {

const QString kMascaraData = QStringLiteral("00/00/0000;_");

}  // namespace

FTROCA::FTROCA(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("FTROCA"), parent),
      estado_(std::make_unique<Estado>()),
      gridModel_(std::make_unique<FormattedQueryModel>()) {
    constroiTela();
    ligaEventos();
    // Opening: reader mode, adding and removing wait for "&NOVO".
    Option1->setChecked(true);
    cancelacheque->setEnabled(false);
    Command2->setEnabled(false);
    abreDados();
    dt_deposito->setInputMask(kMascaraData);
    dt_troca->setDate(context.clock->today());
    pintaRecompra(0);
    for (QLineEdit* zero : {VL_ABERTO, VL_BAIXADO, vl_acumulado})
        zero->setText(QStringLiteral("0"));
    mostraTotais();
    NR_CHEQUE->clear();
    // The operator starts with "&NOVO".
    INCLUIR->setFocus();
    if (!dadosAbertos()) {
        desabilitaDados();
    }
}

FTROCA::~FTROCA() {
    DBGrid1->setModel(nullptr);
    gridModel_.reset();  // its query must end before the connection closes
    estado_->cheques.reset();
    estado_->feriados.reset();
}

void FTROCA::ligaEventos() {
    connect(INCLUIR, &QPushButton::clicked, this, [this] { novo(); });
    connect(Command2, &QPushButton::clicked, this, [this] { adicionaCheque(); });
    connect(cancelacheque, &QPushButton::clicked, this, [this] { cancelaCheque(); });
    connect(Command5, &QPushButton::clicked, this, [this] { imprime(); });
    connect(Command1, &QPushButton::clicked, this, [this] { cancelaTroca(); });
    connect(Command6, &QPushButton::clicked, this, [this] { retiraCheque(); });
    connect(Command3, &QPushButton::clicked, this, [this] { caixa(); });
    connect(SAIR, &QPushButton::clicked, this, [this] { sair(); });
    connect(Command7, &QPushButton::clicked, this,
            [this] { context().screens->open(QStringLiteral("fconsultacliente")); });
    connect(Command4, &QPushButton::clicked, this, [this] {
        context().screens->openModal(QStringLiteral("fclientes"), this);
        step([this] { carregaClientes(); });
    });
    connect(RECOMPRA, &ClickableLabel::clicked, this,
            [this] { context().screens->open(QStringLiteral("fbaixarecompra"), this); });
    connect(NM_CLIENTE, &QComboBox::activated, this, [this] { escolheCliente(); });

    onLeave(NM_CLIENTE, [this] { saiCliente(); });
    onLeave(vl_taxa, [this] { saiTaxa(); });
    onLeave(Text1, [this] { saiLeitora(); });
    onLeave(cd_documento, [this] { saiDocumento(); });
    onLeave(cd_conta, [this] { saiConta(); });
    onLeave(vl_cheque, [this] { saiValor(); });
    onLeave(dt_deposito, [this] { saiVencimento(); });

    for (QWidget* campo : std::initializer_list<QWidget*>{
             CD_TROCA, NM_CLIENTE, vl_taxa, cd_documento, NM_EMITENTE, dt_deposito, vl_cheque,
             cd_banco, cd_agencia, cd_conta, NR_CHEQUE}) {
        enterActsAsTab(campo);
    }

    // The reader ends its line with ":" (or Enter); a line holding every position of the key is
    // complete too, and the ":" that may still follow it is not typed into the next field.
    onKeyPress(Text1, [this](QKeyEvent* key) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            moveFocusOn(Text1);
            return true;
        }
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint() ||
            (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
            return false;  // backspace, arrows, shortcuts and the other editing keys
        }
        Text1->insert(text);
        if (text == QLatin1String(":")) {
            moveFocusOn(Text1);
        } else if (Text1->text().size() >= kLinhaLeitoraCompleta) {
            estado_->esperaTerminador = true;
            moveFocusOn(Text1);
        }
        return true;
    });
    onEnter(Text1, [this] { estado_->esperaTerminador = false; });
    for (QLineEdit* depoisDaLinha : {cd_documento, dt_deposito}) {
        onKeyPress(depoisDaLinha, [this](QKeyEvent* key) {
            if (!estado_->esperaTerminador || key->text().isEmpty()) {
                return false;
            }
            estado_->esperaTerminador = false;
            return key->text() == QLatin1String(":");
        });
    }
    // The value takes digits, "+", ",", ".", blank and the editing keys only.
    onKeyPress(vl_cheque, [](QKeyEvent* key) {
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint()) {
            return false;  // backspace, Enter, Escape, arrows and other editing keys
        }
        return !teclaAceitaNoValor(text.at(0));
    });
}

void FTROCA::abreDados() {
    step([this] {
        estado_->conexao = std::make_unique<Connection>(
            context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    });
    if (!estado_->conexao) {
        return;
    }
    const QSqlDatabase db = estado_->conexao->db();
    step([&] { estado_->cheques = std::make_unique<ChequeStore>(db); });
    step([&] { estado_->feriados = std::make_unique<DatabaseHolidays>(db); });
    leParametros();
    step([this] { carregaClientes(); });
    formataGridTroca(*gridModel_);
    // Before an exchange is started the grid shows no cheques.
    step([this] { mostraTroca(QString()); });
}

bool FTROCA::leParametros() {
    estado_->parametrosLidos =
        step([this] { estado_->parametros = carregaParametros(estado_->conexao->db()); });
    return estado_->parametrosLidos;
}

bool FTROCA::dadosAbertos() const {
    return estado_->cheques != nullptr && estado_->feriados != nullptr;
}

// Opening failed (the database is missing or unreadable): nothing that needs it is offered.
void FTROCA::desabilitaDados() {
    for (QGroupBox* grupo : findChildren<QGroupBox*>()) {
        if (!grupo->isAncestorOf(SAIR)) {
            grupo->setEnabled(false);
        }
    }
    for (QPushButton* comando : {INCLUIR, Command2, cancelacheque, Command5, Command1, Command6}) {
        comando->setEnabled(false);
    }
    SAIR->setFocus();
}

void FTROCA::carregaClientes() {
    const QString texto = NM_CLIENTE->currentText();
    NM_CLIENTE->clear();
    QSqlQuery clientes =
        runSql(estado_->conexao->db(), QStringLiteral("SELECT NM_CLIENTE, CD_CLIENTE FROM CLIENTES "
                                                      "ORDER BY NM_CLIENTE"));
    while (clientes.next()) {
        NM_CLIENTE->addItem(clientes.value(0).toString(), clientes.value(1));
    }
    NM_CLIENTE->setCurrentIndex(-1);
    NM_CLIENTE->setEditText(texto);
}

QString FTROCA::codigoCliente() const {
    const QString texto = NM_CLIENTE->currentText();
    int indice = NM_CLIENTE->currentIndex();
    if (indice < 0 || NM_CLIENTE->itemText(indice) != texto) {
        indice = NM_CLIENTE->findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    if (indice < 0) {
        // A typed name matches whatever its letter case (sameName's rule), accents included.
        indice = NM_CLIENTE->findText(texto.trimmed(), Qt::MatchFixedString);
    }
    return indice < 0 ? QString() : NM_CLIENTE->itemData(indice).toString();
}

QString FTROCA::numeroTroca() const {
    return numeroTrocaDigitado(CD_TROCA->text());
}

void FTROCA::mostraTroca(const QString& numero) {
    mostraGridTroca(estado_->conexao->db(), *gridModel_, DBGrid1, numero);
}

void FTROCA::pintaRecompra(double divida) {
    QPalette cores = RECOMPRA->palette();
    const bool deve = divida > 0;
    cores.setColor(QPalette::Window, deve ? Qt::red : Qt::green);
    cores.setColor(QPalette::WindowText, deve ? Qt::white : Qt::black);
    RECOMPRA->setPalette(cores);
    RECOMPRA->setText(deve ? formatNumber(divida) : QStringLiteral("RECOMPRA"));
}

void FTROCA::mostraTotais() {
    // Money as the grid shows it.
    auto dinheiro = [](double valor) { return formatValue(valor, ColumnFormat::Money); };
    const TotaisTroca& totais = estado_->totais;
    VL_TARIFA->setText(dinheiro(totais.vl_tarifa));
    NR_CHEQUES->setText(QString::number(totais.nr_cheques));
    VL_BRUTO->setText(dinheiro(totais.vl_bruto));
    VL_JUROS->setText(dinheiro(totais.vl_juros));
    vl_debitos->setText(dinheiro(totais.vl_debitos));
    LIQUIDO->setText(dinheiro(totais.liquido));
}

// The totals as the exchange's stored rows give them; the debits stay those of the exchange.
void FTROCA::recalculaTotais() {
    const QString numero = numeroTroca();
    const double debitos = estado_->totais.vl_debitos;
    if (numero.isEmpty()) {
        estado_->totais = TotaisTroca{};
        estado_->totais.vl_debitos = debitos;
    } else {
        step([&] {
            estado_->totais = TotaisTroca::dasLinhas(estado_->cheques->linhasDaTroca(numero),
                                                     estado_->parametros, debitos);
        });
    }
    mostraTotais();
}

void FTROCA::limpaTela() {
    for (QLineEdit* campo : {CD_TROCA, vl_taxa, VL_DEVOLVIDOS, NR_CHEQUE, Text1}) {
        campo->clear();
    }
    NM_CLIENTE->setCurrentIndex(-1);
    NM_CLIENTE->setEditText(QString());
    estado_->clienteCarregado.clear();
    limpaEntrada();
    chave->clear();
    estado_->totais = TotaisTroca{};
    mostraTotais();
    NM_CLIENTE->setFocus();
}

void FTROCA::limpaEntrada() {
    for (QLineEdit* campo :
         {cd_documento, vl_cheque, cd_banco, cd_agencia, cd_conta, NM_EMITENTE}) {
        campo->clear();
    }
    recolocaMascara();
    for (QLineEdit* zero : {vl_acumulado, VL_BAIXADO, VL_ABERTO})
        zero->setText(QStringLiteral("0"));
    // Nothing checked yet for the next cheque.
    estado_->temDocumentoConferido = false;
    estado_->documentoConferido.clear();
    estado_->emitenteDoHistorico.clear();
    estado_->vencimentoConferido.clear();
    estado_->valorConferido.clear();
    estado_->linhaLida = LinhaLeitora{};
}

// The screen as it was before "&NOVO": no exchange, nothing to add or remove.
void FTROCA::voltaAoInicio() {
    limpaTela();
    estado_->numeroProposto.clear();
    pintaRecompra(0);
    VL_LIMITE->setText(QStringLiteral("0"));
    Command2->setEnabled(false);
    cancelacheque->setEnabled(false);
    step([this] { mostraTroca(QString()); });
    INCLUIR->setFocus();
}

void FTROCA::recolocaMascara() {
    dt_deposito->setInputMask(QString());
    dt_deposito->clear();
    dt_deposito->setInputMask(kMascaraData);
}

// ---------------------------------------------------------------------------------------------
// "&NOVO" and the client

void FTROCA::novo() {
    if (!dadosAbertos()) {
        return;
    }
    markLocation();
    // Without the parameters every fee would be computed as switched off.
    if (!estado_->parametrosLidos && !leParametros()) {
        avisa(
            QStringLiteral("OS PARÂMETROS NÃO PUDERAM SER LIDOS. A TROCA NÃO PODE "
                           "SER INICIADA."));
        return;
    }
    pintaRecompra(0);
    VL_LIMITE->setText(QStringLiteral("0"));
    registraLog(QStringLiteral("INICIA UMA NOVA TROCA PARA O CLIENTE"), NM_CLIENTE->currentText());
    cancelacheque->setEnabled(true);
    Command2->setEnabled(true);
    QString numero;
    step([&] {
        const ProximaTroca proxima = estado_->cheques->proximaTroca();
        numero = proxima.cd_troca;
        if (proxima.primeiraTroca) {
            avisa(
                QStringLiteral("DEFINIR OS VALORES DAS TAXAS NO MÓDULO PARÂMETROS ANTES DE "
                               "INICIAR ! CASO JA TENHA FEITO DESCONSIDERAR ESSE AVISO"));
        }
    });
    limpaTela();
    CD_TROCA->setText(numero);
    dt_troca->setDate(context().clock->today());
    step([&] { mostraTroca(numero); });
    NM_CLIENTE->setFocus();
    // Only proposed: the first cheque written confirms it.
    estado_->numeroProposto = numero;
    estado_->totais = TotaisTroca::inicio(estado_->parametros);
    mostraTotais();
}

// Choosing the client already loaded again keeps its debits: they may be a repurchase debt
// settled into this exchange, which the register's figure would replace.
void FTROCA::escolheCliente() {
    const QString codigo = codigoCliente();
    if (codigo != estado_->clienteCarregado) {
        carregaCliente(codigo);
    }
}

// The client's rate, debits and limit; another client's repurchase debt is no longer shown.
void FTROCA::carregaCliente(const QString& codigo) {
    std::optional<Row> cliente;
    step([&] {
        cliente = fetchRow(estado_->conexao->db(),
                           QStringLiteral("SELECT * FROM CLIENTES WHERE CD_CLIENTE = ? LIMIT 1"),
                           {codigo});
    });
    if (!cliente) {
        return;
    }
    estado_->clienteCarregado = codigo;
    pintaRecompra(0);
    const QVariant devolvidos = cliente->value(QStringLiteral("VL_DEVOLVIDOS"));
    VL_DEVOLVIDOS->setText(devolvidos.isNull() ? QString() : formatNumber(devolvidos.toDouble()));
    estado_->totais.vl_debitos = devolvidos.toDouble();
    recalculaTotais();
    VL_LIMITE->setText(formatMoney(cliente->value(QStringLiteral("VL_LIMITE")).toDouble()));
    const QVariant taxa = cliente->value(QStringLiteral("VL_TAXA"));
    vl_taxa->setText(taxa.isNull() ? QString() : formatNumber(taxa.toDouble()));
}

// Leaving for a command (a button, the grid) is not going on with the exchange's data.
bool FTROCA::saindoParaUmCampo() const {
    QWidget* destino = QApplication::focusWidget();
    return qobject_cast<QLineEdit*>(destino) != nullptr ||
           qobject_cast<QAbstractSpinBox*>(destino) != nullptr ||
           qobject_cast<QComboBox*>(destino) != nullptr;
}

void FTROCA::saiCliente() {
    if (!dadosAbertos()) {
        return;
    }
    const QString codigo = codigoCliente();
    if (codigo.isEmpty()) {
        if (saindoParaUmCampo()) {
            avisa(QStringLiteral("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE"));
        }
        return;
    }
    // A typed name shows as the client's own and loads the client.
    const int indice = NM_CLIENTE->findData(codigo);
    if (indice >= 0 && NM_CLIENTE->currentIndex() != indice) {
        NM_CLIENTE->setCurrentIndex(indice);
    }
    if (codigo != estado_->clienteCarregado) {
        carregaCliente(codigo);
    }
    double divida = 0;
    step([&] {
        divida = atualizaRecompra(estado_->conexao->db(), codigo, context().clock->today());
    });
    if (divida > 0) {
        pintaRecompra(divida);
    }
}

void FTROCA::saiTaxa() {
    if (!saindoParaUmCampo()) {
        return;  // a command checks the rate itself where it needs one
    }
    const std::optional<double> taxa = parseNumber(vl_taxa->text(), NumberKind::Rate);
    if (!estado_->parametros.st_jzero && taxa.value_or(0) == 0) {
        avisa(QStringLiteral("TAXA NÃO PODE ESTAR ZERADA"));
        vl_taxa->setFocus();
    }
    if (CD_TROCA->text().isEmpty() && taxa.value_or(0) > 0) {
        avisa(QStringLiteral("FAVOR CLICAR NO BOTÃO NOVO ANTES DE COMECAR UMA TROCA"));
        CD_TROCA->setFocus();
    }
}

// ---------------------------------------------------------------------------------------------
// Removing, cancelling, printing and the small commands

void FTROCA::cancelaCheque() {
    if (!dadosAbertos()) {
        return;
    }
    markLocation();
    const QModelIndex atual = DBGrid1->currentIndex();
    if (!atual.isValid()) {
        return;  // no cheque chosen: nothing to remove
    }
    const qint64 id = idDaLinhaTroca(*gridModel_, atual.row());
    const QString numero = numeroTroca();
    std::optional<double> valor;
    if (!step([&] {
            valor = estado_->cheques->removeChequeAberto(id, numero, tacFixa(estado_->parametros));
        })) {
        return;
    }
    if (!valor) {
        avisa(QStringLiteral("SÓ PODEM SER EXCLUÍDOS OS CHEQUES EM ABERTO DA TROCA ATUAL"));
        return;
    }
    registraLog(QStringLiteral("EXCLUIDO O CHEQUE: "), *valor);
    step([&] { mostraTroca(numero); });
    recalculaTotais();
    if (estado_->totais.nr_cheques == 0) {
        // An exchange without cheques exists nowhere: its number is only proposed again.
        estado_->numeroProposto = numero;
    }
}

void FTROCA::cancelaTroca() {
    if (!dadosAbertos()) {
        return;
    }
    markLocation();
    const QString digitado = context()
                                 .dialogs
                                 ->input(QStringLiteral("DIGITE A TROCA A SER CANCELADA: "),
                                         QStringLiteral("CANCELAR TROCA."))
                                 .value_or(QString());
    const QString numero = numeroTrocaDigitado(digitado);
    if (numero.isEmpty()) {
        return;  // no exchange named
    }
    step([&] { mostraTroca(numero); });
    if (!context().dialogs->askYesNo(QStringLiteral("Deseja Realmente Excluir essa troca"),
                                     QStringLiteral("CANCELAMENTO DE  TROCAS"))) {
        return;
    }
    // Every cheque of the exchange, whatever its status, all or none.
    const bool excluida = step([&] { estado_->cheques->removeTroca(numero); });
    step([&] { mostraTroca(numero); });
    if (!excluida) {
        return;
    }
    registraLog(QStringLiteral("EXCLUI A TROCA"), digitado);
    if (numero == numeroTroca()) {
        voltaAoInicio();
    }
}

void FTROCA::imprime() {
    markLocation();
    QString numero;
    if (context().dialogs->askYesNo(QStringLiteral("IMPRIMIR ULTIMA TROCA ? "),
                                    QStringLiteral("EMISSÃO DE TROCAS "))) {
        numero = CD_TROCA->text();
    } else {
        numero = context()
                     .dialogs
                     ->input(QStringLiteral("DIGITE O NÚMERO DA TROCA: "),
                             QStringLiteral("EMITIR TROCA SELECIONADA.."))
                     .value_or(QString());
    }
    registraLog(QStringLiteral("IMPRIMIU A TROCA"), numero);
    imprimeRelatorio(context(), formName(), QStringLiteral("troca.rpt"),
                     QStringLiteral("{cheques.cd_troca}= '%1'").arg(numeroTrocaDigitado(numero)));
}

void FTROCA::retiraCheque() {
    if (!dadosAbertos()) {
        return;
    }
    context().screens->openModal(QStringLiteral("falteratroca"), this);
    step([this] { mostraTroca(numeroTroca()); });
    recalculaTotais();
}

void FTROCA::caixa() {
    avisa(QStringLiteral("Não disponível nessa versão !!!"));
}

void FTROCA::avisa(const QString& texto) {
    context().dialogs->inform(texto, {}, DialogIcon::None);
}

void FTROCA::sair() {
    close();
}

void FTROCA::carregaTroca(const TrocaCarregada& troca) {
    if (!dadosAbertos()) {
        return;
    }
    const QString numero = numeroTrocaDigitado(troca.numero);
    CD_TROCA->setText(numero);
    vl_taxa->setText(troca.taxa);
    dt_troca->setDate(troca.data);
    NM_CLIENTE->setCurrentIndex(NM_CLIENTE->findData(troca.cliente));
    estado_->clienteCarregado = troca.cliente;
    step([&] { mostraTroca(numero); });
    estado_->totais.vl_debitos = parseNumber(troca.debitos).value_or(0);
    recalculaTotais();
    estado_->numeroProposto = estado_->totais.nr_cheques == 0 ? numero : QString();
    const bool temTroca = !numero.isEmpty();
    Command2->setEnabled(temTroca);
    cancelacheque->setEnabled(temTroca);
}

bool FTROCA::aceitaDebitosDe(const QString& cliente) const {
    return dadosAbertos() && !numeroTroca().isEmpty() && !cliente.isEmpty() &&
           codigoCliente() == cliente && estado_->clienteCarregado == cliente;
}

bool FTROCA::defineDebitos(const QString& cliente, double debitos) {
    if (!aceitaDebitosDe(cliente)) {
        return false;
    }
    VL_DEVOLVIDOS->setText(formatNumber(debitos));
    estado_->totais.vl_debitos = debitos;
    recalculaTotais();
    pintaRecompra(0);  // the debt is settled: the client owes no repurchase now
    return true;
}

}  // namespace tavrel
