#pragma once

#include <gtest/gtest.h>
#include <QComboBox>
#include <QTest>

#include "core/ptbr.h"
#include "exchange/ftroca.h"
#include "support/fixture.h"

namespace tavrel::test {

// The exchange screen on a fixed day, Tuesday 08/12/2026, with two clients: ANA LIMA (rate 3,
// no limits) and BRUNO D'ÁVILA (rate 2,5, 1000 a cheque, 1500 in one document, 40 of debits).
class FtrocaTest : public AppFixture {
protected:
    FtrocaTest() {
        addClient("00001", "ANA LIMA", 3, 0, 0, 0);
        addClient("00002", "BRUNO D'ÁVILA", 2.5, 1000, 1500, 40);
    }

    void addClient(const QString& code, const QString& name, QVariant rate, double perCheque,
                   double concentration, double returned) {
        exec(
            "INSERT INTO CLIENTES (CD_CLIENTE, NM_CLIENTE, VL_TAXA, VL_LIMITE, LM_CHEQUE, "
            "LM_CONCENTRACAO, VL_DEVOLVIDOS, CD_DOCUMENTO) VALUES (?, ?, ?, 5000, ?, ?, ?, ?)",
            {code, name, rate, perCheque, concentration, returned, "DOC" + code});
    }

    void addCheque(const QString& troca, const QString& document, const QString& status,
                   double value, const QString& sequence, const QString& key = {},
                   const QString& issuer = "EMITENTE") {
        exec(
            "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, CD_DOCUMENTO, CD_STATUS, VL_CHEQUE, "
            "NR_SEQUENCIAL, CD_CHAVE, NM_EMITENTE, DT_DEPOSITO) VALUES (?, '00001', ?, ?, ?, ?, "
            "?, ?, '2026-11-01')",
            {troca, document, status, value, sequence, key, issuer});
    }

    void setParameters(const QString& assignments, const QVariantList& values = {}) {
        exec("UPDATE CONFIG SET " + assignments, values);
    }

    FTROCA* openScreen() {
        screen = open("FTROCA");
        EXPECT_NE(screen, nullptr);
        activate(screen);
        return static_cast<FTROCA*>(screen);
    }

    // "&NOVO" and the client chosen as the operator does it.
    void startExchange(const QString& client) {
        click(screen, "INCLUIR");
        auto* combo = control<QComboBox>(screen, "NM_CLIENTE");
        const int index = combo->findText(client);
        ASSERT_GE(index, 0) << client.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        leave(screen, "NM_CLIENTE");
    }

    // A typed cheque: document, date, value, bank, branch and account, each left in turn.
    void enterTypedCheque(const QString& document, const QString& date, const QString& value,
                          const QString& bank = "001", const QString& branch = "1234",
                          const QString& account = "0000012345") {
        fill(screen, "cd_documento", document);
        fill(screen, "dt_deposito", date);
        fill(screen, "vl_cheque", value);
        fill(screen, "cd_banco", bank);
        fill(screen, "cd_agencia", branch);
        fill(screen, "cd_conta", account);
    }

    // A typed cheque, then "&ADICIONAR CHEQUE".
    void addTypedCheque(const QString& document, const QString& date, const QString& value,
                        const QString& bank = "001", const QString& branch = "1234",
                        const QString& account = "0000012345") {
        enterTypedCheque(document, date, value, bank, branch, account);
        click(screen, "Command2");
    }

    // Alt and a letter, as the operator presses a command's key in the field that has the focus.
    void pressAlt(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    }

    double shown(const QString& name) { return parseNumber(text(screen, name)).value_or(-1); }

    int chequeCount() { return value("SELECT COUNT(*) FROM CHEQUES").toInt(); }

    QWidget* screen = nullptr;
};

}  // namespace tavrel::test
