// The preview window on the screen this program runs on (ctest runs it on 1024 x 768 and
// 1366 x 768 screens, where a page at full size is taller than the screen, and on the first
// wider too), and the name it proposes for a PDF.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "report_data.h"
#include "reports/print_report.h"
#include "reports/report_file_name.h"
#include "reports/report_preview.h"

namespace tavrel::test {
namespace {

class Preview : public ReportData {
protected:
    // Prints exchange 00012 to the preview window, as the exchange screen's "&IMPRIMIR" does.
    ReportPreview* printExchange() {
        context.reports = nullptr;  // the real preview window instead of the recorder
        EXPECT_TRUE(imprimeRelatorio(context, QStringLiteral("FTROCA"), QStringLiteral("troca.rpt"),
                                     QStringLiteral("{cheques.cd_troca}= '00012'")));
        QApplication::processEvents();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<ReportPreview*>(window))
                return preview;
        }
        ADD_FAILURE() << "no preview window";
        return nullptr;
    }
};

TEST_F(Preview, OpensCentredInsideTheScreenShowingTheWholeWidthOfThePage) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ReportPreview* preview = printExchange();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    const QRect frame = preview->frameGeometry();
    EXPECT_TRUE(available.contains(frame)) << frame.width() << "x" << frame.height() << " on "
                                           << available.width() << "x" << available.height();
    EXPECT_LE(std::abs(frame.center().x() - available.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - available.center().y()), 1);

    // The whole width of the page is on screen, with no horizontal scrolling: at full size
    // where the screen is wide enough for the landscape A4 page (1123 pixels), fitted to the
    // window's width where it is not.
    auto* scroll = preview->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(text(preview, QStringLiteral("zoom")), available.width() >= 1200
                                                         ? QStringLiteral("100%")
                                                         : QStringLiteral("Largura da página"));

    // Fitted to the width, it stays fitted when the operator makes the window narrower.
    auto* zoom = control<QComboBox>(preview, QStringLiteral("zoom"));
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("Largura da página")));
    preview->resize(preview->width() - 200, preview->height());
    QApplication::processEvents();
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);

    // A zoom the operator chooses is kept as chosen.
    zoom->setCurrentIndex(zoom->findData(200));
    QApplication::processEvents();
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
}

TEST_F(Preview, SavingAPdfProposesTheReportsNameInTheDocumentsFolder) {
    QTemporaryDir documents;
    desktop.documents = documents.path();
    ReportPreview* preview = printExchange();
    ASSERT_NE(preview, nullptr);
    const QString target = documents.filePath(QStringLiteral("troca_00012.pdf"));
    dialogs.answerText(target);
    click(preview, QStringLiteral("salvarpdf"));
    ASSERT_EQ(dialogs.last().kind, DialogKind::SaveFile);
    EXPECT_EQ(dialogs.last().folder, target);
    EXPECT_TRUE(pdfText(target).contains(QStringLiteral("00012")));
}

TEST(ReportFileName, TemplateAndTheValuesTheFormulaPicks) {
    EXPECT_EQ(reportFileName("troca.rpt", "{cheques.cd_troca}= '00390'"), "troca_00390.pdf");
    EXPECT_EQ(reportFileName("BAIXAS.RPT",
                             "{cheques.dt_deposito} <=  #2026/12/08# AND {CHEQUES.CD_STATUS}='A'"),
              "baixas_2026-12-08_A.pdf");
    EXPECT_EQ(reportFileName("relclientes.rpt", ""), "relclientes.pdf");
    EXPECT_EQ(reportFileName("1_cheques_por_cliente.rpt",
                             "{cheques.dt_deposito} >=  #2026/01/01# AND {cheques.dt_deposito} <= "
                             "#2026/12/31# AND {cheques.cd_cliente}='00003'"),
              "1_cheques_por_cliente_2026-01-01_2026-12-31_00003.pdf");
    // Whatever an operator typed into a value cannot reach another folder or break the name.
    EXPECT_EQ(reportFileName("recompra.rpt", "{recompra.nm}='D''Ávila / ../x'"),
              "recompra_D-Ávila-x.pdf");
    EXPECT_EQ(reportFileName("", "{a.b}='\"'"), "relatorio.pdf");
    EXPECT_EQ(reportFileName("troca.rpt", "{a.b}='" + QString(300, 'n') + "'").size(),
              QStringLiteral("troca_.pdf").size() + 40);
}

}  // namespace
}  // namespace tavrel::test
