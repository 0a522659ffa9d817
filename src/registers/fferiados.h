#pragma once

#include <memory>

#include "ui/screen.h"

class QLineEdit;
class QSqlDatabase;
class QSqlQueryModel;
class QTableView;

namespace tavrel {

class Connection;

// Holidays: the dates on which no cheque is deposited. Lists, adds and deletes dates; a date
// already listed is refused.
class fferiados : public Screen {
    Q_OBJECT

public:
    explicit fferiados(Context& context, QWidget* parent = nullptr);
    ~fferiados() override;

    void gravar();   // "&GRAVAR": adds the typed date
    void excluir();  // "&EXCLUIR": deletes the line the operator selected, without a question

private:
    void buildScreen();
    QSqlDatabase db() const;
    void reload();
    void limpaData();

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<QSqlQueryModel> model_;
    QTableView* grid_ = nullptr;
    QLineEdit* data_ = nullptr;
};

}  // namespace tavrel
