#include <gtest/gtest.h>

#include "exchange/leitora.h"

namespace tavrel {
namespace {

TEST(LinhaLeitora, TakesKeyBankBranchAndAccountFromTheirPositions) {
    const LinhaLeitora lida = interpretaLinhaLeitora("<23712345<0090001234>123456789012:");
    EXPECT_EQ(lida.chave, "<23712345<3456789012:");
    EXPECT_EQ(lida.banco, "237");
    EXPECT_EQ(lida.agencia, "1234");
    EXPECT_EQ(lida.conta, "3456789012");
}

TEST(LinhaLeitora, AShortLineGivesShortOrEmptyParts) {
    const LinhaLeitora curta = interpretaLinhaLeitora("<2371");
    EXPECT_EQ(curta.chave, "<2371");
    EXPECT_EQ(curta.banco, "237");
    EXPECT_EQ(curta.agencia, "1");
    EXPECT_EQ(curta.conta, "");
    EXPECT_EQ(interpretaLinhaLeitora("").chave, "");
}

TEST(ChaveDigitada, JoinsBankBranchAndAccount) {
    EXPECT_EQ(chaveDigitada("001", "1234", "0000012345"), "00112340000012345");
}

TEST(ValorDoCheque, AcceptsOnlyNumberKeys) {
    for (QChar c : QString("0123456789+,. "))
        EXPECT_TRUE(teclaAceitaNoValor(c)) << int(c.unicode());
    for (QChar c : QString("aZ-R$*/"))
        EXPECT_FALSE(teclaAceitaNoValor(c)) << int(c.unicode());
}

TEST(NumeroTroca, TypedNumbersBecomeFiveDigits) {
    EXPECT_EQ(numeroTrocaDigitado("7"), "00007");
    EXPECT_EQ(numeroTrocaDigitado(" 00012 "), "00012");
    EXPECT_EQ(numeroTrocaDigitado(""), "");
    EXPECT_EQ(numeroTrocaDigitado("7'; --"), "");
}

}  // namespace
}  // namespace tavrel
