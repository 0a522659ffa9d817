// tavrel-report: renders a report of a data folder to a PDF file, without a screen. For batch
// printing and for checking templates.
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <cstdio>

#include "core/clock.h"
#include "core/errors.h"
#include "reports/print_report.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts without a display
    }
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Gera em PDF um relatório de uma pasta de dados do Tavrel."));
    parser.addHelpOption();
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Pasta de dados."),
                                  QStringLiteral("pasta"));
    const QCommandLineOption templateName(
        QStringLiteral("template"),
        QStringLiteral("Modelo de relatório (nome na pasta de dados, ou caminho)."),
        QStringLiteral("nome"));
    const QCommandLineOption formula(QStringLiteral("formula"),
                                     QStringLiteral("Fórmula de seleção (opcional)."),
                                     QStringLiteral("texto"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Arquivo PDF a gravar."),
                                 QStringLiteral("arquivo"));
    parser.addOptions({data, templateName, formula, pdf});
    parser.process(app);

    if (!parser.isSet(data) || !parser.isSet(templateName) || !parser.isSet(pdf)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 2;
    }
    const QString dataFolder = parser.value(data);
    try {
        const tavrel::SystemClock clock;
        const int pages = tavrel::renderReportToPdf(
            dataFolder, QDir(dataFolder).filePath(parser.value(templateName)),
            parser.value(formula), parser.value(pdf), clock.now());
        std::printf("%s: %d página(s)\n", qPrintable(parser.value(pdf)), pages);
        return 0;
    } catch (const tavrel::AppError& error) {
        std::fprintf(stderr, "Erro %d: %s\n", error.number(), qPrintable(error.description()));
        return 1;
    }
}
