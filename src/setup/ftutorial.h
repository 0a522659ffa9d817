#pragma once

#include "ui/screen.h"

class QStandardItemModel;
class QTableView;

namespace tavrel {

// "Tutorial do Sistema": the explanatory videos of tutorial.db by system and sequence; a click
// on a line opens its video with the program the desktop associates with it.
class ftutorial : public Screen {
    Q_OBJECT

public:
    explicit ftutorial(Context& context, QWidget* parent = nullptr);

    // Asks the desktop to open the file with its associated program.
    void AbrirAVI(const QString& path);

private:
    void buildScreen();
    void carregaFilmes();
    void abreVideo(int row);

    QStandardItemModel* model_ = nullptr;  // the table is small: read whole, nothing kept open
    QTableView* GridEX1 = nullptr;
};

}  // namespace tavrel
