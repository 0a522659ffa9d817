// The exchange screen's procedures: starting an exchange, the client, adding and removing
// cheques, cancelling and printing.
#include "exchange/ftroca.h"
#include "exchange/ftroca_estado.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
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

// Columns of the grid "CHEQUES LANCADOS", in order, and the hidden row id last.
const QString kColunasGrid = QStringLiteral(
    "DT_DEPOSITO, VL_CHEQUE, VL_ACUMULADO, VL_JUROS, VL_LIQUIDEZ, NR_SEQUENCIAL, CD_AGENCIA, "
    "CD_BANCO, CD_CONTA, NR_CHEQUE, id");
const char* const kTitulosGrid[] = {"VENCIMENTO", "VALOR", "ACUMULO. CPF", "JUROS", "LIQUIDEZ",
                                    "NEGOCIADO",  "AG.",   "BNC",          "CONTA", "CHEQUE"};
constexpr int kColunaId = 10;

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
            [this] { context().screens->open(QStringLiteral("fbaixarecompra")); });
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

    // The reader ends its line with ":"; a line grown past 30 characters moves on to the
    // document.
    onKeyPress(Text1, [this](QKeyEvent* key) {
        if (Text1->text().size() > 30) {
            cd_documento->setFocus(Qt::TabFocusReason);
            return false;
        }
        if (key->text() == QLatin1String(":")) {
            Text1->insert(QStringLiteral(":"));
            moveFocusOn(Text1);
            return true;
        }
        return false;
    });
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
    step([&] { estado_->parametros = carregaParametros(db); });
    step([this] { carregaClientes(); });
    gridModel_->setColumnFormat(0, ColumnFormat::Date);
    for (int coluna : {1, 2, 3})
        gridModel_->setColumnFormat(coluna, ColumnFormat::Currency);
    gridModel_->setColumnFormat(4, ColumnFormat::Number);
    // Before an exchange is started the grid shows no cheques.
    step([this] { mostraTroca(QString()); });
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
        // A typed name matches whatever its letter case (sameName's rule).
        indice = NM_CLIENTE->findText(texto, Qt::MatchFixedString);
    }
    return indice < 0 ? QString() : NM_CLIENTE->itemData(indice).toString();
}

void FTROCA::mostraTroca(const QString& numero) {
    QSqlQuery cheques = runSqlForModel(
        estado_->conexao->db(),
        QStringLiteral("SELECT %1 FROM CHEQUES WHERE CD_TROCA = ? ORDER BY CD_TROCA, "
                       "DT_DEPOSITO, id")
            .arg(kColunasGrid),
        {numero});
    gridModel_->setQuery(std::move(cheques));
    for (int coluna = 0; coluna < kColunaId; ++coluna) {
        gridModel_->setHeaderData(coluna, Qt::Horizontal, QString::fromUtf8(kTitulosGrid[coluna]));
    }
    DBGrid1->setColumnHidden(kColunaId, true);
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
    const TotaisTroca& totais = estado_->totais;
    VL_TARIFA->setText(formatMoney(totais.vl_tarifa));
    NR_CHEQUES->setText(QString::number(totais.nr_cheques));
    VL_BRUTO->setText(formatMoney(totais.vl_bruto));
    VL_JUROS->setText(formatMoney(totais.vl_juros));
    vl_debitos->setText(formatMoney(totais.vl_debitos));
    LIQUIDO->setText(formatMoney(totais.liquido));
}

void FTROCA::limpaTela() {
    for (QLineEdit* campo : {CD_TROCA, vl_taxa, VL_DEVOLVIDOS, cd_documento, vl_cheque, cd_banco,
                             cd_agencia, cd_conta, NR_CHEQUE}) {
        campo->clear();
    }
    NM_CLIENTE->setCurrentIndex(-1);
    NM_CLIENTE->setEditText(QString());
    recolocaMascara();
    estado_->totais = TotaisTroca{};
    for (QLineEdit* zero : {VL_ABERTO, VL_BAIXADO, vl_acumulado})
        zero->setText(QStringLiteral("0"));
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
}

void FTROCA::recolocaMascara() {
    dt_deposito->setInputMask(QString());
    dt_deposito->clear();
    dt_deposito->setInputMask(kMascaraData);
}

// ---------------------------------------------------------------------------------------------
// "&NOVO" and the client

void FTROCA::novo() {
    markLocation();
    pintaRecompra(0);
    registraLog(QStringLiteral("INICIA UMA NOVA TROCA PARA O CLIENTE"), NM_CLIENTE->currentText());
    cancelacheque->setEnabled(true);
    Command2->setEnabled(true);
    QString numero;
    step([&] {
        const ProximaTroca proxima = estado_->cheques->proximaTroca();
        numero = proxima.cd_troca;
        if (proxima.primeiraTroca) {
            context().dialogs->inform(
                QStringLiteral("DEFINIR OS VALORES DAS TAXAS NO MÓDULO PARÂMETROS ANTES DE "
                               "INICIAR ! CASO JA TENHA FEITO DESCONSIDERAR ESSE AVISO"),
                {}, DialogIcon::None);
        }
    });
    limpaTela();
    CD_TROCA->setText(numero);
    dt_troca->setDate(context().clock->today());
    step([&] { mostraTroca(numero); });
    NM_CLIENTE->setFocus();
    estado_->totais = TotaisTroca::inicio(estado_->parametros);
    mostraTotais();
}

void FTROCA::escolheCliente() {
    const QString codigo = codigoCliente();
    std::optional<Row> cliente;
    step([&] {
        cliente = fetchRow(estado_->conexao->db(),
                           QStringLiteral("SELECT * FROM CLIENTES WHERE CD_CLIENTE = ? LIMIT 1"),
                           {codigo});
    });
    if (!cliente) {
        return;
    }
    const QVariant devolvidos = cliente->value(QStringLiteral("VL_DEVOLVIDOS"));
    VL_DEVOLVIDOS->setText(devolvidos.isNull() ? QString() : formatNumber(devolvidos.toDouble()));
    estado_->totais.vl_debitos = devolvidos.toDouble();
    mostraTotais();
    VL_LIMITE->setText(formatMoney(cliente->value(QStringLiteral("VL_LIMITE")).toDouble()));
    const QVariant taxa = cliente->value(QStringLiteral("VL_TAXA"));
    vl_taxa->setText(taxa.isNull() ? QString() : formatNumber(taxa.toDouble()));
}

void FTROCA::saiCliente() {
    const QString codigo = codigoCliente();
    if (codigo.isEmpty()) {
        context().dialogs->inform(
            QStringLiteral("CLIENTE NAO SELECIONADO! RETORNE AO CAMPO CLIENTE"), {},
            DialogIcon::None);
        return;
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
    const std::optional<double> taxa = parseNumber(vl_taxa->text(), NumberKind::Rate);
    if (!estado_->parametros.st_jzero && taxa.value_or(0) == 0) {
        context().dialogs->inform(QStringLiteral("TAXA NÃO PODE ESTAR ZERADA"), {},
                                  DialogIcon::None);
        vl_taxa->setFocus();
    }
    if (CD_TROCA->text().isEmpty() && taxa.value_or(0) > 0) {
        context().dialogs->inform(
            QStringLiteral("FAVOR CLICAR NO BOTÃO NOVO ANTES DE COMECAR UMA TROCA"), {},
            DialogIcon::None);
        CD_TROCA->setFocus();
    }
}

// ---------------------------------------------------------------------------------------------
// Removing, cancelling, printing and the small commands

void FTROCA::cancelaCheque() {
    const QModelIndex atual = DBGrid1->currentIndex();
    if (!atual.isValid()) {
        return;  // no cheque chosen: nothing to remove
    }
    const qint64 id = gridModel_->data(gridModel_->index(atual.row(), kColunaId)).toLongLong();
    const QVariant valor = gridModel_->data(gridModel_->index(atual.row(), 1), Qt::EditRole);
    registraLog(QStringLiteral("EXCLUIDO O CHEQUE: "), valor);
    step([&] {
        const ValoresCheque removido = estado_->cheques->removeCheque(id);
        estado_->totais.remove(removido, estado_->parametros);
        mostraTotais();
    });
    step([this] { mostraTroca(CD_TROCA->text()); });
}

void FTROCA::cancelaTroca() {
    markLocation();
    const QString digitado = context()
                                 .dialogs
                                 ->input(QStringLiteral("DIGITE A TROCA A SER CANCELADA: "),
                                         QStringLiteral("CANCELAR TROCA."))
                                 .value_or(QString());
    const QString numero = numeroTrocaDigitado(digitado);
    step([&] { mostraTroca(numero); });
    if (!context().dialogs->askYesNo(QStringLiteral("Deseja Realmente Excluir essa troca"),
                                     QStringLiteral("CANCELAMENTO DE  TROCAS"))) {
        return;
    }
    step([&] {
        // Every cheque of the exchange, whatever its status, in one statement.
        runSql(estado_->conexao->db(), QStringLiteral("DELETE FROM CHEQUES WHERE CD_TROCA = ?"),
               {numero});
    });
    step([&] { mostraTroca(numero); });
    registraLog(QStringLiteral("EXCLUI A TROCA"), digitado);
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
    context().screens->openModal(QStringLiteral("falteratroca"), this);
    step([this] { mostraTroca(CD_TROCA->text()); });
}

void FTROCA::caixa() {
    context().dialogs->inform(QStringLiteral("Não disponível nessa versão !!!"), {},
                              DialogIcon::None);
}

void FTROCA::sair() {
    close();
}

void FTROCA::carregaTroca(const TrocaCarregada& troca) {
    CD_TROCA->setText(troca.numero);
    vl_taxa->setText(troca.taxa);
    dt_troca->setDate(troca.data);
    const int indice = NM_CLIENTE->findData(troca.cliente);
    NM_CLIENTE->setCurrentIndex(indice);
    step([&] { mostraTroca(numeroTrocaDigitado(troca.numero)); });
    auto numero = [](const QString& texto) { return parseNumber(texto).value_or(0); };
    estado_->totais.vl_bruto = numero(troca.bruto);
    estado_->totais.vl_juros = numero(troca.juros);
    estado_->totais.vl_debitos = numero(troca.debitos);
    estado_->totais.vl_tarifa = numero(troca.tarifas);
    estado_->totais.liquido = numero(troca.liquido);
    estado_->totais.nr_cheques = static_cast<int>(numero(troca.cheques));
    mostraTotais();
}

}  // namespace tavrel
