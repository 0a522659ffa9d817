// The financing calculator's procedures: calculating, printing the schedule and generating the
// plan's exchange.
#include "instalments/fparcelas.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/money.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "exchange/cheque_store.h"
#include "exchange/parametros.h"
#include "instalments/ffinalizatroca.h"
#include "instalments/plano_store.h"
#include "instalments/troca_do_plano.h"
#include "reports/print_report.h"
#include "ui/field_events.h"
#include "ui/screen_factory.h"
#include "ui/window_placement.h"

namespace tavrel {

fparcelas::fparcelas(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fparcelas"), parent) {
    constroiTela();
    abreDados();
    DT_INICIO->setText(formatDate(context.clock->today()));
    ligaEventos();
    resize(820, 330);
    CREDITO->setFocus();
}

fparcelas::~fparcelas() {
    cheques_.reset();  // its statements end before the connection closes
}

void fparcelas::ligaEventos() {
    connect(Command1, &QPushButton::clicked, this, [this] { calcula(); });
    connect(Command3, &QPushButton::clicked, this, [this] { imprime(); });
    connect(Command4, &QPushButton::clicked, this, [this] { geraTroca(); });
    connect(Command2, &QPushButton::clicked, this, [this] { sair(); });

    // A result belongs to the inputs it was calculated from: changing one empties it, so a
    // print or an exchange never mixes an old result with new inputs.
    for (QLineEdit* entrada : {CREDITO, JUROS, PARCELAS, vl_cpmf, vl_iof, vl_consulta, vl_tacper}) {
        connect(entrada, &QLineEdit::textChanged, this, [this] { esvaziaResultado(); });
    }
    for (QCheckBox* taxa : {st_cpmf, st_iof, st_consulta, st_tacper}) {
        connect(taxa, &QCheckBox::toggled, this, [this] { esvaziaResultado(); });
    }
    for (QWidget* campo : std::initializer_list<QWidget*>{
             CREDITO, JUROS, PARCELAS, DT_INICIO, st_cpmf, vl_cpmf, st_iof, vl_iof, st_consulta,
             vl_consulta, st_tacper, vl_tacper, cheque, cd_banco, cd_agencia, cd_conta}) {
        enterActsAsTab(campo);
    }
}

void fparcelas::abreDados() {
    step([this] {
        conexao_ = std::make_unique<Connection>(
            context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    });
    if (conexao_) {
        step([this] { cheques_ = std::make_unique<ChequeStore>(conexao_->db()); });
        leParametros();
    }
    // Without the database the calculator still calculates; printing and generating need it.
    Command3->setEnabled(cheques_ != nullptr);
    Command4->setEnabled(cheques_ != nullptr);
}

// The fees start as the parameters row has them; changes made here are not saved back.
void fparcelas::leParametros() {
    step([this] {
        const Parametros p = carregaParametros(conexao_->db());
        st_cpmf->setChecked(p.st_cpmf);
        st_iof->setChecked(p.st_iof);
        st_consulta->setChecked(p.st_consulta);
        st_tacper->setChecked(p.st_tacper);
        vl_cpmf->setText(formatNumber(p.vl_cpmf));
        vl_iof->setText(formatNumber(p.vl_iof));
        vl_consulta->setText(formatNumber(p.vl_consulta));
        vl_tacper->setText(formatNumber(p.vl_tacper));
    });
}

void fparcelas::esvaziaResultado() {
    plano_.reset();
    impressao_.reset();
    RESULTADO->clear();
}

TextosParcelas fparcelas::textosParcelas() const {
    TextosParcelas t;
    t.credito = CREDITO->text();
    t.juros = JUROS->text();
    t.parcelas = PARCELAS->text();
    t.st_consulta = st_consulta->isChecked();
    t.vl_consulta = vl_consulta->text();
    t.st_cpmf = st_cpmf->isChecked();
    t.vl_cpmf = vl_cpmf->text();
    t.st_iof = st_iof->isChecked();
    t.vl_iof = vl_iof->text();
    t.st_tacper = st_tacper->isChecked();
    t.vl_tacper = vl_tacper->text();
    return t;
}

void fparcelas::avisa(const QString& texto) {
    context().dialogs->inform(texto, {}, DialogIcon::None);
}

bool fparcelas::temCalculo() {
    if (!plano_) {
        avisa(QStringLiteral("EFETUAR CALCULO PRIMEIRO!!!!!"));
    }
    return plano_.has_value();
}

std::optional<QDate> fparcelas::dataInicial() {
    const std::optional<QDate> lida = parseDate(DT_INICIO->text());
    if (!lida) {
        avisa(QStringLiteral("DATA INICIAL INVÁLIDA! DIGITE A DATA DO PRIMEIRO PAGAMENTO."));
        DT_INICIO->setFocus();
    }
    return lida;
}

// ---------------------------------------------------------------------------------------------
// Commands

void fparcelas::calcula() {
    markLocation();
    registraLog(QStringLiteral("CALCULOU  UMA OPERAÇÃO DE :"), CREDITO->text());
    esvaziaResultado();
    std::variant<Plano, QString> calculado = calculaPlano(textosParcelas());
    if (const QString* problema = std::get_if<QString>(&calculado)) {
        avisa(*problema);
        return;
    }
    plano_ = std::get<Plano>(std::move(calculado));
    RESULTADO->setText(formatCurrency(plano_->calculo.parcela));
}

void fparcelas::imprime() {
    markLocation();
    if (!cheques_ || !temCalculo()) {
        return;
    }
    const std::optional<QDate> inicio = dataInicial();
    if (!inicio) {
        return;
    }
    if (!step([&] { gravaParcelas(conexao_->db(), linhasParcelas(*plano_, *inicio)); })) {
        return;  // the schedule printed before stays as it was
    }
    // The next schedule starts where this one ends.
    const QDate seguinte = inicio->addDays(30LL * plano_->dados.parcelas);
    DT_INICIO->setText(formatDate(seguinte));
    impressao_ = Impressao{*inicio, seguinte};
    registraLog(QStringLiteral("IMPRIMIU A NEGOCIAÇÃO"), QStringLiteral("**"));
    imprimeRelatorio(context(), formName(), QStringLiteral("PARCELAS.rpt"));
}

void fparcelas::geraTroca() {
    markLocation();
    if (!cheques_ || !temCalculo()) {
        return;
    }
    // One exchange at a time waits for its client: a second would leave the first behind.
    if (finalizacao_ && finalizacao_->aguardaCliente()) {
        avisa(QStringLiteral("FINALIZE OU CANCELE A TROCA %1 ANTES DE GERAR OUTRA!")
                  .arg(finalizacao_->troca().cd_troca));
        finalizacao_->raise();
        finalizacao_->activateWindow();
        return;
    }
    const int parcelas = plano_->dados.parcelas;
    const std::variant<PrimeiroCheque, QString> lido = lePrimeiroCheque(
        {cheque->text(), cd_banco->text(), cd_agencia->text(), cd_conta->text()}, parcelas);
    if (const QString* problema = std::get_if<QString>(&lido)) {
        avisa(*problema);
        return;
    }
    const PrimeiroCheque& primeiro = std::get<PrimeiroCheque>(lido);
    const std::optional<QDate> inicio = dataInicial();
    if (!inicio) {
        return;
    }
    // The cheques are deposited on the due dates the client was given: those of the schedule
    // just printed, although printing advanced DATA INICIAL past it.
    const QDate primeiroDeposito =
        impressao_ && impressao_->seguinte == *inicio ? impressao_->inicio : *inicio;

    // The finishing screen exists before anything is written, so no exchange is left without it.
    std::unique_ptr<QWidget> tela(context().screens->create(QStringLiteral("ffinalizatroca")));
    auto* finalizacao = qobject_cast<ffinalizatroca*>(tela.get());
    if (finalizacao == nullptr) {
        return;
    }
    TrocaDoPlano troca;
    if (!step([&] {
            troca = gravaTrocaDoPlano(
                *cheques_,
                chequesDoPlano(*plano_, primeiro, context().clock->today(), primeiroDeposito));
        })) {
        return;  // nothing was written
    }
    impressao_.reset();
    cheque->setText(QString::number(primeiro.numero + parcelas));
    DT_INICIO->setText(formatDate(primeiroDeposito.addDays(30LL * parcelas)));
    // Shown first, then filled: the grid sizes its columns over the rows once, at its real size.
    placeOnScreen(finalizacao);
    tela.release()->show();
    finalizacao->mostraTroca(troca);
    finalizacao_ = finalizacao;
}

void fparcelas::sair() {
    registraLog(QStringLiteral("SAIU DO MÓDULO DE CALCULO DE PARCELAS"), QStringLiteral("**"));
    close();
}

}  // namespace tavrel
