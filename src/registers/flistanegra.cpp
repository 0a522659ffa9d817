#include "registers/flistanegra.h"

#include <QLineEdit>

#include "core/clock.h"
#include "core/context.h"

namespace tavrel {
namespace {

RegisterSpec listaNegraSpec() {
    RegisterSpec spec;
    spec.formName = QStringLiteral("flistanegra");
    spec.title = QStringLiteral("Lista Negra");
    spec.table = QStringLiteral("LISTANEGRA");
    spec.codeColumn = QStringLiteral("CD_DOCUMENTO");
    spec.codeControl = QStringLiteral("cd_documento");
    spec.codeLabel = QStringLiteral("Documento:");
    spec.codeTooltip =
        QStringLiteral("Preencha o numero do documento que queira negativar  CGC CPF ou outro");
    spec.codeNote.clear();  // the document is typed, not given out
    spec.fields = {
        {.control = QStringLiteral("nm_pessoa"),
         .column = QStringLiteral("NM_PESSOA"),
         .label = QStringLiteral("Pessoa :"),
         .tooltip = QStringLiteral("Digite no nome da pessoa a ser negativada click no incluir "
                                   "para finalizar a inclusão")},
    };
    spec.nameColumn = QStringLiteral("NM_PESSOA");
    spec.gridOrder = QStringLiteral("NM_PESSOA");
    spec.gridColumns = {{QStringLiteral("Documento"), QStringLiteral("CD_DOCUMENTO")},
                        {QStringLiteral("Pessoa"), QStringLiteral("NM_PESSOA")}};
    spec.gridTooltip = QStringLiteral(
        "Para alterar ou excluir um cliente negativado  é sempre necessário escolher ele nessa "
        "grade, bastando para isso cliicar em cima do nome dele.");
    spec.firstField = QStringLiteral("nm_pessoa");
    return spec;
}

}  // namespace

flistanegra::flistanegra(Context& context, QWidget* parent)
    : RegisterScreen(context, listaNegraSpec(), parent) {
    step([this] {
        registraLog(QStringLiteral("ENTROU NA LISTA NEGRA:"), this->context().clock->today());
    });
}

void flistanegra::incluir() {
    markLocation();
    // The document is compared exactly as typed: other punctuation or spacing is another
    // document.
    const QString documento = codeBox()->text();
    bool listado = true;
    step([&] { listado = findByCode(documento).has_value(); });
    step([this] {
        registraLog(QStringLiteral("INCLUIU DOCUMENTO NEGATIVADO DA PESSOA:"),
                    fieldText(QStringLiteral("nm_pessoa")));
    });
    if (!listado) {
        writeFields(documento, std::nullopt);
    }
    step([this] { reload(); });
    limpaCampos();
}

void flistanegra::beforeExcluir(const Row& row) {
    step([&] {
        registraLog(QStringLiteral("EXCLUIU DOCUMENTO NEGATIVADO DA PESSOA:"),
                    row.text(spec().nameColumn));
    });
}

}  // namespace tavrel
