#include "ledger/lancamentos_model.h"

#include <QSqlQuery>
#include <cstdlib>
#include <iterator>

#include "data/sql.h"
#include "ui/formatted_query_model.h"

namespace tavrel {
namespace {

const char* const kTitulos[] = {"Data",   "Histórico",    "Valor",     "Saldo",
                                "Status", "Plano Contas", "Lancamento"};

// One page of the account's entries. The inner select reads the (account, date, code) index
// alone to skip to the page; only the page's rows are then read with their descriptions.
const QString kPaginaSql = QStringLiteral(
    "SELECT l.id, l.DT_LANCAMENTO, h.DS_HISTORICO, l.VL_LANCAMENTO, l.VL_SALDO, l.CD_STATUS, "
    "l.DS_complemento, l.CD_lancamento "
    "FROM LANCAMENTOS l LEFT JOIN HISTORICOS h ON h.CD_HISTORICO = l.CD_HISTORICO "
    "WHERE l.id IN (SELECT id FROM LANCAMENTOS WHERE CD_CONTA = ? "
    "ORDER BY DT_LANCAMENTO, CD_lancamento LIMIT ? OFFSET ?) "
    "ORDER BY l.DT_LANCAMENTO, l.CD_lancamento");

}  // namespace

void LancamentosModel::mostraConta(const QSqlDatabase& db, const QString& cd_conta) {
    db_ = db;
    conta_ = cd_conta;
    recarrega();
}

void LancamentosModel::recarrega() {
    beginResetModel();
    paginas_.clear();
    linhas_ = 0;
    if (!conta_.isEmpty()) {
        try {
            linhas_ =
                scalarSql(db_,
                          QStringLiteral("SELECT COUNT(*) FROM LANCAMENTOS WHERE CD_CONTA = ?"),
                          {conta_})
                    .toInt();
        } catch (...) {
            endResetModel();
            throw;
        }
    }
    endResetModel();
}

qint64 LancamentosModel::idDaLinha(int row) const {
    const Linha* l = linha(row);
    return l ? l->id : 0;
}

LancamentosModel::Pagina LancamentosModel::lePagina(int numero) const {
    Pagina pagina;
    QSqlQuery query =
        runSql(db_, kPaginaSql, {conta_, kLinhasPorPagina, numero * kLinhasPorPagina});
    while (query.next()) {
        Linha l;
        l.id = query.value(0).toLongLong();
        for (int c = 0; c < Colunas; ++c) {
            l.valores[c] = query.value(c + 1);
        }
        pagina.append(l);
    }
    return pagina;
}

const LancamentosModel::Linha* LancamentosModel::linha(int row) const {
    if (row < 0 || row >= linhas_) {
        return nullptr;
    }
    const int numero = row / kLinhasPorPagina;
    auto found = paginas_.find(numero);
    if (found == paginas_.end()) {
        if (paginas_.size() >= kPaginasGuardadas) {
            // Forget the page farthest from the one the grid now shows.
            auto farthest =
                std::abs(paginas_.firstKey() - numero) > std::abs(paginas_.lastKey() - numero)
                    ? paginas_.begin()
                    : std::prev(paginas_.end());
            paginas_.erase(farthest);
        }
        try {
            found = paginas_.insert(numero, lePagina(numero));
        } catch (...) {
            return nullptr;  // a failed read shows empty cells; the next paint tries again
        }
    }
    const int dentro = row % kLinhasPorPagina;
    return dentro < found->size() ? &found->at(dentro) : nullptr;
}

int LancamentosModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : linhas_;
}

int LancamentosModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Colunas;
}

QVariant LancamentosModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int coluna = index.column();
    if (role == Qt::TextAlignmentRole) {
        const bool numero = coluna == Valor || coluna == Saldo;
        return QVariant::fromValue((numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    const Linha* l = linha(index.row());
    if (l == nullptr) {
        return {};
    }
    const QVariant& valor = l->valores[coluna];
    if (role == Qt::EditRole || valor.isNull()) {
        return valor;
    }
    switch (coluna) {
        case Data:
            return formatValue(valor, ColumnFormat::Date);
        case Valor:
        case Saldo:
            return formatValue(valor, ColumnFormat::Money);
        default:
            return valor.toString();
    }
}

QVariant LancamentosModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < Colunas) {
        return QString::fromUtf8(kTitulos[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace tavrel
