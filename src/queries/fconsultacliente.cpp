#include "queries/fconsultacliente.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "core/context.h"
#include "queries/fselcliente.h"
#include "ui/named_button.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

ConsultaSpec porCliente() {
    ConsultaSpec spec;
    spec.formName = QStringLiteral("fconsultacliente");
    spec.title = QStringLiteral("Consulta de Movimento pôr Cliente");
    spec.entrada = QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR CLIENTE");
    spec.saida = QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO POR CLIENTE");
    spec.impressao = QStringLiteral("ENTROU NO MODULO DE IMPRESSÃO DE MOVIMENTO POR CLIENTE");
    spec.visualizacao = QStringLiteral("VISUALISOU RELATORIO DE MOVIMENTO POR CLIENTE");
    spec.colunas = colunasPorCliente();
    spec.fonte = fonteCliente();
    spec.fonteTotais = fonteCheques();
    spec.dica = QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço");
    spec.layoutAutomatico = QStringLiteral("clientes.lay");
    spec.dataDuasVezes = true;
    return spec;
}

}  // namespace

fconsultacliente::fconsultacliente(Context& context, QWidget* parent)
    : ConsultaMovimento(context, porCliente(), parent) {
    auto* Command8 = namedButton(this, "Command8", QStringLiteral("Cliente"));
    Command8->setToolTip(QStringLiteral("Click aqui para escolher o cliente"));
    areaDeSelecao()->addWidget(Command8);
    areaDeSelecao()->addStretch();
    connect(Command8, &QPushButton::clicked, this, [this] { escolheCliente(); });
}

void fconsultacliente::escolheCliente() {
    registraLog(QStringLiteral("ENTROU PARA SELECIONAR UM CLIENTE"));
    if (auto* chooser = qobject_cast<fselcliente*>(
            context().screens->open(QStringLiteral("fselcliente"), this))) {
        chooser->setConsulta(this);
    }
}

void fconsultacliente::selecionaCliente(const QString& codigo) {
    mostra(porCliente(fonteCliente(), codigo));
    CalculaTotais(porCliente(fonteCheques(), codigo));
}

}  // namespace tavrel
