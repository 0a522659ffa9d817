#pragma once

#include <QDate>
#include <QPointer>
#include <memory>
#include <optional>

#include "instalments/parcelas.h"
#include "ui/screen.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavrel {

class ChequeStore;
class Connection;
class ffinalizatroca;

// The financing calculator ("CÁLCULO DE FINANCIAMENTO"): the Price instalment with the shop's
// fees, the payment schedule printed for the client, and the plan turned into an exchange of
// post-dated cheques that the finishing screen (`ffinalizatroca`) gives to a client.
class fparcelas : public Screen {
    Q_OBJECT

public:
    explicit fparcelas(Context& context, QWidget* parent = nullptr);
    ~fparcelas() override;

    // Commands.
    void calcula();    // "&CALCULAR"
    void imprime();    // "&IMPRIMIR"
    void geraTroca();  // "Gerar Troca"
    void sair();       // "SAIR"

private:
    // The schedule last printed for the plan on the screen: its first due date and the date
    // DT_INICIO was advanced to.
    struct Impressao {
        QDate inicio;
        QDate seguinte;
    };

    void constroiTela();
    void ligaEventos();
    void abreDados();
    void leParametros();
    void esvaziaResultado();
    TextosParcelas textosParcelas() const;
    std::optional<QDate> dataInicial();  // says so when DT_INICIO holds no date
    bool temCalculo();                   // says so when there is none
    void avisa(const QString& texto);    // a message with OK only

    std::unique_ptr<Connection> conexao_;
    std::unique_ptr<ChequeStore> cheques_;
    std::optional<Plano> plano_;  // the last calculation, while its inputs are unchanged
    std::optional<Impressao> impressao_;
    QPointer<ffinalizatroca> finalizacao_;  // the finishing screen of the exchange last generated

    QLineEdit* CREDITO = nullptr;
    QLineEdit* JUROS = nullptr;
    QLineEdit* PARCELAS = nullptr;
    QLineEdit* DT_INICIO = nullptr;
    QLineEdit* RESULTADO = nullptr;
    // "Taxas Incluídas"
    QCheckBox* st_cpmf = nullptr;
    QLineEdit* vl_cpmf = nullptr;
    QCheckBox* st_iof = nullptr;
    QLineEdit* vl_iof = nullptr;
    QCheckBox* st_consulta = nullptr;
    QLineEdit* vl_consulta = nullptr;
    QCheckBox* st_tacper = nullptr;
    QLineEdit* vl_tacper = nullptr;
    // "Dados dos Cheques"
    QLineEdit* cheque = nullptr;
    QLineEdit* cd_banco = nullptr;
    QLineEdit* cd_agencia = nullptr;
    QLineEdit* cd_conta = nullptr;
    // Commands
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command2 = nullptr;
};

}  // namespace tavrel
