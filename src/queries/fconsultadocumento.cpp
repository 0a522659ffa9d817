#include "queries/fconsultadocumento.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/readable_text.h"

namespace tavrel {
namespace {

ConsultaSpec porDocumento() {
    ConsultaSpec spec;
    spec.formName = QStringLiteral("fconsultadocumento");
    spec.title = QStringLiteral("Consulta de Movimento pôr Documento");
    spec.entrada = QStringLiteral("ENTROU NO MODULO DE CONSULTA DE MOVIMENTO POR PERIODO");
    spec.saida = QStringLiteral("SAIU DO MODULO DE CONSULTA DE MOVIMENTO Pôr Período");
    spec.impressao = QStringLiteral("IMPRIMIU O MOVIMENTO POR PERÍODO");
    spec.visualizacao = QStringLiteral("VISUALISOU MOVIMENTO POR PERÍODO");
    spec.colunas = colunasPorDocumento();
    spec.fonte = fonteCheques();
    spec.fonteTotais = fonteCheques();
    spec.dica = QStringLiteral("Traga a Coluna a ser agrupada para dentro desse espaço.");
    return spec;
}

}  // namespace

fconsultadocumento::fconsultadocumento(Context& context, QWidget* parent)
    : ConsultaMovimento(context, porDocumento(), parent) {
    cd_chave = new QLineEdit(this);
    cd_chave->setObjectName(QStringLiteral("cd_chave"));
    cd_chave->setMinimumWidth(220);
    areaDeSelecao()->addWidget(new QLabel(QStringLiteral("Chave"), this));
    areaDeSelecao()->addWidget(cd_chave);
    auto* grupo = new QButtonGroup(this);
    const QStringList captions = {QStringLiteral("Emitente"),  QStringLiteral("Documento"),
                                  QStringLiteral("Nº Cheque"), QStringLiteral("Banco"),
                                  QStringLiteral("Conta"),     QStringLiteral("Agencia")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* opcao = new QRadioButton(captions[i], this);
        opcao->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        grupo->addButton(opcao, i + 1);
        areaDeSelecao()->addWidget(opcao);
        opcoes_ << opcao;
    }
    areaDeSelecao()->addStretch();
    keepTextReadable(this);
    opcoes_[1]->setChecked(true);  // "Documento": this is the query by document
    connect(cd_chave, &QLineEdit::textChanged, this, [this] { filtra(); });
    connect(grupo, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            filtra();
        }
    });
}

void fconsultadocumento::filtra() {
    for (int i = 0; i < opcoes_.size(); ++i) {
        if (opcoes_[i]->isChecked()) {
            mostra(porChave(fonteCheques(), i + 1, cd_chave->text()));
            return;
        }
    }
    // No option marked: the key names no field, the list stays as it is.
}

}  // namespace tavrel
