#pragma once

#include <memory>
#include <optional>

#include "ui/screen.h"

class QDateEdit;
class QLineEdit;
class QPushButton;

namespace tavrel {

class Connection;
class GroupingGrid;

// The returned cheques ("DEVOLUCAO DE CHEQUES"): lists the cheques (all of them, then those of
// one deposit date), records the return of the chosen one (blacklist, repurchase entry, reason
// and status "C", all in one transaction after the questions) or deletes it.
class FDEVOLVIDOS : public Screen {
    Q_OBJECT

public:
    explicit FDEVOLVIDOS(Context& context, QWidget* parent = nullptr);
    ~FDEVOLVIDOS() override;

    void localiza();  // "LOCALIZAR"
    void devolve();   // "&DEVOLVER"
    void exclui();    // "&EXCLUIR"

    GroupingGrid* grid() const { return DBGrid1; }

private:
    void constroiTela();
    void mostraChequeAtual();
    void limpaCaixas();
    bool chequeEscolhido();  // says so when none is

    std::unique_ptr<Connection> conexao_;
    std::optional<qlonglong> chequeAtual_;  // the id of the cheque the boxes show

    QDateEdit* DT_DEPOSITO = nullptr;
    QPushButton* Command1 = nullptr;
    GroupingGrid* DBGrid1 = nullptr;
    QLineEdit* CD_DOCUMENTO = nullptr;
    QLineEdit* VL_CHEQUE = nullptr;
    QLineEdit* CD_ALINEA = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* SAIR = nullptr;
};

}  // namespace tavrel
