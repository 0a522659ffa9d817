#include "exchange/grid_troca.h"

#include <QSqlQuery>
#include <QTableView>

#include "data/sql.h"
#include "ui/formatted_query_model.h"

namespace tavrel {
namespace {

// Columns of the grid, in order, and the hidden row id last.
const QString kColunas = QStringLiteral(
    "DT_DEPOSITO, VL_CHEQUE, VL_ACUMULADO, VL_JUROS, VL_LIQUIDEZ, NR_SEQUENCIAL, CD_AGENCIA, "
    "CD_BANCO, CD_CONTA, NR_CHEQUE, id");
const char* const kTitulos[] = {"VENCIMENTO", "VALOR", "ACUMULO. CPF", "JUROS", "LIQUIDEZ",
                                "NEGOCIADO",  "AG.",   "BNC",          "CONTA", "CHEQUE"};
constexpr int kColunaId = 10;

}  // namespace

void formataGridTroca(FormattedQueryModel& model) {
    model.setColumnFormat(0, ColumnFormat::Date);
    for (int coluna : {1, 2, 3})
        model.setColumnFormat(coluna, ColumnFormat::Money);
    model.setColumnFormat(4, ColumnFormat::Number);
}

void mostraGridTroca(const QSqlDatabase& db, FormattedQueryModel& model, QTableView* grid,
                     const QString& numero) {
    QSqlQuery cheques = runSqlForModel(
        db,
        QStringLiteral("SELECT %1 FROM CHEQUES WHERE CD_TROCA = ? ORDER BY CD_TROCA, "
                       "DT_DEPOSITO, id")
            .arg(kColunas),
        {numero});
    model.setQuery(std::move(cheques));
    for (int coluna = 0; coluna < kColunaId; ++coluna) {
        model.setHeaderData(coluna, Qt::Horizontal, QString::fromUtf8(kTitulos[coluna]));
    }
    grid->setColumnHidden(kColunaId, true);
}

qint64 idDaLinhaTroca(const FormattedQueryModel& model, int linha) {
    return model.data(model.index(linha, kColunaId)).toLongLong();
}

}  // namespace tavrel
