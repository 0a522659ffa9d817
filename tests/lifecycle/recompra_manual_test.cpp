// The checks of an entry typed on the repurchase register and its writing.
#include <gtest/gtest.h>

#include "lifecycle/recompra_manual.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

RecompraDigitada typed() {
    return {"ANA LIMA", "00001", "23/11/2026", "6", "1.000,00", QDate(2026, 11, 1)};
}

QString refusal(const RecompraDigitada& digitada) {
    const auto checked = confereRecompra(digitada);
    return std::holds_alternative<QString>(checked) ? std::get<QString>(checked) : QString();
}

TEST(ConfereRecompra, AGoodEntryIsAManualOneOfExchange00000) {
    const auto checked = confereRecompra(typed());
    ASSERT_TRUE(std::holds_alternative<NovaRecompra>(checked));
    const NovaRecompra& entrada = std::get<NovaRecompra>(checked);
    EXPECT_EQ(entrada.cd_cliente, "00001");
    EXPECT_EQ(entrada.cd_troca, "00000");
    EXPECT_EQ(entrada.vl_cheque, 1000.0);
    EXPECT_EQ(entrada.vl_taxa, 6.0);
    EXPECT_EQ(entrada.dt_deposito, QDate(2026, 11, 23));
    EXPECT_EQ(entrada.dt_troca, QDate(2026, 11, 1));
}

TEST(ConfereRecompra, EveryBadFieldIsRefusedWithItsMessage) {
    RecompraDigitada d = typed();
    d.nomeCliente = "  ";
    d.cd_cliente.clear();
    EXPECT_EQ(refusal(d), QStringLiteral("Não posso incluir cheque sem cliente"));
    d = typed();
    d.cd_cliente.clear();
    EXPECT_EQ(refusal(d), QStringLiteral("Cliente não cadastrado: escolha o cliente na lista"));
    for (const char* date : {"", "31/02/2026", "23/11/26", "__/__/____"}) {
        d = typed();
        d.deposito = date;
        EXPECT_TRUE(refusal(d).startsWith(QStringLiteral("Data de depósito inválida"))) << date;
    }
    for (const char* rate : {"", "abc", "1.5", "-2"}) {
        d = typed();
        d.taxa = rate;
        EXPECT_TRUE(refusal(d).startsWith(QStringLiteral("Taxa inválida"))) << rate;
    }
    for (const char* amount : {"", "0", "1500.75", "dez"}) {
        d = typed();
        d.valor = amount;
        EXPECT_TRUE(refusal(d).startsWith(QStringLiteral("Valor inválido"))) << amount;
    }
}

class RecompraManualTest : public test::AppFixture {};

TEST_F(RecompraManualTest, WrittenUnderTheNextNumberOnlyWhileTheClientIsRegistered) {
    exec("INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE) VALUES ('00001', 'ANA LIMA')");
    const NovaRecompra entrada = std::get<NovaRecompra>(confereRecompra(typed()));
    EXPECT_EQ(gravaRecompraManual(connect().db(), entrada), "0000000001");
    exec("DELETE FROM CLIENTES");
    EXPECT_EQ(gravaRecompraManual(connect().db(), entrada), "");
    EXPECT_EQ(value("SELECT COUNT(*) FROM RECOMPRA").toInt(), 1);
}

}  // namespace
}  // namespace tavrel
