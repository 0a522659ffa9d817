#include "queries/fconsultaperiodo.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "core/context.h"
#include "queries/fselperiodo.h"
#include "ui/named_button.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

ConsultaSpec porPeriodo() {
    ConsultaSpec spec;
    spec.formName = QStringLiteral("fconsultaperiodo");
    spec.title = QStringLiteral("Consulta de Movimento pôr Período");
    spec.entrada = QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERIODO");
    spec.saida = QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO Pôr Período");
    spec.impressao = QStringLiteral("IMPRIMIU O MOVIMENTO POR PERÍODO");
    spec.visualizacao = QStringLiteral("VISUALISOU MOVIMENTO POR PERÍODO");
    spec.colunas = colunasPorPeriodo();
    spec.fonte = fonteCheques();
    spec.fonteTotais = fonteCheques();
    spec.dica = QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço.");
    return spec;
}

}  // namespace

fconsultaperiodo::fconsultaperiodo(Context& context, QWidget* parent)
    : ConsultaMovimento(context, porPeriodo(), parent) {
    auto* Command8 = namedButton(this, "Command8", QStringLiteral("Período"));
    Command8->setToolTip(QStringLiteral("Aqui você escolhe o intervalo de cheques que deseja"));
    areaDeSelecao()->addWidget(Command8);
    areaDeSelecao()->addStretch();
    connect(Command8, &QPushButton::clicked, this, [this] { escolhePeriodo(); });
}

void fconsultaperiodo::escolhePeriodo() {
    registraLog(QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERÍODO"));
    if (auto* chooser = qobject_cast<fselperiodo*>(
            context().screens->open(QStringLiteral("fselperiodo"), this))) {
        chooser->setConsulta(this);
    }
}

void fconsultaperiodo::selecionaPeriodo(const QDate& de, const QDate& ate) {
    bool muitos = false;
    step([&] { muitos = periodoComMuitosCheques(conexao(), de, ate); });
    const GroupingSource fonte = porPeriodo(fonteCheques(), de, ate, muitos);
    mostra(fonte);
    CalculaTotais(fonte);
}

}  // namespace tavrel
