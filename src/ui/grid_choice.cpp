#include "ui/grid_choice.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QTableView>

namespace tavrel {
namespace {

// Tells whether the grid is handling a key press, so a change of the current line can be told
// apart from the one the grid makes by itself when it takes the focus.
class KeyPressWatch : public QObject {
public:
    explicit KeyPressWatch(QObject* parent) : QObject(parent) {}
    bool active() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                active_ = true;
                break;
            case QEvent::KeyRelease:
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::MouseButtonPress:
                active_ = false;
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool active_ = false;
};

}  // namespace

void onLineChosen(QTableView* grid, std::function<void(int row)> chosen) {
    auto* keys = new KeyPressWatch(grid);
    grid->installEventFilter(keys);
    QObject::connect(grid, &QTableView::clicked, grid, [chosen](const QModelIndex& index) {
        if (index.isValid())
            chosen(index.row());
    });
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [keys, chosen](const QModelIndex& current) {
                         if (current.isValid() && keys->active())
                             chosen(current.row());
                     });
}

}  // namespace tavrel
