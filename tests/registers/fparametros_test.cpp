#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <iterator>

#include "support/fixture.h"

namespace tavrel {
namespace {

class ParametrosTest : public test::AppFixture {
protected:
    ParametrosTest() {
        exec(
            "UPDATE CONFIG SET cr_numerodias = 1, vl_diasminimo = 5, st_incluirdias = 1, "
            "vl_dmais = 2, st_dia = 0, st_cpmf = 1, vl_cpmf = 0.0038, st_iof = 1, "
            "vl_iof = 0.000041, st_advalorem = 0, vl_advalorem = 0.001, st_custodia = 1, "
            "vl_custodia = 1.5, st_tac = 1, vl_tac = 25, st_tacper = 0, vl_tacper = 0.002, "
            "st_consulta = 0, vl_consulta = 0.75, st_jzero = 1, vl_concentracao = 10000");
    }
    bool ticked(QWidget* screen, const char* name) const {
        return control<QCheckBox>(screen, name)->isChecked();
    }
    QVariantList config(const QString& columns) const {
        return rows("SELECT " + columns + " FROM CONFIG").value(0);
    }
    QStringList logLines() const {
        QStringList lines = programFileLines("FC001081226.log");
        lines.removeIf([](const QString& line) { return line.startsWith("-----"); });
        return lines;
    }
};

TEST_F(ParametrosTest, ShowsTheRowWithRegionalNumbersAndLogsTheEntry) {
    QWidget* screen = open("fparametros");
    EXPECT_EQ(screen->windowTitle(), "Parametros");
    EXPECT_TRUE(ticked(screen, "cr_numerodias"));
    EXPECT_EQ(text(screen, "NR_dias"), "5");
    EXPECT_EQ(text(screen, "vl_cpmf"), "0,0038");
    EXPECT_EQ(text(screen, "vl_iof"), "0,000041");
    EXPECT_EQ(text(screen, "vl_custodia"), "1,5");
    EXPECT_EQ(text(screen, "vl_concentracao"), "10000");
    EXPECT_TRUE(ticked(screen, "st_jzero"));
    EXPECT_FALSE(ticked(screen, "st_advalorem"));
    EXPECT_FALSE(ticked(screen, "st_dia"));
    EXPECT_EQ(text(screen, "st_iof"), "Incluir Iof {Formula Oficial  (Tax*Dias)*juros}");
    EXPECT_EQ(control(screen, "NR_dias")->toolTip(),
              "Diga o numero de dias mínimos cobrado em cada cheque");
    EXPECT_EQ(text(screen, "Command1"), "&Sair e Salvar");
    EXPECT_EQ(logLines(), QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-ENTROU NO "
                                      "MÓDULO DE CONFIGURAÇÃO-08/12/2026"});
}

TEST_F(ParametrosTest, SavedValuesAreStoredAndShownAgain) {
    QWidget* screen = open("fparametros");
    control<QCheckBox>(screen, "st_advalorem")->setChecked(true);
    control<QCheckBox>(screen, "st_dia")->setChecked(true);
    type(screen, "vl_advalorem", "0,0015");
    type(screen, "NR_dias", "7");
    type(screen, "vl_tac", "1.250,5");
    QPointer<QWidget> guard(screen);
    click(screen, "Command1");

    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(guard.isNull() || !guard->isVisible());
    EXPECT_EQ(config("st_advalorem, vl_advalorem, st_dia, vl_diasminimo, vl_tac, vl_cpmf"),
              (QVariantList{1, 0.0015, 1, 7.0, 1250.5, 0.0038}));
    EXPECT_TRUE(logLines().last().endsWith("-SAIU NO MÓDULO DE CONFIGURAÇÃO-08/12/2026"));

    QWidget* again = open("fparametros");
    EXPECT_TRUE(ticked(again, "st_advalorem"));
    EXPECT_EQ(text(again, "vl_advalorem"), "0,0015");
    EXPECT_EQ(text(again, "NR_dias"), "7");
    EXPECT_EQ(text(again, "vl_tac"), "1250,5");
}

TEST_F(ParametrosTest, AnUntickedSwitchIsStoredFalseAndKeepsItsValue) {
    QWidget* screen = open("fparametros");
    control<QCheckBox>(screen, "st_cpmf")->setChecked(false);
    control<QCheckBox>(screen, "st_jzero")->setChecked(false);
    click(screen, "Command1");
    EXPECT_EQ(config("st_cpmf, vl_cpmf, st_jzero, cr_numerodias"), (QVariantList{0, 0.0038, 0, 1}));
}

TEST_F(ParametrosTest, ABadValueIsReportedAndTheRestIsStillSaved) {
    QWidget* screen = open("fparametros");
    type(screen, "vl_advalorem", "abc");
    type(screen, "NR_dias", "");
    type(screen, "vl_cpmf", "0.0045");  // a dot is no decimal separator here
    type(screen, "vl_tac", "30");
    QPointer<QWidget> guard(screen);
    click(screen, "Command1");

    // One report per bad box, in the order the boxes are saved.
    ASSERT_EQ(dialogs.shown().size(), 3u);
    const QStringList errorTexts = dialogs.texts();
    EXPECT_TRUE(errorTexts[0].startsWith("Erro No.13 - "));
    EXPECT_TRUE(errorTexts[0].contains("Objeto: NR_dias"));
    EXPECT_TRUE(errorTexts[1].contains("Objeto: vl_cpmf"));
    EXPECT_TRUE(errorTexts[2].contains("Objeto: vl_advalorem"));
    EXPECT_TRUE(errorTexts[2].contains("Formulário: fparametros"));
    EXPECT_EQ(config("vl_advalorem, vl_diasminimo, vl_cpmf, vl_tac"),
              (QVariantList{0.001, 5.0, 0.0038, 30.0}));
    EXPECT_TRUE(guard.isNull() || !guard->isVisible()) << "the screen still closes";
    EXPECT_TRUE(logLines().last().contains("SAIU NO MÓDULO DE CONFIGURAÇÃO"));
}

TEST_F(ParametrosTest, NumbersTypedWithADotStoreNothingWrong) {
    // "0.001" in "Valor do Ad Valorem" used to be stored as 1: a fee of the whole cheque.
    // Rate boxes refuse any dot; amount boxes take a well-formed thousands grouping only.
    const struct {
        const char* box;
        const char* typed;
    } refused[] = {{"vl_advalorem", "0.001"}, {"vl_tacper", "0.038"}, {"vl_iof", "0.380"},
                   {"vl_cpmf", "1.500"},      {"vl_custodia", "0.5"}, {"vl_consulta", "1.5"}};
    QWidget* screen = open("fparametros");
    for (const auto& box : refused)
        type(screen, box.box, box.typed);
    type(screen, "vl_tac", "1.500");
    type(screen, "vl_concentracao", "12.345.678,90");
    click(screen, "Command1");

    ASSERT_EQ(dialogs.shown().size(), std::size(refused));
    for (const QString& report : dialogs.texts())
        EXPECT_TRUE(report.startsWith("Erro No.13 - ")) << report.toStdString();
    EXPECT_EQ(config("vl_advalorem, vl_tacper, vl_iof, vl_cpmf, vl_custodia, vl_consulta, vl_tac, "
                     "vl_concentracao"),
              (QVariantList{0.001, 0.002, 0.000041, 0.0038, 1.5, 0.75, 1500.0, 12345678.9}))
        << "refused boxes keep their stored values";
}

TEST_F(ParametrosTest, SavingWithoutChangesStoresEveryValueUnchanged) {
    exec(
        "UPDATE CONFIG SET vl_iof = 0.00000100026, vl_advalorem = -1.1e-11, "
        "vl_concentracao = 123456789.012345");
    const QList<QVariantList> before = rows("SELECT * FROM CONFIG");
    QWidget* screen = open("fparametros");
    EXPECT_EQ(text(screen, "vl_iof"), "0,00000100026");
    EXPECT_EQ(text(screen, "vl_advalorem"), "-0,000000000011");
    click(screen, "Command1");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(rows("SELECT * FROM CONFIG"), before);
}

TEST_F(ParametrosTest, ClosingAnyOtherWaySavesNothing) {
    const QList<QVariantList> before = rows("SELECT * FROM CONFIG");
    QWidget* screen = open("fparametros");
    control<QCheckBox>(screen, "st_cpmf")->setChecked(false);
    type(screen, "vl_tac", "99");
    screen->close();
    EXPECT_EQ(rows("SELECT * FROM CONFIG"), before);
    EXPECT_EQ(logLines().size(), 1) << "only the entry is logged";
}

TEST_F(ParametrosTest, AMissingRowIsReportedAndTheControlsStayEmpty) {
    exec("DELETE FROM CONFIG");
    QWidget* screen = open("fparametros");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.contains("Formulário: fparametros"));
    EXPECT_EQ(text(screen, "vl_tac"), "");
    EXPECT_FALSE(ticked(screen, "st_jzero"));
}

}  // namespace
}  // namespace tavrel
