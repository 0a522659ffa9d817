#pragma once

#include "queries/relatorios_financeiros.h"
#include "ui/screen.h"

class QDateEdit;
class QGridLayout;
class QListWidget;

namespace tavrel {

// "Relatórios Financeiros" for all clients: a period, the data folder's financial report
// templates, and the commands that print the chosen one by deposit date or by exchange date.
// Writes nothing, logs nothing.
class frelatorios : public Screen {
    Q_OBJECT

public:
    explicit frelatorios(Context& context, QWidget* parent = nullptr);

    // "&Executar {Dt Deposito}" and "&Executar {Dt Troca}".
    void executa(PeriodoPor por);

protected:
    frelatorios(Context& context, const QString& formName, QWidget* parent);
    // The selection formula of the period (the client screen adds its client).
    virtual QString formula(PeriodoPor por) const;
    // Where a screen puts controls of its own, above the template list.
    QGridLayout* extras() const { return extras_; }

    QDateEdit* dt_inicio = nullptr;
    QDateEdit* dt_fim = nullptr;
    QListWidget* diretorio = nullptr;

private:
    void buildScreen();
    QString modeloEscolhido() const;

    QGridLayout* extras_ = nullptr;
};

}  // namespace tavrel
