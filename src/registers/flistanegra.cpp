#include "registers/flistanegra.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/csv.h"
#include "core/desktop.h"
#include "core/dialogs.h"
#include "core/ptbr.h"
#include "data/sql.h"
#include "data/transaction.h"
#include "log/text_file.h"

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

const QString kFiltroCsv = QStringLiteral("Arquivos CSV (*.csv)");
const QStringList kCabecalho{QStringLiteral("CD_DOCUMENTO"), QStringLiteral("NM_PESSOA")};

bool ehCabecalho(const QStringList& linha) {
    return linha.size() >= 1 &&
           linha.first().trimmed().compare(kCabecalho.first(), Qt::CaseInsensitive) == 0;
}

}  // namespace

flistanegra::flistanegra(Context& context, QWidget* parent)
    : RegisterScreen(context, listaNegraSpec(), parent) {
    auto* arquivo = new QHBoxLayout;
    for (const char* caption : {"Exportar", "Importar"}) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QString::fromLatin1(caption));
        arquivo->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, caption] {
            if (qstrcmp(caption, "Exportar") == 0)
                exportar();
            else
                importar();
        });
    }
    arquivo->addStretch();
    extrasLayout()->addLayout(arquivo);
    step([this] {
        registraLog(QStringLiteral("ENTROU NA LISTA NEGRA:"), this->context().clock->today());
    });
}

void flistanegra::incluir() {
    markLocation();
    // The document is compared exactly as typed: other punctuation or spacing is another
    // document.
    const QString documento = codeBox()->text();
    if (documento.trimmed().isEmpty()) {
        context().dialogs->inform(QStringLiteral("Digite o documento a negativar."));
        codeBox()->setFocus();
        return;
    }
    bool listado = true;
    if (!step([&] { listado = findByCode(documento).has_value(); }))
        return;
    if (listado) {
        // Said instead of dropping the typed name and logging an inclusion that did not happen.
        context().dialogs->inform(
            QStringLiteral("O documento %1 já está na lista negra.").arg(documento));
        return;
    }
    step([this] {
        registraLog(QStringLiteral("INCLUIU DOCUMENTO NEGATIVADO DA PESSOA:"),
                    fieldText(QStringLiteral("nm_pessoa")));
    });
    writeFields(documento, std::nullopt);
    step([this] { reload(); });
    limpaCampos();
}

void flistanegra::exportar() {
    markLocation();
    std::optional<QString> path = context().dialogs->saveFile(
        QStringLiteral("Exportar lista negra"), context().desktop->desktopFolder(), kFiltroCsv);
    if (!path || path->isEmpty())
        return;
    if (!path->endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        *path += QStringLiteral(".csv");
    qsizetype documentos = 0;
    const bool gravado = step([&] {
        QList<QStringList> linhas{kCabecalho};
        QSqlQuery query =
            runSql(db(), QStringLiteral("SELECT CD_DOCUMENTO, NM_PESSOA FROM LISTANEGRA ORDER BY "
                                        "CD_DOCUMENTO, id"));
        while (query.next())
            linhas << QStringList{query.value(0).toString(), query.value(1).toString()};
        documentos = linhas.size() - 1;
        writeWholeFile(*path, csvText(linhas).toUtf8(), QStringLiteral("Exportar"));
    });
    if (gravado) {
        step([&] {
            registraLog(QStringLiteral("EXPORTOU A LISTA NEGRA:"), QDir::toNativeSeparators(*path));
        });
        context().dialogs->inform(
            QStringLiteral("Exportação concluída: %1 em %2.")
                .arg(countText(documentos, QStringLiteral("documento gravado"),
                               QStringLiteral("documentos gravados")),
                     QDir::toNativeSeparators(*path)));
    }
}

void flistanegra::importar() {
    markLocation();
    const std::optional<QString> path = context().dialogs->openFile(
        QStringLiteral("Importar lista negra"), context().desktop->desktopFolder(), kFiltroCsv);
    if (!path || path->isEmpty())
        return;
    std::optional<QList<QStringList>> linhas;
    if (!step([&] { linhas = parseCsv(readWholeFile(*path, QStringLiteral("Importar"))); }))
        return;
    if (!linhas) {
        context().dialogs->inform(
            QStringLiteral("O arquivo %1 não é uma lista em CSV (documento;nome): há aspas sem "
                           "fechamento. Nada foi importado.")
                .arg(QDir::toNativeSeparators(*path)));
        return;
    }
    if (!linhas->isEmpty() && ehCabecalho(linhas->first()))
        linhas->removeFirst();

    int incluidos = 0;
    int repetidos = 0;
    int semDocumento = 0;
    const bool importado = step([&] {
        // All of the file or none of it.
        incluidos = repetidos = semDocumento = 0;
        TransactionGuard transaction(db());
        for (const QStringList& linha : std::as_const(*linhas)) {
            const QString documento = linha.value(0);
            if (documento.trimmed().isEmpty()) {
                ++semDocumento;
            } else if (findByCode(documento)) {
                ++repetidos;
            } else {
                runSql(db(),
                       QStringLiteral("INSERT INTO LISTANEGRA (CD_DOCUMENTO, NM_PESSOA) VALUES "
                                      "(?, ?)"),
                       {documento, linha.value(1)});
                ++incluidos;
            }
        }
        transaction.commit();
    });
    step([this] { reload(); });
    if (!importado)
        return;
    step([&] {
        registraLog(QStringLiteral("IMPORTOU A LISTA NEGRA:"), QDir::toNativeSeparators(*path));
    });
    QString resumo = QStringLiteral("Importação concluída: %1, %2")
                         .arg(countText(incluidos, QStringLiteral("documento incluído"),
                                        QStringLiteral("documentos incluídos")),
                              countText(repetidos, QStringLiteral("já estava na lista"),
                                        QStringLiteral("já estavam na lista")));
    if (semDocumento > 0) {
        resumo += QStringLiteral(", ") +
                  countText(semDocumento, QStringLiteral("linha sem documento ignorada"),
                            QStringLiteral("linhas sem documento ignoradas"));
    }
    context().dialogs->inform(resumo + QLatin1Char('.'));
}

void flistanegra::beforeExcluir(const Row& row) {
    step([&] {
        registraLog(QStringLiteral("EXCLUIU DOCUMENTO NEGATIVADO DA PESSOA:"),
                    row.text(spec().nameColumn));
    });
}

}  // namespace tavrel
