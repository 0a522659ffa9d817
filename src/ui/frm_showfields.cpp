#include "ui/frm_showfields.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/context.h"
#include "ui/grouping_grid.h"
#include "ui/named_button.h"
#include "ui/readable_text.h"
#include "ui/screen_factory.h"

namespace tavrel {
namespace {

QListWidget* list(QWidget* parent, const char* name) {
    auto* widget = new QListWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setSelectionMode(QAbstractItemView::SingleSelection);
    return widget;
}

int selectedLine(const QListWidget* widget) {
    const QList<QListWidgetItem*> selected = widget->selectedItems();
    return selected.isEmpty() ? -1 : widget->row(selected.first());
}

void selectLine(QListWidget* widget, int line) {
    widget->clearSelection();
    if (line >= 0 && line < widget->count()) {
        widget->setCurrentRow(line, QItemSelectionModel::ClearAndSelect);
    }
}

}  // namespace

frmShowfields::frmShowfields(Context& context, QWidget* parent)
    : Screen(context, QStringLiteral("frmShowfields"), parent) {
    setWindowTitle(QStringLiteral("Seleção de Campos"));
    lstAvail = list(this, "lstAvail");
    lstVisible = list(this, "lstVisible");
    cmdAdd = namedButton(this, "cmdAdd", QStringLiteral("Adicionar ->"));
    cmdRemove = namedButton(this, "cmdRemove", QStringLiteral("<- Remover"));
    cmdUp = namedButton(this, "cmdUp", QStringLiteral("Para Cima"));
    cmdDown = namedButton(this, "cmdDown", QStringLiteral("Para Baixo"));
    QPushButton* cmdOK = namedButton(this, "cmdOK", QStringLiteral("OK"));
    QPushButton* cmdCancel = namedButton(this, "cmdCancel", QStringLiteral("Cancela"));
    auto* left = new QLabel(QStringLiteral("Campos Disponíveis"), this);
    left->setObjectName(QStringLiteral("lblcaption"));
    auto* right = new QLabel(QStringLiteral("Campos  Visiveis"), this);
    right->setObjectName(QStringLiteral("lblcaption"));

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(cmdAdd);
    middle->addWidget(cmdRemove);
    middle->addSpacing(12);
    middle->addWidget(cmdUp);
    middle->addWidget(cmdDown);
    middle->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdOK);
    bottom->addWidget(cmdCancel);
    auto* layout = new QGridLayout(this);
    layout->addWidget(left, 0, 0);
    layout->addWidget(right, 0, 2);
    layout->addWidget(lstAvail, 1, 0);
    layout->addLayout(middle, 1, 1);
    layout->addWidget(lstVisible, 1, 2);
    layout->addLayout(bottom, 2, 0, 1, 3);
    resize(560, 470);  // the 21 columns of the widest query in view without scrolling
    keepTextReadable(this);

    connect(cmdAdd, &QPushButton::clicked, this, [this] { adicionar(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { remover(); });
    connect(cmdUp, &QPushButton::clicked, this, [this] { paraCima(); });
    connect(cmdDown, &QPushButton::clicked, this, [this] { paraBaixo(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { ok(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cancela(); });
    connect(lstAvail, &QListWidget::itemDoubleClicked, this, [this] { adicionar(); });
    connect(lstVisible, &QListWidget::itemDoubleClicked, this, [this] { remover(); });
    connect(lstAvail, &QListWidget::itemSelectionChanged, this, [this] { atualizaBotoes(); });
    connect(lstVisible, &QListWidget::itemSelectionChanged, this, [this] { atualizaBotoes(); });
    atualizaBotoes();
}

bool frmShowfields::ShowFields(Context& context, GroupingGrid& grid, QWidget* parent) {
    bool aceito = false;
    context.screens->openModal(QStringLiteral("frmShowfields"), parent, [&](QWidget* screen) {
        if (auto* chooser = qobject_cast<frmShowfields*>(screen)) {
            chooser->carrega(&grid, &aceito);
        }
    });
    return aceito;
}

void frmShowfields::carrega(GroupingGrid* grid, bool* aceito) {
    grid_ = grid;
    aceito_ = aceito;
    lstAvail->clear();
    lstVisible->clear();
    QList<int> visible;
    for (int column = 0; column < grid->columnCount(); ++column) {
        if (grid->isColumnVisible(column)) {
            visible << column;
        } else {
            auto* item = new QListWidgetItem(grid->columnCaption(column), lstAvail);
            item->setData(Qt::UserRole, column);
        }
    }
    // In the order the operator sees them, so an unchanged "OK" keeps that order.
    std::stable_sort(visible.begin(), visible.end(), [grid](int a, int b) {
        return grid->columnPosition(a) < grid->columnPosition(b);
    });
    for (int column : visible) {
        auto* item = new QListWidgetItem(grid->columnCaption(column), lstVisible);
        item->setData(Qt::UserRole, column);
    }
    selectLine(lstAvail, 0);
    selectLine(lstVisible, 0);
    atualizaBotoes();
}

void frmShowfields::move(QListWidget* from, QListWidget* to) {
    from->setFocus();
    const int line = selectedLine(from);
    if (line < 0) {
        return;
    }
    QListWidgetItem* item = from->takeItem(line);
    to->addItem(item);
    selectLine(from, std::min(line, from->count() - 1));
    selectLine(to, to->count() - 1);
}

void frmShowfields::adicionar() {
    move(lstAvail, lstVisible);
    atualizaBotoes();
}

void frmShowfields::remover() {
    move(lstVisible, lstAvail);
    atualizaBotoes();
}

void frmShowfields::paraCima() {
    const int line = selectedLine(lstVisible);
    if (line > 0) {
        lstVisible->insertItem(line - 1, lstVisible->takeItem(line));
        selectLine(lstVisible, line - 1);
        lstVisible->setFocus();
    }
    atualizaBotoes();
}

void frmShowfields::paraBaixo() {
    const int line = selectedLine(lstVisible);
    if (line >= 0 && line < lstVisible->count() - 1) {
        lstVisible->insertItem(line + 1, lstVisible->takeItem(line));
        selectLine(lstVisible, line + 1);
        lstVisible->setFocus();
    }
    atualizaBotoes();
}

void frmShowfields::atualizaBotoes() {
    const int visible = selectedLine(lstVisible);
    cmdAdd->setEnabled(selectedLine(lstAvail) >= 0);
    cmdRemove->setEnabled(visible >= 0);
    cmdUp->setEnabled(visible > 0);
    cmdDown->setEnabled(visible < lstVisible->count() - 1);
}

void frmShowfields::ok() {
    if (grid_) {
        for (int line = 0; line < lstAvail->count(); ++line) {
            grid_->setColumnVisible(lstAvail->item(line)->data(Qt::UserRole).toInt(), false);
        }
        for (int line = 0; line < lstVisible->count(); ++line) {
            const int column = lstVisible->item(line)->data(Qt::UserRole).toInt();
            grid_->setColumnVisible(column, true);
            grid_->setColumnPosition(column, line);
        }
    }
    if (aceito_ != nullptr) {
        *aceito_ = true;
    }
    close();
}

void frmShowfields::cancela() {
    close();
}

}  // namespace tavrel
