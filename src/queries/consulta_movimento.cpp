#include "queries/consulta_movimento.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "core/money.h"
#include "data/background_query.h"
#include "data/connection.h"
#include "log/error_report.h"
#include "reports/print_report.h"
#include "ui/frm_showfields.h"
#include "ui/grouping_grid.h"
#include "ui/grouping_model.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

QPushButton* comando(QWidget* parent, const char* name, const QString& caption,
                     const QString& tooltip = {}) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tooltip);
    return button;
}

QCheckBox* opcao(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLineEdit* total(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(130);
    return box;
}

const QString kFiltroLayout = QStringLiteral("Lay Out (*.lyt)");

}  // namespace

ConsultaMovimento::ConsultaMovimento(Context& context, ConsultaSpec spec, QWidget* parent)
    : Screen(context, spec.formName, parent), spec_(std::move(spec)) {
    constroiTela();
    abre();
}

ConsultaMovimento::~ConsultaMovimento() {
    // The grid and the background totals read through the connection: they go first.
    delete GridEX1;
    totais_.reset();
}

void ConsultaMovimento::constroiTela() {
    setWindowTitle(spec_.title);
    selecao_ = new QHBoxLayout;
    GridEX1 = new GroupingGrid(context(), QStringLiteral("GridEX1"), this);
    GridEX1->setColumns(spec_.colunas);
    GridEX1->model()->setExtraTotals(somasDosTotais());
    connect(GridEX1->model(), &GroupingModel::totalsChanged, this, [this] {
        const GroupingModel* model = GridEX1->model();
        if (totaisDaGrade_ && model->source().sameRows(fonteTotais_)) {
            totaisDaGrade_ = false;
            mostraTotais(totaisDaLinha(model->extraTotals()));
        }
    });
    GridEX1->setGroupByHint(spec_.dica);
    // Group headers say how much money the group holds and what interest it earned.
    const int valor = GridEX1->columnIndex(QStringLiteral("CHEQUES.VL_CHEQUE"));
    const int juros = GridEX1->columnIndex(QStringLiteral("CHEQUES.VL_JUROS"));
    GridEX1->setGroupCaption([valor, juros](const GroupSummary& grupo) {
        return grupo.caption + QStringLiteral(": ") + grupo.valueText +
               QStringLiteral(" (Total Negociado  = ") + formatMoney(grupo.sum(valor)) +
               QStringLiteral(" Total Juros  = ") + formatMoney(grupo.sum(juros)) +
               QLatin1Char(')');
    });

    auto* totais = new QGroupBox(QStringLiteral("Totais"), this);
    auto* totaisGrid = new QGridLayout(totais);
    aberto = total(totais, "aberto");
    baixado = total(totais, "baixado");
    negociado = total(totais, "negociado");
    peraberto = total(totais, "peraberto");
    perbaixado = total(totais, "perbaixado");
    peraberto->setMaximumWidth(70);
    perbaixado->setMaximumWidth(70);
    totaisGrid->addWidget(new QLabel(QStringLiteral("Aberto:"), totais), 0, 0);
    totaisGrid->addWidget(aberto, 0, 1);
    totaisGrid->addWidget(peraberto, 0, 2);
    totaisGrid->addWidget(new QLabel(QStringLiteral("%"), totais), 0, 3);
    totaisGrid->addWidget(new QLabel(QStringLiteral("Baixado:"), totais), 1, 0);
    totaisGrid->addWidget(baixado, 1, 1);
    totaisGrid->addWidget(perbaixado, 1, 2);
    totaisGrid->addWidget(new QLabel(QStringLiteral("%"), totais), 1, 3);
    totaisGrid->addWidget(new QLabel(QStringLiteral("Negociado:"), totais), 2, 0);
    totaisGrid->addWidget(negociado, 2, 1);

    auto* consultas = new QGroupBox(QStringLiteral("CONSULTAS"), this);
    auto* consultasGrid = new QGridLayout(consultas);
    QPushButton* Command5 = comando(consultas, "Command5", QStringLiteral("Salvar Lay-out"));
    QPushButton* Command6 = comando(consultas, "Command6", QStringLiteral("Ler Lay-out"));
    QPushButton* Command3 =
        comando(consultas, "Command3", QStringLiteral("Agrupar"),
                QStringLiteral("Aqui você agrupa as quebras montadas na grade"));
    QPushButton* Command4 = comando(consultas, "Command4", QStringLiteral("Desagrupar"),
                                    QStringLiteral("Aqui vovê desagrupa as quebras da grade"));
    QPushButton* Command2 = comando(
        consultas, "Command2", QStringLiteral("Escolher Campos"),
        QStringLiteral(
            "Aqui você inclui ou exclui campos da grade para gerar relatórios personalizados"));
    Check1 = opcao(consultas, "Check1", QStringLiteral("Agrupar Paginas"));
    Check1->setToolTip(QStringLiteral("Cada grupo começa uma página"));
    Check2 = opcao(consultas, "Check2", QString());
    Check2->setToolTip(QStringLiteral("Imprime em paisagem"));
    Check3 = opcao(consultas, "Check3", QStringLiteral("Repetir Cabeçalho"));
    Check4 = opcao(consultas, "Check4", QStringLiteral("Imprimir só as Slecionadas"));
    QPushButton* cmdPrint = comando(consultas, "cmdPrint", QStringLiteral("IMPRIMIR"));
    QPushButton* cmdPrintPreview =
        comando(consultas, "cmdPrintPreview", QStringLiteral("VISUALIZAR"));
    consultasGrid->addWidget(Command5, 0, 0);
    consultasGrid->addWidget(Command6, 1, 0);
    consultasGrid->addWidget(Command3, 0, 1);
    consultasGrid->addWidget(Command4, 1, 1);
    consultasGrid->addWidget(Command2, 2, 0, 1, 2);
    consultasGrid->addWidget(Check1, 0, 2);
    consultasGrid->addWidget(Check2, 1, 2);
    consultasGrid->addWidget(Check3, 0, 3);
    consultasGrid->addWidget(Check4, 1, 3);
    consultasGrid->addWidget(cmdPrint, 0, 4);
    consultasGrid->addWidget(cmdPrintPreview, 1, 4);
    QPushButton* Command1 = comando(this, "Command1", QStringLiteral("&Sair"));

    auto* rodape = new QHBoxLayout;
    rodape->addWidget(totais);
    rodape->addWidget(consultas, 1);
    rodape->addWidget(Command1, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selecao_);
    layout->addWidget(GridEX1, 1);
    layout->addLayout(rodape);
    resize(1000, 680);
    keepTextReadable(this);

    connect(Command5, &QPushButton::clicked, this, [this] { salvarLayout(); });
    connect(Command6, &QPushButton::clicked, this, [this] { lerLayout(); });
    connect(Command3, &QPushButton::clicked, this, [this] { agrupar(); });
    connect(Command4, &QPushButton::clicked, this, [this] { desagrupar(); });
    connect(Command2, &QPushButton::clicked, this, [this] { escolherCampos(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { imprimir(); });
    connect(cmdPrintPreview, &QPushButton::clicked, this, [this] { visualizar(); });
    connect(Command1, &QPushButton::clicked, this, [this] { sair(); });
}

void ConsultaMovimento::abre() {
    markLocation();
    registraLog(spec_.entrada);
    if (!spec_.layoutAutomatico.isEmpty() && QFileInfo::exists(caminhoDoLayout())) {
        step([this] { GridEX1->loadLayout(caminhoDoLayout()); });
    }
    step([this] {
        cheques_ = std::make_unique<Connection>(
            context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
        totais_ = std::make_unique<BackgroundQuery>(cheques_->path(), DatabaseKind::Cheques);
        GridEX1->setSource(*cheques_, spec_.fonte);
    });
    CalculaTotais(spec_.fonteTotais);
}

QSqlDatabase ConsultaMovimento::conexao() const {
    if (!cheques_) {
        throw AppError(error_number::kFileNotFound,
                       QStringLiteral("O banco de dados de cheques não está aberto."),
                       QStringLiteral("Banco de dados"));
    }
    return cheques_->db();
}

QString ConsultaMovimento::caminhoDoLayout() const {
    return context().writablePath(spec_.layoutAutomatico);
}

void ConsultaMovimento::mostra(const GroupingSource& fonte) {
    if (cheques_) {
        GridEX1->setSource(*cheques_, fonte);
    }
    // The grid now lists other cheques (a document key) while the frame still waits for the
    // figures it was to bring: the frame reads its own.
    if (totaisDaGrade_ && !fonte.sameRows(fonteTotais_)) {
        totaisDaGrade_ = false;
        leTotais(fonteTotais_);
    }
}

void ConsultaMovimento::CalculaTotais(const GroupingSource& fonte) {
    for (QLineEdit* campo : {aberto, baixado, negociado}) {
        campo->setText(QStringLiteral("0"));
    }
    if (!totais_) {
        return;
    }
    totais_->cancel();
    fonteTotais_ = fonte;
    // Over the cheques the grid lists, the grid's count and totals bring the figures in the same
    // pass over the table: on a million cheques one pass instead of two.
    const GroupingModel* model = GridEX1->model();
    totaisDaGrade_ = model->requestedSource().sameRows(fonte);
    if (totaisDaGrade_ && model->totalsKnown() && model->source().sameRows(fonte)) {
        totaisDaGrade_ = false;
        mostraTotais(totaisDaLinha(model->extraTotals()));
    } else if (!totaisDaGrade_) {
        leTotais(fonte);
    }
}

void ConsultaMovimento::leTotais(const GroupingSource& fonte) {
    const BoundStatement statement = sqlTotais(fonte);
    totais_->start(
        statement.sql, statement.values,
        [this](const QList<QVariantList>& rows) { mostraTotais(totaisDaLinha(rows.value(0))); },
        [this](const AppError& error) { TrataErro(context(), formName(), error); });
}

void ConsultaMovimento::mostraTotais(const Totais& totais) {
    const TextoTotais texto = textoTotais(totais);
    aberto->setText(texto.aberto);
    baixado->setText(texto.baixado);
    negociado->setText(texto.negociado);
    peraberto->setText(texto.peraberto);
    perbaixado->setText(texto.perbaixado);
}

void ConsultaMovimento::salvarLayout() {
    std::optional<QString> path = context().dialogs->saveFile(
        QStringLiteral("Salvar Lay Out"), context().writableFolder, kFiltroLayout);
    if (path && !path->isEmpty()) {
        if (QFileInfo(*path).suffix().isEmpty()) {
            *path += QStringLiteral(".lyt");
        }
        comLayout([&] { GridEX1->saveLayout(*path); });
    }
}

void ConsultaMovimento::lerLayout() {
    const std::optional<QString> path = context().dialogs->openFile(
        QStringLiteral("Salvar Lay Out"), context().writableFolder, kFiltroLayout);
    if (path && !path->isEmpty()) {
        comLayout([&] { GridEX1->loadLayout(*path); });
    }
}

void ConsultaMovimento::comLayout(const std::function<void()>& acao) {
    try {
        acao();
    } catch (const AppError& error) {
        // The failure's own description, as the operator is used to.
        context().dialogs->inform(error.description(), QString::fromUtf8(kSystemTitle),
                                  DialogIcon::Critical);
    }
}

void ConsultaMovimento::agrupar() {
    GridEX1->collapseAll();
}

void ConsultaMovimento::desagrupar() {
    GridEX1->expandAll();
}

void ConsultaMovimento::escolherCampos() {
    frmShowfields::ShowFields(context(), *GridEX1, this);
}

bool ConsultaMovimento::imprimeGrade(ReportOutput output) {
    return step([this, output] {
        GridPrintOptions options;
        options.title = windowTitle();
        options.selectedOnly = Check4->isChecked();
        options.repeatCaptions = Check3->isChecked();
        options.pageBreakPerGroup = Check1->isChecked();
        options.landscape = Check2->isChecked();
        options.printedAt = context().clock->now();
        options.dateInFooterToo = spec_.dataDuasVezes && output == ReportOutput::Preview;
        PrintedReport report;
        report.formName = formName();
        report.output = output;
        report.content = GridEX1->printContent(options);
        presentReport(context(), report);
    });
}

void ConsultaMovimento::imprimir() {
    markLocation();
    registraLog(spec_.impressao);
    imprimeGrade(ReportOutput::Printer);
}

void ConsultaMovimento::visualizar() {
    markLocation();
    registraLog(spec_.visualizacao);
    // The preview takes the screen's place until the screen is opened again from the menu.
    if (imprimeGrade(ReportOutput::Preview)) {
        hide();
    }
}

void ConsultaMovimento::sair() {
    if (!spec_.layoutAutomatico.isEmpty()) {
        step([this] { GridEX1->saveLayout(caminhoDoLayout()); });
    }
    registraLog(spec_.saida);
    close();
}

}  // namespace tavrel
