// Printing from a screen: the entry point under the error convention, the recorder that takes
// the preview's place in tests, the preview window's commands, and the command-line renderer.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include "report_data.h"
#include "reports/print_report.h"
#include "reports/report_preview.h"

namespace tavrel::test {
namespace {

class PrintReport : public ReportData {
protected:
    void writeDataFile(const QString& name, const QByteArray& bytes) {
        QFile file(context.dataPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // The error shown to the operator, which must also be in the error log.
    QString reportedError() {
        EXPECT_EQ(dialogs.shown().size(), 1u);
        if (dialogs.shown().empty())
            return {};
        const QString text = dialogs.last().text;
        EXPECT_EQ(dialogs.last().icon, DialogIcon::Critical);
        EXPECT_TRUE(programFileLines(QStringLiteral("tavrel.log"))
                        .join(QStringLiteral("\r\n"))
                        .contains(text));
        return text;
    }
};

TEST_F(PrintReport, PrintsTheTemplateWithTheFormulaWithoutAWindow) {
    EXPECT_TRUE(imprimeRelatorio(context, QStringLiteral("FTROCA"), QStringLiteral("troca.rpt"),
                                 QStringLiteral("{cheques.cd_troca}= '00012'")));
    ASSERT_EQ(reports.printed().size(), 1u);
    const PrintedReport& printed = reports.last();
    EXPECT_EQ(printed.formName, QStringLiteral("FTROCA"));
    EXPECT_EQ(printed.templateName, QStringLiteral("troca.rpt"));
    EXPECT_EQ(printed.formula, QStringLiteral("{cheques.cd_troca}= '00012'"));
    EXPECT_EQ(printed.output, ReportOutput::Preview);
    EXPECT_EQ(printed.content.rowCount, 3);
    EXPECT_EQ(printed.content.footerLeft, QStringLiteral("Impresso em 08/12/2026 às 14:05"));
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_TRUE(reportText(printed.content).contains(QStringLiteral("R$ 4.759,75")));
}

TEST_F(PrintReport, ClientsReportOfTheMainMenu) {
    EXPECT_TRUE(imprimeRelacaoClientes(context));
    EXPECT_EQ(reports.last().formName, QStringLiteral("fprincipal"));
    EXPECT_EQ(reports.last().templateName, QStringLiteral("relclientes.rpt"));
    EXPECT_TRUE(reports.last().formula.isEmpty());
    EXPECT_EQ(reports.last().content.rowCount, 3);

    EXPECT_TRUE(imprimeRelatorio(context, QStringLiteral("fprincipal"),
                                 QStringLiteral("relclientes.rpt"), {}, ReportOutput::Printer));
    EXPECT_EQ(reports.last().output, ReportOutput::Printer);
}

TEST_F(PrintReport, MissingTemplateIsReportedAndNothingPrinted) {
    ASSERT_TRUE(QFile::remove(context.dataPath(QStringLiteral("troca.rpt"))));
    context.currentLocation = QStringLiteral("TROCA DE CHEQUES");
    EXPECT_FALSE(imprimeRelatorio(context, QStringLiteral("FTROCA"), QStringLiteral("troca.rpt"),
                                  QStringLiteral("{cheques.cd_troca}= '00012'")));
    const QString error = reportedError();
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("Erro No.53 - Modelo de relatório não encontrado: ")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Formulário: FTROCA")));
    EXPECT_TRUE(error.contains(QStringLiteral("Objeto: troca.rpt")));
    EXPECT_TRUE(error.contains(QStringLiteral("Procedure: TROCA DE CHEQUES")));
    EXPECT_TRUE(reports.printed().empty());
}

TEST_F(PrintReport, NoTemplateChosenIsReported) {
    EXPECT_FALSE(imprimeRelatorio(context, QStringLiteral("frelatorios"), QString()));
    EXPECT_TRUE(reportedError().startsWith(QStringLiteral("Erro No.53")));
}

TEST_F(PrintReport, MalformedFormulaIsReported) {
    EXPECT_FALSE(imprimeRelatorio(context, QStringLiteral("fbaixas"), QStringLiteral("BAIXAS.RPT"),
                                  QStringLiteral("{cheques.dt_deposito} <=  #2026/12/08 AND")));
    const QString error = reportedError();
    EXPECT_TRUE(error.startsWith(QStringLiteral("Erro No.20500 - Fórmula de seleção inválida")))
        << error.toStdString();
    EXPECT_TRUE(reports.printed().empty());
}

TEST_F(PrintReport, FaultyTemplateIsReportedWithItsLine) {
    writeDataFile(QStringLiteral("troca.rpt"),
                  "from table=CHEQUES\ncolumn value=\"{CHEQUES.VL_CHEQUE}\"\n"
                  "column value=\"{CHEQUES.VL_SENHA}\"\n");
    EXPECT_FALSE(imprimeRelatorio(context, QStringLiteral("FTROCA"), QStringLiteral("troca.rpt")));
    EXPECT_TRUE(reportedError().startsWith(QStringLiteral(
        "Erro No.20500 - Modelo de relatório inválido (troca.rpt, linha 3): a tabela CHEQUES "
        "não tem a coluna VL_SENHA")));
}

TEST_F(PrintReport, MissingDatabaseIsReported) {
    QTemporaryDir empty;
    QFile::copy(context.dataPath(QStringLiteral("troca.rpt")),
                empty.filePath(QStringLiteral("troca.rpt")));
    context.dataFolder = empty.path();
    EXPECT_FALSE(imprimeRelatorio(context, QStringLiteral("FTROCA"), QStringLiteral("troca.rpt")));
    EXPECT_TRUE(reportedError().startsWith(QStringLiteral("Erro No.53 - Arquivo não encontrado")));
    EXPECT_FALSE(QFile::exists(empty.filePath(QStringLiteral("cheques.db"))));
}

TEST_F(PrintReport, TemplateNameIgnoresLetterCaseAndOldCodePage) {
    ASSERT_TRUE(QFile::remove(context.dataPath(QStringLiteral("BAIXAS.RPT"))));
    // Saved by an editor in the Windows code page: "RELAÇÃO" in Latin-1.
    writeDataFile(QStringLiteral("baixas.rpt"),
                  "report title=\"RELA\xC7\xC3O\"\nfrom table=CHEQUES\n"
                  "column value=\"{CHEQUES.NR_CHEQUE}\"\n");
    EXPECT_TRUE(imprimeRelatorio(context, QStringLiteral("fbaixas"), QStringLiteral("BAIXAS.RPT"),
                                 QStringLiteral("{CHEQUES.CD_STATUS}='A'")));
    EXPECT_EQ(reports.last().content.title, QStringLiteral("RELAÇÃO"));
    EXPECT_EQ(reports.last().content.rowCount, 6);
}

// The preview window's commands, on a window that is built but never shown.
TEST_F(PrintReport, PreviewTurnsPagesAndSavesAPdf) {
    for (int i = 0; i < 3; ++i) {
        exec(
            QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_CHEQUE, DT_DEPOSITO) "
                           "SELECT '00300', '00003', 1, '2026-12-20' FROM CHEQUES"));
    }
    PrintedReport printed;
    printed.formName = QStringLiteral("frelatorios");
    printed.content =
        buildReport(context.dataFolder,
                    context.dataPath(QStringLiteral("1_cheques_por_cliente.rpt")), {}, clock.now());
    ReportPreview preview(context, printed);
    ASSERT_GT(preview.pageCount(), 1);
    click(&preview, QStringLiteral("proxima"));
    EXPECT_EQ(preview.currentPage(), 1);
    click(&preview, QStringLiteral("ultima"));
    EXPECT_EQ(preview.currentPage(), preview.pageCount() - 1);
    click(&preview, QStringLiteral("proxima"));  // stays on the last page
    EXPECT_EQ(preview.currentPage(), preview.pageCount() - 1);
    click(&preview, QStringLiteral("primeira"));
    EXPECT_EQ(preview.currentPage(), 0);

    const QString target = programDir.filePath(QStringLiteral("relatorio"));
    dialogs.answerText(target);
    click(&preview, QStringLiteral("salvarpdf"));
    const QString text = pdfText(target + QStringLiteral(".pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("CHEQUES POR CLIENTE")));
    EXPECT_TRUE(text.contains(QStringLiteral("Página %1 de %1").arg(preview.pageCount())));

    dialogs.answerText(std::nullopt);  // cancelled: nothing written, nothing reported
    click(&preview, QStringLiteral("salvarpdf"));
    EXPECT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.last().kind, DialogKind::SaveFile);
}

class ReportCommand : public ReportData {
protected:
    int run(const QStringList& arguments, QString* errors = nullptr) {
        QProcess process;
        process.start(QStringLiteral(TAVREL_REPORT_CLI), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        if (errors != nullptr)
            *errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }
};

TEST_F(ReportCommand, RendersADataFolderReportToPdf) {
    const QString out = programDir.filePath(QStringLiteral("baixas.pdf"));
    EXPECT_EQ(run({QStringLiteral("--data"), context.dataFolder, QStringLiteral("--template"),
                   QStringLiteral("BAIXAS.RPT"), QStringLiteral("--formula"),
                   QStringLiteral("{cheques.dt_deposito} <=  #2026/12/08# AND "
                                  "{CHEQUES.CD_STATUS}='A'"),
                   QStringLiteral("--pdf"), out}),
              0);
    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("5.699,99")));
    EXPECT_FALSE(text.contains(QStringLiteral("PADARIA")));
}

TEST_F(ReportCommand, RefusesMissingArgumentsAndReportsFailures) {
    EXPECT_EQ(run({QStringLiteral("--data"), context.dataFolder}), 2);
    QString errors;
    EXPECT_EQ(run({QStringLiteral("--data"), context.dataFolder, QStringLiteral("--template"),
                   QStringLiteral("troca.rpt"), QStringLiteral("--formula"),
                   QStringLiteral("{cheques.cd_troca}= '00012"), QStringLiteral("--pdf"),
                   programDir.filePath(QStringLiteral("x.pdf"))},
                  &errors),
              1);
    EXPECT_TRUE(errors.contains(QStringLiteral("Erro 20500: Fórmula de seleção inválida")))
        << errors.toStdString();
    EXPECT_EQ(run({QStringLiteral("--data"), context.dataFolder, QStringLiteral("--template"),
                   QStringLiteral("troca.rpt"), QStringLiteral("--pdf"),
                   QStringLiteral("/nao/existe/x.pdf")},
                  &errors),
              1);
    EXPECT_TRUE(errors.contains(QStringLiteral("Erro 75"))) << errors.toStdString();
}

// A filled report (a grid printed as arranged) goes the same way, and its captions are on every
// page or on the first only.
TEST(PresentReport, CaptionsOnEveryPageOrOnTheFirstOnly) {
    ReportContent content;
    content.title = QStringLiteral("Grade");
    content.columns = {{QStringLiteral("Vencimento"), 10, Alignment::Left}};
    for (int i = 0; i < 120; ++i) {
        ReportLine line;
        line.cells = {QString::number(i)};
        content.lines << line;
    }
    const QStringList repeated = reportText(content).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(repeated.size(), 2);
    EXPECT_TRUE(repeated[1].contains(QStringLiteral("Vencimento")));
    content.repeatCaptions = false;
    const QStringList once = reportText(content).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    EXPECT_TRUE(once[0].contains(QStringLiteral("Vencimento")));
    EXPECT_FALSE(once[1].contains(QStringLiteral("Vencimento")));
}

}  // namespace
}  // namespace tavrel::test
