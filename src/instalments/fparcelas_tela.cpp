// Building the financing calculator: the plan's inputs, the fees, the first cheque and the
// commands.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "instalments/fparcelas.h"

namespace tavrel {
namespace {

QLineEdit* caixa(QWidget* parent, const char* nome, const char* dica = nullptr) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(nome));
    if (dica != nullptr) {
        box->setToolTip(QString::fromUtf8(dica));
    }
    return box;
}

QCheckBox* marca(QWidget* parent, const char* nome, const char* legenda) {
    auto* box = new QCheckBox(QString::fromUtf8(legenda), parent);
    box->setObjectName(QString::fromLatin1(nome));
    return box;
}

QPushButton* comando(QWidget* parent, const char* nome, const char* legenda) {
    auto* button = new QPushButton(QString::fromUtf8(legenda), parent);
    button->setObjectName(QString::fromLatin1(nome));
    button->setAutoDefault(false);
    return button;
}

void linha(QGridLayout* grid, int row, QWidget* rotulo, QWidget* campo) {
    grid->addWidget(rotulo, row, 0);
    grid->addWidget(campo, row, 1);
}

void linha(QGridLayout* grid, int row, const char* rotulo, QWidget* campo) {
    linha(grid, row, new QLabel(QString::fromUtf8(rotulo)), campo);
}

}  // namespace

void fparcelas::constroiTela() {
    setWindowTitle(QStringLiteral("CÁLCULO DE FINANCIAMENTO"));
    auto* layout = new QVBoxLayout(this);
    auto* topo = new QHBoxLayout;

    // The plan and its result.
    auto* plano = new QGridLayout;
    CREDITO = caixa(this, "CREDITO", "Digite o valor a ser  emprestado");
    JUROS = caixa(this, "JUROS", "Digite o valor de juros da operação");
    PARCELAS = caixa(this, "PARCELAS", "Digite o número de parcelas");
    DT_INICIO = caixa(this, "DT_INICIO",
                      "Caso queira imprimir um comprovante para o cliente digite aqui a data do "
                      "primeiro pagamento. NÃO INLFUI NO CÁLCULO");
    DT_INICIO->setInputMask(QStringLiteral("00/00/0000;_"));
    RESULTADO = caixa(this, "RESULTADO");
    RESULTADO->setReadOnly(true);
    RESULTADO->setFocusPolicy(Qt::NoFocus);
    RESULTADO->setAlignment(Qt::AlignRight);
    QFont destaque = RESULTADO->font();
    destaque.setBold(true);
    destaque.setPointSizeF(destaque.pointSizeF() * 1.5);
    RESULTADO->setFont(destaque);
    for (QLineEdit* numero : {CREDITO, JUROS, PARCELAS}) {
        numero->setAlignment(Qt::AlignRight);
    }
    linha(plano, 0, "VALOR CREDITO", CREDITO);
    linha(plano, 1, "JUROS (%)", JUROS);
    linha(plano, 2, "N. PARCELAS", PARCELAS);
    linha(plano, 3, "DATA INICIAL", DT_INICIO);
    plano->addWidget(RESULTADO, 4, 0, 1, 2);
    plano->setRowStretch(5, 1);
    topo->addLayout(plano);

    // "Taxas Incluídas"
    auto* taxas = new QGroupBox(QStringLiteral("Taxas Incluídas"), this);
    auto* taxasGrid = new QGridLayout(taxas);
    st_cpmf = marca(taxas, "st_cpmf", "Cpmf");
    vl_cpmf = caixa(taxas, "vl_cpmf", "Digite o Valor a ser descontato a titulo de cpmf");
    st_iof = marca(taxas, "st_iof", "Iof");
    vl_iof = caixa(taxas, "vl_iof", "Digite o valor a ser descontado a título de iof");
    st_consulta = marca(taxas, "st_consulta", "Consulta de Cheques");
    vl_consulta = caixa(taxas, "vl_consulta",
                        "Caso deseja repassar a seu cliente a consulta de cheque lance aqui o "
                        "valor unitário cobrado por consulta");
    st_tacper = marca(taxas, "st_tacper", "Tac Percentual");
    vl_tacper = caixa(taxas, "vl_tacper", "Digite o valor do tac em percentual");
    linha(taxasGrid, 0, st_cpmf, vl_cpmf);
    linha(taxasGrid, 1, st_iof, vl_iof);
    linha(taxasGrid, 2, st_consulta, vl_consulta);
    linha(taxasGrid, 3, st_tacper, vl_tacper);
    for (QLineEdit* valor : {vl_cpmf, vl_iof, vl_consulta, vl_tacper}) {
        valor->setAlignment(Qt::AlignRight);
        valor->setMaximumWidth(110);
    }
    topo->addWidget(taxas);

    // "Dados dos Cheques"
    auto* dados = new QGroupBox(QStringLiteral("Dados dos Cheques"), this);
    auto* dadosGrid = new QGridLayout(dados);
    cheque = caixa(dados, "cheque");
    cd_banco = caixa(dados, "cd_banco");
    cd_agencia = caixa(dados, "cd_agencia");
    cd_conta = caixa(dados, "cd_conta");
    cheque->setMaxLength(10);
    cd_banco->setMaxLength(3);
    cd_agencia->setMaxLength(4);
    linha(dadosGrid, 0, "1o Cheque", cheque);
    linha(dadosGrid, 1, "Banco", cd_banco);
    linha(dadosGrid, 2, "Agencia", cd_agencia);
    linha(dadosGrid, 3, "Conta", cd_conta);
    topo->addWidget(dados);
    layout->addLayout(topo);

    auto* comandos = new QHBoxLayout;
    Command1 = comando(this, "Command1", "&CALCULAR");
    Command3 = comando(this, "Command3", "&IMPRIMIR");
    Command4 = comando(this, "Command4", "Gerar Troca");
    Command2 = comando(this, "Command2", "SAIR");
    comandos->addStretch();
    for (QPushButton* botao : {Command1, Command3, Command4, Command2}) {
        comandos->addWidget(botao);
    }
    comandos->addStretch();
    layout->addLayout(comandos);

    // Tab follows the order the operator fills the screen in.
    QWidget* ordem[] = {CREDITO,   JUROS,     PARCELAS, DT_INICIO,   st_cpmf,
                        vl_cpmf,   st_iof,    vl_iof,   st_consulta, vl_consulta,
                        st_tacper, vl_tacper, cheque,   cd_banco,    cd_agencia,
                        cd_conta,  Command1,  Command3, Command4,    Command2};
    for (std::size_t i = 1; i < std::size(ordem); ++i) {
        setTabOrder(ordem[i - 1], ordem[i]);
    }
}

}  // namespace tavrel
