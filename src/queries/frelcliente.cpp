#include "queries/frelcliente.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSqlQuery>

#include "core/context.h"
#include "data/connection.h"
#include "data/sql.h"
#include "ui/readable_text.h"

namespace tavrel {

frelcliente::frelcliente(Context& context, QWidget* parent)
    : frelatorios(context, QStringLiteral("frelcliente"), parent) {
    auto* cliente = new QGroupBox(QStringLiteral("Cliente"), this);
    auto* clienteLayout = new QHBoxLayout(cliente);
    NM_CLIENTE = new QComboBox(cliente);
    NM_CLIENTE->setObjectName(QStringLiteral("NM_CLIENTE"));
    NM_CLIENTE->setMinimumContentsLength(30);
    clienteLayout->addWidget(NM_CLIENTE);
    extras()->addWidget(cliente, 0, 0);
    keepTextReadable(this);
    step([this] { leClientes(); });
}

frelcliente::~frelcliente() = default;

void frelcliente::leClientes() {
    const Connection cheques(context().dataPath(databaseFileName(DatabaseKind::Cheques)),
                             DatabaseKind::Cheques);
    QSqlQuery clientes =
        runSql(cheques.db(), QStringLiteral("SELECT CD_CLIENTE, NM_CLIENTE FROM CLIENTES "
                                            "ORDER BY CD_CLIENTE"));
    while (clientes.next()) {
        NM_CLIENTE->addItem(clientes.value(1).toString(), clientes.value(0).toString());
    }
    NM_CLIENTE->setCurrentIndex(-1);  // no client until the operator chooses one
}

QString frelcliente::formula(PeriodoPor por) const {
    return formulaPeriodoCliente(por, dt_inicio->date(), dt_fim->date(),
                                 NM_CLIENTE->currentData().toString());
}

}  // namespace tavrel
