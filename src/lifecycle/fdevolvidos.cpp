#include "lifecycle/fdevolvidos.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/sql.h"
#include "lifecycle/devolucao.h"
#include "lifecycle/tela_ciclo.h"
#include "ui/field_events.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"

namespace tavrel {
namespace {

QList<GroupingColumn> colunas() {
    return {
        {QStringLiteral("DOCUMENTO"), QStringLiteral("CHEQUES.CD_DOCUMENTO")},
        {QStringLiteral("DEPOSITO"), QStringLiteral("CHEQUES.DT_DEPOSITO"), ColumnFormat::Date},
        {QStringLiteral("DIAS"), QStringLiteral("CHEQUES.NR_DIAS"), ColumnFormat::Number},
        {QStringLiteral("VALOR "), QStringLiteral("CHEQUES.VL_CHEQUE"), ColumnFormat::Money},
        {QStringLiteral("TAXA"), QStringLiteral("CHEQUES.VL_TAXA"), ColumnFormat::Number},
        {QStringLiteral("SITUACAO"), QStringLiteral("CHEQUES.CD_STATUS")},
        {QStringLiteral("ALINEA"), QStringLiteral("CHEQUES.CD_ALINEA")},
    };
}

QLineEdit* caixa(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

const QString kTitulo = QStringLiteral("DEVOLUCAO DE CHEQUES");

}  // namespace

FDEVOLVIDOS::FDEVOLVIDOS(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("FDEVOLVIDOS"), parent) {
    constroiTela();
    registraLog(QStringLiteral("ENTROU NO LANCAMENTO DE CHEQUES DEVOLVIDOS:"),
                context.clock->today());
    DT_DEPOSITO->setDate(context.clock->today());
    step([this] { conexao_ = abreCheques(this->context()); });
    if (conexao_) {
        // At first every cheque, a page at a time.
        step([this] {
            DBGrid1->setSource(*conexao_,
                               {QStringLiteral("CHEQUES"), {}, {}, QStringLiteral("CHEQUES.id")});
        });
    }
}

FDEVOLVIDOS::~FDEVOLVIDOS() {
    delete DBGrid1;  // its statements end before the connection closes
}

void FDEVOLVIDOS::constroiTela() {
    setWindowTitle(kTitulo);
    auto* layout = new QVBoxLayout(this);

    auto* selecionar = new QGroupBox(QStringLiteral("SELECIONAR"), this);
    auto* linha = new QHBoxLayout(selecionar);
    DT_DEPOSITO = new QDateEdit(selecionar);
    DT_DEPOSITO->setObjectName(QStringLiteral("DT_DEPOSITO"));
    DT_DEPOSITO->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DT_DEPOSITO->setCalendarPopup(true);
    Command1 = comando(selecionar, "Command1", QStringLiteral("LOCALIZAR"));
    linha->addWidget(new QLabel(QStringLiteral("DATA"), selecionar));
    linha->addWidget(DT_DEPOSITO);
    linha->addWidget(Command1);
    linha->addStretch();
    layout->addWidget(selecionar);

    DBGrid1 = new GroupingGrid(context(), QStringLiteral("DBGrid1"), this);
    DBGrid1->setColumns(colunas());
    layout->addWidget(DBGrid1, 1);

    auto* totais = new QGroupBox(QStringLiteral("TOTAIS"), this);
    auto* grade = new QGridLayout(totais);
    CD_DOCUMENTO = caixa(totais, "CD_DOCUMENTO");
    CD_DOCUMENTO->setReadOnly(true);
    VL_CHEQUE = caixa(totais, "VL_CHEQUE");
    VL_CHEQUE->setReadOnly(true);
    CD_ALINEA = caixa(totais, "CD_ALINEA");
    CD_ALINEA->setToolTip(QStringLiteral("Preencha a alinea que o cheque voltou"));
    CD_ALINEA->setMaximumWidth(80);
    grade->addWidget(new QLabel(QStringLiteral("DOCUMENTO"), totais), 0, 0);
    grade->addWidget(CD_DOCUMENTO, 0, 1);
    grade->addWidget(new QLabel(QStringLiteral("VALOR"), totais), 0, 2);
    grade->addWidget(VL_CHEQUE, 0, 3);
    grade->addWidget(new QLabel(QStringLiteral("ALINEA"), totais), 0, 4);
    grade->addWidget(CD_ALINEA, 0, 5);
    Command2 = comando(totais, "Command2", QStringLiteral("&DEVOLVER"));
    Command3 = comando(totais, "Command3", QStringLiteral("&EXCLUIR"));
    SAIR = comando(totais, "SAIR", QStringLiteral("&SAIR"));
    grade->addWidget(Command2, 0, 6);
    grade->addWidget(Command3, 0, 7);
    grade->addWidget(SAIR, 0, 8);
    layout->addWidget(totais);

    connect(Command1, &QPushButton::clicked, this, [this] { localiza(); });
    connect(Command2, &QPushButton::clicked, this, [this] { devolve(); });
    connect(Command3, &QPushButton::clicked, this, [this] { exclui(); });
    connect(SAIR, &QPushButton::clicked, this, [this] { close(); });
    connect(DBGrid1->view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { mostraChequeAtual(); });
    // A new list (a new source) has no current line yet.
    connect(DBGrid1->model(), &QAbstractItemModel::modelReset, this, [this] { limpaCaixas(); });
    enterActsAsTab(CD_ALINEA);
    resize(900, 600);
}

void FDEVOLVIDOS::limpaCaixas() {
    chequeAtual_.reset();
    for (QLineEdit* box : {CD_DOCUMENTO, VL_CHEQUE, CD_ALINEA})
        box->clear();
}

// The line chosen in the grid becomes the current cheque; a group line chooses none.
void FDEVOLVIDOS::mostraChequeAtual() {
    const QModelIndex atual = DBGrid1->view()->currentIndex();
    const QVariant id = atual.isValid() ? atual.data(GroupingModel::RowKeyRole) : QVariant();
    if (!id.isValid() || !conexao_) {
        limpaCaixas();
        return;
    }
    std::optional<ChequeDevolvivel> cheque;
    step([&] { cheque = leChequeDevolvivel(conexao_->db(), id.toLongLong()); });
    if (!cheque) {
        limpaCaixas();
        return;
    }
    chequeAtual_ = cheque->id;
    CD_ALINEA->setText(cheque->cd_alinea);
    VL_CHEQUE->setText(formatNumber(cheque->vl_cheque));
    CD_DOCUMENTO->setText(cheque->cd_documento);
}

void FDEVOLVIDOS::localiza() {
    if (!conexao_) {
        return;
    }
    markLocation();
    limpaCaixas();
    const QDate dia = DT_DEPOSITO->date();
    registraLog(QStringLiteral("SELECIONOU O DIA DE"), dia);
    step([&] {
        DBGrid1->setSource(*conexao_, {QStringLiteral("CHEQUES"),
                                       QStringLiteral("CHEQUES.DT_DEPOSITO = ?"),
                                       {storageDate(dia)},
                                       QStringLiteral("CHEQUES.id")});
    });
}

bool FDEVOLVIDOS::chequeEscolhido() {
    if (chequeAtual_) {
        return true;
    }
    context().dialogs->inform(QStringLiteral("ESCOLHA NA LISTA O CHEQUE."), kTitulo,
                              DialogIcon::Warning);
    return false;
}

void FDEVOLVIDOS::devolve() {
    if (!conexao_ || !chequeEscolhido()) {
        return;
    }
    markLocation();
    std::optional<ChequeDevolvivel> cheque;
    step([&] { cheque = leChequeDevolvivel(conexao_->db(), *chequeAtual_); });
    if (!cheque) {
        limpaCaixas();
        return;
    }
    if (cheque->jaDevolvido()) {
        context().dialogs->inform(
            QStringLiteral("ESTE CHEQUE JÁ FOI DEVOLVIDO. UMA NOVA DEVOLUÇÃO COBRARIA O "
                           "CLIENTE DUAS VEZES."),
            kTitulo, DialogIcon::Warning);
        return;
    }
    registraLog(QStringLiteral("DEVOLVEU O CHEQUE DO VALOR DE:"), cheque->vl_cheque);
    // Every question first; then the return is written at once.
    Devolucao devolucao;
    devolucao.chequeId = cheque->id;
    devolucao.alinea = CD_ALINEA->text();
    devolucao.negativar =
        context().dialogs->askYesNo(QStringLiteral("Deseja Negativar esse documento"),
                                    QStringLiteral("INCLUIR NA LISTA NEGRA"));
    if (!devolucao.negativar) {
        context().dialogs->inform(QStringLiteral("DOCUMENTO JA NEGATIVADO"), {}, DialogIcon::None);
    } else {
        registraLog(QStringLiteral("INCLUIU CHEQUE NO ARQUIVO DE RECOMPRA:"), cheque->vl_cheque);
        devolucao.lancarRecompra = context().dialogs->askYesNo(
            QStringLiteral("Deseja Lancar este cheque na recompra ?"), QStringLiteral("RECOMPRA"));
    }
    DevolucaoFeita feita;
    if (!step([&] { feita = devolveCheque(conexao_->db(), devolucao); })) {
        return;
    }
    if (feita.resultado == ResultadoDevolucao::JaDevolvido) {
        context().dialogs->inform(QStringLiteral("ESTE CHEQUE JÁ FOI DEVOLVIDO."), kTitulo,
                                  DialogIcon::Warning);
    }
    limpaCaixas();
    step([this] { DBGrid1->refresh(); });
}

void FDEVOLVIDOS::exclui() {
    if (!conexao_ || !chequeEscolhido()) {
        return;
    }
    markLocation();
    const qlonglong id = *chequeAtual_;
    const QString valor = VL_CHEQUE->text();
    if (!context().dialogs->askYesNo(
            QStringLiteral("Deseja Realmente excluir esse registro? :") + valor,
            QStringLiteral("EXCLUSÃO"))) {
        return;
    }
    registraLog(QStringLiteral("EXCLUI CHEQUE :"), valor);
    step([&] { runSql(conexao_->db(), QStringLiteral("DELETE FROM CHEQUES WHERE id = ?"), {id}); });
    limpaCaixas();
    step([this] { DBGrid1->refresh(); });
}

}  // namespace tavrel
