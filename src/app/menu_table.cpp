#include "app/menu_table.h"

#include <QSqlQuery>

#include "data/sql.h"

namespace tavrel {

QString menuGroupCaption(int grupo) {
    switch (grupo) {
        case 1:
            return QStringLiteral("Cadastros");
        case 2:
            return QStringLiteral("Lançamentos");
        case 3:
            return QStringLiteral("Consultas");
        case 4:
            return QStringLiteral("Relatórios");
        case 5:
            return QStringLiteral("Parâmetros");
        case 6:
            return QStringLiteral("Caixa");
        case 7:
            return QStringLiteral("B.I.");
        default:
            return {};
    }
}

QList<MenuEntry> readMenu(const QSqlDatabase& menuDb) {
    QSqlQuery query =
        runSql(menuDb, QStringLiteral("SELECT GRUPO, OPCAO, descricao, ds_tootip FROM CONFIG "
                                      "ORDER BY GRUPO, OPCAO"));
    QList<MenuEntry> entries;
    while (query.next()) {
        entries.append({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString(),
                        query.value(3).toString()});
    }
    return entries;
}

QString menuKey(int opcao, int grupo) {
    return QStringLiteral("K%1%2").arg(opcao).arg(grupo);
}

MenuAction menuAction(int grupo, int position) {
    struct Position {
        int grupo;
        int position;
        const char* formName;
    };
    static const Position table[] = {
        {1, 1, "fclientes"},        {1, 2, "fusuarios"},          {1, 3, "ftutorial"},
        {2, 1, "FTROCA"},           {2, 2, "flistanegra"},        {2, 3, "FDEVOLVIDOS"},
        {2, 4, "fparcelas"},        {2, 5, "fferiados"},          {2, 6, "FRECOMPRA"},
        {3, 1, "fconsultacliente"}, {3, 2, "fconsultadocumento"}, {3, 3, "fconsultaperiodo"},
        {4, 2, "frelatorios"},      {4, 3, "frelcliente"},        {5, 1, "fparametros"},
        {5, 2, "fmostralog"},       {6, 1, "fhistoricos"},        {6, 2, "fcontas"},
        {6, 3, "flancamentos"},     {7, 1, "fcubovendas"},
    };
    if (grupo == 4 && position == 1) {
        return {MenuAction::Kind::ClientsReport, {}};
    }
    for (const Position& entry : table) {
        if (entry.grupo == grupo && entry.position == position) {
            return {MenuAction::Kind::Screen, QString::fromLatin1(entry.formName)};
        }
    }
    return {};
}

}  // namespace tavrel
