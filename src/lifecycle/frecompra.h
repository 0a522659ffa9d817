#pragma once

#include <QVariant>
#include <memory>

#include "ui/screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace tavrel {

class Connection;
class GroupingGrid;

// The repurchase register: every returned cheque charged back to its client, grouped by client
// and status (open lines red, settled blue), with the interest of the open ones brought up to
// today at opening; a manual entry, deleting and settling one entry, printing.
class FRECOMPRA : public Screen {
    Q_OBJECT

public:
    explicit FRECOMPRA(Context& context, QWidget* parent = nullptr);
    ~FRECOMPRA() override;

    void grava();    // "&Gravar"
    void exclui();   // "&Excluir"
    void baixa();    // "&Baixar"
    void imprime();  // "&IMPRIMIR"

    GroupingGrid* grid() const { return GridEX1; }

private:
    void constroiTela();
    void carregaClientes();
    void limpaCampos();
    QString codigoCliente() const;
    // The id and the "Cliente" text of the chosen grid line; invalid id when none (said so).
    QVariant linhaEscolhida(QString* cliente = nullptr);

    std::unique_ptr<Connection> conexao_;

    QComboBox* nm_cliente = nullptr;
    QLineEdit* dt_deposito = nullptr;
    QLineEdit* vl_taxa = nullptr;
    QLineEdit* vl_cheque = nullptr;
    QDateEdit* dt_troca = nullptr;
    QPushButton* CONFIRMA = nullptr;
    QPushButton* EXCLUIR = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command1 = nullptr;
    GroupingGrid* GridEX1 = nullptr;
};

}  // namespace tavrel
