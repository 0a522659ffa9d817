#include <gtest/gtest.h>
#include <QFile>

#include "core/errors.h"
#include "log/error_report.h"
#include "log/operation_log.h"
#include "support/fixture.h"

namespace tavrel {
namespace {

using LogTest = test::AppFixture;

QByteArray rawFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(LogTest, OperationLogFileNameHasUserCodeAndShortDate) {
    EXPECT_EQ(operationLogFileName("003", QDate(2026, 12, 8)), "FC003081226.log");
    EXPECT_EQ(operationLogFileName("", QDate(2026, 12, 8)), "FC081226.log");
}

TEST_F(LogTest, RegistraLogWritesTheActionLineAndHyphensWithCrLf) {
    RegistraLog(context, "**** EFETUOU LOGIN NO SISTEMA", "**");
    const QByteArray expected =
        QStringLiteral(
            "Data: 08/12/2026 Hora: 14:05.09-Supervisor-**** EFETUOU LOGIN NO "
            "SISTEMA-**\r\n")
            .toUtf8() +
        QByteArray(113, '-') + "\r\n";
    EXPECT_EQ(rawFile(context.writablePath("FC001081226.log")), expected);
}

TEST_F(LogTest, SameDayAppendsAndANewDayStartsANewFile) {
    RegistraLog(context, "INCLUIU CLIENTE", "00001");
    RegistraLog(context, "ALTEROU - CLIENTE - A-B", 1500.75);  // hyphens are written as they are
    EXPECT_EQ(programFileLines("FC001081226.log"),
              (QStringList{"Data: 08/12/2026 Hora: 14:05.09-Supervisor-INCLUIU CLIENTE-00001",
                           QString(113, '-'),
                           "Data: 08/12/2026 Hora: 14:05.09-Supervisor-ALTEROU - CLIENTE - "
                           "A-B-1500,75",
                           QString(113, '-')}));

    clock.set(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1)));
    RegistraLog(context, "SAIU", "**");
    EXPECT_EQ(programFileLines("FC001091226.log").size(), 2);
    EXPECT_EQ(programFileLines("FC001081226.log").size(), 4);
}

TEST_F(LogTest, ErrorTextHasItsFiveLines) {
    const AppError error(3000, "Tabela não encontrada", "Banco de dados");
    EXPECT_EQ(errorText(error, "FTROCA", "Troca de Cheques"),
              QStringLiteral("Erro No.3000 - Tabela não encontrada\r\nFormulário: FTROCA\r\n"
                             "Objeto: Banco de dados\r\nProcedure: Troca de Cheques\r\n"
                             "Anote as informações acima e contacte o suporte."));
}

TEST_F(LogTest, ErrorLogAccumulatesAcrossDaysAndUsers) {
    GravaErro(context, "primeiro");
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(9, 30, 0)));
    context.userCode = "002";
    GravaErro(context, "linha 1\r\nlinha 2");
    EXPECT_EQ(programFileLines("tavrel.log"),
              (QStringList{"Data: 08/12/2026 Hora: 14:05.09", "primeiro", " ", QString(103, '-'),
                           "Data: 09/12/2026 Hora: 09:30.00", "linha 1", "linha 2", " ",
                           QString(103, '-')}));
}

TEST_F(LogTest, AFailedStepIsReportedAndTheNextStepRuns) {
    context.currentLocation = "Cadastro de Clientes";
    QStringList ran;
    const bool allDone = runSteps(context, "fclientes",
                                  {[&] { ran << "1"; },
                                   [&] {
                                       ran << "2";
                                       throw ConversionError("abc");
                                   },
                                   [&] { ran << "3"; }});
    EXPECT_FALSE(allDone);
    EXPECT_EQ(ran, (QStringList{"1", "2", "3"}));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const QString shown = dialogs.last().text;
    EXPECT_TRUE(shown.startsWith("Erro No.13 - ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("\r\nFormulário: fclientes\r\n"));
    EXPECT_TRUE(shown.contains("\r\nProcedure: Cadastro de Clientes\r\n"));
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::Ok);
    // The error log keeps the same text.
    EXPECT_TRUE(QString::fromUtf8(rawFile(context.writablePath("tavrel.log"))).contains(shown));
}

// Error reports name the procedure in which the failure happened, as the compiler names it.
TEST(ProcedureName, TheBareNameOfTheFunction) {
    EXPECT_EQ(procedureName("virtual void tavrel::RegisterScreen::incluir()"), "incluir");
    EXPECT_EQ(procedureName("void tavrel::FTROCA::saiDocumento()"), "saiDocumento");
    EXPECT_EQ(procedureName("tavrel::FTROCA::FTROCA(tavrel::Context&, QWidget*)::<lambda()>"),
              "FTROCA");
    EXPECT_EQ(procedureName("std::function<void()> tavrel::fx::monta(int)"), "monta");
    EXPECT_EQ(procedureName("void limpa()"), "limpa");
    EXPECT_EQ(procedureName(""), "");
}

TEST_F(LogTest, UnwritableFolderDoesNotCrashTheLogger) {
    context.writableFolder = "/proc/no-such-folder";
    RegistraLog(context, "NADA", "**");
    GravaErro(context, "nada");
    SUCCEED();
}

}  // namespace
}  // namespace tavrel
