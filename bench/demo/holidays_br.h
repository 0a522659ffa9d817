#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tavrel::demo {

struct Holiday {
    QDate date;
    QString name;
};

// Easter Sunday of a year (Gregorian calendar).
QDate easterSunday(int year);

// The days Brazilian banks do not clear cheques: the national holidays, Carnival Monday and
// Tuesday, Good Friday and Corpus Christi (movable, from Easter), in date order. The Black
// Consciousness day (20 November) is national from 2024 on.
QList<Holiday> brazilianHolidays(int year);

}  // namespace tavrel::demo
