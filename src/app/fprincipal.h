#pragma once

#include <QPixmap>
#include <functional>
#include <memory>

#include "app/key_states.h"
#include "ui/screen.h"

class QLabel;
class QToolBox;

namespace tavrel {

class Connection;

// The main menu: stays open for the whole run, holds the button bar built from the menu
// database, the status bar with the data folder, the login values, and the commands for the
// day's due cheques. It closes only when the exit screen ends the program.
class fprincipal : public Screen {
    Q_OBJECT

public:
    explicit fprincipal(Context& context, QWidget* parent = nullptr);
    ~fprincipal() override;

    // What the button-bar entry at this position of its group opens (1 is the first entry).
    void abreOpcao(int grupo, int position);

    // Commands.
    void baixarCheques();
    void verChequesDoDia();
    void trocarDestino();
    void sair();
    void faleConosco();
    void ajuda();

    // Prints the clients report (group 4, position 1); nothing happens until it is set.
    void setRelatorioClientes(std::function<void()> print) {
        relatorioClientes_ = std::move(print);
    }
    // Ends the program once the exit screen confirmed; by default leaves the event loop.
    void setEncerramento(std::function<void()> end) { encerramento_ = std::move(end); }
    bool encerrado() const { return encerrado_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildScreen();
    void carregaFundo();
    void montaMenu();
    void mostraTeclas();
    void encerra();

    std::unique_ptr<Connection> cheques_;
    QToolBox* buttonBar_ = nullptr;
    QLabel* picture_ = nullptr;
    QPixmap background_;
    QLabel* contact_ = nullptr;
    QLabel* settled_ = nullptr;
    QLabel* panels_[4] = {};
    KeyStates keys_;
    std::function<void()> relatorioClientes_;
    std::function<void()> encerramento_;
    bool encerrado_ = false;
};

}  // namespace tavrel
