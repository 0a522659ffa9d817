#include "demo/holidays_br.h"

#include <algorithm>

namespace tavrel::demo {

QDate easterSunday(int year) {
    // The anonymous Gregorian algorithm (Meeus, Jones, Butcher).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QList<Holiday> brazilianHolidays(int year) {
    const QDate easter = easterSunday(year);
    QList<Holiday> holidays = {
        {QDate(year, 1, 1), QStringLiteral("Confraternização Universal")},
        {easter.addDays(-48), QStringLiteral("Carnaval")},
        {easter.addDays(-47), QStringLiteral("Carnaval")},
        {easter.addDays(-2), QStringLiteral("Sexta-feira Santa")},
        {QDate(year, 4, 21), QStringLiteral("Tiradentes")},
        {QDate(year, 5, 1), QStringLiteral("Dia do Trabalho")},
        {easter.addDays(60), QStringLiteral("Corpus Christi")},
        {QDate(year, 9, 7), QStringLiteral("Independência do Brasil")},
        {QDate(year, 10, 12), QStringLiteral("Nossa Senhora Aparecida")},
        {QDate(year, 11, 2), QStringLiteral("Finados")},
        {QDate(year, 11, 15), QStringLiteral("Proclamação da República")},
        {QDate(year, 12, 25), QStringLiteral("Natal")},
    };
    if (year >= 2024) {
        holidays.append({QDate(year, 11, 20), QStringLiteral("Dia da Consciência Negra")});
    }
    std::sort(holidays.begin(), holidays.end(),
              [](const Holiday& x, const Holiday& y) { return x.date < y.date; });
    return holidays;
}

}  // namespace tavrel::demo
