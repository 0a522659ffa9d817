#pragma once

#include <QPointer>
#include <memory>

#include "ui/screen.h"

class QLabel;
class QPushButton;
class QTableView;

namespace tavrel {

class Connection;
class FormattedQueryModel;
class FTROCA;

// The settlement of a client's repurchases out of the exchange being made ("Baixa de
// Pendencias"), opened from the exchange screen's repurchase label with that screen as its
// owner: lists the client's open entries, settles them all and makes their sum the exchange's
// debits.
class fbaixarecompra : public Screen {
    Q_OBJECT

public:
    explicit fbaixarecompra(Context& context, QWidget* parent = nullptr);
    ~fbaixarecompra() override;

    void baixaESai();  // "&Baixar e Sair"
    void cancela();    // "Cancelar e Sair"
    void imprime();    // "Imprimir"

private:
    void constroiTela();
    void mostraAbertas();

    QPointer<FTROCA> troca_;
    QString cliente_;      // the client chosen on the exchange screen at opening
    QString nomeCliente_;  // as the clients register names it
    std::unique_ptr<Connection> conexao_;
    std::unique_ptr<FormattedQueryModel> gridModel_;

    QTableView* GridEX1 = nullptr;
    QLabel* totais_ = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
};

}  // namespace tavrel
