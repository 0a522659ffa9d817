#pragma once

#include "ui/register_screen.h"

namespace tavrel {

// The users register: code, user name and password. Passwords are kept only as argon2id
// hashes: adding hashes the typed password (an empty one too), and changing with the password
// box left empty keeps the stored one.
class fusuarios : public RegisterScreen {
    Q_OBJECT

public:
    explicit fusuarios(Context& context, QWidget* parent = nullptr);

protected:
    std::optional<QVariant> valueToStore(const RegisterField& field, bool changing) override;
};

}  // namespace tavrel
