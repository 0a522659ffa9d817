#include "log/fmostralog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clock.h"
#include "core/context.h"
#include "core/dialogs.h"
#include "core/errors.h"
#include "log/log_report.h"
#include "log/operation_log.h"
#include "log/text_file.h"
#include "reports/print_report.h"
#include "ui/chosen_line.h"
#include "ui/named_button.h"

namespace tavrel {

fmostralog::fmostralog(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("fmostralog"), parent) {
    setWindowTitle(QStringLiteral("Log de Operação"));
    buildScreen();
    step([this] { listaArquivos(); });
}

void fmostralog::buildScreen() {
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    diretorio = new QListWidget(this);
    diretorio->setObjectName(QStringLiteral("diretorio"));
    left->addWidget(diretorio, 1);
    QPushButton* ler = namedButton(this, "Command1", QStringLiteral("Ler Arquivo Usuário"));
    QPushButton* zerar = namedButton(this, "Command2", QStringLiteral("Zerar Arquivo Log"));
    QPushButton* imprimirButton = namedButton(this, "Command7", QStringLiteral("&IMPRIMIR"));
    QPushButton* sair = namedButton(this, "SAIR", QStringLiteral("&SAIR"));
    for (QPushButton* button : {ler, zerar, imprimirButton, sair}) {
        left->addWidget(button);
    }
    layout->addLayout(left);

    historico = new QPlainTextEdit(this);
    historico->setObjectName(QStringLiteral("historico"));
    historico->setReadOnly(true);
    historico->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(historico, 1);

    connect(ler, &QPushButton::clicked, this, [this] { lerArquivoUsuario(); });
    connect(zerar, &QPushButton::clicked, this, [this] { zerarArquivo(); });
    connect(imprimirButton, &QPushButton::clicked, this, [this] { imprimir(); });
    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 520);
}

// The logs are where the program really writes them: beside it, or in the user's data folder
// when the program's folder cannot be written.
void fmostralog::listaArquivos() {
    diretorio->clear();
    diretorio->addItems(operationLogFiles(context().writablePath(QString()), context().userCode));
}

QString fmostralog::arquivoEscolhido() const {
    return context().writablePath(
        chosenLine(*diretorio, QStringLiteral("Nenhum arquivo de log foi escolhido na lista.")));
}

void fmostralog::LerArquivo(const QString& path) {
    const QStringList lines = readLines(path);
    historico->moveCursor(QTextCursor::End);
    for (const QString& line : lines) {
        historico->insertPlainText(line + QLatin1Char('\n'));
    }
}

void fmostralog::lerArquivoUsuario() {
    step([this] { LerArquivo(arquivoEscolhido()); });
}

void fmostralog::zerarArquivo() {
    QString path;
    if (!step([&] { path = arquivoEscolhido(); })) {
        return;
    }
    const bool sim = context().dialogs->askYesNo(
        QStringLiteral("Tem certesa que quer realmente excluir esse arquivo? :"),
        QStringLiteral("EXCLUSÃO"));
    if (!sim) {
        registraLog(QStringLiteral("DESISTIU DE ZERAR O ARQUIVO DE LOG!!!!!"), context().userName);
        return;
    }
    const bool zerado = step([&] {
        QFile file(path);
        if (!file.remove()) {
            throw AppError(error_number::kFileAccess,
                           QStringLiteral("Não foi possível excluir o arquivo %1: %2")
                               .arg(path, file.errorString()),
                           diretorio->objectName());
        }
    });
    if (zerado) {
        registraLog(QStringLiteral("ZEROU ARQUIVO DE LOG!!!!!"), context().userName);
        context().dialogs->message(QStringLiteral("ARQUIVO ZERADO"), {}, DialogButtons::Ok);
    }
    step([this] { listaArquivos(); });
}

void fmostralog::imprimir() {
    const QString text = historico->toPlainText();
    if (text.isEmpty()) {
        context().dialogs->inform(
            QStringLiteral("Não há texto para imprimir: leia antes um arquivo de log."));
        return;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    step([&] {
        PrintedReport printed;
        printed.formName = formName();
        printed.content = relatorioDoLog(lines, context().clock->now());
        presentReport(context(), printed);
    });
}

}  // namespace tavrel
