#pragma once

#include <memory>

#include "ui/screen.h"

class QDateEdit;
class QPushButton;

namespace tavrel {

class Connection;
class DestinoDelegate;
class GroupingGrid;

// The cheques to settle ("Consulta de Cheques a Serem Baixados"), grouped by deposit date with
// the sums of value and interest. `fbaixas` lists the cheques due today; `fbaixasperiodo` those
// deposited in a chosen period, whatever their status. In both the operator sets each cheque's
// destination from the list of clients, the only thing these screens change, and prints
// BAIXAS.RPT.
class fbaixas : public Screen {
    Q_OBJECT

public:
    fbaixas(Context& context, QWidget* parent = nullptr, bool periodo = false);
    ~fbaixas() override;

    void executa();  // "Executar" (period screen)
    void imprime();  // "Imprimir"

    GroupingGrid* grid() const { return GridEX1; }

private:
    void constroiTela();
    void carregaClientes();

    bool periodo_;
    std::unique_ptr<Connection> conexao_;
    DestinoDelegate* destino_ = nullptr;

    GroupingGrid* GridEX1 = nullptr;
    QDateEdit* inicio = nullptr;
    QDateEdit* fim = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* SAIR = nullptr;
};

}  // namespace tavrel
