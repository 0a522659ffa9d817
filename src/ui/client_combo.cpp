#include "ui/client_combo.h"

#include <QComboBox>
#include <QCompleter>
#include <QSqlQuery>

#include "data/sql.h"

namespace tavrel {

void setUpClientCombo(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->completer()->setCompletionMode(QCompleter::PopupCompletion);
    combo->completer()->setFilterMode(Qt::MatchContains);
    combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
}

void fillClientCombo(QComboBox* combo, const QSqlDatabase& db) {
    const QString typed = combo->currentText();
    combo->clear();
    QSqlQuery clients = runSql(
        db, QStringLiteral("SELECT NM_CLIENTE, CD_CLIENTE FROM CLIENTES ORDER BY NM_CLIENTE"));
    while (clients.next()) {
        combo->addItem(clients.value(0).toString(), clients.value(1));
    }
    combo->setCurrentIndex(-1);
    combo->setEditText(typed);
}

QString chosenClientCode(const QComboBox* combo) {
    const QString typed = combo->currentText();
    int index = combo->currentIndex();
    if (index < 0 || combo->itemText(index) != typed) {
        index = combo->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    if (index < 0) {
        // A typed name matches whatever its letter case (sameName's rule), accents included.
        index = combo->findText(typed.trimmed(), Qt::MatchFixedString);
    }
    return index < 0 ? QString() : combo->itemData(index).toString();
}

}  // namespace tavrel
