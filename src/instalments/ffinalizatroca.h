#pragma once

#include <memory>

#include "instalments/plano_store.h"
#include "ui/screen.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavrel {

class Connection;
class FormattedQueryModel;

// Finishing an instalment plan's exchange ("Cálculo de Parcelas"): shows the cheques "Gerar
// Troca" wrote and gives them to a client, or deletes them. It has no close box: while it holds
// an exchange it is left only by finishing or cancelling it.
class ffinalizatroca : public Screen {
    Q_OBJECT

public:
    explicit ffinalizatroca(Context& context, QWidget* parent = nullptr);
    ~ffinalizatroca() override;

    // The exchange to finish, as "Gerar Troca" wrote it.
    void mostraTroca(const TrocaDoPlano& troca);
    const TrocaDoPlano& troca() const { return troca_; }
    // An exchange is shown and neither finished nor cancelled yet.
    bool aguardaCliente() const { return !encerrada_ && !troca_.ids.isEmpty(); }

    // Commands.
    void finaliza();  // "Finalizar Troca"
    void cancela();   // "Cancela Troca"

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void constroiTela();
    void mostraCheques();
    void encerra();
    void avisa(const QString& texto);  // a message with OK only

    std::unique_ptr<Connection> conexao_;
    std::unique_ptr<FormattedQueryModel> gridModel_;
    TrocaDoPlano troca_;
    bool encerrada_ = false;  // finished or cancelled: the screen may close

    QLineEdit* CD_TROCA = nullptr;
    QLineEdit* vl_taxa = nullptr;
    QDateEdit* dt_troca = nullptr;
    QComboBox* NM_CLIENTE = nullptr;
    QTableView* GridEX1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

}  // namespace tavrel
