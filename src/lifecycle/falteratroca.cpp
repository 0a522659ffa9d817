#include "lifecycle/falteratroca.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "exchange/cheque_store.h"
#include "exchange/ftroca.h"
#include "exchange/grid_troca.h"
#include "exchange/leitora.h"
#include "exchange/parametros.h"
#include "exchange/totais_troca.h"
#include "lifecycle/tela_ciclo.h"
#include "ui/field_events.h"
#include "ui/formatted_query_model.h"
#include "ui/read_only_grid.h"

namespace tavrel {
namespace {

QLineEdit* caixaSoLeitura(QWidget* parent, const char* name, const QString& texto = {}) {
    auto* box = new QLineEdit(texto, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

falteratroca::falteratroca(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("falteratroca"), parent),
      troca_(qobject_cast<FTROCA*>(parent)),
      gridModel_(std::make_unique<FormattedQueryModel>()) {
    constroiTela();
    formataGridTroca(*gridModel_);
    step([this] {
        conexao_ = abreCheques(this->context());
        cheques_ = std::make_unique<ChequeStore>(conexao_->db());
        tacFixa_ = tacFixa(carregaParametros(conexao_->db()));
    });
    if (conexao_) {
        // At first the grid shows no exchange.
        step([this] { mostraCheques(); });
    }
    connect(Command2, &QPushButton::clicked, this, [this] { buscaTroca(); });
    connect(cancelacheque, &QPushButton::clicked, this, [this] { cancelaCheque(); });
    connect(Command1, &QPushButton::clicked, this, [this] { sair(); });
    enterActsAsTab(cd_troca);
}

falteratroca::~falteratroca() {
    DBGrid1->setModel(nullptr);
    gridModel_.reset();
    cheques_.reset();
}

void falteratroca::constroiTela() {
    setWindowTitle(QStringLiteral("ALTERAÇÃO DE TROCA"));
    auto* layout = new QVBoxLayout(this);

    auto* busca = new QHBoxLayout;
    busca->addWidget(new QLabel(QStringLiteral("Digite o número da troca:"), this));
    cd_troca = new QLineEdit(this);
    cd_troca->setObjectName(QStringLiteral("cd_troca"));
    cd_troca->setMaximumWidth(90);
    busca->addWidget(cd_troca);
    Command2 = comando(this, "Command2", QStringLiteral("Buscar troca"));
    busca->addWidget(Command2);
    busca->addStretch();
    layout->addLayout(busca);

    auto* dados = new QGroupBox(QStringLiteral("Dados da troca"), this);
    auto* grade = new QGridLayout(dados);
    cd_cliente = new QLabel(QStringLiteral("Cliente"), dados);
    cd_cliente->setObjectName(QStringLiteral("cd_cliente"));
    dt_troca = caixaSoLeitura(dados, "dt_troca");
    vl_taxa = caixaSoLeitura(dados, "vl_taxa", QStringLiteral("0"));
    debitos = caixaSoLeitura(dados, "debitos");
    tac = caixaSoLeitura(dados, "tac", QStringLiteral("0"));
    grade->addWidget(cd_cliente, 0, 0, 1, 2);
    grade->addWidget(new QLabel(QStringLiteral("Data.:"), dados), 1, 0);
    grade->addWidget(dt_troca, 1, 1);
    grade->addWidget(new QLabel(QStringLiteral("Taxa.:"), dados), 1, 2);
    grade->addWidget(vl_taxa, 1, 3);
    grade->addWidget(new QLabel(QStringLiteral("Despesas.:"), dados), 2, 0);
    grade->addWidget(debitos, 2, 1);
    grade->addWidget(new QLabel(QStringLiteral("TAC..........:"), dados), 2, 2);
    grade->addWidget(tac, 2, 3);
    layout->addWidget(dados);

    DBGrid1 = makeReadOnlyGrid(this, QStringLiteral("DBGrid1"), gridModel_.get());
    layout->addWidget(DBGrid1, 1);

    auto* comandos = new QHBoxLayout;
    cancelacheque = comando(this, "cancelacheque", QStringLiteral("&CANCELAR CHEQUE"));
    Command1 = comando(this, "Command1", QStringLiteral("&Sair"));
    comandos->addStretch();
    comandos->addWidget(cancelacheque);
    comandos->addWidget(Command1);
    layout->addLayout(comandos);
    resize(1000, 560);
}

void falteratroca::mostraCheques() {
    mostraGridTroca(conexao_->db(), *gridModel_, DBGrid1,
                    carregada_ ? carregada_->cd_troca : QString());
}

void falteratroca::mostraDados() {
    if (!carregada_) {
        cd_cliente->setText(QStringLiteral("Cliente"));
        dt_troca->clear();
        vl_taxa->setText(QStringLiteral("0"));
        debitos->setText(QStringLiteral("0"));
        tac->setText(QStringLiteral("0"));
        return;
    }
    cd_cliente->setText(carregada_->cd_cliente);
    dt_troca->setText(formatDate(carregada_->dt_troca));
    vl_taxa->setText(formatNumber(carregada_->vl_taxa));
    debitos->setText(formatNumber(carregada_->debitos));
    tac->setText(formatNumber(carregada_->tac));
}

void falteratroca::buscaTroca() {
    if (!cheques_) {
        return;
    }
    markLocation();
    const QString numero = numeroTrocaDigitado(cd_troca->text());
    carregada_.reset();
    step([&] {
        if (!numero.isEmpty()) {
            carregada_ = leDadosTroca(conexao_->db(), numero, tacFixa_);
        }
    });
    mostraDados();
    step([this] { mostraCheques(); });
    if (!carregada_) {
        context().dialogs->inform(QStringLiteral("NÃO HÁ CHEQUES COM ESSE NÚMERO DE TROCA"),
                                  QStringLiteral("ALTERAÇÃO DE TROCA"), DialogIcon::Warning);
        return;
    }
    cd_troca->setText(numero);
}

void falteratroca::cancelaCheque() {
    if (!carregada_) {
        return;
    }
    markLocation();
    const QModelIndex atual = DBGrid1->currentIndex();
    if (!atual.isValid()) {
        return;  // no cheque chosen
    }
    const qint64 id = idDaLinhaTroca(*gridModel_, atual.row());
    if (!context().dialogs->askYesNo(QStringLiteral("Deseja Realmente excluir esse registro? :"),
                                     QStringLiteral("EXCLUSÃO"))) {
        return;
    }
    std::optional<double> retirado;
    const bool feito =
        step([&] { retirado = cheques_->removeChequeAberto(id, carregada_->cd_troca, tacFixa_); });
    if (feito && !retirado) {
        context().dialogs->inform(
            QStringLiteral("SÓ PODEM SER RETIRADOS DA TROCA OS CHEQUES EM ABERTO"),
            QStringLiteral("EXCLUSÃO"), DialogIcon::Warning);
    }
    step([this] { mostraCheques(); });
}

void falteratroca::sair() {
    markLocation();
    if (carregada_ && troca_) {
        FTROCA::TrocaCarregada devolvida;
        devolvida.numero = carregada_->cd_troca;
        devolvida.taxa = formatNumber(carregada_->vl_taxa);
        devolvida.data = carregada_->dt_troca;
        devolvida.cliente = carregada_->cd_cliente;
        devolvida.debitos = formatNumber(carregada_->debitos);
        troca_->carregaTroca(devolvida);
    }
    close();
}

}  // namespace tavrel
