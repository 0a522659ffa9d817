#pragma once

class QComboBox;
class QSqlDatabase;
class QString;

namespace tavrel {

// The client chooser of the screens that take a client by name: an editable list of the
// clients' names whose completion finds a part of the name in any letter case.
void setUpClientCombo(QComboBox* combo);

// Fills the chooser with every client by name, each carrying its code, and keeps the text the
// operator had typed. Throws DataError.
void fillClientCombo(QComboBox* combo, const QSqlDatabase& db);

// The code of the client the chooser's text names: the line chosen, or a name typed whatever
// its letter case (accented letters included). Empty when it names no client.
QString chosenClientCode(const QComboBox* combo);

}  // namespace tavrel
