#include "app/frm_login.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/password.h"
#include "core/ptbr.h"
#include "data/connection.h"
#include "data/sql.h"
#include "ui/readable_text.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

const char* const kChooseTip = "Escolha o usuário do sistema";

}  // namespace

frmLogin::frmLogin(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("frmLogin"), parent) {
    setWindowTitle(QStringLiteral("Login"));
    buildScreen();
    carregaUsuarios();
    userName_->setCurrentText(context.desktop->operatingSystemUser());
}

frmLogin::~frmLogin() = default;

void frmLogin::buildScreen() {
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("DBList1"));
    list_->setToolTip(QString::fromUtf8(kChooseTip));
    layout->addWidget(list_, 1);

    auto* form = new QFormLayout;
    userName_ = new QComboBox(this);
    userName_->setObjectName(QStringLiteral("txtusername"));
    userName_->setToolTip(QString::fromUtf8(kChooseTip));
    userName_->setEditable(true);
    userName_->setInsertPolicy(QComboBox::NoInsert);
    form->addRow(QStringLiteral("&Usuário"), userName_);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("txtPassword"));
    password_->setToolTip(QStringLiteral("Digite a senha do usuário selecionado."));
    password_->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("&Senha"), password_);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] { confirma(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cancela(); });
    connect(password_, &QLineEdit::returnPressed, this, [this] { confirma(); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { escolheUsuario(item->text()); });
    resize(360, 320);
    keepTextReadable(this);
}

void frmLogin::carregaUsuarios() {
    step([this] {
        connection_ = std::make_unique<Connection>(
            context().dataPath(databaseFileName(DatabaseKind::Cheques)), DatabaseKind::Cheques);
    });
    step([this] { leUsuarios(); });
    if (connection_ && list_->count() == 0) {
        context().dialogs->inform(
            QStringLiteral("Não existe usuario cadastrado!!! Antes de continuar preencha a senha "
                           "do supervisor click em incluir !! Obrigado Bom Teste"));
        context().screens->openModal(QStringLiteral("fusuarios"), nullptr, [](QWidget* screen) {
            if (auto* name = screen->findChild<QLineEdit*>(QStringLiteral("usuario"))) {
                name->setText(QStringLiteral("Supervisor"));
            }
        });
        step([this] { leUsuarios(); });
    }
}

void frmLogin::leUsuarios() {
    list_->clear();
    userName_->clear();
    QSqlQuery query =
        runSql(connection_->db(), QStringLiteral("SELECT USUARIO FROM USUARIOS ORDER BY USUARIO"));
    while (query.next()) {
        const QString name = query.value(0).toString();
        list_->addItem(name);
        userName_->addItem(name);
    }
    userName_->setCurrentIndex(-1);
}

void frmLogin::escolheUsuario(const QString& name) {
    userName_->setCurrentText(name);
    password_->setFocus();
}

void frmLogin::confirma() {
    const QString typedName = userName_->currentText();
    const QString typed = password_->text();
    QString name;
    QString code;
    bool accepted = false;
    step([&] {
        // The name matches whatever its letter case; the password must be exact. Two users may
        // share a name: the one whose password was typed is the one logging in.
        QSqlQuery query =
            runSql(connection_ ? connection_->db() : QSqlDatabase(),
                   QStringLiteral("SELECT CD_usuario, SENHA, USUARIO FROM USUARIOS ORDER BY id"));
        while (!accepted && query.next()) {
            if (sameName(typedName, query.value(2).toString()) &&
                verifyPassword(typed, query.value(1).toString())) {
                accepted = true;
                code = query.value(0).toString();
                name = query.value(2).toString();
            }
        }
    });
    if (!accepted) {
        context().dialogs->inform(QStringLiteral("Senha incorreta Tente Novamente!"),
                                  QStringLiteral("Login"), DialogIcon::None);
        password_->setFocus();
        password_->selectAll();
        return;
    }
    context().userName = name;  // as registered, whatever case was typed
    context().userCode = code;
    registraLog(QStringLiteral("**** EFETUOU LOGIN NO SISTEMA"), QStringLiteral("**"));
    emit loginAceito();
    close();
}

void frmLogin::cancela() {
    close();
}

}  // namespace tavrel
