#include "exchange/feriados.h"

#include <QSqlError>

#include "core/errors.h"
#include "core/ptbr.h"

namespace tavrel {
namespace {

const QString kHolidaySql =
    QStringLiteral("SELECT 1 FROM FERIADOS WHERE DT_FERIADO = :data LIMIT 1");
const QString kData = QStringLiteral(":data");

}  // namespace

DatabaseHolidays::DatabaseHolidays(const QSqlDatabase& db) : query_(db) {
    query_.setForwardOnly(true);
    if (!query_.prepare(kHolidaySql)) {
        throw DataError(kHolidaySql, query_.lastError().text());
    }
}

bool DatabaseHolidays::isHoliday(const QDate& date) const {
    query_.bindValue(kData, storageDate(date));
    if (!query_.exec()) {
        throw DataError(kHolidaySql, query_.lastError().text());
    }
    const bool found = query_.next();
    query_.finish();
    return found;
}

MemoryHolidays::MemoryHolidays(const QList<QDate>& dates) {
    for (const QDate& date : dates) {
        dates_.insert(date);
    }
}

QDate AjustaVencimento(QDate date, const HolidayLookup& holidays) {
    if (!date.isValid()) {
        return date;
    }
    if (holidays.isHoliday(date)) {
        date = date.addDays(1);
    }
    if (date.dayOfWeek() == Qt::Sunday) {
        date = date.addDays(1);
    }
    if (date.dayOfWeek() == Qt::Saturday) {
        date = date.addDays(2);
    }
    if (holidays.isHoliday(date)) {
        date = date.addDays(1);
    }
    return date;
}

}  // namespace tavrel
