#include "ledger/flancamentos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/row.h"
#include "data/sql.h"
#include "ledger/lancamento.h"
#include "ledger/lancamento_store.h"
#include "ledger/lancamentos_model.h"
#include "ledger/preview_delegate.h"
#include "ui/field_events.h"
#include "ui/read_only_grid.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

const QString kTitulo = QStringLiteral("Manutenção de Lançamentos");
// Every position required: a half-typed date is not acceptable input.
const QString kMascara = QStringLiteral("99/99/9999");
const char* const kIncluirTip = "CLICAR AQUI APOS DIGITAR TODOS OS DADOS  ";
const char* const kAlterarTip =
    "APÓS ESCOLHER O REGISTRO A SER ALTERADO E FAZER AS MODIFICAÇÕES NECESÁRIAS  CLICK AQUI";
const char* const kExcluirTip = "APÓS ESCOLHER O REGISTRO A SER EXCLUIDO CLICK AQUI";

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* comando(QWidget* parent, const char* name, const char* caption, const char* tip) {
    QPushButton* button = named(new QPushButton(QString::fromUtf8(caption), parent), name);
    button->setToolTip(QString::fromUtf8(tip));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* totalBox(QWidget* parent, const char* name) {
    QLineEdit* box = named(new QLineEdit(parent), name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

flancamentos::flancamentos(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("flancamentos"), parent),
      model_(std::make_unique<LancamentosModel>()) {
    constroiTela();
    markLocation();
    step([this] {
        connection_ = std::make_unique<Connection>(
            this->context().dataPath(databaseFileName(DatabaseKind::Caixa)), DatabaseKind::Caixa);
        store_ = std::make_unique<LancamentoStore>(connection_->db());
    });
    step([this] { carregaContas(); });
    step([this] { carregaHistoricos(); });
    limpaCampos();
}

flancamentos::~flancamentos() {
    GridEX1->setModel(nullptr);
    model_.reset();
}

void flancamentos::constroiTela() {
    setWindowTitle(kTitulo);
    auto* layout = new QVBoxLayout(this);

    auto* topo = new QHBoxLayout;
    auto* contas = new QGroupBox(QStringLiteral("Contas "), this);
    auto* contasLayout = new QVBoxLayout(contas);
    cd_conta = named(new QListWidget(contas), "cd_conta");
    contasLayout->addWidget(cd_conta);
    contas->setMaximumWidth(260);
    topo->addWidget(contas);

    GridEX1 = makeReadOnlyGrid(this, QStringLiteral("GridEX1"), model_.get());
    GridEX1->setFocusPolicy(Qt::ClickFocus);
    showAsPreviewLine(GridEX1, LancamentosModel::PlanoContas);
    // Widths from the font, never from the contents (an account may have many thousands of
    // entries); the description takes what is left.
    QHeaderView* colunas = GridEX1->horizontalHeader();
    colunas->setStretchLastSection(false);
    const QFontMetrics medida = GridEX1->fontMetrics();
    const auto largura = [&](const char* amostra) {
        return medida.horizontalAdvance(QString::fromLatin1(amostra)) + 16;
    };
    colunas->resizeSection(LancamentosModel::Data, largura("00/00/00000"));
    colunas->resizeSection(LancamentosModel::Valor, largura("000000000,00"));
    colunas->resizeSection(LancamentosModel::Saldo, largura("-000000000,00"));
    colunas->resizeSection(LancamentosModel::Status, largura("Status"));
    colunas->resizeSection(LancamentosModel::Lancamento, largura("00000000000"));
    colunas->setSectionResizeMode(LancamentosModel::Historico, QHeaderView::Stretch);
    topo->addWidget(GridEX1, 1);
    layout->addLayout(topo, 1);

    auto* campos = new QGridLayout;
    cd_lancamento = named(new QLineEdit(this), "cd_lancamento");
    cd_lancamento->setReadOnly(true);
    cd_lancamento->setFocusPolicy(Qt::NoFocus);
    const QFontMetrics medidaCampo = fontMetrics();
    cd_lancamento->setMinimumWidth(medidaCampo.horizontalAdvance(QStringLiteral("00000000000")) +
                                   12);
    DS_CONTA = named(new QComboBox(this), "DS_CONTA");
    DS_CONTA->setMinimumWidth(240);
    DS_complemento = named(new QLineEdit(this), "DS_complemento");
    VL_LANCAMENTO = named(new QLineEdit(this), "VL_LANCAMENTO");
    VL_LANCAMENTO->setAlignment(Qt::AlignRight);
    VL_LANCAMENTO->setMinimumWidth(medidaCampo.horizontalAdvance(QStringLiteral("000.000.000,00")));
    dt_lancamento = named(new QLineEdit(this), "dt_lancamento");
    dt_lancamento->setInputMask(kMascara);
    dt_lancamento->setMinimumWidth(medidaCampo.horizontalAdvance(QStringLiteral("00/00/00000")) +
                                   12);
    campos->addWidget(cd_lancamento, 0, 0);
    campos->addWidget(new QLabel(QStringLiteral("Histórico.:"), this), 0, 1);
    campos->addWidget(DS_CONTA, 0, 2, 1, 3);
    campos->addWidget(new QLabel(QStringLiteral("Valor.:"), this), 1, 1);
    campos->addWidget(VL_LANCAMENTO, 1, 2);
    campos->addWidget(new QLabel(QStringLiteral("Data.:"), this), 1, 3);
    campos->addWidget(dt_lancamento, 1, 4);
    campos->addWidget(new QLabel(QStringLiteral("Obs.:"), this), 2, 1);
    campos->addWidget(DS_complemento, 2, 2, 1, 3);
    campos->setColumnStretch(2, 1);

    auto* posicao = new QGroupBox(QStringLiteral("Posição"), this);
    auto* posicaoLayout = new QGridLayout(posicao);
    creditos = totalBox(posicao, "creditos");
    debitos = totalBox(posicao, "debitos");
    saldo = totalBox(posicao, "saldo");
    posicaoLayout->addWidget(new QLabel(QStringLiteral("Créditos"), posicao), 0, 0);
    posicaoLayout->addWidget(creditos, 1, 0);
    posicaoLayout->addWidget(new QLabel(QStringLiteral("Débitos"), posicao), 0, 1);
    posicaoLayout->addWidget(debitos, 1, 1);
    posicaoLayout->addWidget(new QLabel(QStringLiteral("Saldo"), posicao), 0, 2);
    posicaoLayout->addWidget(saldo, 1, 2);

    auto* meio = new QHBoxLayout;
    meio->addLayout(campos, 1);
    meio->addWidget(posicao);
    layout->addLayout(meio);

    auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
    auto* botoes = new QHBoxLayout(opcoes);
    CONFIRMA = comando(opcoes, "CONFIRMA", "&Incluir", kIncluirTip);
    alterar_ = comando(opcoes, "alterar", "&Alterar", kAlterarTip);
    EXCLUIR = comando(opcoes, "EXCLUIR", "&Excluir", kExcluirTip);
    Command2 = comando(opcoes, "Command2", "&Limpa Campos", kIncluirTip);
    Command1 = comando(opcoes, "Command1", "&Sair", "");
    for (QPushButton* botao : {CONFIRMA, alterar_, EXCLUIR, Command2, Command1}) {
        botoes->addWidget(botao);
    }
    layout->addWidget(opcoes);

    connect(CONFIRMA, &QPushButton::clicked, this, [this] { incluir(); });
    connect(alterar_, &QPushButton::clicked, this, [this] { alterar(); });
    connect(EXCLUIR, &QPushButton::clicked, this, [this] { excluir(); });
    connect(Command2, &QPushButton::clicked, this, [this] { limpaCampos(); });
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(cd_conta, &QListWidget::currentRowChanged, this, [this] { escolheConta(); });
    connect(GridEX1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    escolheLinha(current.row());
            });
    connect(GridEX1, &QTableView::clicked, this, [this](const QModelIndex& index) {
        // A click on the line already current after the fields were cleared shows it again.
        if (index.isValid() && cd_lancamento->text().isEmpty())
            escolheLinha(index.row());
    });

    setTabOrder(cd_conta, DS_CONTA);
    setTabOrder(DS_CONTA, VL_LANCAMENTO);
    setTabOrder(VL_LANCAMENTO, dt_lancamento);
    setTabOrder(dt_lancamento, DS_complemento);
    setTabOrder(DS_complemento, CONFIRMA);
    escapeCloses(this);
    keepTextReadable(this);
    resize(1000, 640);
}

// ---------------------------------------------------------------------------------------------
// Lists

void flancamentos::carregaContas() {
    cd_conta->clear();
    QSqlQuery query =
        runSql(connection_->db(), QStringLiteral("SELECT DS_CONTA, CD_CONTA FROM CONTAS "
                                                 "ORDER BY DS_CONTA"));
    while (query.next()) {
        auto* item = new QListWidgetItem(query.value(0).toString(), cd_conta);
        item->setData(Qt::UserRole, query.value(1));
    }
}

void flancamentos::carregaHistoricos() {
    const QVariant escolhido = DS_CONTA->currentIndex() < 0 ? QVariant() : DS_CONTA->currentData();
    DS_CONTA->clear();
    QSqlQuery query = runSql(connection_->db(),
                             QStringLiteral("SELECT DS_HISTORICO, CD_HISTORICO FROM HISTORICOS "
                                            "ORDER BY DS_HISTORICO"));
    while (query.next()) {
        DS_CONTA->addItem(query.value(0).toString(), query.value(1));
    }
    DS_CONTA->setCurrentIndex(escolhido.isValid() ? DS_CONTA->findData(escolhido) : -1);
}

QString flancamentos::contaEscolhida() const {
    const QListWidgetItem* item = cd_conta->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

// ---------------------------------------------------------------------------------------------
// Choosing an account and an entry

void flancamentos::escolheConta() {
    markLocation();
    // The boxes no longer show an entry of the chosen account: what is typed stays, as a new
    // entry for it.
    cd_lancamento->clear();
    if (!connection_) {
        return;
    }
    // Descriptions added or deleted on their own screen meanwhile show from here on.
    step([this] { carregaHistoricos(); });
    step([this] { model_->mostraConta(connection_->db(), contaEscolhida()); });
    atualizaPosicao();
}

void flancamentos::atualizaPosicao(std::optional<Posicao> lida) {
    const QString conta = contaEscolhida();
    if (conta.isEmpty() || !store_) {
        for (QLineEdit* box : {creditos, debitos, saldo})
            box->clear();
        return;
    }
    step([&] {
        const Posicao posicao = lida ? *lida : store_->posicao(conta);
        creditos->setText(formatMoney(posicao.creditos));
        debitos->setText(formatMoney(posicao.debitos));
        saldo->setText(formatMoney(posicao.saldo));
    });
}

void flancamentos::atualizaConta(const std::optional<ContaGravada>& gravada) {
    step([this] { model_->recarrega(); });
    // The walk that wrote the balances gave the totals too, unless the command failed.
    atualizaPosicao(gravada ? std::optional<Posicao>(gravada->posicao) : std::nullopt);
}

void flancamentos::escolheLinha(int linha) {
    markLocation();
    const qint64 id = model_->idDaLinha(linha);
    if (id != 0) {
        mostraRegistro(id);
    }
}

void flancamentos::mostraRegistro(qint64 id) {
    markLocation();
    step([&] {
        const std::optional<Row> row = fetchRow(
            connection_->db(), QStringLiteral("SELECT * FROM LANCAMENTOS WHERE id = ?"), {id});
        if (!row) {
            return;
        }
        cd_lancamento->setText(row->text(QStringLiteral("CD_lancamento")));
        DS_CONTA->setCurrentIndex(DS_CONTA->findData(row->value(QStringLiteral("CD_HISTORICO"))));
        DS_complemento->setText(row->text(QStringLiteral("DS_complemento")));
        const QDate dia = fromStorageDate(row->value(QStringLiteral("DT_LANCAMENTO")));
        recolocaMascara();
        if (dia.isValid())
            dt_lancamento->setText(formatDate(dia));
        VL_LANCAMENTO->setText(
            formatNumber(row->value(QStringLiteral("VL_LANCAMENTO")).toDouble()));
    });
}

// ---------------------------------------------------------------------------------------------
// Checks

std::optional<Lancamento> flancamentos::confere() {
    LancamentoDigitado digitado;
    digitado.cd_conta = contaEscolhida();
    digitado.cd_historico =
        DS_CONTA->currentIndex() < 0 ? QString() : DS_CONTA->currentData().toString();
    digitado.ds_complemento = DS_complemento->text();
    digitado.vl_lancamento = VL_LANCAMENTO->text();
    digitado.dt_lancamento =
        dt_lancamento->hasAcceptableInput() ? dt_lancamento->text() : QString();
    const auto conferido = confereLancamento(digitado);
    if (const auto* motivo = std::get_if<LancamentoRecusado>(&conferido)) {
        recusa(*motivo);
        return std::nullopt;
    }
    const Lancamento lancamento = std::get<Lancamento>(conferido);

    // What the lists show may have been deleted on another screen since they were read.
    bool contaExiste = false;
    bool historicoExiste = false;
    if (!store_ || !step([&] {
            contaExiste = store_->contaExiste(lancamento.cd_conta);
            historicoExiste = store_->tipoHistorico(lancamento.cd_historico).has_value();
        })) {
        return std::nullopt;
    }
    using Campo = LancamentoRecusado::Campo;
    if (!contaExiste) {
        recusa({Campo::Conta, QStringLiteral("A conta escolhida não está mais cadastrada.")});
        step([this] { carregaContas(); });
        return std::nullopt;
    }
    if (!historicoExiste) {
        recusa(
            {Campo::Historico, QStringLiteral("O histórico escolhido não está mais cadastrado.")});
        step([this] { carregaHistoricos(); });
        return std::nullopt;
    }
    return lancamento;
}

void flancamentos::recusa(const LancamentoRecusado& motivo) {
    context().dialogs->inform(motivo.mensagem, kTitulo, DialogIcon::Warning);
    using Campo = LancamentoRecusado::Campo;
    switch (motivo.campo) {
        case Campo::Conta:
            break;  // focusing the list would make its first account the chosen one
        case Campo::Historico:
            DS_CONTA->setFocus();
            break;
        case Campo::Valor:
            VL_LANCAMENTO->setFocus();
            VL_LANCAMENTO->selectAll();
            break;
        case Campo::Data:
            dt_lancamento->setFocus();
            break;
    }
}

void flancamentos::recolocaMascara() {
    dt_lancamento->setInputMask(QString());
    dt_lancamento->clear();
    dt_lancamento->setInputMask(kMascara);
}

// ---------------------------------------------------------------------------------------------
// Commands

void flancamentos::incluir() {
    markLocation();
    const std::optional<Lancamento> lancamento = confere();
    if (!lancamento) {
        return;  // the typed fields stay for the operator to correct
    }
    std::optional<ContaGravada> gravada;
    step([&] { gravada = store_->inclui(*lancamento); });
    atualizaConta(gravada);
    if (gravada) {
        limpaCampos();
    }
}

void flancamentos::alterar() {
    markLocation();
    const QString codigo = cd_lancamento->text();
    if (codigo.isEmpty()) {
        context().dialogs->inform(QStringLiteral("Escolha na lista o lançamento a alterar."),
                                  kTitulo, DialogIcon::Warning);
        return;
    }
    const std::optional<Lancamento> lancamento = confere();
    if (!lancamento) {
        return;
    }
    QVariant id;
    if (!step([&] {
            id = scalarSql(connection_->db(),
                           QStringLiteral("SELECT id FROM LANCAMENTOS WHERE CD_lancamento = ? "
                                          "AND CD_CONTA = ?"),
                           {codigo, lancamento->cd_conta});
        })) {
        return;
    }
    if (!id.isValid()) {
        context().dialogs->inform(QStringLiteral("O lançamento %1 não existe mais.").arg(codigo),
                                  kTitulo, DialogIcon::Warning);
        atualizaConta();
        return;
    }
    std::optional<ContaGravada> gravada;
    step([&] { gravada = store_->altera(id.toLongLong(), *lancamento); });
    atualizaConta(gravada);
    if (gravada) {
        limpaCampos();
    }
}

void flancamentos::excluir() {
    markLocation();
    const QString conta = contaEscolhida();
    const QModelIndex atual = GridEX1->currentIndex();
    const qint64 id = atual.isValid() ? model_->idDaLinha(atual.row()) : 0;
    if (conta.isEmpty() || id == 0) {
        context().dialogs->inform(QStringLiteral("Escolha na lista o lançamento a excluir."),
                                  kTitulo, DialogIcon::Warning);
        return;
    }
    const QVariant valor =
        model_->data(model_->index(atual.row(), LancamentosModel::Valor), Qt::EditRole);
    // Ask first, then write: no transaction is open while the question waits.
    const bool sim = context().dialogs->askYesNo(
        QStringLiteral("Deseja Realmente excluir esse registro? :") + regionalText(valor),
        QStringLiteral("EXCLUSÃO"));
    std::optional<ContaGravada> gravada;
    if (sim) {
        step([&] { gravada = store_->exclui(id); });
    } else {
        step([&] { gravada = store_->rebalanceia(conta); });
    }
    atualizaConta(gravada);
    limpaCampos();
}

void flancamentos::limpaCampos() {
    markLocation();
    cd_lancamento->clear();
    DS_CONTA->setCurrentIndex(-1);
    DS_complemento->clear();
    VL_LANCAMENTO->setText(QStringLiteral("0"));
    recolocaMascara();
    DS_CONTA->setFocus();
}

}  // namespace tavrel
