#include "lifecycle/fbaixas.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "data/connection.h"
#include "data/sql.h"
#include "lifecycle/cheques_a_baixar.h"
#include "lifecycle/destino_delegate.h"
#include "lifecycle/tela_ciclo.h"
#include "reports/print_report.h"
#include "ui/grouping_grid.h"

namespace tavrel {
namespace {

constexpr int kColunaDeposito = 3;
constexpr int kColunaDestino = 7;

QList<GroupingColumn> colunas() {
    return {
        {QStringLiteral("Cliente"), QString::fromLatin1(kNomeCliente)},
        {QStringLiteral("Troca"), QStringLiteral("CHEQUES.CD_TROCA")},
        {QStringLiteral("Cheque"), QStringLiteral("CHEQUES.VL_CHEQUE"), ColumnFormat::Currency,
         true},
        {QStringLiteral("Deposito"), QStringLiteral("CHEQUES.DT_DEPOSITO"), ColumnFormat::Date},
        {QStringLiteral("Dt. Troca"), QStringLiteral("CHEQUES.DT_TROCA"), ColumnFormat::Date},
        {QStringLiteral("Juros"), QStringLiteral("CHEQUES.VL_JUROS"), ColumnFormat::Currency, true},
        {QStringLiteral("Emitente"), QStringLiteral("CHEQUES.NM_EMITENTE")},
        {QStringLiteral("Destino"), QStringLiteral("CHEQUES.CD_DESTINO")},
    };
}

GroupingSource fonte(const ChequesABaixar& cheques) {
    return {cheques.from, cheques.where, cheques.values, QStringLiteral("CHEQUES.id")};
}

}  // namespace

fbaixas::fbaixas(Context& context, QWidget* parent, bool periodo)
    : Screen(context, periodo ? QStringLiteral("fbaixasperiodo") : QStringLiteral("fbaixas"),
             parent),
      periodo_(periodo) {
    constroiTela();
    registraLog(QStringLiteral("ENTROU NA CONSULTA DE CHEQUES A SEREM BAIXADOS:"),
                context.clock->today());
    step([this] { conexao_ = abreCheques(this->context()); });
    if (!conexao_) {
        return;
    }
    step([this] { carregaClientes(); });
    GridEX1->setEditableColumn(
        kColunaDestino, destino_, [this](const QVariant& id, const QVariant& codigo) {
            if (!mudaDestino(conexao_->db(), id.toLongLong(), codigo.toString())) {
                throw AppError(error_number::kDatabase,
                               QStringLiteral("O destino não foi gravado: "
                                              "cliente ou cheque não "
                                              "encontrado."),
                               QStringLiteral("CHEQUES"));
            }
        });
    if (!periodo_) {
        step([this] {
            GridEX1->setSource(*conexao_, fonte(chequesDoDia(this->context().clock->today())));
        });
    }
}

fbaixas::~fbaixas() {
    delete GridEX1;  // its statements end before the connection closes
}

void fbaixas::constroiTela() {
    setWindowTitle(QStringLiteral("Consulta de Cheques a Serem Baixados"));
    auto* layout = new QVBoxLayout(this);
    if (periodo_) {
        auto* frame = new QGroupBox(QStringLiteral("Período"), this);
        auto* linha = new QHBoxLayout(frame);
        const QDate hoje = context().clock->today();
        inicio = new QDateEdit(hoje, frame);
        inicio->setObjectName(QStringLiteral("inicio"));
        fim = new QDateEdit(hoje, frame);
        fim->setObjectName(QStringLiteral("fim"));
        for (QDateEdit* dia : {inicio, fim}) {
            dia->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
            dia->setCalendarPopup(true);
        }
        Command2 = comando(frame, "Command2", QStringLiteral("Executar"));
        linha->addWidget(new QLabel(QStringLiteral("De:"), frame));
        linha->addWidget(inicio);
        linha->addWidget(new QLabel(QStringLiteral("A"), frame));
        linha->addWidget(fim);
        linha->addWidget(Command2);
        linha->addStretch();
        layout->addWidget(frame);
        connect(Command2, &QPushButton::clicked, this, [this] { executa(); });
    }
    GridEX1 = new GroupingGrid(context(), QStringLiteral("GridEX1"), this);
    GridEX1->setColumns(colunas());
    GridEX1->setGrouping({kColunaDeposito});
    layout->addWidget(GridEX1, 1);
    destino_ = new DestinoDelegate(this);

    auto* comandos = new QHBoxLayout;
    Command1 = comando(this, "Command1", QStringLiteral("Imprimir"));
    SAIR = comando(this, "SAIR", QStringLiteral("&SAIR"));
    comandos->addStretch();
    comandos->addWidget(Command1);
    comandos->addWidget(SAIR);
    layout->addLayout(comandos);
    connect(Command1, &QPushButton::clicked, this, [this] { imprime(); });
    // A pending edit of the grid is written as the editor closes, before the screen does.
    connect(SAIR, &QPushButton::clicked, this, [this] { close(); });
    resize(1000, 620);
}

// The clients the "Destino" column offers, by name.
void fbaixas::carregaClientes() {
    QList<QPair<QString, QString>> clientes;
    QSqlQuery query =
        runSql(conexao_->db(),
               QStringLiteral("SELECT NM_CLIENTE, CD_CLIENTE FROM CLIENTES ORDER BY NM_CLIENTE"));
    while (query.next()) {
        clientes.append({query.value(0).toString(), query.value(1).toString()});
    }
    destino_->setClientes(std::move(clientes));
}

void fbaixas::executa() {
    if (!conexao_ || !periodo_) {
        return;
    }
    markLocation();
    step([this] {
        GridEX1->setSource(*conexao_, fonte(chequesDoPeriodo(inicio->date(), fim->date())));
    });
}

void fbaixas::imprime() {
    markLocation();
    registraLog(QStringLiteral("IMPRIMIU RELAÇÃO DE CHEQUES A SEREM BAIXADOS :"));
    QString formula;
    if (periodo_) {
        formula = formulaChequesDoPeriodo(inicio->date(), fim->date());
        context().dialogs->inform(formula, {}, DialogIcon::None);
        registraLog(QStringLiteral("IMPRIMIU RELAÇÃO DE CHEQUES A SEREM BAIXADOS :"), formula);
    } else {
        formula = formulaChequesDoDia(context().clock->today());
    }
    imprimeRelatorio(context(), formName(), QStringLiteral("BAIXAS.RPT"), formula);
}

}  // namespace tavrel
