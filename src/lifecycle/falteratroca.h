#pragma once

#include <QPointer>
#include <memory>
#include <optional>

#include "lifecycle/altera_troca.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavrel {

class ChequeStore;
class Connection;
class FormattedQueryModel;
class FTROCA;

// The change of a recorded exchange ("ALTERAÇÃO DE TROCA"), opened modal over the exchange
// screen: loads an exchange by number, removes cheques from it and hands it back to the
// exchange screen, whose totals are then worked out from the remaining rows.
class falteratroca : public Screen {
    Q_OBJECT

public:
    explicit falteratroca(Context& context, QWidget* parent = nullptr);
    ~falteratroca() override;

    void buscaTroca();     // "Buscar troca"
    void cancelaCheque();  // "&CANCELAR CHEQUE"
    void sair();           // "&Sair"

private:
    void constroiTela();
    void mostraDados();
    void mostraCheques();

    QPointer<FTROCA> troca_;  // the exchange screen it hands the exchange back to
    std::unique_ptr<Connection> conexao_;
    std::unique_ptr<ChequeStore> cheques_;
    bool tacFixa_ = false;
    std::optional<DadosTroca> carregada_;  // the exchange loaded by "Buscar troca"
    std::unique_ptr<FormattedQueryModel> gridModel_;

    QLineEdit* cd_troca = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* cd_cliente = nullptr;
    QLineEdit* dt_troca = nullptr;
    QLineEdit* vl_taxa = nullptr;
    QLineEdit* debitos = nullptr;
    QLineEdit* tac = nullptr;
    QTableView* DBGrid1 = nullptr;
    QPushButton* cancelacheque = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace tavrel
