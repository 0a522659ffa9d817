#pragma once

#include <QList>
#include <QString>

class QSqlDatabase;

namespace tavrel {

// The main menu's button bar: seven fixed groups whose entries come from the menu database.
inline constexpr int kMenuGroups = 7;

// Caption of a group (1 to 7), "" for any other number.
QString menuGroupCaption(int grupo);

// One row of the menu database's CONFIG table.
struct MenuEntry {
    int grupo = 0;
    int opcao = 0;
    QString descricao;
    QString tooltip;
};

// Every menu row, in the order of GRUPO and OPCAO.
QList<MenuEntry> readMenu(const QSqlDatabase& menuDb);

// The key of an entry: "K" followed by its opcao and its grupo.
QString menuKey(int opcao, int grupo);

// What an entry opens is fixed by its group and its position within the group (1 for the
// first entry), never by its caption or key.
struct MenuAction {
    enum class Kind { Nothing, Screen, ClientsReport };
    Kind kind = Kind::Nothing;
    QString formName;  // for Screen
};
MenuAction menuAction(int grupo, int position);

}  // namespace tavrel
