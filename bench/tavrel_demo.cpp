// tavrel-demo: makes a demo data folder with the program's own calculation.
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <cstdio>

#include "core/clock.h"
#include "core/errors.h"
#include "core/ptbr.h"
#include "demo/demo_data.h"

namespace {

const char* const kUsage =
    "uso: tavrel-demo --out PASTA [--clients N] [--cheques M] [--seed S] [--password SENHA]\n"
    "                 [--today AAAA-MM-DD]\n";

bool readInt(const QString& text, int& target) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok) {
        target = value;
    }
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    tavrel::SystemClock clock;
    tavrel::demo::DemoOptions options;
    options.today = clock.today();
    options.templatesFolder = QStringLiteral(TAVREL_TEMPLATES_DIR);

    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = args[i];
        if (i + 1 >= args.size()) {
            err << kUsage;
            return 2;
        }
        const QString value = args[++i];
        bool ok = true;
        if (name == QLatin1String("--out")) {
            options.folder = QDir(value).absolutePath();
        } else if (name == QLatin1String("--clients")) {
            ok = readInt(value, options.clients);
        } else if (name == QLatin1String("--cheques")) {
            ok = readInt(value, options.cheques);
        } else if (name == QLatin1String("--seed")) {
            options.seed = value.toULongLong(&ok);
        } else if (name == QLatin1String("--password")) {
            options.password = value;
        } else if (name == QLatin1String("--today")) {
            options.today = tavrel::fromStorageDate(value);
            ok = options.today.isValid();
        } else {
            ok = false;
        }
        if (!ok) {
            err << "valor inválido para " << name << ": " << value << "\n" << kUsage;
            return 2;
        }
    }
    if (options.folder.isEmpty()) {
        err << kUsage;
        return 2;
    }
    options.progress = [&err, total = options.cheques, next = 100000](int done) mutable {
        if (done >= next) {
            err << "  " << done << " de " << total << " cheques\n";
            err.flush();
            next += 100000;
        }
    };

    try {
        const tavrel::demo::DemoSummary s = tavrel::demo::generateDemoData(options);
        out << "Dados de demonstração em " << QDir::toNativeSeparators(options.folder) << "\n"
            << "  clientes:            " << s.clients << "\n"
            << "  trocas:              " << s.exchanges << " ("
            << tavrel::formatDate(s.firstExchange) << " a " << tavrel::formatDate(s.lastExchange)
            << ")\n"
            << "  cheques:             " << s.cheques << " (" << s.open << " em aberto, "
            << s.settled << " baixados, " << s.returned << " devolvidos)\n"
            << "  recompras:           " << s.repurchasesOpen << " em aberto, "
            << s.repurchasesSettled << " baixadas\n"
            << "  lista negra:         " << s.blacklisted << " documentos\n"
            << "  feriados:            " << s.holidays << " (" << options.today.year() - 2 << " a "
            << options.today.year() + 2 << ")\n"
            << "  caixa:               " << s.accounts << " contas, " << s.descriptions
            << " históricos, " << s.entries << " lançamentos\n"
            << "  tempo:               " << QString::number(s.seconds, 'f', 1) << " s\n"
            << "Login: usuário \"" << s.user << "\", senha \"" << s.password << "\"\n";
        return 0;
    } catch (const tavrel::AppError& e) {
        err << e.description() << "\n";
        return 1;
    }
}
