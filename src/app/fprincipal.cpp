#include "app/fprincipal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/fsair.h"
#include "app/menu_pictures.h"
#include "app/menu_table.h"
#include "app/version.h"
#include "core/clock.h"
#include "core/context.h"
#include "core/desktop.h"
#include "data/connection.h"
#include "lifecycle/cheques_vencidos.h"
#include "ui/company_logo.h"
#include "ui/readable_text.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

QPushButton* makeCommand(QWidget* parent, const char* name, const QString& caption,
                         const QString& tooltip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tooltip);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

fprincipal::fprincipal(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fprincipal"), parent),
      encerramento_([] { QCoreApplication::exit(0); }) {
    buildScreen();
    // Opening: each step under the error convention, so a missing piece leaves the rest usable.
    step([this] { carregaFundo(); });
    step([this] {
        panels_[0]->setText(this->context().dataFolder);
        mostraTeclas();
    });
    step([this] {
        setWindowTitle(QString::fromUtf8(kSystemTitle) + QStringLiteral(" - ") + programVersion());
    });
    step([this] { montaMenu(); });
    step([this] {
        cheques_ = std::make_unique<Connection>(
            this->context().dataPath(databaseFileName(DatabaseKind::Cheques)),
            DatabaseKind::Cheques);
    });
    // Only "&SAIR" leaves the program: no close button where the platform allows it.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    qApp->installEventFilter(this);
}

fprincipal::~fprincipal() = default;

void fprincipal::buildScreen() {
    auto* layout = new QVBoxLayout(this);

    // The banner is a filled panel: the gradient is black at the top.
    auto* bannerPanel = new QFrame(this);
    bannerPanel->setFrameShape(QFrame::StyledPanel);
    bannerPanel->setAutoFillBackground(true);
    auto* banner = new QHBoxLayout(bannerPanel);
    contact_ = makeLabel(this, "Image2", {});
    contact_->setPixmap(companyLogo(56));
    contact_->setToolTip(
        QStringLiteral("CLick aqui para saber como contactar a empresa desenvolvedora."));
    contact_->setCursor(Qt::PointingHandCursor);
    contact_->installEventFilter(this);
    banner->addWidget(contact_);
    QLabel* product = makeLabel(this, "produto", QString::fromUtf8(kSystemTitle));
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    product->setFont(big);
    banner->addWidget(product);
    banner->addStretch();
    banner->addWidget(new QLabel(QStringLiteral("Usuário:"), this));
    banner->addWidget(makeLabel(this, "usuario", context().userName));
    banner->addSpacing(16);
    banner->addWidget(new QLabel(QStringLiteral("Código:"), this));
    banner->addWidget(makeLabel(this, "codigouser", context().userCode));
    layout->addWidget(bannerPanel);

    auto* body = new QHBoxLayout;
    buttonBar_ = new QToolBox(this);
    buttonBar_->setObjectName(QStringLiteral("ButtonBar1"));
    buttonBar_->setMinimumWidth(220);
    buttonBar_->setAutoFillBackground(true);  // the group captions must stay readable
    body->addWidget(buttonBar_);

    auto* centre = new QVBoxLayout;
    picture_ = makeLabel(this, "fundo", {});
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setMinimumSize(200, 150);
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    centre->addWidget(picture_, 1);

    auto* commands = new QHBoxLayout;
    QPushButton* settle =
        makeCommand(this, "Command3", QStringLiteral("Baixar Cheques"),
                    QStringLiteral("Módulo para atualizar os cheques em abeto ja renegociados."));
    commands->addWidget(settle);
    commands->addWidget(makeLabel(this, "Label2", QStringLiteral("BAIXAS")));
    settled_ = makeLabel(this, "BAIXAS", {});
    settled_->setMinimumWidth(40);
    commands->addWidget(settled_);
    QPushButton* day = makeCommand(this, "Command4", QStringLiteral("Ver Cheques do Dia"),
                                   QStringLiteral("Mostra todos os cheques a serem baixados"));
    commands->addWidget(day);
    QPushButton* destination = makeCommand(
        this, "Command5", QStringLiteral("Trocar Destino"),
        QStringLiteral("Rotina para modificar o destino dado ao cheque no ato da troca"));
    commands->addWidget(destination);
    commands->addStretch();
    QPushButton* leave = makeCommand(this, "Command1", QStringLiteral("&SAIR"), {});
    commands->addWidget(leave);
    centre->addLayout(commands);
    body->addLayout(centre, 1);
    layout->addLayout(body, 1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    const char* names[4] = {"Panel1", "Panel2", "Panel3", "Panel4"};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = makeLabel(status, names[i], {});
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        status->addPermanentWidget(panels_[i], i == 0 ? 1 : 0);
    }
    panels_[2]->setText(QStringLiteral("CAPS"));
    panels_[3]->setText(QStringLiteral("INS"));
    layout->addWidget(status);

    connect(settle, &QPushButton::clicked, this, [this] { baixarCheques(); });
    connect(day, &QPushButton::clicked, this, [this] { verChequesDoDia(); });
    connect(destination, &QPushButton::clicked, this, [this] { trocarDestino(); });
    connect(leave, &QPushButton::clicked, this, [this] { sair(); });

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::ApplicationShortcut);
    connect(help, &QShortcut::activated, this, [this] { ajuda(); });
    resize(1024, 720);
    keepTextReadable(this);
}

void fprincipal::carregaFundo() {
    const QString path = context().programFolder + QStringLiteral("/imagem.jpg");
    if (QFileInfo::exists(path)) {
        background_.load(path);
    }
    picture_->setPixmap(background_);
}

void fprincipal::montaMenu() {
    QList<QWidget*> pages;
    for (int grupo = 1; grupo <= kMenuGroups; ++grupo) {
        auto* page = new QWidget(buttonBar_);
        page->setObjectName(QStringLiteral("Grupo%1").arg(grupo));
        auto* column = new QVBoxLayout(page);
        column->addStretch();
        buttonBar_->addItem(page, groupIcon(grupo), menuGroupCaption(grupo));
        pages << page;
    }
    const Connection menu(context().dataPath(databaseFileName(DatabaseKind::Menu)),
                          DatabaseKind::Menu);
    int counts[kMenuGroups + 1] = {};
    for (const MenuEntry& entry : readMenu(menu.db())) {
        if (entry.grupo < 1 || entry.grupo > kMenuGroups) {
            continue;  // a group the bar does not have
        }
        const int position = ++counts[entry.grupo];
        QWidget* page = pages[entry.grupo - 1];
        auto* button = new QToolButton(page);
        button->setObjectName(menuKey(entry.opcao, entry.grupo));
        button->setText(entry.descricao);
        button->setToolTip(entry.tooltip);
        button->setIcon(groupIcon(entry.grupo));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        auto* column = static_cast<QVBoxLayout*>(page->layout());
        column->insertWidget(column->count() - 1, button);
        const int grupo = entry.grupo;
        connect(button, &QToolButton::clicked, this,
                [this, grupo, position] { abreOpcao(grupo, position); });
    }
}

void fprincipal::abreOpcao(int grupo, int position) {
    markLocation();
    const MenuAction action = menuAction(grupo, position);
    switch (action.kind) {
        case MenuAction::Kind::Screen:
            context().screens->open(action.formName);
            return;
        case MenuAction::Kind::ClientsReport:
            if (relatorioClientes_) {
                step(relatorioClientes_);
            }
            return;
        case MenuAction::Kind::Nothing:
            return;
    }
}

void fprincipal::baixarCheques() {
    markLocation();
    step([this] {
        if (!cheques_) {
            cheques_ = std::make_unique<Connection>(
                context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
        }
        settled_->setText(QString::number(BaixarCheques(cheques_->db(), context().clock->today())));
    });
}

void fprincipal::verChequesDoDia() {
    context().screens->open(QStringLiteral("fbaixas"));
}

void fprincipal::trocarDestino() {
    context().screens->open(QStringLiteral("fbaixasperiodo"));
}

void fprincipal::faleConosco() {
    context().screens->open(QStringLiteral("ffaleconosco"));
}

void fprincipal::sair() {
    markLocation();
    if (auto* exit = qobject_cast<fsair*>(context().screens->open(QStringLiteral("fsair"), this))) {
        connect(exit, &fsair::saidaConfirmada, this, [this] { encerra(); });
    }
}

void fprincipal::ajuda() {
    const QString help = context().dataPath(QStringLiteral("tavrel.hlp"));
    if (QFileInfo::exists(help)) {
        context().desktop->openFile(help);
    }
}

void fprincipal::encerra() {
    encerrado_ = true;
    if (encerramento_) {
        encerramento_();
    }
}

void fprincipal::closeEvent(QCloseEvent* event) {
    if (encerrado_) {
        event->accept();
    } else {
        event->ignore();
    }
}

void fprincipal::resizeEvent(QResizeEvent* event) {
    Screen::resizeEvent(event);
    if (!background_.isNull() && picture_->width() > 0 && picture_->height() > 0) {
        picture_->setPixmap(
            background_.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

bool fprincipal::eventFilter(QObject* watched, QEvent* event) {
    if (watched == contact_ && event->type() == QEvent::MouseButtonRelease) {
        faleConosco();
        return true;
    }
    // A key press reaches the window first and then every widget up from the focus: counting
    // it at the window counts it once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType() &&
        keys_.observe(*static_cast<QKeyEvent*>(event))) {
        mostraTeclas();
    }
    return Screen::eventFilter(watched, event);
}

void fprincipal::mostraTeclas() {
    panels_[2]->setEnabled(keys_.capsLock());
    panels_[3]->setEnabled(keys_.insert());
}

}  // namespace tavrel
