// A first start reduced to what the kill test needs: says "pronto" on its output, prepares the
// data folder given (argument 1) with the templates of argument 2, then says "feito". The test
// kills it at a random moment after "pronto".
#include <QCoreApplication>
#include <cstdio>

#include "data/data_folder.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        return 2;
    }
    std::fputs("pronto\n", stdout);
    std::fflush(stdout);
    try {
        tavrel::prepareDataFolder(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
        std::fputs("feito\n", stdout);
        std::fflush(stdout);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
