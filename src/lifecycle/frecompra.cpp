#include "lifecycle/frecompra.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "data/connection.h"
#include "data/sql.h"
#include "lifecycle/recompra.h"
#include "lifecycle/recompra_manual.h"
#include "lifecycle/tela_ciclo.h"
#include "reports/print_report.h"
#include "ui/field_events.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

constexpr int kColunaCliente = 0;
constexpr int kColunaSituacao = 4;
const QString kMascaraData = QStringLiteral("00/00/0000;_");
const QString kTitulo = QStringLiteral("CHEQUES DEVOLVIDOS (RECOMPRA)");

QList<GroupingColumn> colunas() {
    return {
        {QStringLiteral("Cliente"), QStringLiteral("CLIENTES.NM_CLIENTE")},
        {QStringLiteral("Depósito"), QStringLiteral("RECOMPRA.DT_DEPOSITO"), ColumnFormat::Date},
        {QStringLiteral("Valor"), QStringLiteral("RECOMPRA.VL_CHEQUE"), ColumnFormat::Currency,
         true},
        {QStringLiteral("Juros"), QStringLiteral("RECOMPRA.VL_JUROS"), ColumnFormat::Currency,
         true},
        {QStringLiteral("Situação"), QStringLiteral("RECOMPRA.CD_STATUS")},
        {QStringLiteral("Troca"), QStringLiteral("RECOMPRA.CD_TROCA")},
        {QStringLiteral("Dt. Troca"), QStringLiteral("RECOMPRA.DT_TROCA"), ColumnFormat::Date},
        {QStringLiteral("Lançamento"), QStringLiteral("RECOMPRA.CD_lancamento")},
    };
}

// Every entry, also those of a client deleted since.
GroupingSource fonte() {
    return {QStringLiteral("RECOMPRA LEFT JOIN CLIENTES ON CLIENTES.CD_CLIENTE = "
                           "RECOMPRA.CD_CLIENTE"),
            {},
            {},
            QStringLiteral("RECOMPRA.id")};
}

QLineEdit* caixa(QWidget* parent, const char* name, const QString& dica) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(dica);
    box->setMaximumWidth(120);
    return box;
}

}  // namespace

FRECOMPRA::FRECOMPRA(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("FRECOMPRA"), parent) {
    constroiTela();
    const QDate hoje = context.clock->today();
    dt_troca->setDate(hoje);
    registraLog(QStringLiteral("ENTROU NO CADASTRO DE CHEQUES DEVOLVIDOS (RECOMPRA):"), hoje);
    step([this] { conexao_ = abreCheques(this->context()); });
    if (!conexao_) {
        return;
    }
    // The interest of every open entry up to today, in one transaction.
    step([&] { atualizaRecompras(conexao_->db(), hoje); });
    step([this] { GridEX1->setSource(*conexao_, fonte()); });
    step([this] { carregaClientes(); });
}

FRECOMPRA::~FRECOMPRA() {
    delete GridEX1;  // its statements end before the connection closes
}

void FRECOMPRA::constroiTela() {
    setWindowTitle(kTitulo);
    auto* layout = new QVBoxLayout(this);

    auto* manual = new QGroupBox(QStringLiteral("Lançamento Manual de Cheques Devolvidos"), this);
    auto* grade = new QGridLayout(manual);
    nm_cliente = new QComboBox(manual);
    nm_cliente->setObjectName(QStringLiteral("nm_cliente"));
    nm_cliente->setEditable(true);
    nm_cliente->setInsertPolicy(QComboBox::NoInsert);
    nm_cliente->completer()->setCompletionMode(QCompleter::PopupCompletion);
    nm_cliente->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    nm_cliente->setToolTip(QStringLiteral("Escolha o cliente"));
    nm_cliente->setMinimumWidth(280);
    dt_deposito = caixa(manual, "dt_deposito",
                        QStringLiteral("Preencha com data que o cheque foi devolvido ou data do "
                                       "depósito do mesmo"));
    dt_deposito->setInputMask(kMascaraData);
    vl_taxa = caixa(manual, "vl_taxa",
                    QStringLiteral("Digite a taxa a ser cobrada ate a recompra do mesmo"));
    vl_cheque = caixa(manual, "vl_cheque", QStringLiteral("Digite o valor do cheque"));
    vl_cheque->setText(QStringLiteral("0"));
    dt_troca = new QDateEdit(manual);
    dt_troca->setObjectName(QStringLiteral("dt_troca"));
    dt_troca->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dt_troca->setCalendarPopup(true);
    dt_troca->setToolTip(
        QStringLiteral("Para mera formalidade digite a data da troca daquele cheque"));
    const std::pair<const char*, QWidget*> campos[] = {{"Cliente...:", nm_cliente},
                                                       {"Depósito.:", dt_deposito},
                                                       {"Taxa......:", vl_taxa},
                                                       {"Valor.......:", vl_cheque},
                                                       {"Troca......:", dt_troca}};
    int linha = 0;
    for (const auto& [rotulo, campo] : campos) {
        grade->addWidget(new QLabel(QString::fromUtf8(rotulo), manual), linha, 0);
        grade->addWidget(campo, linha, 1, Qt::AlignLeft);
        enterActsAsTab(campo);
        ++linha;
    }
    auto* comandos = new QVBoxLayout;
    CONFIRMA = comando(this, "CONFIRMA", QStringLiteral("&Gravar"));
    EXCLUIR = comando(this, "EXCLUIR", QStringLiteral("&Excluir"));
    Command2 = comando(this, "Command2", QStringLiteral("&Baixar"));
    Command5 = comando(this, "Command5", QStringLiteral("&IMPRIMIR"));
    Command1 = comando(this, "Command1", QStringLiteral("&Sair"));
    for (QPushButton* botao : {CONFIRMA, EXCLUIR, Command2, Command5, Command1})
        comandos->addWidget(botao);
    comandos->addStretch();
    auto* topo = new QHBoxLayout;
    topo->addWidget(manual);
    topo->addLayout(comandos);
    topo->addStretch();
    layout->addLayout(topo);

    GridEX1 = new GroupingGrid(context(), QStringLiteral("GridEX1"), this);
    GridEX1->setColumns(colunas());
    GridEX1->setGrouping({kColunaCliente, kColunaSituacao});
    GridEX1->setRowColor([](const QVariantList& valores) {
        const QString situacao = valores.value(kColunaSituacao).toString();
        if (situacao == QLatin1String("A"))
            return QColor(Qt::red);
        if (situacao == QLatin1String("B"))
            return QColor(Qt::blue);
        return QColor();
    });
    layout->addWidget(GridEX1, 1);

    connect(CONFIRMA, &QPushButton::clicked, this, [this] { grava(); });
    connect(EXCLUIR, &QPushButton::clicked, this, [this] { exclui(); });
    connect(Command2, &QPushButton::clicked, this, [this] { baixa(); });
    connect(Command5, &QPushButton::clicked, this, [this] { imprime(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
    escapeCloses(this);
    resize(1000, 680);
}

void FRECOMPRA::carregaClientes() {
    nm_cliente->clear();
    QSqlQuery clientes =
        runSql(conexao_->db(),
               QStringLiteral("SELECT NM_CLIENTE, CD_CLIENTE FROM CLIENTES ORDER BY NM_CLIENTE"));
    while (clientes.next()) {
        nm_cliente->addItem(clientes.value(0).toString(), clientes.value(1));
    }
    nm_cliente->setCurrentIndex(-1);
}

// The code of the client the box names: its entry, or a name typed whatever its letter case.
QString FRECOMPRA::codigoCliente() const {
    const QString texto = nm_cliente->currentText().trimmed();
    int indice = nm_cliente->currentIndex();
    if (indice < 0 || nm_cliente->itemText(indice) != nm_cliente->currentText()) {
        indice = nm_cliente->findText(texto, Qt::MatchFixedString);
    }
    return indice < 0 ? QString() : nm_cliente->itemData(indice).toString();
}

void FRECOMPRA::limpaCampos() {
    nm_cliente->setCurrentIndex(-1);
    nm_cliente->setEditText(QString());
    vl_cheque->setText(QStringLiteral("0"));
    dt_deposito->setInputMask(QString());
    dt_deposito->clear();
    dt_deposito->setInputMask(kMascaraData);
    dt_troca->setDate(context().clock->today());
}

void FRECOMPRA::grava() {
    if (!conexao_) {
        return;
    }
    markLocation();
    const RecompraDigitada digitada{nm_cliente->currentText(), codigoCliente(),
                                    dt_deposito->text(),       vl_taxa->text(),
                                    vl_cheque->text(),         dt_troca->date()};
    const auto conferida = confereRecompra(digitada);
    if (const QString* erro = std::get_if<QString>(&conferida)) {
        context().dialogs->inform(*erro, kTitulo, DialogIcon::Warning);
        return;  // what was typed stays, to be corrected
    }
    registraLog(QStringLiteral("INCLUIU CHEQUE DEVOLVIDO DO CLIENTE:"), digitada.nomeCliente);
    QString numero;
    if (!step([&] {
            numero = gravaRecompraManual(conexao_->db(), std::get<NovaRecompra>(conferida));
        })) {
        return;
    }
    if (numero.isEmpty()) {
        context().dialogs->inform(
            QStringLiteral("Cliente não cadastrado: escolha o cliente na lista"), kTitulo,
            DialogIcon::Warning);
        step([this] { carregaClientes(); });
        return;
    }
    limpaCampos();
    step([this] { GridEX1->refresh(); });
}

QVariant FRECOMPRA::linhaEscolhida(QString* cliente) {
    const QModelIndex atual = GridEX1->view()->currentIndex();
    const QVariant id = atual.isValid() ? atual.data(GroupingModel::RowKeyRole) : QVariant();
    if (!id.isValid()) {
        context().dialogs->inform(QStringLiteral("Escolha na lista o lançamento."), kTitulo,
                                  DialogIcon::Warning);
        return {};
    }
    if (cliente != nullptr) {
        *cliente = atual.siblingAtColumn(kColunaCliente).data().toString();
    }
    return id;
}

void FRECOMPRA::exclui() {
    if (!conexao_) {
        return;
    }
    markLocation();
    QString cliente;
    const QVariant id = linhaEscolhida(&cliente);
    if (!id.isValid()) {
        return;
    }
    if (!context().dialogs->askYesNo(
            QStringLiteral("Deseja Realmente excluir esse registro? :") + cliente,
            QStringLiteral("EXCLUSÃO"))) {
        return;
    }
    registraLog(QStringLiteral("EXCLUIU CHEQUE DEVOLVIDO DO CLIENTE:"), cliente);
    step(
        [&] { runSql(conexao_->db(), QStringLiteral("DELETE FROM RECOMPRA WHERE id = ?"), {id}); });
    step([this] { GridEX1->refresh(); });
}

void FRECOMPRA::baixa() {
    if (!conexao_) {
        return;
    }
    markLocation();
    const QVariant id = linhaEscolhida();
    if (!id.isValid()) {
        return;
    }
    bool baixou = false;
    if (!step([&] {
            baixou = baixaRecompra(conexao_->db(), id.toLongLong(), context().clock->today());
        })) {
        return;
    }
    if (!baixou) {
        context().dialogs->inform(QStringLiteral("Este lançamento já está baixado."), kTitulo);
    }
    step([this] { GridEX1->refresh(); });
}

void FRECOMPRA::imprime() {
    markLocation();
    imprimeRelatorio(context(), formName(), QStringLiteral("recompra.rpt"), QString());
}

}  // namespace tavrel
