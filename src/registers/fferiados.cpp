#include "registers/fferiados.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/dialogs.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/sql.h"
#include "ui/load_all_rows.h"
#include "ui/read_only_grid.h"

namespace tavrel {
namespace {

// Every position required: an empty or half-typed box is not acceptable input.
const QString kMascara = QStringLiteral("99/99/9999");

// The holidays as stored ('YYYY-MM-DD'), shown as dd/MM/yyyy.
class FeriadosModel : public QSqlQueryModel {
public:
    QVariant data(const QModelIndex& index, int role) const override {
        const QVariant stored = QSqlQueryModel::data(index, role);
        if (role != Qt::DisplayRole || stored.isNull())
            return stored;
        return formatDate(fromStorageDate(stored));
    }
    QString storedDate(int row) const { return QSqlQueryModel::data(index(row, 0)).toString(); }
};

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

fferiados::fferiados(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fferiados"), parent),
      model_(std::make_unique<FeriadosModel>()) {
    setWindowTitle(QStringLiteral("CADASTRO DE FERIADOS"));
    buildScreen();
    step([this] {
        connection_ = std::make_unique<Connection>(
            this->context().dataPath(databaseFileName(DatabaseKind::Cheques)),
            DatabaseKind::Cheques);
    });
    step([this] { reload(); });
}

fferiados::~fferiados() {
    grid_->setModel(nullptr);
    model_.reset();  // its query must end before the connection closes
}

void fferiados::buildScreen() {
    auto* layout = new QVBoxLayout(this);

    grid_ = makeReadOnlyGrid(this, QStringLiteral("DBGrid1"), model_.get());
    layout->addWidget(grid_, 1);

    auto* dia = new QGroupBox(QStringLiteral("DIA"), this);
    auto* diaLayout = new QHBoxLayout(dia);
    data_ = new QLineEdit(dia);
    data_->setObjectName(QStringLiteral("DT_FERIADO"));
    data_->setInputMask(kMascara);
    diaLayout->addWidget(data_);
    layout->addWidget(dia);

    auto* buttons = new QHBoxLayout;
    QPushButton* gravarButton = makeButton(this, "CONFIRMA", "&GRAVAR");
    QPushButton* excluirButton = makeButton(this, "EXCLUIR", "&EXCLUIR");
    QPushButton* sairButton = makeButton(this, "SAIR", "&SAIR");
    buttons->addWidget(gravarButton);
    buttons->addWidget(excluirButton);
    buttons->addWidget(sairButton);
    layout->addLayout(buttons);
    connect(gravarButton, &QPushButton::clicked, this, [this] { gravar(); });
    connect(excluirButton, &QPushButton::clicked, this, [this] { excluir(); });
    connect(sairButton, &QPushButton::clicked, this, &QWidget::close);

    resize(320, 420);
}

QSqlDatabase fferiados::db() const {
    return connection_ ? connection_->db() : QSqlDatabase();
}

void fferiados::reload() {
    loadAllRows(*model_, runSqlForModel(db(), QStringLiteral("SELECT DT_FERIADO FROM FERIADOS "
                                                             "ORDER BY DT_FERIADO")));
    model_->setHeaderData(0, Qt::Horizontal, QStringLiteral("DATA"));
    // No line is current until the operator selects one: "&EXCLUIR" deletes without a
    // question, so it must never fall on a line nobody chose.
}

void fferiados::limpaData() {
    data_->clear();
    data_->setFocus();
}

void fferiados::gravar() {
    const std::optional<QDate> dia =
        data_->hasAcceptableInput() ? parseDate(data_->text()) : std::nullopt;
    if (!dia) {
        context().dialogs->message(QStringLiteral("DATA ERRADA"), {}, DialogButtons::Ok);
        data_->setFocus();
        return;
    }
    bool listado = false;
    step([&] {
        listado = scalarSql(db(), QStringLiteral("SELECT 1 FROM FERIADOS WHERE DT_FERIADO = ?"),
                            {storageDate(*dia)})
                      .isValid();
    });
    if (listado) {
        context().dialogs->inform(
            QStringLiteral("O feriado %1 já está cadastrado.").arg(formatDate(*dia)));
        data_->setFocus();
        return;
    }
    step([&] {
        runSql(db(), QStringLiteral("INSERT INTO FERIADOS (DT_FERIADO) VALUES (?)"),
               {storageDate(*dia)});
    });
    step([this] { reload(); });
    limpaData();
}

void fferiados::excluir() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid()) {
        context().dialogs->inform(QStringLiteral("Selecione na lista o feriado a excluir."));
        return;
    }
    step([&] {
        // Lines of the same date are alike, so removing any one of them removes the line chosen.
        runSql(db(),
               QStringLiteral("DELETE FROM FERIADOS WHERE id = (SELECT id FROM FERIADOS WHERE "
                              "DT_FERIADO = ? LIMIT 1)"),
               {static_cast<FeriadosModel*>(model_.get())->storedDate(current.row())});
    });
    step([this] { reload(); });
}

}  // namespace tavrel
