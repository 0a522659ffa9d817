// Building the exchange screen: its groups, controls, grid and commands.
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "exchange/ftroca.h"
#include "ui/clickable_label.h"
#include "ui/client_combo.h"
#include "ui/formatted_query_model.h"
#include "ui/read_only_grid.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
    return named(new QLineEdit(parent), name);
}

// A total or history box: shows a number, the operator does not type in it.
QLineEdit* numberBox(QWidget* parent, const char* name) {
    QLineEdit* box = lineEdit(parent, name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    return named(new QPushButton(QString::fromUtf8(caption), parent), name);
}

void addLabeled(QGridLayout* grid, int row, int column, const char* label, QWidget* field,
                int span = 1) {
    grid->addWidget(new QLabel(QString::fromUtf8(label)), row, column);
    grid->addWidget(field, row, column + 1, 1, span);
}

}  // namespace

void FTROCA::constroiTela() {
    setWindowTitle(QStringLiteral("LANCAMENTOS DE CHEQUES"));
    auto* layout = new QVBoxLayout(this);

    // DADOS DA TROCA
    auto* dados = new QGroupBox(QStringLiteral("DADOS DA TROCA"), this);
    auto* dadosGrid = new QGridLayout(dados);
    NM_CLIENTE = named(new QComboBox(dados), "NM_CLIENTE");
    setUpClientCombo(NM_CLIENTE);
    NM_CLIENTE->setMinimumWidth(280);
    CD_TROCA = lineEdit(dados, "CD_TROCA");
    CD_TROCA->setMaximumWidth(90);
    dt_troca = named(new QDateEdit(dados), "dt_troca");
    dt_troca->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dt_troca->setCalendarPopup(true);
    vl_taxa = lineEdit(dados, "vl_taxa");
    vl_taxa->setMaximumWidth(90);
    VL_LIMITE = named(new QLabel(QStringLiteral("0"), dados), "VL_LIMITE");
    VL_DEVOLVIDOS = lineEdit(dados, "VL_DEVOLVIDOS");
    VL_DEVOLVIDOS->setMaximumWidth(110);
    RECOMPRA = named(new ClickableLabel(QStringLiteral("RECOMPRA"), dados), "RECOMPRA");
    RECOMPRA->setAlignment(Qt::AlignCenter);
    RECOMPRA->setAutoFillBackground(true);
    RECOMPRA->setMinimumWidth(110);
    RECOMPRA->setCursor(Qt::PointingHandCursor);
    Command7 = button(dados, "Command7", "CONSULTAR CLIENTE");
    Command4 = button(dados, "Command4", "NOVO CLIENTE");
    addLabeled(dadosGrid, 0, 0, "CLIENTE", NM_CLIENTE, 3);
    addLabeled(dadosGrid, 0, 4, "TROCA", CD_TROCA);
    addLabeled(dadosGrid, 0, 6, "DATA", dt_troca);
    addLabeled(dadosGrid, 1, 0, "TAXA", vl_taxa);
    addLabeled(dadosGrid, 1, 2, "LIMITE", VL_LIMITE);
    addLabeled(dadosGrid, 1, 4, "DEVOLVIDOS", VL_DEVOLVIDOS);
    dadosGrid->addWidget(RECOMPRA, 1, 6, 1, 2);
    dadosGrid->addWidget(Command7, 0, 8);
    dadosGrid->addWidget(Command4, 1, 8);
    layout->addWidget(dados);

    auto* meio = new QHBoxLayout;
    // LANCAMENTO DE CHEQUES
    auto* lancamento = new QGroupBox(QStringLiteral("LANCAMENTO DE CHEQUES"), this);
    auto* entrada = new QGridLayout(lancamento);
    Text1 = lineEdit(lancamento, "Text1");
    Text1->setPlaceholderText(QStringLiteral("Leitora de cheques"));
    Option2 = named(new QRadioButton(QStringLiteral("DIGITAÇÃO"), lancamento), "Option2");
    Option1 = named(new QRadioButton(QStringLiteral("LEITORA CHEQUES"), lancamento), "Option1");
    cd_documento = lineEdit(lancamento, "cd_documento");
    NM_EMITENTE = lineEdit(lancamento, "NM_EMITENTE");
    dt_deposito = lineEdit(lancamento, "dt_deposito");
    vl_cheque = lineEdit(lancamento, "vl_cheque");
    vl_cheque->setAlignment(Qt::AlignRight);
    cd_banco = lineEdit(lancamento, "cd_banco");
    cd_agencia = lineEdit(lancamento, "cd_agencia");
    cd_conta = lineEdit(lancamento, "cd_conta");
    NR_CHEQUE = lineEdit(lancamento, "NR_CHEQUE");
    vl_acumulado = numberBox(lancamento, "vl_acumulado");
    VL_ABERTO = numberBox(lancamento, "VL_ABERTO");
    VL_BAIXADO = numberBox(lancamento, "VL_BAIXADO");
    chave = named(new QLabel(lancamento), "chave");
    chave->setTextInteractionFlags(Qt::TextSelectableByMouse);
    entrada->addWidget(Text1, 0, 0, 1, 4);
    entrada->addWidget(Option2, 0, 4);
    entrada->addWidget(Option1, 0, 5);
    addLabeled(entrada, 1, 0, "DOCUMENTO", cd_documento);
    addLabeled(entrada, 1, 2, "EMITENTE", NM_EMITENTE, 3);
    addLabeled(entrada, 2, 0, "VENCIMENTO", dt_deposito);
    addLabeled(entrada, 2, 2, "VALOR", vl_cheque);
    addLabeled(entrada, 3, 0, "BANCO", cd_banco);
    addLabeled(entrada, 3, 2, "AGENCIA", cd_agencia);
    addLabeled(entrada, 3, 4, "CONTA", cd_conta);
    addLabeled(entrada, 4, 0, "CHEQUE", NR_CHEQUE);
    addLabeled(entrada, 5, 0, "ACUMULADO", vl_acumulado);
    addLabeled(entrada, 5, 2, "ABERTO", VL_ABERTO);
    addLabeled(entrada, 5, 4, "BAIXADO", VL_BAIXADO);
    entrada->addWidget(chave, 4, 2, 1, 4);
    meio->addWidget(lancamento, 3);

    // TOTAIS
    auto* totais = new QGroupBox(QStringLiteral("TOTAIS"), this);
    auto* totaisGrid = new QGridLayout(totais);
    VL_TARIFA = numberBox(totais, "VL_TARIFA");
    NR_CHEQUES = numberBox(totais, "NR_CHEQUES");
    VL_BRUTO = numberBox(totais, "VL_BRUTO");
    VL_JUROS = numberBox(totais, "VL_JUROS");
    vl_debitos = numberBox(totais, "vl_debitos");
    LIQUIDO = numberBox(totais, "LIQUIDO");
    QFont destaque = LIQUIDO->font();
    destaque.setBold(true);
    LIQUIDO->setFont(destaque);
    addLabeled(totaisGrid, 0, 0, "TARIFAS", VL_TARIFA);
    addLabeled(totaisGrid, 1, 0, "NUMERO", NR_CHEQUES);
    addLabeled(totaisGrid, 2, 0, "BRUTO", VL_BRUTO);
    addLabeled(totaisGrid, 3, 0, "JUROS", VL_JUROS);
    addLabeled(totaisGrid, 4, 0, "DEBITOS", vl_debitos);
    addLabeled(totaisGrid, 5, 0, "LIQUIDO", LIQUIDO);
    meio->addWidget(totais, 1);
    layout->addLayout(meio);

    // CHEQUES LANCADOS
    auto* lancados = new QGroupBox(QStringLiteral("CHEQUES LANCADOS"), this);
    auto* lancadosLayout = new QVBoxLayout(lancados);
    DBGrid1 = makeReadOnlyGrid(lancados, QStringLiteral("DBGrid1"), gridModel_.get());
    // The hidden row id is the last column, so the shown ones share the width.
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    DBGrid1->setFocusPolicy(Qt::ClickFocus);
    lancadosLayout->addWidget(DBGrid1);
    layout->addWidget(lancados, 1);

    // Opções
    auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
    auto* comandos = new QHBoxLayout(opcoes);
    INCLUIR = button(opcoes, "INCLUIR", "&NOVO");
    Command2 = button(opcoes, "Command2", "&ADICIONAR CHEQUE");
    cancelacheque = button(opcoes, "cancelacheque", "&CANCELAR CHEQUE");
    Command5 = button(opcoes, "Command5", "&IMPRIMIR");
    Command1 = button(opcoes, "Command1", "&CANCELAR TROCA");
    Command6 = button(opcoes, "Command6", "&RETIRA CHEQUE");
    Command3 = button(opcoes, "Command3", "&CAIXA");
    SAIR = button(opcoes, "SAIR", "&SAIR");
    for (QPushButton* comando :
         {INCLUIR, Command2, cancelacheque, Command5, Command1, Command6, Command3, SAIR}) {
        comando->setAutoDefault(false);
        comandos->addWidget(comando);
    }
    layout->addWidget(opcoes);

    // Tab follows the order the operator fills the screen in.
    setTabOrder(NM_CLIENTE, CD_TROCA);
    setTabOrder(CD_TROCA, dt_troca);
    setTabOrder(dt_troca, vl_taxa);
    setTabOrder(vl_taxa, VL_DEVOLVIDOS);
    setTabOrder(VL_DEVOLVIDOS, Text1);
    setTabOrder(Text1, cd_documento);
    setTabOrder(cd_documento, NM_EMITENTE);
    setTabOrder(NM_EMITENTE, dt_deposito);
    setTabOrder(dt_deposito, vl_cheque);
    setTabOrder(vl_cheque, cd_banco);
    setTabOrder(cd_banco, cd_agencia);
    setTabOrder(cd_agencia, cd_conta);
    setTabOrder(cd_conta, NR_CHEQUE);
    setTabOrder(NR_CHEQUE, Command2);
    keepTextReadable(this);
    resize(1000, 720);
}

}  // namespace tavrel
