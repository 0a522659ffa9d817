#pragma once

#include <memory>
#include <optional>

#include "ledger/lancamento_store.h"
#include "ui/screen.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace tavrel {

class Connection;
class LancamentosModel;

// The cash ledger ("Manutenção de Lançamentos"): the operator chooses an account, sees its
// entries with their running balance and its totals, and adds, changes or deletes entries.
// Every command checks what it writes first and writes the entry and the account's balances in
// one transaction.
class flancamentos : public Screen {
    Q_OBJECT

public:
    explicit flancamentos(Context& context, QWidget* parent = nullptr);
    ~flancamentos() override;

    // Commands.
    void incluir();
    void alterar();
    void excluir();
    void limpaCampos();

    // Choosing an account in the list and a line of the grid.
    void escolheConta();
    void escolheLinha(int linha);

    // The code of the chosen account; empty when none is chosen.
    QString contaEscolhida() const;

private:
    void constroiTela();
    void carregaContas();
    void carregaHistoricos();
    void mostraRegistro(qint64 id);
    // AtualizaPosicao: the chosen account's totals, read unless they are given.
    void atualizaPosicao(std::optional<Posicao> lida = std::nullopt);
    // The grid read again and the totals shown after a command.
    void atualizaConta(const std::optional<ContaGravada>& gravada = std::nullopt);
    // The typed entry once every check passed; otherwise the operator has been told why.
    std::optional<Lancamento> confere();
    void recusa(const LancamentoRecusado& motivo);
    void recolocaMascara();

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<LancamentoStore> store_;
    std::unique_ptr<LancamentosModel> model_;

    QListWidget* cd_conta = nullptr;
    QTableView* GridEX1 = nullptr;
    QLineEdit* cd_lancamento = nullptr;
    QComboBox* DS_CONTA = nullptr;
    QLineEdit* DS_complemento = nullptr;
    QLineEdit* VL_LANCAMENTO = nullptr;
    QLineEdit* dt_lancamento = nullptr;
    QLineEdit* creditos = nullptr;
    QLineEdit* debitos = nullptr;
    QLineEdit* saldo = nullptr;
    QPushButton* CONFIRMA = nullptr;
    QPushButton* alterar_ = nullptr;
    QPushButton* EXCLUIR = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace tavrel
