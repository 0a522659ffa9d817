#pragma once

#include "ui/screen.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tavrel {

// The installer: the operator picks the folder that holds the main database, writes the
// installation marker naming it and can put a shortcut to the program on the desktop.
class finstalacao : public Screen {
    Q_OBJECT

public:
    explicit finstalacao(Context& context, QWidget* parent = nullptr);

    // The folder chosen; its path is shown and the file list says whether it holds cheques.db.
    void mudaDiretorio(const QString& path);
    // The drive list's entry `index` was chosen.
    void mudaDrive(int index);
    QString diretorio() const { return folder_; }

    // " I - Criar Arquivo de Configuração", " II - Criar Atalhos", "&Sair ".
    void criaConfiguracao();
    void criaAtalho();
    void sair();

private:
    void buildScreen();
    QWidget* buildInstructions();
    void abre();
    void listaDrives();
    void mostraDrive(const QString& path);

    QString programFolder_;
    QString folder_;
    QComboBox* drives_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLabel* databaseLabel_ = nullptr;
};

}  // namespace tavrel
