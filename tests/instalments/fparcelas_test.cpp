#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTableView>
#include <QTest>

#include "instalments/ffinalizatroca.h"
#include "support/fixture.h"

namespace tavrel::test {
namespace {

// The financing calculator on 08/12/2026, the parameters' fees all off, and a client whose
// name carries accents and an apostrophe.
class FparcelasTest : public AppFixture {
protected:
    FparcelasTest() {
        exec("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00007', ?)",
             {QStringLiteral("JOSÉ D'ÁVILA")});
        exec("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00008', 'ANA LIMA')");
        screen = open("fparcelas");
        activate(screen);
    }

    void calcula(const QString& credito, const QString& juros, const QString& parcelas) {
        type(screen, "CREDITO", credito);
        type(screen, "JUROS", juros);
        type(screen, "PARCELAS", parcelas);
        click(screen, "Command1");
    }

    void primeiroCheque(const QString& numero, const QString& banco = "341",
                        const QString& agencia = "123", const QString& conta = "45678-9") {
        setText(screen, "cheque", numero);
        setText(screen, "cd_banco", banco);
        setText(screen, "cd_agencia", agencia);
        setText(screen, "cd_conta", conta);
    }

    // The parameters charge every fee (the worked amounts of 2.500,00 at 3,5 % in 6); the screen
    // reads them when it opens.
    void reabreComTodasAsTaxas() {
        exec(
            "UPDATE CONFIG SET st_consulta = 1, vl_consulta = 2.5, st_cpmf = 1, vl_cpmf = 0.0038, "
            "st_iof = 1, vl_iof = 0.0041, st_tacper = 1, vl_tacper = 0.01");
        screen->close();
        screen = open("fparcelas");
        activate(screen);
    }

    void dataInicial(const QString& data) { type(screen, "DT_INICIO", data); }

    // The finishing screen "Gerar Troca" opened, if any.
    static ffinalizatroca* finalizacao() {
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            if (janela->objectName() == QLatin1String("ffinalizatroca") && janela->isVisible()) {
                return qobject_cast<ffinalizatroca*>(janela);
            }
        }
        return nullptr;
    }

    int cheques(const QString& troca) {
        return value("SELECT COUNT(*) FROM CHEQUES WHERE CD_TROCA = ?", {troca}).toInt();
    }
    int todosOsCheques() { return value("SELECT COUNT(*) FROM CHEQUES").toInt(); }
    int parcelas() { return value("SELECT COUNT(*) FROM PARCELAS").toInt(); }

    // An exchange made elsewhere, which the plan's screens must leave alone.
    void outraTroca(const QString& troca) {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DESTINO, CD_STATUS, VL_CHEQUE) "
            "VALUES (?, '00008', '00008', 'A', 50)",
            {troca});
    }

    QWidget* screen = nullptr;
};

TEST_F(FparcelasTest, CalculatesThePlanAndEmptiesTheResultWhenAnInputChanges) {
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("CÁLCULO DE FINANCIAMENTO"));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("08/12/2026"));
    calcula("1000", "5", "12");
    EXPECT_EQ(text(screen, "RESULTADO"), QStringLiteral("R$ 112,83"));
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .join('\n')
                    .contains(QStringLiteral("CALCULOU  UMA OPERAÇÃO DE :")));

    // Any input or fee changed after the calculation takes the result away.
    type(screen, "JUROS", "6");
    EXPECT_EQ(text(screen, "RESULTADO"), QString());
    calcula("1000", "5", "12");
    control<QCheckBox>(screen, "st_iof")->click();
    EXPECT_EQ(text(screen, "RESULTADO"), QString());
    click(screen, "Command3");
    click(screen, "Command4");
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("EFETUAR CALCULO PRIMEIRO!!!!!"),
                                            QStringLiteral("EFETUAR CALCULO PRIMEIRO!!!!!")}));
    EXPECT_EQ(parcelas(), 0);
    EXPECT_EQ(todosOsCheques(), 0);
    EXPECT_TRUE(reports.printed().empty());

    click(screen, "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .join('\n')
                    .contains(QStringLiteral("SAIU DO MÓDULO DE CALCULO DE PARCELAS")));
}

TEST_F(FparcelasTest, FeesStartFromTheParametersAndEnterMovesOn) {
    reabreComTodasAsTaxas();
    EXPECT_TRUE(control<QCheckBox>(screen, "st_cpmf")->isChecked());
    EXPECT_EQ(text(screen, "vl_cpmf"), QStringLiteral("0,0038"));
    EXPECT_EQ(text(screen, "vl_consulta"), QStringLiteral("2,5"));
    calcula("R$ 2.500,00", "3,5", "6");
    EXPECT_EQ(text(screen, "RESULTADO"), QStringLiteral("R$ 480,16"));

    control<QWidget>(screen, "CREDITO")->setFocus();
    QTest::keyClick(control<QWidget>(screen, "CREDITO"), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(screen, "JUROS"));
}

TEST_F(FparcelasTest, RefusedInputsGiveAMessageAnEmptyResultAndWriteNothing) {
    calcula("1000", "5", "");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("NUMERO DE PARCELAS NÃO PODE ESTAR VAZIO!!!"));
    calcula("1000", "", "12");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("O CAMPO JUROS NÃO PODE ESTAR VAZIO!!!"));
    calcula("1000", "5", "2,5");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("NÚMERO DE PARCELAS INVÁLIDO! DIGITE UM NÚMERO INTEIRO DE 1 A 999."));
    calcula("mil", "5", "12");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("VALOR DO CRÉDITO INVÁLIDO! DIGITE UM VALOR MAIOR QUE ZERO."));
    EXPECT_EQ(text(screen, "RESULTADO"), QString());

    // A good plan, then first cheques that cannot be written.
    calcula("1000", "5", "3");
    ASSERT_EQ(text(screen, "RESULTADO"), QStringLiteral("R$ 367,21"));
    primeiroCheque("10a");
    click(screen, "Command4");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral(
                  "NÚMERO DO 1o CHEQUE INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 10 ALGARISMOS."));
    primeiroCheque("100", "3x");
    click(screen, "Command4");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("BANCO INVÁLIDO! DIGITE SOMENTE NÚMEROS, COM ATÉ 3 ALGARISMOS."));
    primeiroCheque("100", "341", "");
    click(screen, "Command4");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("AGÊNCIA INVÁLIDA! DIGITE SOMENTE NÚMEROS, COM ATÉ 4 ALGARISMOS."));
    primeiroCheque("100");
    dataInicial("31/02/2027");
    click(screen, "Command4");
    click(screen, "Command3");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("DATA INICIAL INVÁLIDA! DIGITE A DATA DO PRIMEIRO PAGAMENTO."));
    EXPECT_EQ(todosOsCheques(), 0);
    EXPECT_EQ(parcelas(), 0);
    EXPECT_EQ(finalizacao(), nullptr);
    EXPECT_EQ(text(screen, "cheque"), QStringLiteral("100")) << "nothing advanced";
}

TEST_F(FparcelasTest, PrintingReplacesTheScheduleAndTheNextPrintContinuesIt) {
    calcula("1000", "5", "3");
    dataInicial("08/01/2027");
    click(screen, "Command3");
    EXPECT_EQ(rows("SELECT DT_VENCIMENTO, VL_PARCELA, VL_FINANCIADO, JUROSOPERACAO, PARCELAS "
                   "FROM PARCELAS ORDER BY id"),
              (QList<QVariantList>{{"2027-01-08", 367.21, 1000.0, 5.0, 3},
                                   {"2027-02-07", 367.21, 1000.0, 5.0, 3},
                                   {"2027-03-09", 367.21, 1000.0, 5.0, 3}}));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("08/04/2027"));
    ASSERT_EQ(reports.printed().size(), 1u);
    EXPECT_EQ(reports.last().templateName, QStringLiteral("PARCELAS.rpt"));
    EXPECT_EQ(reports.last().formula, QString());
    EXPECT_EQ(reports.last().content.rowCount, 3);
    EXPECT_TRUE(programFileLines("FC001081226.log")
                    .join('\n')
                    .contains(QStringLiteral("IMPRIMIU A NEGOCIAÇÃO")));

    click(screen, "Command3");
    EXPECT_EQ(rows("SELECT DT_VENCIMENTO FROM PARCELAS ORDER BY id"),
              (QList<QVariantList>{{"2027-04-08"}, {"2027-05-08"}, {"2027-06-07"}}));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("07/07/2027"));
}

// Every CHEQUES column of a row, by name.
QVariantMap linha(const QList<QVariantList>& valores, const QStringList& colunas, int i) {
    QVariantMap mapa;
    for (int c = 0; c < colunas.size(); ++c) {
        mapa.insert(colunas[c], valores[i][c]);
    }
    return mapa;
}

TEST_F(FparcelasTest, GeneratingWritesEveryRowUnderTheNextNumberPast99999) {
    outraTroca("99999");
    outraTroca("100000");
    reabreComTodasAsTaxas();
    calcula("2.500,00", "3,5", "6");
    dataInicial("08/01/2027");
    primeiroCheque("100", "1", "12", "45678-9");
    click(screen, "Command4");

    const QStringList colunas{
        "CD_TROCA",    "CD_CLIENTE",   "CD_DESTINO", "VL_TAXA",     "CD_DOCUMENTO", "NR_SEQUENCIAL",
        "VL_CHEQUE",   "CD_BANCO",     "CD_AGENCIA", "CD_CONTA",    "NR_CHEQUE",    "VL_ACUMULADO",
        "VL_ABERTO",   "DT_TROCA",     "NR_DIAS",    "VL_JUROS",    "DT_DEPOSITO",  "VL_CPMF",
        "VL_CUSTODIA", "VL_ADVALOREM", "VL_IOF",     "VL_TAC",      "VL_CONSULTA",  "VL_DEBITOS",
        "CD_STATUS",   "VL_LIQUIDEZ",  "CD_ALINEA",  "NM_EMITENTE", "CD_CHAVE",     "VL_LIQUIDO"};
    const QList<QVariantList> valores = rows("SELECT " + colunas.join(", ") +
                                             " FROM CHEQUES WHERE CD_TROCA = '100001' ORDER BY id");
    ASSERT_EQ(valores.size(), 6);
    EXPECT_EQ(todosOsCheques(), 8);
    const QStringList depositos{"2027-01-08", "2027-02-07", "2027-03-09",
                                "2027-04-08", "2027-05-08", "2027-06-07"};
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        const QVariantMap row = linha(valores, colunas, k - 1);
        const QVariantMap esperado{
            {"CD_TROCA", "100001"},
            {"CD_CLIENTE", "99999"},
            {"CD_DESTINO", "99999"},
            {"VL_TAXA", 3.5},
            {"CD_DOCUMENTO", "00000000000"},
            {"NR_SEQUENCIAL", QVariant()},
            {"VL_CHEQUE", 480.16},
            {"CD_BANCO", "001"},
            {"CD_AGENCIA", "0012"},
            {"CD_CONTA", "45678-9"},
            {"NR_CHEQUE", QStringLiteral("0000000%1").arg(99 + k)},
            {"VL_ACUMULADO", QVariant()},
            {"VL_ABERTO", 0.0},
            {"DT_TROCA", "2026-12-08"},
            {"NR_DIAS", 30 * k},
            {"VL_JUROS", 52.5},
            {"DT_DEPOSITO", depositos[k - 1]},
            {"VL_CPMF", 1.8},
            {"VL_CUSTODIA", QVariant()},
            {"VL_ADVALOREM", QVariant()},
            {"VL_IOF", 1.95},
            {"VL_TAC", 4.8},
            {"VL_CONSULTA", 2.5},
            {"VL_DEBITOS", 0.0},
            {"CD_STATUS", "A"},
            {"VL_LIQUIDEZ", 0.0},
            {"CD_ALINEA", "000"},
            {"NM_EMITENTE", ""},
            {"CD_CHAVE", QVariant()},
            {"VL_LIQUIDO", QVariant()},
        };
        for (const QString& coluna : colunas) {
            const QVariant& obtido = row[coluna];
            const QVariant& esperada = esperado[coluna];
            if (esperada.isNull()) {
                EXPECT_TRUE(obtido.isNull()) << coluna.toStdString();
            } else {
                EXPECT_EQ(obtido.toString(), esperada.toString()) << coluna.toStdString();
            }
        }
    }
    // The screen moved on, and the finishing screen shows the exchange.
    EXPECT_EQ(text(screen, "cheque"), QStringLiteral("106"));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("07/07/2027"));
    ffinalizatroca* fim = finalizacao();
    ASSERT_NE(fim, nullptr);
    EXPECT_EQ(fim->windowTitle(), QStringLiteral("Cálculo de Parcelas"));
    EXPECT_EQ(text(fim, "CD_TROCA"), QStringLiteral("100001"));
    EXPECT_EQ(text(fim, "vl_taxa"), QStringLiteral("3,5"));
    const QList<QStringList> grade = gridRows(fim, "GridEX1");
    ASSERT_EQ(grade.size(), 6);
    EXPECT_EQ(grade[0], (QStringList{"08/01/2027", "480,16", "30", "3,5", "52,50", "1,95", "1,80",
                                     "2,50", "4,80", "0000000100"}));
}

TEST_F(FparcelasTest, DepositsFollowTheSchedulePrintedAndASecondPlanContinues) {
    calcula("1000", "5", "3");
    dataInicial("08/01/2027");
    click(screen, "Command3");  // DATA INICIAL moves on to 08/04/2027
    primeiroCheque("100");
    click(screen, "Command4");
    EXPECT_EQ(rows("SELECT DT_DEPOSITO FROM CHEQUES WHERE CD_TROCA = '00001' ORDER BY id"),
              (QList<QVariantList>{{"2027-01-08"}, {"2027-02-07"}, {"2027-03-09"}}));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("08/04/2027"));

    // While that exchange waits for its client, no second one is made.
    click(screen, "Command4");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("FINALIZE OU CANCELE A TROCA 00001 ANTES DE GERAR OUTRA!"));
    EXPECT_EQ(todosOsCheques(), 3);

    ASSERT_NE(finalizacao(), nullptr);
    click(finalizacao(), "Command2");
    click(screen, "Command4");
    EXPECT_EQ(rows("SELECT DT_DEPOSITO, NR_CHEQUE FROM CHEQUES WHERE CD_TROCA = '00001' "
                   "ORDER BY id"),
              (QList<QVariantList>{{"2027-04-08", "0000000103"},
                                   {"2027-05-08", "0000000104"},
                                   {"2027-06-07", "0000000105"}}))
        << "the cancelled number is free again; the plan continues from the advanced fields";
}

TEST_F(FparcelasTest, TheFinishingGridShowsTheLastRowsWholeToo) {
    calcula("1000", "1", "360");
    primeiroCheque("1");
    click(screen, "Command4");
    ffinalizatroca* fim = finalizacao();
    ASSERT_NE(fim, nullptr);
    auto* grade = control<QTableView>(fim, "GridEX1");
    ASSERT_EQ(grade->model()->rowCount(), 360);
    // The 360th cheque: 10800 days.
    const QModelIndex dias = grade->model()->index(359, 2);
    ASSERT_EQ(dias.data().toString(), QStringLiteral("10800"));
    EXPECT_GE(grade->columnWidth(2), grade->sizeHintForIndex(dias).width());
}

TEST_F(FparcelasTest, FinishingGivesExactlyThoseRowsToTheClientTypedInAnyCase) {
    outraTroca("00001");
    calcula("1000", "5", "2");
    primeiroCheque("100");
    click(screen, "Command4");
    ffinalizatroca* fim = finalizacao();
    ASSERT_NE(fim, nullptr);
    EXPECT_EQ(fim->troca().cd_troca, QStringLiteral("00002"));
    EXPECT_FALSE(fim->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(fim->close()) << "no way out but finishing or cancelling";

    click(fim, "Command1");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Não posso encerrar a troca sem a escolha do cliente!!"));
    setText(fim, "NM_CLIENTE", "JOSE DAVILA");
    click(fim, "Command1");
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Cliente não cadastrado nao posso gravar a troca!!"));
    EXPECT_EQ(value("SELECT COUNT(*) FROM CHEQUES WHERE CD_CLIENTE = '99999'").toInt(), 2);
    ASSERT_EQ(finalizacao(), fim);

    setText(fim, "NM_CLIENTE", QStringLiteral("josé d'ávila"));
    click(fim, "Command1");
    EXPECT_EQ(finalizacao(), nullptr);
    EXPECT_EQ(rows("SELECT CD_CLIENTE, CD_DESTINO, NM_EMITENTE FROM CHEQUES "
                   "WHERE CD_TROCA = '00002'"),
              (QList<QVariantList>{{"00007", "00007", QStringLiteral("JOSÉ D'ÁVILA")},
                                   {"00007", "00007", QStringLiteral("JOSÉ D'ÁVILA")}}));
    EXPECT_EQ(rows("SELECT CD_CLIENTE, CD_DESTINO FROM CHEQUES WHERE CD_TROCA = '00001'"),
              (QList<QVariantList>{{"00008", "00008"}}));
}

TEST_F(FparcelasTest, CancellingRemovesOnlyThatExchangesRows) {
    outraTroca("00001");
    calcula("1000", "5", "4");
    primeiroCheque("100");
    click(screen, "Command4");
    ASSERT_EQ(cheques("00002"), 4);
    // A row written under the same number by another desk is not the plan's.
    outraTroca("00002");
    click(finalizacao(), "Command2");
    EXPECT_EQ(finalizacao(), nullptr);
    EXPECT_EQ(cheques("00002"), 1);
    EXPECT_EQ(cheques("00001"), 1);
    EXPECT_EQ(todosOsCheques(), 2);
}

TEST_F(FparcelasTest, AnInsertFailingAtTheSecondRowLeavesNoRowsAndNoFinishingScreen) {
    exec(
        "CREATE TRIGGER falha_no_segundo BEFORE INSERT ON CHEQUES "
        "WHEN NEW.NR_CHEQUE = '0000000101' BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    calcula("1000", "5", "3");
    dataInicial("08/01/2027");
    primeiroCheque("100");
    click(screen, "Command4");
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("disco cheio")))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(todosOsCheques(), 0);
    EXPECT_EQ(finalizacao(), nullptr);
    EXPECT_EQ(text(screen, "cheque"), QStringLiteral("100"));
    EXPECT_EQ(text(screen, "DT_INICIO"), QStringLiteral("08/01/2027"));
}

}  // namespace
}  // namespace tavrel::test
