// Reading a long report: its layout counted before its rows, read in slices or one outer group
// at a time with the same result as one statement, the question before thousands of pages, the
// preview that shows the first page while the rest is read, and painting that can be stopped.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>

#include "report_data.h"
#include "reports/print_report.h"
#include "reports/report_fill.h"
#include "reports/report_painter.h"
#include "reports/report_preview.h"

namespace tavrel::test {
namespace {

class ReportFillTest : public ReportData {
protected:
    // `count` more cheques of the deposit dates of December, spread over the three clients, a
    // client code missing from CLIENTES and no client at all, every status.
    void addCheques(int count) {
        exec(QStringLiteral(
                 "INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_CHEQUE, VL_JUROS, DT_TROCA, "
                 "DT_DEPOSITO, CD_STATUS, NM_EMITENTE, NR_CHEQUE) "
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                 "SELECT printf('%05d', 200 + i / 7), "
                 "CASE i % 5 WHEN 3 THEN '00009' WHEN 4 THEN NULL "
                 "ELSE printf('%05d', 1 + i % 3) END, "
                 "100 + i % 997, (i % 89) / 10.0, printf('2026-11-%02d', 1 + i % 28), "
                 "printf('2026-12-%02d', 1 + i % 31), substr('ABC', 1 + i % 3, 1), "
                 "'EMITENTE ' || (i % 53), printf('%06d', i) FROM n"),
             {count});
    }

    std::unique_ptr<ReportFill> countedFill(const QString& templateName,
                                            const QString& formula = {}) {
        return std::make_unique<ReportFill>(context.dataFolder, context.dataPath(templateName),
                                            formula, clock.now(), ReportFill::Plan::CountFirst);
    }

    static QStringList texts(const ReportContent& content) {
        QStringList lines;
        for (const ReportLine& line : content.lines) {
            lines << QString::number(static_cast<int>(line.kind)) + QLatin1Char('|') + line.text +
                         QLatin1Char('|') + line.cells.join(QLatin1Char('|'));
        }
        return lines;
    }
};

TEST_F(ReportFillTest, CountedLayoutAndGroupByGroupReadingGiveTheReportOfOneStatement) {
    addCheques(700);
    struct Case {
        const char* templateName;
        const char* formula;
        bool byOuterGroup;
    };
    const Case cases[] = {
        // Clients (an indexed column of CHEQUES), some unknown or missing.
        {"1_cheques_por_cliente.rpt",
         "{cheques.dt_deposito} >=  #2026/12/02# AND {cheques.dt_deposito} <= #2026/12/30#", true},
        {"BAIXAS.RPT", "{cheques.dt_deposito} <=  #2026/12/20#", true},  // deposit days
        {"1_abertos_e_baixados.rpt", "", true},                          // statuses
        {"1_juros_e_tarifas.rpt", "", false},  // exchange days: no index, one statement
        {"recompra.rpt", "", true},            // two levels: by client, then status
        {"troca.rpt", "{cheques.cd_troca}= '00210'", false},                    // no groups
        {"1_cheques_por_cliente.rpt", "{cheques.cd_troca}= 'nenhuma'", false},  // no rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateName);
        const QString formula = QString::fromUtf8(c.formula);
        const ReportContent whole =
            buildReport(context.dataFolder, context.dataPath(QString::fromUtf8(c.templateName)),
                        formula, clock.now());
        std::unique_ptr<ReportFill> fill = countedFill(QString::fromUtf8(c.templateName), formula);
        EXPECT_EQ(fill->readsByOuterGroup(), c.byOuterGroup);
        const qint64 counted = fill->rowCount();
        const QVector<PageRange> countedPages = fill->pages();
        while (!fill->readSome(0)) {
        }
        const QVector<PageRange> pages = fill->pages();
        const ReportContent read = fill->takeContent();
        EXPECT_EQ(counted, whole.rowCount);
        EXPECT_EQ(read.rowCount, whole.rowCount);
        EXPECT_EQ(texts(read), texts(whole));
        ASSERT_EQ(countedPages.size(), pages.size());
        for (qsizetype p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(countedPages[p].first, pages[p].first);
            EXPECT_EQ(countedPages[p].count, pages[p].count);
        }
    }
}

TEST_F(ReportFillTest, TheReadingSeesTheDatabaseAsItWasWhenItBegan) {
    addCheques(700);
    std::unique_ptr<ReportFill> fill = countedFill(QStringLiteral("1_cheques_por_cliente.rpt"));
    ASSERT_TRUE(fill->readsByOuterGroup());
    const qint64 counted = fill->rowCount();
    EXPECT_FALSE(fill->readSome(0));  // the first client's statement, not the last one's
    // Written meanwhile by another screen: a cheque of the client read last.
    exec(
        QStringLiteral("INSERT INTO CHEQUES (CD_TROCA, CD_CLIENTE, VL_CHEQUE, DT_DEPOSITO) "
                       "VALUES ('09999', '00003', 1, '2026-12-10')"));
    fill->readAll();
    EXPECT_EQ(fill->content().rowCount, counted);
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM CHEQUES")).toLongLong(), counted + 1);
}

TEST_F(ReportFillTest, AThousandPagesAreAskedAboutFirst) {
    // Sixteen-point landscape lines: 17 to a page.
    QFile big(context.dataPath(QStringLiteral("1_grande.rpt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(
        "report title=GRANDE orientation=landscape font=16\nfrom table=CHEQUES\n"
        "column caption=Cheque value=\"{CHEQUES.NR_CHEQUE}\"\n");
    big.close();
    addCheques(17000);

    dialogs.answer(DialogAnswer::No);
    EXPECT_FALSE(
        imprimeRelatorio(context, QStringLiteral("frelatorios"), QStringLiteral("1_grande.rpt")));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("Este relatório terá 1.001 páginas (17.008 "
                                                  "registros). Deseja gerá-lo assim mesmo?"));
    EXPECT_EQ(dialogs.last().buttons, DialogButtons::YesNo);
    EXPECT_TRUE(reports.printed().empty());
    EXPECT_TRUE(programFileLines(QStringLiteral("tavrel.log")).isEmpty());

    dialogs.answer(DialogAnswer::Yes);
    EXPECT_TRUE(
        imprimeRelatorio(context, QStringLiteral("frelatorios"), QStringLiteral("1_grande.rpt")));
    ASSERT_EQ(reports.printed().size(), 1u);
    EXPECT_EQ(reports.last().content.rowCount, 17008);

    // Below a thousand pages nothing is asked.
    EXPECT_TRUE(imprimeRelatorio(context, QStringLiteral("frelatorios"),
                                 QStringLiteral("1_grande.rpt"),
                                 QStringLiteral("{CHEQUES.CD_STATUS} = 'A'")));
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(ReportFillTest, PreviewShowsTheFirstPageWhileTheRestIsRead) {
    addCheques(12000);
    PrintedReport printed;
    printed.formName = QStringLiteral("frelatorios");
    std::unique_ptr<ReportFill> fill = countedFill(QStringLiteral("1_cheques_por_cliente.rpt"));
    const int counted = static_cast<int>(fill->pages().size());
    auto* preview = new ReportPreview(context, printed, std::move(fill));
    const QPointer<ReportPreview> watch(preview);
    EXPECT_TRUE(preview->isReading());
    EXPECT_FALSE(preview->pageDrawn());
    EXPECT_EQ(preview->pageCount(), counted);
    EXPECT_FALSE(control<QPushButton>(preview, QStringLiteral("salvarpdf"))->isEnabled());
    EXPECT_FALSE(control<QPushButton>(preview, QStringLiteral("imprimir"))->isEnabled());

    while (!preview->pageDrawn()) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(preview->isReading());  // a slice reads a fraction of 12,000 rows
    EXPECT_EQ(preview->currentPage(), 0);

    // A page not read yet waits for its rows.
    click(preview, QStringLiteral("ultima"));
    EXPECT_EQ(preview->currentPage(), counted - 1);
    EXPECT_FALSE(preview->pageDrawn());
    while (preview->isReading()) {
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(preview->pageDrawn());
    EXPECT_EQ(preview->pageCount(), counted);
    EXPECT_TRUE(control<QPushButton>(preview, QStringLiteral("salvarpdf"))->isEnabled());
    EXPECT_TRUE(control<QPushButton>(preview, QStringLiteral("imprimir"))->isEnabled());
    preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST_F(ReportFillTest, CancellingTheReadingClosesThePreview) {
    PrintedReport printed;
    auto* preview = new ReportPreview(context, printed, countedFill(QStringLiteral("BAIXAS.RPT")));
    const QPointer<ReportPreview> watch(preview);
    ASSERT_TRUE(preview->isReading());
    click(preview, QStringLiteral("cancelar"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(ReportFillTest, PaintingStoppedLeavesNoFile) {
    addCheques(300);
    const ReportContent content = buildReport(
        context.dataFolder, context.dataPath(QStringLiteral("BAIXAS.RPT")), {}, clock.now());
    const QString path = programDir.filePath(QStringLiteral("parado.pdf"));
    QList<int> told;
    EXPECT_EQ(writeReportPdf(content, path,
                             [&](int done, int total) {
                                 told << done;
                                 EXPECT_GT(total, 3);
                                 return done < 2;
                             }),
              0);
    EXPECT_EQ(told, (QList<int>{1, 2}));
    EXPECT_FALSE(QFile::exists(path));

    told.clear();
    const int pages = writeReportPdf(content, path, [&](int done, int) {
        told << done;
        return true;
    });
    EXPECT_EQ(told.size(), pages);
    EXPECT_TRUE(QFile::exists(path));
}

}  // namespace
}  // namespace tavrel::test
