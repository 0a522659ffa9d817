#include "lifecycle/tela_ciclo.h"

#include <QPushButton>

#include "core/context.h"
#include "data/connection.h"

namespace tavrel {

std::unique_ptr<Connection> abreCheques(const Context& context) {
    return std::make_unique<Connection>(context.dataPath(databaseFileName(DatabaseKind::Cheques)),
                                        DatabaseKind::Cheques);
}

QPushButton* comando(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace tavrel
