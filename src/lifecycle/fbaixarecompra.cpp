#include "lifecycle/fbaixarecompra.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "data/connection.h"
#include "data/sql.h"
#include "exchange/ftroca.h"
#include "lifecycle/recompra.h"
#include "lifecycle/tela_ciclo.h"
#include "reports/print_report.h"
#include "ui/formatted_query_model.h"
#include "ui/load_all_rows.h"
#include "ui/read_only_grid.h"

namespace tavrel {
namespace {

const char* const kTitulos[] = {"Cliente",  "Depósito", "Valor",     "Juros",
                                "Situação", "Troca",    "Dt. Troca", "Lançamento"};

}  // namespace

fbaixarecompra::fbaixarecompra(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fbaixarecompra"), parent),
      troca_(qobject_cast<FTROCA*>(parent)),
      gridModel_(std::make_unique<FormattedQueryModel>()) {
    constroiTela();
    if (troca_) {
        cliente_ = troca_->codigoCliente();
    }
    registraLog(QStringLiteral("ENTROU NO MÓDULO DE BAIXA DA RECOMPRA :"), context.clock->today());
    step([this] {
        conexao_ = abreCheques(this->context());
        nomeCliente_ = scalarSql(conexao_->db(),
                                 QStringLiteral("SELECT NM_CLIENTE FROM CLIENTES WHERE "
                                                "CD_CLIENTE = ? LIMIT 1"),
                                 {cliente_})
                           .toString();
        // What is listed is what "&Baixar e Sair" settles: the interest up to today.
        atualizaRecompra(conexao_->db(), cliente_, this->context().clock->today());
    });
    if (conexao_) {
        step([this] { mostraAbertas(); });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { baixaESai(); });
    connect(Command2, &QPushButton::clicked, this, [this] { cancela(); });
    connect(Command3, &QPushButton::clicked, this, [this] { imprime(); });
}

fbaixarecompra::~fbaixarecompra() {
    GridEX1->setModel(nullptr);
    gridModel_.reset();
}

void fbaixarecompra::constroiTela() {
    setWindowTitle(QStringLiteral("Baixa de Pendencias"));
    auto* layout = new QVBoxLayout(this);
    GridEX1 = makeReadOnlyGrid(this, QStringLiteral("GridEX1"), gridModel_.get());
    layout->addWidget(GridEX1, 1);
    totais_ = new QLabel(this);
    totais_->setObjectName(QStringLiteral("totais"));
    totais_->setAlignment(Qt::AlignRight);
    layout->addWidget(totais_);
    auto* comandos = new QHBoxLayout;
    Command1 = comando(this, "Command1", QStringLiteral("&Baixar e Sair"));
    Command2 = comando(this, "Command2", QStringLiteral("Cancelar e Sair"));
    Command3 = comando(this, "Command3", QStringLiteral("Imprimir"));
    comandos->addWidget(Command3);
    comandos->addStretch();
    comandos->addWidget(Command1);
    comandos->addWidget(Command2);
    layout->addLayout(comandos);
    gridModel_->setColumnFormat(1, ColumnFormat::Date);
    gridModel_->setColumnFormat(2, ColumnFormat::Currency);
    gridModel_->setColumnFormat(3, ColumnFormat::Currency);
    gridModel_->setColumnFormat(6, ColumnFormat::Date);
    resize(860, 420);
}

// The client's open entries; those of a client no longer registered still show.
void fbaixarecompra::mostraAbertas() {
    loadAllRows(*gridModel_,
                runSqlForModel(
                    conexao_->db(),
                    QStringLiteral("SELECT CLIENTES.NM_CLIENTE, RECOMPRA.DT_DEPOSITO, "
                                   "RECOMPRA.VL_CHEQUE, RECOMPRA.VL_JUROS, RECOMPRA.CD_STATUS, "
                                   "RECOMPRA.CD_TROCA, RECOMPRA.DT_TROCA, RECOMPRA.CD_lancamento "
                                   "FROM RECOMPRA LEFT JOIN CLIENTES ON CLIENTES.CD_CLIENTE = "
                                   "RECOMPRA.CD_CLIENTE WHERE RECOMPRA.CD_CLIENTE = ? AND "
                                   "RECOMPRA.CD_STATUS = 'A' ORDER BY RECOMPRA.CD_lancamento"),
                    {cliente_}));
    double valor = 0;
    double juros = 0;
    for (int linha = 0; linha < gridModel_->rowCount(); ++linha) {
        valor += gridModel_->data(gridModel_->index(linha, 2), Qt::EditRole).toDouble();
        juros += gridModel_->data(gridModel_->index(linha, 3), Qt::EditRole).toDouble();
    }
    for (int coluna = 0; coluna < 8; ++coluna) {
        gridModel_->setHeaderData(coluna, Qt::Horizontal, QString::fromUtf8(kTitulos[coluna]));
    }
    totais_->setText(
        QStringLiteral("Valor: %1    Juros: %2").arg(formatCurrency(valor), formatCurrency(juros)));
}

void fbaixarecompra::baixaESai() {
    if (!conexao_) {
        return;
    }
    markLocation();
    // Asked of the exchange screen before anything is settled, so a debt is never settled
    // without becoming an exchange's debits.
    if (!troca_ || !troca_->aceitaDebitosDe(cliente_)) {
        context().dialogs->inform(
            QStringLiteral("A TROCA DESTE CLIENTE NÃO ESTÁ MAIS NA TELA DE TROCAS. NADA FOI "
                           "BAIXADO."),
            QStringLiteral("Baixa de Pendencias"), DialogIcon::Warning);
        return;
    }
    registraLog(QStringLiteral("BAIXOU CHEQUES DEVOLVIDOS:"), nomeCliente_);
    double divida = 0;
    if (!step([&] {
            divida = baixaRecomprasCliente(conexao_->db(), cliente_, context().clock->today());
        })) {
        return;
    }
    if (divida == 0) {
        context().dialogs->inform(QStringLiteral("O CLIENTE NÃO TEM RECOMPRAS EM ABERTO."),
                                  QStringLiteral("Baixa de Pendencias"));
        step([this] { mostraAbertas(); });
        return;
    }
    troca_->defineDebitos(cliente_, divida);
    close();
}

void fbaixarecompra::cancela() {
    registraLog(QStringLiteral("SAIU SEM BAIXAR:"), context().clock->today());
    close();
}

void fbaixarecompra::imprime() {
    markLocation();
    registraLog(QStringLiteral("IMPRIMIU RELAÇÃO DE CHEQUES DO CLIENTE :"), nomeCliente_);
    imprimeRelatorio(
        context(), formName(), QStringLiteral("recompra.rpt"),
        QStringLiteral("{recompra.cd_cliente}= '%1'and {recompra.cd_status}='A'").arg(cliente_));
}

}  // namespace tavrel
