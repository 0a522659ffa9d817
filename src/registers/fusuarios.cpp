#include "registers/fusuarios.h"

#include "core/password.h"
#include "data/codes.h"
#include "ui/readable_text.h"

namespace tavrel {
namespace {

RegisterSpec usuariosSpec() {
    RegisterSpec spec;
    spec.formName = QStringLiteral("fusuarios");
    spec.title = QStringLiteral(" Tabela de Usuários ");
    spec.database = DatabaseKind::Cheques;
    spec.table = QStringLiteral("USUARIOS");
    spec.codeColumn = QStringLiteral("CD_usuario");
    spec.codeWidth = code_width::kUsuario;
    spec.codeControl = QStringLiteral("cd_usuario");
    spec.codeTooltip = QStringLiteral("Este Campo não precisa ser preenchido na inclusão");

    RegisterField name;
    name.control = QStringLiteral("usuario");
    name.column = QStringLiteral("usuario");
    name.label = QStringLiteral("Descrição :");
    name.tooltip = QStringLiteral(
        "Digite o nome do usuário sempre um nome único somente para indentifica-lo na hora da "
        "entrada no sistema");
    name.maxLength = 20;

    RegisterField password;
    password.control = QStringLiteral("senha");
    password.column = QStringLiteral("senha");
    password.label = QStringLiteral("Senha :");
    password.tooltip = QStringLiteral(
        "Digite a senha para permitir o acesso desse usuário. è sugerido uma sequencia de no "
        "maximo 5 letras ou digitos");
    password.kind = RegisterField::Kind::Password;

    spec.fields = {name, password};
    spec.nameColumn = QStringLiteral("usuario");
    spec.gridOrder = QStringLiteral("usuario");
    spec.gridColumns = {{QStringLiteral("Código"), QStringLiteral("cd_usuario")},
                        {QStringLiteral("Descrição"), QStringLiteral("usuario")}};
    spec.gridTooltip = QStringLiteral(
        "Para alterar ou excluir um usuário é sempre necessário escolher ele nessa grade, "
        "bastando para isso cliicar em cima do nome dele.");
    spec.firstField = QStringLiteral("usuario");
    return spec;
}

}  // namespace

fusuarios::fusuarios(Context& context, QWidget* parent)
    : RegisterScreen(context, usuariosSpec(), parent) {
    keepTextReadable(this);
}

std::optional<QVariant> fusuarios::valueToStore(const RegisterField& field, bool changing) {
    if (field.kind != RegisterField::Kind::Password) {
        return RegisterScreen::valueToStore(field, changing);
    }
    const QString typed = fieldText(field.control);
    if (changing && typed.isEmpty()) {
        return std::nullopt;  // the password box shows empty: keep the stored password
    }
    return QVariant(hashPassword(typed));
}

}  // namespace tavrel
