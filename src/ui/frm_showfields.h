#pragma once

#include <QPointer>

#include "ui/screen.h"

class QListWidget;
class QPushButton;

namespace tavrel {

class GroupingGrid;

// The column chooser "Seleção de Campos": the operator moves a grid's columns between the
// hidden ones and the visible ones and orders the visible ones; "OK" gives the grid that
// choice, "Cancela" leaves it as it was.
class frmShowfields : public Screen {
    Q_OBJECT

public:
    explicit frmShowfields(Context& context, QWidget* parent = nullptr);

    // Opens the chooser modally on `grid`; true when the operator accepted.
    static bool ShowFields(Context& context, GroupingGrid& grid, QWidget* parent = nullptr);

    // Fills the lists from the grid: the hidden columns in collection order, the visible ones
    // in the order the operator sees them.
    void carrega(GroupingGrid* grid, bool* aceito);

    void adicionar();
    void remover();
    void paraCima();
    void paraBaixo();
    void ok();
    void cancela();

private:
    void atualizaBotoes();
    static void move(QListWidget* from, QListWidget* to);

    QPointer<GroupingGrid> grid_;
    bool* aceito_ = nullptr;
    QListWidget* lstAvail = nullptr;
    QListWidget* lstVisible = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDown = nullptr;
};

}  // namespace tavrel
