#pragma once

#include <memory>

#include "ui/screen.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace tavrel {

class Connection;

// The login screen: the user chosen or typed and the password typed are checked against the
// users table; on success the user's name and code become the login values of the context.
class frmLogin : public Screen {
    Q_OBJECT

public:
    explicit frmLogin(Context& context, QWidget* parent = nullptr);
    ~frmLogin() override;

    // "OK" and "Cancel".
    void confirma();
    void cancela();

signals:
    // The login succeeded; the context holds the user's name and code.
    void loginAceito();

private:
    void buildScreen();
    // Reads the users; with none, leads through the users screen to create the first one.
    void carregaUsuarios();
    void leUsuarios();
    void escolheUsuario(const QString& name);

    std::unique_ptr<Connection> connection_;
    QListWidget* list_ = nullptr;
    QComboBox* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
};

}  // namespace tavrel
