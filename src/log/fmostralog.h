#pragma once

#include "ui/screen.h"

class QListWidget;
class QPlainTextEdit;

namespace tavrel {

// "Log de Operação": the logged-in user's own operation logs, read back as written, deleted one
// at a time ("Zerar Arquivo Log") and printed.
class fmostralog : public Screen {
    Q_OBJECT

public:
    explicit fmostralog(Context& context, QWidget* parent = nullptr);

    // Appends the file's lines to the text shown, below what is there already.
    void LerArquivo(const QString& path);

private:
    void buildScreen();
    void listaArquivos();
    QString arquivoEscolhido() const;  // its full path; throws when none is chosen
    void lerArquivoUsuario();
    void zerarArquivo();
    void imprimir();

    QListWidget* diretorio = nullptr;
    QPlainTextEdit* historico = nullptr;
};

}  // namespace tavrel
