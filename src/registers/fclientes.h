#pragma once

#include "ui/register_screen.h"

namespace tavrel {

// Clients register: identity, address, limits and rate of each client, and for the chosen client
// how much is open, still available and already cleared in cheques.
class fclientes : public RegisterScreen {
    Q_OBJECT

public:
    explicit fclientes(Context& context, QWidget* parent = nullptr);

    void limpaCampos() override;
    void sair() override;

protected:
    QString motivoParaManter(const Row& row) override;
    void afterIncluir() override;
    void afterAlterar() override;
    void afterExcluir(const Row& row) override;
    void afterMostra(const Row& row) override;

private:
    void mostraValoresZerados();

    QLineEdit* usado_ = nullptr;
    QLineEdit* disponivel_ = nullptr;
    QLineEdit* compensado_ = nullptr;
};

}  // namespace tavrel
