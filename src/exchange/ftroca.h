#pragma once

#include <QDate>
#include <memory>
#include <optional>

#include "ui/screen.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace tavrel {

class Connection;
class FormattedQueryModel;
class ClickableLabel;

// The exchange screen ("LANCAMENTOS DE CHEQUES"): starts an exchange, takes the client's
// cheques one by one with their checks, keeps the exchange totals, removes, cancels and prints.
class FTROCA : public Screen {
    Q_OBJECT

public:
    explicit FTROCA(Context& context, QWidget* parent = nullptr);
    ~FTROCA() override;

    // Commands.
    void novo();
    void adicionaCheque();
    void cancelaCheque();
    void cancelaTroca();
    void imprime();
    void retiraCheque();
    void caixa();
    void sair();

    // Procedures run on leaving a field.
    void saiCliente();
    void saiTaxa();
    void saiLeitora();
    void saiDocumento();
    void saiConta();
    void saiValor();
    void saiVencimento();

    // Shows another exchange as the current one, with totals worked out elsewhere (used by the
    // change-of-exchange screen when it hands an exchange back).
    struct TrocaCarregada {
        QString numero;
        QString taxa;
        QDate data;
        QString cliente;
        QString bruto, juros, debitos, tarifas, liquido, cheques;
    };
    void carregaTroca(const TrocaCarregada& troca);

    // The client code bound to the client combo's text (empty when it names no client).
    QString codigoCliente() const;

private:
    struct Estado;

    void constroiTela();
    void ligaEventos();
    void abreDados();
    void limpaTela();
    void limpaEntrada();
    void mostraTotais();
    void mostraTroca(const QString& numero);
    void escolheCliente();
    void carregaClientes();
    void pintaRecompra(double divida);
    bool verificaListaNegra(const QString& documento);
    void avisaDocumentoDeCliente(const QString& documento);
    void lerHistorico(const QString& documento, bool comTotaisPorStatus);
    std::optional<QDate> vencimentoDigitado() const;
    void recolocaMascara();

    std::unique_ptr<Estado> estado_;
    std::unique_ptr<FormattedQueryModel> gridModel_;

    // "DADOS DA TROCA"
    QComboBox* NM_CLIENTE = nullptr;
    QLineEdit* CD_TROCA = nullptr;
    QDateEdit* dt_troca = nullptr;
    QLineEdit* vl_taxa = nullptr;
    QLabel* VL_LIMITE = nullptr;
    QLineEdit* VL_DEVOLVIDOS = nullptr;
    ClickableLabel* RECOMPRA = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command4 = nullptr;
    // "LANCAMENTO DE CHEQUES"
    QLineEdit* Text1 = nullptr;
    QLineEdit* cd_documento = nullptr;
    QLineEdit* NM_EMITENTE = nullptr;
    QLineEdit* dt_deposito = nullptr;
    QLineEdit* vl_cheque = nullptr;
    QLineEdit* cd_banco = nullptr;
    QLineEdit* cd_agencia = nullptr;
    QLineEdit* cd_conta = nullptr;
    QLineEdit* NR_CHEQUE = nullptr;
    QLineEdit* vl_acumulado = nullptr;
    QLineEdit* VL_ABERTO = nullptr;
    QLineEdit* VL_BAIXADO = nullptr;
    QLabel* chave = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    // "TOTAIS"
    QLineEdit* VL_TARIFA = nullptr;
    QLineEdit* NR_CHEQUES = nullptr;
    QLineEdit* VL_BRUTO = nullptr;
    QLineEdit* VL_JUROS = nullptr;
    QLineEdit* vl_debitos = nullptr;
    QLineEdit* LIQUIDO = nullptr;
    // "CHEQUES LANCADOS"
    QTableView* DBGrid1 = nullptr;
    // "Opções"
    QPushButton* INCLUIR = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cancelacheque = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* SAIR = nullptr;
};

}  // namespace tavrel
