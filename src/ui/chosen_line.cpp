#include "ui/chosen_line.h"

#include <QListWidget>

#include "core/errors.h"

namespace tavrel {

QString chosenLine(const QListWidget& list, const QString& nothingChosen) {
    const QListWidgetItem* item = list.currentItem();
    if (item == nullptr || !item->isSelected()) {
        throw AppError(error_number::kFileNotFound, nothingChosen, list.objectName());
    }
    return item->text();
}

}  // namespace tavrel
