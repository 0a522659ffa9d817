#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace tavrel {

// One account's entries as the ledger grid shows them, in the order of date, then entry code.
// An account may hold hundreds of thousands of entries, so the rows are read a page at a time
// as the grid scrolls to them and only a bounded number of pages is kept; every read is
// finished before it returns, so no statement stays open between fetches. Entries whose
// description was deleted are still listed, with an empty "Histórico".
class LancamentosModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Coluna { Data, Historico, Valor, Saldo, Status, PlanoContas, Lancamento, Colunas };
    static constexpr int kLinhasPorPagina = 200;
    static constexpr int kPaginasGuardadas = 50;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the entries of `cd_conta` (read again from the start); an empty code shows none.
    void mostraConta(const QSqlDatabase& db, const QString& cd_conta);
    // Reads the current account again, after a change.
    void recarrega();

    // The row id (LANCAMENTOS.id) of a grid line, 0 when there is none.
    qint64 idDaLinha(int linha) const;
    int paginasGuardadas() const { return static_cast<int>(paginas_.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Linha {
        qint64 id = 0;
        QVariant valores[Colunas];
    };
    using Pagina = QList<Linha>;

    const Linha* linha(int row) const;
    Pagina lePagina(int numero) const;

    QSqlDatabase db_;
    QString conta_;
    int linhas_ = 0;
    mutable QMap<int, Pagina> paginas_;
};

}  // namespace tavrel
