// The log viewer: the user's own logs from where they are written, read as written, deleted
// only with a Yes and logged only when really deleted, and printed.
#include <gtest/gtest.h>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "log/fmostralog.h"
#include "log/log_report.h"
#include "log/operation_log.h"
#include "support/fixture.h"
#include "support/list_lines.h"

namespace tavrel::test {
namespace {

class LogViewerTest : public AppFixture {
protected:
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(context.writablePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString shown(QWidget* screen) {
        return control<QPlainTextEdit>(screen, QStringLiteral("historico"))->toPlainText();
    }
    static QString line(const QString& message, const QString& detail) {
        return QStringLiteral("Data: 08/12/2026 Hora: 14:05.09-Supervisor-") + message +
               QLatin1Char('-') + detail;
    }

    const QString today = QStringLiteral("FC001081226.log");
    const QString yesterday = QStringLiteral("FC001071226.log");
};

TEST_F(LogViewerTest, ListsTheUsersOwnLogsWhereTheyAreWritten) {
    for (const char* name :
         {"FC001081226.log", "FC001071226.log", "FC002081226.log", "tavrel.log", "FC001.txt"}) {
        writeFile(QString::fromUtf8(name), "x\r\n");
    }
    QWidget* screen = open(QStringLiteral("fmostralog"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Log de Operação"));
    EXPECT_EQ(listLines(screen, QStringLiteral("diretorio")), (QStringList{yesterday, today}));
    EXPECT_EQ(text(screen, QStringLiteral("Command1")), QStringLiteral("Ler Arquivo Usuário"));
    EXPECT_EQ(text(screen, QStringLiteral("Command2")), QStringLiteral("Zerar Arquivo Log"));
    EXPECT_EQ(text(screen, QStringLiteral("Command7")), QStringLiteral("&IMPRIMIR"));
    EXPECT_EQ(text(screen, QStringLiteral("SAIR")), QStringLiteral("&SAIR"));
    screen->close();

    // A program folder that cannot be written keeps its logs in another folder: they are read
    // from there.
    QTemporaryDir elsewhere;
    context.writableFolder = elsewhere.path();
    RegistraLog(context, QStringLiteral("ENTROU"), QStringLiteral("**"));
    screen = open(QStringLiteral("fmostralog"));
    EXPECT_EQ(listLines(screen, QStringLiteral("diretorio")), QStringList{today});
    chooseLine(screen, QStringLiteral("diretorio"), today);
    click(screen, QStringLiteral("Command1"));
    EXPECT_TRUE(shown(screen).startsWith(line(QStringLiteral("ENTROU"), QStringLiteral("**"))));
}

TEST_F(LogViewerTest, ReadsTheFileAsWrittenBelowWhatIsShown) {
    RegistraLog(context, QStringLiteral("INCLUIU CHEQUE"), 1500.75);  // "1500,75"
    QWidget* screen = open(QStringLiteral("fmostralog"));
    chooseLine(screen, QStringLiteral("diretorio"), today);
    click(screen, QStringLiteral("Command1"));
    const QString once = line(QStringLiteral("INCLUIU CHEQUE"), QStringLiteral("1500,75")) +
                         QLatin1Char('\n') + QString(113, QLatin1Char('-')) + QLatin1Char('\n');
    EXPECT_EQ(shown(screen), once);
    click(screen, QStringLiteral("Command1"));
    EXPECT_EQ(shown(screen), once + once);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LogViewerTest, NoKeepsTheFileAndSaysSo) {
    writeFile(yesterday, "ontem\r\n");
    QWidget* screen = open(QStringLiteral("fmostralog"));
    chooseLine(screen, QStringLiteral("diretorio"), yesterday);
    dialogs.answer(DialogAnswer::No);
    click(screen, QStringLiteral("Command2"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Tem certesa que quer realmente excluir esse arquivo? :"));
    EXPECT_EQ(dialogs.last().title, QStringLiteral("EXCLUSÃO"));
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::YesNo);
    EXPECT_EQ(dialogs.last().icon, DialogIcon::Question);
    EXPECT_EQ(programFileLines(yesterday), QStringList{QStringLiteral("ontem")});
    EXPECT_EQ(programFileLines(today),
              (QStringList{line(QStringLiteral("DESISTIU DE ZERAR O ARQUIVO DE LOG!!!!!"),
                                QStringLiteral("Supervisor")),
                           QString(113, QLatin1Char('-'))}));
}

TEST_F(LogViewerTest, YesDeletesTheFileAndLogsItAfterwards) {
    RegistraLog(context, QStringLiteral("ENTROU"), QStringLiteral("**"));
    writeFile(yesterday, "ontem\r\n");
    QWidget* screen = open(QStringLiteral("fmostralog"));
    chooseLine(screen, QStringLiteral("diretorio"), today);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, QStringLiteral("Command2"));
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("Tem certesa que quer realmente excluir esse arquivo? :"),
                           QStringLiteral("ARQUIVO ZERADO")}));
    // Today's file starts again with the line of its own deletion only.
    EXPECT_EQ(programFileLines(today),
              (QStringList{
                  line(QStringLiteral("ZEROU ARQUIVO DE LOG!!!!!"), QStringLiteral("Supervisor")),
                  QString(113, QLatin1Char('-'))}));

    chooseLine(screen, QStringLiteral("diretorio"), yesterday);
    dialogs.answer(DialogAnswer::Yes);
    click(screen, QStringLiteral("Command2"));
    EXPECT_FALSE(QFile::exists(context.writablePath(yesterday)));
    EXPECT_EQ(listLines(screen, QStringLiteral("diretorio")), QStringList{today})
        << "the list follows the deletion";
}

TEST_F(LogViewerTest, NothingDeletedWritesNoDeletionLine) {
    writeFile(yesterday, "ontem\r\n");
    QWidget* screen = open(QStringLiteral("fmostralog"));
    // Nothing chosen: reported once, nothing asked, nothing logged.
    click(screen, QStringLiteral("Command2"));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.last().text.startsWith(
        QStringLiteral("Erro No.53 - Nenhum arquivo de log foi escolhido na lista.")));
    EXPECT_TRUE(programFileLines(today).isEmpty());

    // The file went away after it was listed: the failure is reported, not a deletion.
    chooseLine(screen, QStringLiteral("diretorio"), yesterday);
    ASSERT_TRUE(QFile::remove(context.writablePath(yesterday)));
    dialogs.clear();
    dialogs.answer(DialogAnswer::Yes);
    click(screen, QStringLiteral("Command2"));
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Erro No.75")))
        << dialogs.last().text.toStdString();
    EXPECT_TRUE(programFileLines(today).isEmpty());
    EXPECT_TRUE(listLines(screen, QStringLiteral("diretorio")).isEmpty());
}

TEST_F(LogViewerTest, PrintsTheShownTextWithLongLinesContinued) {
    QWidget* screen = open(QStringLiteral("fmostralog"));
    click(screen, QStringLiteral("Command7"));
    EXPECT_EQ(
        dialogs.texts(),
        QStringList{QStringLiteral("Não há texto para imprimir: leia antes um arquivo de log.")});
    EXPECT_TRUE(reports.printed().empty());

    const QString detail = QStringLiteral(
        "ALTEROU O CADASTRO DO CLIENTE 00001 COM OBSERVAÇÕES MUITO LONGAS SOBRE "
        "O LIMITE, A TAXA, OS TELEFONES E O ENDEREÇO NOVO FINAL");
    RegistraLog(context, QStringLiteral("ALTEROU CLIENTE"), detail);
    auto* viewer = qobject_cast<fmostralog*>(screen);
    viewer->LerArquivo(context.writablePath(today));
    click(screen, QStringLiteral("Command7"));
    ASSERT_EQ(reports.printed().size(), 1u);
    const ReportContent& content = reports.last().content;
    EXPECT_EQ(reports.last().formName, QStringLiteral("fmostralog"));
    EXPECT_EQ(content.title, QStringLiteral("Log de Operação"));
    EXPECT_EQ(content.rowCount, 2);
    const QString text = reportText(content).simplified();
    EXPECT_FALSE(text.contains(QStringLiteral("…")));
    EXPECT_TRUE(text.contains(QStringLiteral("O ENDEREÇO NOVO FINAL")));
    // pdftotext may break a long run of hyphens with a blank.
    EXPECT_TRUE(QString(text).remove(QLatin1Char(' ')).contains(QString(113, QLatin1Char('-'))));
}

}  // namespace
}  // namespace tavrel::test
