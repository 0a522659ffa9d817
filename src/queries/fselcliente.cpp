#include "queries/fselcliente.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>

#include "core/clock.h"
#include "core/context.h"
#include "data/connection.h"
#include "data/sql.h"
#include "queries/fconsultacliente.h"
#include "ui/named_button.h"
#include "ui/readable_text.h"

namespace tavrel {

fselcliente::fselcliente(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fselcliente"), parent) {
    setWindowTitle(QStringLiteral("Seleciona Cliente"));
    nm_cliente = new QComboBox(this);
    nm_cliente->setObjectName(QStringLiteral("nm_cliente"));
    nm_cliente->setToolTip(QStringLiteral("Escolha o cliente  que você deseja filtrar os dados."));
    nm_cliente->setMinimumWidth(280);
    auto* Command1 = namedButton(this, "Command1", QStringLiteral("&Selecionar e Sair"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("CLiente:"), this), 0, 0);
    layout->addWidget(nm_cliente, 0, 1);
    layout->addWidget(Command1, 1, 0, 1, 2);
    keepTextReadable(this);
    connect(Command1, &QPushButton::clicked, this, [this] { selecionarESair(); });

    registraLog(QStringLiteral("ENTROU PARA SELECIONAR CLIENTE :"), context.clock->today());
    step([this] { carregaClientes(); });
}

void fselcliente::carregaClientes() {
    const Connection cheques(context().dataPath(databaseFileName(DatabaseKind::Cheques)),
                             DatabaseKind::Cheques);
    QSqlQuery clientes =
        runSql(cheques.db(),
               QStringLiteral("SELECT NM_CLIENTE, CD_CLIENTE FROM CLIENTES ORDER BY NM_CLIENTE"));
    while (clientes.next()) {
        nm_cliente->addItem(clientes.value(0).toString(), clientes.value(1).toString());
    }
    nm_cliente->setCurrentIndex(-1);  // no client until the operator chooses one
}

void fselcliente::selecionarESair() {
    // No client chosen: the code is empty and no cheque has an empty client.
    const QString codigo = nm_cliente->currentData().toString();
    registraLog(QStringLiteral("ESCOLHEU CLIENTE :"), nm_cliente->currentText());
    if (consulta_) {
        consulta_->selecionaCliente(codigo);
    }
    registraLog(QStringLiteral("ESCOLHEU O CLIENTE"), codigo);
    close();
}

}  // namespace tavrel
