#pragma once

#include <QHash>
#include <memory>
#include <optional>

#include "ui/screen.h"

class QCheckBox;
class QLineEdit;

namespace tavrel {

class Connection;

// Parameters of the exchange calculation: the single row of CONFIG. Only "&Sair e Salvar"
// saves; closing the window any other way leaves the row as it was.
class fparametros : public Screen {
    Q_OBJECT

public:
    explicit fparametros(Context& context, QWidget* parent = nullptr);
    ~fparametros() override;

    void sairESalvar();

private:
    void buildScreen();
    void carrega();
    void salva();

    std::unique_ptr<Connection> connection_;
    std::optional<qint64> rowId_;          // the CONFIG row shown
    QHash<QString, QCheckBox*> switches_;  // by column
    QHash<QString, QLineEdit*> values_;    // by column
    QHash<QString, QVariant> lidos_;       // the values read at opening, by column
};

}  // namespace tavrel
