#include "setup/finstalacao.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "data/connection.h"
#include "setup/installation.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

const char* const kParentEntry = "..";

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// A folder that cannot be listed is "not available", whatever the reason.
void requireFolder(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir() || !info.isReadable()) {
        throw AppError(error_number::kFileNotFound, QStringLiteral("Caminho não disponível"),
                       QStringLiteral("finstalacao"));
    }
}

}  // namespace

finstalacao::finstalacao(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("finstalacao"), parent) {
    setWindowTitle(QStringLiteral("Instalador de Sistemas"));
    buildScreen();
    abre();
}

void finstalacao::buildScreen() {
    auto* layout = new QVBoxLayout(this);

    // Text sits on filled panels: the gradient is black at the top.
    auto* banner = new QGroupBox(this);
    banner->setObjectName(QStringLiteral("Frame1"));
    banner->setAutoFillBackground(true);
    auto* bannerLayout = new QHBoxLayout(banner);
    QLabel* title = makeLabel(banner, "Label1", QStringLiteral("Instalador de Sistemas"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    bannerLayout->addWidget(title);
    layout->addWidget(banner);

    auto* body = new QHBoxLayout;
    auto* chooser = new QVBoxLayout;
    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive"));
    chooser->addWidget(drives_);
    folders_ = new QListWidget(this);
    folders_->setObjectName(QStringLiteral("Dir"));
    folders_->setToolTip(QStringLiteral("Dê um duplo clique na pasta para abri-la"));
    chooser->addWidget(folders_, 2);
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("File"));
    files_->setFocusPolicy(Qt::NoFocus);
    chooser->addWidget(files_, 1);
    body->addLayout(chooser, 1);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    auto* right = new QVBoxLayout(panel);
    auto* chosen = new QGridLayout;
    chosen->addWidget(makeLabel(this, "Label5", QStringLiteral("Diretório:")), 0, 0);
    folderLabel_ = makeLabel(this, "DS_DIRETORIO", {});
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chosen->addWidget(folderLabel_, 0, 1);
    chosen->addWidget(makeLabel(this, "Label9", QStringLiteral("Banco de dados:")), 1, 0);
    databaseLabel_ = makeLabel(this, "ds_banco", {});
    chosen->addWidget(databaseLabel_, 1, 1);
    chosen->setColumnStretch(1, 1);
    right->addLayout(chosen);

    QPushButton* marker =
        makeButton(this, "Command4", QStringLiteral(" I - Criar Arquivo de Configuração"));
    QPushButton* shortcut = makeButton(this, "Command1", QStringLiteral(" II - Criar Atalhos"));
    QPushButton* leave = makeButton(this, "Command6", QStringLiteral("&Sair "));
    right->addWidget(marker);
    right->addWidget(shortcut);
    right->addWidget(leave);
    right->addWidget(buildInstructions(), 1);
    body->addWidget(panel, 2);
    layout->addLayout(body, 1);

    connect(marker, &QPushButton::clicked, this, [this] { criaConfiguracao(); });
    connect(shortcut, &QPushButton::clicked, this, [this] { criaAtalho(); });
    connect(leave, &QPushButton::clicked, this, [this] { sair(); });
    connect(drives_, &QComboBox::activated, this, [this](int index) { mudaDrive(index); });
    connect(folders_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString name = item->data(Qt::UserRole).toString();
        step([&] {
            mudaDiretorio(name == QLatin1String(kParentEntry)
                              ? QFileInfo(folder_).dir().absolutePath()
                              : QDir(folder_).filePath(name));
        });
    });
    resize(820, 560);
    keepTextReadable(this);
}

QWidget* finstalacao::buildInstructions() {
    auto* frame = new QGroupBox(QStringLiteral("Instruções"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    auto* lines = new QVBoxLayout(frame);
    const QStringList texts = {
        QStringLiteral("1-) Localize o Diretório de Instalação onde Conterá o Banco de dados"),
        QStringLiteral("2-) Click em CriarArquivo de Configuração "),
        QStringLiteral("3-) Click em Criar Atalhos "),
        QStringLiteral("Escolha a unidade na lista acima e dê um duplo clique nas pastas até "
                       "chegar à pasta de instalação; \"..\" volta à pasta anterior."),
        QStringLiteral("Em uma instalação para todos os usuários a pasta costuma ficar em /opt; "
                       "em uma instalação pessoal, na pasta do usuário. Pressione os botões na "
                       "ordem: primeiro o I, depois o II."),
        QStringLiteral("Caminho Padrão da instalação ") +
            QDir::toNativeSeparators(context().programFolder),
        QStringLiteral("Senha Supervisor: cadastrada no primeiro acesso ao sistema"),
    };
    int number = 2;
    for (const QString& text : texts) {
        QLabel* label = makeLabel(frame, "", text);
        label->setObjectName(QStringLiteral("Label%1").arg(number++));
        label->setWordWrap(true);
        lines->addWidget(label);
    }
    lines->addStretch();
    return frame;
}

void finstalacao::abre() {
    // Each step on its own: a path that is not available is said and the next step runs.
    auto opening = [this](const std::function<void()>& procedure) {
        try {
            procedure();
        } catch (const AppError& error) {
            if (error.number() == error_number::kFileNotFound) {
                context().dialogs->inform(QStringLiteral("Caminho não disponível"));
            } else {
                throw;
            }
        }
    };
    step([&] {
        opening([this] { databaseLabel_->setText(databaseFileName(DatabaseKind::Cheques)); });
        opening([this] {
            programFolder_ = context().programFolder;
            folderLabel_->setText(QDir::toNativeSeparators(programFolder_));
        });
        opening([this] {
            listaDrives();
            requireFolder(programFolder_);
            mostraDrive(programFolder_);
        });
        opening([this] { mudaDiretorio(programFolder_); });
    });
}

void finstalacao::listaDrives() {
    drives_->clear();
    QStringList roots;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumes) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) {
            roots << volume.rootPath();
        }
    }
    roots.sort();
    drives_->addItems(roots);
}

void finstalacao::mostraDrive(const QString& path) {
    const QString root = QStorageInfo(path).rootPath();
    int index = drives_->findText(root);
    if (index < 0) {
        drives_->addItem(root);
        index = drives_->count() - 1;
    }
    drives_->setCurrentIndex(index);
}

void finstalacao::mudaDiretorio(const QString& path) {
    requireFolder(path);
    folder_ = QDir(path).absolutePath();
    folderLabel_->setText(QDir::toNativeSeparators(folder_));

    folders_->clear();
    const QDir dir(folder_);
    QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (!dir.isRoot()) {
        names.prepend(QString::fromLatin1(kParentEntry));
    }
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, folders_);
        item->setData(Qt::UserRole, name);
    }
    files_->clear();
    files_->addItems(
        dir.entryList({databaseFileName(DatabaseKind::Cheques)}, QDir::Files, QDir::Name));
}

void finstalacao::mudaDrive(int index) {
    const QString remembered = folder_;
    const QString root = drives_->itemText(index);
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable()) {
        context().dialogs->inform(QStringLiteral("Drive não acessível"));
        mostraDrive(remembered);
        return;
    }
    step([&] { mudaDiretorio(root); });
}

void finstalacao::criaConfiguracao() {
    markLocation();
    const QString folder = folderLabel_->text();
    if (folder.isEmpty()) {
        context().dialogs->inform(
            QStringLiteral("Não posso criar arquivo de configuração com diretório vazio!!"));
        return;
    }
    if (step([&] { writeSysIni(context().writablePath(QStringLiteral("sys.ini")), folder); })) {
        context().dialogs->inform(QStringLiteral("Arquivo de Configuração Criado com sucesso!!"));
    }
}

void finstalacao::criaAtalho() {
    markLocation();
    // The shortcut starts the program that is running, wherever the data folder is: program and
    // data need not share a folder.
    const QString program =
        QDir(context().programFolder).absoluteFilePath(context().executableName);
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable()) {
        context().dialogs->inform(
            QStringLiteral("O programa %1 não foi encontrado. O atalho não foi criado.")
                .arg(QDir::toNativeSeparators(program)));
        return;
    }
    if (step([&] { writeDesktopShortcut(context().desktop->desktopFolder(), program); })) {
        context().dialogs->inform(QStringLiteral("Atalho Criado com sucesso!!"));
    }
}

void finstalacao::sair() {
    close();
}

}  // namespace tavrel
