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

    // Shows another exchange as the current one (used by the change-of-exchange screen when it
    // hands an exchange back). The number may be typed ("12" is exchange 00012). The totals are
    // worked out again from the exchange's rows, so they agree with them whatever the caller
    // passes; only the debits are taken as given.
    struct TrocaCarregada {
        QString numero;
        QString taxa;
        QDate data;
        QString cliente;
        QString bruto, juros, debitos, tarifas, liquido, cheques;
    };
    void carregaTroca(const TrocaCarregada& troca);

    // Whether an exchange is started and its client is `cliente`, loaded as the screen shows
    // it: only then may debts of that client become the exchange's debits.
    bool aceitaDebitosDe(const QString& cliente) const;
    // Makes `debitos` the exchange's debits and works the net out again (the repurchase
    // settlement hands the client's settled debt over this way). Refused, changing nothing,
    // unless aceitaDebitosDe(cliente).
    bool defineDebitos(const QString& cliente, double debitos);

    // The client code bound to the client combo's text (empty when it names no client).
    QString codigoCliente() const;

private:
    struct Estado;

    void constroiTela();
    void ligaEventos();
    void abreDados();
    bool dadosAbertos() const;
    void desabilitaDados();
    bool leParametros();
    void limpaTela();
    void limpaEntrada();
    void voltaAoInicio();
    void mostraTotais();
    void recalculaTotais();
    void mostraTroca(const QString& numero);
    QString numeroTroca() const;
    void escolheCliente();
    void carregaCliente(const QString& codigo);
    void carregaClientes();
    void pintaRecompra(double divida);
    bool saindoParaUmCampo() const;
    void avisa(const QString& texto);  // a message with OK only

    // The entry checks. Each remembers what it accepted, so "&ADICIONAR CHEQUE" runs again only
    // those whose field changed since (or was never left); false when the cheque cannot go on.
    bool confereDocumento(const QString& documento);
    bool confereVencimento(bool obrigatoria);
    bool confereValor();
    bool verificaListaNegra(const QString& documento);
    void avisaDocumentoDeCliente(const QString& documento);
    void mostraHistorico(const QString& documento, bool comTotaisPorStatus);
    QString chaveDoCheque() const;
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
