#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "queries/movimento.h"
#include "reports/report_presenter.h"
#include "ui/screen.h"

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QSqlDatabase;

namespace tavrel {

class BackgroundQuery;
class Connection;
class GroupingGrid;

// What makes one movement query different from the others.
struct ConsultaSpec {
    QString formName;
    QString title;
    // Operation log messages, each written with the detail "**".
    QString entrada, saida, impressao, visualizacao;
    QList<GroupingColumn> colunas;
    GroupingSource fonte;        // the rows listed on opening
    GroupingSource fonteTotais;  // the rows the totals frame counts on opening
    QString dica;                // hint of the group-by area
    QString layoutAutomatico;    // layout file loaded on opening and saved by "&Sair"; or none
    bool dataDuasVezes = false;  // the preview carries the date in its footer too
};

// The movement queries by client, document and period: one design in three copies. A grid of
// cheques the operator groups, arranges, prints and previews; a frame of totals saying how much
// of the money listed is open and settled. Each screen adds its own way of choosing the
// cheques above the grid.
class ConsultaMovimento : public Screen {
    Q_OBJECT

public:
    ConsultaMovimento(Context& context, ConsultaSpec spec, QWidget* parent = nullptr);
    ~ConsultaMovimento() override;

    GroupingGrid* grade() const { return GridEX1; }

    // Lists the cheques of `fonte`.
    void mostra(const GroupingSource& fonte);
    // The totals frame over the cheques of `fonte`: "0" at once, the figures as soon as the
    // database has summed them.
    void CalculaTotais(const GroupingSource& fonte);

    void salvarLayout();
    void lerLayout();
    void agrupar();
    void desagrupar();
    void escolherCampos();
    void imprimir();
    void visualizar();
    void sair();

protected:
    // Where a screen puts its own selection controls, above the grid.
    QHBoxLayout* areaDeSelecao() const { return selecao_; }
    // The screen's connection to the main database (throws when it could not be opened).
    QSqlDatabase conexao() const;

private:
    void constroiTela();
    void abre();
    void leTotais(const GroupingSource& fonte);
    void mostraTotais(const Totais& totais);
    bool imprimeGrade(ReportOutput output);
    // Saving or reading a layout file: a failure is shown in a message box.
    void comLayout(const std::function<void()>& acao);
    QString caminhoDoLayout() const;

    ConsultaSpec spec_;
    std::unique_ptr<Connection> cheques_;
    std::unique_ptr<BackgroundQuery> totais_;
    GroupingSource fonteTotais_;  // the cheques the totals frame counts
    bool totaisDaGrade_ = false;  // ...and they come with the grid's own totals
    QHBoxLayout* selecao_ = nullptr;
    GroupingGrid* GridEX1 = nullptr;
    QLineEdit* aberto = nullptr;
    QLineEdit* baixado = nullptr;
    QLineEdit* negociado = nullptr;
    QLineEdit* peraberto = nullptr;
    QLineEdit* perbaixado = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
};

}  // namespace tavrel
