#include "setup/ftutorial.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/maker_contact.h"
#include "data/connection.h"
#include "data/sql.h"
#include "setup/tutorial_video.h"
#include "ui/named_button.h"
#include "ui/read_only_grid.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

// The grid's columns, as the query reads them; the sequence orders the videos and is not shown.
constexpr int kColumns = 5;
const char* const kCaptions[kColumns] = {"Sigla", "Módulo", "LINK", "Sistema", "sequencial"};
constexpr int kLinkColumn = 2;
constexpr int kSequenceColumn = 4;

}  // namespace

ftutorial::ftutorial(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("ftutorial"), parent) {
    setWindowTitle(QStringLiteral("Tutorial do Sistema"));
    buildScreen();
    step([this] { carregaFilmes(); });
}

void ftutorial::buildScreen() {
    auto* layout = new QVBoxLayout(this);
    auto* instrucao = new QLabel(
        QStringLiteral("CLick na linha desejada para assistir ao video esplicativo !!"), this);
    instrucao->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(instrucao);

    model_ = new QStandardItemModel(0, kColumns, this);
    for (int column = 0; column < kColumns; ++column) {
        model_->setHeaderData(column, Qt::Horizontal, QString::fromUtf8(kCaptions[column]));
    }
    GridEX1 = makeReadOnlyGrid(this, QStringLiteral("GridEX1"), model_);
    GridEX1->setColumnHidden(kSequenceColumn, true);
    layout->addWidget(GridEX1, 1);

    auto* emails = new QGroupBox(QStringLiteral("Emails Importantes"), this);
    emails->setObjectName(QStringLiteral("Frame2"));
    auto* emailsLayout = new QVBoxLayout(emails);
    emailsLayout->addWidget(new QLabel(
        QStringLiteral("Sugestões: %1").arg(QString::fromUtf8(maker_contact::kEmailSugestoes)),
        emails));
    emailsLayout->addWidget(new QLabel(
        QStringLiteral("Suporte: %1").arg(QString::fromUtf8(maker_contact::kEmailSuporte)),
        emails));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(emails, 1);
    QPushButton* sair = namedButton(this, "Command1", QStringLiteral("&Sair"));
    bottom->addWidget(sair, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    connect(GridEX1, &QTableView::clicked, this,
            [this](const QModelIndex& index) { abreVideo(index.row()); });
    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    keepTextReadable(this);
    resize(640, 420);
}

void ftutorial::carregaFilmes() {
    const Connection tutorial(context().dataPath(databaseFileName(DatabaseKind::Tutorial)),
                              DatabaseKind::Tutorial);
    QSqlQuery filmes =
        runSql(tutorial.db(), QStringLiteral("SELECT CD_SISTEMA, DS_MODULO, DS_LINK, DS_SISTEMA, "
                                             "cd_sequencial FROM filmes ORDER BY CD_SISTEMA, "
                                             "cd_sequencial"));
    while (filmes.next()) {
        QList<QStandardItem*> row;
        for (int column = 0; column < kColumns; ++column) {
            row << new QStandardItem(filmes.value(column).toString());
        }
        model_->appendRow(row);
    }
    GridEX1->resizeColumnsToContents();  // a few rows: the links read whole
}

void ftutorial::abreVideo(int row) {
    const QString link = model_->index(row, kLinkColumn).data().toString();
    const VideoTutorial video = videoTutorial(context().dataFolder, link);
    if (video.estado != VideoTutorial::Estado::Pode) {
        context().dialogs->inform(video.razao, windowTitle(), DialogIcon::Warning);
        return;
    }
    AbrirAVI(video.path);
}

void ftutorial::AbrirAVI(const QString& path) {
    if (!context().desktop->openFile(path)) {
        context().dialogs->inform(
            QStringLiteral("Não foi possível abrir o vídeo %1: nenhum programa do computador o "
                           "abre.")
                .arg(path),
            windowTitle(), DialogIcon::Warning);
    }
}

}  // namespace tavrel
