#include "instalments/ffinalizatroca.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/sql.h"
#include "ui/client_combo.h"
#include "ui/formatted_query_model.h"
#include "ui/grid_fit.h"
#include "ui/named_button.h"
#include "ui/read_only_grid.h"

namespace tavrel {
namespace {

// The grid's columns, in order, with their captions (as the query's names, so the grid sizes
// its columns once for a new exchange) and formats.
struct ColunaGrid {
    const char* coluna;
    const char* titulo;
    ColumnFormat formato;
};
const ColunaGrid kGrid[] = {
    {"DT_DEPOSITO", "Deposito", ColumnFormat::Date},
    {"VL_CHEQUE", "Valor Cheque", ColumnFormat::Money},
    {"NR_DIAS", "Dias", ColumnFormat::Plain},
    {"VL_TAXA", "Taxa", ColumnFormat::Number},
    {"VL_JUROS", "Juros", ColumnFormat::Money},
    {"VL_IOF", "Iof", ColumnFormat::Money},
    {"VL_CPMF", "Cpmf", ColumnFormat::Money},
    {"VL_CONSULTA", "Consulta", ColumnFormat::Money},
    {"VL_TAC", "Tac", ColumnFormat::Money},
    {"NR_CHEQUE", "Cheque", ColumnFormat::Plain},
};

constexpr int kColunaDias = 2;

// "DT_DEPOSITO AS "Deposito", ..."
QString colunasGrid() {
    QStringList colunas;
    for (const ColunaGrid& c : kGrid) {
        colunas << QStringLiteral("%1 AS \"%2\"")
                       .arg(QLatin1String(c.coluna), QString::fromUtf8(c.titulo));
    }
    return colunas.join(QStringLiteral(", "));
}

}  // namespace

ffinalizatroca::ffinalizatroca(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("ffinalizatroca"), parent),
      gridModel_(std::make_unique<FormattedQueryModel>()) {
    // No close box and no Close in the window menu.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinMaxButtonsHint);
    constroiTela();
    for (int coluna = 0; coluna < static_cast<int>(std::size(kGrid)); ++coluna) {
        gridModel_->setColumnFormat(coluna, kGrid[coluna].formato);
    }
    step([this, &context] {
        conexao_ = std::make_unique<Connection>(
            context.dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    });
    if (conexao_) {
        step([this] { fillClientCombo(NM_CLIENTE, conexao_->db()); });
    }
    Command1->setEnabled(false);  // until there is an exchange to finish
    NM_CLIENTE->setFocus();
}

ffinalizatroca::~ffinalizatroca() {
    GridEX1->setModel(nullptr);
    gridModel_.reset();  // its query ends before the connection closes
}

void ffinalizatroca::constroiTela() {
    setWindowTitle(QStringLiteral("Cálculo de Parcelas"));
    auto* layout = new QVBoxLayout(this);

    auto* dados = new QGroupBox(QStringLiteral("Dados da Troca"), this);
    auto* grid = new QGridLayout(dados);
    CD_TROCA = new QLineEdit(dados);
    CD_TROCA->setObjectName(QStringLiteral("CD_TROCA"));
    vl_taxa = new QLineEdit(dados);
    vl_taxa->setObjectName(QStringLiteral("vl_taxa"));
    for (QLineEdit* mostra : {CD_TROCA, vl_taxa}) {
        mostra->setReadOnly(true);
        mostra->setFocusPolicy(Qt::NoFocus);
        mostra->setMaximumWidth(100);
    }
    dt_troca = new QDateEdit(dados);
    dt_troca->setObjectName(QStringLiteral("dt_troca"));
    dt_troca->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dt_troca->setReadOnly(true);
    dt_troca->setFocusPolicy(Qt::NoFocus);
    dt_troca->setDate(context().clock->today());
    NM_CLIENTE = new QComboBox(dados);
    NM_CLIENTE->setObjectName(QStringLiteral("NM_CLIENTE"));
    setUpClientCombo(NM_CLIENTE);
    NM_CLIENTE->setMinimumWidth(320);
    grid->addWidget(new QLabel(QStringLiteral("TROCA")), 0, 0);
    grid->addWidget(CD_TROCA, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("TAXA")), 0, 2);
    grid->addWidget(vl_taxa, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("DATA")), 0, 4);
    grid->addWidget(dt_troca, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("CLIENTE")), 1, 0);
    grid->addWidget(NM_CLIENTE, 1, 1, 1, 5);
    grid->setColumnStretch(6, 1);
    layout->addWidget(dados);

    GridEX1 = makeReadOnlyGrid(this, QStringLiteral("GridEX1"), gridModel_.get());
    GridEX1->setFocusPolicy(Qt::ClickFocus);
    fitGridToContents(GridEX1);
    // The rows on screen size the columns: a plan's rows differ only in their date, days and
    // cheque number, all of one width down the grid but the days (see mostraCheques).
    GridEX1->horizontalHeader()->setResizeContentsPrecision(0);
    layout->addWidget(GridEX1, 1);

    auto* comandos = new QHBoxLayout;
    Command1 = namedButton(this, "Command1", QStringLiteral("Finalizar Troca"));
    Command2 = namedButton(this, "Command2", QStringLiteral("Cancela Troca"));
    comandos->addStretch();
    for (QPushButton* comando : {Command1, Command2}) {
        comando->setAutoDefault(false);
        comandos->addWidget(comando);
    }
    comandos->addStretch();
    layout->addLayout(comandos);
    connect(Command1, &QPushButton::clicked, this, [this] { finaliza(); });
    connect(Command2, &QPushButton::clicked, this, [this] { cancela(); });
    setTabOrder(NM_CLIENTE, Command1);
    setTabOrder(Command1, Command2);
    resize(760, 420);
}

void ffinalizatroca::mostraTroca(const TrocaDoPlano& troca) {
    troca_ = troca;
    CD_TROCA->setText(troca.cd_troca);
    if (conexao_ && !troca.ids.isEmpty()) {
        step([this] {
            const QVariant taxa = scalarSql(
                conexao_->db(), QStringLiteral("SELECT VL_TAXA FROM CHEQUES WHERE id = ?"),
                {troca_.ids.first()});
            vl_taxa->setText(taxa.isNull() ? QString() : formatNumber(taxa.toDouble()));
        });
    }
    step([this] { mostraCheques(); });
    Command1->setEnabled(conexao_ != nullptr && !troca.ids.isEmpty());
}

void ffinalizatroca::mostraCheques() {
    if (!conexao_) {
        return;
    }
    gridModel_->setQuery(runSqlForModel(
        conexao_->db(),
        QStringLiteral("SELECT %1 FROM CHEQUES WHERE CD_TROCA = ? ORDER BY CD_TROCA, id")
            .arg(colunasGrid()),
        {troca_.cd_troca}));
    // The last cheque has the most days, the widest number: no column is narrower than it.
    const int linhas = gridModel_->rowCount();
    if (linhas > 0) {
        GridEX1->horizontalHeader()->setMinimumSectionSize(
            GridEX1->sizeHintForIndex(gridModel_->index(linhas - 1, kColunaDias)).width());
        GridEX1->resizeColumnsToContents();
    }
}

void ffinalizatroca::finaliza() {
    markLocation();
    if (!conexao_ || troca_.ids.isEmpty()) {
        return;
    }
    if (NM_CLIENTE->currentText().trimmed().isEmpty()) {
        avisa(QStringLiteral("Não posso encerrar a troca sem a escolha do cliente!!"));
        return;
    }
    const QString codigo = chosenClientCode(NM_CLIENTE);
    std::optional<QString> nome;
    if (!codigo.isEmpty() &&
        !step([&] { nome = finalizaTrocaDoPlano(conexao_->db(), troca_, codigo); })) {
        return;  // nothing was written; the exchange can still be finished or cancelled
    }
    if (!nome) {
        avisa(QStringLiteral("Cliente não cadastrado nao posso gravar a troca!!"));
        return;
    }
    step([this] { mostraCheques(); });
    encerra();
}

void ffinalizatroca::cancela() {
    markLocation();
    if (conexao_ && !troca_.ids.isEmpty() &&
        !step([this] { cancelaTrocaDoPlano(conexao_->db(), troca_); })) {
        return;
    }
    encerra();
}

void ffinalizatroca::encerra() {
    encerrada_ = true;
    close();
}

// The window manager's close (Alt+F4) is refused while the exchange waits for a client.
void ffinalizatroca::closeEvent(QCloseEvent* event) {
    if (!aguardaCliente()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void ffinalizatroca::avisa(const QString& texto) {
    context().dialogs->inform(texto, {}, DialogIcon::None);
}

}  // namespace tavrel
