#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <functional>

namespace tavrel {
struct Parametros;
}

namespace tavrel::demo {

struct DemoOptions {
    QString folder;  // created if missing; must not hold a main database yet
    int clients = 40;
    int cheques = 3000;
    std::uint64_t seed = 1;
    QString password = QStringLiteral("tavrel");  // of the user "Supervisor"
    QDate today;                                  // the day the data is made for
    QString templatesFolder;                    // report templates copied into the folder, if given
    int historyDays = 730;                      // exchanges from this many days back up to today
    std::function<void(int cheques)> progress;  // called after each exchange, if set
};

struct DemoSummary {
    int clients = 0;
    int exchanges = 0;
    int cheques = 0;
    int open = 0;
    int settled = 0;
    int returned = 0;
    int repurchasesOpen = 0;
    int repurchasesSettled = 0;
    int blacklisted = 0;
    int holidays = 0;
    int accounts = 0;
    int descriptions = 0;
    int entries = 0;
    QDate firstExchange;
    QDate lastExchange;
    QString user;
    QString password;
    double seconds = 0;
};

// The parameters row the demo data is computed with: the fees a business would charge today.
Parametros demoParametros();

// Makes a complete data folder with the program's own code: parameters, holidays, clients,
// exchanges computed by CalculaCheque with their issuer history, cheques settled and returned
// over time (with blacklisting and repurchase entries as the returns screen makes them), the
// ledger and the user "Supervisor". The cheques go in one transaction. Throws AppError when the
// folder already holds data or the options make no sense.
DemoSummary generateDemoData(const DemoOptions& options);

}  // namespace tavrel::demo
